#pragma once
// Where relayctl's text goes. A plain stdio stream, not iostream: relayctl starts once per
// script line, and iostream's static set-up and locale cost more than the exchanges do.

#include <cstdio>
#include <string>
#include <string_view>

namespace relayctl {

class Sink {
 public:
  virtual ~Sink() = default;
  virtual void Write(std::string_view text) = 0;
  virtual void Flush() {}

  Sink& operator<<(std::string_view text) {
    Write(text);
    return *this;
  }
  Sink& operator<<(char c) {
    Write(std::string_view(&c, 1));
    return *this;
  }
  Sink& operator<<(int value) {
    Write(std::to_string(value));
    return *this;
  }
};

// Writes to a stdio stream; Flush hands the text on at once (a watching script reads
// each line as it comes).
class FileSink : public Sink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  void Write(std::string_view text) override { std::fwrite(text.data(), 1, text.size(), file_); }
  void Flush() override { std::fflush(file_); }

 private:
  std::FILE* file_;
};

// Collects the text, for callers that want it as a string.
class StringSink : public Sink {
 public:
  void Write(std::string_view text) override { text_.append(text); }
  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

}  // namespace relayctl
