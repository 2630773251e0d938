// The edit control's changes and input: typing, deleting, undo, the clipboard, keys that move
// the caret (visually on screen, logically by word and line) and mouse selection.
#include <algorithm>
#include <cctype>

#include "platform/clipboard.h"
#include "platform/codepage.h"
#include "platform/display_text.h"
#include "platform/edit_control.h"

namespace platform {
namespace {

// Drag selection keeps scrolling while the pointer is beyond the text, at this rate.
constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kDragRate = 50;

bool KeyDown(int vk) {
  return GetKeyState(vk) < 0;
}

}  // namespace

void EditControl::Record(int from, int to, std::size_t inserted, UndoKind kind) {
  std::string removed = doc_.Text().substr(std::size_t(from), std::size_t(to - from));
  // Runs of typing and of deleting undo as one step, as the user thinks of them.
  if (undo_.available && kind == undo_.kind && kind != UndoKind::kOther) {
    if (kind == UndoKind::kTyping && from == to && from == undo_.pos + undo_.inserted) {
      undo_.inserted += int(inserted);
      return;
    }
    if (kind == UndoKind::kDeleting && inserted == 0 && undo_.inserted == 0) {
      if (to == undo_.pos) {
        undo_.removed.insert(0, removed);
        undo_.pos = from;
        return;
      }
      if (from == undo_.pos) {
        undo_.removed += removed;
        return;
      }
    }
  }
  undo_ = Undo{true, from, int(inserted), std::move(removed), kind};
}

bool EditControl::ReplaceSelection(std::string text, UndoKind kind, bool byUser, bool keepUndo) {
  if (byUser && ReadOnly()) {
    MessageBeep(MB_OK);
    return true;
  }
  int from = SelStart();
  int to = SelEnd();
  bool full = false;
  long room = long(limit_) - long(doc_.Length() - (to - from));
  if (long(text.size()) > room) {
    text.resize(std::size_t(std::max(room, 0L)));
    // Never keep half of a line break.
    if (!text.empty() && text.back() == '\r') text.pop_back();
    full = true;
  }
  if (text.empty() && from == to) return full ? Notify(EN_MAXTEXT) : true;
  if (keepUndo) {
    Record(from, to, text.size(), kind);
  } else {
    undo_ = Undo{};
  }
  // Only the lines of the paragraphs touched need painting again, unless lines below move.
  int paragraphs = doc_.ParagraphCount();
  int firstLine = doc_.LineOf(doc_.ParagraphStart(doc_.ParagraphOf(from)));
  int lastLine = doc_.LineOf(doc_.ParagraphEnd(doc_.ParagraphOf(to)));
  doc_.Replace(from, to, text);
  int end = from + int(text.size());
  bool linesStay = doc_.ParagraphCount() == paragraphs &&
                   doc_.LineOf(doc_.ParagraphEnd(doc_.ParagraphOf(end))) == lastLine;
  ShowChange(end, end, firstLine, linesStay ? lastLine : -1);
  if (full && !Notify(EN_MAXTEXT)) return false;
  return Notify(EN_UPDATE) && Notify(EN_CHANGE);
}

void EditControl::ShowChange(int anchor, int caret, int firstLine, int lastLine) {
  anchor_ = anchor;
  caret_ = caret;
  atLineEnd_ = false;
  goalX_ = -1;
  modified_ = true;
  UpdateScrollBars();
  ScrollCaret();
  InvalidateLines(firstLine, lastLine);
}

bool EditControl::UndoLast() {
  if (!undo_.available || ReadOnly()) return false;
  int pos = undo_.pos;
  std::string current = doc_.Text().substr(std::size_t(pos), std::size_t(undo_.inserted));
  std::string restored = std::move(undo_.removed);
  doc_.Replace(pos, pos + undo_.inserted, restored);
  // Undoing again redoes: the record now holds the other side of the change.
  undo_ = Undo{true, pos, int(restored.size()), std::move(current), UndoKind::kOther};
  ShowChange(pos, pos + int(restored.size()));
  if (Notify(EN_UPDATE)) Notify(EN_CHANGE);
  return true;
}

void EditControl::Copy() {
  if ((Style() & ES_PASSWORD) || SelStart() == SelEnd()) return;
  // Other programs get the text as the reader sees it: the code page's one yeh as Farsi yeh.
  std::string_view selected =
      std::string_view(doc_.Text())
          .substr(std::size_t(SelStart()), std::size_t(SelEnd() - SelStart()));
  std::u16string text = Utf8ToWide(AnsiToDisplayUtf8(selected));
  if (!OpenClipboard(hwnd_)) return;
  EmptyClipboard();
  SetClipboardTextW(text);
  CloseClipboard();
}

bool EditControl::Cut() {
  if (ReadOnly() || (Style() & ES_PASSWORD)) {
    MessageBeep(MB_OK);
    return true;
  }
  if (SelStart() == SelEnd()) return true;
  Copy();
  return ReplaceSelection("", UndoKind::kOther, true);
}

bool EditControl::Paste() {
  if (ReadOnly()) {
    MessageBeep(MB_OK);
    return true;
  }
  std::string text = GetClipboardTextA();
  if (!MultiLine()) text = text.substr(0, text.find_first_of("\r\n"));
  if (text.empty()) return true;
  return ReplaceSelection(std::move(text), UndoKind::kOther, true);
}

bool EditControl::OnChar(unsigned char c) {
  switch (c) {
    case 0x01:  // Ctrl+A
      Select(0, doc_.Length());
      return true;
    case 0x03:  // Ctrl+C
      Copy();
      return true;
    case 0x16:  // Ctrl+V
      return Paste();
    case 0x18:  // Ctrl+X
      return Cut();
    case 0x1A:  // Ctrl+Z
      UndoLast();
      return true;
    case 0x08:    // Backspace
    case 0x7F: {  // Ctrl+Backspace: the word before
      if (ReadOnly()) {
        MessageBeep(MB_OK);
        return true;
      }
      if (SelStart() != SelEnd()) return ReplaceSelection("", UndoKind::kOther, true);
      if (caret_ == 0) return true;
      int from = c == 0x7F ? doc_.PreviousWord(caret_) : doc_.Previous(caret_);
      Select(caret_, from);
      return ReplaceSelection("", UndoKind::kDeleting, true);
    }
    case '\r':
    case '\n':
      if (!MultiLine()) return true;
      return ReplaceSelection("\r\n", UndoKind::kTyping, true);
    case '\t':
      if (!MultiLine()) return true;
      return ReplaceSelection("\t", UndoKind::kTyping, true);
    default:
      break;
  }
  if (c < 0x20) return true;
  DWORD style = Style();
  if ((style & ES_NUMBER) && !std::isdigit(c)) {
    MessageBeep(MB_OK);
    return true;
  }
  if (style & ES_UPPERCASE) c = static_cast<unsigned char>(std::toupper(c));
  if (style & ES_LOWERCASE) c = static_cast<unsigned char>(std::tolower(c));
  return ReplaceSelection(std::string(1, char(c)), UndoKind::kTyping, true);
}

bool EditControl::OnKeyDown(int vk) {
  bool shift = KeyDown(VK_SHIFT);
  bool ctrl = KeyDown(VK_CONTROL);
  bool rtl = doc_.GetFormat().rightToLeft;
  int lineHeight = doc_.LineHeight();
  switch (vk) {
    case VK_LEFT:
    case VK_RIGHT: {
      int direction = vk == VK_RIGHT ? 1 : -1;
      // In a right-to-left paragraph the left arrow reads on.
      bool forward = (direction > 0) != rtl;
      goalX_ = -1;
      if (ctrl) {
        MoveCaret(forward ? doc_.NextWord(caret_) : doc_.PreviousWord(caret_), shift);
      } else if (!shift && SelStart() != SelEnd()) {
        MoveCaret(forward ? SelEnd() : SelStart(), false);
      } else {
        MoveCaret(doc_.MoveVisually(caret_, direction), shift);
      }
      return true;
    }
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
      bool back = vk == VK_UP || vk == VK_PRIOR;
      if (!MultiLine()) {
        goalX_ = -1;
        MoveCaret(back ? doc_.Previous(caret_) : doc_.Next(caret_), shift);
        return true;
      }
      int step = (vk == VK_PRIOR || vk == VK_NEXT) ? VisibleLines() : 1;
      int line = doc_.LineOf(caret_, atLineEnd_);
      int target = back ? line - step : line + step;
      int last = doc_.LineCount() - 1;
      if (target < 0 || target > last) {
        if (step == 1) return true;
        target = std::clamp(target, 0, last);
      }
      if (goalX_ < 0) goalX_ = doc_.CaretPoint(caret_, atLineEnd_).x;
      int keep = goalX_;
      if (step > 1) ScrollLines(back ? -step : step);
      bool atEnd = false;
      int pos = doc_.PositionAt({keep, target * lineHeight + lineHeight / 2}, &atEnd);
      MoveCaret(pos, shift, atEnd);
      goalX_ = keep;
      return true;
    }
    case VK_HOME:
    case VK_END: {
      goalX_ = -1;
      bool home = vk == VK_HOME;
      if (ctrl || !MultiLine()) {
        MoveCaret(home ? 0 : doc_.Length(), shift);
        return true;
      }
      int line = doc_.LineOf(caret_, atLineEnd_);
      if (home) {
        MoveCaret(doc_.LineStart(line), shift);
        return true;
      }
      int end = doc_.LineEnd(line);
      bool soft = end != doc_.ParagraphEnd(doc_.ParagraphOf(end));
      MoveCaret(end, shift, soft);
      return true;
    }
    case VK_DELETE: {
      if (shift) return Cut();
      if (ReadOnly()) {
        MessageBeep(MB_OK);
        return true;
      }
      if (SelStart() != SelEnd()) return ReplaceSelection("", UndoKind::kOther, true);
      if (caret_ >= doc_.Length()) return true;
      Select(caret_, ctrl ? doc_.NextWord(caret_) : doc_.Next(caret_));
      return ReplaceSelection("", UndoKind::kDeleting, true);
    }
    case VK_INSERT:
      if (ctrl) Copy();
      if (shift && !ctrl) return Paste();
      return true;
    default:
      return true;
  }
}

bool EditControl::OnButtonDown(POINT client, bool shift, bool wordwise) {
  HWND self = hwnd_;
  if (!focused_) {
    SetFocus(self);
    if (!IsWindow(self) || GetFocus() != self) return false;
  }
  bool atEnd = false;
  int pos = HitTest(client, &atEnd);
  goalX_ = -1;
  dragByWord_ = wordwise;
  if (wordwise) {
    dragWordStart_ = doc_.WordStart(pos);
    dragWordEnd_ = doc_.WordEnd(pos);
    Select(dragWordStart_, dragWordEnd_);
  } else {
    Select(shift ? anchor_ : pos, pos, atEnd);
  }
  dragging_ = true;
  SetCapture(self);
  ScrollCaret();
  return true;
}

void EditControl::OnDrag(POINT client) {
  bool atEnd = false;
  int pos = HitTest(client, &atEnd);
  if (dragByWord_) {
    if (pos < dragWordStart_) {
      Select(dragWordEnd_, doc_.WordStart(pos));
    } else {
      Select(dragWordStart_, std::max(doc_.WordEnd(pos), dragWordEnd_));
    }
  } else {
    Select(anchor_, pos, atEnd);
  }
  bool outside = client.x < rect_.left || client.x >= rect_.right || client.y < rect_.top ||
                 client.y >= rect_.bottom;
  if (outside) {
    SetTimer(hwnd_, kDragTimer, kDragRate, nullptr);
  } else {
    KillTimer(hwnd_, kDragTimer);
  }
  ScrollCaret();
}

void EditControl::EndDrag() {
  dragging_ = false;
  dragByWord_ = false;
  KillTimer(hwnd_, kDragTimer);
  if (GetCapture() == hwnd_) ReleaseCapture();
}

}  // namespace platform
