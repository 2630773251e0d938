// The grid's in-place editor: placement, contents and the keys it leaves to the grid.
#include "dbcontrols/inplace_edit.h"

#include "controls/form.h"
#include "dbcontrols/custom_grid.h"
#include "platform/edit.h"

using namespace platform;

namespace {

constexpr char kCtrlV = 22;
constexpr char kCtrlX = 24;

}  // namespace

TInplaceEdit::TInplaceEdit(TComponent* owner)
    : TCustomEdit(owner), grid_(dynamic_cast<TCustomGrid*>(owner)) {
  SetTabStop(false);
  SetBorderStyle(TBorderStyle::bsNone);
  SetVisible(false);
}

void TInplaceEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style |= ES_MULTILINE;
}

void TInplaceEdit::PlaceOn(const RECT& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) {
    HideWindow();
    return;
  }
  bool gridHadFocus = grid_ && grid_->Focused();
  SetBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  SetVisible(true);
  RECT format{2, 2, Width() - 2, Height()};
  SendMessageA(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&format));
  SendMessageA(Handle(), EM_SCROLLCARET, 0, 0);
  if (gridHadFocus) TakeFocus();
}

void TInplaceEdit::HideWindow() {
  if (!Visible()) return;
  bool hadFocus = Focused();
  SetVisible(false);
  if (hadFocus && grid_ && grid_->HandleAllocated()) SetFocus(grid_->Handle());
}

void TInplaceEdit::UpdateContents() {
  SetText("");
  if (!grid_) return;
  TGridCoord cell = grid_->CurrentCell();
  SetMaxLength(grid_->GetEditLimit());
  SetText(grid_->GetEditText(cell.X, cell.Y));
  SelectAll();
}

void TInplaceEdit::Deselect() {
  SendMessageA(Handle(), EM_SETSEL, 0x7FFFFFFF, -1);
}

bool TInplaceEdit::PassesToGrid(std::uint16_t key, TShiftState shift) {
  bool ctrl = shift.Contains(TShiftStateFlag::ssCtrl);
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
      return true;
    case VK_TAB:
      return !shift.Contains(TShiftStateFlag::ssAlt);
    case VK_INSERT:
      return !shift.Contains(TShiftStateFlag::ssShift);
    case VK_DELETE:
      return ctrl;
    case VK_LEFT:
    case VK_HOME:
    case VK_RIGHT:
    case VK_END: {
      if (!grid_->BaseOptions().Contains(TGridBaseOption::gbAlwaysShowEditor)) return false;
      if (ctrl) return true;
      int start = SelStart();
      int length = SelLength();
      if (length != 0 && length != static_cast<int>(Text().size())) return false;
      bool backwards = key == VK_LEFT || key == VK_HOME;
      return backwards ? start == 0 : start + length == static_cast<int>(Text().size());
    }
    default:
      return false;
  }
}

void TInplaceEdit::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (!grid_) {
    TCustomEdit::KeyDown(key, shift);
    return;
  }
  if (PassesToGrid(key, shift)) {
    grid_->KeyDown(key, shift);
    key = 0;
    return;
  }
  bool shiftInsert = key == VK_INSERT && shift.Contains(TShiftStateFlag::ssShift);
  if ((shiftInsert || key == VK_DELETE) && !grid_->CanModifyCellEditor()) {
    key = 0;
    return;
  }
  if (grid_->OnKeyDown) grid_->OnKeyDown(grid_, key, shift);
  if (key == VK_F1 + 1) {
    Deselect();
    key = 0;
    return;
  }
  TCustomEdit::KeyDown(key, shift);
}

void TInplaceEdit::KeyPress(char& key) {
  if (!grid_) {
    TCustomEdit::KeyPress(key);
    return;
  }
  grid_->KeyPress(key);
  auto code = static_cast<unsigned char>(key);
  if (code >= 32 && !grid_->EditorAcceptsKey(key)) {
    key = 0;
    MessageBeep(0);
    return;
  }
  bool modifying = code == VK_BACK || key == kCtrlV || key == kCtrlX || code >= 32;
  if (modifying && !grid_->CanModifyCellEditor()) {
    key = 0;
    return;
  }
  if (code == VK_RETURN) {
    int length = static_cast<int>(Text().size());
    if (SelStart() == 0 && SelLength() == length) {
      Deselect();
    } else {
      SelectAll();
    }
    key = 0;
    return;
  }
  if (code == VK_TAB || code == VK_ESCAPE) {
    key = 0;
    return;
  }
  TCustomEdit::KeyPress(key);
}

void TInplaceEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_GETDLGCODE:
      message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
      return;
    case WM_MOUSEWHEEL:
      if (grid_ && grid_->HandleAllocated()) {
        message.Result = SendMessageA(grid_->Handle(), message.Msg, message.WParam, message.LParam);
        return;
      }
      break;
    case WM_SETFOCUS:
      // The grid, not the editor, is the form's focused control; when the form will not take
      // the grid, the focus change is ignored.
      if (TCustomForm* form = GetParentForm(this); form && grid_) {
        form->SetFocusedControl(grid_);
        if (form->ActiveControl() != grid_) return;
        DefaultHandler(message);
        return;
      }
      break;
    case WM_LBUTTONDOWN:
      // A second press soon after the click that showed the editor is a double click.
      if (clickTime_ != 0 && GetMessageTime() - clickTime_ < GetDoubleClickTime()) {
        message.Msg = WM_LBUTTONDBLCLK;
      }
      clickTime_ = 0;
      break;
    default:
      break;
  }
  TCustomEdit::WndProc(message);
}
