#include "editor/win32/ScoreViewTools.h"

#include <memory>
#include <vector>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "editor/FindRules.h"
#include "editor/NtnPropData.h"
#include "editor/StaffCommands.h"
#include "editor/win32/ItemDialogInserts.h"
#include "editor/win32/ScoreEdit.h"
#include "editor/win32/LyricDlg.h"
#include "editor/win32/NtnPropDlg.h"
#include "editor/win32/ScoreWindow.h"
#include "editor/win32/StaffListDlgs.h"
#include "editor/win32/StaffPropDlg.h"
#include "editor/win32/StaffToolDlgs.h"
#include "foundation/QVBusyCursor.h"
#include "framework/ResponseTable.h"
#include "resources/CommandIds.h"

namespace {

// Kept for the whole run: shown again at the next use.
TTransposeSettings gTransposeSettings;
TQVEditFindData gFindData;

// Stateless: made for each event around the view that received it.
class TViewTools {
public:
  explicit TViewTools(TScoreEdit& view) : view_(view) {}

  // Also Score Review's "Goto Staff Properties...".
  void CmStaffProperties() {
    TMusicStaff* staff = view_.GetCurrentStaff();
    if (!staff) return;
    TMusicStaff copy;
    copy.CopyInfo(*staff);
    TStaffPropDialog sheet(&view_, view_.Editing().Score(), copy, view_.GetCurrentStaffIndex());
    if (sheet.Execute() != IDOK) return;
    sheet.StoreInstrument();
    if (!StoreStaffSettings(view_.Editing(), copy, CM_STAFFPROPERTIES)) return;
    view_.RelayoutScore();
  }

  void CmMoveStaff() {
    TMoveStaffDlg dialog(&view_, view_.Editing().Score(), view_.GetCurrentStaffIndex());
    if (dialog.Execute() != IDOK) return;
    if (!MoveCurrentStaffTo(view_.Editing(), dialog.GetChosen())) return;
    view_.RelayoutScore();
  }

  void CmAutoBeam() { RunAudit(TStaffAudit::AutomaticBeam); }
  void CmForceAccidentals() { RunAudit(TStaffAudit::ForceAccidentals); }
  void CmAuditBarLines() { RunAudit(TStaffAudit::AuditBarLines); }
  void CmAuditAccidentals() { RunAudit(TStaffAudit::AuditAccidentals); }
  void CmAuditStems() { RunAudit(TStaffAudit::AuditNoteStems); }

  // Ctrl+F9: the whole staff audited again, without an undo step.
  void CmRefreshStaff() {
    TMusicStaff* staff = view_.GetCurrentStaff();
    if (!staff) return;
    TQVBusyCursor busy;
    RunStaffAudit(staff, -1, -1);
    view_.RefreshAll();
  }

  // The properties of the selected items; only the values the user left or made definite change.
  void CmSelectionProperties() {
    TMusicStaff* staff = view_.GetCurrentStaff();
    if (!staff || !view_.HasSelection()) return;
    TNtnPropData data;
    GatherNtnProps(*staff, view_.GetSelectionStart(), view_.GetSelectionEnd(), false, data);
    view_.ScrollToCaret();
    TNtnPropDialog sheet(&view_, data);
    if (sheet.Execute() != IDOK) return;
    if (!ChangeSelectionProps(view_.Editing(), data)) return;
    view_.RefreshAll();
  }

  // Properties: the selected items', else the current staff's.
  void CmProperties() {
    if (view_.HasSelection())
      CmSelectionProperties();
    else
      CmStaffProperties();
  }

  void CmLyrics() {
    TMusicStaff* staff = view_.GetCurrentStaff();
    if (!staff) return;
    TMainLyricDlg sheet(view_, *staff);
    if (sheet.Execute() != IDOK) return;
    view_.RelayoutScore();
  }

  void CmTranspose() {
    if (!view_.GetCurrentStaff()) return;
    TStaffTransposeDlg dialog(&view_, gTransposeSettings);
    if (dialog.Execute() != IDOK) return;
    if (!WarningsPassed(TRespellWarnDlg::kTransposeWarning, gTransposeSettings.semitones)) return;
    TQVBusyCursor busy;
    if (!TransposeCurrentStaff(view_.Editing(), gTransposeSettings)) return;
    view_.RefreshAll();
  }

  void CmAuditSpelling() {
    if (!view_.GetCurrentStaff()) return;
    if (!WarningsPassed(TRespellWarnDlg::kSpellingWarning, 0)) return;
    RunAudit(TStaffAudit::AuditEnharmonicSpelling);
  }

  void CmFind() {
    TFindDlg dialog(&view_, gFindData);
    if (dialog.Execute() != IDOK || gFindData.mode == TQVEditFindData::kNothing) return;
    CmFindNext();
  }

  void CmFindNext() {
    TMusicStaff* staff = view_.GetCurrentStaff();
    if (!staff) return;
    if (gFindData.mode == TQVEditFindData::kNothing) {
      CmFind();
      return;
    }
    const int found = FindNextItem(*staff, view_.GetCaretIndex(), gFindData);
    if (found < 0) {
      MessageBoxA(view_.GetHandle(), "No matching items could be found.", "Find", MB_OK | MB_ICONINFORMATION);
      return;
    }
    // The selection covers the item and the caret stands behind it, where the next search starts.
    view_.MoveCaretTo(found, false);
    view_.MoveCaretTo(found + 1, true);
    view_.ScrollToCaret();
  }

  void CmGoto() {
    TMusicStaff* staff = view_.GetCurrentStaff();
    if (!staff) return;
    const int first = view_.Editing().Score().GetMeasureStart();
    int number = BarNumberAt(*staff, view_.GetCaretIndex(), first);
    TGotoMeasureDlg dialog(&view_, first, number);
    if (dialog.Execute() != IDOK) return;
    view_.MoveCaretTo(IndexOfBarNumber(*staff, number, first), false);
    view_.ScrollToCaret();
  }

  void CeUsable(TCommandEnabler& ce) { ce.Enable(view_.IsUsable()); }
  void CeSelection(TCommandEnabler& ce) { ce.Enable(view_.IsUsable() && view_.HasSelection()); }
  void CeMoreStaves(TCommandEnabler& ce) { ce.Enable(view_.IsUsable() && view_.Editing().Score().StaffCount() > 1); }

private:
  // The warning opens on the first problem; false when the user went to the score instead.
  bool WarningsPassed(int warning, int semitones) {
    if (FirstRespellProblem(warning, view_, semitones) <= 0) return true;
    TRespellWarnDlg dialog(warning, view_, semitones);
    return dialog.Execute() == IDOK;
  }

  void RunAudit(TStaffAudit audit) {
    TQVBusyCursor busy;
    if (!RunStaffAuditCommand(view_.Editing(), audit)) return;
    // Re-barring sends the caret to the start, but the user keeps looking where he was.
    if (audit == TStaffAudit::AuditBarLines)
      view_.RefreshKeepingScroll();
    else
      view_.RefreshAll();
  }

  TScoreEdit& view_;
};

using RV = TResponse<TViewTools>;
constexpr RV kViewResponses[] = {
    RV::Command(CM_STAFFPROPERTIES, &TViewTools::CmStaffProperties),
    RV::Command(CM_MOVESTAFF, &TViewTools::CmMoveStaff),
    RV::Command(CM_AUTOBEAM, &TViewTools::CmAutoBeam),
    RV::Command(CM_FORCEACCIDENTALS, &TViewTools::CmForceAccidentals),
    RV::Command(CM_AUDITBARLINES, &TViewTools::CmAuditBarLines),
    RV::Command(CM_AUDITACCIDENTALS, &TViewTools::CmAuditAccidentals),
    RV::Command(CM_AUDITSTEMS, &TViewTools::CmAuditStems),
    RV::Command(CM_REFRESHSTAFF, &TViewTools::CmRefreshStaff),
    RV::Command(CM_TRANSPOSE, &TViewTools::CmTranspose),
    RV::Command(CM_LYRICS, &TViewTools::CmLyrics),
    RV::Command(CM_SELECTIONPROPS, &TViewTools::CmSelectionProperties),
    RV::Command(CM_PROPERTIES, &TViewTools::CmProperties),
    RV::Command(CM_FINDERRORS, &TViewTools::CmAuditSpelling),
    RV::Command(CM_FIND, &TViewTools::CmFind),
    RV::Command(CM_FINDNEXT, &TViewTools::CmFindNext),
    RV::Command(CM_GOTO, &TViewTools::CmGoto),
    RV::Enable(CM_STAFFPROPERTIES, &TViewTools::CeUsable),
    RV::Enable(CM_MOVESTAFF, &TViewTools::CeMoreStaves),
    RV::Enable(CM_AUTOBEAM, &TViewTools::CeUsable),
    RV::Enable(CM_FORCEACCIDENTALS, &TViewTools::CeUsable),
    RV::Enable(CM_AUDITBARLINES, &TViewTools::CeUsable),
    RV::Enable(CM_AUDITACCIDENTALS, &TViewTools::CeUsable),
    RV::Enable(CM_AUDITSTEMS, &TViewTools::CeUsable),
    RV::Enable(CM_REFRESHSTAFF, &TViewTools::CeUsable),
    RV::Enable(CM_TRANSPOSE, &TViewTools::CeUsable),
    RV::Enable(CM_LYRICS, &TViewTools::CeUsable),
    RV::Enable(CM_SELECTIONPROPS, &TViewTools::CeSelection),
    RV::Enable(CM_PROPERTIES, &TViewTools::CeUsable),
    RV::Enable(CM_FINDERRORS, &TViewTools::CeUsable),
    RV::Enable(CM_FIND, &TViewTools::CeUsable),
    RV::Enable(CM_FINDNEXT, &TViewTools::CeUsable),
    RV::Enable(CM_GOTO, &TViewTools::CeUsable),
};

class TWindowTools {
public:
  explicit TWindowTools(TScoreWindow& window) : window_(window) {}

  void CmMuteList() {
    TScoreEdit* view = window_.GetView();
    TMusicScore* score = window_.GetScore();
    if (!view || !score) return;
    std::vector<bool> muted;
    for (int i = 0; i < score->StaffCount(); ++i) muted.push_back(score->GetStaff(i)->IsMuted() != 0);
    TMuteListDlg dialog(&window_, *score, muted);
    if (dialog.Execute() != IDOK) return;
    if (!StoreMuteList(view->Editing(), muted)) return;
    view->RefreshAll();
  }

  // The chosen staff becomes current and its properties open; then the list opens again.
  void CmScoreReview() {
    TScoreEdit* view = window_.GetView();
    TMusicScore* score = window_.GetScore();
    if (!view || !score) return;
    for (;;) {
      TScoreReviewDlg dialog(&window_, *score, view->GetCurrentStaffIndex());
      if (dialog.Execute() != IDOK) return;
      view->Editing().SetCurrentStaff(dialog.GetChosen());
      view->RelayoutScore();
      TViewTools(*view).CmStaffProperties();
    }
  }

  void CeViewUsable(TCommandEnabler& ce) { ce.Enable(window_.GetView() && window_.GetView()->IsUsable()); }

private:
  TScoreWindow& window_;
};

using RW = TResponse<TWindowTools>;
constexpr RW kWindowResponses[] = {
    RW::Command(CM_MUTELIST, &TWindowTools::CmMuteList),
    RW::Command(CM_SCOREREVIEW, &TWindowTools::CmScoreReview),
    RW::Enable(CM_MUTELIST, &TWindowTools::CeViewUsable),
    RW::Enable(CM_SCOREREVIEW, &TWindowTools::CeViewUsable),
};

}  // namespace

bool FindViewToolCommand(TScoreEdit& view, TEvent& ev) {
  TViewTools tools(view);
  return ev.Dispatch(&tools, kViewResponses) || FindItemDialogInsert(view, ev);
}

bool FindWindowToolCommand(TScoreWindow& window, TEvent& ev) {
  TWindowTools tools(window);
  return ev.Dispatch(&tools, kWindowResponses);
}
