// The thread locale, code page facts and character types: what right-to-left and double-byte
// decisions are computed from.
#pragma once

#include "platform/windef.h"

namespace platform {

using LCID = DWORD;
using LANGID = WORD;

constexpr LCID kPersianLocale = 0x0429;
constexpr LANGID LANG_PERSIAN = 0x29;

constexpr LANGID LANGIDFROMLCID(LCID lcid) {
  return LANGID(lcid & 0xFFFF);
}
constexpr LANGID PRIMARYLANGID(LANGID lang) {
  return LANGID(lang & 0x3FF);
}

LCID GetThreadLocale();
BOOL SetThreadLocale(LCID locale);
LCID GetUserDefaultLCID();

// The system's version word; the high bit is clear on the NT family, which this is.
DWORD GetVersion();

constexpr UINT MAX_LEADBYTES = 12;
struct CPINFO {
  UINT MaxCharSize;
  BYTE DefaultChar[2];
  BYTE LeadByte[MAX_LEADBYTES];
};
BOOL GetCPInfo(UINT codePage, CPINFO* info);
BOOL IsDBCSLeadByte(BYTE c);

// Character types. Only CT_CTYPE2, the bidirectional category, is answered.
constexpr DWORD CT_CTYPE1 = 1;
constexpr DWORD CT_CTYPE2 = 2;
constexpr DWORD CT_CTYPE3 = 4;
constexpr WORD C2_NOTAPPLICABLE = 0;
constexpr WORD C2_LEFTTORIGHT = 1;
constexpr WORD C2_RIGHTTOLEFT = 2;
constexpr WORD C2_EUROPENUMBER = 3;
constexpr WORD C2_EUROPESEPARATOR = 4;
constexpr WORD C2_EUROPETERMINATOR = 5;
constexpr WORD C2_ARABICNUMBER = 6;
constexpr WORD C2_COMMONSEPARATOR = 7;
constexpr WORD C2_BLOCKSEPARATOR = 8;
constexpr WORD C2_SEGMENTSEPARATOR = 9;
constexpr WORD C2_WHITESPACE = 10;
constexpr WORD C2_OTHERNEUTRAL = 11;

BOOL GetStringTypeW(DWORD infoType, const WCHAR* src, int count, WORD* types);
// Single-byte text in the code page of the locale (1256 here); count -1 means up to the NUL.
BOOL GetStringTypeExA(LCID locale, DWORD infoType, const char* src, int count, WORD* types);

// The process-wide locale flags every right-to-left and double-byte behaviour depends on,
// computed once at start-up from the thread locale, the system version, the code page's lead
// bytes and the character types of its upper half.
struct SysLocaleFlags {
  bool middleEast;  // right-to-left behaviour applies
  bool farEast;     // the code page is double-byte
};
SysLocaleFlags ComputeSysLocaleFlags();
// The flags as computed on first use.
const SysLocaleFlags& SysLocale();

}  // namespace platform
