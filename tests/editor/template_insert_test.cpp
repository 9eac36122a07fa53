// The Insert menu's item dialogs without their window: which template each command edits, the
// caret's staff position a template takes, what the sheet's record covers with and without
// smart inserts, and the copy that goes in at the caret under the dialog's undo record while the
// template keeps the user's values.
#include <gtest/gtest.h>

#include <memory>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/NtnGeneralExpression.h"
#include "app/InsertItemTemplates.h"
#include "editor/TemplateInsert.h"
#include "resources/CommandIds.h"
#include "tests/editor/OneStaffScore.h"

TEST(TemplateInsert, EachItemDialogEditsATemplateOfItsKind) {
  TInsertItemTemplates t;
  const struct {
    int command;
    int type;
  } cases[] = {
      {CM_INS_BARLINE, ntBarLine},         {CM_INS_CLEF, ntClef},
      {CM_INS_KEYSIG, ntKey},              {CM_INS_TIMESIG, ntTimeSignature},
      {CM_INS_TEMPO, ntTempo},             {CM_INS_DYNAMIC, ntDynamicLevel},
      {CM_INS_PEDAL, ntSustainPedal},      {CM_INS_ENDING, ntSpecialEnding},
      {CM_INS_FLOW, ntFlowDirection},      {CM_INS_TEMPOVARIANCE, ntTempoVariance},
      {CM_INS_PERFSTYLE, ntPerformanceStyle}, {CM_INS_DYNVARIANCE, ntDynamicVariance},
      {CM_INS_TEXT, ntTextExpression},     {CM_INS_PATCH, ntPatch},
      {CM_INS_CONTROLLER, ntGenericControl},
  };
  for (const auto& c : cases) {
    TNotatedItem* item = TemplateOfCommand(t, c.command);
    ASSERT_TRUE(item) << c.command;
    EXPECT_EQ(item->GetType(), c.type) << c.command;
    EXPECT_EQ(TemplateOfCommand(t, c.command), item) << "the same template every time";
  }
  EXPECT_EQ(TemplateOfCommand(t, CM_INSERTBARLINE), nullptr) << "the plain bar line has no dialog";
  EXPECT_EQ(TemplateOfCommand(t, CM_INS_CONTROLLER + 1), nullptr);
}

// With smart inserts the placement comes from the insert: only a text takes the caret's height,
// and the record leaves out expression placement and visibility.
TEST(TemplateInsert, SmartInsertsLeavePlacementToTheInsert) {
  constexpr int kCaret = -5;
  const struct {
    int command;
    bool smart;
    bool takesCaret;
    int expressions;  // expression placement group gathered
    int visibility;   // visibility group gathered
  } cases[] = {
      {CM_INS_TEMPO, false, true, 1, 1},    {CM_INS_TEMPO, true, false, 0, 0},
      {CM_INS_TEXT, true, true, 0, 0},      {CM_INS_TEXT, false, true, 1, 1},
      {CM_INS_DYNAMIC, true, false, 0, 0},  {CM_INS_BARLINE, false, false, 0, 1},
  };
  for (const auto& c : cases) {
    TInsertItemTemplates t;
    TNotatedItem* item = TemplateOfCommand(t, c.command);
    const int before = item->GetPosition();
    TNtnPropData data;
    PrepareTemplate(*item, kCaret, c.smart, data);
    EXPECT_EQ(item->GetPosition(), c.takesCaret ? kCaret : before) << c.command << " smart " << c.smart;
    EXPECT_EQ(data.expression.count, c.expressions) << c.command << " smart " << c.smart;
    EXPECT_EQ(data.visibility.count, c.visibility) << c.command << " smart " << c.smart;
    EXPECT_EQ(data.count[item->GetType()], 1) << "the template's own page";
    EXPECT_EQ(data.last[item->GetType()], item);
  }
}

TEST(TemplateInsert, OkInsertsACopyAndTheTemplateKeepsTheValues) {
  TOneStaffScore f("q | q@1");
  TInsertItemTemplates t;
  TNotatedItem* bar = TemplateOfCommand(t, CM_INS_BARLINE);
  f.edit.MoveCaretTo(2, false);
  TNtnPropData data;
  PrepareTemplate(*bar, 0, false, data);
  ASSERT_EQ(data.bar.style, TBarLineData::blSingle);
  data.bar.style = TBarLineData::blDouble;
  ASSERT_EQ(InsertFromTemplate(f.entry, *bar, CM_INS_BARLINE, false, data), TEntryResult::Done);
  EXPECT_EQ(f.Text(), "q || | q@1");
  EXPECT_NE(f.Staff().GetItem(2), bar) << "the staff owns a copy";
  EXPECT_EQ(f.edit.GetCaretIndex(), 3);
  TUndoKind kind = TUndoKind::None;
  int command = 0;
  f.undo.PeekUndo(kind, command);
  EXPECT_EQ(kind, TUndoKind::Items);
  EXPECT_EQ(command, CM_INS_BARLINE);

  // The next time the sheet opens on the double bar line.
  PrepareTemplate(*bar, 0, false, data);
  EXPECT_EQ(data.bar.style, TBarLineData::blDouble);

  TUndoEffects effects;
  ASSERT_EQ(f.edit.Undo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(f.Text(), "q | q@1");
  EXPECT_EQ(static_cast<TBarLineData*>(bar)->GetStyle(), TBarLineData::blDouble) << "undo leaves the template alone";
}

// Without smart inserts the copy goes in as the sheet left it; with them a new expression is
// placed where the last one of its kind went and starts visible in the plain colour.
TEST(TemplateInsert, SmartInsertsPlaceTheCopyAsANewExpression) {
  for (const bool smart : {false, true}) {
    TOneStaffScore f("D q q");
    auto* earlier = static_cast<TNtnGeneralExpression*>(f.Staff().GetItem(1));
    earlier->SetPosition(-9);
    TInsertItemTemplates t;
    TNotatedItem* dynamic = TemplateOfCommand(t, CM_INS_DYNAMIC);
    f.edit.MoveCaretTo(3, false);
    TNtnPropData data;
    PrepareTemplate(*dynamic, 4, smart, data);
    data.visibility.visibility = TNotatedItem::visNever;
    data.visibility.color = 2;
    if (smart) {
      // What an earlier sheet without smart inserts left in the template.
      dynamic->SetVisibility(TNotatedItem::visNever);
      dynamic->SetColor(2);
    }
    ASSERT_EQ(InsertFromTemplate(f.entry, *dynamic, CM_INS_DYNAMIC, smart, data), TEntryResult::Done);
    const TNotatedItem* copy = f.Staff().GetItem(3);
    ASSERT_EQ(copy->GetType(), ntDynamicLevel);
    EXPECT_EQ(copy->GetPosition(), smart ? -9 : 4) << "smart " << smart;
    EXPECT_EQ(copy->GetVisibility(), smart ? copy->GetDefaultVisibility() : TNotatedItem::visNever) << "smart " << smart;
    EXPECT_EQ(copy->GetColor(), smart ? 0 : 2) << "smart " << smart;
  }
}

TEST(TemplateInsert, AFullStaffRefusesTheCopyAndRecordsNothing) {
  TOneStaffScore f("q");
  while (f.Staff().FreeItemSlots() > 0) f.Staff().AppendItem(new TBarLineData);
  TInsertItemTemplates t;
  TNotatedItem* bar = TemplateOfCommand(t, CM_INS_BARLINE);
  TNtnPropData data;
  PrepareTemplate(*bar, 0, false, data);
  EXPECT_EQ(InsertFromTemplate(f.entry, *bar, CM_INS_BARLINE, false, data), TEntryResult::NoRoom);
  EXPECT_EQ(f.undo.UndoCount(), 0);
}
