#include "editor/StaffCommands.h"

#include <algorithm>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "editor/ScoreEditing.h"
#include "editor/ScoreUndo.h"

namespace {

constexpr int kCmdMoveStaff = 223;

}  // namespace

bool StoreStaffSettings(TScoreEditing& edit, const TMusicStaff& edited, int command) {
  TMusicStaff* staff = edit.CurrentStaff();
  if (!staff || !edit.RecordUndo(TUndoKind::StaffInfo, command, 0)) return false;
  staff->CopyInfo(edited);
  return true;
}

bool StoreMuteList(TScoreEditing& edit, const std::vector<bool>& muted) {
  TMusicScore& score = edit.Score();
  if (!edit.RecordUndo(TUndoKind::ScoreInfo, kUndoCmdMuteList, 0)) return false;
  const int n = std::min(score.StaffCount(), static_cast<int>(muted.size()));
  for (int i = 0; i < n; ++i) score.GetStaff(i)->SetMuted(muted[static_cast<std::size_t>(i)] ? 1 : 0);
  return true;
}

bool MoveCurrentStaffTo(TScoreEditing& edit, int to) {
  TMusicScore& score = edit.Score();
  const int from = edit.Place().staff;
  if (to < 0 || to >= score.StaffCount() || to == from || !edit.CurrentStaff()) return false;
  const bool shownFrom = from < TMusicScore::kSelectionSize && score.Selection().GetBit(from);
  // The score slides the other staves' shown flags; the moved staff keeps its own.
  score.InsertStaff(score.RemoveStaff(from), to);
  if (to < TMusicScore::kSelectionSize) score.Selection().SetBit(to, shownFrom);
  edit.Place().staff = to;
  edit.Place().caret = edit.Place().anchor = 1;
  edit.RecordUndo(TUndoKind::StaffMove, kCmdMoveStaff, from);
  return true;
}

bool RunStaffAuditCommand(TScoreEditing& edit, TStaffAudit audit) {
  TMusicStaff* staff = edit.CurrentStaff();
  if (!staff || !edit.RecordUndo(TUndoKind::StaffContent, static_cast<int>(audit), 0)) return false;
  switch (audit) {
    case TStaffAudit::AutomaticBeam: staff->AutoBeam(false); break;
    case TStaffAudit::ForceAccidentals: staff->ResolveAccidentals(true); break;
    case TStaffAudit::AuditAccidentals: staff->ResolveAccidentals(false); break;
    case TStaffAudit::AuditBarLines:
      edit.MoveCaretTo(1, false);
      staff->Rebar();
      break;
    case TStaffAudit::AuditNoteStems: staff->ApplyAutoStems(); break;
    case TStaffAudit::AuditEnharmonicSpelling: staff->AuditAccidentals(); break;
  }
  staff->SetChanged(true);
  RunStaffAudit(staff, -1, -1);
  edit.MoveCaretTo(edit.GetCaretIndex(), false);
  return true;
}

bool TransposeCurrentStaff(TScoreEditing& edit, const TTransposeSettings& settings) {
  TMusicStaff* staff = edit.CurrentStaff();
  if (!staff || !edit.RecordUndo(TUndoKind::StaffContent, kUndoCmdTransposeStaff, 0)) return false;
  const int semitones = std::clamp(settings.semitones, -12, 12);
  staff->Transpose(semitones, settings.ModelPreference());
  if (settings.updatePlayback) staff->SetTransposition(staff->GetTransposition() - semitones);
  RunStaffAudit(staff, -1, -1);
  return true;
}

int NextTransposeProblem(TMusicStaff& staff, int semitones, int after) {
  return staff.FindUntransposable(std::clamp(semitones, -12, 12), after);
}

int NextChordClash(TMusicStaff& staff, int after) { return staff.FindChordClash(after + 1); }
