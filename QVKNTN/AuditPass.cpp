#include "QVKNTN/AuditPass.h"
#include "QVKNTN/EditorLine.h"
#include <algorithm>
#include <atomic>
#include "foundation/QVBusyCursor.h"
#include "QVKNTN/AuditCheckpoints.h"
#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/RelNtnIdx.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/TempoVariance.h"

namespace {

using Slot = TNeighborhoodNtnIdx::Slot;

// A score reader may audit its staves on a worker thread.
// Bumped by the loader's audit worker too: a line of its own, away from what the reader writes.
alignas(64) std::atomic<long long> gRangesAudited{0};

// Every look-around goes through a plain cursor, so the walk costs stay countable.

// Sum of the durations of items a..b-1.
long TicksBetween(TMusicStaff* staff, int a, int b) {
  long sum = 0;
  for (TSimpleNtnIdx probe(staff, a); probe.GetIndex() < b; probe.Next()) sum += NtnDuration(probe.Current());
  return sum;
}

// --- writes to items behind the cursor ---
// The audit rewrites a few items it has already passed: a rest's explicit length in the bar just
// walked, the ramp of a tempo or dynamic variance any distance back. Saved cursors past such an
// item counted it as it was, so they go when the write changes it.

struct TDerivedState {
  long a = 0, b = 0, c = 0, d = 0;
  bool operator==(const TDerivedState&) const = default;
};

TDerivedState DerivedStateOf(TNotatedItem* item) {
  if (const TRestNote* rest = item ? item->AsRest() : nullptr)
    return {rest->HasExplicitLength() ? 1 : 0, rest->GetExplicitLength()};
  switch (NtnType(item)) {
    case ntTempoVariance: {
      const auto* v = static_cast<const TTempoVariance*>(item);
      return {v->GetStartTempo(), v->GetEndTempo(), v->GetLength()};
    }
    case ntDynamicVariance: {
      const auto* v = static_cast<const TDynamicVariance*>(item);
      return {v->GetTargetVelocity(), v->GetStartVolume(), v->GetEndVolume(), v->GetLength()};
    }
    default:
      return {};
  }
}

// What an item adds to a counting walk (the view's line cursor).
struct TWalkCounts {
  explicit TWalkCounts(const TNotatedItem* item) { TRelNtnIdx::CountsOf(item, ticks, bars, syllables); }
  bool operator==(const TWalkCounts&) const = default;
  long ticks;
  int bars, syllables;
};

template <class Write>
void WriteBehind(TMusicStaff* staff, int i, Write write) {
  TNotatedItem* item = staff->GetItem(i);
  const TDerivedState before = DerivedStateOf(item);
  write(item);
  if (!(DerivedStateOf(item) == before)) staff->TouchItems(i);
}

bool SongNoteFollowsBeforeNextBar(TMusicStaff* staff, int bar) {
  TSimpleNtnIdx probe(staff, bar);
  while (probe.CanStep(1)) {
    probe.Next();
    if (NtnType(probe.Current()) == ntBarLine) return false;
    if (NtnAsSongNote(probe.Current())) return true;
  }
  return false;
}

bool IsPlainWholeRest(const TNotatedItem* item) {
  if (NtnType(item) != ntRest && NtnType(item) != ntRestChord) return false;
  if (NtnHasHeads(item)) return false;
  const TSongNote* rest = NtnAsSongNote(item);
  return NtnDurationCode(rest) == 0 && !NtnHasAttr(rest, naDotted) && !NtnHasAttr(rest, naDoubleDotted) &&
         NtnGroupState(rest, kNtnGroupTriplet) == 0;
}

void AuditBarLine(TAuditNtnIdx& index) {
  TMusicStaff* staff = index.GetStaff();
  TNotatedItem* bar = index.Current();
  NtnSetEmptyBar(bar, !SongNoteFollowsBeforeNextBar(staff, index.GetIndex()));
  const int lastNote = index.GetLast(TNeighborhoodNtnIdx::kLastNote);
  const int lastBar = index.GetLast(TNeighborhoodNtnIdx::kLastBar);
  if (lastNote <= lastBar || lastNote == 0) return;
  if (!NtnIsRest(staff->GetItem(lastNote))) return;
  // A whole rest alone in its bar fills the bar, whatever the time signature.
  const bool fillsBar = index.GetLast(TNeighborhoodNtnIdx::kBeforeLastNote) <= lastBar;
  WriteBehind(staff, lastNote, [&](TNotatedItem* rest) {
    NtnClearRestExplicitLength(rest);
    if (!fillsBar || !IsPlainWholeRest(rest)) return;
    int beats, code;
    index.GetTimeSig(beats, code);
    NtnSetRestExplicitLength(rest, beats, code);
  });
}

void AuditTempo(TAuditNtnIdx& index) {
  TMusicStaff* staff = index.GetStaff();
  const int previous = index.GetLast(TNeighborhoodNtnIdx::kLastTempo);
  const int variance = index.GetLast(TNeighborhoodNtnIdx::kLastGradualTempoVariance);
  if (previous <= 0 || variance <= previous) return;
  const long length = TicksBetween(staff, variance, index.GetIndex());
  const int startTempo = NtnTempoQuarters(staff->GetItem(previous));
  const int endTempo = NtnTempoQuarters(index.Current());
  if (length == 0 || startTempo == endTempo) return;
  WriteBehind(staff, variance, [&](TNotatedItem* v) { NtnSetTempoRamp(v, startTempo, endTempo, length); });
}

void AuditDynamic(TAuditNtnIdx& index) {
  TMusicStaff* staff = index.GetStaff();
  TNotatedItem* dynamic = index.Current();
  if (!NtnDynamicVelocityOverridden(dynamic))
    NtnSetDynamicVelocity(dynamic, TMusicStaff::VelocityForDynamic(NtnDynamicLevel(dynamic)));
  if (!NtnDynamicVolumeOverridden(dynamic)) NtnSetDynamicVolume(dynamic, kNtnNoVolume);

  const int previous = index.GetLast(TNeighborhoodNtnIdx::kLastDynamic);
  const int variance = index.GetLast(TNeighborhoodNtnIdx::kLastDynamicVariance);
  if (variance <= previous) return;
  TNotatedItem* ramp = staff->GetItem(variance);
  if (NtnDynamicVarianceStyle(ramp) > kNtnLastRampingDynamicStyle) return;
  long length = TicksBetween(staff, variance, index.GetIndex());
  if (length == 0) return;
  const int target = NtnDynamicVelocity(dynamic);
  int startVolume = previous > 0 ? NtnDynamicVolume(staff->GetItem(previous)) : kNtnNoVolume;
  const int endVolume = NtnDynamicVolume(dynamic);
  if (startVolume >= 128 || endVolume >= 128 || startVolume == endVolume) {
    startVolume = kNtnNoVolume;
    if (target == 0) length = 0;
  }
  WriteBehind(staff, variance, [&](TNotatedItem* v) { NtnSetDynamicRamp(v, target, startVolume, endVolume, length); });
}

bool GroupChecksOut(TMusicStaff* staff, int first, int kind);

// The ticks a group member adds to its group's sum. A rest's explicit length does not outlive this
// audit (every member is followed in its bar by a song note or a bar line, and neither lets a rest
// in a group keep one), so its written value counts.
long MemberTicks(const TNotatedItem* item) {
  const TSongNote* note = NtnAsSongNote(item);
  if (note && NtnIsRest(item)) return note->TSongNote::GetDuration();
  return NtnDuration(item);
}

// What this audit will leave of the triplet states of the song notes after a note whose own state
// is settled: a middle or last member keeps its state only inside an open triplet, a first only
// outside one and when its group checks out. A beam's check compares its members' triplet states
// with these, so a beam kept now is not broken by the next audit.
class TTripletForecast {
public:
  TTripletForecast(TMusicStaff* staff, int settledState)
      : staff_(staff), open_(settledState == kNtnGroupFirst || settledState == kNtnGroupMiddle) {}
  // Song notes of the group's grace state, in order.
  bool InTriplet(int index, const TSongNote* note) {
    int state = NtnGroupState(note, kNtnGroupTriplet);
    if (state == kNtnGroupMiddle || state == kNtnGroupLast) {
      if (!open_) state = kNtnGroupNone;
    } else if (state == kNtnGroupFirst) {
      if (open_ || !GroupChecksOut(staff_, index, kNtnGroupTriplet)) state = kNtnGroupNone;
    }
    open_ = state == kNtnGroupFirst || state == kNtnGroupMiddle;
    return state != kNtnGroupNone;
  }

private:
  TMusicStaff* staff_;
  bool open_;
};

// Checks a group forward from its first member: every item groupable, members alike, middles
// until one last member; a triplet's members must add up to whole multiples of 12 ticks.
bool GroupChecksOut(TMusicStaff* staff, int first, int kind) {
  TSimpleNtnIdx probe(staff, first);
  const TSongNote* head = probe.AsSongNote();
  const int grace = NtnGrace(head);
  const bool inTriplet = NtnGroupState(head, kNtnGroupTriplet) != 0;
  const int stem = NtnStemCode(head);
  TTripletForecast triplets(staff, NtnGroupState(head, kNtnGroupTriplet));
  long sum = MemberTicks(probe.Current());
  while (probe.CanStep(1)) {
    probe.Next();
    const TNotatedItem* item = probe.Current();
    if (!TSimpleNtnIdx::IsGroupableItem(item, grace, kind == kNtnGroupTriplet)) return false;
    const TSongNote* note = NtnAsSongNote(item);
    if (!note || NtnGrace(note) != grace) continue;
    // Every song note moves the triplet forecast on, rests included.
    const bool memberInTriplet = kind == kNtnGroupBeam ? triplets.InTriplet(probe.GetIndex(), note)
                                                       : NtnGroupState(note, kNtnGroupTriplet) != 0;
    if (kind == kNtnGroupBeam && !NtnAsNoteOrChord(item)) continue;
    if (memberInTriplet != inTriplet) return false;
    if (kind == kNtnGroupBeam && NtnStemCode(note) != stem) return false;
    sum += MemberTicks(item);
    const int state = NtnGroupState(note, kind);
    if (state == kNtnGroupMiddle) continue;
    if (state != kNtnGroupLast) return false;
    return kind == kNtnGroupBeam || sum % 12 == 0;
  }
  return false;
}

void AuditSongNote(TAuditNtnIdx& index) {
  TMusicStaff* staff = index.GetStaff();
  const int lastNote = index.GetLast(TNeighborhoodNtnIdx::kLastNote);
  if (lastNote > index.GetLast(TNeighborhoodNtnIdx::kLastBar) && lastNote > 0) {
    if (NtnIsRest(staff->GetItem(lastNote))) WriteBehind(staff, lastNote, NtnClearRestExplicitLength);
  }
  TNotatedItem* item = index.Current();
  TSongNote* note = NtnAsSongNote(item);
  const int open = index.GetOpenGroups(NtnGrace(note));
  // Triplets first: a beam's check compares its members' triplet states, so this note's own must
  // already be settled, or a beam kept now would be broken by the next audit.
  for (int kind = kNtnGroupTriplet; kind >= kNtnGroupBeam; --kind) {
    if (kind == kNtnGroupBeam && !NtnAsNoteOrChord(item)) continue;
    const int state = NtnGroupState(note, kind);
    if (state == kNtnGroupNone) continue;
    const bool groupOpen = open & (kind == kNtnGroupBeam ? TAuditNtnIdx::kOpenBeam : TAuditNtnIdx::kOpenTriplet);
    bool broken;
    if (state == kNtnGroupFirst) broken = groupOpen || !GroupChecksOut(staff, index.GetIndex(), kind);
    else broken = !groupOpen;
    if (broken) NtnSetGroupState(note, kind, kNtnGroupNone);
  }
}

void AuditItemKind(TAuditNtnIdx& index) {
  TNotatedItem* item = index.Current();
  switch (NtnType(item)) {
    case ntBarLine: AuditBarLine(index); return;
    case ntTempo: AuditTempo(index); return;
    case ntDynamicLevel: AuditDynamic(index); return;
    case ntTempoVariance: NtnSetTempoRampLength(item, 0); return;
    case ntDynamicVariance: NtnSetDynamicRampLength(item, 0); return;
    default: break;
  }
  if (NtnAsSongNote(item)) AuditSongNote(index);
}

// --- the layout-facing state: slurs, ties, key memory ---

void PrepareSlur(TSongNote* note, const TStaffContext& context) {
  NtnSetAttr(note, naSlurIn, false);
  if (context.InSlur()) {
    NtnSetAttr(note, naSlurIn, true);
    if (!NtnHasAttr(note, naSlurDirGiven)) NtnSetSlurDown(note, context.GetSlurDirection() != 0);
  } else if (NtnHasAttr(note, naSlurOut) && !NtnHasAttr(note, naSlurDirGiven)) {
    const int sign = NtnStemSign(note);
    NtnSetSlurDown(note, NtnHasSplitStems(note) ? sign <= 0 : sign >= 0);
  }
}

void PrepareHead(TMusicNote* head, const TStaffContext& context) {
  const bool member = NtnHasAttr(head, naChordMember);
  if (!member) PrepareSlur(head, context);
  const int p = NtnHeadPosition(head);
  const bool in0 = context.TieSet(0).Test(p), in1 = context.TieSet(1).Test(p);
  NtnSetAttr(head, naTieIn, in0 || in1);
  const bool fixed = NtnHasAttr(head, naTieDirGiven);
  if (in0 || in1) {
    const int set = in0 && in1 ? (NtnStemSign(head) >= 0 ? 0 : 1) : (in1 ? 1 : 0);
    if (!fixed) NtnSetTieDown(head, set == 1);
  } else if (NtnHasAttr(head, naTieOut) && !member && !fixed) {
    NtnSetTieDown(head, NtnStemSign(head) >= 0);
  }
}

void PrepareNoteBearing(TMusicNote* part, const TStaffContext& context) {
  if (!part) return;
  if (NtnType(part) == ntChord) {
    PrepareSlur(part, context);
    for (int h = 0; h < NtnHeadCount(part); ++h) PrepareHead(NtnHead(part, h), context);
    NtnSync(part);
  } else {
    PrepareHead(part, context);
  }
}

void PrepareLayoutState(TAuditNtnIdx& index) {
  TNotatedItem* item = index.Current();
  const TStaffContext& context = index.Context();
  switch (NtnType(item)) {
    case ntNote:
    case ntChord:
      PrepareNoteBearing(NtnAsNoteOrChord(item), context);
      return;
    case ntRest:
      PrepareSlur(NtnAsSongNote(item), context);
      return;
    case ntRestChord: {
      TSongNote* rest = NtnAsSongNote(item);
      PrepareSlur(rest, context);
      TMusicNote* part = NtnNoteBearingPart(item);
      PrepareNoteBearing(part, context);
      if (!part) return;
      for (int h = 0; h < NtnHeadCount(part); ++h) {
        TMusicNote* head = NtnHead(part, h);
        if (NtnHasAttr(head, naTieDirGiven)) continue;
        if (NtnHasAttr(head, naTieOut) && !NtnHasAttr(head, naTieIn)) NtnSetTieDown(head, NtnStemSign(part) < 0);
      }
      return;
    }
    case ntKey:
      NtnSetKeyMemory(item, context.GetClef(), context.GetKeyFlats(), context.GetKeySharps());
      return;
    default:
      return;
  }
}

// The index of the count-th bar line before (dir < 0) or after (dir > 0) i, or the staff's end.
int BarLinesAway(TMusicStaff* staff, int i, int dir, int count) {
  TSimpleNtnIdx probe(staff, i);
  for (int seen = 0; seen < count && probe.FindType(ntBarLine, dir); ++seen) {}
  return probe.GetIndex();
}

// The bar line at i or the nearest one before (dir < 0) or after (dir > 0).
int BarLineAtOrNear(TMusicStaff* staff, int i, int dir) {
  TSimpleNtnIdx probe(staff, i);
  if (NtnType(probe.Current()) != ntBarLine) probe.FindType(ntBarLine, dir);
  return probe.GetIndex();
}

// The context only builds forwards: the cursor starts from the nearest saved place before start
// (or the top of the staff) and saves its state at bar lines on the way up.
void WalkUpTo(TAuditNtnIdx& index, int start) {
  TAuditCheckpoints& saved = index.GetStaff()->AuditCheckpoints();
  saved.RestoreBefore(index, start);
  while (index.GetIndex() < start && index.CanStep(1)) {
    index.Next();
    if (NtnType(index.Current()) == ntBarLine) saved.Offer(index);
  }
}

}  // namespace

void AuditItemStep(TAuditNtnIdx& index) {
  if (!index.Current()) return;
  AuditItemKind(index);
  PrepareLayoutState(index);
}

long long AuditRangesRun() { return gRangesAudited; }

void AuditItemRange(const TStaffRange& range) {
  TMusicStaff* staff = range.GetStaff();
  if (!staff || !range.IsValid()) return;
  ++gRangesAudited;
  const int lastIndex = staff->LastIndex();
  const int start = BarLineAtOrNear(staff, std::max(range.GetFirst() - 1, 0), -1);
  const int end = BarLineAtOrNear(staff, std::min(range.GetLast(), lastIndex), 1);
  // Everything after start may be rewritten: the cursors saved there no longer hold. Other kept
  // cursors only count durations, bars and syllables; they hear of the items whose counts change.
  staff->AuditCheckpoints().DropAfter(start);
  TAuditNtnIdx index(staff);
  WalkUpTo(index, start);
  TAuditCheckpoints& saved = staff->AuditCheckpoints();
  saved.MarkWalk();
  while (index.CanStep(1) && index.GetIndex() < end) {
    index.Next();
    // Saved before the bar line's own fix-up: a fix-up that changes the bar before drops it again.
    if (NtnType(index.Current()) == ntBarLine && !saved.ChangedBehind(index.GetIndex())) saved.Offer(index);
    const TWalkCounts before(index.Current());
    AuditItemStep(index);
    if (!(TWalkCounts(index.Current()) == before)) staff->TouchCounts(index.GetIndex());
  }
}

void AuditStaff(TMusicStaff* staff, int a, int b) {
  if (!staff) return;
  const int lastIndex = staff->LastIndex();
  if (a < 0) a = 0;
  if (b < 0) b = lastIndex;
  TStaffRange range(staff, a, b);
  range.ExpandToBars();
  AuditItemRange(range);
  if (a == 0 && b >= lastIndex) staff->SetChanged(false);
}

void AuditStaffAround(TMusicStaff* staff, int a, int b) {
  if (!staff) return;
  if (a < 0) a = 0;
  if (b < 0) b = a;
  const int lastIndex = staff->LastIndex();
  if (a > lastIndex) a = lastIndex;
  if (b > lastIndex) b = lastIndex;
  AuditItemRange(TStaffRange(staff, BarLinesAway(staff, a, -1, 2), BarLinesAway(staff, b, 1, 2)));
}

void AuditScoreStaves(TMusicScore* score, bool all) {
  if (!score) return;
  TQVBusyCursor busy;
  for (int i = 0; i < score->StaffCount(); ++i) {
    TMusicStaff* staff = score->GetStaff(i);
    // The earlier line keeps no changed flag worth trusting: it audits every staff each time.
    if (staff && (all || kEarlierLine || staff->IsChanged())) AuditStaff(staff, -1, -1);
  }
}

void InstallAuditPass() {
  TScoreAuditHooks hooks;
  hooks.auditScore = [](TMusicScore* score, int all) { AuditScoreStaves(score, all != 0); };
  hooks.auditStaff = AuditStaff;
  hooks.auditStaffAround = AuditStaffAround;
  hooks.auditItems = [](TMusicStaff* staff, int first, int last) { AuditItemRange(TStaffRange(staff, first, last)); };
  SetScoreAuditHooks(hooks);
}
