// The search folding table and the lookup built from it once.
#include "provider/sql/search_fold.h"

#include <array>
#include <cstdint>

namespace provider::sql {
namespace {

// One line of the table: the characters first..last fold to target + (c - first) when
// shifted, to target alone otherwise; kIgnored as target drops them.
struct Fold {
  char16_t first;
  char16_t last;
  char16_t target;
  bool shifted;
};

constexpr Fold kFolds[] = {
    // Letter case: ASCII, Latin-1, Greek and Cyrillic capitals as their small letters.
    {u'A', u'Z', u'a', true},
    {0x00C0, 0x00D6, 0x00E0, true},
    {0x00D8, 0x00DE, 0x00F8, true},
    {0x0391, 0x03A1, 0x03B1, true},
    {0x03A3, 0x03AB, 0x03C3, true},
    {0x0400, 0x040F, 0x0450, true},
    {0x0410, 0x042F, 0x0430, true},
    // Yeh: Arabic yeh, alef maksura and yeh with hamza as Farsi yeh.
    {0x064A, 0x064A, 0x06CC, false},
    {0x0649, 0x0649, 0x06CC, false},
    {0x0626, 0x0626, 0x06CC, false},
    // Kaf: Arabic kaf as keheh.
    {0x0643, 0x0643, 0x06A9, false},
    // Alef with hamza above, below, madda, and wasla as bare alef.
    {0x0623, 0x0623, 0x0627, false},
    {0x0625, 0x0625, 0x0627, false},
    {0x0622, 0x0622, 0x0627, false},
    {0x0671, 0x0671, 0x0627, false},
    // Waw with hamza as waw.
    {0x0624, 0x0624, 0x0648, false},
    // Teh marbuta and heh with yeh above as heh.
    {0x0629, 0x0629, 0x0647, false},
    {0x06C0, 0x06C0, 0x0647, false},
    // Arabic-Indic and Persian digits as ASCII digits.
    {0x0660, 0x0669, u'0', true},
    {0x06F0, 0x06F9, u'0', true},
    // Ignored: tatweel, harakat, superscript alef, ZWNJ and ZWJ.
    {0x0640, 0x0640, kIgnored, false},
    {0x064B, 0x065F, kIgnored, false},
    {0x0670, 0x0670, kIgnored, false},
    {0x200C, 0x200D, kIgnored, false},
    {0x0000, 0x0000, kIgnored, false},
};

using Lookup = std::array<char16_t, 0x10000>;

const Lookup& FoldLookup() {
  static const Lookup lookup = [] {
    Lookup l;
    for (std::uint32_t c = 0; c < l.size(); ++c) l[c] = static_cast<char16_t>(c);
    for (const Fold& f : kFolds) {
      for (std::uint32_t c = f.first; c <= f.last; ++c) {
        l[c] = f.shifted ? static_cast<char16_t>(f.target + (c - f.first)) : f.target;
      }
    }
    return l;
  }();
  return lookup;
}

}  // namespace

const std::array<char16_t, 0x10000>& FoldTable() {
  return FoldLookup();
}

char16_t FoldChar(char16_t c) {
  return FoldLookup()[c];
}

void FoldText(std::u16string_view text, std::u16string& out) {
  const Lookup& lookup = FoldLookup();
  out.resize(text.size());
  std::size_t n = 0;
  for (char16_t c : text) {
    char16_t f = lookup[c];
    out[n] = f;
    n += f != kIgnored;
  }
  out.resize(n);
}

std::u16string Folded(std::u16string_view text) {
  std::u16string out;
  FoldText(text, out);
  return out;
}

}  // namespace provider::sql
