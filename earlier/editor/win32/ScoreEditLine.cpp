// The earlier line's own view commands: Selection (39) edits the one selected item in its
// kind's dialog, the Insert commands (144-158) insert a copy of a template item that their
// dialog set, Staff Playback Instrument (27) sets the staff's default patch and Transpose Staff
// (66) asks only for the semitones. The view colours its staves from the colour options.
#include <windows.h>

#include <algorithm>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/ItemRecords.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/StaffDrawInfo.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"
#include "app/InsertItemTemplates.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordApp.h"
#include "earlier/editor/EarlierEditRules.h"
#include "earlier/editor/win32/ItemDialogs.h"
#include "earlier/editor/win32/TransposeDialogs.h"
#include "editor/win32/ScoreEdit.h"
#include "framework/ResponseTable.h"
#include "resources/CommandIds.h"

namespace {

class TEarlierViewCommands {
public:
  explicit TEarlierViewCommands(TScoreEdit& view) : view_(view) {}

  void CmEditSelection();
  void CeEditSelection(TCommandEnabler& ce) { ce.Enable(SelectedItem() != nullptr); }
  void CmStaffInstrument();
  void CmTranspose() { RunEarlierTransposeCommand(view_); }
  void CeActive(TCommandEnabler& ce) { ce.Enable(view_.IsActive()); }
  void CeInsert(TCommandEnabler& ce) { ce.Enable(view_.IsUsable()); }

  void CmInsertBarLine() { Insert(Templates().barLine, CM_INS_BARLINE); }
  void CmInsertClef() { Insert(Templates().clef, CM_INS_CLEF); }
  void CmInsertKey() { Insert(Templates().key, CM_INS_KEYSIG); }
  void CmInsertTime() { Insert(Templates().timeSignature, CM_INS_TIMESIG); }
  void CmInsertTempo() { InsertAtCaretHeight(Templates().tempo, CM_INS_TEMPO); }
  void CmInsertDynamic() { InsertAtCaretHeight(Templates().dynamic, CM_INS_DYNAMIC); }
  void CmInsertFlow() { InsertAtCaretHeight(Templates().flow, CM_INS_FLOW); }
  void CmInsertTempoVariance() { InsertAtCaretHeight(Templates().tempoVariance, CM_INS_TEMPOVARIANCE); }
  void CmInsertPerformanceStyle() { InsertAtCaretHeight(Templates().performanceStyle, CM_INS_PERFSTYLE); }
  void CmInsertDynamicVariance() { InsertAtCaretHeight(Templates().dynamicVariance, CM_INS_DYNVARIANCE); }
  void CmInsertText() { InsertAtCaretHeight(Templates().text, CM_INS_TEXT); }
  void CmInsertPatch() { Insert(Templates().patch, CM_INS_PATCH); }
  void CmInsertController() { Insert(Templates().controller, CM_INS_CONTROLLER); }
  // A pedal and an ending start afresh each time: pedal down at the caret, ending 1.
  void CmInsertPedal() {
    TSustainPedal pedal(1);
    pedal.SetPosition(view_.GetCaretStaffPos());
    Insert(&pedal, CM_INS_PEDAL);
  }
  void CmInsertEnding() {
    TSpecialEnding ending(1);
    Insert(&ending, CM_INS_ENDING);
  }

private:
  static TInsertItemTemplates& Templates() { return gApp->Templates(); }
  TNotatedItem* SelectedItem() const;
  void InsertAtCaretHeight(TNotatedItem* item, int command) {
    item->SetPosition(view_.GetCaretStaffPos());
    Insert(item, command);
  }
  // The dialog runs on the template; a copy of the confirmed item goes in at the caret.
  void Insert(TNotatedItem* item, int command) {
    if (!RunItemDialog(&view_, *item)) return;
    view_.InsertItemAtCaret(CloneNotatedItem(item), command);
  }

  TScoreEdit& view_;
};

TNotatedItem* TEarlierViewCommands::SelectedItem() const {
  if (!view_.IsActive() || !view_.HasSelection() || view_.GetSelectionStart() != view_.GetSelectionEnd()) return nullptr;
  TMusicStaff* staff = view_.GetCurrentStaff();
  TNotatedItem* item = staff ? staff->GetItem(view_.GetSelectionStart()) : nullptr;
  if (!item) return nullptr;
  const TMusicScore& score = view_.Editing().Score();
  const bool experimental = (gApp && gApp->Options()[kOptExperimentalActive]) || score.IsExperimental();
  return earlier_rules::CanEditItemType(item->GetType(), experimental) && HasItemDialog(item->GetType()) ? item : nullptr;
}

void TEarlierViewCommands::CmEditSelection() {
  TNotatedItem* item = SelectedItem();
  if (!item) return;
  const int index = view_.GetSelectionStart();
  if (!view_.Editing().RecordUndo(TUndoKind::Internal, static_cast<int>(TUndoInternal::ChangeSelection), 1)) return;
  if (!RunItemDialog(&view_, *item)) {
    view_.UndoManager().DiscardLast();
    return;
  }
  RunStaffAuditAround(view_.GetCurrentStaff(), index, index);
  view_.RefreshAll();
}

void TEarlierViewCommands::CmStaffInstrument() {
  TMusicStaff* staff = view_.GetCurrentStaff();
  if (!staff) return;
  TStaffInstrument transfer = staff->GetInstrument();
  TPatchDlg dialog(&view_, transfer);
  if (dialog.Execute() != IDOK) return;
  if (!view_.Editing().RecordUndo(TUndoKind::StaffInfo, CM_STAFFINSTRUMENT, 0)) return;
  staff->SetInstrument(transfer);
  view_.RefreshAll();
}

using R = TResponse<TEarlierViewCommands>;
constexpr R kResponses[] = {
    R::Command(CM_EDITSELECTION, &TEarlierViewCommands::CmEditSelection),
    R::Enable(CM_EDITSELECTION, &TEarlierViewCommands::CeEditSelection),
    R::Command(CM_STAFFINSTRUMENT, &TEarlierViewCommands::CmStaffInstrument),
    R::Enable(CM_STAFFINSTRUMENT, &TEarlierViewCommands::CeActive),
    R::Command(CM_TRANSPOSE, &TEarlierViewCommands::CmTranspose),
    R::Enable(CM_TRANSPOSE, &TEarlierViewCommands::CeActive),
    R::Command(CM_INS_BARLINE, &TEarlierViewCommands::CmInsertBarLine),
    R::Command(CM_INS_CLEF, &TEarlierViewCommands::CmInsertClef),
    R::Command(CM_INS_KEYSIG, &TEarlierViewCommands::CmInsertKey),
    R::Command(CM_INS_TIMESIG, &TEarlierViewCommands::CmInsertTime),
    R::Command(CM_INS_TEMPO, &TEarlierViewCommands::CmInsertTempo),
    R::Command(CM_INS_DYNAMIC, &TEarlierViewCommands::CmInsertDynamic),
    R::Command(CM_INS_PEDAL, &TEarlierViewCommands::CmInsertPedal),
    R::Command(CM_INS_ENDING, &TEarlierViewCommands::CmInsertEnding),
    R::Command(CM_INS_FLOW, &TEarlierViewCommands::CmInsertFlow),
    R::Command(CM_INS_TEMPOVARIANCE, &TEarlierViewCommands::CmInsertTempoVariance),
    R::Command(CM_INS_PERFSTYLE, &TEarlierViewCommands::CmInsertPerformanceStyle),
    R::Command(CM_INS_DYNVARIANCE, &TEarlierViewCommands::CmInsertDynamicVariance),
    R::Command(CM_INS_TEXT, &TEarlierViewCommands::CmInsertText),
    R::Command(CM_INS_PATCH, &TEarlierViewCommands::CmInsertPatch),
    R::Command(CM_INS_CONTROLLER, &TEarlierViewCommands::CmInsertController),
};
// Every Insert command is enabled while the view can be edited.
constexpr UINT kInsertCommands[] = {CM_INS_BARLINE, CM_INS_CLEF,  CM_INS_KEYSIG, CM_INS_TIMESIG, CM_INS_TEMPO,
                                    CM_INS_DYNAMIC, CM_INS_PEDAL, CM_INS_ENDING, CM_INS_FLOW, CM_INS_TEMPOVARIANCE,
                                    CM_INS_PERFSTYLE, CM_INS_DYNVARIANCE, CM_INS_TEXT, CM_INS_PATCH,
                                    CM_INS_CONTROLLER};

}  // namespace

bool TScoreEdit::FindLineCommand(TEvent& ev) {
  TEarlierViewCommands commands(*this);
  if (ev.Dispatch(&commands, kResponses)) return true;
  for (UINT id : kInsertCommands) {
    const R enable = R::Enable(id, &TEarlierViewCommands::CeInsert);
    const R table[] = {enable};
    if (ev.Dispatch(&commands, table)) return true;
  }
  return false;
}

namespace {
// A colour option names an entry of the staff colour table; a stored value outside it draws in
// the printer default rather than reading past the table.
int ColorOption(TAppOptionIndex option) {
  const int index = gApp ? gApp->Option(option) : kAppOptionKeys[option].defaultValue;
  return index >= 0 && index < TStaffColorHandles::kCount ? index : 0;
}
}  // namespace

void TScoreEdit::ColorLineStaves() {
  if (!drawInfo_) return;
  drawInfo_->SetStaffColors(ColorOption(kOptInactiveStaffColor));
  if (!active_ || currentShown_ < 0 || currentShown_ >= drawInfo_->GetCount()) return;
  drawInfo_->GetStaffInfo(currentShown_)->SetColorIndex(ColorOption(kOptActiveStaffColor));
}

int TScoreEdit::ItemRedrawColor(int shown, bool playing) const {
  if (playing) return ColorOption(kOptNotePlayColor);
  return ColorOption(active_ && shown == currentShown_ ? kOptActiveStaffColor : kOptInactiveStaffColor);
}
