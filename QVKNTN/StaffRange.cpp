#include "QVKNTN/StaffRange.h"
#include "QVKNTN/EditorLine.h"
#include <algorithm>
#include <cstdlib>
#include "QVKNTN/AuditPass.h"
#include "QVKNTN/ItemRange.h"
#include "foundation/QXTSizerStream.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnHelpers.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/NtnPrecondition.h"
#include "QVKNTN/SimpleNtnIdx.h"

namespace {

// The module and line that the continuation check names when it fails; diagnostics and the
// crash reports of earlier releases use this pair to identify the check.
constexpr const char* kStaffUtlModule = "QVKNTN\\STAFFUTL";
constexpr int kContinuationCheckLine = 290;

bool IsBeamMember(const TNotatedItem* item) { return NtnAsNoteOrChord(item) != nullptr; }

bool IsMemberOfKind(const TNotatedItem* item, int kind) {
  return kind == kNtnGroupBeam ? IsBeamMember(item) : NtnAsSongNote(item) != nullptr;
}

}  // namespace

TStaffRange::TStaffRange(TMusicStaff* staff, int a, int b) {
  SetStaff(staff);
  SetRange(a, b);
}

TStaffRange::TStaffRange(const TSimpleNtnIdx& at) : TStaffRange(at.GetStaff(), at.GetIndex(), at.GetIndex()) {}

TStaffRange::TStaffRange(const TSimpleNtnIdx& from, const TSimpleNtnIdx& to)
    : TStaffRange(from.GetStaff(), from.GetIndex(), to.GetIndex()) {}

TNotatedItem* TStaffRange::At(int i) const { return staff_ ? staff_->GetItem(i) : nullptr; }

TSongNote* TStaffRange::SongNoteAt(int i) const { return NtnAsSongNote(At(i)); }

void TStaffRange::SyncItem(TNotatedItem* item) { NtnSync(item); }

void TStaffRange::MarkChanged() {
  // Item contents changed: the pre-save audit and the modified state must see this staff.
  if (!IsValid()) return;
  staff_->SetChanged();
  // Groups end at bar lines: nothing before the bar line ahead of the range was touched.
  staff_->TouchItems(staff_->FindNextBar(first_, -1));
}

void TStaffRange::Audit() {
  MarkChanged();
  if (IsValid()) AuditItemRange(*this);
}

// --- set-up ----------------------------------------------------------------------------------

void TStaffRange::SetStaff(TMusicStaff* staff) {
  staff_ = staff;
  first_ = 0;
  last_ = staff_ ? staff_->LastIndex() : -1;
}

void TStaffRange::SetRange(int a, int b) {
  const int lo = std::min(a, b), hi = std::max(a, b);
  if (lo < 0) {
    first_ = hi;  // an empty range: last below first
    last_ = lo;
  } else {
    first_ = lo;
    last_ = hi;
  }
  const int limit = staff_ ? staff_->LastIndex() : -1;
  if (last_ > limit) last_ = limit;
}

void TStaffRange::SetToBar(int i) {
  if (!staff_) return;
  int start = std::clamp(i, 0, staff_->LastIndex());
  while (start > 0 && NtnType(At(start)) != ntBarLine) --start;
  int end = start + 1;
  while (end < staff_->LastIndex() && NtnType(At(end)) != ntBarLine) ++end;
  first_ = start;
  last_ = end - 1;
}

void TStaffRange::ExpandToBars() {
  if (!staff_) return;
  if (last_ < 0) last_ = first_;
  const int lastIndex = staff_->LastIndex();
  if (NtnType(At(first_)) != ntBarLine) {
    int i = first_;
    while (i > 0 && NtnType(At(i)) != ntBarLine) --i;
    first_ = std::max(i + 1, 1);
  }
  if (NtnType(At(last_)) != ntBarLine) {
    int i = last_;
    while (i < lastIndex && NtnType(At(i)) != ntBarLine) ++i;
    last_ = std::min(i - 1, lastIndex - 1);
  }
}

// --- queries ---------------------------------------------------------------------------------

bool TStaffRange::GetPositionExtent(int& high, int& low, bool songNotesOnly) const {
  bool any = false;
  for (int i = first_; IsValid() && i <= last_; ++i) {
    const TNotatedItem* item = At(i);
    if (songNotesOnly && !NtnAsSongNote(item)) continue;
    const int h = NtnHighPosition(item), l = NtnLowPosition(item);
    high = any ? std::max(high, h) : h;
    low = any ? std::min(low, l) : l;
    any = true;
  }
  if (!any) high = low = 0;
  return any;
}

void TStaffRange::GetGroupPositionExtent(int kind, int& high, int& low) const {
  high = low = 0;
  if (!IsValid()) return;
  const TSongNote* first = NtnAsSongNote(At(first_));
  const int grace = first ? NtnGrace(first) : 0;
  bool any = false;
  for (int i = first_; i <= last_; ++i) {
    const TNotatedItem* item = At(i);
    if (!TSimpleNtnIdx::IsGroupableItem(item, grace, kind == kNtnGroupTriplet)) break;
    const TMusicNote* note = NtnAsNoteOrChord(item);
    if (!note || NtnGrace(note) != grace) continue;
    const int h = NtnHighPosition(item), l = NtnLowPosition(item);
    high = any ? std::max(high, h) : h;
    low = any ? std::min(low, l) : l;
    any = true;
  }
}

bool TStaffRange::GetCommonForcedStem(int& sign) const {
  sign = 0;
  for (int i = first_; IsValid() && i <= last_; ++i) {
    if (!NtnAsSongNote(At(i))) continue;
    const int forced = TSimpleNtnIdx(staff_, i).GetForcedStemSign();
    if (forced == 0) continue;
    if (sign != 0 && forced != sign) return false;
    if (sign == 0) sign = forced;
  }
  return true;
}

bool TStaffRange::AnyInGroup(int kind) const {
  for (int i = first_; IsValid() && i <= last_; ++i) {
    const TSongNote* note = NtnAsSongNote(At(i));
    if (note && NtnGroupState(note, kind) != 0) return true;
  }
  return false;
}

bool TStaffRange::IsRestRun() const {
  int firstRest = -1, lastRest = -1;
  for (int i = first_; IsValid() && i <= last_; ++i) {
    const TNotatedItem* item = At(i);
    if (NtnHasHeads(item)) return false;
    if (!NtnIsRest(item)) continue;
    if (firstRest < 0) firstRest = i;
    lastRest = i;
  }
  if (firstRest < 0) return false;
  for (int i = firstRest; i <= lastRest; ++i)
    if (!NtnIsRest(At(i))) return false;
  return true;
}

long TStaffRange::SumDurations() const {
  long sum = 0;
  for (int i = first_; IsValid() && i < last_; ++i) sum += NtnDuration(At(i));
  return sum;
}

long TStaffRange::GetSavedSize() const {
  if (!IsValid()) return 0;
  TQXTSizerStream counter;
  WriteItemRange(*staff_, first_, last_, counter);
  return static_cast<long>(counter.Size());
}

bool TStaffRange::GetCommonDuration(int& durationClass) const {
  bool any = false;
  auto agree = [&](int c) {
    if (any && c != durationClass) return false;
    durationClass = c;
    any = true;
    return true;
  };
  for (int i = first_; IsValid() && i <= last_; ++i) {
    const TNotatedItem* item = At(i);
    const TSongNote* note = NtnAsSongNote(item);
    if (!note) continue;
    if (NtnIsRest(item) && !agree(NtnDurationCode(note))) return false;
    const int heads = NtnHeadCount(item);
    if (heads > 0) {
      if (!agree(NtnDurationCode(NtnHead(item, 0)))) return false;
      if (!agree(NtnDurationCode(NtnHead(item, heads - 1)))) return false;
    }
  }
  return any;
}

bool TStaffRange::GetCommonAccidental(int& code) const {
  bool any = false;
  for (int i = first_; IsValid() && i <= last_; ++i) {
    const TNotatedItem* item = At(i);
    for (int h = 0; h < NtnHeadCount(item); ++h) {
      const int a = NtnAccidental(NtnHead(item, h));
      if (any && a != code) return false;
      code = a;
      any = true;
    }
  }
  return any;
}

bool TStaffRange::GetCommonStem(int& code) const {
  if (!IsValid() || CutsGroup(kNtnGroupBeam)) return false;
  bool any = false, mixed = false;
  int common = 0;
  for (int i = first_; i <= last_; ++i) {
    const TNotatedItem* item = At(i);
    const TSongNote* note = NtnAsSongNote(item);
    if (!note) continue;
    if (NtnType(item) == ntRestChord && NtnHasHeads(item)) return false;
    if (NtnHasSplitDurations(note)) return false;
    const int stem = NtnStemCode(note);
    if (any && stem != common) mixed = true;
    common = stem;
    if (stem == 0) mixed = true;
    any = true;
  }
  if (!any) return false;
  code = mixed ? 0 : common;
  return true;
}

bool TStaffRange::EdgeMemberInState(int kind, int from, int dir, int stateA, int stateB) const {
  // Only the first member of each grace state met from this end decides.
  bool seen[2] = {false, false};
  for (int i = from; i >= first_ && i <= last_ && !(seen[0] && seen[1]); i += dir) {
    const TNotatedItem* item = At(i);
    if (!IsMemberOfKind(item, kind)) continue;
    const TSongNote* note = NtnAsSongNote(item);
    const int g = NtnGrace(note);
    if (seen[g]) continue;
    seen[g] = true;
    const int s = NtnGroupState(note, kind);
    if (s == stateA || s == stateB) return true;
  }
  return false;
}

namespace {
// The earlier line's group membership: bit s set for each of the beam and triplet states s.
int MembershipMask(const TSongNote* note) {
  return (1 << NtnGroupState(note, kNtnGroupBeam)) | (1 << NtnGroupState(note, kNtnGroupTriplet));
}
constexpr int kContinuesGroup = (1 << kNtnGroupMiddle) | (1 << kNtnGroupLast);
constexpr int kGoesOn = (1 << kNtnGroupFirst) | (1 << kNtnGroupMiddle);
}  // namespace

bool TStaffRange::CutsGroupEarlier() const {
  const TSongNote* first = nullptr;
  const TSongNote* last = nullptr;
  for (int i = first_; IsValid() && i <= last_; ++i) {
    const TSongNote* note = NtnAsSongNote(At(i));
    if (!note) continue;
    if (!first) first = note;
    last = note;
  }
  if (!first) return false;
  if (MembershipMask(first) & kContinuesGroup) return true;
  return (MembershipMask(last) & kGoesOn) != 0;
}

bool TStaffRange::CutsGroup(int kind) const {
  if (kEarlierLine) return CutsGroupEarlier();
  if (!IsValid()) return false;
  // A group that began before the range, or goes on after it.
  return EdgeMemberInState(kind, first_, 1, kNtnGroupMiddle, kNtnGroupLast) ||
         EdgeMemberInState(kind, last_, -1, kNtnGroupFirst, kNtnGroupMiddle);
}

int TStaffRange::GetStemExtent(int dir) const {
  int extreme = dir * 1000;
  auto keep = [&](int p) { extreme = dir > 0 ? std::min(extreme, p) : std::max(extreme, p); };
  for (int i = first_; IsValid() && i <= last_; ++i) {
    const TNotatedItem* item = At(i);
    const TSongNote* note = NtnAsSongNote(item);
    if (!note) continue;
    keep(dir > 0 ? NtnLowPosition(item) : NtnHighPosition(item));
    const int heads = NtnHeadCount(item);
    if (heads == 0) continue;
    const int p = NtnHeadPosition(NtnHead(item, dir > 0 ? heads - 1 : 0));
    const bool accent = NtnHasAttr(note, naAccent);
    const bool shortMark = NtnHasAttr(note, naStaccato) || NtnHasAttr(note, naTenuto);
    int end;
    if (NtnStemSign(note) == dir) {
      const int durationClass = NtnDurationCode(note);
      int length = 8;
      if (durationClass != 0) {
        length = 8 + NtnFlagCount(NtnAsNoteOrChord(item));
        if (NtnGrace(note)) length /= 2;
      }
      if ((dir > 0 && p > 0) || (dir < 0 && p < 0)) length = std::max(length, std::abs(p) + 1);
      if (durationClass == 0) length = 2;
      if (NtnGroupState(note, kNtnGroupTriplet) != 0) length += 2;
      end = p - dir * length;
      if (accent && shortMark) end -= 2 * dir;
    } else {
      end = p - 2 * dir;
      if (accent != shortMark) end -= 2 * dir;
    }
    keep(end);
  }
  return extreme;
}

// --- grouping --------------------------------------------------------------------------------

bool TStaffRange::ScanGroup(int kind, int& members, long& sum) const {
  members = 0;
  sum = 0;
  if (!IsValid()) return false;
  const TNotatedItem* firstItem = At(first_);
  const TSongNote* first = NtnAsSongNote(firstItem);
  if (!first || (kind == kNtnGroupBeam && !IsBeamMember(firstItem))) return false;
  const int grace = NtnGrace(first);
  const bool inTriplet = NtnGroupState(first, kNtnGroupTriplet) != 0;
  bool lastCounted = false;
  for (int i = first_; i <= last_; ++i) {
    const TNotatedItem* item = At(i);
    if (!TSimpleNtnIdx::IsGroupableItem(item, grace, kind == kNtnGroupTriplet)) return false;
    lastCounted = false;
    const TSongNote* note = NtnAsSongNote(item);
    if (!note || NtnGrace(note) != grace) continue;
    const int triplet = NtnGroupState(note, kNtnGroupTriplet);
    if ((triplet != 0) != inTriplet) return false;
    if (i != last_ && triplet == kNtnGroupLast) return false;
    if (!IsMemberOfKind(item, kind)) continue;
    ++members;
    sum += NtnDuration(item);
    lastCounted = true;
  }
  return lastCounted;
}

bool TStaffRange::CanGroup(int kind) const {
  int members;
  long sum;
  if (!ScanGroup(kind, members, sum) || members < 2) return false;
  int sign;
  if (!GetCommonForcedStem(sign)) return false;
  if (kind == kNtnGroupTriplet && (sum * 2 / 3) % 12 != 0) return false;
  return true;
}

bool TStaffRange::MakeGroup(int kind) {
  if (!MakeGroupUnaudited(kind)) return false;
  Audit();
  return true;
}

bool TStaffRange::MakeGroupUnaudited(int kind) {
  if (!CanGroup(kind)) return false;
  ApplyGroup(kind);
  return true;
}

void TStaffRange::ApplyGroup(int kind) {
  int sign = 0;
  GetCommonForcedStem(sign);
  const TSongNote* first = NtnAsSongNote(At(first_));
  if (sign == 0) sign = NtnStemCode(first) == stUp ? 1 : NtnStemCode(first) == stDown ? -1 : 0;
  if (sign == 0) {
    int high, low;
    GetGroupPositionExtent(kind, high, low);
    if (high == low) sign = high > 0 ? 1 : -1;
    else sign = std::abs(high) - std::abs(low) > 0 ? 1 : -1;
  }
  if (kind == kNtnGroupTriplet) {
    // Beams must not straddle a triplet's edge: rebeam the range as one group.
    ClearGroups(kNtnGroupBeam);
    if (CanGroup(kNtnGroupBeam)) ApplyGroup(kNtnGroupBeam);
  }
  const int grace = NtnGrace(first);
  int lastMember = first_;
  for (int i = first_; i <= last_; ++i)
    if (IsMemberOfKind(At(i), kind) && NtnGrace(NtnAsSongNote(At(i))) == grace) lastMember = i;
  for (int i = first_; i <= last_; ++i) {
    TNotatedItem* item = At(i);
    if (!IsMemberOfKind(item, kind)) continue;
    TSongNote* note = NtnAsSongNote(item);
    if (NtnGrace(note) != grace) continue;
    const int state = i == first_ ? kNtnGroupFirst : i == lastMember ? kNtnGroupLast : kNtnGroupMiddle;
    NtnSetGroupState(note, kind, state);
    if (kind == kNtnGroupBeam) NtnSetStemSign(note, sign);
  }
}

void TStaffRange::Ungroup(int kind) {
  ClearGroups(kind);
  Audit();
}

void TStaffRange::ClearGroups(int kind) {
  if (!IsValid()) return;
  int clearedTo = -1;
  for (int i = first_; i <= last_; ++i) {
    if (i <= clearedTo) continue;
    const TSongNote* note = NtnAsSongNote(At(i));
    if (!note || NtnGroupState(note, kind) == 0) continue;
    const int grace = NtnGrace(note);
    TSimpleNtnIdx walk(staff_, i);
    walk.FindGroupEnd(grace, kind, -1);
    for (;;) {
      TSongNote* member = walk.AsSongNote();
      if (member && NtnGrace(member) == grace) {
        const int state = NtnGroupState(member, kind);
        if (state != 0) NtnSetGroupState(member, kind, 0);
        if (state == kNtnGroupLast && walk.GetIndex() >= i) break;
      }
      if (!walk.CanStep(1)) break;
      const TNotatedItem* next = staff_->GetItem(walk.GetIndex() + 1);
      if (walk.GetIndex() >= i && !TSimpleNtnIdx::IsGroupableItem(next, grace, kind == kNtnGroupTriplet)) break;
      walk.Next();
    }
    clearedTo = walk.GetIndex();
  }
}

// --- attributes, durations, accidentals, stems -----------------------------------------------

namespace {

bool NextNoteSharesAPosition(TMusicStaff* staff, int i, const TNotatedItem* item, bool& noFollower) {
  TSimpleNtnIdx walk(staff, i);
  noFollower = !walk.StepToHeads(1);
  if (noFollower) return false;
  for (int h = 0; h < NtnHeadCount(item); ++h)
    if (NtnHeadAt(walk.Current(), NtnHeadPosition(NtnHead(item, h)))) return true;
  return false;
}

}  // namespace

bool TStaffRange::GetAttributeState(int attribute, bool& anySet) const {
  anySet = false;
  if (!IsValid()) return false;
  if (attribute == naTieOut) {
    if (first_ != last_ || !NtnHasHeads(At(first_))) return false;
    const TNotatedItem* item = At(first_);
    for (int h = 0; h < NtnHeadCount(item); ++h)
      if (NtnHasAttr(NtnHead(item, h), naTieOut)) anySet = true;
    if (anySet) return true;
    if (NtnHeadCount(item) == 1) return true;
    bool noFollower;
    const bool shares = NextNoteSharesAPosition(staff_, first_, item, noFollower);
    return noFollower || shares;
  }
  bool anyNoteOrChord = false, anySongNote = false, anyLongHead = false;
  for (int i = first_; i <= last_; ++i) {
    const TNotatedItem* item = At(i);
    const TSongNote* note = NtnAsSongNote(item);
    if (!note) continue;
    anySongNote = true;
    if (NtnAsNoteOrChord(item)) anyNoteOrChord = true;
    if (NtnIsRest(item) && NtnHasAttr(note, attribute)) anySet = true;
    for (int h = 0; h < NtnHeadCount(item); ++h) {
      const TMusicNote* head = NtnHead(item, h);
      if (NtnHasAttr(head, attribute)) anySet = true;
      if (NtnDurationCode(head) < 2) anyLongHead = true;
    }
  }
  bool can;
  switch (attribute) {
    case naAccent: case naStaccato: case naTenuto: case naAttribute10: case naAttribute11:
      can = anyNoteOrChord;
      break;
    case naDotted: case naSlurOut: case naDoubleDotted: case naGrace:
      can = anySongNote;
      break;
    default:
      return false;
  }
  // Whole and half notes cannot be grace notes; an existing grace may still be removed.
  if (attribute == naGrace && anyLongHead && !anySet) can = false;
  return can;
}

bool TStaffRange::ToggleAttribute(int attribute) {
  bool anySet;
  if (!GetAttributeState(attribute, anySet)) return false;
  const bool on = !anySet;
  if (attribute == naTieOut) {
    TNotatedItem* item = At(first_);
    const bool allHeads = !on || NtnHeadCount(item) == 1;
    TSimpleNtnIdx walk(staff_, first_);
    const bool hasNext = walk.StepToHeads(1);
    for (int h = 0; h < NtnHeadCount(item); ++h) {
      TMusicNote* head = NtnHead(item, h);
      if (!allHeads && !(hasNext && NtnHeadAt(walk.Current(), NtnHeadPosition(head)))) continue;
      NtnSetAttr(head, attribute, on);
    }
    NtnSync(item);
    Audit();
    return true;
  }
  for (int i = first_; i <= last_; ++i) {
    TNotatedItem* item = At(i);
    TSongNote* note = NtnAsSongNote(item);
    if (!note) continue;
    NtnSetAttr(note, attribute, on);
    for (int h = 0; h < NtnHeadCount(item); ++h) {
      TMusicNote* head = NtnHead(item, h);
      if (static_cast<const void*>(head) != static_cast<const void*>(note)) NtnSetAttr(head, attribute, on);
    }
    NtnSync(item);
  }
  Audit();
  return true;
}

void TStaffRange::ChangeDuration(int delta) {
  EachSongNote([delta](TNotatedItem* item, TSongNote* note) {
    auto changed = [delta](const TSongNote* n) {
      return std::clamp(NtnDurationCode(n) - delta, NtnGrace(n) ? 2 : 0, kNtnMaxDurationClassCode);
    };
    NtnSetDurationCode(note, changed(note));
    const bool eachHead = NtnType(item) == ntRestChord || (NtnType(item) == ntChord && NtnHeadCount(item) > 1);
    for (int h = 0; eachHead && h < NtnHeadCount(item); ++h) NtnSetDurationCode(NtnHead(item, h), changed(NtnHead(item, h)));
  });
  Audit();
}

void TStaffRange::SetDuration(int durationClass) {
  EachSongNote([durationClass](TNotatedItem* item, TSongNote* note) {
    if (NtnIsRest(item)) NtnSetDurationCode(note, durationClass);
    for (int h = 0; h < NtnHeadCount(item); ++h) NtnSetDurationCode(NtnHead(item, h), durationClass);
  });
  Audit();
}

void TStaffRange::SetAccidental(int code) {
  EachSongNote([code](TNotatedItem* item, TSongNote*) {
    for (int h = 0; h < NtnHeadCount(item); ++h) NtnSetAccidental(NtnHead(item, h), code);
  });
  Audit();
}

void TStaffRange::SetStem(int code) {
  EachSongNote([code](TNotatedItem*, TSongNote* note) {
    // Left to themselves, these notes keep the stems their chord, voice or group gave them.
    const bool fixed = NtnHasAttr(note, naChordMember) || NtnHasSplitStems(note) || NtnHasSplitDurations(note) ||
                       NtnGroupState(note, kNtnGroupBeam) != 0 || NtnGroupState(note, kNtnGroupTriplet) != 0 ||
                       NtnHasAttr(note, naRestChordStem);
    if (code != stAuto || !fixed) NtnSetStemCode(note, code);
  }, false);
  Audit();
}

void TStaffRange::ShiftPositions(int delta) {
  if (!IsValid()) return;
  if (kEarlierLine) {
    // The earlier line moves note heads only.
    for (int i = first_; i <= last_; ++i) {
      TNotatedItem* item = At(i);
      if (!NtnAsNoteOrChord(item)) continue;
      for (int h = 0; h < NtnHeadCount(item); ++h) {
        TMusicNote* head = NtnHead(item, h);
        NtnSetHeadPosition(head, NtnHeadPosition(head) + delta);
      }
      NtnSync(item);
    }
    Audit();
    return;
  }
  bool anyHeads = false, anyExpression = false;
  for (int i = first_; i <= last_; ++i) {
    anyHeads = anyHeads || NtnHasHeads(At(i));
    anyExpression = anyExpression || NtnIsExpression(At(i));
  }
  for (int i = first_; i <= last_; ++i) {
    TNotatedItem* item = At(i);
    if (anyHeads) {
      for (int h = 0; h < NtnHeadCount(item); ++h) {
        TMusicNote* head = NtnHead(item, h);
        NtnSetHeadPosition(head, NtnHeadPosition(head) + delta);
      }
      NtnSync(item);
    } else if (anyExpression) {
      if (NtnIsExpression(item)) NtnSetItemPosition(item, NtnItemPosition(item) + delta);
    } else if (NtnType(item) == ntRest) {
      NtnSetRestOffset(item, NtnRestOffset(item) + delta);
    }
  }
  Audit();
}

void TStaffRange::HideItems() {
  MarkChanged();
  for (int i = std::max(first_, 1); IsValid() && i < last_; ++i) NtnSetVisibility(At(i), kNtnVisibilityNever);
}

void TStaffRange::MuteNotes() {
  MarkChanged();
  for (int i = first_; IsValid() && i < last_; ++i) {
    TNotatedItem* item = At(i);
    if (!NtnAsNoteOrChord(item)) continue;
    NtnMute(item);
  }
}

bool TStaffRange::MergeRests() {
  if (!IsRestRun()) return false;
  MarkChanged();
  int kept = -1;
  for (int i = last_; i >= first_; --i) {
    if (!NtnIsRest(At(i))) continue;
    if (kept >= 0) {
      // Delete the later rest of the pair so the first one stays.
      staff_->DeleteItem(kept);
      --last_;
    }
    kept = i;
  }
  TNotatedItem* rest = At(kept);
  TSongNote* note = NtnAsSongNote(rest);
  NtnSetDurationCode(note, 0);
  NtnSetAttr(note, naDotted, false);
  NtnSetAttr(note, naDoubleDotted, false);
  NtnSetRestExplicitLength(rest, 4, 2);
  return true;
}

void TStaffRange::DeleteItems() {
  if (!IsValid()) return;
  staff_->DeleteItems(first_, last_);
  AuditStaffAround(staff_, first_, -1);
  SetEmpty();
}

// --- free functions --------------------------------------------------------------------------

int NtnTimeSigBeatTicks(const TNotatedItem* timeSignature, bool compound) {
  int beats = 4, code = 2;
  if (timeSignature) NtnTimeSigOf(timeSignature, beats, code);
  return NtnBeatTicks(beats, code, compound);
}

int NtnSetDurationFromTicks(TNotatedItem* item, int ticks) {
  TSongNote* note = NtnAsSongNote(item);
  if (!note || ticks <= 0) return 0;
  // Candidates from the longest: each class dotted, then plain; past the shortest class the
  // values keep halving with that class, so every positive tick count finds one.
  int durationClass = 0, value = 0;
  bool dotted = false;
  int plain = kWholeNoteTicks;
  for (int c = 0;; ++c) {
    const int dottedValue = plain + plain / 2;
    if (dottedValue <= ticks) { value = dottedValue; dotted = true; durationClass = std::min(c, 6); break; }
    if (plain <= ticks || plain <= 1) { value = plain; dotted = false; durationClass = std::min(c, 6); break; }
    plain /= 2;
  }
  if (NtnIsRest(item)) NtnClearRestExplicitLength(item);
  // A chord takes its length back from its heads when synchronised, so the heads get the value
  // too; a double dot left standing would lengthen the value chosen.
  const auto setValue = [&](TSongNote* n) {
    NtnSetDurationCode(n, durationClass);
    NtnSetAttr(n, naDoubleDotted, false);
    NtnSetAttr(n, naDotted, dotted);
  };
  setValue(note);
  for (int h = 0; h < NtnHeadCount(item); ++h) setValue(NtnHead(item, h));
  NtnSetGroupState(note, kNtnGroupTriplet, 0);
  NtnSync(item);
  return value;
}

bool NtnHasTieOut(const TNotatedItem* item) {
  if (!NtnAsNoteOrChord(item)) return false;
  for (int h = 0; h < NtnHeadCount(item); ++h)
    if (NtnHasAttr(NtnHead(item, h), naTieOut)) return true;
  return false;
}

namespace {

// A quarter note at the split head's place and spelling, tied on when the split head was tied;
// the split head now ties into it.
TMusicNote* ContinueHead(TMusicNote* split) {
  auto* made = new TMusicNote(split->GetPosition(), 2, split->GetAccidental());
  if (split->HasAttribute(naTieOut)) made->SetAttribute(naTieOut);
  split->SetAttribute(naTieOut);
  return made;
}

TNotatedItem* ContinueChord(TNotatedItem* chord) {
  auto* made = new TChordData;
  const int heads = chord->GetNoteCount();
  for (int h = 0; h < heads; ++h) {
    TMusicNote* head = ContinueHead(chord->GetNote(h));
    if (!made->AddNote(head)) delete head;
  }
  return made;
}

}  // namespace

TNotatedItem* NtnMakeContinuation(TNotatedItem* item) {
  const int type = item ? NtnType(item) : -1;
  TNotatedItem* made = nullptr;
  switch (type) {
    case ntNote: made = ContinueHead(static_cast<TMusicNote*>(item)); break;
    case ntRest: made = new TRestNote(0); break;
    case ntChord: made = ContinueChord(item); break;
    default: NtnPreconditionFailed("Bad Notation", kStaffUtlModule, kContinuationCheckLine);
  }
  NtnSetStemCode(NtnAsSongNote(made), NtnStemCode(NtnAsSongNote(item)));
  NtnSync(made);
  return made;
}
