// The order in which playback walks a staff: local and master repeats, special endings, D.C.,
// D.S., Fine and the coda jumps; audit walks never repeat.
#include <gtest/gtest.h>
#include "ItemTestSupport.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/TempoData.h"

namespace {
using Order = std::vector<int>;
TMusicNote* Note() { return new TMusicNote(0); }
TBarLineData* Bar(int style, int count = 0) { return new TBarLineData(style, count); }
TFlowDirection* Flow(int style) { return new TFlowDirection(style); }
}  // namespace

TEST(PlayOrder, LocalRepeatPlaysItsCount) {
  for (int count : {2, 3}) {
    TTestStaff s;
    s.Add(Note());
    s.Add(Bar(TBarLineData::blLocalRepeatOpen));
    s.Add(Note());
    s.Add(Bar(TBarLineData::blLocalRepeatClose, count));
    s.Add(Note());
    TStaffContext c;
    Order want{0, 1, 2, 3, 4};
    for (int pass = 1; pass < count; ++pass) want.insert(want.end(), {3, 4});
    want.insert(want.end(), {5, 6});
    EXPECT_EQ(s.Play(c), want) << count;
  }
}

TEST(PlayOrder, RepeatWithoutOpenGoesBackToTheStart) {
  TTestStaff s;
  s.Add(Note());
  s.Add(Bar(TBarLineData::blLocalRepeatClose));
  s.Add(Note());
  TStaffContext c;
  EXPECT_EQ(s.Play(c), (Order{0, 1, 2, 1, 2, 3, 4}));
}

TEST(PlayOrder, LocalRepeatStopsAtASectionBar) {
  // Going back across the section open would restart the master passes: playback never ended.
  TTestStaff s;
  s.Add(Note());                                     // 1
  s.Add(Bar(TBarLineData::blSectionOpen));           // 2
  s.Add(Note());                                     // 3
  s.Add(Bar(TBarLineData::blLocalRepeatClose));      // 4
  s.Add(Bar(TBarLineData::blMasterRepeatClose));     // 5
  TStaffContext c;
  EXPECT_EQ(s.Play(c), (Order{0, 1, 2, 3, 4, 3, 4, 5, 3, 4, 3, 4, 5, 6}));
}

TEST(PlayOrder, CrossedRepeatsEndAfterABoundedNumberOfJumps) {
  // Found by the walk fuzzer: the local closes go back across the master open while the master
  // closes go back across the local closes, so each resets the other's passes for ever.
  TTestStaff s;
  s.Add(Bar(TBarLineData::blMasterRepeatOpen));      // 1
  s.Add(Bar(TBarLineData::blSingle));                // 2
  s.Add(Bar(TBarLineData::blSingle));                // 3
  s.Add(Note());                                     // 4
  s.Add(new TSpecialEnding(0x20));                   // 5
  s.Add(Bar(TBarLineData::blMasterRepeatClose));     // 6
  for (int i = 0; i < 3; ++i) s.Add(Note());         // 7-9
  s.Add(new TSpecialEnding(0x28));                   // 10
  s.Add(new TSpecialEnding(0xFC));                   // 11
  s.Add(Bar(TBarLineData::blLocalRepeatClose, 3));   // 12
  s.Add(Bar(TBarLineData::blLocalRepeatClose, 3));   // 13
  s.Add(Bar(TBarLineData::blMasterRepeatClose));     // 14
  s.Add(Bar(TBarLineData::blLocalRepeatClose, 4));   // 15
  TStaffContext c;
  const Order order = s.Play(c, nullptr, 10000000);
  ASSERT_LT(order.size(), 10000000u);
  EXPECT_EQ(order.back(), 16);
  EXPECT_EQ(c.GetRepeatJumps(), TStaffContext::kMaxRepeatJumps);
}

TEST(PlayOrder, AuditWalksNeverRepeat) {
  TTestStaff s;
  s.Add(Bar(TBarLineData::blMasterRepeatOpen));
  s.Add(Note());
  s.Add(Bar(TBarLineData::blMasterRepeatClose));
  s.Add(Bar(TBarLineData::blLocalRepeatClose));
  TStaffContext audit;
  audit.SetAuditMode();
  EXPECT_EQ(s.Play(audit), (Order{0, 1, 2, 3, 4, 5}));

  TTestStaff jumps;
  jumps.Add(new TSpecialEnding(2));
  jumps.Add(Note());
  jumps.Add(Flow(TFlowDirection::fdDaCapo));
  jumps.Add(Flow(TFlowDirection::fdFine));
  TStaffContext transpose;
  transpose.SetTransposeMode();
  EXPECT_EQ(jumps.Play(transpose), (Order{0, 1, 2, 3, 4, 5}));
  TStaffContext play;
  // The local close finds no open of its own: the enclosing master repeat is passed by its close,
  // so playback goes back to the start and the master repeat plays twice more.
  EXPECT_EQ(s.Play(play), (Order{0, 1, 2, 3, 2, 3, 4, 1, 2, 3, 2, 3, 4, 5}));
}

TEST(PlayOrder, MasterRepeatWithEndings) {
  TTestStaff s;
  s.Add(Bar(TBarLineData::blMasterRepeatOpen));  // 1
  s.Add(Note());                                 // 2
  s.Add(new TSpecialEnding(1));                  // 3
  s.Add(Note());                                 // 4
  s.Add(Bar(TBarLineData::blMasterRepeatClose)); // 5
  s.Add(new TSpecialEnding(2));                  // 6
  s.Add(Note());                                 // 7
  s.Add(Bar(TBarLineData::blSingle));            // 8
  TStaffContext c;
  EXPECT_EQ(s.Play(c), (Order{0, 1, 2, 3, 4, 5, 2, 3, 6, 7, 8, 9}));
}

TEST(PlayOrder, ThreeEndingsAndANestedLocalRepeat) {
  TTestStaff s;
  s.Add(Bar(TBarLineData::blMasterRepeatOpen));   // 1
  s.Add(Bar(TBarLineData::blLocalRepeatOpen));    // 2
  s.Add(Note());                                  // 3
  s.Add(Bar(TBarLineData::blLocalRepeatClose));   // 4
  s.Add(new TSpecialEnding(3));                   // 5: endings 1 and 2
  s.Add(Note());                                  // 6
  s.Add(Bar(TBarLineData::blMasterRepeatClose));  // 7
  s.Add(new TSpecialEnding(4));                   // 8: ending 3
  s.Add(Note());                                  // 9
  TStaffContext c;
  const Order order = s.Play(c);
  // Each pass plays the local repeat twice; endings 1 and 2 go back, ending 3 ends the repeat.
  EXPECT_EQ(order, (Order{0, 1, 2, 3, 4, 3, 4, 5, 6, 7,   //
                          2, 3, 4, 3, 4, 5, 6, 7,         //
                          2, 3, 4, 3, 4, 5, 8, 9, 10}));
}

TEST(PlayOrder, EndingPassBitsOutsideTheMaskSelectNothing) {
  TSpecialEnding all(0xFFFFFFFFu);
  EXPECT_FALSE(all.PlaysOnPass(0));
  EXPECT_TRUE(all.PlaysOnPass(1));
  EXPECT_TRUE(all.PlaysOnPass(32));
  EXPECT_FALSE(all.PlaysOnPass(33));
  EXPECT_FALSE(all.PlaysOnPass(65535));

  TTestStaff s;
  s.Add(new TSpecialEnding(0xFFFFFFFFu));  // 1
  s.Add(Note());                           // 2
  s.Add(Bar(TBarLineData::blDouble));      // 3
  s.Add(Note());                           // 4
  TStaffContext c;
  c.SetLocalRepeatPass(40000);  // a pass far past any ending skips to the double bar
  EXPECT_EQ(s.Play(c), (Order{0, 1, 3, 4, 5}));
}

TEST(PlayOrder, DaCapoAlFine) {
  TTestStaff s;
  s.Add(Note());                              // 1
  s.Add(Flow(TFlowDirection::fdFine));        // 2
  s.Add(Note());                              // 3
  s.Add(Flow(TFlowDirection::fdDCAlFine));    // 4
  s.Add(Note());                              // 5
  TStaffContext c;
  EXPECT_EQ(s.Play(c), (Order{0, 1, 2, 3, 4, 0, 1, 2, 6}));
}

TEST(PlayOrder, DalSegnoAlCoda) {
  TTestStaff s;
  s.Add(Note());                              // 1
  s.Add(Flow(TFlowDirection::fdSegno));       // 2
  s.Add(Note());                              // 3
  s.Add(Flow(TFlowDirection::fdToCoda));      // 4
  s.Add(Note());                              // 5
  s.Add(Flow(TFlowDirection::fdDSAlCoda));    // 6
  s.Add(Note());                              // 7
  s.Add(Flow(TFlowDirection::fdCoda));        // 8
  s.Add(Note());                              // 9
  TStaffContext c;
  EXPECT_EQ(s.Play(c), (Order{0, 1, 2, 3, 4, 5, 6, 2, 3, 4, 8, 9, 10}));
}

TEST(PlayOrder, ToCodaWithoutCodaGoesPastTheJump) {
  TTestStaff s;
  s.Add(Note());                              // 1
  s.Add(Flow(TFlowDirection::fdToCoda));      // 2
  s.Add(Note());                              // 3
  s.Add(Flow(TFlowDirection::fdDCAlCoda));    // 4
  s.Add(Note());                              // 5
  TStaffContext c;
  EXPECT_EQ(s.Play(c), (Order{0, 1, 2, 3, 4, 0, 1, 2, 5, 6}));
}

TEST(PlayOrder, JumpPassedAgainDoesNotArmTheCodaAgain) {
  TTestStaff s;
  s.Add(Flow(TFlowDirection::fdCoda));       // 1
  s.Add(Flow(TFlowDirection::fdDCAlCoda));   // 2
  s.Add(Flow(TFlowDirection::fdToCoda));     // 3
  TStaffContext c;
  EXPECT_EQ(s.Play(c), (Order{0, 1, 2, 0, 1, 2, 3, 1, 2, 3, 4}));
}

TEST(PlayOrder, DalSegnoWithoutSegnoCarriesOn) {
  TTestStaff s;
  s.Add(Note());
  s.Add(Flow(TFlowDirection::fdDSAlFine));
  s.Add(Note());
  TStaffContext c;
  EXPECT_EQ(s.Play(c), (Order{0, 1, 2, 3, 4}));
}

TEST(PlayOrder, MasterRepeatIsNotTakenAgainWhileACodaIsPending) {
  TTestStaff s;
  s.Add(Bar(TBarLineData::blMasterRepeatOpen));   // 1
  s.Add(Note());                                  // 2
  s.Add(Bar(TBarLineData::blMasterRepeatClose));  // 3
  s.Add(Flow(TFlowDirection::fdDaCapo));          // 4
  TStaffContext c;
  EXPECT_EQ(s.Play(c), (Order{0, 1, 2, 3, 2, 3, 4, 0, 1, 2, 3, 4, 5}));
}

TEST(PlayOrder, EndingAfterAJumpPlaysTheEndingMarkedForIt) {
  TTestStaff s;
  s.Add(Bar(TBarLineData::blMasterRepeatOpen));  // 1
  s.Add(new TSpecialEnding(1));                  // 2
  s.Add(Note());                                 // 3
  s.Add(Bar(TBarLineData::blMasterRepeatClose)); // 4
  s.Add(new TSpecialEnding(0x80 | 2));           // 5: ending 2, and after the jump
  s.Add(Note());                                 // 6
  s.Add(Flow(TFlowDirection::fdDaCapo));         // 7
  TStaffContext c;
  EXPECT_EQ(s.Play(c), (Order{0, 1, 2, 3, 4, 2, 5, 6, 7, 0, 1, 2, 5, 6, 7, 8}));
}

TEST(PlayOrder, RepeatedBarsSoundAgainLaterInTime) {
  TTestStaff s;
  s.Add(new TTempoData(100, TTempoData::tbQuarter));  // 1
  auto* dynamic = s.Add(new TDynamicLevelData());     // 2
  dynamic->SetVelocity(64);
  dynamic->SetVolume(100);
  s.Add(Bar(TBarLineData::blLocalRepeatOpen));        // 3
  s.Add(new TMusicNote(6));                           // 4: C
  s.Add(Bar(TBarLineData::blLocalRepeatClose));       // 5
  s.Add(new TMusicNote(5, 1));                        // 6: D, half
  TStaffContext c;
  TRecordingSink sink;
  EXPECT_EQ(s.Play(c, &sink), (Order{0, 1, 2, 3, 4, 5, 4, 5, 6, 7}));
  const std::vector<TRecordedEvent> want{
      {TRecordedEvent::Tempo, 0, 100, 0, 0},         {TRecordedEvent::Short, 0, 0xB0, 7, 100},
      {TRecordedEvent::Short, 0, 0x90, 60, 64},      {TRecordedEvent::Short, 160, 0x80, 60, 0},
      {TRecordedEvent::Short, 192, 0x90, 60, 64},    {TRecordedEvent::Short, 352, 0x80, 60, 0},
      {TRecordedEvent::Short, 384, 0x90, 62, 64},    {TRecordedEvent::Short, 720, 0x80, 62, 0},
  };
  EXPECT_EQ(sink.events, want);
  EXPECT_EQ(c.GetTick(), 768);
}
