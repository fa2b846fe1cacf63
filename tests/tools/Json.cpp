#include "Json.h"

#include <cctype>
#include <cstdlib>
#include <stdexcept>

namespace tooltest {

namespace {

class Reader {
 public:
  explicit Reader(const std::string& text) : text_(text) {}

  std::optional<Json> Document() {
    std::optional<Json> value = Value();
    Space();
    if (!value || pos_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  void Space() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r')) {
      ++pos_;
    }
  }
  bool Take(char c) {
    Space();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool Word(const char* word) {
    const std::string w = word;
    if (text_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }

  std::optional<Json> Value() {
    Space();
    if (pos_ >= text_.size()) return std::nullopt;
    const char c = text_[pos_];
    if (c == '{') return Object();
    if (c == '[') return Array();
    if (c == '"') {
      std::optional<std::string> s = String();
      if (!s) return std::nullopt;
      return Json{*s};
    }
    if (Word("true")) return Json{true};
    if (Word("false")) return Json{false};
    if (Word("null")) return Json{nullptr};
    return Number();
  }

  std::optional<Json> Number() {
    const std::size_t start = pos_;
    if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
    const std::size_t digits = pos_;
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    if (pos_ == digits || (text_[digits] == '0' && pos_ - digits > 1)) return std::nullopt;
    return Json{std::strtod(text_.substr(start, pos_ - start).c_str(), nullptr)};
  }

  std::optional<std::string> String() {
    if (!Take('"')) return std::nullopt;
    std::string out;
    while (pos_ < text_.size()) {
      const unsigned char c = static_cast<unsigned char>(text_[pos_++]);
      if (c == '"') return out;
      if (c < 0x20) return std::nullopt;
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      if (pos_ >= text_.size()) return std::nullopt;
      const char e = text_[pos_++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case '/':
          out += '/';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          if (pos_ + 4 > text_.size()) return std::nullopt;
          const std::string hex = text_.substr(pos_, 4);
          if (hex.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            return std::nullopt;
          }
          pos_ += 4;
          const unsigned code = static_cast<unsigned>(std::stoul(hex, nullptr, 16));
          if (code >= 0x80) return std::nullopt;  // relayctl escapes only ASCII controls
          out += static_cast<char>(code);
          break;
        }
        default:
          return std::nullopt;
      }
    }
    return std::nullopt;
  }

  std::optional<Json> Array() {
    Take('[');
    auto array = std::make_shared<JsonArray>();
    if (Take(']')) return Json{array};
    do {
      std::optional<Json> item = Value();
      if (!item) return std::nullopt;
      array->push_back(*item);
    } while (Take(','));
    if (!Take(']')) return std::nullopt;
    return Json{array};
  }

  std::optional<Json> Object() {
    Take('{');
    auto object = std::make_shared<JsonObject>();
    if (Take('}')) return Json{object};
    do {
      Space();
      std::optional<std::string> key = String();
      if (!key || !Take(':')) return std::nullopt;
      std::optional<Json> item = Value();
      if (!item || object->count(*key)) return std::nullopt;
      (*object)[*key] = *item;
    } while (Take(','));
    if (!Take('}')) return std::nullopt;
    return Json{object};
  }

  const std::string& text_;
  std::size_t pos_ = 0;
};

}  // namespace

const Json& Json::operator[](const std::string& key) const {
  const auto& object = std::get<std::shared_ptr<JsonObject>>(value);
  const auto found = object->find(key);
  if (found == object->end()) throw std::out_of_range("no member " + key);
  return found->second;
}

std::optional<Json> ParseJson(const std::string& text) {
  return Reader(text).Document();
}

}  // namespace tooltest
