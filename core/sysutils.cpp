// Text helpers over single-byte strings.
#include "core/sysutils.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsIdentStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

}  // namespace

AnsiString Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int needed = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  AnsiString result;
  if (needed > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    result.assign(buffer.data(), static_cast<std::size_t>(needed));
  }
  va_end(args);
  return result;
}

AnsiString QuotedStr(std::string_view s) {
  AnsiString result = "'";
  for (char c : s) {
    result += c;
    if (c == '\'') result += '\'';
  }
  result += '\'';
  return result;
}

int CompareText(std::string_view a, std::string_view b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
    auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareText(a, b) == 0;
}

AnsiString UpperCase(std::string_view s) {
  AnsiString result(s);
  for (char& c : result) c = AsciiUpper(c);
  return result;
}

bool IsValidIdent(std::string_view s) {
  if (s.empty() || !IsIdentStart(s[0])) return false;
  for (char c : s.substr(1)) {
    if (!IsIdentStart(c) && !(c >= '0' && c <= '9')) return false;
  }
  return true;
}
