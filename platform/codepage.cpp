// Code page 1256 with a best-fit table for the Persian characters it lacks, and UTF-8.
#include "platform/codepage.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace platform {
namespace {

// Bytes 0x80..0xFF of code page 1256 as UTF-16. Bytes below 0x80 are ASCII.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x067E, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0679, 0x2039, 0x0152, 0x0686, 0x0698, 0x0688,  // 0x88
    0x06AF, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x06A9, 0x2122, 0x0691, 0x203A, 0x0153, 0x200C, 0x200D, 0x06BA,  // 0x98
    0x00A0, 0x060C, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x06BE, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,  // 0xA8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x00B9, 0x061B, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x061F,  // 0xB8
    0x06C1, 0x0621, 0x0622, 0x0623, 0x0624, 0x0625, 0x0626, 0x0627,  // 0xC0
    0x0628, 0x0629, 0x062A, 0x062B, 0x062C, 0x062D, 0x062E, 0x062F,  // 0xC8
    0x0630, 0x0631, 0x0632, 0x0633, 0x0634, 0x0635, 0x0636, 0x00D7,  // 0xD0
    0x0637, 0x0638, 0x0639, 0x063A, 0x0640, 0x0641, 0x0642, 0x0643,  // 0xD8
    0x00E0, 0x0644, 0x00E2, 0x0645, 0x0646, 0x0647, 0x0648, 0x00E7,  // 0xE0
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x0649, 0x064A, 0x00EE, 0x00EF,  // 0xE8
    0x064B, 0x064C, 0x064D, 0x064E, 0x00F4, 0x064F, 0x0650, 0x00F7,  // 0xF0
    0x0651, 0x00F9, 0x0652, 0x00FB, 0x00FC, 0x200E, 0x200F, 0x06D2,  // 0xF8
};

// Best fit for characters 1256 lacks: a range of UTF-16 characters and the bytes each one
// becomes (an empty text drops the character: it is a mark that 1256 writes without).
struct BestFit {
  char16_t first;
  char16_t last;
  const char* bytes;
};

// Sorted by first character; ranges do not overlap.
constexpr BestFit kBestFit[] = {
    {0x0654, 0x0655, ""},      // hamza above and below: dropped, as 1256 text is written
    {0x0660, 0x0660, "0"},     // Arabic-Indic digits as ASCII digits
    {0x0661, 0x0661, "1"},
    {0x0662, 0x0662, "2"},
    {0x0663, 0x0663, "3"},
    {0x0664, 0x0664, "4"},
    {0x0665, 0x0665, "5"},
    {0x0666, 0x0666, "6"},
    {0x0667, 0x0667, "7"},
    {0x0668, 0x0668, "8"},
    {0x0669, 0x0669, "9"},
    {0x066A, 0x066A, "%"},     // Arabic percent sign
    {0x066B, 0x066B, "."},     // Arabic decimal separator
    {0x066C, 0x066C, ","},     // Arabic thousands separator
    {0x066D, 0x066D, "*"},     // Arabic five-pointed star
    {0x0670, 0x0670, ""},      // superscript alef: a vowel mark, dropped
    {0x06C0, 0x06C0, "\xE5"},  // heh with yeh above as heh
    {0x06CC, 0x06CC, "\xED"},  // Farsi yeh as Arabic yeh
    {0x06D5, 0x06D5, "\xE5"},  // ae as heh
    {0x06F0, 0x06F0, "0"},     // Persian digits as ASCII digits
    {0x06F1, 0x06F1, "1"},
    {0x06F2, 0x06F2, "2"},
    {0x06F3, 0x06F3, "3"},
    {0x06F4, 0x06F4, "4"},
    {0x06F5, 0x06F5, "5"},
    {0x06F6, 0x06F6, "6"},
    {0x06F7, 0x06F7, "7"},
    {0x06F8, 0x06F8, "8"},
    {0x06F9, 0x06F9, "9"},
    {0x2010, 0x2012, "-"},     // hyphens and figure dash
    {0x202A, 0x202E, ""},      // bidi embeddings and overrides: 1256 has only LRM and RLM
    {0x2212, 0x2212, "-"},     // minus sign
    // Presentation forms (positional and lam-alef ligature glyphs) as their base letters.
      {0xFB56, 0xFB59, "\x81"},
      {0xFB66, 0xFB69, "\x8A"},
      {0xFB7A, 0xFB7D, "\x8D"},
      {0xFB88, 0xFB89, "\x8F"},
      {0xFB8A, 0xFB8B, "\x8E"},
      {0xFB8C, 0xFB8D, "\x9A"},
      {0xFB8E, 0xFB91, "\x98"},
      {0xFB92, 0xFB95, "\x90"},
      {0xFB9E, 0xFB9F, "\x9F"},
      {0xFBA4, 0xFBA5, "\xE5"},
      {0xFBA6, 0xFBA9, "\xC0"},
      {0xFBAA, 0xFBAD, "\xAA"},
      {0xFBAE, 0xFBAF, "\xFF"},
      {0xFBE8, 0xFBE9, "\xEC"},
      {0xFBEA, 0xFBEB, "\xC6\xC7"},
      {0xFBEC, 0xFBED, "\xC6\xE5"},
      {0xFBEE, 0xFBEF, "\xC6\xE6"},
      {0xFBF9, 0xFBFB, "\xC6\xEC"},
      {0xFBFC, 0xFBFF, "\xED"},
      {0xFE70, 0xFE70, "\x20\xF0"},
      {0xFE71, 0xFE71, "\xDC\xF0"},
      {0xFE72, 0xFE72, "\x20\xF1"},
      {0xFE74, 0xFE74, "\x20\xF2"},
      {0xFE76, 0xFE76, "\x20\xF3"},
      {0xFE77, 0xFE77, "\xDC\xF3"},
      {0xFE78, 0xFE78, "\x20\xF5"},
      {0xFE79, 0xFE79, "\xDC\xF5"},
      {0xFE7A, 0xFE7A, "\x20\xF6"},
      {0xFE7B, 0xFE7B, "\xDC\xF6"},
      {0xFE7C, 0xFE7C, "\x20\xF8"},
      {0xFE7D, 0xFE7D, "\xDC\xF8"},
      {0xFE7E, 0xFE7E, "\x20\xFA"},
      {0xFE7F, 0xFE7F, "\xDC\xFA"},
      {0xFE80, 0xFE80, "\xC1"},
      {0xFE81, 0xFE82, "\xC2"},
      {0xFE83, 0xFE84, "\xC3"},
      {0xFE85, 0xFE86, "\xC4"},
      {0xFE87, 0xFE88, "\xC5"},
      {0xFE89, 0xFE8C, "\xC6"},
      {0xFE8D, 0xFE8E, "\xC7"},
      {0xFE8F, 0xFE92, "\xC8"},
      {0xFE93, 0xFE94, "\xC9"},
      {0xFE95, 0xFE98, "\xCA"},
      {0xFE99, 0xFE9C, "\xCB"},
      {0xFE9D, 0xFEA0, "\xCC"},
      {0xFEA1, 0xFEA4, "\xCD"},
      {0xFEA5, 0xFEA8, "\xCE"},
      {0xFEA9, 0xFEAA, "\xCF"},
      {0xFEAB, 0xFEAC, "\xD0"},
      {0xFEAD, 0xFEAE, "\xD1"},
      {0xFEAF, 0xFEB0, "\xD2"},
      {0xFEB1, 0xFEB4, "\xD3"},
      {0xFEB5, 0xFEB8, "\xD4"},
      {0xFEB9, 0xFEBC, "\xD5"},
      {0xFEBD, 0xFEC0, "\xD6"},
      {0xFEC1, 0xFEC4, "\xD8"},
      {0xFEC5, 0xFEC8, "\xD9"},
      {0xFEC9, 0xFECC, "\xDA"},
      {0xFECD, 0xFED0, "\xDB"},
      {0xFED1, 0xFED4, "\xDD"},
      {0xFED5, 0xFED8, "\xDE"},
      {0xFED9, 0xFEDC, "\xDF"},
      {0xFEDD, 0xFEE0, "\xE1"},
      {0xFEE1, 0xFEE4, "\xE3"},
      {0xFEE5, 0xFEE8, "\xE4"},
      {0xFEE9, 0xFEEC, "\xE5"},
      {0xFEED, 0xFEEE, "\xE6"},
      {0xFEEF, 0xFEF0, "\xEC"},
      {0xFEF1, 0xFEF4, "\xED"},
      {0xFEF5, 0xFEF6, "\xE1\xC2"},
      {0xFEF7, 0xFEF8, "\xE1\xC3"},
      {0xFEF9, 0xFEFA, "\xE1\xC5"},
      {0xFEFB, 0xFEFC, "\xE1\xC7"},
    {0xFEFF, 0xFEFF, ""},      // byte order mark
};

const BestFit* FindBestFit(char16_t c) {
  auto it = std::upper_bound(std::begin(kBestFit), std::end(kBestFit), c,
                             [](char16_t v, const BestFit& f) { return v < f.first; });
  if (it == std::begin(kBestFit)) return nullptr;
  --it;
  return c <= it->last ? &*it : nullptr;
}

// Reverse of kHighHalf: the byte of a UTF-16 character, or -1.
int DirectByte(char16_t c) {
  if (c < 0x80) return c;
  static const auto reverse = [] {
    std::array<std::pair<char16_t, unsigned char>, 128> r{};
    for (int i = 0; i < 128; ++i) r[i] = {kHighHalf[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(r.begin(), r.end());
    return r;
  }();
  auto it = std::lower_bound(reverse.begin(), reverse.end(), std::make_pair(c, (unsigned char)0));
  return it != reverse.end() && it->first == c ? it->second : -1;
}

void AppendUtf16(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// Decodes UTF-8, replacing each malformed, overlong or surrogate sequence by U+FFFD.
// Returns false if any replacement was made.
bool DecodeUtf8(std::string_view utf8, std::u16string& out) {
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  bool valid = true;
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char lead = utf8[i];
    int extra = lead < 0x80 ? 0 : (lead >> 5) == 6 ? 1 : (lead >> 4) == 14 ? 2 : (lead >> 3) == 30 ? 3 : -1;
    char32_t cp = extra <= 0 ? lead : lead & (0x3F >> extra);
    bool ok = extra >= 0 && i + extra < utf8.size();
    for (int k = 1; ok && k <= extra; ++k) {
      unsigned char cont = utf8[i + k];
      ok = (cont & 0xC0) == 0x80;
      cp = (cp << 6) | (cont & 0x3F);
    }
    ok = ok && cp >= kMin[extra] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    if (!ok) {
      out += u'\uFFFD';
      valid = false;
      ++i;
      continue;
    }
    AppendUtf16(out, cp);
    i += extra + 1;
  }
  return valid;
}

// Encodes UTF-16 into 1256. Returns false if some character had to become the default.
bool EncodeAnsi(std::u16string_view wide, bool bestFit, char defaultChar, std::string& out) {
  bool exact = true;
  for (size_t i = 0; i < wide.size(); ++i) {
    char16_t c = wide[i];
    if (int b = DirectByte(c); b >= 0) {
      out += static_cast<char>(b);
      continue;
    }
    if (bestFit) {
      if (const BestFit* f = FindBestFit(c)) {
        out += f->bytes;
        continue;
      }
    }
    if (IsHighSurrogate(c) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) ++i;
    out += defaultChar;
    exact = false;
  }
  return exact;
}

bool IsSupported(UINT codePage) {
  return codePage == CP_ACP || codePage == kArabicCodePage || codePage == CP_UTF8;
}

template <typename Char>
int CopyOut(const std::basic_string<Char>& s, Char* dst, int dstLen) {
  if (dst == nullptr || dstLen == 0) return static_cast<int>(s.size());
  if (static_cast<int>(s.size()) > dstLen) return 0;
  std::copy(s.begin(), s.end(), dst);
  return static_cast<int>(s.size());
}

}  // namespace

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

char* PutUtf8(char* p, char32_t cp) {
  if (cp < 0x80) {
    *p++ = static_cast<char>(cp);
  } else if (cp < 0x800) {
    *p++ = static_cast<char>(0xC0 | (cp >> 6));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    *p++ = static_cast<char>(0xE0 | (cp >> 12));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    *p++ = static_cast<char>(0xF0 | (cp >> 18));
    *p++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    *p++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    *p++ = static_cast<char>(0x80 | (cp & 0x3F));
  }
  return p;
}

void AppendUtf8(std::string& out, char32_t cp) {
  char bytes[4];
  out.append(bytes, PutUtf8(bytes, cp));
}

UINT GetACP() { return kArabicCodePage; }

char16_t AnsiCharToWide(unsigned char c) { return c < 0x80 ? c : kHighHalf[c - 0x80]; }

std::u16string AnsiToWide(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  for (unsigned char c : ansi) out += AnsiCharToWide(c);
  return out;
}

std::string WideToAnsi(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  EncodeAnsi(wide, true, '?', out);
  return out;
}

std::u16string Utf8ToWide(std::string_view utf8) {
  std::u16string out;
  DecodeUtf8(utf8, out);
  return out;
}

std::string WideToUtf8(std::u16string_view wide) {
  std::string out;
  AppendWideAsUtf8(wide, out);
  return out;
}

void AppendWideAsUtf8(std::u16string_view wide, std::string& out) {
  // Written in place into room for the longest encoding (three bytes a unit, four a pair), then
  // cut: appending byte by byte dominated the time of exporting long memos.
  const std::size_t start = out.size();
  out.resize(start + wide.size() * 3);
  char* p = out.data() + start;
  for (size_t i = 0; i < wide.size(); ++i) {
    const char16_t c = wide[i];
    if (c < 0x800) {
      // Latin and Arabic-script text, nearly all there is, takes one or two bytes a character.
      // Both bytes are written and the pointer moved by one or two, without a branch: text that
      // mixes the two (Persian words and spaces) mispredicted nearly every character.
      const bool twoBytes = c >= 0x80;
      p[0] = static_cast<char>(twoBytes ? 0xC0 | (c >> 6) : c);
      p[1] = static_cast<char>(0x80 | (c & 0x3F));
      p += 1 + twoBytes;
    } else if (IsHighSurrogate(c) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
      p = PutUtf8(p, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (wide[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      p = PutUtf8(p, 0xFFFD);
    } else {
      p = PutUtf8(p, c);
    }
  }
  out.resize(static_cast<size_t>(p - out.data()));
}

std::string AnsiToUtf8(std::string_view ansi) { return WideToUtf8(AnsiToWide(ansi)); }

std::string Utf8ToAnsi(std::string_view utf8) { return WideToAnsi(Utf8ToWide(utf8)); }

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* src, int srcLen, WCHAR* dst,
                        int dstLen) {
  if (!IsSupported(codePage) || src == nullptr) return 0;
  std::string_view in = srcLen < 0 ? std::string_view(src, std::strlen(src) + 1)
                                   : std::string_view(src, static_cast<size_t>(srcLen));
  std::u16string out;
  if (codePage != CP_UTF8) {
    out = AnsiToWide(in);
  } else if (!DecodeUtf8(in, out) && (flags & MB_ERR_INVALID_CHARS)) {
    return 0;
  }
  return CopyOut(out, dst, dstLen);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* src, int srcLen, char* dst,
                        int dstLen, const char* defaultChar, BOOL* usedDefaultChar) {
  if (!IsSupported(codePage) || src == nullptr) return 0;
  std::u16string_view in = srcLen < 0
                               ? std::u16string_view(src, std::char_traits<char16_t>::length(src) + 1)
                               : std::u16string_view(src, static_cast<size_t>(srcLen));
  std::string out;
  if (codePage == CP_UTF8) {
    out = WideToUtf8(in);
  } else {
    bool exact = EncodeAnsi(in, !(flags & WC_NO_BEST_FIT_CHARS),
                            defaultChar ? *defaultChar : '?', out);
    if (usedDefaultChar) *usedDefaultChar = exact ? FALSE : TRUE;
  }
  return CopyOut(out, dst, dstLen);
}

}  // namespace platform
