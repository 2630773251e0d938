// The Persian thread locale and bidirectional character types from the Unicode tables.
#include "platform/locale.h"

#include <fribidi.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/codepage.h"
#include "platform/winuser.h"

namespace platform {
namespace {

thread_local LCID threadLocale = kPersianLocale;

WORD BidiCategory(char16_t c) {
  switch (fribidi_get_bidi_type(FriBidiChar(c))) {
    case FRIBIDI_TYPE_LTR:
      return C2_LEFTTORIGHT;
    case FRIBIDI_TYPE_RTL:
    case FRIBIDI_TYPE_AL:
      return C2_RIGHTTOLEFT;
    case FRIBIDI_TYPE_EN:
      return C2_EUROPENUMBER;
    case FRIBIDI_TYPE_ES:
      return C2_EUROPESEPARATOR;
    case FRIBIDI_TYPE_ET:
      return C2_EUROPETERMINATOR;
    case FRIBIDI_TYPE_AN:
      return C2_ARABICNUMBER;
    case FRIBIDI_TYPE_CS:
      return C2_COMMONSEPARATOR;
    case FRIBIDI_TYPE_BS:
      return C2_BLOCKSEPARATOR;
    case FRIBIDI_TYPE_SS:
      return C2_SEGMENTSEPARATOR;
    case FRIBIDI_TYPE_WS:
      return C2_WHITESPACE;
    case FRIBIDI_TYPE_ON:
      return C2_OTHERNEUTRAL;
    default:
      return C2_NOTAPPLICABLE;
  }
}

}  // namespace

LCID GetThreadLocale() {
  return threadLocale;
}

BOOL SetThreadLocale(LCID locale) {
  if (!LANGIDFROMLCID(locale)) return FALSE;
  threadLocale = locale;
  return TRUE;
}

LCID GetUserDefaultLCID() {
  return kPersianLocale;
}

DWORD GetVersion() {
  return 0x0A280105;
}

BOOL GetCPInfo(UINT codePage, CPINFO* info) {
  if (!info) return FALSE;
  if (codePage == CP_ACP) codePage = GetACP();
  if (codePage != kArabicCodePage) return FALSE;
  std::memset(info, 0, sizeof *info);
  info->MaxCharSize = 1;
  info->DefaultChar[0] = '?';
  return TRUE;
}

BOOL IsDBCSLeadByte(BYTE) {
  return FALSE;
}

BOOL GetStringTypeW(DWORD infoType, const WCHAR* src, int count, WORD* types) {
  if (infoType != CT_CTYPE2 || !src || !types) return FALSE;
  if (count < 0) count = int(std::char_traits<char16_t>::length(src)) + 1;
  for (int i = 0; i < count; ++i) types[i] = BidiCategory(src[i]);
  return TRUE;
}

BOOL GetStringTypeExA(LCID, DWORD infoType, const char* src, int count, WORD* types) {
  if (infoType != CT_CTYPE2 || !src || !types) return FALSE;
  if (count < 0) count = int(std::strlen(src)) + 1;
  for (int i = 0; i < count; ++i) {
    types[i] = BidiCategory(AnsiCharToWide(static_cast<unsigned char>(src[i])));
  }
  return TRUE;
}

namespace {

// Primary languages of the western group, for which no right-to-left or double-byte behaviour
// applies whatever the code page holds.
bool IsWesternLanguage(LANGID primary) {
  static constexpr LANGID kWestern[] = {0x00, 0x06, 0x07, 0x09, 0x0A, 0x0B,
                                        0x0C, 0x10, 0x13, 0x14, 0x16, 0x1D};
  return std::find(std::begin(kWestern), std::end(kWestern), primary) != std::end(kWestern);
}

bool HasLeadBytes() {
  CPINFO info;
  return GetCPInfo(CP_ACP, &info) && info.LeadByte[0] != 0;
}

bool UpperHalfHasRightToLeft() {
  char upper[128];
  for (int i = 0; i < 128; ++i) upper[i] = static_cast<char>(128 + i);
  WORD types[128];
  if (!GetStringTypeExA(GetThreadLocale(), CT_CTYPE2, upper, 128, types)) return false;
  return std::find(std::begin(types), std::end(types), C2_RIGHTTOLEFT) != std::end(types);
}

}  // namespace

SysLocaleFlags ComputeSysLocaleFlags() {
  bool ntFamily = (GetVersion() & 0x80000000u) == 0;
  if (!ntFamily) {
    return {GetSystemMetrics(SM_MIDEASTENABLED) != 0, GetSystemMetrics(SM_DBCSENABLED) != 0};
  }
  if (IsWesternLanguage(PRIMARYLANGID(LANGIDFROMLCID(GetThreadLocale())))) return {false, false};
  bool leadBytes = HasLeadBytes();
  return {!leadBytes && UpperHalfHasRightToLeft(), leadBytes};
}

const SysLocaleFlags& SysLocale() {
  static const SysLocaleFlags flags = ComputeSysLocaleFlags();
  return flags;
}

}  // namespace platform
