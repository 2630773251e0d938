// List boxes and combo boxes: order and search, keys, type-ahead, mouse, scrolling, dropping
// down and the simple combo box's edit.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/combobox.h"
#include "platform/listbox.h"
#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

const char* const kFaces[] = {"Tahoma", "Arial", "Times New Roman", "Traditional Arabic",
                              "Courier New", "MS Sans Serif", "Nazli", "Titr", "Verdana",
                              "Zar", "Mitra", "Lotus"};

class List : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    parent_ = MakeTop(0, 0, 400, 300);
  }

  HWND MakeList(DWORD style, int height = 80) {
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "ListBox", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 10, 10, 150, height,
                                parent_, reinterpret_cast<HANDLE>(LONG_PTR(50)), nullptr, nullptr);
    for (const char* f : kFaces) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f));
    return list;
  }

  HWND MakeCombo(DWORD style, int height = 120) {
    HWND combo = CreateWindowExA(0, "ComboBox", nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style,
                                 200, 10, 150, height, parent_,
                                 reinterpret_cast<HANDLE>(LONG_PTR(60)), nullptr, nullptr);
    for (const char* f : kFaces) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f));
    return combo;
  }

  std::vector<int> Codes(int id) {
    std::vector<int> out;
    for (const Logged& l : Messages({WM_COMMAND})) {
      if (l.hwnd == parent_ && LOWORD(DWORD(l.wParam)) == id) out.push_back(HIWORD(DWORD(l.wParam)));
    }
    return out;
  }

  static std::string Text(HWND list, int index) {
    char buffer[64] = {};
    SendMessageA(list, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }

  void Key(int key, int modifier = 0) {
    if (modifier) screen_->KeyDown(modifier);
    screen_->Tap(key);
    if (modifier) screen_->KeyUp(modifier);
    Pump();
  }

  HWND parent_ = nullptr;
};

TEST_F(List, SortedItemsAndSearchesIgnoreLetterCase) {
  HWND list = MakeList(LBS_SORT | LBS_NOTIFY);
  EXPECT_EQ(Text(list, 0), "Arial");
  EXPECT_EQ(Text(list, 11), "Zar");
  // clang-format off
  struct Case {
    UINT message;
    int after;
    const char* text;
    LRESULT expected;
  } cases[] = {
      {LB_FINDSTRING, -1, "t", 6},
      {LB_FINDSTRING, 6, "t", 7},
      {LB_FINDSTRING, 11, "a", 0},
      {LB_FINDSTRING, -1, "times new", 7},
      {LB_FINDSTRINGEXACT, -1, "zar", 11},
      {LB_FINDSTRINGEXACT, -1, "Za", LB_ERR},
      {LB_FINDSTRING, -1, "Helvetica", LB_ERR},
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(SendMessageA(list, c.message, WPARAM(c.after), reinterpret_cast<LPARAM>(c.text)),
              c.expected)
        << c.text << " after " << c.after;
  }
  EXPECT_EQ(SendMessageA(list, LB_SETCURSEL, 40, 0), LB_ERR);
  EXPECT_EQ(SendMessageA(list, LB_GETTEXT, 40, 0), LB_ERR);
  SendMessageA(list, LB_SETCURSEL, 3, 0);
  SendMessageA(list, LB_DELETESTRING, 1, 0);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2) << "the selection follows its item";
  EXPECT_TRUE(Codes(50).empty()) << "changes by message send no notice";
}

TEST_F(List, KeysMoveTheSelectionAndScrollItIntoView) {
  HWND list = MakeList(LBS_NOTIFY);
  SetFocus(list);
  Pump();
  ClearLog();
  Key(VK_DOWN);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0) << "the first key selects the first item";
  Key(VK_END);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 11);
  int visible = int(76 / SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 12 - visible);
  Key(VK_HOME);
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
  Key(VK_NEXT);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), visible - 1);
  Key(VK_UP);
  EXPECT_EQ(Codes(50), (std::vector<int>{LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE,
                                         LBN_SELCHANGE, LBN_SELCHANGE}));
}

TEST_F(List, TypingSelectsByTheStartOfAnItem) {
  HWND list = MakeList(LBS_SORT);
  SetFocus(list);
  Pump();
  auto type = [&](const char* text) {
    screen_->TypeText(text);
    Pump();
    return Text(list, int(SendMessageA(list, LB_GETCURSEL, 0, 0)));
  };
  EXPECT_EQ(type("t"), "Tahoma");
  EXPECT_EQ(type("t"), "Times New Roman") << "the same letter steps on";
  screen_->Advance(2000);
  EXPECT_EQ(type("tr"), "Traditional Arabic");
  screen_->Advance(2000);
  EXPECT_EQ(type("M"), "Mitra");
  EXPECT_EQ(type("s"), "MS Sans Serif") << "typed quickly, letters narrow the search";
}

TEST_F(List, ClicksSelectAndDoubleClicksNotify) {
  HWND list = MakeList(LBS_NOTIFY);
  Pump();
  int itemHeight = int(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  ClearLog();
  screen_->Click(30, 12 + itemHeight * 2 + 2);
  Pump();
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
  screen_->Click(30, 12 + itemHeight * 2 + 2);
  Pump();
  EXPECT_EQ(Codes(50), (std::vector<int>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_DBLCLK}));
  screen_->Wheel(30, 30, -WHEEL_DELTA);
  Pump();
  EXPECT_EQ(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 3);
}

TEST_F(List, ADropDownListOpensStepsAndClosesByKey) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST | CBS_SORT);
  RECT r;
  GetWindowRect(combo, &r);
  EXPECT_LT(r.bottom - r.top, 30) << "only the field stays";
  SetFocus(combo);
  Pump();
  Key(VK_DOWN);
  EXPECT_EQ(GetWindowString(combo), "Arial") << "closed, Down steps";
  ClearLog();
  Key(VK_DOWN, VK_MENU);
  EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 1);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
  EXPECT_EQ(GetWindowString(combo), "Lotus");
  Key(VK_F4);
  Key(VK_DOWN);
  Key(VK_ESCAPE);
  EXPECT_EQ(GetWindowString(combo), "Lotus") << "Escape puts the selection back";
  EXPECT_EQ(Codes(60), (std::vector<int>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELCHANGE, CBN_SELENDOK,
                                         CBN_CLOSEUP, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELCHANGE,
                                         CBN_SELENDCANCEL, CBN_CLOSEUP}));
}

TEST_F(List, AClickOnTheDroppedListPicksAnItem) {
  HWND combo = MakeCombo(CBS_DROPDOWNLIST);
  Pump();
  RECT r;
  GetWindowRect(combo, &r);
  screen_->Click(r.left + 10, r.top + 5);
  Pump();
  ASSERT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 1);
  ClearLog();
  screen_->Click(r.left + 10, r.bottom + 2);
  Pump();
  EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
  EXPECT_EQ(GetWindowString(combo), "Tahoma");
  EXPECT_EQ(GetActiveWindow(), parent_) << "the popup list never takes activation";
  EXPECT_EQ(Codes(60), (std::vector<int>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(List, TypingIntoASimpleComboBoxFindsTheItem) {
  HWND combo = MakeCombo(CBS_SIMPLE | CBS_SORT, 150);
  SetFocus(combo);
  Pump();
  ClearLog();
  screen_->TypeText("Tr");
  Pump();
  EXPECT_EQ(GetWindowString(combo), "Tr") << "the typed text stays";
  LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  char found[64] = {};
  SendMessageA(combo, CB_GETLBTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(found));
  EXPECT_STREQ(found, "Traditional Arabic");
  EXPECT_EQ(Codes(60), (std::vector<int>{CBN_EDITCHANGE, CBN_EDITCHANGE}));
  Key(VK_DOWN);
  EXPECT_EQ(GetWindowString(combo), "Verdana") << "arrows step through the list from the edit";
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  EXPECT_EQ(GetWindowString(combo), "Arial");
}

TEST_F(List, Picture) {
  DestroyWindow(parent_);
  parent_ = CreateWindowExA(0, "#32770", "Lists", WS_POPUP | WS_VISIBLE, 0, 0, 400, 240, nullptr,
                            nullptr, nullptr, nullptr);
  HWND list = MakeList(LBS_SORT, 120);
  SendMessageA(list, LB_SETCURSEL, 3, 0);
  HWND simple = MakeCombo(CBS_SIMPLE | CBS_SORT, 120);
  SendMessageA(simple, CB_SETCURSEL, 9, 0);
  HWND dropdown = CreateWindowExA(0, "ComboBox", nullptr, WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST,
                                  10, 150, 150, 120, parent_, nullptr, nullptr, nullptr);
  SendMessageA(dropdown, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Western"));
  SendMessageA(dropdown, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Arabic"));
  SendMessageA(dropdown, CB_SETCURSEL, 1, 0);
  SetFocus(dropdown);
  Pump();
  if (const char* folder = std::getenv("VELMORA_PICTURES")) {
    screen_->WritePng(parent_, std::string(folder) + "/lists.png");
  }
  EXPECT_EQ(GetWindowString(dropdown), "Arabic");
}

}  // namespace
}  // namespace platform
