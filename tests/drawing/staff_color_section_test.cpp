// The staff colours' settings section read and written through the settings store: keys in
// order up to the first that is not a colour, every component kept within its byte, and all
// eight written back as they read.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>

#include "QVKNTN/StaffColorSection.h"
#include "tests/drawing/TempSettings.h"

namespace {

using StaffColors::kCount;

std::map<int, std::uint32_t> Load(TempSettings& store, int& read) {
  std::map<int, std::uint32_t> set;
  read = StaffColors::LoadSection(store.settings, "StaffColors",
                                  [&](int i, std::uint32_t color) { set[i] = color; });
  return set;
}

TEST(StaffColorSection, LoadingStopsAtTheFirstKeyThatIsNotAColour) {
  struct Case {
    const char* what;
    const char* key3;  // nullptr: no key "3"
  } cases[] = {{"key 3 missing", nullptr}, {"key 3 with two numbers", "RGB(3,3)"}, {"key 3 empty", ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempSettings store;
    store.Put("0", "RGB(1,1,1)");
    store.Put("1", "RGB(300,0,-1)");
    store.Put("2", "RGB(2,2,2)");
    if (c.key3) store.Put("3", c.key3);
    for (const char* key : {"4", "5", "6", "7"}) store.Put(key, "RGB(4,4,4)");  // never read
    int read = -1;
    std::map<int, std::uint32_t> set = Load(store, read);
    EXPECT_EQ(read, 3);
    EXPECT_EQ(set, (std::map<int, std::uint32_t>{{0, 0x010101}, {1, 0xFF002C}, {2, 0x020202}}));
  }
}

TEST(StaffColorSection, ANegativeComponentStaysWithinItsByte) {
  // -1 taken modulo 256 is 255; as a plain sum -1 x 65536 would set the colour's high byte too.
  TempSettings store;
  store.Put("0", "RGB(0,0,-1)");
  store.Put("1", "RGB(-256,-1,-255)");
  int read = 0;
  std::map<int, std::uint32_t> set = Load(store, read);
  ASSERT_EQ(read, 2);
  EXPECT_EQ(set[0], 0xFF0000u);
  EXPECT_EQ(set[1], 0x01FF00u);
}

TEST(StaffColorSection, SavingAndLoadingRoundTripsAllEight) {
  TempSettings store;
  std::uint32_t colors[kCount];
  for (int i = 0; i < kCount; ++i) colors[i] = (i * 30) | (255 - i) << 8 | (i * 7) << 16;
  StaffColors::SaveSection(store.settings, "StaffColors", colors);
  EXPECT_EQ(store.Get("2"), "RGB(60,253,14)");
  EXPECT_EQ(store.Get("7"), "RGB(210,248,49)");
  int read = 0;
  std::map<int, std::uint32_t> set = Load(store, read);
  EXPECT_EQ(read, kCount);
  for (int i = 0; i < kCount; ++i) EXPECT_EQ(set[i], colors[i]) << i;

  TempSettings empty;
  EXPECT_TRUE(Load(empty, read).empty());
  EXPECT_EQ(read, 0);
}

}  // namespace
