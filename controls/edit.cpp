// Text boxes over the system edit control: creation styles, automatic height, change events,
// selection on entry and the selection calls.
#include "controls/edit.h"

#include <algorithm>

#include "core/classes.h"
#include "graphics/colors.h"
#include "platform/dc.h"
#include "platform/edit.h"
#include "platform/pens_brushes.h"
#include "platform/text.h"

using namespace platform;

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  controlStyle_ = {TControlStyleFlag::csClickEvents, TControlStyleFlag::csSetCaption,
                   TControlStyleFlag::csDoubleClicks, TControlStyleFlag::csFixedHeight};
  SetBounds(Left(), Top(), 121, 25);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomEdit::~TCustomEdit() {
  DestroyHandle();
}

LRESULT TCustomEdit::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
  return SendMessageA(const_cast<TCustomEdit*>(this)->Handle(), msg, wParam, lParam);
}

bool TCustomEdit::IsMultiLine() const {
  return HandleAllocated() && (GetWindowLongA(handle_, GWL_STYLE) & ES_MULTILINE) != 0;
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  // A single border is drawn as a sunken client edge, as new-style controls do.
  if (borderStyle_ == TBorderStyle::bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
  if (readOnly_) params.Style |= ES_READONLY;
  if (!hideSelection_) params.Style |= ES_NOHIDESEL;
  if (charCase_ == TEditCharCase::ecUpperCase) params.Style |= ES_UPPERCASE;
  if (charCase_ == TEditCharCase::ecLowerCase) params.Style |= ES_LOWERCASE;
  if (passwordChar_) params.Style |= ES_PASSWORD;
  if (oemConvert_) params.Style |= ES_OEMCONVERT;
}

void TCustomEdit::CreateWnd() {
  // Putting the stored text into the new window is no change of the user's.
  controlState_.Include(TControlStateFlag::csCreating);
  try {
    TWinControl::CreateWnd();
  } catch (...) {
    controlState_.Exclude(TControlStateFlag::csCreating);
    throw;
  }
  controlState_.Exclude(TControlStateFlag::csCreating);
  SendMessageA(handle_, EM_LIMITTEXT, WPARAM(maxLength_), 0);
  SendMessageA(handle_, EM_SETMODIFY, modified_ ? TRUE : FALSE, 0);
  if (passwordChar_)
    SendMessageA(handle_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
  UpdateHeight();
}

void TCustomEdit::DestroyWnd() {
  modified_ = Modified();
  TWinControl::DestroyWnd();
}

void TCustomEdit::UpdateHeight() {
  if (!autoSize_ || borderStyle_ != TBorderStyle::bsSingle) return;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  DeleteDC(dc);
  int height = tm.tmHeight + 8 * GetSystemMetrics(SM_CYBORDER);
  if (height != Height()) SetBounds(Left(), Top(), Width(), height);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  UpdateHeight();
  RecreateWnd();
}

void TCustomEdit::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  UpdateHeight();
}

void TCustomEdit::SetHideSelection(bool value) {
  if (hideSelection_ == value) return;
  hideSelection_ = value;
  RecreateWnd();
}

void TCustomEdit::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  if (HandleAllocated()) SendMessageA(handle_, EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetMaxLength(int value) {
  if (maxLength_ == value) return;
  maxLength_ = std::max(value, 0);
  if (HandleAllocated()) SendMessageA(handle_, EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SetPasswordChar(char value) {
  if (passwordChar_ == value) return;
  passwordChar_ = value;
  if (HandleAllocated()) {
    SendMessageA(handle_, EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
    Invalidate();
  }
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
  if (charCase_ == value) return;
  charCase_ = value;
  RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool value) {
  if (oemConvert_ == value) return;
  oemConvert_ = value;
  RecreateWnd();
}

bool TCustomEdit::Modified() const {
  if (!HandleAllocated()) return modified_;
  return SendMessageA(handle_, EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool value) {
  modified_ = value;
  if (HandleAllocated()) SendMessageA(handle_, EM_SETMODIFY, value ? TRUE : FALSE, 0);
}

int TCustomEdit::SelStart() const {
  DWORD start = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return int(start);
}

void TCustomEdit::SetSelStart(int value) {
  Send(EM_SETSEL, WPARAM(value), LPARAM(value));
}

int TCustomEdit::SelLength() const {
  DWORD start = 0, end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return int(end - start);
}

void TCustomEdit::SetSelLength(int value) {
  int start = SelStart();
  Send(EM_SETSEL, WPARAM(start), LPARAM(start + value));
  Send(EM_SCROLLCARET);
}

AnsiString TCustomEdit::SelText() const {
  AnsiString text = const_cast<TCustomEdit*>(this)->Text();
  int start = std::clamp(SelStart(), 0, int(text.size()));
  return text.substr(std::size_t(start), std::size_t(std::max(SelLength(), 0)));
}

void TCustomEdit::SetSelText(const AnsiString& value) {
  Send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void TCustomEdit::SelectAll() {
  Send(EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection() {
  Send(WM_CLEAR);
}

void TCustomEdit::Clear() {
  SetText("");
}

void TCustomEdit::CopyToClipboard() {
  Send(WM_COPY);
}

void TCustomEdit::CutToClipboard() {
  Send(WM_CUT);
}

void TCustomEdit::PasteFromClipboard() {
  Send(WM_PASTE);
}

bool TCustomEdit::CanUndo() const {
  return HandleAllocated() && SendMessageA(handle_, EM_CANUNDO, 0, 0) != 0;
}

void TCustomEdit::Undo() {
  if (HandleAllocated()) SendMessageA(handle_, WM_UNDO, 0, 0);
}

void TCustomEdit::ClearUndo() {
  if (HandleAllocated()) SendMessageA(handle_, EM_EMPTYUNDOBUFFER, 0, 0);
}

void TCustomEdit::Change() {
  if (Parent()) Parent()->Perform(CM_CHANGED, reinterpret_cast<WPARAM>(this));
  if (OnChange) OnChange(this);
}

void TCustomEdit::DoEnter() {
  // A click places the caret itself; keyboard entry selects the whole line.
  if (autoSelect_ && !controlState_.Contains(TControlStateFlag::csLButtonDown) &&
      GetKeyState(VK_LBUTTON) >= 0 && !IsMultiLine()) {
    SelectAll();
  }
  TWinControl::DoEnter();
}

void TCustomEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND:
      if (HIWORD(DWORD(message.WParam)) == EN_CHANGE &&
          !controlState_.Contains(TControlStateFlag::csCreating)) {
        Change();
      }
      return;
    case CM_TEXTCHANGED:
      // The window reports assigned text itself only on a single line.
      if (!HandleAllocated() || IsMultiLine()) Change();
      return;
    case CM_FONTCHANGED:
      TWinControl::WndProc(message);
      UpdateHeight();
      return;
    case WM_ERASEBKGND:
      // The edit paints its whole client area in the colour it asked its parent for.
      message.Result = 1;
      return;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

namespace {

[[maybe_unused]] const auto kTCustomEdit =
    RegisterClass<TCustomEdit, TWinControl>("TCustomEdit")
        .Property("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
        .Enum("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle,
              kBorderStyleNames)
        .Property("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize)
        .Property("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect)
        .Property("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection)
        .Property("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly)
        .Property("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength)
        .Enum("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase, kEditCharCaseNames)
        .Property("OEMConvert", &TCustomEdit::OEMConvert, &TCustomEdit::SetOEMConvert)
        .Event("OnChange", &TCustomEdit::OnChange);

[[maybe_unused]] const auto kTEdit = RegisterClass<TEdit, TCustomEdit>("TEdit");

}  // namespace
