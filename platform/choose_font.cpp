// ChooseFontA: the modal font dialog over the installed families.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/button.h"
#include "platform/codepage.h"
#include "platform/combobox.h"
#include "platform/commdlg.h"
#include "platform/control_support.h"
#include "platform/dc.h"
#include "platform/dialog_layout.h"
#include "platform/draw.h"
#include "platform/drawtext.h"
#include "platform/listbox.h"
#include "platform/message_box.h"
#include "platform/pens_brushes.h"
#include "platform/static_control.h"
#include "platform/window_system.h"

namespace platform {
namespace {

constexpr DWORD kRecordSize = 60;
constexpr int kClientWidth = 440;
constexpr int kClientHeight = 316;
constexpr int kScreenDpi = 96;
constexpr const char* kStateProperty = "ChooseFontState";
constexpr WORD BOLD_FONTTYPE = 0x0100;
constexpr WORD ITALIC_FONTTYPE = 0x0200;
constexpr WORD REGULAR_FONTTYPE = 0x0400;
constexpr WORD SCREEN_FONTTYPE = 0x2000;

struct NamedColor {
  const char* name;
  COLORREF color;
};
constexpr NamedColor kColors[] = {
    {"Black", RGB(0, 0, 0)},       {"Maroon", RGB(128, 0, 0)},    {"Green", RGB(0, 128, 0)},
    {"Olive", RGB(128, 128, 0)},   {"Navy", RGB(0, 0, 128)},      {"Purple", RGB(128, 0, 128)},
    {"Teal", RGB(0, 128, 128)},    {"Gray", RGB(128, 128, 128)},  {"Silver", RGB(192, 192, 192)},
    {"Red", RGB(255, 0, 0)},       {"Lime", RGB(0, 255, 0)},      {"Yellow", RGB(255, 255, 0)},
    {"Blue", RGB(0, 0, 255)},      {"Fuchsia", RGB(255, 0, 255)}, {"Aqua", RGB(0, 255, 255)},
    {"White", RGB(255, 255, 255)},
};

struct NamedScript {
  BYTE charset;
  const char* name;
};
constexpr NamedScript kScripts[] = {
    {ANSI_CHARSET, "Western"},
    {ARABIC_CHARSET, "Arabic"},
    {177, "Hebrew"},
    {161, "Greek"},
    {162, "Turkish"},
    {238, "Central European"},
    {204, "Cyrillic"},
    {186, "Baltic"},
    {163, "Vietnamese"},
    {222, "Thai"},
    {SYMBOL_CHARSET, "Symbol"},
    {DEFAULT_CHARSET, "Other"},
};

constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

enum Style { kRegular, kItalic, kBold, kBoldItalic };
constexpr const char* kStyleNames[] = {"Regular", "Italic", "Bold", "Bold Italic"};

struct FontState {
  CHOOSEFONTA* request;
  std::vector<const FontFamilyInfo*> faces;
  HFONT sampleFont = nullptr;
  bool ready = false;  // the controls are filled: changes now update the sample
};

FontState* StateOf(HWND dialog) {
  return static_cast<FontState*>(GetPropA(dialog, kStateProperty));
}

std::string ComboText(HWND dialog, int id) {
  return GetWindowString(GetDlgItem(dialog, id));
}

LRESULT Selected(HWND dialog, int id) {
  return SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
}

LRESULT ItemData(HWND dialog, int id) {
  LRESULT index = Selected(dialog, id);
  return index < 0 ? CB_ERR : SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, WPARAM(index), 0);
}

void AddItem(HWND dialog, int id, const char* text, LPARAM data) {
  LRESULT index = SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  SendDlgItemMessageA(dialog, id, CB_SETITEMDATA, WPARAM(index), data);
}

bool Listed(const FontFamilyInfo& face, DWORD flags) {
  if ((flags & CF_FIXEDPITCHONLY) && !face.fixedPitch) return false;
  if ((flags & (CF_SCALABLEONLY | CF_TTONLY)) && !face.scalable) return false;
  return !((flags & CF_ANSIONLY) && face.symbol);
}

const FontFamilyInfo* CurrentFace(HWND dialog, const FontState& state) {
  std::string typed = ComboText(dialog, kFaceCombo);
  for (const FontFamilyInfo* face : state.faces) {
    if (face->name.size() == typed.size() &&
        std::equal(typed.begin(), typed.end(), face->name.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) ==
                 std::tolower(static_cast<unsigned char>(b));
        })) {
      return face;
    }
  }
  return nullptr;
}

int PointsOf(const LOGFONTA& font) {
  if (font.lfHeight < 0) return (-font.lfHeight * 72 + kScreenDpi / 2) / kScreenDpi;
  if (font.lfHeight == 0) return 8;
  double em = gdi::Realise(font)->em;
  return int(std::lround(em * 72 / kScreenDpi));
}

// The size typed or chosen, in points; 0 when the field does not hold a number.
int TypedSize(HWND dialog) {
  std::string text = ComboText(dialog, kSizeCombo);
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (text.empty() || end == text.c_str() || *end != '\0' || value <= 0 || value > 1638) return 0;
  return int(std::lround(value));
}

int CurrentStyle(HWND dialog) {
  LRESULT style = ItemData(dialog, kStyleCombo);
  return style == CB_ERR ? kRegular : int(style);
}

// The font the controls describe, over the request's own record for what they do not set.
LOGFONTA CurrentLogFont(HWND dialog, const FontState& state) {
  LOGFONTA font = state.request->lpLogFont ? *state.request->lpLogFont : LOGFONTA{};
  std::string face = ComboText(dialog, kFaceCombo);
  std::memset(font.lfFaceName, 0, sizeof font.lfFaceName);
  std::strncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  int points = TypedSize(dialog);
  if (points == 0) points = state.request->lpLogFont ? PointsOf(*state.request->lpLogFont) : 8;
  font.lfHeight = -((points * kScreenDpi + 36) / 72);
  font.lfWidth = 0;
  int style = CurrentStyle(dialog);
  font.lfWeight = style == kBold || style == kBoldItalic ? FW_BOLD : FW_NORMAL;
  font.lfItalic = style == kItalic || style == kBoldItalic;
  font.lfUnderline = IsDlgButtonChecked(dialog, kUnderlineCheck) == BST_CHECKED;
  font.lfStrikeOut = IsDlgButtonChecked(dialog, kStrikeoutCheck) == BST_CHECKED;
  LRESULT charset = ItemData(dialog, kScriptCombo);
  if (charset != CB_ERR) font.lfCharSet = BYTE(charset);
  return font;
}

COLORREF CurrentColor(HWND dialog, const FontState& state) {
  LRESULT color = ItemData(dialog, kColorCombo);
  return color == CB_ERR ? state.request->rgbColors : COLORREF(color);
}

// A colour value as drawn: a system colour (top byte 0xFF or 0x80) shows its present value.
COLORREF Shown(COLORREF color) {
  if ((color >> 24) == 0xFF || (color >> 24) == 0x80) return GetSysColor(int(color & 0xFF));
  return color & 0xFFFFFF;
}

void UpdateSample(HWND dialog, FontState& state) {
  if (!state.ready) return;
  LOGFONTA font = CurrentLogFont(dialog, state);
  HFONT made = CreateFontIndirectA(&font);
  HWND sample = GetDlgItem(dialog, kSampleText);
  SendMessageA(sample, WM_SETFONT, reinterpret_cast<WPARAM>(made), FALSE);
  // A Persian sample shows the Arabic script; the others show Latin letters.
  std::string text = font.lfCharSet == ARABIC_CHARSET ? Utf8ToAnsi("نمونه متن فارسی") : "AaBbYyZz";
  SetWindowTextA(sample, text.c_str());
  SetWindowLongA(sample, GWL_EXSTYLE,
                 font.lfCharSet == ARABIC_CHARSET ? LONG(WS_EX_RTLREADING) : 0);
  InvalidateRect(sample, nullptr, TRUE);
  if (state.sampleFont) DeleteObject(state.sampleFont);
  state.sampleFont = made;
}

void FillStyles(HWND dialog, const FontState& state) {
  const FontFamilyInfo* face = CurrentFace(dialog, state);
  int keep = CurrentStyle(dialog);
  bool hadSelection = Selected(dialog, kStyleCombo) >= 0;
  SendDlgItemMessageA(dialog, kStyleCombo, CB_RESETCONTENT, 0, 0);
  bool real = state.request->Flags & CF_NOSIMULATIONS;
  for (int style = kRegular; style <= kBoldItalic; ++style) {
    bool bold = style == kBold || style == kBoldItalic;
    bool italic = style == kItalic || style == kBoldItalic;
    if (real && face && ((bold && !face->hasBold) || (italic && !face->hasItalic))) continue;
    AddItem(dialog, kStyleCombo, kStyleNames[style], style);
  }
  if (!hadSelection && (state.request->Flags & CF_NOSTYLESEL)) return;
  LRESULT count = SendDlgItemMessageA(dialog, kStyleCombo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendDlgItemMessageA(dialog, kStyleCombo, CB_GETITEMDATA, WPARAM(i), 0) == keep) {
      SendDlgItemMessageA(dialog, kStyleCombo, CB_SETCURSEL, WPARAM(i), 0);
      return;
    }
  }
  SendDlgItemMessageA(dialog, kStyleCombo, CB_SETCURSEL, 0, 0);
}

// The scripts of the face; the chosen one stays when the face has it, else the face's first.
void FillScripts(HWND dialog, const FontState& state, BYTE wanted) {
  const FontFamilyInfo* face = CurrentFace(dialog, state);
  SendDlgItemMessageA(dialog, kScriptCombo, CB_RESETCONTENT, 0, 0);
  std::vector<BYTE> charsets = face ? face->charsets : std::vector<BYTE>{ANSI_CHARSET};
  int chosen = 0, index = 0;
  for (const NamedScript& script : kScripts) {
    if (std::find(charsets.begin(), charsets.end(), script.charset) == charsets.end()) continue;
    if (script.charset == wanted) chosen = index;
    AddItem(dialog, kScriptCombo, script.name, script.charset);
    ++index;
  }
  SendDlgItemMessageA(dialog, kScriptCombo, CB_SETCURSEL, WPARAM(chosen), 0);
}

void FaceChanged(HWND dialog, FontState& state) {
  LRESULT charset = ItemData(dialog, kScriptCombo);
  FillStyles(dialog, state);
  FillScripts(dialog, state, charset == CB_ERR ? ANSI_CHARSET : BYTE(charset));
  UpdateSample(dialog, state);
}

void Build(HWND dialog, FontState& state, bool mirrored) {
  const CHOOSEFONTA& request = *state.request;
  DWORD flags = request.Flags;
  DialogBuilder at(dialog, kClientWidth, mirrored, ControlFont(nullptr));
  at.Add("Static", "&Font:", SS_LEFT, 0, {8, 8, 160, 22}, 0x440);
  at.Add("ComboBox", nullptr, CBS_SIMPLE | CBS_SORT | WS_TABSTOP | WS_GROUP, 0, {8, 24, 160, 142},
         kFaceCombo);
  at.Add("Static", "Font st&yle:", SS_LEFT, 0, {168, 8, 280, 22}, 0x441);
  at.Add("ComboBox", nullptr, CBS_SIMPLE | WS_TABSTOP | WS_GROUP, 0, {168, 24, 280, 142},
         kStyleCombo);
  at.Add("Static", "&Size:", SS_LEFT, 0, {288, 8, 346, 22}, 0x442);
  at.Add("ComboBox", nullptr, CBS_SIMPLE | WS_TABSTOP | WS_GROUP, 0, {288, 24, 346, 142},
         kSizeCombo);
  at.Add("Button", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, {358, 24, 432, 47}, IDOK);
  at.Add("Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, {358, 52, 432, 75}, IDCANCEL);
  if (flags & CF_APPLY) {
    at.Add("Button", "&Apply", BS_PUSHBUTTON | WS_TABSTOP, 0, {358, 80, 432, 103}, kApplyButton);
  }
  if (flags & CF_SHOWHELP) {
    at.Add("Button", "&Help", BS_PUSHBUTTON | WS_TABSTOP, 0, {358, 108, 432, 131}, 0x040E);
  }
  if (flags & CF_EFFECTS) {
    at.Add("Button", "Effects", BS_GROUPBOX | WS_GROUP, 0, {8, 150, 160, 262}, 0x430);
    at.Add("Button", "Stri&keout", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0, {16, 168, 152, 186},
           kStrikeoutCheck);
    at.Add("Button", "&Underline", BS_AUTOCHECKBOX | WS_TABSTOP, 0, {16, 190, 152, 208},
           kUnderlineCheck);
    at.Add("Static", "&Color:", SS_LEFT, 0, {16, 212, 152, 226}, 0x443);
    at.Add("ComboBox", nullptr, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | WS_TABSTOP | WS_GROUP, 0,
           {16, 228, 152, 420}, kColorCombo);
  }
  at.Add("Button", "Sample", BS_GROUPBOX | WS_GROUP, 0, {168, 150, 432, 234}, 0x431);
  at.Add("Static", "", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, WS_EX_CLIENTEDGE,
         {176, 168, 424, 226}, kSampleText);
  at.Add("Static", "Sc&ript:", SS_LEFT, 0, {168, 242, 432, 256}, 0x445);
  at.Add("ComboBox", nullptr, CBS_DROPDOWNLIST | WS_TABSTOP | WS_GROUP, 0, {168, 258, 432, 400},
         kScriptCombo);

  for (const FontFamilyInfo& face : FontFamilies()) {
    if (!Listed(face, flags)) continue;
    state.faces.push_back(&face);
    SendDlgItemMessageA(dialog, kFaceCombo, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(face.name.c_str()));
  }
  for (int size : kSizes) {
    if ((flags & CF_LIMITSIZE) && (size < request.nSizeMin || size > request.nSizeMax)) continue;
    AddItem(dialog, kSizeCombo, std::to_string(size).c_str(), size);
  }
  if (flags & CF_EFFECTS) {
    int found = -1;
    for (const NamedColor& c : kColors) {
      AddItem(dialog, kColorCombo, c.name, LPARAM(c.color));
      if (c.color == request.rgbColors) found = int(&c - kColors);
    }
    if (found < 0) {
      // A colour outside the sixteen (a system colour, say) is kept as it is.
      AddItem(dialog, kColorCombo, "Custom", LPARAM(request.rgbColors));
      found = int(std::size(kColors));
    }
    SendDlgItemMessageA(dialog, kColorCombo, CB_SETCURSEL, WPARAM(found), 0);
  }

  const LOGFONTA* initial = (flags & CF_INITTOLOGFONTSTRUCT) ? request.lpLogFont : nullptr;
  if (initial && !(flags & CF_NOFACESEL)) {
    LRESULT index = SendDlgItemMessageA(dialog, kFaceCombo, CB_FINDSTRINGEXACT, WPARAM(-1),
                                        reinterpret_cast<LPARAM>(initial->lfFaceName));
    if (index != CB_ERR) {
      SendDlgItemMessageA(dialog, kFaceCombo, CB_SETCURSEL, WPARAM(index), 0);
    } else {
      SetDlgItemTextA(dialog, kFaceCombo, initial->lfFaceName);
    }
  }
  FillStyles(dialog, state);
  if (initial && !(flags & CF_NOSTYLESEL)) {
    int style = (initial->lfWeight > FW_NORMAL ? kBold : kRegular) + (initial->lfItalic ? 1 : 0);
    LRESULT index = SendDlgItemMessageA(dialog, kStyleCombo, CB_FINDSTRINGEXACT, WPARAM(-1),
                                        reinterpret_cast<LPARAM>(kStyleNames[style]));
    if (index != CB_ERR) SendDlgItemMessageA(dialog, kStyleCombo, CB_SETCURSEL, WPARAM(index), 0);
  } else if (flags & CF_NOSTYLESEL) {
    SendDlgItemMessageA(dialog, kStyleCombo, CB_SETCURSEL, WPARAM(-1), 0);
  }
  if (initial && !(flags & CF_NOSIZESEL)) {
    std::string size = std::to_string(PointsOf(*initial));
    LRESULT index = SendDlgItemMessageA(dialog, kSizeCombo, CB_FINDSTRINGEXACT, WPARAM(-1),
                                        reinterpret_cast<LPARAM>(size.c_str()));
    if (index != CB_ERR) {
      SendDlgItemMessageA(dialog, kSizeCombo, CB_SETCURSEL, WPARAM(index), 0);
    } else {
      SetDlgItemTextA(dialog, kSizeCombo, size.c_str());
    }
  }
  if (initial && (flags & CF_EFFECTS)) {
    CheckDlgButton(dialog, kStrikeoutCheck, initial->lfStrikeOut ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kUnderlineCheck, initial->lfUnderline ? BST_CHECKED : BST_UNCHECKED);
  }
  FillScripts(dialog, state, initial ? initial->lfCharSet : BYTE(ANSI_CHARSET));
  state.ready = true;
  UpdateSample(dialog, state);
}

void DrawColorItem(const DRAWITEMSTRUCT& item) {
  if (int(item.itemID) < 0) return;
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  bool selected = item.itemState & ODS_SELECTED;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  RECT swatch{r.left + 2, r.top + 2, r.left + 24, r.bottom - 2};
  HBRUSH brush = CreateSolidBrush(Shown(COLORREF(item.itemData)));
  FillRect(dc, &swatch, brush);
  DeleteObject(brush);
  FrameRect(dc, &swatch, GetSysColorBrush(COLOR_WINDOWTEXT));
  char name[32] = {};
  SendMessageA(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(name));
  RECT text{swatch.right + 4, r.top, r.right - 2, r.bottom};
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextA(dc, name, -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &r);
}

void Complain(HWND dialog, const std::string& text, int focusId) {
  MessageBoxA(dialog, text.c_str(), "Font", MB_OK | MB_ICONEXCLAMATION);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, focusId)), TRUE);
}

// Checks the choice and writes it into the request; false (with the user told why) when it
// cannot be taken.
bool Accept(HWND dialog, FontState& state) {
  CHOOSEFONTA& request = *state.request;
  if ((request.Flags & CF_FORCEFONTEXIST) && !CurrentFace(dialog, state)) {
    Complain(dialog, "There is no font with that name.\r\nChoose a font from the list of fonts.",
             kFaceCombo);
    return false;
  }
  int points = TypedSize(dialog);
  if (points == 0 && !ComboText(dialog, kSizeCombo).empty()) {
    Complain(dialog, "Size must be a number.", kSizeCombo);
    return false;
  }
  if (points != 0 && (request.Flags & CF_LIMITSIZE) &&
      (points < request.nSizeMin || points > request.nSizeMax)) {
    char text[80];
    std::snprintf(text, sizeof text, "Size must be between %d and %d points.", request.nSizeMin,
                  request.nSizeMax);
    Complain(dialog, text, kSizeCombo);
    return false;
  }
  LOGFONTA font = CurrentLogFont(dialog, state);
  if (request.lpLogFont) *request.lpLogFont = font;
  request.iPointSize = (points ? points : PointsOf(font)) * 10;
  if (request.Flags & CF_EFFECTS) request.rgbColors = CurrentColor(dialog, state);
  int style = CurrentStyle(dialog);
  request.nFontType =
      WORD(SCREEN_FONTTYPE | (font.lfWeight > FW_NORMAL ? BOLD_FONTTYPE : REGULAR_FONTTYPE) |
           (font.lfItalic ? ITALIC_FONTTYPE : 0));
  if ((request.Flags & CF_USESTYLE) && request.lpszStyle) {
    std::strncpy(request.lpszStyle, kStyleNames[style], LF_FACESIZE - 1);
    request.lpszStyle[LF_FACESIZE - 1] = '\0';
  }
  return true;
}

LONG_PTR FontProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  FontState* state = StateOf(dialog);
  if (!state) return 0;
  CHOOSEFONTA& request = *state->request;
  if ((request.Flags & CF_ENABLEHOOK) && request.lpfnHook) {
    LPARAM hookParam = msg == WM_INITDIALOG ? reinterpret_cast<LPARAM>(&request) : lParam;
    UINT_PTR handled = request.lpfnHook(dialog, msg, wParam, hookParam);
    if (msg == WM_INITDIALOG) return handled ? 1 : 0;
    if (handled) return LONG_PTR(handled);
  }
  switch (msg) {
    case WM_INITDIALOG:
      return 1;
    case WM_COMMAND: {
      int id = LOWORD(DWORD(wParam));
      WORD code = HIWORD(DWORD(wParam));
      switch (id) {
        case IDOK:
          if (Accept(dialog, *state)) EndDialog(dialog, IDOK);
          return 1;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return 1;
        case kFaceCombo:
          if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) FaceChanged(dialog, *state);
          return 0;
        case kStyleCombo:
        case kSizeCombo:
        case kScriptCombo:
        case kColorCombo:
          if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) UpdateSample(dialog, *state);
          return 0;
        case kStrikeoutCheck:
        case kUnderlineCheck:
          UpdateSample(dialog, *state);
          return 0;
        default:
          return 0;
      }
    }
    case WM_CHOOSEFONT_GETLOGFONT:
      if (!lParam) return 0;
      *reinterpret_cast<LOGFONTA*>(lParam) = CurrentLogFont(dialog, *state);
      return 1;
    case WM_DRAWITEM:
      if (wParam == WPARAM(kColorCombo)) {
        DrawColorItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return 1;
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, kSampleText)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, (request.Flags & CF_EFFECTS) ? Shown(CurrentColor(dialog, *state))
                                                      : GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LONG_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace

BOOL ChooseFontA(CHOOSEFONTA* request) {
  if (!request ||
      (request->lStructSize != kRecordSize && request->lStructSize != sizeof(CHOOSEFONTA))) {
    return FALSE;
  }
  if (request->hwndOwner && !IsWindow(request->hwndOwner)) return FALSE;
  if ((request->Flags & CF_INITTOLOGFONTSTRUCT) && !request->lpLogFont) return FALSE;
  FontState state{request, {}};
  bool mirrored = request->hwndOwner && OwnerLaidOutRightToLeft(request->hwndOwner);
  HWND dialog = MakeSizedDialog(WS_EX_DLGMODALFRAME | (mirrored ? WS_EX_LAYOUTRTL : 0), "Font",
                                kClientWidth, kClientHeight, request->hwndOwner, FontProc);
  if (!dialog) return FALSE;
  SetPropA(dialog, kStateProperty, &state);
  Build(dialog, state, mirrored);
  CenterWindow(dialog, nullptr);
  InitDialog(dialog, reinterpret_cast<LPARAM>(request));
  LONG_PTR result = IsWindow(dialog) ? DialogBoxLoop(dialog) : IDCANCEL;
  if (IsWindow(dialog)) {
    // The sample lets go of its font before the font is freed.
    SendDlgItemMessageA(dialog, kSampleText, WM_SETFONT, 0, FALSE);
    DestroyWindow(dialog);
  }
  if (state.sampleFont) DeleteObject(state.sampleFont);
  return result == IDOK ? TRUE : FALSE;
}

}  // namespace platform
