// The entry sequence with a description that cannot be read: the last-chance report
// "Application Error" is shown, no window remains and the status is 1.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/program.h"
#include "platform/backend.h"
#include "platform/codepage.h"
#include "platform/headless/headless_backend.h"
#include "platform/message_box.h"
#include "platform/winuser.h"

namespace {

using namespace platform;

BOOL CountVisible(HWND window, LPARAM count) {
  if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST(EntrySequence, AStreamErrorAtLoadEndsWithTheLastChanceReportAndStatusOne) {
  SetBackend(std::make_unique<HeadlessBackend>(1280, 1024));
  EXPECT_EQ(RunProgram(), 1);
  ASSERT_EQ(MessageBoxesShown().size(), 1u);
  const MessageBoxRecord& report = MessageBoxesShown()[0];
  EXPECT_EQ(report.caption, "Application Error");
  EXPECT_EQ(report.text.rfind("Exception EReadError in module ", 0), 0u) << report.text;
  EXPECT_NE(report.text.find("Error reading Label1.Captoin: Property Captoin does not exist.\r\n"),
            std::string::npos)
      << report.text;
  EXPECT_TRUE(report.type & MB_ICONERROR);
  EXPECT_EQ(unit1::main, nullptr);
  int visible = 0;
  EnumWindows(CountVisible, reinterpret_cast<LPARAM>(&visible));
  EXPECT_EQ(visible, 0) << "no partial window remains";
}

}  // namespace
