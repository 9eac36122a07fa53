#include "editor/ScoreEditing.h"

#include <algorithm>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/StaffRange.h"

TScoreEditing::TScoreEditing(TMusicScore& score, TUndoActionMgr& undo, TModifiedSink* sink)
    : score_(&score), undo_(undo), sink_(sink) {}

void TScoreEditing::SetScore(TMusicScore& score) {
  score_ = &score;
  place_ = TEditPlace{};
}

TMusicStaff* TScoreEditing::CurrentStaff() const { return score_->GetStaff(place_.staff); }

int TScoreEditing::GetSelectionStart() const { return std::min(place_.caret, place_.anchor); }

int TScoreEditing::GetSelectionEnd() const {
  return HasSelection() ? std::max(place_.caret, place_.anchor) - 1 : GetSelectionStart();
}

void TScoreEditing::SetCurrentStaff(int index) {
  if (score_->StaffCount() == 0) return;
  place_.staff = std::clamp(index, 0, score_->StaffCount() - 1);
  const int last = CurrentStaff()->LastIndex();
  place_.caret = std::clamp(place_.caret, 1, last);
  place_.anchor = place_.caret;
}

void TScoreEditing::MoveCaretTo(int index, bool extend) {
  const TMusicStaff* staff = CurrentStaff();
  if (!staff) return;
  place_.caret = std::clamp(index, 1, staff->LastIndex());
  if (!extend) place_.anchor = place_.caret;
}

int TScoreEditing::BarStepTarget(int dir) const {
  const TMusicStaff* staff = CurrentStaff();
  if (!staff) return 1;
  if (dir < 0) {
    // The bar line before the item in front of the caret: from the start of a bar this steps a bar back.
    int i = place_.caret - 2;
    while (i > 0 && NtnType(staff->GetItem(i)) != ntBarLine) --i;
    return std::max(i + 1, 1);
  }
  int i = place_.caret;
  while (i < staff->LastIndex() && NtnType(staff->GetItem(i)) != ntBarLine) ++i;
  return std::min(i + 1, staff->LastIndex());
}

bool TScoreEditing::RecordUndo(TUndoKind kind, int command, int count) {
  TQXTStream& out = undo_.Push(kind, command);
  if (!WriteUndoSnapshot(out, *score_, place_, kind, command, count)) {
    undo_.DiscardLast();
    return false;
  }
  undo_.EndRecord();
  if (sink_) sink_->SetModified();
  return true;
}

bool TScoreEditing::RecordKeptUndo(TUndoKind kind, int command, TQXTStream& snapshot) {
  if (snapshot.IsFailed()) return false;
  TQXTStream& out = undo_.Push(kind, command);
  snapshot.Rewind();
  char block[512];
  for (;;) {
    const uint32_t got = snapshot.Read(block, sizeof block);
    if (got == 0) break;
    out.Write(block, got);
  }
  if (out.IsFailed()) {
    undo_.DiscardLast();
    return false;
  }
  undo_.EndRecord();
  if (sink_) sink_->SetModified();
  return true;
}

bool TScoreEditing::InsertItemAtCaret(TNotatedItem* item, TUndoKind kind, int command) {
  TMusicStaff* staff = CurrentStaff();
  const int removed = HasSelection() ? GetSelectionEnd() - GetSelectionStart() + 1 : 0;
  if (!staff || !item || staff->ItemCount() - removed + 1 > TMusicStaff::kMaxItems) {
    delete item;
    return false;
  }
  if (!RecordUndo(kind, command, 1)) {
    delete item;
    return false;
  }
  if (HasSelection()) {
    const int first = GetSelectionStart();
    staff->DeleteItems(first, GetSelectionEnd());
    place_.caret = place_.anchor = first;
  }
  const int at = place_.caret;
  staff->InsertItem(item, at);
  staff->SetChanged(true);
  RunStaffAuditAround(staff, at, at);
  place_.caret = place_.anchor = at + 1;
  return true;
}

bool TScoreEditing::DeleteAtCaret() {
  TMusicStaff* staff = CurrentStaff();
  if (!staff) return false;
  const int action = static_cast<int>(TUndoInternal::DeleteBefore);
  if (HasSelection()) {
    const int first = GetSelectionStart();
    const int last = GetSelectionEnd();
    if (!RecordUndo(TUndoKind::Internal, action, -(last - first + 1))) return false;
    staff->DeleteItems(first, last);
    place_.caret = place_.anchor = first;
  } else {
    // Nothing at the trailing sentinel: no record is left behind.
    if (place_.caret >= staff->LastIndex()) return false;
    if (!RecordUndo(TUndoKind::Internal, action, -1)) return false;
    staff->DeleteItems(place_.caret, place_.caret);
  }
  staff->SetChanged(true);
  RunStaffAuditAround(staff, std::min(place_.caret, staff->LastIndex()), -1);
  return true;
}

bool TScoreEditing::DeleteBeforeCaret() {
  TMusicStaff* staff = CurrentStaff();
  if (!staff) return false;
  if (HasSelection()) return DeleteAtCaret();
  if (place_.caret <= 1) return false;
  if (!RecordUndo(TUndoKind::Internal, static_cast<int>(TUndoInternal::Delete), -1)) return false;
  staff->DeleteItems(place_.caret - 1, place_.caret - 1);
  place_.caret = place_.anchor = place_.caret - 1;
  staff->SetChanged(true);
  RunStaffAuditAround(staff, place_.caret, -1);
  return true;
}

bool TScoreEditing::ShiftSelection(int delta) {
  TMusicStaff* staff = CurrentStaff();
  if (!staff || !HasSelection() || delta == 0) return false;
  // Items change in place: the record puts back as many as it takes.
  const int count = GetSelectionEnd() - GetSelectionStart() + 1;
  if (!RecordUndo(TUndoKind::Internal, static_cast<int>(TUndoInternal::ChangeSelection), count)) return false;
  TStaffRange range(staff, GetSelectionStart(), GetSelectionEnd());
  range.ShiftPositions(delta);
  return true;
}

bool TScoreEditing::Apply(bool redo, TUndoEffects& effects) {
  TUndoKind kind;
  int command;
  if (redo)
    undo_.PeekRedo(kind, command);
  else
    undo_.PeekUndo(kind, command);
  TQXTStream* in = nullptr;
  TQXTStream* out = nullptr;
  if (!(redo ? undo_.Redo(in, out) : undo_.Undo(in, out))) {
    last_ = TUndoOutcome::Skipped;
    return false;
  }
  last_ = ApplyUndoRecord(*score_, place_, kind, command, *in, *out, effects);
  if (last_ != TUndoOutcome::Applied) {
    undo_.ForgetInverse();
    return false;
  }
  if (sink_) sink_->SetModified();
  return true;
}

TUndoOutcome TScoreEditing::Undo(TUndoEffects& effects) {
  Apply(false, effects);
  return last_;
}

TUndoOutcome TScoreEditing::Redo(TUndoEffects& effects) {
  Apply(true, effects);
  return last_;
}
