// FindTextA: the modeless find dialog and its notices to the owner.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "platform/button.h"
#include "platform/commdlg.h"
#include "platform/control_support.h"
#include "platform/dialog.h"
#include "platform/dialog_layout.h"
#include "platform/edit.h"
#include "platform/static_control.h"
#include "platform/window_system.h"

namespace platform {
namespace {

constexpr DWORD kMinimumRecordSize = 40;
constexpr WORD kMinimumBuffer = 80;
constexpr int kClientWidth = 352;
constexpr int kClientHeight = 96;
constexpr const char* kStateProperty = "FindReplaceState";

struct FindState {
  FINDREPLACEA* request;
  UINT findMessage;
};

FindState* StateOf(HWND dialog) {
  return static_cast<FindState*>(GetPropA(dialog, kStateProperty));
}

void UpdateFindNext(HWND dialog) {
  HWND edit = GetDlgItem(dialog, kFindWhatEdit);
  EnableWindow(GetDlgItem(dialog, IDOK), GetWindowTextLengthA(edit) > 0);
}

DWORD FlagsFromControls(HWND dialog, DWORD flags) {
  flags &= ~(FR_DOWN | FR_WHOLEWORD | FR_MATCHCASE | FR_FINDNEXT | FR_REPLACE | FR_REPLACEALL |
             FR_DIALOGTERM);
  if (IsDlgButtonChecked(dialog, kDownRadio) == BST_CHECKED) flags |= FR_DOWN;
  if (IsDlgButtonChecked(dialog, kWholeWordCheck) == BST_CHECKED) flags |= FR_WHOLEWORD;
  if (IsDlgButtonChecked(dialog, kMatchCaseCheck) == BST_CHECKED) flags |= FR_MATCHCASE;
  return flags;
}

void Notify(HWND dialog, FindState& state, DWORD flag) {
  FINDREPLACEA& request = *state.request;
  request.Flags = FlagsFromControls(dialog, request.Flags) | flag;
  if (flag == FR_FINDNEXT) {
    std::string text = GetWindowString(GetDlgItem(dialog, kFindWhatEdit));
    std::size_t n = std::min<std::size_t>(text.size(), std::size_t(request.wFindWhatLen - 1));
    std::memcpy(request.lpstrFindWhat, text.data(), n);
    request.lpstrFindWhat[n] = '\0';
  }
  SendMessageA(request.hwndOwner, state.findMessage, 0, reinterpret_cast<LPARAM>(&request));
}

LONG_PTR FindProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  FindState* state = StateOf(dialog);
  if (!state) return 0;
  FINDREPLACEA& request = *state->request;
  if ((request.Flags & FR_ENABLEHOOK) && request.lpfnHook) {
    LPARAM hookParam = msg == WM_INITDIALOG ? reinterpret_cast<LPARAM>(&request) : lParam;
    UINT_PTR handled = request.lpfnHook(dialog, msg, wParam, hookParam);
    if (handled && msg != WM_INITDIALOG) return LONG_PTR(handled);
    if (msg == WM_INITDIALOG) return handled ? 1 : 0;
  }
  switch (msg) {
    case WM_INITDIALOG:
      return 1;
    case WM_COMMAND:
      switch (LOWORD(DWORD(wParam))) {
        case IDOK:
          if (GetWindowTextLengthA(GetDlgItem(dialog, kFindWhatEdit)) > 0) {
            Notify(dialog, *state, FR_FINDNEXT);
          }
          return 1;
        case IDCANCEL:
          Notify(dialog, *state, FR_DIALOGTERM);
          DestroyWindow(dialog);
          return 1;
        case kHelpButton: {
          static const UINT help = RegisterWindowMessageA(HELPMSGSTRINGA);
          SendMessageA(request.hwndOwner, help, reinterpret_cast<WPARAM>(dialog),
                       reinterpret_cast<LPARAM>(&request));
          return 1;
        }
        case kFindWhatEdit:
          if (HIWORD(DWORD(wParam)) == EN_CHANGE) UpdateFindNext(dialog);
          return 0;
        default:
          return 0;
      }
    case WM_NCDESTROY:
      RemovePropA(dialog, kStateProperty);
      delete state;
      return 0;
    default:
      return 0;
  }
}

void Build(HWND dialog, const FINDREPLACEA& request, bool mirrored) {
  DialogBuilder at(dialog, kClientWidth, mirrored, ControlFont(nullptr));
  DWORD flags = request.Flags;
  at.Add("Static", "Fi&nd what:", SS_LEFT, 0, {6, 13, 68, 29}, kFindWhatLabel);
  at.Add("EDIT", request.lpstrFindWhat, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE,
         {70, 9, 262, 30}, kFindWhatEdit);
  at.Add("Button", "Match &whole word only", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0,
         {6, 44, 156, 62}, kWholeWordCheck);
  at.Add("Button", "Match &case", BS_AUTOCHECKBOX | WS_TABSTOP, 0, {6, 68, 156, 86},
         kMatchCaseCheck);
  at.Add("Button", "Direction", BS_GROUPBOX | WS_GROUP, 0, {164, 38, 262, 88}, kDirectionGroup);
  at.Add("Button", "&Up", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, {172, 58, 212, 76},
         kUpRadio);
  at.Add("Button", "&Down", BS_AUTORADIOBUTTON, 0, {212, 58, 258, 76}, kDownRadio);
  at.Add("Button", "&Find Next", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, {270, 8, 346, 31},
         IDOK);
  at.Add("Button", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, {270, 36, 346, 59}, IDCANCEL);
  HWND help =
      at.Add("Button", "&Help", BS_PUSHBUTTON | WS_TABSTOP, 0, {270, 64, 346, 87}, kHelpButton);
  if (!(flags & FR_SHOWHELP)) ShowWindow(help, SW_HIDE);

  CheckDlgButton(dialog, (flags & FR_DOWN) ? kDownRadio : kUpRadio, BST_CHECKED);
  CheckDlgButton(dialog, kWholeWordCheck, (flags & FR_WHOLEWORD) ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kMatchCaseCheck, (flags & FR_MATCHCASE) ? BST_CHECKED : BST_UNCHECKED);
  struct Rule {
    DWORD hide;
    DWORD disable;
    int ids[3];
  } rules[] = {
      {FR_HIDEWHOLEWORD, FR_NOWHOLEWORD, {kWholeWordCheck, 0, 0}},
      {FR_HIDEMATCHCASE, FR_NOMATCHCASE, {kMatchCaseCheck, 0, 0}},
      {FR_HIDEUPDOWN, FR_NOUPDOWN, {kDirectionGroup, kUpRadio, kDownRadio}},
  };
  for (const Rule& rule : rules) {
    for (int id : rule.ids) {
      if (!id) continue;
      if (flags & rule.hide) ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
      if (flags & rule.disable) EnableWindow(GetDlgItem(dialog, id), FALSE);
    }
  }
  SendDlgItemMessageA(dialog, kFindWhatEdit, EM_SETSEL, 0, -1);
  UpdateFindNext(dialog);
}

}  // namespace

HWND FindTextA(FINDREPLACEA* request) {
  if (!request || (request->lStructSize != kMinimumRecordSize &&
                   request->lStructSize != sizeof(FINDREPLACEA))) {
    return nullptr;
  }
  if (!IsWindow(request->hwndOwner) || !request->lpstrFindWhat ||
      request->wFindWhatLen < kMinimumBuffer) {
    return nullptr;
  }
  // The text in the buffer may be unterminated: it is read within its length only.
  request->lpstrFindWhat[request->wFindWhatLen - 1] = '\0';
  bool mirrored = OwnerLaidOutRightToLeft(request->hwndOwner);
  HWND dialog = MakeSizedDialog(WS_EX_DLGMODALFRAME | (mirrored ? WS_EX_LAYOUTRTL : 0), "Find",
                                kClientWidth, kClientHeight, request->hwndOwner, FindProc);
  if (!dialog) return nullptr;
  SetPropA(dialog, kStateProperty, new FindState{request, RegisterWindowMessageA(FINDMSGSTRINGA)});
  Build(dialog, *request, mirrored);
  CenterWindow(dialog, nullptr);
  InitDialog(dialog, reinterpret_cast<LPARAM>(request));
  if (!IsWindow(dialog)) return nullptr;
  ShowWindow(dialog, SW_SHOW);
  return dialog;
}

}  // namespace platform
