// Walks over a staff's pitches: accidental resolution and audit, chord clashes, transposition,
// and cutting the staff off at a tick.
#include <cstdlib>

#include "QVKNTN/ChordData.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/TransposeNtnIdx.h"

namespace {

// Calls visit(cursor) for every item from index 0, with the context as it stands before the item.
template <class Cursor, class Visit>
void WalkWith(Cursor& at, Visit visit) {
  for (;;) {
    if (at.Current()) visit(at);
    if (!at.CanStep(1)) return;
    at.Next();
  }
}

// Chords whose outer heads share a position on opposite stems are written unisons: no clash.
bool IsSplitUnison(TMusicNote* chord) {
  const TMusicNote* first = chord->GetFirstNote();
  const TMusicNote* last = chord->GetLastNote();
  return first && last && first != last && first->GetPosition() == last->GetPosition() &&
         first->GetStemCode() != last->GetStemCode();
}

bool HeadsClash(TMusicNote* chord, const TStaffContext& context) {
  const int heads = chord->GetNoteCount();
  bool previousClose = false;
  for (int h = 1; h < heads; ++h) {
    const TMusicNote* lower = chord->GetNote(h - 1);
    const TMusicNote* upper = chord->GetNote(h);
    const int apart = std::abs(upper->GetPitch(context) - lower->GetPitch(context));
    if (apart == 0) return true;
    const bool close = apart <= 1;
    if (close && (previousClose || lower->HasAttribute(naTieOut) || upper->HasAttribute(naTieOut))) return true;
    previousClose = close;
  }
  return false;
}

}  // namespace

void TMusicStaff::ResolveAccidentals(bool resolve) {
  TouchItems(0);
  TAuditNtnIdx at(this);
  WalkWith(at, [resolve](TAuditNtnIdx& a) { a.Current()->ResolveAccidental(a.Context(), resolve); });
}

void TMusicStaff::AuditAccidentals() {
  TouchItems(0);
  ResolveAccidentals(true);
  TTransposeNtnIdx at(this, 0, 0);
  WalkWith(at, [](TTransposeNtnIdx& a) {
    if (TSongNote* note = a.AsSongNote()) note->RespellForKey(a.Context());
  });
  ResolveAccidentals(false);
  changed_ = true;
}

int TMusicStaff::FindChordClash(int from) {
  int found = 0;
  TAuditNtnIdx at(this);
  for (;;) {
    TMusicNote* chord = at.AsNoteOrChord();
    if (at.GetIndex() >= from && chord && chord->GetNoteCount() > 1 && !IsSplitUnison(chord) &&
        HeadsClash(chord, at.Context())) {
      found = at.GetIndex();
      break;
    }
    if (!at.CanStep(1)) break;
    at.Next();
  }
  return found;
}

int TMusicStaff::FindUntransposable(int interval, int after) {
  TTransposeNtnIdx at(this, interval, 0);
  for (;;) {
    // Every item is asked, so key signatures before `after` still move the shift.
    const bool can = at.CanTransposeCurrent();
    if (!can && at.GetIndex() > after) return at.GetIndex();
    if (!at.CanStep(1)) return 0;
    at.Next();
  }
}

void TMusicStaff::Transpose(int interval, int preference) {
  TouchItems(0);
  ResolveAccidentals(true);
  TTransposeNtnIdx at(this, interval, preference);
  WalkWith(at, [](TTransposeNtnIdx& a) { a.TransposeCurrent(); });
  ResolveAccidentals(false);
  changed_ = true;
}

void TMusicStaff::TruncateAtTick(long tick) {
  TouchItems(0);
  // Below a quarter note there is nothing sensible to keep.
  if (tick < kTicksPerQuarter) return;
  const int at = SeekTick(tick, 0, 0);
  if (at < 1 || at >= LastIndex()) return;
  DeleteItems(at, LastIndex() - 1);
  RunStaffAuditAround(this, at - 1, -1);
}
