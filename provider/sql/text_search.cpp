// Vectorised search in UTF-16 text, with plain loops where SSE2 is missing.
#include "provider/sql/text_search.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace provider::sql {
namespace {

#if defined(__SSE2__)
__m128i Load(const char16_t* at) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
}
#endif

bool SameAt(const char16_t* at, std::u16string_view needle) {
  return std::memcmp(at, needle.data(), needle.size() * sizeof(char16_t)) == 0;
}

}  // namespace

const char16_t* FindCharacter(const char16_t* begin, const char16_t* end, char16_t c) {
  const char16_t* at = begin;
#if defined(__SSE2__)
  const __m128i wanted = _mm_set1_epi16(static_cast<short>(c));
  for (; end - at >= 16; at += 16) {
    const unsigned low = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(Load(at), wanted)));
    const unsigned high =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(Load(at + 8), wanted)));
    const unsigned mask = low | high << 16;
    if (mask != 0) return at + __builtin_ctz(mask) / 2;
  }
#endif
  for (; at < end; ++at) {
    if (*at == c) return at;
  }
  return end;
}

std::size_t FindText(std::u16string_view text, std::u16string_view needle) {
  const std::size_t n = needle.size();
  if (n == 0) return 0;
  if (n > text.size()) return std::u16string_view::npos;
  const char16_t* begin = text.data();
  // Places a match may start: [begin, last].
  const char16_t* last = begin + (text.size() - n);
  if (n == 1) {
    const char16_t* at = FindCharacter(begin, last + 1, needle[0]);
    return at == last + 1 ? std::u16string_view::npos : static_cast<std::size_t>(at - begin);
  }
  const char16_t* at = begin;
#if defined(__SSE2__)
  const __m128i first = _mm_set1_epi16(static_cast<short>(needle[0]));
  const __m128i final = _mm_set1_epi16(static_cast<short>(needle[n - 1]));
  for (; last - at >= 8; at += 8) {
    const __m128i both =
        _mm_and_si128(_mm_cmpeq_epi16(Load(at), first), _mm_cmpeq_epi16(Load(at + n - 1), final));
    // One bit pair a place; the low bit of each pair is kept.
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(both)) & 0x5555u;
    while (mask != 0) {
      const int place = __builtin_ctz(mask) / 2;
      if (SameAt(at + place, needle)) return static_cast<std::size_t>(at + place - begin);
      mask &= mask - 1;
    }
  }
#endif
  for (; at <= last; ++at) {
    if (*at == needle[0] && at[n - 1] == needle[n - 1] && SameAt(at, needle))
      return static_cast<std::size_t>(at - begin);
  }
  return std::u16string_view::npos;
}

}  // namespace provider::sql
