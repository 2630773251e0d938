// A JSON value for the driver's state file: objects keep their keys in insertion order, texts
// are UTF-8 and written with the escapes JSON requires.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace shot {

class Json {
 public:
  using Array = std::vector<Json>;
  using Object = std::vector<std::pair<std::string, Json>>;

  Json() = default;  // null
  Json(std::nullptr_t) {}
  Json(bool value) : value_(value) {}
  Json(int value) : value_(static_cast<std::int64_t>(value)) {}
  Json(std::int64_t value) : value_(value) {}
  Json(std::uint32_t value) : value_(static_cast<std::int64_t>(value)) {}
  Json(const char* utf8) : value_(std::string(utf8)) {}
  Json(std::string utf8) : value_(std::move(utf8)) {}
  Json(Array items) : value_(std::move(items)) {}

  static Json MakeObject() {
    Json json;
    json.value_ = Object();
    return json;
  }
  static Json MakeArray(std::initializer_list<Json> items = {}) { return Json(Array(items)); }

  bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
  bool IsObject() const { return std::holds_alternative<Object>(value_); }

  // Object access: sets a key (replacing its value where it exists, else appending it), and
  // finds one (null when absent or not an object).
  Json& Set(const std::string& key, Json value);
  const Json* Find(const std::string& key) const;
  // Array access: appends an item.
  Json& Push(Json value);
  std::size_t Size() const;

  // Reading values back (the end-to-end tests read the state file): the value of a kind, or a
  // default when it is another kind; At and Get give a null for an index or key not present.
  bool AsBool() const;
  std::int64_t AsInt() const;
  const std::string& AsString() const;
  const Json& At(std::size_t index) const;
  const Json& Get(const std::string& key) const;

  // Two-space indented text; nested arrays of numbers stay on one line.
  std::string Dump() const;

  // Parses one JSON text (surrounding white space allowed); throws std::runtime_error with the
  // byte offset of the first mistake. Numbers must be integers, as the state file writes them.
  static Json Parse(std::string_view text);

 private:
  void DumpTo(std::string& out, int indent) const;

  std::variant<std::monostate, bool, std::int64_t, std::string, Array, Object> value_;
};

// A UTF-8 text as a JSON string literal, quotes included. Invalid UTF-8 bytes become U+FFFD so
// the file always parses.
std::string JsonQuote(const std::string& utf8);

}  // namespace shot
