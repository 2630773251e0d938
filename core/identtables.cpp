// The identifier tables of colours, cursors and character sets.
#include "core/identtables.h"

namespace {

const TIdentMapEntry kColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};

const TIdentMapEntry kCursors[] = {
    {crDefault, "crDefault"},
    {-1, "crNone"},
    {crArrow, "crArrow"},
    {-3, "crCross"},
    {crIBeam, "crIBeam"},
    {-6, "crSizeNESW"},
    {-7, "crSizeNS"},
    {-8, "crSizeNWSE"},
    {-9, "crSizeWE"},
    {-10, "crUpArrow"},
    {crHourGlass, "crHourGlass"},
    {-12, "crDrag"},
    {-13, "crNoDrop"},
    {-14, "crHSplit"},
    {-15, "crVSplit"},
    {-16, "crMultiDrag"},
    {-17, "crSQLWait"},
    {-18, "crNo"},
    {-19, "crAppStart"},
    {-20, "crHelp"},
    {crHandPoint, "crHandPoint"},
    {-22, "crSizeAll"},
};

const TIdentMapEntry kCharsets[] = {
    {0, "ANSI_CHARSET"},          {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {2, "SYMBOL_CHARSET"},        {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},    {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},       {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"}, {161, "GREEK_CHARSET"},
    {162, "TURKISH_CHARSET"},     {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},      {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {186, "BALTIC_CHARSET"},      {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},        {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};

}  // namespace

constinit const IdentTable ColorIdents{kColors};
constinit const IdentTable CursorIdents{kCursors};
constinit const IdentTable CharsetIdents{kCharsets};

std::optional<std::int32_t> IdentToInt(IdentTable table, std::string_view ident) {
  for (const TIdentMapEntry& e : table) {
    if (SameText(e.Name, ident)) return e.Value;
  }
  return std::nullopt;
}

std::optional<AnsiString> IntToIdent(IdentTable table, std::int32_t value) {
  for (const TIdentMapEntry& e : table) {
    if (e.Value == value) return AnsiString(e.Name);
  }
  return std::nullopt;
}
