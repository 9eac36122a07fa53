// Automatic beaming of the earlier line: when a beat is complete, runs of flagged notes and chords
// that end in it, counted back from its last item, become beam groups. Runs stop at anything
// else: rests, grace notes and notes already grouped. There is no pass for grace notes.
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/NtnHelpers.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"

namespace {

bool IsBeamable(const TNotatedItem* item) {
  const TMusicNote* note = NtnAsNoteOrChord(item);
  return note && NtnGrace(note) == 0 && NtnGroupState(note, kNtnGroupBeam) == 0 &&
         NtnGroupState(note, kNtnGroupTriplet) == 0 && NtnFlagCount(note) > 0;
}

// Candidates for a run's end go from `last` back to just after the anchor; a run reaches back
// to the anchor at most.
void BeamRunsBack(TMusicStaff* staff, int last, int anchor) {
  int c = last;
  while (c > anchor) {
    int start = c;
    while (start - 1 >= anchor && start - 1 >= 1 && IsBeamable(staff->GetItem(start - 1))) --start;
    if (!IsBeamable(staff->GetItem(c))) start = c + 1;
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
    boundary += ((sum - boundary) / beat + 1) * beat;  // the first whole beat beyond the sum
    BeamRunsBack(this, i, anchor);
    anchor = i + 1;
  }
  changed_ = true;
  RunStaffAudit(this, -1, -1);
}
