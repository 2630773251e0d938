// System values: metrics and colours, the locale's character types and flags, COM bookkeeping,
// shell targets, messages by name and the headless screen's pictures.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/clipboard.h"
#include "platform/codepage.h"
#include "platform/com.h"
#include "platform/locale.h"
#include "platform/shell.h"
#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

class System : public WindowTest {};

TEST_F(System, ScreenMetricsFollowTheScreen) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 800);
  EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 600);
  EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 16);
  EXPECT_EQ(GetSystemMetrics(SM_CXEDGE), 2);
  EXPECT_EQ(GetSystemMetrics(9999), 0);
}

TEST_F(System, ClassicColours) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(0, 0, 128));
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(31), 0u);
}

TEST(Locale, PersianThreadLocaleWithoutLeadBytes) {
  EXPECT_EQ(GetThreadLocale(), 0x0429u);
  EXPECT_EQ(PRIMARYLANGID(LANGIDFROMLCID(GetThreadLocale())), LANG_PERSIAN);
  EXPECT_EQ(GetVersion() & 0x80000000u, 0u);
  CPINFO info;
  ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
  EXPECT_EQ(info.MaxCharSize, 1u);
  EXPECT_EQ(info.LeadByte[0], 0);
  EXPECT_FALSE(GetCPInfo(932, &info));
  EXPECT_EQ(GetSystemMetrics(SM_MIDEASTENABLED), 1);
}

TEST(Locale, FlagsFollowTheThreadLocale) {
  // clang-format off
  struct Case {
    LCID locale;
    bool middleEast;
  } cases[] = {
      {kPersianLocale, true},
      {0x0401, true},
      {0x040D, true},
      {0x0409, false},
      {0x0407, false},
      {0x041D, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    ASSERT_TRUE(SetThreadLocale(c.locale));
    SysLocaleFlags flags = ComputeSysLocaleFlags();
    EXPECT_EQ(flags.middleEast, c.middleEast) << std::hex << c.locale;
    EXPECT_FALSE(flags.farEast) << "code page 1256 has no lead bytes";
  }
  SetThreadLocale(kPersianLocale);
  EXPECT_TRUE(SysLocale().middleEast);
}

TEST(Locale, BidiCategoriesOfCodePageBytes) {
  struct Case {
    unsigned char byte;
    WORD type;
  } cases[] = {
      {'a', C2_LEFTTORIGHT},      {'7', C2_EUROPENUMBER},    {'+', C2_EUROPESEPARATOR},
      {'$', C2_EUROPETERMINATOR}, {',', C2_COMMONSEPARATOR}, {' ', C2_WHITESPACE},
      {'!', C2_OTHERNEUTRAL},     {0xC7, C2_RIGHTTOLEFT},    {0x81, C2_RIGHTTOLEFT},
      {0x98, C2_RIGHTTOLEFT},     {0xE0, C2_LEFTTORIGHT},    {'\t', C2_SEGMENTSEPARATOR},
      {'\n', C2_BLOCKSEPARATOR},
  };
  for (const Case& c : cases) {
    char text[1] = {static_cast<char>(c.byte)};
    WORD type = 0xFFFF;
    ASSERT_TRUE(GetStringTypeExA(GetThreadLocale(), CT_CTYPE2, text, 1, &type));
    EXPECT_EQ(type, c.type) << "byte " << int(c.byte);
  }
  // The question the right-to-left flag asks: is any upper byte right-to-left?
  char upper[128];
  for (int i = 0; i < 128; ++i) upper[i] = static_cast<char>(128 + i);
  WORD types[128];
  ASSERT_TRUE(GetStringTypeExA(GetThreadLocale(), CT_CTYPE2, upper, 128, types));
  EXPECT_NE(std::find(std::begin(types), std::end(types), C2_RIGHTTOLEFT), std::end(types));
  EXPECT_FALSE(GetStringTypeExA(GetThreadLocale(), CT_CTYPE1, upper, 1, types));
  const char16_t wide[] = u"\u06F1";
  ASSERT_TRUE(GetStringTypeW(CT_CTYPE2, wide, 1, types));
  EXPECT_EQ(types[0], C2_EUROPENUMBER) << "Persian digits are European numbers for bidi";
}

TEST(Com, InitialisationIsCountedPerThread) {
  EXPECT_EQ(CoInitialize(nullptr), S_OK);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
  EXPECT_EQ(CoInitializeCount(), 2);
  std::thread other([] {
    EXPECT_EQ(CoInitializeCount(), 0);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
    CoUninitialize();
  });
  other.join();
  CoUninitialize();
  CoUninitialize();
  CoUninitialize();
  EXPECT_EQ(CoInitializeCount(), 0) << "an extra uninitialise does not go negative";
}

TEST(Shell, BareHostNamesOpenAsWebPages) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"www.example.org", "http://www.example.org"},
      {"example.org/page?x=1", "http://example.org/page?x=1"},
      {"https://example.org", "https://example.org"},
      {"mailto:someone@example.org", "mailto:someone@example.org"},
      {"/tmp/file.txt", "/tmp/file.txt"},
      {"readme", "readme"},
      {".hidden.txt", ".hidden.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(ShellOpenTarget(c.in), c.out) << c.in;
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(ShellExecuteA(nullptr, "open", "", nullptr, nullptr, 1)),
            2u);
  EXPECT_LE(reinterpret_cast<UINT_PTR>(ShellExecuteA(nullptr, "edit", "x", nullptr, nullptr, 1)),
            32u);
}

TEST(Shell, AHookReceivesWhatWouldBeOpened) {
  std::vector<std::string> opened;
  SetShellOpenHook([&](const std::string& file) { opened.push_back(file); });
  EXPECT_GT(reinterpret_cast<UINT_PTR>(ShellExecuteA(nullptr, "open", "www.example.org", nullptr,
                                                     nullptr, SW_SHOWNORMAL)),
            32u);
  EXPECT_GT(reinterpret_cast<UINT_PTR>(ShellExecuteA(nullptr, nullptr, "a.txt", nullptr, nullptr,
                                                     SW_SHOWNORMAL)),
            32u);
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(ShellExecuteA(nullptr, "open", "", nullptr, nullptr, 1)),
            2u)
      << "refused targets never reach the hook";
  SetShellOpenHook(nullptr);
  EXPECT_EQ(opened, (std::vector<std::string>{"www.example.org", "a.txt"}));
}

TEST_F(System, ClipboardTextCrossesToTheScreenAsUtf8WithLineFeeds) {
  HWND w = MakeTop(0, 0, 10, 10);
  EXPECT_FALSE(SetClipboardTextA("x")) << "the clipboard must be open";
  ASSERT_TRUE(OpenClipboard(w));
  EXPECT_FALSE(OpenClipboard(nullptr)) << "one opener at a time";
  EXPECT_TRUE(EmptyClipboard());
  EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_TRUE(SetClipboardTextA("\xD3\xE1\xC7\xE3\r\nab"));
  EXPECT_TRUE(CloseClipboard());
  EXPECT_EQ(screen_->ClipboardText(), "\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85\nab");
  screen_->SetClipboardText("\xDB\x8C\nz");
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_EQ(GetClipboardTextA(), "\xED\r\nz") << "Farsi yeh by its best fit";
}

TEST_F(System, RegisteredMessagesAreSharedByName) {
  UINT find = RegisterWindowMessageA("commdlg_FindReplace");
  EXPECT_GE(find, 0xC000u);
  EXPECT_EQ(RegisterWindowMessageA("COMMDLG_FINDREPLACE"), find);
  EXPECT_NE(RegisterWindowMessageA("another"), find);
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST_F(System, QueueOrderAndFilters) {
  HWND a = MakeTop(0, 0, 10, 10, WS_POPUP);
  HWND b = MakeTop(0, 0, 10, 10, WS_POPUP);
  PostMessageA(a, WM_USER + 1, 0, 0);
  PostMessageA(b, WM_USER + 2, 0, 0);
  PostQuitMessage(4);
  PostMessageA(a, WM_USER + 3, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 2);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_NOREMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 1);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 3) << "the quit comes after every posted message";
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 4u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(System, CloseFromTheScreenDestroysByDefault) {
  HWND w = MakeTop(0, 0, 10, 10);
  screen_->RequestClose(w);
  Pump();
  EXPECT_FALSE(IsWindow(w));
}

TEST_F(System, TheHeadlessScreenWritesWhatWasPresented) {
  HWND w = MakeTop(0, 0, 2, 2);
  const std::uint32_t pixels[] = {0xFFFF0000, 0xFF00FF00, 0, 0xFF0000FF, 0xFFFFFFFF, 0};
  screen_->Present(w, PixelView{pixels, 2, 2, 3});
  int width = 0, height = 0;
  const auto& stored = screen_->Pixels(w, &width, &height);
  ASSERT_EQ(width, 2);
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_EQ(stored[2], 0xFF0000FFu) << "rows are read by stride";
  std::string path = testing::TempDir() + "/headless_" + std::to_string(getpid()) + ".png";
  ASSERT_TRUE(screen_->WritePng(w, path));
  std::FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  unsigned char sig[8] = {};
  EXPECT_EQ(std::fread(sig, 1, 8, f), 8u);
  std::fclose(f);
  std::remove(path.c_str());
  EXPECT_EQ(sig[1], 'P');
  EXPECT_EQ(sig[2], 'N');
  EXPECT_FALSE(screen_->WritePng(MakeTop(0, 0, 1, 1), path)) << "nothing presented";
}

}  // namespace
}  // namespace platform
