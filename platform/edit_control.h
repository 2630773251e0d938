// The state and behaviour of one edit control window. Internal to the platform layer: programs
// reach it through the "EDIT" class and its messages (platform/edit.h).
#pragma once

#include <string>
#include <string_view>

#include "platform/edit.h"
#include "platform/edit_document.h"

namespace platform {

class EditControl {
 public:
  explicit EditControl(HWND hwnd);
  EditControl(const EditControl&) = delete;
  EditControl& operator=(const EditControl&) = delete;

  // Answers one message. The window may be destroyed by the parent while it hears a
  // notification; every path stops touching the control after such a notification.
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  enum class UndoKind { kOther, kTyping, kDeleting };
  struct Undo {
    bool available = false;
    int pos = 0;          // where the change was made
    int inserted = 0;     // the length it put there
    std::string removed;  // what it took away
    UndoKind kind = UndoKind::kOther;
  };

  DWORD Style() const;
  DWORD ExStyle() const;
  bool MultiLine() const;
  bool ReadOnly() const;

  // Layout: the formatting rectangle and the document's format follow the window.
  void UpdateFormat();
  int VisibleLines();
  void UpdateScrollBars();
  void SetBar(int bar, const SCROLLINFO& info);
  void ScrollLines(int delta);
  void ScrollSideways(int x);
  void ScrollCaret();
  void PlaceCaret();
  POINT ToClient(POINT text);
  int HitTest(POINT client, bool* atLineEnd);
  void Invalidate();
  void InvalidateLines(int firstLine, int lastLine);

  // Selection: anchor and caret; the caret may sit at the end of a wrapped line.
  int SelStart() const;
  int SelEnd() const;
  void Select(int anchor, int caret, bool atLineEnd = false);
  void MoveCaret(int pos, bool extend, bool atLineEnd = false);

  // Changes. Each returns false when the window went away during a notification.
  bool Notify(WORD code);
  bool ReplaceSelection(std::string text, UndoKind kind, bool byUser, bool keepUndo = true);
  bool UndoLast();
  // After the text changed: the new selection, the modified flag, scrolling and repainting of
  // lines [firstLine, lastLine] (to the bottom for -1).
  void ShowChange(int anchor, int caret, int firstLine = 0, int lastLine = -1);
  void Record(int from, int to, std::size_t inserted, UndoKind kind);
  bool SetText(std::string_view text);

  // Clipboard.
  void Copy();
  bool Cut();
  bool Paste();

  // Input.
  bool OnChar(unsigned char c);
  bool OnKeyDown(int vk);
  bool OnButtonDown(POINT client, bool shift, bool wordwise);
  void OnDrag(POINT client);
  void EndDrag();
  void OnScroll(WORD code, int thumb);
  void OnHorizontalScroll(WORD code, int thumb);

  void Paint(HDC given);

  HWND hwnd_;
  EditDocument doc_;
  HFONT font_ = nullptr;
  int anchor_ = 0;
  int caret_ = 0;
  bool atLineEnd_ = false;
  int goalX_ = -1;  // the x that up and down keep to, -1 when unset
  RECT rect_{0, 0, 0, 0};
  bool customRect_ = false;
  int topLine_ = 0;
  int scrollX_ = 0;
  int limit_ = kDefaultEditLimit;
  bool modified_ = false;
  char passwordChar_ = '*';
  bool ownsScrollBar_ = false;
  bool ownsHorizontalBar_ = false;
  bool focused_ = false;
  bool dragging_ = false;
  bool dragByWord_ = false;
  int dragWordStart_ = 0;
  int dragWordEnd_ = 0;
  Undo undo_;
};

}  // namespace platform
