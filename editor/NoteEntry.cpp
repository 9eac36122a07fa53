#include "editor/NoteEntry.h"

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/ItemRecords.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TimeSignatureData.h"
#include "editor/ExpressionPlacement.h"
#include "resources/CommandIds.h"

namespace {

constexpr int kChangeSelection = static_cast<int>(TUndoInternal::ChangeSelection);

// The note attribute bits a new item takes from the tools.
uint16_t ToolAttributes(const TNoteToolState& s) { return static_cast<uint16_t>(s.attributes & kToolAttributeMask); }

int ToolDuration(const TNoteToolState& s) { return s.duration >= 0 && s.duration < kDurationCount ? s.duration : 2; }

bool SetDurationOf(TStaffRange& r, int d) {
  r.SetDuration(d);
  return true;
}
bool StepDurationOf(TStaffRange& r, int delta) {
  r.ChangeDuration(delta);
  return true;
}
bool SetAccidentalOf(TStaffRange& r, int code) {
  r.SetAccidental(code);
  return true;
}
bool SetStemOf(TStaffRange& r, int code) {
  r.SetStem(code);
  return true;
}
bool ToggleAttributeOf(TStaffRange& r, int bit) { return r.ToggleAttribute(bit); }
bool ToggleGroupOf(TStaffRange& r, int kind) {
  if (r.AnyInGroup(kind)) {
    r.Ungroup(kind);
    return true;
  }
  return r.MakeGroup(kind);
}

// A fast insert: the item it makes and the dialog command its record is named after.
struct TFastInsert {
  int command;
  int recordedAs;
  TNotatedItem* (*make)(int value);
  int value;
};

TNotatedItem* MakeClef(int clef) { return new TClefData(clef); }
TNotatedItem* MakeTime(int code) {
  // beats * 16 + beat value code, or a style for the two symbols
  if (code == TTimeSignatureData::tsCommonTime || code == TTimeSignatureData::tsAllaBreve)
    return new TTimeSignatureData(4, 2, code);
  return new TTimeSignatureData(code >> 4, code & 0x0F);
}
TNotatedItem* MakeDynamic(int level) { return new TDynamicLevelData(level); }
TNotatedItem* MakeTempoVariance(int style) { return new TTempoVariance(style); }
TNotatedItem* MakePedal(int state) { return new TSustainPedal(state); }

constexpr TFastInsert kFastInserts[] = {
    {CM_FAST_TREBLE, CM_INS_CLEF, MakeClef, clTreble},
    {CM_FAST_BASS, CM_INS_CLEF, MakeClef, clBass},
    {CM_FAST_ALTO, CM_INS_CLEF, MakeClef, clAlto},
    {CM_FAST_44, CM_INS_TIMESIG, MakeTime, 4 << 4 | 2},
    {CM_FAST_34, CM_INS_TIMESIG, MakeTime, 3 << 4 | 2},
    {CM_FAST_68, CM_INS_TIMESIG, MakeTime, 6 << 4 | 3},
    {CM_FAST_COMMON, CM_INS_TIMESIG, MakeTime, TTimeSignatureData::tsCommonTime},
    {CM_FAST_ALLABREVE, CM_INS_TIMESIG, MakeTime, TTimeSignatureData::tsAllaBreve},
    {CM_FAST_PPP, CM_INS_DYNAMIC, MakeDynamic, 0},
    {CM_FAST_PP, CM_INS_DYNAMIC, MakeDynamic, 1},
    {CM_FAST_P, CM_INS_DYNAMIC, MakeDynamic, 2},
    {CM_FAST_MP, CM_INS_DYNAMIC, MakeDynamic, 3},
    {CM_FAST_MF, CM_INS_DYNAMIC, MakeDynamic, 4},
    {CM_FAST_F, CM_INS_DYNAMIC, MakeDynamic, 5},
    {CM_FAST_FF, CM_INS_DYNAMIC, MakeDynamic, 6},
    {CM_FAST_FFF, CM_INS_DYNAMIC, MakeDynamic, 7},
    {CM_FAST_FERMATA, CM_INS_TEMPOVARIANCE, MakeTempoVariance, TTempoVariance::tvFermata},
    {CM_FAST_BREATH, CM_INS_TEMPOVARIANCE, MakeTempoVariance, TTempoVariance::tvBreathMark},
    {CM_FAST_PEDALDOWN, CM_INS_PEDAL, MakePedal, 1},
    {CM_FAST_PEDALUP, CM_INS_PEDAL, MakePedal, 0},
};

const TFastInsert* FindFastInsert(int command) {
  for (const TFastInsert& f : kFastInserts)
    if (f.command == command) return &f;
  return nullptr;
}

}  // namespace

bool TNoteEntry::IsFastInsert(int command) { return FindFastInsert(command) != nullptr; }

TEntryResult TNoteEntry::FastInsert(int command) {
  const TFastInsert* f = FindFastInsert(command);
  if (!f) return TEntryResult::Refused;
  return InsertItem(f->make(f->value), f->recordedAs);
}

bool TNoteEntry::HasRoom(int adding) const {
  const TMusicStaff* staff = edit_.CurrentStaff();
  return staff && staff->FreeItemSlots() >= adding;
}

TStaffRange TNoteEntry::SelectionRange() const {
  return TStaffRange(edit_.CurrentStaff(), edit_.GetSelectionStart(), edit_.GetSelectionEnd());
}

TMusicNote* TNoteEntry::MakeNote(int position) const {
  const TNoteToolState& s = tools_.State();
  auto* note = new TMusicNote(position, ToolDuration(s), s.accidental);
  note->SetAttributeWord(ToolAttributes(s));
  note->SetStemDirection(s.stem);
  return note;
}

TEntryResult TNoteEntry::InsertItem(TNotatedItem* item, TUndoKind kind, int command) {
  return Insert(item, kind, command, true);
}

TEntryResult TNoteEntry::InsertCopy(const TNotatedItem& item, int command, bool placed) {
  return Insert(CloneNotatedItem(&item), TUndoKind::Items, command, placed);
}

TEntryResult TNoteEntry::Insert(TNotatedItem* item, TUndoKind kind, int command, bool placed) {
  if (item && placed) PlaceNewItem(edit_.Score(), edit_.Place().staff, edit_.GetCaretIndex(), *item);
  if (!HasRoom(1)) {
    delete item;
    return TEntryResult::NoRoom;
  }
  return edit_.InsertItemAtCaret(item, kind, command) ? TEntryResult::Done : TEntryResult::Refused;
}

TEntryResult TNoteEntry::InsertNote(int position) {
  const TEntryResult r = InsertItem(MakeNote(position), CM_INSERTNOTE);
  if (r == TEntryResult::Done) tools_.AfterInsert(true, persistent_);
  return r;
}

TEntryResult TNoteEntry::InsertRest() {
  const TNoteToolState& s = tools_.State();
  auto* rest = new TRestNote(ToolDuration(s));
  rest->SetAttributeWord(ToolAttributes(s));
  rest->SetStemDirection(s.stem);
  const TEntryResult r = InsertItem(rest, CM_INSERTREST);
  if (r == TEntryResult::Done) tools_.AfterInsert(false, persistent_);
  return r;
}

TEntryResult TNoteEntry::InsertBarLine() { return InsertItem(new TBarLineData(TBarLineData::blSingle), CM_INSERTBARLINE); }

TEntryResult TNoteEntry::AutoBeamStaff() {
  TMusicStaff* staff = edit_.CurrentStaff();
  if (!staff || !edit_.RecordUndo(TUndoKind::StaffContent, CM_AUTOBEAM, 0)) return TEntryResult::Refused;
  // Compound meters beam by their dotted beats: six eighths of 6/8 in two groups of three.
  staff->AutoBeam(true);
  staff->SetChanged(true);
  RunStaffAudit(staff, -1, -1);
  return TEntryResult::Done;
}

TEntryResult TNoteEntry::AddChordMember(int position) {
  TMusicStaff* staff = edit_.CurrentStaff();
  if (!staff || edit_.HasSelection()) return TEntryResult::Refused;
  const int target = edit_.GetCaretIndex() - 1;
  // At the start of a staff the item before the caret is the leading sentinel: nothing to join.
  if (target < 1 || !NtnAsSongNote(staff->GetItem(target))) return TEntryResult::Refused;
  if (!edit_.RecordUndo(TUndoKind::Items, CM_CHORDMEMBER, 0)) return TEntryResult::Refused;
  TMusicNote* note = MakeNote(position);
  if (!staff->MergeIntoChord(note, target)) {
    delete note;
    edit_.DiscardLastRecord();
    return TEntryResult::Refused;
  }
  staff->SetChanged(true);
  RunStaffAuditAround(staff, target, target);
  tools_.AfterInsert(true, persistent_);
  return TEntryResult::Done;
}

TEntryResult TNoteEntry::RemoveChordNote(int position) {
  TMusicStaff* staff = edit_.CurrentStaff();
  if (!staff || edit_.HasSelection()) return TEntryResult::Refused;
  const int target = edit_.GetCaretIndex() - 1;
  if (target < 1 || target >= staff->LastIndex()) return TEntryResult::Refused;
  const TNotatedItem* item = staff->GetItem(target);
  // Only a chord (or rest chord) with a head there loses it: a lone note is no chord.
  const int type = NtnType(item);
  if ((type != ntChord && type != ntRestChord) || !const_cast<TNotatedItem*>(item)->FindNoteAtPosition(position))
    return TEntryResult::Refused;
  if (!edit_.RecordUndo(TUndoKind::Internal, static_cast<int>(TUndoInternal::RemoveChordNote), 0))
    return TEntryResult::Refused;
  TMusicNote* head = staff->RemoveFromChord(target, position);
  if (!head) {
    edit_.DiscardLastRecord();
    return TEntryResult::Refused;
  }
  delete head;
  return TEntryResult::Done;
}

TEntryResult TNoteEntry::ChangeSelection(bool (*change)(TStaffRange&, int), int value) {
  if (!edit_.HasSelection()) return TEntryResult::Refused;
  const int count = edit_.GetSelectionEnd() - edit_.GetSelectionStart() + 1;
  if (!edit_.RecordUndo(TUndoKind::Internal, kChangeSelection, count)) return TEntryResult::Refused;
  TStaffRange range = SelectionRange();
  if (!change(range, value)) {
    edit_.DiscardLastRecord();
    return TEntryResult::Refused;
  }
  edit_.CurrentStaff()->SetChanged(true);
  tools_.ShowSelection(SelectionRange());
  return TEntryResult::Done;
}

TEntryResult TNoteEntry::SetSelectionDuration(int durationClass) {
  return ChangeSelection(SetDurationOf, durationClass);
}

TEntryResult TNoteEntry::ApplyToSelection(int command) {
  if (!edit_.HasSelection()) return TEntryResult::Refused;
  if (command == CM_LONGER) return ChangeSelection(StepDurationOf, 1);
  if (command == CM_SHORTER) return ChangeSelection(StepDurationOf, -1);
  const TToolCommand tool = FindToolCommand(command);
  const TNoteToolState& s = tools_.State();
  switch (tool.kind) {
    case TToolKind::Duration:
      if (tool.value == s.duration) return TEntryResult::Done;  // already so: nothing to record
      return ChangeSelection(SetDurationOf, tool.value);
    case TToolKind::Accidental:
      return ChangeSelection(SetAccidentalOf, tool.value == s.accidental ? acNone : tool.value);
    case TToolKind::Stem:
      return ChangeSelection(SetStemOf, tool.value == s.stem ? stAuto : tool.value);
    case TToolKind::Attribute: {
      // Ask before recording, so that a refusal leaves no record.
      bool anySet;
      if (!SelectionRange().GetAttributeState(tool.value, anySet)) return TEntryResult::Refused;
      return ChangeSelection(ToggleAttributeOf, tool.value);
    }
    case TToolKind::Group: {
      const int kind = tool.value == kGroupBeam ? kNtnGroupBeam : kNtnGroupTriplet;
      const TStaffRange range = SelectionRange();
      if (!range.AnyInGroup(kind) && !range.CanGroup(kind)) return TEntryResult::Refused;
      return ChangeSelection(ToggleGroupOf, kind);
    }
    case TToolKind::None:
      break;
  }
  return TEntryResult::Refused;
}

void TNoteEntry::FollowSelection() {
  if (edit_.HasSelection() && edit_.CurrentStaff()) {
    tools_.ShowSelection(SelectionRange());
  } else {
    tools_.EndSelection();
  }
}
