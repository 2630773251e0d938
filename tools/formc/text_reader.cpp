// Parses the readable description into the tree, reporting mistakes with line and column.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <limits>
#include <sstream>

#include "tools/formc/source_file.h"
#include "tools/formc/text.h"
#include "tools/formc/textcodec.h"

namespace formc {
namespace {

enum class TokenKind { kEnd, kWord, kNumber, kString, kHex, kFile, kPunct };

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;        // word, number, string prefix, file path, punctuation, hex bytes
  std::u32string literal;  // string contents
  int line = 1;
  int column = 1;
};

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.';
}

bool IsStringPrefix(std::string_view word) {
  return word == "short" || word == "long" || word == "wide" || word == "utf8" || word == "ident";
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  Token Next() {
    SkipSpace();
    Token t;
    t.line = line_;
    t.column = column_;
    if (pos_ >= text_.size()) return t;
    char c = text_[pos_];
    if (c == '"') {
      t.kind = TokenKind::kString;
      t.literal = StringBody(t);
    } else if (c == '{') {
      t.kind = TokenKind::kHex;
      t.text = HexBody(t);
    } else if (c == '@') {
      Advance();
      t.kind = TokenKind::kFile;
      if (Peek() == '"') {
        Token inner = t;
        std::u32string path = StringBody(inner);
        char32_t bad;
        std::optional<std::string> utf8 = LiteralToUtf8(path, &bad);
        if (!utf8) Fail(t, "a file path cannot hold that escape");
        t.text = *utf8;
      } else {
        while (pos_ < text_.size() && !IsSpace(text_[pos_]) && !IsClosing(text_[pos_]))
          t.text += Advance();
      }
      if (t.text.empty()) Fail(t, "'@' must be followed by a file path");
    } else if ((c >= '0' && c <= '9') || ((c == '-' || c == '+') && pos_ + 1 < text_.size())) {
      if ((c >= '0' && c <= '9') || (text_[pos_ + 1] >= '0' && text_[pos_ + 1] <= '9')) {
        t.kind = TokenKind::kNumber;
        t.text += Advance();
        while (pos_ < text_.size() &&
               (IsWordChar(text_[pos_]) || ((text_[pos_] == '+' || text_[pos_] == '-') &&
                                            (t.text.back() == 'e' || t.text.back() == 'E'))))
          t.text += Advance();
      } else {
        t.kind = TokenKind::kWord;  // "-inf", "-nan"
        t.text += Advance();
        while (pos_ < text_.size() && IsWordChar(text_[pos_])) t.text += Advance();
      }
    } else if (IsWordChar(c) && c != '.') {
      t.kind = TokenKind::kWord;
      while (pos_ < text_.size() && IsWordChar(text_[pos_])) t.text += Advance();
      if (Peek() == '"' && IsStringPrefix(t.text)) {
        t.kind = TokenKind::kString;
        t.literal = StringBody(t);
      }
    } else if (std::string_view("=:()[]<>,").find(c) != std::string_view::npos) {
      t.kind = TokenKind::kPunct;
      t.text = Advance();
    } else {
      Fail(t, "unexpected character");
    }
    return t;
  }

  [[noreturn]] static void Fail(const Token& at, const std::string& what) {
    throw SourceError(at.line, at.column, what);
  }

 private:
  static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  static bool IsClosing(char c) { return c == ')' || c == ']' || c == '>' || c == ','; }

  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

  char Advance() {
    char c = text_[pos_++];
    if (c == '\n') {
      ++line_;
      column_ = 1;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
      ++column_;
    }
    return c;
  }

  void SkipSpace() {
    while (pos_ < text_.size()) {
      if (IsSpace(text_[pos_])) {
        Advance();
      } else if (text_[pos_] == '#') {
        while (pos_ < text_.size() && text_[pos_] != '\n') Advance();
      } else {
        break;
      }
    }
  }

  Token Here() const {
    Token t;
    t.line = line_;
    t.column = column_;
    return t;
  }

  std::u32string StringBody(const Token& start) {
    Advance();  // the opening quote
    std::u32string out;
    while (true) {
      if (pos_ >= text_.size() || text_[pos_] == '\n') Fail(start, "unterminated string");
      Token here = Here();
      if (text_[pos_] == '"') {
        Advance();
        return out;
      }
      if (text_[pos_] != '\\') {
        std::size_t at = pos_;
        std::optional<char32_t> c = DecodeUtf8(text_, &at);
        if (!c) Fail(here, "the source is not valid UTF-8 here");
        while (pos_ < at) Advance();
        out += *c;
        continue;
      }
      Advance();
      char e = pos_ < text_.size() ? Advance() : '\0';
      switch (e) {
        case '"':
        case '\\':
          out += static_cast<char32_t>(e);
          break;
        case 'n':
          out += U'\n';
          break;
        case 'r':
          out += U'\r';
          break;
        case 't':
          out += U'\t';
          break;
        case 'x': {
          int hi = HexDigit(Peek());
          if (hi >= 0) Advance();
          int lo = HexDigit(Peek());
          if (hi < 0 || lo < 0) Fail(here, "\\x needs two hex digits");
          Advance();
          out += kRawByte + static_cast<char32_t>(hi * 16 + lo);
          break;
        }
        case 'u': {
          if (Peek() != '{') Fail(here, "\\u needs braces: \\u{627}");
          Advance();
          char32_t cp = 0;
          int digits = 0;
          while (HexDigit(Peek()) >= 0 && digits < 7) {
            cp = cp * 16 + HexDigit(Advance());
            ++digits;
          }
          if (Peek() != '}' || digits == 0 || cp > 0x10FFFF)
            Fail(here, "\\u{...} needs one to six hex digits of a code point");
          Advance();
          out += cp;
          break;
        }
        default:
          Fail(here, "unknown escape");
      }
    }
  }

  std::string HexBody(const Token& start) {
    Advance();  // the opening brace
    std::string out;
    int high = -1;
    while (true) {
      SkipSpace();
      if (pos_ >= text_.size()) Fail(start, "unterminated binary value");
      Token here = Here();
      char c = Advance();
      if (c == '}') break;
      int d = HexDigit(c);
      if (d < 0) Fail(here, "a binary value holds only hex digits");
      if (high < 0) {
        high = d;
      } else {
        out += static_cast<char>(high * 16 + d);
        high = -1;
      }
    }
    if (high >= 0) Fail(start, "a binary value needs an even number of hex digits");
    return out;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int column_ = 1;
};

bool IsRecordWord(std::string_view w) {
  return w == "object" || w == "inherited" || w == "inline" || w == "prefix";
}

class Parser {
 public:
  Parser(std::string_view text, const std::filesystem::path& baseDir,
         std::vector<std::filesystem::path>* referenced)
      : lexer_(text), baseDir_(baseDir), referenced_(referenced) {
    Advance();
  }

  ObjectRecord Root() {
    if (!IsWord() || !IsRecordWord(token_.text)) Fail("a description starts with 'object'");
    ObjectRecord root = Object(0, true);
    if (token_.kind != TokenKind::kEnd) Fail("only one root object is allowed");
    return root;
  }

 private:
  void Advance() {
    token_ = next_ ? *next_ : lexer_.Next();
    next_.reset();
  }

  const Token& PeekNext() {
    if (!next_) next_ = lexer_.Next();
    return *next_;
  }

  [[noreturn]] void Fail(const std::string& what) const { Lexer::Fail(token_, what); }
  [[noreturn]] void FailAt(const Token& at, const std::string& what) const {
    Lexer::Fail(at, what);
  }

  bool IsWord() const { return token_.kind == TokenKind::kWord; }
  bool IsWord(std::string_view w) const { return IsWord() && token_.text == w; }
  bool IsPunct(char c) const { return token_.kind == TokenKind::kPunct && token_.text[0] == c; }

  void Expect(char c) {
    if (!IsPunct(c)) Fail(std::string("expected '") + c + "'");
    Advance();
  }

  // Called for every object, value and item: bounds the nesting, and counts the part.
  void Deeper(int depth) {
    if (depth >= kMaxDepth) Fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
    CountPart();
  }

  // Bounds the parts (objects, values, items, set elements), so that a description costs
  // memory in proportion to a form's, not to its length.
  void CountPart() {
    if (++parts_ > kMaxParts) Fail("more than " + std::to_string(kMaxParts) + " values");
  }

  // A name in a record header, property or set: a plain word or a single-byte string.
  std::string Name(const char* what, bool dotted) {
    std::string name;
    if (IsWord() && IsPlainName(token_.text, dotted)) {
      name = token_.text;
    } else if (token_.kind == TokenKind::kString && token_.text.empty()) {
      name = Ansi(token_);
    } else {
      Fail(std::string("expected ") + what);
    }
    if (name.size() > 255) Fail(std::string(what) + " is longer than 255 bytes");
    Advance();
    return name;
  }

  std::string Ansi(const Token& t) const {
    char32_t bad = 0;
    std::optional<std::string> bytes = LiteralToAnsi(t.literal, &bad);
    if (!bytes) {
      char buf[96];
      std::snprintf(buf, sizeof buf,
                    "U+%04X has no exact form in code page 1256; use utf8\"...\" or wide\"...\"",
                    static_cast<unsigned>(bad));
      FailAt(t, buf);
    }
    return *bytes;
  }

  ObjectRecord Object(int depth, bool root) {
    Deeper(depth);
    ObjectRecord record;
    std::uint8_t flags = 0;
    if (IsWord("prefix")) {
      Advance();
      std::optional<std::int64_t> byte =
          token_.kind == TokenKind::kNumber ? Integer(token_.text) : std::nullopt;
      if (!byte || *byte < 0xF0 || *byte > 0xFF) Fail("a prefix byte is 0xF0 to 0xFF");
      record.prefix = static_cast<std::uint8_t>(*byte);
      Advance();
    } else {
      for (bool more = true; more;) {
        if (IsWord("inherited") && !(flags & kPrefixInherited)) {
          flags |= kPrefixInherited;
          Advance();
        } else if (IsWord("inline") && !(flags & kPrefixInline)) {
          flags |= kPrefixInline;
          Advance();
        } else {
          more = false;
        }
      }
    }
    if (!IsWord("object")) Fail("expected 'object'");
    Advance();
    record.name = Name("an object name", false);
    Expect(':');
    const Token classToken = token_;
    record.className = Name("a class name", false);
    if (IsWord("at") && !(PeekNext().kind == TokenKind::kPunct && PeekNext().text == "=")) {
      Advance();
      flags |= kPrefixChildPosition;
      record.position = Value(depth + 1);
    }
    if (record.prefix) {
      if (((*record.prefix & kPrefixChildPosition) != 0) != record.position.has_value())
        FailAt(classToken, "a prefix byte with the child position bit needs 'at', and only it");
    } else if (flags) {
      record.prefix = static_cast<std::uint8_t>(0xF0 | flags);
    } else if (record.className.size() >= 0xF0 || (!root && record.className.empty())) {
      FailAt(classToken, "this class name needs a prefix byte: write 'prefix 0xF0 object ...'");
    }
    record.entries = Entries(depth, true);
    while (IsWord() && IsRecordWord(token_.text))
      record.children.push_back(Object(depth + 1, false));
    if (IsWord() && !IsWord("end") && PeekNext().kind == TokenKind::kPunct &&
        PeekNext().text == "=")
      Fail("properties come before the child objects");
    if (!IsWord("end")) Fail("expected 'end'");
    Advance();
    return record;
  }

  std::vector<PropertyEntry> Entries(int depth, bool inObject) {
    std::vector<PropertyEntry> entries;
    while (!IsWord("end") && !(inObject && IsWord() && IsRecordWord(token_.text))) {
      if (token_.kind == TokenKind::kEnd) Fail("expected 'end'");
      PropertyEntry entry;
      entry.name = Name("a property name", true);
      if (entry.name.empty()) Fail("a property name cannot be empty");
      Expect('=');
      entry.value = Value(depth + 1);
      entries.push_back(std::move(entry));
    }
    return entries;
  }

  static std::optional<std::int64_t> Integer(std::string_view text) {
    bool negative = !text.empty() && text[0] == '-';
    if (negative || (!text.empty() && text[0] == '+')) text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
      base = 16;
      text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t magnitude = 0;
    constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
    for (char c : text) {
      int d = HexDigit(c);
      if (d < 0 || d >= base || magnitude > (kLimit - d) / base) return std::nullopt;
      magnitude = magnitude * base + d;
    }
    if (!negative && magnitude == kLimit) return std::nullopt;
    return negative ? static_cast<std::int64_t>(0 - magnitude)
                    : static_cast<std::int64_t>(magnitude);
  }

  static bool IsFloatText(std::string_view text) {
    bool hex =
        text.find("0x") != std::string_view::npos || text.find("0X") != std::string_view::npos;
    return !hex && text.find_first_of(".eE") != std::string_view::npos;
  }

  formc::Value IntegerValue(ValueTag tag) {
    std::optional<std::int64_t> n = Integer(token_.text);
    if (!n || IsFloatText(token_.text)) Fail("expected an integer");
    std::int64_t lo = std::numeric_limits<std::int64_t>::min();
    std::int64_t hi = std::numeric_limits<std::int64_t>::max();
    if (tag == ValueTag::tagInt8) lo = INT8_MIN, hi = INT8_MAX;
    if (tag == ValueTag::tagInt16) lo = INT16_MIN, hi = INT16_MAX;
    if (tag == ValueTag::tagInt32) lo = INT32_MIN, hi = INT32_MAX;
    if (*n < lo || *n > hi) Fail("the integer does not fit its tag");
    formc::Value v;
    v.tag = tag;
    v.integer = *n;
    Advance();
    return v;
  }

  static ValueTag SmallestIntegerTag(std::int64_t n) {
    if (n >= INT8_MIN && n <= INT8_MAX) return ValueTag::tagInt8;
    if (n >= INT16_MIN && n <= INT16_MAX) return ValueTag::tagInt16;
    if (n >= INT32_MIN && n <= INT32_MAX) return ValueTag::tagInt32;
    return ValueTag::tagInt64;
  }

  formc::Value FloatValue(ValueTag tag) {
    formc::Value v;
    v.tag = tag;
    if (token_.kind == TokenKind::kHex) {
      v.bytes = token_.text;
      std::size_t size = tag == ValueTag::tagExtended ? 10 : tag == ValueTag::tagSingle ? 4 : 8;
      if (v.bytes.size() != size)
        Fail("a raw float payload here is " + std::to_string(size) + " bytes");
    } else {
      std::optional<std::string> payload;
      if (token_.kind == TokenKind::kNumber || IsWord()) payload = ParseFloat(tag, token_.text);
      if (!payload) Fail("expected a number that the float type can hold");
      v.bytes = *payload;
    }
    Advance();
    return v;
  }

  std::optional<ValueTag> TypeWord() const {
    static constexpr std::pair<std::string_view, ValueTag> kWords[] = {
        {"int8", ValueTag::tagInt8},         {"int16", ValueTag::tagInt16},
        {"int32", ValueTag::tagInt32},       {"int64", ValueTag::tagInt64},
        {"ext", ValueTag::tagExtended},      {"single", ValueTag::tagSingle},
        {"currency", ValueTag::tagCurrency}, {"date", ValueTag::tagDate}};
    if (!IsWord()) return std::nullopt;
    for (const auto& [word, tag] : kWords)
      if (token_.text == word) return tag;
    return std::nullopt;
  }

  formc::Value Value(int depth) {
    Deeper(depth);
    formc::Value v;
    if (std::optional<ValueTag> typed = TypeWord()) {
      const Token& next = PeekNext();
      bool isFloat = *typed == ValueTag::tagExtended || *typed == ValueTag::tagSingle ||
                     *typed == ValueTag::tagDate;
      bool operand =
          next.kind == TokenKind::kNumber ||
          (isFloat &&
           (next.kind == TokenKind::kHex ||
            (next.kind == TokenKind::kWord && (next.text == "inf" || next.text == "-inf" ||
                                               next.text == "nan" || next.text == "-nan"))));
      if (operand) {
        Advance();
        if (isFloat) return FloatValue(*typed);
        if (*typed != ValueTag::tagCurrency) return IntegerValue(*typed);
        std::optional<std::int64_t> amount = ParseCurrency(token_.text);
        if (!amount) Fail("a currency amount has at most four decimals and fits 64 bits");
        v.tag = ValueTag::tagCurrency;
        v.integer = *amount;
        Advance();
        return v;
      }
    }
    switch (token_.kind) {
      case TokenKind::kNumber:
        if (IsFloatText(token_.text)) return FloatValue(ValueTag::tagExtended);
        if (std::optional<std::int64_t> n = Integer(token_.text))
          return IntegerValue(SmallestIntegerTag(*n));
        Fail("not a number");
      case TokenKind::kWord: {
        static constexpr std::pair<std::string_view, ValueTag> kKeywords[] = {
            {"true", ValueTag::tagTrue},
            {"false", ValueTag::tagFalse},
            {"nil", ValueTag::tagNil},
            {"null", ValueTag::tagEnd}};
        for (const auto& [word, tag] : kKeywords) {
          if (EqualNoCase(token_.text, word)) {
            v.tag = tag;
            Advance();
            return v;
          }
        }
        if (IsRecordWord(token_.text) || IsWord("end") || IsWord("item")) Fail("expected a value");
        if (!IsPlainName(token_.text, true)) Fail("not an identifier");
        v.tag = ValueTag::tagIdent;
        v.bytes = token_.text;
        if (v.bytes.size() > 255) Fail("an identifier is at most 255 bytes");
        Advance();
        return v;
      }
      case TokenKind::kString:
        return StringValue();
      case TokenKind::kHex:
        v.tag = ValueTag::tagBinary;
        v.bytes = token_.text;
        Advance();
        return v;
      case TokenKind::kFile:
        v.tag = ValueTag::tagBinary;
        v.bytes = ReadFile(token_.text);
        Advance();
        return v;
      case TokenKind::kPunct:
        if (IsPunct('[')) return SetValue();
        if (IsPunct('(')) return ListValue(depth);
        if (IsPunct('<')) return CollectionValue(depth);
        break;
      case TokenKind::kEnd:
        break;
    }
    Fail("expected a value");
  }

  formc::Value StringValue() {
    formc::Value v;
    const std::string& prefix = token_.text;
    char32_t bad = 0;
    auto fail = [&](const char* form) {
      char buf[96];
      if (bad >= kRawByte)
        std::snprintf(buf, sizeof buf, "%s cannot hold the raw byte 0x%02X", form,
                      static_cast<unsigned>(bad - kRawByte));
      else
        std::snprintf(buf, sizeof buf, "%s cannot hold U+%04X", form, static_cast<unsigned>(bad));
      Fail(buf);
    };
    if (prefix == "wide") {
      v.tag = ValueTag::tagWideString;
      std::optional<std::u16string> units = LiteralToWide(token_.literal, &bad);
      if (!units) fail("a wide string");
      v.wide = *units;
    } else if (prefix == "utf8") {
      v.tag = ValueTag::tagUtf8String;
      std::optional<std::string> bytes = LiteralToUtf8(token_.literal, &bad);
      if (!bytes) fail("a UTF-8 string");
      v.bytes = *bytes;
    } else {
      v.bytes = Ansi(token_);
      if (prefix == "ident") {
        v.tag = ValueTag::tagIdent;
      } else if (prefix == "long" || (prefix.empty() && v.bytes.size() > 255)) {
        v.tag = ValueTag::tagLongString;
      } else {
        v.tag = ValueTag::tagShortString;
      }
      if (v.tag != ValueTag::tagLongString && v.bytes.size() > 255)
        Fail("a short string or identifier is at most 255 bytes");
    }
    Advance();
    return v;
  }

  formc::Value SetValue() {
    formc::Value v;
    v.tag = ValueTag::tagSet;
    Advance();
    while (!IsPunct(']')) {
      if (!v.elements.empty()) Expect(',');
      std::string element = Name("a set element", false);
      if (element.empty()) Fail("a set element cannot be empty");
      CountPart();
      v.elements.push_back(std::move(element));
    }
    Advance();
    return v;
  }

  formc::Value ListValue(int depth) {
    formc::Value v;
    v.tag = ValueTag::tagList;
    Advance();
    while (!IsPunct(')')) {
      const Token at = token_;
      formc::Value item = Value(depth + 1);
      if (item.tag == ValueTag::tagEnd) FailAt(at, "null would end the list; it cannot be an item");
      v.items.push_back(std::move(item));
    }
    Advance();
    return v;
  }

  formc::Value CollectionValue(int depth) {
    formc::Value v;
    v.tag = ValueTag::tagCollection;
    Advance();
    while (!IsPunct('>')) {
      if (!IsWord("item")) Fail("expected 'item' or '>'");
      Deeper(depth + 1);
      Advance();
      CollectionItem item;
      if (token_.kind == TokenKind::kNumber) {
        std::optional<std::int64_t> n = Integer(token_.text);
        if (!n || *n < INT32_MIN || *n > INT32_MAX || IsFloatText(token_.text))
          Fail("an order value is a 32-bit integer");
        item.order = IntegerValue(SmallestIntegerTag(*n));
      } else if (std::optional<ValueTag> typed = TypeWord();
                 typed && PeekNext().kind == TokenKind::kNumber &&
                 (*typed == ValueTag::tagInt8 || *typed == ValueTag::tagInt16 ||
                  *typed == ValueTag::tagInt32)) {
        Advance();
        item.order = IntegerValue(*typed);
      }
      item.entries = Entries(depth + 1, false);
      Advance();  // end
      v.collection.push_back(std::move(item));
    }
    Advance();
    return v;
  }

  // A referenced file is a regular file in the description's folder or below it: a description
  // names the pictures it is made with, not any file of the machine.
  std::string ReadFile(const std::string& name) {
    const std::filesystem::path path = baseDir_ / std::filesystem::path(name);
    std::string bytes;
    try {
      const std::filesystem::path base =
          std::filesystem::weakly_canonical(baseDir_.empty() ? "." : baseDir_);
      const std::filesystem::path target = std::filesystem::weakly_canonical(path);
      const std::filesystem::path inside = target.lexically_relative(base);
      if (std::filesystem::path(name).is_absolute() || inside.empty() || *inside.begin() == "..")
        Fail("cannot read " + path.string() + ": it is not below the description's folder");
      SourceFile file(path);
      file.Read(static_cast<std::size_t>(file.Size()), &bytes);
    } catch (const FileError& e) {
      Fail(e.what());
    } catch (const std::filesystem::filesystem_error& e) {
      Fail("cannot read " + path.string() + ": " + e.code().message());
    }
    if (referenced_) referenced_->push_back(path);
    return bytes;
  }

  Lexer lexer_;
  Token token_;
  std::optional<Token> next_;
  std::filesystem::path baseDir_;
  std::vector<std::filesystem::path>* referenced_;
  std::size_t parts_ = 0;
};

}  // namespace

ObjectRecord ParseText(std::string_view text, const std::filesystem::path& baseDir,
                       std::vector<std::filesystem::path>* referenced) {
  return Parser(text, baseDir, referenced).Root();
}

}  // namespace formc
