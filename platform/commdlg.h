// The common dialogs: the modeless find dialog and the modal choose-font dialog, with their
// request records, flags and registered messages.
#pragma once

#include "platform/fonts.h"
#include "platform/gdi_handles.h"
#include "platform/winuser.h"

namespace platform {

// The registered messages a find dialog sends its owner, by name.
inline constexpr const char* FINDMSGSTRINGA = "commdlg_FindReplace";
inline constexpr const char* HELPMSGSTRINGA = "commdlg_help";

// A hook sees every message of its dialog before the dialog does and returns non-zero to keep
// it from the dialog's own handling; at WM_INITDIALOG lParam is the request record.
using LPFRHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPCFHOOKPROC = UINT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// The find request. The dialog keeps a pointer to it and writes into it while open, so it
// must outlive the dialog. lStructSize is 40 (the record's size as programs of the 32-bit
// system state it) or sizeof(FINDREPLACEA).
struct FINDREPLACEA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  DWORD Flags;
  char* lpstrFindWhat;
  char* lpstrReplaceWith;
  WORD wFindWhatLen;
  WORD wReplaceWithLen;
  LPARAM lCustData;
  LPFRHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
};

constexpr DWORD FR_DOWN = 0x00000001;
constexpr DWORD FR_WHOLEWORD = 0x00000002;
constexpr DWORD FR_MATCHCASE = 0x00000004;
constexpr DWORD FR_FINDNEXT = 0x00000008;
constexpr DWORD FR_REPLACE = 0x00000010;
constexpr DWORD FR_REPLACEALL = 0x00000020;
constexpr DWORD FR_DIALOGTERM = 0x00000040;
constexpr DWORD FR_SHOWHELP = 0x00000080;
constexpr DWORD FR_ENABLEHOOK = 0x00000100;
constexpr DWORD FR_ENABLETEMPLATE = 0x00000200;
constexpr DWORD FR_NOUPDOWN = 0x00000400;
constexpr DWORD FR_NOMATCHCASE = 0x00000800;
constexpr DWORD FR_NOWHOLEWORD = 0x00001000;
constexpr DWORD FR_HIDEUPDOWN = 0x00004000;
constexpr DWORD FR_HIDEMATCHCASE = 0x00008000;
constexpr DWORD FR_HIDEWHOLEWORD = 0x00010000;

// Control ids of the find dialog, for hooks and tests.
constexpr int kFindWhatEdit = 0x0480;
constexpr int kFindWhatLabel = 0x0443;
constexpr int kWholeWordCheck = 0x0410;
constexpr int kMatchCaseCheck = 0x0411;
constexpr int kDirectionGroup = 0x0430;
constexpr int kUpRadio = 0x0420;
constexpr int kDownRadio = 0x0421;
constexpr int kHelpButton = 0x040E;

// Creates the modeless find dialog ("Find": a "Fi&nd what:" edit holding the request's text,
// "Match &whole word only" and "Match &case" check boxes, a "Direction" group with "&Up" and
// "&Down", and the "&Find Next" (default, disabled while the text is empty), "Cancel" and,
// with FR_SHOWHELP, "&Help" buttons), shown and centred on the screen; returns its window,
// or null for a bad request (no record, no valid owner, no buffer, or a buffer under 80
// bytes). FR_HIDE* hide and FR_NO* disable the matching controls. Each press of Find Next
// copies the edit's text into the buffer (cut to its length), rebuilds Flags from the
// controls with FR_FINDNEXT, and sends the registered FINDMSGSTRINGA message to the owner
// with the record in lParam. Cancel, Escape and the close box send it with FR_DIALOGTERM,
// after which the dialog is destroyed. With FR_ENABLEHOOK the hook sees every message. The
// dialog is mirrored when the owner's top-level window is laid out right to left
// (WS_EX_LAYOUTRTL). The owner's message loop must route messages through
// IsDialogMessageA for the dialog's keyboard navigation.
HWND FindTextA(FINDREPLACEA* request);

// The choose-font request; lStructSize is 60 or sizeof(CHOOSEFONTA).
struct CHOOSEFONTA {
  DWORD lStructSize;
  HWND hwndOwner;
  HDC hDC;
  LOGFONTA* lpLogFont;
  int iPointSize;  // tenths of a point, set on return
  DWORD Flags;
  COLORREF rgbColors;
  LPARAM lCustData;
  LPCFHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
  HINSTANCE hInstance;
  char* lpszStyle;
  WORD nFontType;
  WORD ___MISSING_ALIGNMENT__;
  int nSizeMin;
  int nSizeMax;
};

constexpr DWORD CF_SCREENFONTS = 0x00000001;
constexpr DWORD CF_PRINTERFONTS = 0x00000002;
constexpr DWORD CF_BOTH = 0x00000003;
constexpr DWORD CF_SHOWHELP = 0x00000004;
constexpr DWORD CF_ENABLEHOOK = 0x00000008;
constexpr DWORD CF_ENABLETEMPLATE = 0x00000010;
constexpr DWORD CF_INITTOLOGFONTSTRUCT = 0x00000040;
constexpr DWORD CF_USESTYLE = 0x00000080;
constexpr DWORD CF_EFFECTS = 0x00000100;
constexpr DWORD CF_APPLY = 0x00000200;
constexpr DWORD CF_ANSIONLY = 0x00000400;
constexpr DWORD CF_SCRIPTSONLY = CF_ANSIONLY;
constexpr DWORD CF_NOVECTORFONTS = 0x00000800;
constexpr DWORD CF_NOOEMFONTS = CF_NOVECTORFONTS;
constexpr DWORD CF_NOSIMULATIONS = 0x00001000;
constexpr DWORD CF_LIMITSIZE = 0x00002000;
constexpr DWORD CF_FIXEDPITCHONLY = 0x00004000;
constexpr DWORD CF_WYSIWYG = 0x00008000;
constexpr DWORD CF_FORCEFONTEXIST = 0x00010000;
constexpr DWORD CF_SCALABLEONLY = 0x00020000;
constexpr DWORD CF_TTONLY = 0x00040000;
constexpr DWORD CF_NOFACESEL = 0x00080000;
constexpr DWORD CF_NOSTYLESEL = 0x00100000;
constexpr DWORD CF_NOSIZESEL = 0x00200000;
constexpr DWORD CF_SELECTSCRIPT = 0x00400000;
constexpr DWORD CF_NOSCRIPTSEL = 0x00800000;
constexpr DWORD CF_NOVERTFONTS = 0x01000000;

// Runs the modal font dialog ("Font": "&Font:", "Font st&yle:" and "&Size:" lists with their
// edits, "Effects" with "Stri&keout", "&Underline" and "&Color:" (the sixteen classic colours),
// a "Sample" that shows Persian text for the Arabic script, "Sc&ript:", and "OK", "Cancel",
// "&Apply" with CF_APPLY and "&Help" with CF_SHOWHELP). The faces are the installed families,
// narrowed by CF_FIXEDPITCHONLY, CF_SCALABLEONLY, CF_TTONLY and CF_ANSIONLY; the scripts are
// those the chosen face covers. With CF_INITTOLOGFONTSTRUCT the controls start from
// lpLogFont (CF_NOFACESEL, CF_NOSTYLESEL and CF_NOSIZESEL leave theirs empty); with
// CF_EFFECTS the colour starts from rgbColors, and a colour outside the sixteen is listed as
// "Custom" and returned unchanged. OK checks the size (a number, within nSizeMin to nSizeMax
// with CF_LIMITSIZE) and, with CF_FORCEFONTEXIST, the face, telling the user in a message box
// and staying open when they do not hold; then it writes lpLogFont (height as a negative
// pixel height for the screen), iPointSize, rgbColors, nFontType and, with CF_USESTYLE,
// lpszStyle, and returns TRUE. Cancel leaves the record alone and returns FALSE, as does a
// bad request. The rest of the program's windows are disabled while it runs. With
// CF_ENABLEHOOK the hook sees every message; WM_CHOOSEFONT_GETLOGFONT fills a LOGFONTA with
// the font the controls show. The dialog is mirrored when the owner's top-level window is
// laid out right to left.
BOOL ChooseFontA(CHOOSEFONTA* request);

// The choose-font dialog's messages and control ids, for hooks and tests.
constexpr UINT WM_CHOOSEFONT_GETLOGFONT = WM_USER + 1;
constexpr int kApplyButton = 0x0402;
constexpr int kFaceCombo = 0x0470;
constexpr int kStyleCombo = 0x0471;
constexpr int kSizeCombo = 0x0472;
constexpr int kScriptCombo = 0x0474;
constexpr int kColorCombo = 0x0473;
constexpr int kStrikeoutCheck = 0x0410;
constexpr int kUnderlineCheck = 0x0411;
constexpr int kSampleText = 0x0444;

}  // namespace platform
