// The system code page (Arabic 1256) and conversions between it, UTF-16 and UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "platform/windef.h"

namespace platform {

constexpr UINT CP_ACP = 0;
constexpr UINT CP_UTF8 = 65001;
constexpr UINT kArabicCodePage = 1256;

constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x8;

// The system's single-byte code page: 1256 for this program's Persian locale.
UINT GetACP();

// Win32-shaped conversions. Code page CP_ACP (or 1256) and CP_UTF8 are supported; any other
// code page fails with 0. With a null output (or size 0) the needed length is returned.
// UTF-16 to 1256 applies the best-fit table unless WC_NO_BEST_FIT_CHARS is given; a
// character with no close equivalent becomes '?' and sets *usedDefaultChar.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* src, int srcLen, WCHAR* dst,
                        int dstLen);
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* src, int srcLen, char* dst,
                        int dstLen, const char* defaultChar, BOOL* usedDefaultChar);

// Convenience forms over whole strings, in the system code page.
std::u16string AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::u16string_view wide);
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

// UTF-8 and UTF-16 between themselves. Malformed UTF-8 sequences and unpaired surrogates
// become U+FFFD; nothing is dropped silently.
std::u16string Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::u16string_view wide);
// The same appended to `out`, whose storage is reused.
void AppendWideAsUtf8(std::u16string_view wide, std::string& out);

bool IsHighSurrogate(char16_t c);
bool IsLowSurrogate(char16_t c);
// Writes the UTF-8 of `cp` (below U+110000) at `p`, which has room for four bytes; returns the
// end.
char* PutUtf8(char* p, char32_t cp);

// Appends one code point (below U+110000) as UTF-8.
void AppendUtf8(std::string& out, char32_t cp);

// The UTF-16 character of one system code page byte.
char16_t AnsiCharToWide(unsigned char c);

}  // namespace platform
