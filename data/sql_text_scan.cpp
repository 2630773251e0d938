// Scanning SQL text for :name parameters.
#include "data/sql_text_scan.h"

#include "platform/locale.h"

namespace {

template <class C>
bool IsQuote(C c) {
  return c == '\'' || c == '"' || c == '`';
}

template <class C>
bool EndsName(C c) {
  return c == '\n' || c == '\r' || c == ' ' || c == ')' || c == ',' || c == ';';
}

// The code units of the character that starts at `at`: two for a double-byte lead byte with a
// byte after it, else one.
std::size_t CharLength(std::string_view text, std::size_t at) {
  bool lead = platform::IsDBCSLeadByte(static_cast<platform::BYTE>(text[at]));
  return lead && at + 1 < text.size() ? 2 : 1;
}

std::size_t CharLength(std::u16string_view, std::size_t) {
  return 1;
}

// Where a parameter name that starts at `from` ends: the first delimiter outside a literal, or
// the end of the text.
template <class C>
std::size_t NameEnd(std::basic_string_view<C> text, std::size_t from) {
  C quote = 0;
  std::size_t at = from;
  while (at < text.size()) {
    C c = text[at];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (IsQuote(c)) {
      quote = c;
    } else if (EndsName(c)) {
      break;
    }
    at += CharLength(text, at);
  }
  return at;
}

// A name written in quotes loses them, and a doubled quote inside becomes one.
template <class C>
std::basic_string<C> UnquotedName(std::basic_string_view<C> name) {
  if (name.empty() || !IsQuote(name.front())) return std::basic_string<C>(name);
  C quote = name.front();
  name.remove_prefix(1);
  if (!name.empty() && name.back() == quote) name.remove_suffix(1);
  std::basic_string<C> result;
  for (std::size_t i = 0; i < name.size(); ++i) {
    result += name[i];
    if (name[i] == quote && i + 1 < name.size() && name[i + 1] == quote) ++i;
  }
  return result;
}

template <class C>
TBasicScannedSQL<std::basic_string<C>> Scan(std::basic_string_view<C> text) {
  TBasicScannedSQL<std::basic_string<C>> result;
  result.Text.reserve(text.size());
  C quote = 0;  // the quote that opened the literal we are in, or 0 outside literals
  std::size_t at = 0;
  while (at < text.size()) {
    C c = text[at];
    std::size_t length = CharLength(text, at);
    if (length == 1 && quote != 0) {
      if (c == quote) quote = 0;
    } else if (length == 1 && IsQuote(c)) {
      quote = c;
    } else if (length == 1 && c == ':') {
      if (at + 1 < text.size() && text[at + 1] == ':') {
        result.Text += C(':');
        at += 2;
        continue;
      }
      std::size_t end = NameEnd(text, at + 1);
      if (end > at + 1) {
        result.Parameters.push_back(UnquotedName(text.substr(at + 1, end - at - 1)));
        result.Text += C('?');
        at = end;
        continue;
      }
    }
    result.Text.append(text.substr(at, length));
    at += length;
  }
  return result;
}

}  // namespace

TScannedSQL ScanSQLText(std::string_view text) {
  return Scan(text);
}

TScannedWideSQL ScanSQLText(std::u16string_view text) {
  return Scan(text);
}
