// Global atoms, properties named by atoms, and the one monitor.
#include "platform/atoms.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/monitor.h"
#include "tests/platform/window_fixture.h"

namespace platform {
namespace {

class Atoms : public WindowTest {};

TEST_F(Atoms, StringAtomsAreCountedAndIntegerAtomsAreThemselves) {
  ATOM a = GlobalAddAtomA("WndProcPtr00400000000004D2");
  ASSERT_GE(a, 0xC000);
  EXPECT_EQ(GlobalAddAtomA("wndprocptr00400000000004d2"), a) << "letter case ignored";
  EXPECT_EQ(GlobalFindAtomA("WNDPROCPTR00400000000004D2"), a);
  char name[64];
  EXPECT_EQ(GlobalGetAtomNameA(a, name, sizeof name), 26u);
  EXPECT_STREQ(name, "WndProcPtr00400000000004D2");
  EXPECT_EQ(GlobalDeleteAtom(a), 0);
  EXPECT_EQ(GlobalFindAtomA("WndProcPtr00400000000004D2"), a) << "added twice, deleted once";
  EXPECT_EQ(GlobalDeleteAtom(a), 0);
  EXPECT_EQ(GlobalFindAtomA("WndProcPtr00400000000004D2"), 0);
  EXPECT_EQ(GlobalDeleteAtom(a), a) << "already gone";

  EXPECT_EQ(GlobalAddAtomA("#123"), 123);
  EXPECT_EQ(GlobalAddAtomA(MAKEINTATOM(77)), 77);
  EXPECT_EQ(GlobalGetAtomNameA(123, name, sizeof name), 4u);
  EXPECT_STREQ(name, "#123");
  EXPECT_EQ(GlobalAddAtomA(""), 0);
  EXPECT_EQ(GlobalAddAtomA(std::string(256, 'x').c_str()), 0);
}

TEST_F(Atoms, APropertyNamedByAnAtomIsTheOneNamedByItsString) {
  HWND w = MakeTop(0, 0, 10, 10);
  ATOM a = GlobalAddAtomA("SavedProc");
  int value = 5;
  ASSERT_TRUE(SetPropA(w, MAKEINTATOM(a), &value));
  EXPECT_EQ(GetPropA(w, "savedproc"), &value);
  EXPECT_EQ(RemovePropA(w, "SAVEDPROC"), &value);
  EXPECT_EQ(GetPropA(w, MAKEINTATOM(a)), nullptr);
  EXPECT_FALSE(SetPropA(w, MAKEINTATOM(0xC999), &value)) << "an unknown atom names nothing";
  GlobalDeleteAtom(a);
}

TEST_F(Atoms, EveryWindowIsOnTheOneMonitor) {
  HWND on = MakeTop(10, 10, 100, 100);
  HWND off = MakeTop(5000, 5000, 100, 100);
  EXPECT_NE(MonitorFromWindow(on, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(MonitorFromWindow(off, MONITOR_DEFAULTTONULL), nullptr);
  HMONITOR nearest = MonitorFromWindow(off, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
  ASSERT_TRUE(GetMonitorInfoA(nearest, &info));
  EXPECT_EQ(info.rcMonitor.right, 800);
  EXPECT_EQ(info.rcMonitor.bottom, 600);
  EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
  MONITORINFO small{4, {}, {}, 0};
  EXPECT_FALSE(GetMonitorInfoA(nearest, &small));
}

}  // namespace
}  // namespace platform
