// The notation properties of single expression items: what the pages show and write back for a
// dynamic, dynamic variance, pedal, instrument patch, text and multi-point controller, and the
// controller page's rules (defaults by type, reset, scale labels, the refusal of gaps).
#include <gtest/gtest.h>

#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TextExpression.h"
#include "editor/NtnPropData.h"
#include "editor/NtnPropExpressions.h"
#include "tests/staffutl/StaffText.h"

namespace {

// A staff of quarter notes with these items put after the first note, in order.
struct TItemStaff {
  TMusicStaff staff;
  explicit TItemStaff(std::initializer_list<TNotatedItem*> items) {
    InstallAuditPass();
    FillStaff(staff, "q q");
    int at = 2;
    for (TNotatedItem* item : items) staff.InsertItem(item, at++);
    RunStaffAudit(&staff, -1, -1);
  }
  TNtnPropData GatherAll() {
    TNtnPropData d;
    GatherNtnProps(staff, 1, staff.LastIndex() - 1, false, d);
    return d;
  }
  void ApplyAll(const TNtnPropData& d) { ApplyNtnProps(staff, 1, staff.LastIndex() - 1, false, d); }
};

TNtnPropController ControllerWith(bool e2, bool e3, bool e4) {
  TNtnPropController g;
  ResetController(5, g);
  g.points[1].enabled = e2;
  g.points[2].enabled = e3;
  g.points[3].enabled = e4;
  return g;
}

}  // namespace

TEST(NtnPropExpressions, ControllerTypesHaveTheirScaleDefaultsAndLabels) {
  struct Case {
    int type;
    TControllerScale scale;
    const char* labels[3];
    int shownOfInitial;
  };
  const Case cases[] = {
      {0, {1, 480, 120, 2}, {"", "240", "480"}, 120},           // tempo
      {1, {0, 127, 64, 1}, {"", "64", "127"}, 64},              // volume
      {2, {0, 127, 64, 1}, {"", "Center", "127"}, 64},          // stereo pan
      {3, {0, 127, 0, 8}, {"", "64", "127"}, 0},                // breath control
      {4, {0, 16383, 8192, 32}, {"Down", "Center", "Up"}, 0},   // pitch bend, shown around its centre
      {17, {0, 127, 64, 1}, {"", "64", "127"}, 64},             // phaser depth
  };
  for (const Case& c : cases) {
    const TControllerScale s = ControllerScaleOf(c.type);
    EXPECT_EQ(s.minimum, c.scale.minimum) << c.type;
    EXPECT_EQ(s.maximum, c.scale.maximum) << c.type;
    EXPECT_EQ(s.initial, c.scale.initial) << c.type;
    EXPECT_EQ(s.sweepResolution, c.scale.sweepResolution) << c.type;
    for (int i = 0; i < 3; ++i) EXPECT_STREQ(ControllerScaleLabel(c.type, i), c.labels[i]) << c.type << " label " << i;
    EXPECT_EQ(ShownControllerValue(c.type, s.initial), c.shownOfInitial) << c.type;
  }
  EXPECT_EQ(ShownControllerValue(4, 0), -8192);
  EXPECT_EQ(ShownControllerValue(4, 16383), 8191);
  EXPECT_STREQ(ControllerScaleLabel(4, 3), "");
}

TEST(NtnPropExpressions, AnotherControllerTypeResetsThePointsButKeepsStyleAndTime) {
  TNtnPropController g;
  ResetController(1, g);
  g.style = 1;
  g.timeResolution = 4;
  for (auto& p : g.points) p = {true, 7, 100};
  ResetController(4, g);
  EXPECT_EQ(g.type, 4);
  EXPECT_EQ(g.style, 1);
  EXPECT_EQ(g.timeResolution, 4);
  EXPECT_EQ(g.sweepResolution, 32);
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    EXPECT_EQ(g.points[i].enabled, i == 0) << i;
    EXPECT_EQ(g.points[i].offset, i == 0 ? 0 : 1) << "the first point from 0, the others from 1";
    EXPECT_EQ(g.points[i].value, 8192) << i;
  }
}

TEST(NtnPropExpressions, ASettingAfterAnOffOneIsRefusedByNumber) {
  struct Case {
    bool e2, e3, e4;
    int refused;
  };
  const Case cases[] = {
      {false, false, false, -1}, {true, false, false, -1}, {true, true, true, -1},
      {false, true, false, 2},   {false, false, true, 3},  {true, false, true, 3},
      {false, true, true, 2},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FirstDiscontinuousSetting(ControllerWith(c.e2, c.e3, c.e4)), c.refused) << c.e2 << c.e3 << c.e4;
  EXPECT_EQ(DiscontinuousSettingText(3), "Setting 4 cannot be enabled unless Setting 3 is also enabled");
  EXPECT_EQ(DiscontinuousSettingText(2), "Setting 3 cannot be enabled unless Setting 2 is also enabled");
}

TEST(NtnPropExpressions, ControllerAppliesThePointsUpToTheFirstOffOne) {
  auto* item = new TGenericControl;
  TItemStaff f({item});
  TNtnPropData d = f.GatherAll();
  ASSERT_EQ(d.controller.count, 1);
  EXPECT_EQ(d.controller.points[0].value, 120) << "a new tempo controller shows the tempo defaults";
  EXPECT_EQ(d.controller.sweepResolution, 2);

  ResetController(4, d.controller);
  d.controller.style = 1;
  d.controller.timeResolution = 3;
  d.controller.points[0] = {true, 0, 0};
  d.controller.points[1] = {true, 2, 20000};  // beyond the bend's range
  d.controller.points[2] = {false, 3, 300};
  d.controller.points[3] = {true, 4, 400};    // after an off point: never written
  f.ApplyAll(d);
  EXPECT_EQ(item->GetController(), 4);
  EXPECT_EQ(item->GetSweepMode(), 1);
  EXPECT_EQ(item->GetTimeResolution(), 3);
  EXPECT_EQ(item->GetSweepResolution(), 32);
  EXPECT_EQ(item->GetSetting(0).present, 1);
  EXPECT_EQ(item->GetSetting(1).present, 1);
  EXPECT_EQ(item->GetSetting(1).offset, 2);
  EXPECT_EQ(item->GetSetting(1).value, 16383);
  EXPECT_EQ(item->GetSetting(2).present, 0);
  EXPECT_EQ(item->GetSetting(3).present, 0);

  // Read back: the written points, and the unwritten ones off.
  const TNtnPropData again = f.GatherAll();
  EXPECT_EQ(again.controller.type, 4);
  EXPECT_TRUE(again.controller.points[1].enabled);
  EXPECT_FALSE(again.controller.points[2].enabled);
  EXPECT_FALSE(again.controller.points[3].enabled);
}

TEST(NtnPropExpressions, AStoredGapShowsTheLaterSettingsOff) {
  auto* item = new TGenericControl;
  item->SetController(1);
  item->SetSetting(0, 0, 10);
  item->SetSetting(2, 1, 30);  // setting 2 missing
  item->SetSetting(3, 1, 200);
  TItemStaff f({item});
  const TNtnPropData d = f.GatherAll();
  EXPECT_TRUE(d.controller.points[0].enabled);
  EXPECT_FALSE(d.controller.points[1].enabled);
  EXPECT_FALSE(d.controller.points[2].enabled);
  EXPECT_FALSE(d.controller.points[3].enabled);
  EXPECT_EQ(d.controller.points[3].value, 127) << "clamped to the volume's range";
  EXPECT_EQ(d.controller.sweepResolution, 1) << "the step is at least 1";
  EXPECT_EQ(FirstDiscontinuousSetting(d.controller), -1);
}

TEST(NtnPropExpressions, DynamicOverridesStoreTheirValuesOrTheValueThatSendsNothing) {
  auto* item = new TDynamicLevelData(TDynamicLevelData::dynMP);
  TItemStaff f({item});
  TNtnPropData d = f.GatherAll();
  ASSERT_EQ(d.dynamic.count, 1);
  EXPECT_EQ(d.dynamic.style, TDynamicLevelData::dynMP);
  EXPECT_FALSE(d.dynamic.velocityOverride);
  EXPECT_EQ(d.dynamic.volume, 255);

  struct Case {
    bool velocityOn;
    int velocity;
    bool volumeOn;
    int volume;
    int storedVelocity;
    int storedVolume;
  };
  const Case cases[] = {
      {true, 90, true, 100, 90, 100},
      {true, 0, true, 300, 1, 127},    // an override keeps its value in range
      {false, 90, false, 100, 0, 255}, // off: nothing is sent
  };
  for (const Case& c : cases) {
    d.dynamic.style = TDynamicLevelData::dynFF;
    d.dynamic.velocityOverride = c.velocityOn;
    d.dynamic.velocity = c.velocity;
    d.dynamic.volumeOverride = c.volumeOn;
    d.dynamic.volume = c.volume;
    f.ApplyAll(d);
    EXPECT_EQ(item->GetDynamic(), TDynamicLevelData::dynFF);
    EXPECT_EQ(item->GetOverride(0), c.velocityOn);
    EXPECT_EQ(item->GetOverride(1), c.volumeOn);
    EXPECT_EQ(item->GetVelocity(), c.storedVelocity) << c.velocity;
    EXPECT_EQ(item->GetVolume(), c.storedVolume) << c.volume;
  }
}

TEST(NtnPropExpressions, VariancePedalPatchAndTextRoundTrip) {
  auto* variance = new TDynamicVariance(0);
  auto* pedal = new TSustainPedal(1);
  auto* patch = new TPatchData;
  auto* text = new TTextExpression;
  TItemStaff f({variance, pedal, patch, text});
  TNtnPropData d = f.GatherAll();
  EXPECT_EQ(d.pedal.choice, 0) << "\"Pedal Down\" is the list's first entry";
  EXPECT_EQ(d.text.text, "<Text Expression>");
  EXPECT_EQ(d.patch.record.patch, 0);

  d.dynamicVariance.style = 4;
  d.pedal.choice = 1;
  d.patch.record = TInstrumentRecord::FromControls(true, 1, 2, 41);
  d.text.text = std::string(100, 'x');
  d.text.font = 11;
  f.ApplyAll(d);
  EXPECT_EQ(variance->GetStyle(), 4);
  EXPECT_EQ(pedal->GetState(), 0);
  EXPECT_EQ(patch->GetPatch().patch, 41);
  EXPECT_EQ(patch->GetPatch().bankSelect, 1);
  EXPECT_EQ(patch->GetPatch().bank, 130);
  EXPECT_EQ(text->GetText(), std::string(80, 'x')) << "the page's limit holds";
  EXPECT_EQ(text->GetFont(), 11);
}

TEST(NtnPropExpressions, TwoItemsOfAKindShowNoPageAndKeepTheirValues) {
  auto* first = new TSustainPedal(1);
  auto* second = new TSustainPedal(0);
  auto* t1 = new TTextExpression;
  auto* t2 = new TTextExpression;
  t2->SetText("second");
  TItemStaff f({first, second, t1, t2});
  TNtnPropData d = f.GatherAll();
  EXPECT_EQ(d.pedal.count, 2);
  EXPECT_FALSE(d.ShowsSingle(ntSustainPedal));
  EXPECT_EQ(d.text.text, "second") << "the last one's values";
  d.pedal.choice = 1;
  d.text.text = "changed";
  f.ApplyAll(d);
  EXPECT_EQ(first->GetState(), 1);
  EXPECT_EQ(second->GetState(), 0);
  EXPECT_EQ(t1->GetText(), "<Text Expression>");
  EXPECT_EQ(t2->GetText(), "second");
}
