// Automatic beaming: within each beat, runs of flagged notes and chords become beam groups;
// then runs of grace notes. Groups are made without their own audit; the staff is audited once.
// The earlier line counts runs back from the beat's last item, stops them at rests and grace
// notes, and has no pass for grace notes.
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/NtnHelpers.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"

namespace {

bool IsBeamable(const TNotatedItem* item) {
  const TMusicNote* note = NtnAsNoteOrChord(item);
  return note && NtnGrace(note) == 0 && NtnGroupState(note, kNtnGroupBeam) == 0 && NtnFlagCount(note) > 0;
}

bool IsNormalNoteOrChord(const TNotatedItem* item) {
  const TMusicNote* note = NtnAsNoteOrChord(item);
  return note && NtnGrace(note) == 0;
}

// Beams the runs that end from `last` back to `anchor` (both included; the anchor is a bar line,
// a time signature or the first item of the beat, so no run reaches into an earlier beat).
[[maybe_unused]] void BeamRunsBack(TMusicStaff* staff, int last, int anchor) {
  int c = last;
  while (c >= anchor) {
    if (!IsBeamable(staff->GetItem(c))) {
      --c;
      continue;
    }
    int start = c, members = 1;
    for (int j = c - 1; j >= anchor; --j) {
      const TNotatedItem* item = staff->GetItem(j);
      if (!IsNormalNoteOrChord(item)) continue;  // rests and grace notes are stepped over
      if (!IsBeamable(item)) break;
      start = j;
      ++members;
    }
    if (members >= 2) TStaffRange(staff, start, c).MakeGroupUnaudited(kNtnGroupBeam);
    c = start - 1;
  }
}

// Grace notes that stand together without a group become one beam group.
[[maybe_unused]] void BeamGraceRuns(TMusicStaff* staff) {
  int firstGrace = -1, lastGrace = -1, count = 0;
  const auto flush = [&] {
    if (count >= 2) TStaffRange(staff, firstGrace, lastGrace).MakeGroupUnaudited(kNtnGroupBeam);
    firstGrace = lastGrace = -1;
    count = 0;
  };
  for (int i = 1; i < staff->LastIndex(); ++i) {
    const TNotatedItem* item = staff->GetItem(i);
    const TSongNote* note = NtnAsSongNote(item);
    const bool grouped = note && NtnGroupState(note, kNtnGroupBeam) != 0;
    if (!TSimpleNtnIdx::IsGroupableItem(item, 1, false) || grouped) {
      flush();
      continue;
    }
    if (!note || !NtnGrace(note) || !NtnAsNoteOrChord(item)) continue;
    if (firstGrace < 0) firstGrace = i;
    lastGrace = i;
    ++count;
  }
  flush();
}

[[maybe_unused]] bool IsBeamableEarlier(const TNotatedItem* item) {
  const TMusicNote* note = NtnAsNoteOrChord(item);
  return note && NtnGrace(note) == 0 && NtnGroupState(note, kNtnGroupBeam) == 0 &&
         NtnGroupState(note, kNtnGroupTriplet) == 0 && NtnFlagCount(note) > 0;
}

// The earlier line: triplet members are not beamable, and a run stops at anything else (rests,
// grace notes, grouped notes). Candidates for a run's end go from `last` back to just after the anchor; a run reaches back
// to the anchor at most.
[[maybe_unused]] void BeamRunsBackEarlier(TMusicStaff* staff, int last, int anchor) {
  int c = last;
  while (c > anchor) {
    int start = c;
    while (start - 1 >= anchor && start - 1 >= 1 && IsBeamableEarlier(staff->GetItem(start - 1))) --start;
    if (!IsBeamableEarlier(staff->GetItem(c))) start = c + 1;
    if (c - start + 1 >= 2) {
      TStaffRange(staff, start, c).MakeGroupUnaudited(kNtnGroupBeam);
      c = start - 1;  // the item that stopped the run
    } else {
      --c;
    }
  }
}

}  // namespace

void TMusicStaff::AutoBeam(bool compound) {
  TouchItems(0);
  long beat = NtnBeatTicks(4, 2, compound);
  long sum = 0, boundary = beat;
  int anchor = 0;
  for (int i = 0; i <= LastIndex(); ++i) {
    const TNotatedItem* item = items_[static_cast<size_t>(i)];
    const int type = item->GetType();
    if (type == ntBarLine || type == ntTimeSignature) {
      if (type == ntTimeSignature) beat = NtnTimeSigBeatTicks(item, compound);
      boundary = sum + beat;
      anchor = i;
      continue;
    }
    sum += item->GetDuration();
    if (sum < boundary) continue;
    const int last = (kEarlierLine || sum == boundary) ? i : i - 1;
    boundary += ((sum - boundary) / beat + 1) * beat;  // the first whole beat beyond the sum
    if constexpr (kEarlierLine)
      BeamRunsBackEarlier(this, last, anchor);
    else
      BeamRunsBack(this, last, anchor);
    anchor = i + 1;
  }
  if constexpr (!kEarlierLine) BeamGraceRuns(this);
  changed_ = true;
  RunStaffAudit(this, -1, -1);
}
