// Status-text stack, busy cursor and version tests of the settings store, with a recording
// message bar standing in for the status bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/CursorSeam.h"
#include "foundation/MessageBarSink.h"
#include "foundation/QVBusyCursor.h"
#include "foundation/SysInfo.h"

namespace {

class RecordingBar : public TMessageBarSink {
 public:
  void SetMessageText(const char* text) override { shown.push_back(text ? text : "(null)"); }
  void RepaintNow() override { ++repaints; }
  std::vector<std::string> shown;
  int repaints = 0;
};

TEST(StatusStack, WorksBeforeAnyBarExists) {
  TSysInfo info{TWindowsVersion{}};
  info.PushStatus("Ready", false);
  info.PushStatus("Saving...", true);
  EXPECT_STREQ(info.GetStatusText(), "Saving...");
  EXPECT_EQ(info.GetBusyLevel(), 1u);
  info.PopStatus();
  EXPECT_STREQ(info.GetStatusText(), "Ready");
  EXPECT_EQ(info.GetBusyLevel(), 0u);

  RecordingBar bar;
  info.AttachMessageBar(&bar);
  info.ShowStatus(true);
  ASSERT_EQ(bar.shown.size(), 1u);
  EXPECT_EQ(bar.shown.back(), "Ready");
  EXPECT_EQ(bar.repaints, 1);
}

TEST(StatusStack, PushShowsAtOncePopShowsWithoutRepaint) {
  TSysInfo info{TWindowsVersion{}};
  RecordingBar bar;
  info.AttachMessageBar(&bar);
  info.PushStatus("Ready", false);
  info.PushStatus("Printing Page 1", false);
  EXPECT_EQ(bar.shown.back(), "Printing Page 1");
  EXPECT_EQ(bar.repaints, 2);
  info.PopStatus();
  EXPECT_EQ(bar.shown.back(), "Ready");
  EXPECT_EQ(bar.repaints, 2);

  info.PopStatus();  // only the bottom entry left: nothing changes but it is shown again
  EXPECT_EQ(info.GetStatusDepth(), 1);
  EXPECT_EQ(bar.shown.back(), "Ready");
  EXPECT_EQ(bar.shown.size(), 4u);
}

TEST(StatusStack, NeverOverrunsItsRoomAndPopsStayPaired) {
  TSysInfo info{TWindowsVersion{}};
  RecordingBar bar;
  info.AttachMessageBar(&bar);
  info.PushStatus("bottom", false);
  for (int i = 1; i < 30; ++i) info.PushStatus(("level " + std::to_string(i)).c_str(), i % 2 == 0);
  EXPECT_EQ(info.GetStatusDepth(), 30);
  EXPECT_EQ(bar.shown.back(), "level 29") << "an extra text is still shown";
  EXPECT_STREQ(info.GetStatusText(), "level 19") << "the 20th entry is the top that is kept";
  const unsigned kept = info.GetBusyLevel();
  EXPECT_EQ(kept, 9u) << "levels 2, 4 ... 18 hold the busy cursor";

  for (int i = 29; i >= 20; --i) info.PopStatus();
  EXPECT_STREQ(info.GetStatusText(), "level 19");
  EXPECT_EQ(info.GetBusyLevel(), kept);
  info.PopStatus();
  EXPECT_STREQ(info.GetStatusText(), "level 18");
  info.PopStatus();
  EXPECT_EQ(info.GetBusyLevel(), kept - 1);
  EXPECT_STREQ(info.GetStatusText(), "level 17");
}

TEST(StatusStack, PopAllKeepsTheBottomAndRestoresTheCursor) {
  TSysInfo info{TWindowsVersion{}};
  const TCursorHandle before = GetCurrentCursor();
  info.PushStatus("Ready", false);
  info.PushStatus("one", true);
  info.PushStatus("two", false);
  for (int i = 0; i < 25; ++i) info.PushStatus("many", true);
  info.BeginBusyCursor();
  EXPECT_EQ(GetCurrentCursor(), GetWaitCursor());
  info.PopAllStatus();
  EXPECT_EQ(info.GetStatusDepth(), 1);
  EXPECT_STREQ(info.GetStatusText(), "Ready");
  EXPECT_EQ(info.GetBusyLevel(), 0u);
  EXPECT_EQ(GetCurrentCursor(), before);

  // The next busy request must save the real cursor again, not the hourglass.
  info.BeginBusyCursor();
  info.EndBusyCursor();
  EXPECT_EQ(GetCurrentCursor(), before);
}

TEST(BusyCursor, NestedLevelsRestoreTheFirstCursor) {
  TSysInfo info{TWindowsVersion{}};
  const TCursorHandle before = GetCurrentCursor();
  info.BeginBusyCursor();
  info.BeginBusyCursor();
  EXPECT_EQ(info.GetBusyLevel(), 2u);
  info.EndBusyCursor();
  EXPECT_EQ(GetCurrentCursor(), GetWaitCursor());
  info.EndBusyCursor();
  EXPECT_EQ(info.GetBusyLevel(), 0u);
  EXPECT_EQ(GetCurrentCursor(), before);
}

TEST(BusyCursor, ScopedHourglassRestoresWhatItReplaced) {
  const TCursorHandle before = GetCurrentCursor();
  {
    TQVBusyCursor busy;
    EXPECT_TRUE(busy.IsShown());
    EXPECT_EQ(GetCurrentCursor(), GetWaitCursor());
    busy.Show(true);  // a second show must not save the hourglass as the cursor to restore
    busy.Show(false);
    EXPECT_EQ(GetCurrentCursor(), before);
    busy.Show(false);
    EXPECT_EQ(GetCurrentCursor(), before);
    busy.Show(true);
  }
  EXPECT_EQ(GetCurrentCursor(), before) << "the destructor restores";
  {
    TQVBusyCursor idle(false);
    EXPECT_FALSE(idle.IsShown());
    EXPECT_EQ(GetCurrentCursor(), before);
  }
  EXPECT_EQ(GetCurrentCursor(), before);
}

TEST(VersionTests, ByPlatform) {
  struct Case {
    TWindowsVersion v;
    bool nt, win4, win95, win32s, nt5, win98;
  };
  const Case cases[] = {
      {{0x0A280105u, 2, 5, 1}, true, true, false, false, true, false},     // NT 5.1
      {{0x05650004u, 2, 4, 0}, true, true, false, false, false, false},    // NT 4
      {{0xC0000004u, 1, 4, 0}, false, true, true, false, false, false},    // 95
      {{0xC0000A04u, 1, 4, 10}, false, true, true, false, false, true},    // 98
      {{0xC0005A04u, 1, 4, 90}, false, true, true, false, false, true},    // Me
      {{0x80000B03u, 0, 3, 11}, false, false, false, true, false, false},  // Win32s
  };
  for (const Case& c : cases) {
    const TSysInfo info(c.v);
    EXPECT_EQ(info.IsNT(), c.nt) << std::hex << c.v.Packed;
    EXPECT_EQ(info.IsWin4OrLater(), c.win4) << std::hex << c.v.Packed;
    EXPECT_EQ(info.IsWin4Shell(), c.win4);
    EXPECT_EQ(info.IsWin95Family(), c.win95) << std::hex << c.v.Packed;
    EXPECT_EQ(info.IsWin32s(), c.win32s) << std::hex << c.v.Packed;
    EXPECT_EQ(info.IsWin32sSystem(), c.win32s);
    EXPECT_EQ(info.IsNT5OrLater(), c.nt5) << std::hex << c.v.Packed;
    EXPECT_EQ(info.IsWin98OrLater(), c.win98) << std::hex << c.v.Packed;
  }
  const TSysInfo xp({0x0A280105u, 2, 5, 1});
  EXPECT_EQ(xp.GetMajorVersion(), 5);
  EXPECT_EQ(xp.GetMinorVersion(), 1);
}

TEST(VersionTests, TheRunningSystemIsReported) {
  const TSysInfo info;
  EXPECT_TRUE(info.IsNT());
  EXPECT_GE(info.GetMajorVersion(), 5);
  EXPECT_FALSE(info.IsWin95Family());
}

TEST(SysInfo, OneGlobalObject) {
  EXPECT_EQ(&GetSysInfo(), &GetSysInfo());
}

}  // namespace
