// The driver's JSON value and its writer.
#include "app/shot/json.h"

#include <cstdio>
#include <stdexcept>

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

bool Json::AsBool() const {
  const bool* b = std::get_if<bool>(&value_);
  return b && *b;
}

std::int64_t Json::AsInt() const {
  const std::int64_t* n = std::get_if<std::int64_t>(&value_);
  return n ? *n : 0;
}

const std::string& Json::AsString() const {
  static const std::string kEmpty;
  const std::string* s = std::get_if<std::string>(&value_);
  return s ? *s : kEmpty;
}

const Json& Json::At(std::size_t index) const {
  static const Json kNull;
  const Array* array = std::get_if<Array>(&value_);
  return array && index < array->size() ? (*array)[index] : kNull;
}

const Json& Json::Get(const std::string& key) const {
  static const Json kNull;
  const Json* found = Find(key);
  return found ? *found : kNull;
}

namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  Json Document() {
    Json value = Value(0);
    Space();
    if (at_ != text_.size()) Fail("text after the value");
    return value;
  }

 private:
  [[noreturn]] void Fail(const char* what) const {
    throw std::runtime_error("JSON: " + std::string(what) + " at offset " + std::to_string(at_));
  }

  void Space() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t')) {
      ++at_;
    }
  }

  bool Take(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  Json Value(int depth) {
    if (depth > 64) Fail("nesting too deep");
    Space();
    if (at_ >= text_.size()) Fail("missing value");
    char c = text_[at_];
    if (c == '{') return ObjectValue(depth);
    if (c == '[') return ArrayValue(depth);
    if (c == '"') return Json(String());
    if (Take("true")) return Json(true);
    if (Take("false")) return Json(false);
    if (Take("null")) return Json();
    return Json(Integer());
  }

  Json ObjectValue(int depth) {
    ++at_;
    Json object = Json::MakeObject();
    Space();
    if (Take("}")) return object;
    for (;;) {
      Space();
      if (at_ >= text_.size() || text_[at_] != '"') Fail("expected a key");
      std::string key = String();
      Space();
      if (!Take(":")) Fail("expected ':'");
      object.Set(key, Value(depth + 1));
      Space();
      if (Take("}")) return object;
      if (!Take(",")) Fail("expected ',' or '}'");
    }
  }

  Json ArrayValue(int depth) {
    ++at_;
    Json array = Json::MakeArray();
    Space();
    if (Take("]")) return array;
    for (;;) {
      array.Push(Value(depth + 1));
      Space();
      if (Take("]")) return array;
      if (!Take(",")) Fail("expected ',' or ']'");
    }
  }

  std::int64_t Integer() {
    std::size_t start = at_;
    if (at_ < text_.size() && text_[at_] == '-') ++at_;
    std::size_t digits = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    if (at_ == digits || at_ - digits > 18) {
      at_ = start;
      Fail("expected a value");
    }
    return std::stoll(std::string(text_.substr(start, at_ - start)));
  }

  unsigned Hex4() {
    if (at_ + 4 > text_.size()) Fail("short \\u escape");
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      char h = text_[at_++];
      value <<= 4;
      if (h >= '0' && h <= '9')
        value |= unsigned(h - '0');
      else if (h >= 'a' && h <= 'f')
        value |= unsigned(h - 'a' + 10);
      else if (h >= 'A' && h <= 'F')
        value |= unsigned(h - 'A' + 10);
      else
        Fail("bad \\u escape");
    }
    return value;
  }

  std::string String() {
    ++at_;
    std::string out;
    for (;;) {
      if (at_ >= text_.size()) Fail("unterminated string");
      char c = text_[at_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("control character in a string");
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) Fail("unterminated string");
      char e = text_[at_++];
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
          unsigned code = Hex4();
          if (code >= 0xD800 && code <= 0xDBFF && Take("\\u")) {
            unsigned low = Hex4();
            if (low < 0xDC00 || low > 0xDFFF) Fail("bad surrogate pair");
            code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
          } else if (code >= 0xD800 && code <= 0xDFFF) {
            Fail("lone surrogate");
          }
          AppendCodePoint(out, code);
          break;
        }
        default:
          Fail("unknown escape");
      }
    }
  }

  static void AppendCodePoint(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

Json Json::Parse(std::string_view text) {
  return Parser(text).Document();
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
