#pragma once
// A strict little JSON reader, enough to check that relayctl prints valid JSON and what is
// in it.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace tooltest {

struct Json;
using JsonObject = std::map<std::string, Json>;
using JsonArray = std::vector<Json>;

struct Json {
  std::variant<std::nullptr_t, bool, double, std::string, std::shared_ptr<JsonArray>,
               std::shared_ptr<JsonObject>>
      value;

  bool IsObject() const { return std::holds_alternative<std::shared_ptr<JsonObject>>(value); }
  // Member lookup; throws when this is not an object or the member is missing.
  const Json& operator[](const std::string& key) const;
  double Number() const { return std::get<double>(value); }
  bool Bool() const { return std::get<bool>(value); }
  const std::string& String() const { return std::get<std::string>(value); }
};

// The whole text must be one JSON value (surrounding white space allowed); nothing
// when it is not valid JSON.
std::optional<Json> ParseJson(const std::string& text);

}  // namespace tooltest
