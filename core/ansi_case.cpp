// Locale case through UTF-16: the code page's letters are compared by what they are.
#include "core/ansi_case.h"

#include <algorithm>

#include "platform/codepage.h"

namespace {

// Simple upper-case mapping for the letters a single-byte code page can hold: ASCII, Latin-1
// and the Latin ligature œ. Other characters (Arabic script among them) have no case.
char16_t UpperOf(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  if (c == 0x153) return 0x152;
  return c;
}

}  // namespace

int AnsiCompareText(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    char16_t x = UpperOf(platform::AnsiCharToWide(static_cast<unsigned char>(a[i])));
    char16_t y = UpperOf(platform::AnsiCharToWide(static_cast<unsigned char>(b[i])));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

AnsiString AnsiUpperCase(std::string_view s) {
  AnsiString out(s);
  for (char& c : out) {
    char16_t wide = platform::AnsiCharToWide(static_cast<unsigned char>(c));
    char16_t upper = UpperOf(wide);
    if (upper == wide) continue;
    // Only letters whose capital the code page also holds change.
    std::string mapped = platform::WideToAnsi(std::u16string_view(&upper, 1));
    if (mapped.size() == 1 &&
        platform::AnsiCharToWide(static_cast<unsigned char>(mapped[0])) == upper) {
      c = mapped[0];
    }
  }
  return out;
}
