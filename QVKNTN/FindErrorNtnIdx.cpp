#include "QVKNTN/FindErrorNtnIdx.h"
#include <cstring>
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"

void TFindErrorTable::Clear() {
  std::memset(tie_, 0, sizeof tie_);
  ClearAccidentals();
}

void TFindErrorTable::ClearAccidentals() { std::memset(accidental_, acNone, sizeof accidental_); }

int TFindErrorTable::GetTiePitch(int position) const { return Holds(position) ? tie_[position - kLowest] : 0; }

void TFindErrorTable::SetTiePitch(int position, int pitch) {
  if (Holds(position)) tie_[position - kLowest] = static_cast<uint8_t>(pitch);
}

int TFindErrorTable::GetAccidental(int position) const {
  return Holds(position) ? accidental_[position - kLowest] : static_cast<int>(acNone);
}

void TFindErrorTable::SetAccidental(int position, int code) {
  if (Holds(position)) accidental_[position - kLowest] = static_cast<uint8_t>(code);
}

TFindErrorNtnIdx::TFindErrorNtnIdx() = default;

TFindErrorNtnIdx::TFindErrorNtnIdx(TMusicStaff* staff) : TAuditNtnIdx(staff) {}

TFindErrorNtnIdx::TFindErrorNtnIdx(TMusicStaff* staff, int index) : TAuditNtnIdx(staff) { SetIndex(index); }

void TFindErrorNtnIdx::Reset() {
  TAuditNtnIdx::Reset();
  table_.Clear();
  endingTable_.Clear();
  codaTable_.Clear();
}

void TFindErrorNtnIdx::SaveAtEnding() {
  TAuditNtnIdx::SaveAtEnding();
  endingTable_ = table_;
}

void TFindErrorNtnIdx::RestoreAtEnding() {
  TAuditNtnIdx::RestoreAtEnding();
  table_ = endingTable_;
}

void TFindErrorNtnIdx::SaveAtCoda() {
  TAuditNtnIdx::SaveAtCoda();
  codaTable_ = table_;
}

void TFindErrorNtnIdx::RestoreAtCoda() {
  TAuditNtnIdx::RestoreAtCoda();
  table_ = codaTable_;
}

TNotatedItem* TFindErrorNtnIdx::Next() {
  if (NtnAsSongNote(item_)) {
    const int count = NtnHeadCount(item_);
    for (int i = 0; i < count; ++i) {
      const TMusicNote* head = NtnHead(item_, i);
      const int p = NtnHeadPosition(head);
      const bool tieIn = NtnHasAttr(head, naTieIn), tieOut = NtnHasAttr(head, naTieOut);
      if (!NtnIsMuted(head)) {
        if (tieIn && !tieOut) table_.SetTiePitch(p, 0);
        else if (tieOut && !tieIn) table_.SetTiePitch(p, NtnSoundingPitch(head, Context()));
      }
      const int written = NtnAccidental(head);
      if (written != acNone) table_.SetAccidental(p, written);
    }
  } else if (NtnType(item_) == ntBarLine) {
    table_.ClearAccidentals();
  }
  return TAuditNtnIdx::Next();
}

bool TFindErrorNtnIdx::HasAccidentalConflict() const {
  if (!NtnAsNoteOrChord(item_)) return false;
  const TStaffContext& context = Context();
  const int count = NtnHeadCount(item_);
  for (int i = 0; i < count; ++i) {
    const TMusicNote* head = NtnHead(item_, i);
    if (NtnAccidental(head) != acNone) continue;
    const int p = NtnHeadPosition(head);
    const int letter = NtnLetterAt(context, p);
    const int running = context.GetRunningAccidental(letter);
    const int writtenBefore = table_.GetAccidental(p);
    const int expected = writtenBefore == acNone ? context.GetKeyAccidental(letter) : writtenBefore;
    if (running != expected) return true;
  }
  return false;
}

bool TFindErrorNtnIdx::HasTieConflict() const {
  if (!NtnAsSongNote(item_)) return false;
  const int count = NtnHeadCount(item_);
  for (int i = 0; i < count; ++i) {
    const TMusicNote* head = NtnHead(item_, i);
    if (!NtnHasAttr(head, naTieIn) || NtnHasAttr(head, naTieOut)) continue;
    const int entry = table_.GetTiePitch(NtnHeadPosition(head));
    if (NtnIsMuted(head) ? entry != 0 : NtnSoundingPitch(head, Context()) != entry) return true;
  }
  return false;
}
