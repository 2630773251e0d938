// The edit control fixture.
#include "tests/platform/edit_fixture.h"

#include <cstdlib>
#include <cstring>

#include "platform/caret.h"
#include "platform/codepage.h"
#include "platform/headless/headless_backend.h"

namespace platform {

std::string Ansi(const std::string& utf8) {
  return Utf8ToAnsi(utf8);
}

void EditTest::SetUp() {
  WindowTest::SetUp();
  LOGFONTA lf{};
  lf.lfHeight = -13;
  std::strcpy(lf.lfFaceName, "Tahoma");
  font_ = CreateFontIndirectA(&lf);
}

void EditTest::TearDown() {
  WindowTest::TearDown();
  DeleteObject(font_);
}

HWND EditTest::MakeEdit(DWORD style, DWORD exStyle, int width, int height,
                        const std::string& utf8) {
  parent_ = MakeTop(0, 0, 600, 400);
  std::string text = Ansi(utf8);
  edit_ = CreateWindowExA(exStyle, "EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | style, 10, 10,
                          width, height, parent_, reinterpret_cast<HANDLE>(7), nullptr, nullptr);
  SendMessageA(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  SetFocus(edit_);
  Pump();
  ClearLog();
  return edit_;
}

void EditTest::Type(const std::string& utf8) {
  screen_->TypeText(utf8);
  Pump();
}

void EditTest::Key(int vk, bool shift, bool ctrl) {
  if (shift) screen_->KeyDown(VK_SHIFT);
  if (ctrl) screen_->KeyDown(VK_CONTROL);
  screen_->Tap(vk);
  if (ctrl) screen_->KeyUp(VK_CONTROL);
  if (shift) screen_->KeyUp(VK_SHIFT);
  Pump();
}

void EditTest::ClickAt(int x, int y, bool shift) {
  POINT p{x, y};
  ClientToScreen(edit_, &p);
  if (shift) screen_->KeyDown(VK_SHIFT);
  screen_->Click(p.x, p.y);
  if (shift) screen_->KeyUp(VK_SHIFT);
  Pump();
}

std::string EditTest::Text() const {
  return AnsiToUtf8(GetWindowString(edit_));
}

int EditTest::SelStart() const {
  DWORD start = 0;
  SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return int(start);
}

int EditTest::SelEnd() const {
  DWORD end = 0;
  SendMessageA(edit_, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
  return int(end);
}

std::vector<WORD> EditTest::TakeNotices() {
  std::vector<WORD> codes;
  for (const Logged& l : Messages({WM_COMMAND})) {
    if (l.hwnd == parent_ && l.lParam == reinterpret_cast<LPARAM>(edit_)) {
      codes.push_back(HIWORD(DWORD(l.wParam)));
    }
  }
  ClearLog();
  return codes;
}

int EditTest::Count(WORD code) const {
  int n = 0;
  for (const Logged& l : Messages({WM_COMMAND})) {
    n += l.hwnd == parent_ && HIWORD(DWORD(l.wParam)) == code;
  }
  return n;
}

POINT EditTest::Caret() const {
  POINT p{-1, -1};
  GetCaretPos(&p);
  return p;
}

void EditTest::SavePicture(const std::string& name) {
  Pump();
  const char* dir = std::getenv("VELMORA_PICTURES");
  if (dir == nullptr) return;
  screen_->WritePng(parent_, std::string(dir) + "/" + name + ".png");
}

}  // namespace platform
