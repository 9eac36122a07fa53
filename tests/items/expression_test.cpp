// Expressions: defaults, tempo-base conversions, their effect on the staff context and the MIDI
// events they perform (patches, volumes, pedal, controller points and sweeps, tempo and dynamic
// variances).
#include <gtest/gtest.h>
#include <memory>
#include "ItemTestSupport.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/NotatedItemFactory.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"

namespace {
TRecordedEvent Ctl(int32_t tick, int controller, int value) { return {TRecordedEvent::Short, tick, 0xB5, controller, value}; }
TRecordedEvent Tempo(int32_t tick, int bpm) { return {TRecordedEvent::Tempo, tick, bpm, 0, 0}; }

TStaffContext At(int32_t tick) {
  TStaffContext c;
  c.SetChannel(5);
  c.SetTick(tick);
  return c;
}

std::vector<TRecordedEvent> Events(const TNotatedItem& item, int32_t tick = 0) {
  TRecordingSink sink;
  item.AddMidiEvents(At(tick), sink);
  return sink.events;
}
}  // namespace

TEST(Expression, Defaults) {
  struct Case {
    int type, position, wide, visibility;
  } cases[] = {
      {ntPatch, -8, 1, 3},          {ntTempo, -10, 0, 1},          {ntDynamicLevel, 8, 0, 1},
      {ntSustainPedal, 8, 1, 1},    {ntFlowDirection, -8, 1, 2},   {ntGenericControl, -8, 1, 3},
      {ntTempoVariance, -8, 0, 1},  {ntDynamicVariance, 8, 0, 1},  {ntPerformanceStyle, 8, 0, 1},
      {ntTextExpression, -8, 0, 1},
  };
  for (const Case& k : cases) {
    std::unique_ptr<TNotatedItem> item(NewNotatedItem(k.type));
    auto* e = static_cast<TNtnGeneralExpression*>(item.get());
    EXPECT_TRUE(e->IsExpression());
    EXPECT_EQ(e->GetPosition(), k.position) << k.type;
    EXPECT_EQ(e->IsWide(), bool(k.wide)) << k.type;
    EXPECT_EQ(e->GetJustify(), 0);
    EXPECT_EQ(e->GetPlacement(), 0);
    EXPECT_EQ(e->GetDefaultVisibility(), k.visibility) << k.type;
  }
  EXPECT_EQ(TTempoVariance(3).GetPosition(), 8);
  EXPECT_EQ(TTextExpression().GetText(), "<Text Expression>");
  TDynamicLevelData d;
  EXPECT_EQ(d.GetDynamic(), TDynamicLevelData::dynMP);
  EXPECT_EQ(d.GetVelocity(), 0);
  EXPECT_EQ(d.GetVolume(), 255);
  TTempoData t;
  EXPECT_EQ(t.GetQuarterTempo(), 120);
  EXPECT_EQ(t.GetBase(), TTempoData::tbQuarter);
  TGenericControl g;
  EXPECT_EQ(g.GetTimeResolution(), 2);
  EXPECT_EQ(g.GetSetting(3).value, 100);
  EXPECT_EQ(g.GetSetting(3).present, 0);
  EXPECT_EQ(TPerformanceStyle().GetStyle(), 20);
  EXPECT_TRUE(TTempoVariance(TTempoVariance::tvFermata).HasPause());
  EXPECT_FALSE(TTempoVariance(2).HasPause());
}

TEST(Expression, PlacementBitsAreIndependent) {
  TTextExpression e;
  e.SetWide(true);
  e.SetJustify(2);
  e.SetPlacement(3);
  EXPECT_EQ(e.GetPlacementByte(), 1 | (2 << 1) | (3 << 3));
  e.SetJustify(0);
  EXPECT_TRUE(e.IsWide());
  EXPECT_EQ(e.GetPlacement(), 3);
}

TEST(Expression, TempoBaseConversions) {
  struct Case {
    int tempo, base, quarter, back;
  } cases[] = {
      {90, TTempoData::tbDottedQuarter, 135, 90}, {120, TTempoData::tbEighth, 60, 120},
      {100, TTempoData::tbDottedEighth, 75, 100}, {100, TTempoData::tbQuarter, 100, 100},
      {60, TTempoData::tbHalf, 120, 60},          {40, TTempoData::tbDottedHalf, 120, 40},
      {7, TTempoData::tbEighth, 3, 6},            {0, TTempoData::tbHalf, 0, 0},
  };
  for (const Case& k : cases) {
    TTempoData t;
    t.SetTempo(k.tempo, k.base);
    EXPECT_EQ(t.GetQuarterTempo(), k.quarter) << k.tempo << " base " << k.base;
    EXPECT_EQ(t.GetBase(), k.base);
    EXPECT_EQ(t.GetTempo(k.base), k.back);
  }
  TTempoData t(135, TTempoData::tbQuarter);
  EXPECT_EQ(t.GetTempo(TTempoData::tbDottedQuarter), 90);
}

TEST(Expression, TempoEventsNeverCarryZero) {
  EXPECT_EQ(Events(TTempoData(96, TTempoData::tbQuarter), 40), (std::vector<TRecordedEvent>{Tempo(40, 96)}));
  EXPECT_EQ(Events(TTempoData(0, TTempoData::tbQuarter)), (std::vector<TRecordedEvent>{Tempo(0, 1)}));
  TGenericControl g;
  g.SetController(TGenericControl::ctTempo);
  g.SetSetting(0, 0, 0);
  EXPECT_EQ(Events(g), (std::vector<TRecordedEvent>{Tempo(0, 1)}));
  TTempoVariance slowing(2);
  slowing.SetRunTime(2, 0, 96);
  EXPECT_EQ(Events(slowing), (std::vector<TRecordedEvent>{Tempo(0, 2), Tempo(48, 1), Tempo(96, 1)}));
}

TEST(Expression, PatchEvents) {
  EXPECT_TRUE(Events(TPatchData()).empty());
  TStaffInstrument inst;
  inst.bankSelect = 1;
  inst.bank = 200;
  inst.patch = 1;
  EXPECT_EQ(Events(TPatchData(&inst), 7),
            (std::vector<TRecordedEvent>{Ctl(7, 0, 1), Ctl(7, 32, 72), {TRecordedEvent::Short, 7, 0xC5, 0, 0}}));
  inst.bankSelect = 0;
  inst.patch = 41;
  EXPECT_EQ(Events(TPatchData(&inst)), (std::vector<TRecordedEvent>{{TRecordedEvent::Short, 0, 0xC5, 40, 0}}));
  inst.Clear();
  EXPECT_EQ(inst, TStaffInstrument());
}

TEST(Expression, DynamicsAndPedal) {
  TDynamicLevelData d(TDynamicLevelData::dynF);
  EXPECT_TRUE(Events(d).empty());
  d.SetVolume(100);
  EXPECT_EQ(Events(d, 9), (std::vector<TRecordedEvent>{Ctl(9, 7, 100)}));
  d.SetVolume(128);
  EXPECT_TRUE(Events(d).empty());

  TStaffContext c;
  c.StartRamp(60, 100, 192);
  d.SetVelocity(90);
  d.UpdateContext(c);
  EXPECT_EQ(c.GetVelocity(), 90);
  EXPECT_EQ(c.GetRampRemaining(), 0);
  d.SetVelocity(0);
  d.UpdateContext(c);
  EXPECT_EQ(c.GetVelocity(), 90);
  d.SetOverride(1, true);
  EXPECT_TRUE(d.GetOverride(1));
  EXPECT_FALSE(d.GetOverride(0));
  EXPECT_EQ(d.GetDynamic(), TDynamicLevelData::dynF);
  EXPECT_EQ(d.GetVolume(), 128);

  EXPECT_EQ(Events(TSustainPedal(1)), (std::vector<TRecordedEvent>{Ctl(0, 64, 127)}));
  EXPECT_EQ(Events(TSustainPedal(0)), (std::vector<TRecordedEvent>{Ctl(0, 64, 0)}));
}

TEST(Expression, ControllerPointsAndSweeps) {
  TGenericControl g;
  g.SetController(1);  // volume
  g.SetSetting(0, 0, 0);
  g.SetSetting(1, 1, 10);
  g.SetSweepMode(TGenericControl::smLinearSweep);
  g.SetSweepResolution(5);
  EXPECT_EQ(Events(g, 100), (std::vector<TRecordedEvent>{Ctl(100, 7, 0), Ctl(196, 7, 5), Ctl(292, 7, 10)}));

  // A step wider than the distance sends no steps, only the points.
  g.SetSweepResolution(20);
  EXPECT_EQ(Events(g), (std::vector<TRecordedEvent>{Ctl(0, 7, 0), Ctl(192, 7, 10)}));
  g.SetSweepResolution(0);
  EXPECT_EQ(Events(g), (std::vector<TRecordedEvent>{Ctl(0, 7, 0), Ctl(192, 7, 10)}));

  // Falling, with more steps than ticks: steps that do not advance are skipped.
  g.SetSetting(1, 0, 0);
  g.SetSetting(0, 0, 100);
  g.SetSweepResolution(1);
  EXPECT_EQ(Events(g), (std::vector<TRecordedEvent>{Ctl(0, 7, 100), Ctl(0, 7, 0)}));

  // Points mode: each present setting at its offset from the one before.
  TGenericControl p;
  p.SetController(13);  // reverb
  p.SetTimeResolution(3);
  p.SetSetting(0, 0, 10);
  p.SetSetting(2, 1, 20);
  p.SetSetting(3, 2, 300);
  EXPECT_EQ(Events(p), (std::vector<TRecordedEvent>{Ctl(0, 91, 10), Ctl(96, 91, 20), Ctl(288, 91, 127)}));

  TGenericControl bend;
  bend.SetController(TGenericControl::ctPitchBend);
  bend.SetSetting(0, 0, 8192 + 5);
  EXPECT_EQ(Events(bend), (std::vector<TRecordedEvent>{{TRecordedEvent::Short, 0, 0xE5, 5, 64}}));
  bend.ClearSettings();
  EXPECT_TRUE(Events(bend).empty());

  const int mapped[18] = {-1, 7, 10, 2, -1, 1, 4, 5, 6, 8, 11, 12, 13, 91, 92, 93, 94, 95};
  for (int i = 0; i < 18; ++i) EXPECT_EQ(TGenericControl::MidiControllerOf(i), mapped[i]);
  EXPECT_EQ(TGenericControl::MidiControllerOf(18), -1);
}

TEST(Expression, TempoVariance) {
  TTempoVariance breath(TTempoVariance::tvBreathMark, 3);
  EXPECT_EQ(Events(breath, 50), (std::vector<TRecordedEvent>{{TRecordedEvent::Hold, 50, 3, 0, 0}}));
  TTempoVariance fermata(TTempoVariance::tvFermata, 4);
  EXPECT_EQ(Events(fermata, 50), (std::vector<TRecordedEvent>{{TRecordedEvent::Hold, 51, 4, 0, 0}}));
  EXPECT_TRUE(Events(TTempoVariance(TTempoVariance::tvFermata, 0)).empty());

  TTempoVariance accel(3);
  EXPECT_TRUE(Events(accel).empty());
  accel.SetRunTime(100, 104, 192);
  EXPECT_EQ(Events(accel, 10), (std::vector<TRecordedEvent>{Tempo(10, 100), Tempo(58, 101), Tempo(106, 102),
                                                            Tempo(154, 103), Tempo(202, 104)}));
  accel.SetRunTime(100, 100, 192);
  EXPECT_TRUE(Events(accel).empty());
  accel.SetRunTime(100, 90, 0);
  EXPECT_TRUE(Events(accel).empty());
}

TEST(Expression, DynamicVariance) {
  TDynamicVariance cresc;
  EXPECT_TRUE(Events(cresc).empty());
  cresc.SetRunTime(100, 60, 62, 100);
  EXPECT_EQ(Events(cresc), (std::vector<TRecordedEvent>{Ctl(0, 7, 60), Ctl(50, 7, 61), Ctl(100, 7, 62)}));
  cresc.SetRunTime(100, -1, 62, 100);
  EXPECT_TRUE(Events(cresc).empty());

  TStaffContext c;
  c.SetVelocity(60);
  cresc.SetRunTime(100, -1, -1, 100);
  cresc.UpdateContext(c);
  EXPECT_EQ(c.GetRampRemaining(), 100);
  c.AdvanceTick(50);
  EXPECT_EQ(c.GetVelocity(), 80);
  TStaffContext still;
  cresc.SetRunTime(0, -1, -1, 100);
  cresc.UpdateContext(still);
  EXPECT_EQ(still.GetRampRemaining(), 0);
}

TEST(Expression, ContextEffects) {
  TStaffContext c;
  TPerformanceStyle(18).UpdateContext(c);
  EXPECT_EQ(c.GetPerformanceStyle(), 18);

  c.SetKey(0, 1u << ltF);
  c.ApplyAccidental(ltF, acNatural);
  TFlowDirection(TFlowDirection::fdToCoda).UpdateContext(c);  // before any jump: nothing
  EXPECT_EQ(c.GetRunningAccidental(ltF), acNatural);
  TFlowDirection(TFlowDirection::fdSegno).UpdateContext(c);
  EXPECT_FALSE(c.IsAfterJump());
  TFlowDirection(TFlowDirection::fdDSAlCoda).UpdateContext(c);
  EXPECT_TRUE(c.IsAfterJump());
  EXPECT_TRUE(c.IsCodaPending());
  EXPECT_EQ(c.GetRunningAccidental(ltF), acSharp);
  TFlowDirection(TFlowDirection::fdToCoda).UpdateContext(c);
  EXPECT_FALSE(c.IsCodaPending());
}

// Style names come from the short-form vocabulary lists; a style beyond a list's end shows the
// placeholder rather than a neighbouring list's entry.
TEST(Expression, StyleNames) {
  EXPECT_STREQ(TTempoVariance(TTempoVariance::tvBreathMark).GetStyleName(), "I");
  EXPECT_STREQ(TTempoVariance(TTempoVariance::tvFermata).GetStyleName(), "y");
  EXPECT_STREQ(TTempoVariance(4).GetStyleName(), "rall.");
  EXPECT_STREQ(TTempoVariance(9).GetStyleName(), "***");
  EXPECT_STREQ(TDynamicVariance(0).GetStyleName(), "cresc.");
  EXPECT_STREQ(TDynamicVariance(4).GetStyleName(), "sfz");
  EXPECT_STREQ(TDynamicVariance(5).GetStyleName(), "***");
  EXPECT_STREQ(TPerformanceStyle().GetStyleName(), "tenuto");
  EXPECT_STREQ(TPerformanceStyle(12).GetStyleName(), "pi\xF9 mosso");
  EXPECT_STREQ(TPerformanceStyle(22).GetStyleName(), "volta subito");
}
