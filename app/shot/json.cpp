// The driver's JSON value and its writer.
#include "app/shot/json.h"

#include <cstdio>

namespace shot {
namespace {

// The length of the valid UTF-8 sequence at `at`, or 0 when the bytes there are not one.
std::size_t Utf8Length(const std::string& s, std::size_t at) {
  unsigned char lead = static_cast<unsigned char>(s[at]);
  std::size_t length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
  if (length == 0 || at + length > s.size()) return 0;
  std::uint32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
  for (std::size_t i = 1; i < length; ++i) {
    unsigned char next = static_cast<unsigned char>(s[at + i]);
    if ((next >> 6) != 0x2) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// Arrays of plain values (bounds, style lists) are written on one line.
bool IsFlat(const Json::Array& items) {
  for (const Json& item : items) {
    if (item.IsObject() || item.Size() > 0) return false;
  }
  return true;
}

}  // namespace

std::string JsonQuote(const std::string& utf8) {
  std::string out = "\"";
  for (std::size_t at = 0; at < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[at]);
    std::size_t length = Utf8Length(utf8, at);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++at;
      continue;
    }
    if (length > 1) {
      out.append(utf8, at, length);
    } else if (c == '"') {
      out += "\\\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
    at += length;
  }
  return out + "\"";
}

Json& Json::Set(const std::string& key, Json value) {
  if (!IsObject()) value_ = Object();
  Object& object = std::get<Object>(value_);
  for (auto& [name, existing] : object) {
    if (name == key) return existing = std::move(value);
  }
  object.emplace_back(key, std::move(value));
  return object.back().second;
}

const Json* Json::Find(const std::string& key) const {
  if (!IsObject()) return nullptr;
  for (const auto& [name, value] : std::get<Object>(value_)) {
    if (name == key) return &value;
  }
  return nullptr;
}

Json& Json::Push(Json value) {
  if (!std::holds_alternative<Array>(value_)) value_ = Array();
  Array& array = std::get<Array>(value_);
  array.push_back(std::move(value));
  return array.back();
}

std::size_t Json::Size() const {
  if (const auto* array = std::get_if<Array>(&value_)) return array->size();
  if (const auto* object = std::get_if<Object>(&value_)) return object->size();
  return 0;
}

std::string Json::Dump() const {
  std::string out;
  DumpTo(out, 0);
  out += "\n";
  return out;
}

void Json::DumpTo(std::string& out, int indent) const {
  const std::string inner(static_cast<std::size_t>(indent + 2), ' ');
  const std::string outer(static_cast<std::size_t>(indent), ' ');
  if (std::holds_alternative<std::monostate>(value_)) {
    out += "null";
  } else if (const bool* b = std::get_if<bool>(&value_)) {
    out += *b ? "true" : "false";
  } else if (const std::int64_t* n = std::get_if<std::int64_t>(&value_)) {
    out += std::to_string(*n);
  } else if (const std::string* s = std::get_if<std::string>(&value_)) {
    out += JsonQuote(*s);
  } else if (const Array* array = std::get_if<Array>(&value_)) {
    if (array->empty()) {
      out += "[]";
    } else if (IsFlat(*array)) {
      out += "[";
      for (std::size_t i = 0; i < array->size(); ++i) {
        if (i) out += ", ";
        (*array)[i].DumpTo(out, indent);
      }
      out += "]";
    } else {
      out += "[\n";
      for (std::size_t i = 0; i < array->size(); ++i) {
        out += inner;
        (*array)[i].DumpTo(out, indent + 2);
        out += i + 1 < array->size() ? ",\n" : "\n";
      }
      out += outer + "]";
    }
  } else {
    const Object& object = std::get<Object>(value_);
    if (object.empty()) {
      out += "{}";
      return;
    }
    out += "{\n";
    for (std::size_t i = 0; i < object.size(); ++i) {
      out += inner + JsonQuote(object[i].first) + ": ";
      object[i].second.DumpTo(out, indent + 2);
      out += i + 1 < object.size() ? ",\n" : "\n";
    }
    out += outer + "}";
  }
}

}  // namespace shot
