// The caret rules of the editing core: clamping to the staff, bar steps and the selection's ends.
#include <gtest/gtest.h>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "editor/ScoreEditing.h"
#include "tests/staffutl/StaffText.h"

namespace {

struct TCaretFixture {
  TMusicScore score;
  TUndoActionMgr undo{4, 100};
  TScoreEditing edit{score, undo, nullptr};
  TCaretFixture() {
    InstallAuditPass();
    auto* staff = new TMusicStaff;
    FillStaff(*staff, "q q | q q | q");  // items 1..7, trailing sentinel 8
    score.AppendStaff(staff);
  }
};

}  // namespace

TEST(CaretRules, CaretStaysBetweenTheSentinels) {
  TCaretFixture f;
  f.edit.MoveCaretTo(0, false);
  EXPECT_EQ(f.edit.GetCaretIndex(), 1);
  f.edit.MoveCaretTo(100, false);
  EXPECT_EQ(f.edit.GetCaretIndex(), 8);
  EXPECT_FALSE(f.edit.HasSelection());
}

TEST(CaretRules, BarStepsLandJustAfterABarLine) {
  struct Case {
    int caret, dir, target;
  } cases[] = {{1, 1, 4}, {4, 1, 7}, {7, 1, 8}, {5, -1, 4}, {4, -1, 1}, {7, -1, 4}, {1, -1, 1}};
  for (const Case& c : cases) {
    TCaretFixture f;
    f.edit.MoveCaretTo(c.caret, false);
    EXPECT_EQ(f.edit.BarStepTarget(c.dir), c.target) << c.caret << " " << c.dir;
  }
}

TEST(CaretRules, SelectionRunsFromAnchorToTheItemBeforeTheCaret) {
  TCaretFixture f;
  f.edit.MoveCaretTo(5, false);
  f.edit.MoveCaretTo(2, true);
  EXPECT_EQ(f.edit.GetSelectionStart(), 2);
  EXPECT_EQ(f.edit.GetSelectionEnd(), 4);
  f.edit.MoveCaretTo(7, true);
  EXPECT_EQ(f.edit.GetSelectionStart(), 5);
  EXPECT_EQ(f.edit.GetSelectionEnd(), 6);
  f.edit.CollapseSelection();
  EXPECT_FALSE(f.edit.HasSelection());
  EXPECT_EQ(f.edit.GetCaretIndex(), 7) << "collapsing leaves the caret where it was";
}
