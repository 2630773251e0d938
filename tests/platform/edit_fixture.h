// Test fixture for the edit control: a parent window that records the notices, an edit in
// Tahoma as the program's boxes use it, and helpers to type, press keys and read the state.
#pragma once

#include <string>
#include <vector>

#include "platform/edit.h"
#include "platform/fonts.h"
#include "tests/platform/window_fixture.h"

namespace platform {

class EditTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // An edit child of a 600 × 400 parent at (10, 10) of its client area, focused.
  HWND MakeEdit(DWORD style, DWORD exStyle, int width, int height, const std::string& utf8 = "");
  // Text typed on the keyboard as UTF-8, and keys with Shift or Ctrl held.
  void Type(const std::string& utf8);
  void Key(int vk, bool shift = false, bool ctrl = false);
  void ClickAt(int x, int y, bool shift = false);

  std::string Text() const;  // the window text as UTF-8
  int SelStart() const;
  int SelEnd() const;
  // The EN_* codes the parent heard, in order, and forgets them.
  std::vector<WORD> TakeNotices();
  int Count(WORD code) const;
  // The caret's position in the edit's client area.
  POINT Caret() const;
  void SavePicture(const std::string& name);

  HWND parent_ = nullptr;
  HWND edit_ = nullptr;
  HFONT font_ = nullptr;
};

// A byte position in the system code page for a position counted in UTF-8 characters.
std::string Ansi(const std::string& utf8);

}  // namespace platform
