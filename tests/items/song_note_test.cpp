// Durations, attribute exclusions, stems, rests and their explicit lengths and extents.
#include <gtest/gtest.h>
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/StaffContext.h"

TEST(SongNote, DurationTable) {
  struct Case {
    int code;
    int attribute;  // -1 none
    int triplet;
    int32_t ticks;
  } cases[] = {
      {0, -1, 0, 768},         {1, -1, 0, 384},  {2, -1, 0, 192},          {3, -1, 0, 96},
      {4, -1, 0, 48},          {5, -1, 0, 24},   {6, -1, 0, 12},           {2, naDotted, 0, 288},
      {2, naDoubleDotted, 0, 336}, {0, naDotted, 0, 1152}, {6, naDoubleDotted, 0, 21}, {3, -1, 1, 64},
      {3, -1, 2, 64},          {3, -1, 3, 64},   {2, naDotted, 1, 192},    {3, naGrace, 0, 0},
  };
  for (const Case& k : cases) {
    TMusicNote n(0, k.code);
    if (k.attribute >= 0) n.SetAttribute(k.attribute);
    n.SetTripletState(k.triplet);
    EXPECT_EQ(n.GetDuration(), k.ticks) << "code " << k.code << " attribute " << k.attribute;
    TRestNote r(k.code);
    if (k.attribute >= 0) r.SetAttribute(k.attribute);
    r.SetTripletState(k.triplet);
    EXPECT_EQ(r.GetDuration(), k.ticks);
  }
}

TEST(SongNote, AttributeExclusions) {
  struct Case {
    int first, second, cleared;
  } cases[] = {
      {naDoubleDotted, naDotted, naDoubleDotted}, {naDotted, naDoubleDotted, naDotted},
      {naStaccato, naTenuto, naStaccato},         {naTenuto, naStaccato, naTenuto},
      {naAttribute10, naAttribute11, naAttribute10}, {naAttribute11, naAttribute10, naAttribute11},
  };
  for (const Case& k : cases) {
    TMusicNote n;
    n.SetAttribute(naAccent);
    n.SetAttribute(k.first);
    n.SetAttribute(k.second);
    EXPECT_TRUE(n.HasAttribute(k.second));
    EXPECT_FALSE(n.HasAttribute(k.cleared));
    EXPECT_TRUE(n.HasAttribute(naAccent));
  }
  TMusicNote n;
  n.SetAttribute(naTieOut);
  n.ClearAttribute(naTieOut);
  EXPECT_EQ(n.GetAttributeWord(), 0);
}

TEST(SongNote, NewNoteDefaultsAndTieDirection) {
  TMusicNote n;
  EXPECT_EQ(n.GetPosition(), 0);
  EXPECT_EQ(n.GetDurationCode(), 2);
  EXPECT_EQ(n.GetAccidental(), acNone);
  EXPECT_EQ(n.GetAttributeWord(), 0);
  EXPECT_TRUE(TMusicNote(2).IsTieDown());
  EXPECT_TRUE(TMusicNote(0).IsTieDown());
  EXPECT_FALSE(TMusicNote(-3).IsTieDown());
}

TEST(SongNote, StemsGroupsAndFlags) {
  TMusicNote low(3), high(-2), middle(0);
  EXPECT_EQ(low.GetStemSign(), 1);
  EXPECT_EQ(high.GetStemSign(), -1);
  EXPECT_EQ(middle.GetStemSign(), -1);
  low.SetStemSign(-4);
  EXPECT_EQ(low.GetStemCode(), stDown);
  low.SetStemSign(0);
  EXPECT_EQ(low.GetStemCode(), stAuto);
  high.SetStemDirection(stUp);
  EXPECT_EQ(high.GetStemSign(), 1);

  TMusicNote n(0, 3);
  n.SetGroupState(TSongNote::grpBeam, 2);
  n.SetGroupState(TSongNote::grpTriplet, 3);
  EXPECT_EQ(n.GetBeamState(), 2);
  EXPECT_EQ(n.GetTripletState(), 3);
  EXPECT_EQ(n.GetDurationCode(), 3);
  EXPECT_FALSE(n.HasStem());  // beamed
  EXPECT_EQ(n.GetFlagCount(), 1);
  EXPECT_EQ(TMusicNote(0, 6).GetFlagCount(), 4);
  EXPECT_EQ(TMusicNote(0, 2).GetFlagCount(), 0);
  EXPECT_FALSE(TMusicNote(0, 0).HasStem());
  EXPECT_TRUE(TMusicNote(0, 1).HasStem());
}

TEST(SongNote, LyricsByDefault) {
  for (int a : {naSlurIn, naTieIn, naGrace}) {
    TMusicNote n;
    n.SetAttribute(a);
    EXPECT_FALSE(n.TakesLyricByDefault()) << a;
  }
  EXPECT_TRUE(TMusicNote().TakesLyricByDefault());
  EXPECT_FALSE(TRestNote().TakesLyricByDefault());
}

TEST(RestNote, ExplicitLengthFillsTheLongestBar) {
  TRestNote r(0);
  EXPECT_FALSE(r.HasExplicitLength());
  EXPECT_EQ(r.GetDuration(), 768);
  struct Case {
    int count, code;
    int32_t ticks;
  } cases[] = {{4, 2, 768}, {3, 3, 288}, {99, 0, 76032}, {50, 1, 19200}, {7, 6, 84}, {1, 9, 768}, {-3, 2, 0}, {1 << 30, 0, 65535 * 768}};
  for (const Case& k : cases) {
    r.SetExplicitLength(k.count, k.code);
    EXPECT_TRUE(r.HasExplicitLength());
    EXPECT_EQ(r.GetDuration(), k.ticks) << k.count << "x" << k.code;
  }
  r.ClearExplicitLength();
  EXPECT_EQ(r.GetDuration(), 768);
}

TEST(RestNote, ExtentByDuration) {
  struct Case {
    int code, low, high;
  } cases[] = {{0, -3, 0}, {1, -2, 1}, {2, -4, 4}, {3, -3, 3}, {4, -3, 5}, {5, -5, 5}, {6, -5, 7}, {9, -1, 1}};
  for (const Case& k : cases) {
    TRestNote r(k.code);
    EXPECT_EQ(r.GetLowPosition(), k.low) << k.code;
    EXPECT_EQ(r.GetHighPosition(), k.high) << k.code;
  }
  TRestNote r(2);
  r.SetVerticalOffset(-6);
  EXPECT_EQ(r.GetPosition(), -6);
  EXPECT_EQ(r.GetVerticalOffset(), -6);
  r.SetOffsetWord(uint16_t(0xA000 | 0x0FFE));  // top bits kept as stored
  EXPECT_EQ(r.GetVerticalOffset(), -2);
  r.SetVerticalOffset(5);
  EXPECT_EQ(r.GetOffsetWord(), 0xA005);
}

TEST(SongNote, ContextEffectOfNotesAndRests) {
  TStaffContext c;
  TMusicNote grace(0, 4);
  grace.SetAttribute(naGrace);
  grace.UpdateContext(c);
  grace.UpdateContext(c);
  EXPECT_EQ(c.GetGraceCount(), 2);
  EXPECT_EQ(c.GetTick(), 0);
  TMusicNote slurred(0, 2);
  slurred.SetAttribute(naSlurOut);
  slurred.SetSlurDown(true);
  slurred.UpdateContext(c);
  EXPECT_EQ(c.GetGraceCount(), 0);
  EXPECT_TRUE(c.InSlur());
  EXPECT_EQ(c.GetSlurDirection(), 1);
  EXPECT_EQ(c.GetTick(), 192);
  TRestNote rest(1);
  rest.SetAttribute(naSlurIn);
  rest.UpdateContext(c);
  EXPECT_FALSE(c.InSlur());
  EXPECT_EQ(c.GetTick(), 576);
}
