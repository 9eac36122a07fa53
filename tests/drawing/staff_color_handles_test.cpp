// The staff colour table with its pens: defaults, a pen remade only when its colour changes, and
// the "StaffColors" section read and written through the settings store.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "QVKNTN/win32/StaffColorHandles.h"
#include "foundation/SysInfo.h"
#include "tests/drawing/TempSettings.h"

namespace {

COLORREF PenColor(const TPen& pen) {
  LOGPEN lp;
  return GetObjectA(pen.GetHandle(), sizeof lp, &lp) == sizeof lp ? lp.lopnColor : 0xFFFFFFFF;
}

TEST(StaffColorHandles, DefaultsEachWithASolidOneUnitPen) {
  TStaffColorHandles colors;
  const COLORREF expected[] = {RGB(0, 0, 0),   RGB(0, 0, 192), RGB(0, 0, 0),   RGB(192, 192, 192),
                               RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(colors.GetColor(i), expected[i]) << i;
    LOGPEN lp;
    ASSERT_EQ(GetObjectA(colors.GetPen(i).GetHandle(), sizeof lp, &lp), static_cast<int>(sizeof lp));
    EXPECT_EQ(lp.lopnColor, expected[i]) << i;
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_SOLID)) << i;
    EXPECT_EQ(lp.lopnWidth.x, 1) << i;
  }
  EXPECT_EQ(colors.GetColor(8), 0u);
  EXPECT_EQ(colors.GetColor(-1), 0u);
}

TEST(StaffColorHandles, SetColorRemakesThePenOnlyOnAChange) {
  TStaffColorHandles colors;
  HPEN before = colors.GetPen(3).GetHandle();
  colors.SetColor(3, RGB(192, 192, 192));
  EXPECT_EQ(colors.GetPen(3).GetHandle(), before) << "same colour: same pen";
  colors.SetColor(3, RGB(1, 2, 3));
  EXPECT_EQ(colors.GetColor(3), RGB(1, 2, 3));
  EXPECT_EQ(PenColor(colors.GetPen(3)), RGB(1, 2, 3));
  EXPECT_EQ(GetObjectType(before), 0u) << "the old pen is deleted";
  colors.SetColor(9, RGB(9, 9, 9));   // ignored
  colors.SetColor(-1, RGB(9, 9, 9));
  EXPECT_EQ(colors.GetColor(0), RGB(0, 0, 0));
}

class StaffColorSettings : public ::testing::Test {
protected:
  void Put(const char* key, const char* value) { store_.Put(key, value); }

  TempSettings store_;
  TSysInfo& settings_ = store_.settings;
};

TEST_F(StaffColorSettings, SaveAndLoadRoundTripAllEight) {
  TStaffColorHandles saved;
  for (int i = 0; i < 8; ++i) saved.SetColor(i, RGB(i * 30, 255 - i, i * 7));
  saved.Save(settings_, "StaffColors");
  EXPECT_EQ(store_.Get("2"), "RGB(60,253,14)");

  TStaffColorHandles loaded;
  loaded.Load(settings_, "StaffColors");
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(loaded.GetColor(i), saved.GetColor(i)) << i;
    EXPECT_EQ(PenColor(loaded.GetPen(i)), saved.GetColor(i)) << i;
  }
}

TEST_F(StaffColorSettings, LoadingStopsAtTheFirstKeyThatIsNotAColour) {
  Put("0", "RGB(1,1,1)");
  Put("1", "RGB(300,0,-1)");  // 300 -> 44, -1 -> 255: every component within its byte
  Put("2", "RGB(2,2,2)");
  Put("4", "RGB(4,4,4)");    // after the missing "3": never read
  Put("5", "RGB(5,5,5)");
  TStaffColorHandles colors;
  colors.Load(settings_, "StaffColors");
  EXPECT_EQ(colors.GetColor(0), RGB(1, 1, 1));
  EXPECT_EQ(colors.GetColor(1), RGB(44, 0, 255));
  EXPECT_EQ(colors.GetColor(1) & 0xFF000000u, 0u);
  EXPECT_EQ(colors.GetColor(2), RGB(2, 2, 2));
  EXPECT_EQ(colors.GetColor(3), RGB(192, 192, 192));
  EXPECT_EQ(colors.GetColor(4), RGB(255, 0, 0));
  EXPECT_EQ(colors.GetColor(5), RGB(255, 0, 0));

  Put("3", "RGB(3,3)");      // present but not three numbers: the same stop
  TStaffColorHandles again;
  again.Load(settings_, "StaffColors");
  EXPECT_EQ(again.GetColor(3), RGB(192, 192, 192));
  EXPECT_EQ(again.GetColor(4), RGB(255, 0, 0));
}

TEST_F(StaffColorSettings, AnEmptySectionChangesNothing) {
  TStaffColorHandles colors;
  HPEN pen = colors.GetPen(0).GetHandle();
  colors.Load(settings_, "StaffColors");
  EXPECT_EQ(colors.GetColor(1), RGB(0, 0, 192));
  EXPECT_EQ(colors.GetPen(0).GetHandle(), pen);
}

}  // namespace
