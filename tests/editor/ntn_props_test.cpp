// The notation properties record: gathering a selection into groups with mixed values, writing
// back only definite values, the pages a selection shows, and the undo step of the change.
#include <gtest/gtest.h>

#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnGeneralExpression.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "editor/NtnPropData.h"
#include "editor/ScoreEditing.h"
#include "tests/editor/EditTestSupport.h"
#include "tests/staffutl/StaffText.h"

namespace {

TMusicNote* NoteAt(TMusicStaff& staff, int i) { return static_cast<TMusicNote*>(staff.GetItem(i)); }

struct TStaffFixture {
  TMusicStaff staff;
  explicit TStaffFixture(const char* text) {
    InstallAuditPass();
    FillStaff(staff, text);
    RunStaffAudit(&staff, -1, -1);
  }
  TNtnPropData Gather(int first, int last, bool smart = false) {
    TNtnPropData d;
    GatherNtnProps(staff, first, last, smart, d);
    return d;
  }
};

}  // namespace

TEST(NtnProps, DifferentValuesGatherAsMixedAndEqualOnesStayDefinite) {
  TStaffFixture f("q@0 q@1 q@2");
  NoteAt(f.staff, 1)->SetAttribute(naTieDirGiven);
  NoteAt(f.staff, 1)->SetTieDown(true);  // downward
  NoteAt(f.staff, 2)->SetAttribute(naTieDirGiven);
  NoteAt(f.staff, 2)->SetTieDown(false);  // upward
  NoteAt(f.staff, 1)->SetMuted(true);
  NoteAt(f.staff, 2)->SetMuted(true);
  const TNtnPropData two = f.Gather(1, 2);
  EXPECT_EQ(two.notes.count, 2);
  EXPECT_EQ(two.notes.tie, kNtnPropMixed);
  EXPECT_EQ(two.notes.muted, 1);
  EXPECT_EQ(two.notes.slur, 0);
  const TNtnPropData three = f.Gather(1, 3);
  EXPECT_EQ(three.notes.muted, kNtnPropMixedFlag) << "the third note plays";
  const TNtnPropData one = f.Gather(1, 1);
  EXPECT_EQ(one.notes.tie, 2);
  EXPECT_EQ(one.visibility.count, 1);
}

TEST(NtnProps, ApplyWritesOnlyDefiniteValues) {
  TStaffFixture f("q@0 q@1");
  NoteAt(f.staff, 1)->SetAttribute(naTieDirGiven);
  NoteAt(f.staff, 1)->SetTieDown(true);
  NoteAt(f.staff, 2)->SetAttribute(naTieDirGiven);
  NoteAt(f.staff, 2)->SetTieDown(false);
  TNtnPropData d = f.Gather(1, 2);
  ASSERT_EQ(d.notes.tie, kNtnPropMixed);
  d.notes.muted = 1;
  d.notes.noteSpace = 3;
  d.notes.syllable = 2;
  ApplyNtnProps(f.staff, 1, 2, false, d);
  EXPECT_TRUE(NoteAt(f.staff, 1)->IsTieDown()) << "a mixed value keeps each note's own";
  EXPECT_FALSE(NoteAt(f.staff, 2)->IsTieDown());
  for (int i = 1; i <= 2; ++i) {
    EXPECT_TRUE(NoteAt(f.staff, i)->IsMuted());
    EXPECT_EQ(NoteAt(f.staff, i)->GetExtraNoteSpace(), 3);
    EXPECT_EQ(NoteAt(f.staff, i)->GetLyricMode(), 2);
  }
  // Making the tie definite: "Default" clears the given direction.
  d.notes.tie = 0;
  ApplyNtnProps(f.staff, 1, 2, false, d);
  EXPECT_FALSE(NoteAt(f.staff, 1)->HasAttribute(naTieDirGiven));
  EXPECT_FALSE(NoteAt(f.staff, 2)->HasAttribute(naTieDirGiven));
}

TEST(NtnProps, BarLinesExpressionsRestsAndVisibilityMergePerField) {
  // 1 q, 2 |, 3 D, 4 rq, 5 ||, 6 P, 7 rq
  TStaffFixture f("q | D rq || P rq");
  auto* bar2 = static_cast<TBarLineData*>(f.staff.GetItem(5));
  bar2->SetSystemBreak(true);
  auto* dynamic = static_cast<TNtnGeneralExpression*>(f.staff.GetItem(3));
  auto* pedal = static_cast<TNtnGeneralExpression*>(f.staff.GetItem(6));
  dynamic->SetPosition(-8);
  pedal->SetPosition(-3);
  dynamic->SetJustify(1);
  pedal->SetJustify(1);
  static_cast<TRestNote*>(f.staff.GetItem(4))->SetVerticalOffset(-2);
  static_cast<TRestNote*>(f.staff.GetItem(7))->SetVerticalOffset(-2);
  f.staff.GetItem(6)->SetColor(2);
  const TNtnPropData d = f.Gather(1, 7);
  EXPECT_EQ(d.bar.count, 2);
  EXPECT_EQ(d.bar.style, kNtnPropMixed);
  EXPECT_EQ(d.bar.systemBreak, kNtnPropMixedFlag);
  EXPECT_EQ(d.expression.count, 2);
  EXPECT_EQ(d.expression.position, kNtnPropMixedSigned) << "-1 is a real position, so mixed is out of range";
  EXPECT_EQ(d.expression.justify, 1);
  EXPECT_EQ(d.rests.count, 2);
  EXPECT_EQ(d.rests.offset, -2);
  EXPECT_EQ(d.visibility.count, 7);
  EXPECT_EQ(d.visibility.color, kNtnPropMixed);
  EXPECT_EQ(d.notes.count, 1);

  TNtnPropData change = d;
  change.expression.position = -1;
  change.bar.repeatCount = 3;
  change.visibility.color = 1;
  ApplyNtnProps(f.staff, 1, 7, false, change);
  EXPECT_EQ(dynamic->GetPosition(), -1);
  EXPECT_EQ(pedal->GetPosition(), -1);
  EXPECT_EQ(bar2->GetStyle(), TBarLineData::blDouble) << "the mixed style stays";
  EXPECT_TRUE(bar2->HasSystemBreak());
  EXPECT_EQ(bar2->GetRepeatCount(), 3);
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(f.staff.GetItem(i)->GetColor(), 1) << i;
}

TEST(NtnProps, ASmartTemplateKeepsItsPlacementAndVisibility) {
  TStaffFixture f("q D q");
  auto* dynamic = static_cast<TNtnGeneralExpression*>(f.staff.GetItem(2));
  dynamic->SetPosition(-8);
  TNtnPropData d = f.Gather(2, 2, true);
  EXPECT_EQ(d.expression.count, 0);
  EXPECT_EQ(d.visibility.count, 0);
  EXPECT_EQ(d.count[ntDynamicLevel], 1);
  d.expression.position = 5;
  d.visibility.color = 3;
  ApplyNtnProps(f.staff, 2, 2, true, d);
  EXPECT_EQ(dynamic->GetPosition(), -8);
  EXPECT_EQ(dynamic->GetColor(), 0);
}

TEST(NtnProps, SingleItemPagesShowForExactlyOneButKeysForAny) {
  struct Case {
    const char* staff;
    int type;
    bool shown;
  };
  const Case cases[] = {
      {"K2 q", ntKey, true},
      {"K2 q K-1 q", ntKey, true},
      {"q q", ntKey, false},
      {"T3/4 q", ntTimeSignature, true},
      {"T3/4 q T4/4 q", ntTimeSignature, false},
      {"P q p q", ntSustainPedal, false},
      {"P q", ntSustainPedal, true},
  };
  for (const Case& c : cases) {
    TStaffFixture f(c.staff);
    const TNtnPropData d = f.Gather(1, f.staff.LastIndex() - 1);
    EXPECT_EQ(d.ShowsSingle(c.type), c.shown) << c.staff;
  }
  TStaffFixture f("K2 q K-1 q");
  const TNtnPropData d = f.Gather(1, 4);
  EXPECT_EQ(d.last[ntKey], f.staff.GetItem(3)) << "the page shows the last key's values";
  EXPECT_FALSE(d.ShowsSingle(-1));
  EXPECT_FALSE(d.ShowsSingle(TNtnPropData::kTypeCount));
}

TEST(NtnProps, ChangeSelectionRecordsFirstAndUndoRestores) {
  InstallAuditPass();
  TMusicScore score;
  auto* staff = new TMusicStaff;
  FillStaff(*staff, "q@0 q@1 | q@2 q@3 | h@0");
  RunStaffAudit(staff, -1, -1);
  score.AppendStaff(staff);
  TUndoActionMgr undo(8, 1000);
  TModifiedCount modified;
  TScoreEditing edit(score, undo, &modified);
  TNtnPropData d;
  EXPECT_FALSE(ChangeSelectionProps(edit, d)) << "nothing selected";
  edit.MoveCaretTo(1, false);
  edit.MoveCaretTo(3, true);  // the first two notes
  GatherNtnProps(*staff, edit.GetSelectionStart(), edit.GetSelectionEnd(), false, d);
  d.notes.muted = 1;
  const auto before = ScoreBytes(score);
  ASSERT_TRUE(ChangeSelectionProps(edit, d));
  EXPECT_EQ(modified.count, 1);
  EXPECT_EQ(undo.UndoCount(), 1);
  EXPECT_TRUE(NoteAt(*staff, 1)->IsMuted());
  EXPECT_TRUE(NoteAt(*staff, 2)->IsMuted());
  EXPECT_FALSE(NoteAt(*staff, 4)->IsMuted());
  const auto after = ScoreBytes(score);
  TUndoEffects effects;
  ASSERT_EQ(edit.Undo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(ScoreBytes(score), before);
  ASSERT_EQ(edit.Redo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(ScoreBytes(score), after);
}
