// A new expression takes the place of the last one of its kind (before the caret on its staff,
// else the first on any staff), or the place its kind has of its own; pauses match only the
// same pause; every new item starts with its default visibility and colour.
#include <gtest/gtest.h>

#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoVariance.h"
#include "editor/ExpressionPlacement.h"
#include "tests/editor/OneStaffScore.h"

namespace {

// Staff 0 from the text, with a second staff holding one pedal mark at position 10, justified
// right; returns the expression after placing it before `caret` on staff 0.
template <class T>
T* Placed(TOneStaffScore& f, T* item, int caret) {
  PlaceNewItem(f.score, 0, caret, *item);
  return item;
}

TDynamicLevelData* Dynamic(int position, int justify) {
  auto* d = new TDynamicLevelData;
  d->SetPosition(position);
  d->SetJustify(justify);
  d->SetPlacement(TNtnGeneralExpression::plAfterSignatures);
  return d;
}

}  // namespace

TEST(ExpressionPlacement, ANewMarkFollowsTheLastOfItsKind) {
  TOneStaffScore f("q q q");
  f.Staff().InsertItem(Dynamic(-6, TNtnGeneralExpression::jsRight), 2);  // items: q D q q
  f.Staff().InsertItem(Dynamic(-3, TNtnGeneralExpression::jsLeft), 4);   // q D q D q
  auto* second = new TMusicStaff;
  auto* pedal = new TSustainPedal(1);
  pedal->SetPosition(10);
  pedal->SetWide(false);
  second->AppendItem(pedal);
  f.score.AppendStaff(second);

  std::unique_ptr<TDynamicLevelData> d(Placed(f, new TDynamicLevelData, 6));
  EXPECT_EQ(d->GetPosition(), -3) << "the nearest before the caret";
  EXPECT_EQ(d->GetJustify(), TNtnGeneralExpression::jsLeft);
  EXPECT_EQ(d->GetPlacement(), TNtnGeneralExpression::plAfterSignatures);
  d.reset(Placed(f, new TDynamicLevelData, 3));
  EXPECT_EQ(d->GetPosition(), -6);
  d.reset(Placed(f, new TDynamicLevelData, 1));
  EXPECT_EQ(d->GetPosition(), -6) << "nothing before the caret: the first on any staff";
  EXPECT_EQ(d->GetJustify(), TNtnGeneralExpression::jsRight);
  std::unique_ptr<TSustainPedal> p(Placed(f, new TSustainPedal(0), 6));
  EXPECT_EQ(p->GetPosition(), 10) << "found on the other staff";
  EXPECT_FALSE(p->IsWide());
}

TEST(ExpressionPlacement, WithoutANeighbourEachKindHasItsPlace) {
  TOneStaffScore f("q");
  std::unique_ptr<TTempoVariance> fermata(Placed(f, new TTempoVariance(TTempoVariance::tvFermata), 2));
  EXPECT_EQ(fermata->GetPosition(), -9);
  EXPECT_EQ(fermata->GetJustify(), TNtnGeneralExpression::jsCenter);
  EXPECT_EQ(fermata->GetPlacement(), TNtnGeneralExpression::plAtNextNote);
  std::unique_ptr<TTempoVariance> breath(Placed(f, new TTempoVariance(TTempoVariance::tvBreathMark), 2));
  EXPECT_EQ(breath->GetPosition(), -8);
  std::unique_ptr<TSustainPedal> pedal(new TSustainPedal(1));
  pedal->SetPosition(5);
  pedal->SetWide(false);
  Placed(f, pedal.get(), 2);
  EXPECT_EQ(pedal->GetPosition(), 5);
  EXPECT_TRUE(pedal->IsWide()) << "controllers keep their width";
  std::unique_ptr<TDynamicLevelData> dynamic(Placed(f, new TDynamicLevelData, 2));
  EXPECT_EQ(dynamic->GetPosition(), 8);
  EXPECT_FALSE(dynamic->IsWide());

  // A breath mark does not follow a fermata; a fermata does.
  auto* placed = new TTempoVariance(TTempoVariance::tvFermata);
  placed->SetPosition(-12);
  f.Staff().InsertItem(placed, 2);
  breath.reset(Placed(f, new TTempoVariance(TTempoVariance::tvBreathMark), 3));
  EXPECT_EQ(breath->GetPosition(), -8);
  fermata.reset(Placed(f, new TTempoVariance(TTempoVariance::tvFermata), 3));
  EXPECT_EQ(fermata->GetPosition(), -12);
}

TEST(ExpressionPlacement, NewItemsStartWithTheirDefaultLook) {
  TOneStaffScore f("q");
  std::unique_ptr<TPatchData> patch(new TPatchData);
  patch->SetVisibility(0);
  patch->SetColor(2);
  Placed(f, patch.get(), 2);
  EXPECT_EQ(patch->GetVisibility(), patch->GetDefaultVisibility());
  EXPECT_EQ(patch->GetColor(), 0);
}
