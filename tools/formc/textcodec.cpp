// Text forms of names, strings and numbers, each chosen to parse back to the same bytes.
#include "tools/formc/textcodec.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/codepage.h"

namespace formc {
namespace {

static_assert(std::numeric_limits<long double>::digits == 64,
              "extended values are converted through the x87 80-bit long double");

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Characters that are invisible or reorder text: written as escapes so that a diff shows them.
bool IsInvisible(char32_t c) {
  return c == 0xAD || c == 0x061C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF ||
         (c >= 0xFFF9 && c <= 0xFFFB);
}

bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

void AppendCodePointEscape(std::string& out, char32_t c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "\\u{%X}", static_cast<unsigned>(c));
  out += buf;
}

void AppendByteEscape(std::string& out, unsigned char b) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\x%02X", b);
  out += buf;
}

// Writes one character of text into a quoted literal.
void AppendChar(std::string& out, char32_t c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      break;
  }
  if (IsControl(c) || IsInvisible(c) || (c >= 0xD800 && c <= 0xDFFF))
    AppendCodePointEscape(out, c);
  else
    platform::AppendUtf8(out, c);
}

// The code page byte that stores a character exactly, or -1.
int AnsiByteOf(char32_t c) {
  if (c < 0x80) return static_cast<int>(c);
  static const auto reverse = [] {
    std::array<std::pair<char16_t, unsigned char>, 128> table{};
    for (int b = 0x80; b < 0x100; ++b)
      table[b - 0x80] = {platform::AnsiCharToWide(static_cast<unsigned char>(b)),
                         static_cast<unsigned char>(b)};
    return table;
  }();
  for (const auto& [wide, byte] : reverse) {
    if (wide == c) return byte;
  }
  return -1;
}

}  // namespace

bool IsPlainName(std::string_view name, bool dotted) {
  bool partStart = true;
  for (char c : name) {
    if (c == '.' && dotted && !partStart) {
      partStart = true;
    } else if (IsLetter(c) || (IsDigit(c) && !partStart)) {
      partStart = false;
    } else {
      return false;
    }
  }
  return !partStart;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x += 32;
    if (y >= 'A' && y <= 'Z') y += 32;
    if (x != y) return false;
  }
  return true;
}

std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t* pos) {
  std::size_t i = *pos;
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  int extra;
  char32_t cp;
  if (lead < 0x80) {
    *pos = i + 1;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, cp = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (text.size() - i <= static_cast<std::size_t>(extra)) return std::nullopt;
  for (int k = 1; k <= extra; ++k) {
    unsigned char cont = byte(i + k);
    if ((cont & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (cont & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  *pos = i + 1 + extra;
  return cp;
}

std::string QuoteAnsi(std::string_view bytes) {
  std::string out = "\"";
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    char32_t c = platform::AnsiCharToWide(b);
    if (b >= 0x80 && (IsControl(c) || AnsiByteOf(c) != b))
      AppendByteEscape(out, b);
    else
      AppendChar(out, c);
  }
  return out + "\"";
}

std::string QuoteUtf8(std::string_view bytes) {
  std::string out = "\"";
  for (std::size_t i = 0; i < bytes.size();) {
    if (std::optional<char32_t> c = DecodeUtf8(bytes, &i)) {
      AppendChar(out, *c);
    } else {
      AppendByteEscape(out, static_cast<unsigned char>(bytes[i]));
      ++i;
    }
  }
  return out + "\"";
}

std::string QuoteWide(std::u16string_view units) {
  std::string out = "\"";
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    AppendChar(out, c);
  }
  return out + "\"";
}

std::optional<std::string> LiteralToAnsi(std::u32string_view literal, char32_t* bad) {
  std::string out;
  for (char32_t c : literal) {
    int b = c >= kRawByte ? static_cast<int>(c - kRawByte) : AnsiByteOf(c);
    if (b < 0) {
      *bad = c;
      return std::nullopt;
    }
    out += static_cast<char>(b);
  }
  return out;
}

std::optional<std::string> LiteralToUtf8(std::u32string_view literal, char32_t* bad) {
  std::string out;
  for (char32_t c : literal) {
    if (c >= kRawByte) {
      out += static_cast<char>(c - kRawByte);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      *bad = c;
      return std::nullopt;
    } else {
      platform::AppendUtf8(out, c);
    }
  }
  return out;
}

std::optional<std::u16string> LiteralToWide(std::u32string_view literal, char32_t* bad) {
  std::u16string out;
  for (char32_t c : literal) {
    if (c >= kRawByte) {
      *bad = c;
      return std::nullopt;
    }
    if (c >= 0x10000) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

namespace {

template <typename T>
std::string PayloadOf(T value, std::size_t size) {
  unsigned char raw[sizeof(T)] = {};
  std::memcpy(raw, &value, sizeof(T));
  return std::string(reinterpret_cast<const char*>(raw), size);
}

template <typename T>
T ValueOf(std::string_view payload) {
  unsigned char raw[sizeof(T)] = {};
  std::memcpy(raw, payload.data(), payload.size());
  T value;
  std::memcpy(&value, raw, sizeof(T));
  return value;
}

std::size_t PayloadSize(ValueTag tag) {
  return tag == ValueTag::tagExtended ? 10 : tag == ValueTag::tagSingle ? 4 : 8;
}

}  // namespace

std::optional<std::string> ParseFloat(ValueTag tag, std::string_view text) {
  std::string s(text);
  if (s.empty()) return std::nullopt;
  const char* begin = s.c_str();
  char* end = nullptr;
  errno = 0;
  std::string payload;
  bool infinite = false;
  if (tag == ValueTag::tagExtended) {
    long double v = std::strtold(begin, &end);
    infinite = std::isinf(v);
    payload = PayloadOf(v, 10);
  } else if (tag == ValueTag::tagSingle) {
    float v = std::strtof(begin, &end);
    infinite = std::isinf(v);
    payload = PayloadOf(v, 4);
  } else {
    double v = std::strtod(begin, &end);
    infinite = std::isinf(v);
    payload = PayloadOf(v, 8);
  }
  if (end != begin + s.size()) return std::nullopt;
  // Underflow to a denormal or zero is accepted: it is the nearest value the type holds.
  if (errno == ERANGE && infinite) return std::nullopt;
  return payload;
}

std::optional<std::string> FormatFloat(ValueTag tag, std::string_view payload) {
  if (payload.size() != PayloadSize(tag)) return std::nullopt;
  char buf[64];
  for (int precision = 1; precision <= 21; ++precision) {
    if (tag == ValueTag::tagExtended)
      std::snprintf(buf, sizeof buf, "%.*Lg", precision, ValueOf<long double>(payload));
    else if (tag == ValueTag::tagSingle)
      std::snprintf(buf, sizeof buf, "%.*g", precision,
                    static_cast<double>(ValueOf<float>(payload)));
    else
      std::snprintf(buf, sizeof buf, "%.*g", precision, ValueOf<double>(payload));
    std::optional<std::string> back = ParseFloat(tag, buf);
    if (back && *back == payload) {
      std::string text = buf;
      // Keep a point or exponent in finite values so that the text never reads as an integer.
      if (text.find_first_of(".eni") == std::string::npos) text += ".0";
      return text;
    }
  }
  return std::nullopt;
}

std::string FormatCurrency(std::int64_t scaled) {
  std::uint64_t magnitude = scaled < 0 ? 0 - static_cast<std::uint64_t>(scaled) : scaled;
  std::string text = (scaled < 0 ? "-" : "") + std::to_string(magnitude / 10000);
  if (unsigned fraction = magnitude % 10000) {
    char buf[8];
    std::snprintf(buf, sizeof buf, ".%04u", fraction);
    std::string digits = buf;
    while (digits.back() == '0') digits.pop_back();
    text += digits;
  }
  return text;
}

std::optional<std::int64_t> ParseCurrency(std::string_view text) {
  bool negative = !text.empty() && text[0] == '-';
  if (negative || (!text.empty() && text[0] == '+')) text.remove_prefix(1);
  std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
  if (whole.empty() || fraction.size() > 4 || (point != std::string_view::npos && fraction.empty()))
    return std::nullopt;
  std::uint64_t magnitude = 0;
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 63;
  auto push = [&](char c) {
    if (!IsDigit(c) || magnitude > (kLimit - (c - '0')) / 10) return false;
    magnitude = magnitude * 10 + (c - '0');
    return true;
  };
  for (char c : whole)
    if (!push(c)) return std::nullopt;
  for (std::size_t i = 0; i < 4; ++i)
    if (!push(i < fraction.size() ? fraction[i] : '0')) return std::nullopt;
  if (!negative && magnitude == kLimit) return std::nullopt;
  return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

}  // namespace formc
