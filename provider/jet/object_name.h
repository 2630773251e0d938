// Comparison of table, column and query names, which the database treats without regard to case.
#pragma once

#include <string>
#include <string_view>

#include "platform/codepage.h"

namespace provider::jet {

// Whether two UTF-8 names are equal when letter case is ignored (Latin letters, with or without
// accents; other scripts have no case that matters to this program's names).
inline bool SameName(std::string_view a, std::string_view b) {
  if (a == b) return true;
  const std::u16string x = platform::Utf8ToWide(a);
  const std::u16string y = platform::Utf8ToWide(b);
  if (x.size() != y.size()) return false;
  auto lower = [](char16_t c) -> char16_t {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
      return static_cast<char16_t>(c + 32);
    return c;
  };
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (lower(x[i]) != lower(y[i])) return false;
  }
  return true;
}

// Whether `name` may name a table, column or query: 1 to 64 characters, not starting with a
// space, with no control characters and none of . ! ` [ ], which the SQL reserves.
inline bool IsValidObjectName(std::u16string_view name) {
  if (name.empty() || name.size() > 64 || name.front() == u' ') return false;
  for (char16_t c : name)
    if (c < 0x20 || c == u'.' || c == u'!' || c == u'`' || c == u'[' || c == u']') return false;
  return true;
}

// Jet's message for a name IsValidObjectName refuses.
inline std::string InvalidNameMessage(std::u16string_view name) {
  return "'" + platform::WideToUtf8(name) +
         "' is not a valid name. Make sure that it does not include invalid characters or "
         "punctuation and that it is not too long.";
}

}  // namespace provider::jet
