// The earlier line's stems and groups: group bounds by membership alone, the forced stem sign,
// automatic stems of a note and its group, ungrouping, and rewriting an item as tied pieces.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/TiedChain.h"

namespace {

bool IsNonFirstMember(const TNotatedItem* item, int kind) {
  const TSongNote* note = NtnAsSongNote(item);
  if (!note) return false;
  const int state = NtnGroupState(note, kind);
  return state == kNtnGroupMiddle || state == kNtnGroupLast;
}

bool InAnyGroup(const TSongNote* note) {
  return NtnGroupState(note, kNtnGroupBeam) != 0 || NtnGroupState(note, kNtnGroupTriplet) != 0;
}

// Equal extremes: down for a group on or above the middle line; else the extreme farther from
// the middle line decides, farther upwards giving a stem down.
int SignFromExtremes(int top, int bottom) {
  if (top == bottom) return top <= 0 ? -1 : 1;
  return std::abs(top) > std::abs(bottom) ? -1 : 1;
}

}  // namespace

int TMusicStaff::GroupBound(int kind, int i, int direction) const {
  if (direction == 0) return i;
  while (IsNonFirstMember(GetItem(i), kind)) i += direction;
  return i;
}

int TMusicStaff::EarlierForcedStemSign(int i) const {
  const TSongNote* note = NtnAsSongNote(GetItem(i));
  if (!note) return 0;
  for (int kind : {kNtnGroupBeam, kNtnGroupTriplet}) {
    if (NtnGroupState(note, kind) == 0) continue;
    for (int j = GroupBound(kind, i, -1);; ++j) {
      const TSongNote* member = NtnAsSongNote(GetItem(j));
      if (!member || NtnGroupState(member, kind) == 0) break;
      const bool heads = NtnHasHeads(member);
      if (heads && (NtnHasSplitStems(member) || member->GetType() == ntRestChord)) return NtnStemSign(member);
      if (heads && NtnGroupState(member, kind) == kNtnGroupLast) break;
    }
  }
  long sum = 0;
  for (int j = i; j >= 1; --j) {
    const TNotatedItem* item = GetItem(j);
    if (item->GetType() == ntBarLine) return 0;
    sum += item->GetDuration();
    const TSongNote* earlier = NtnAsSongNote(item);
    if (!earlier) continue;
    const bool twoVoices = item->IsNoteOrChord() ? NtnHasSplitStems(earlier) : item->GetType() == ntRestChord;
    if (!twoVoices) continue;
    return NtnOtherPartDuration(earlier) >= sum ? NtnStemSign(earlier) : 0;
  }
  return 0;
}

int TMusicStaff::AutoStem(int sign, int index) {
  TouchItems(FindNextBar(index, -1));
  TSongNote* note = NtnAsSongNote(GetItem(index));
  if (!note || !IsInnerIndex(index)) return 0;
  const int forced = EarlierForcedStemSign(index);
  if (sign == 0) sign = forced;
  if (forced != 0 && forced != sign) return 0;
  if (!InAnyGroup(note)) {
    NtnSetStemSign(note, sign);
    note->SyncNotes();
    return 1;
  }
  const int kind = NtnGroupState(note, kNtnGroupBeam) != 0 ? kNtnGroupBeam : kNtnGroupTriplet;
  const int first = GroupBound(kind, index, -1);
  const int last = GroupBound(kind, index, 1) - 1;
  // Called on a group's first member the bounds find no members: the group is reached again
  // through its later members, so nothing is done here.
  if (last < first) return 0;
  if (sign == 0) {
    bool any = false;
    int top = 0, bottom = 0;
    for (int j = first; j <= last; ++j) {
      const TNotatedItem* item = GetItem(j);
      if (!item->IsNoteOrChord()) continue;
      top = any ? std::min(top, item->GetLowPosition()) : item->GetLowPosition();
      bottom = any ? std::max(bottom, item->GetHighPosition()) : item->GetHighPosition();
      any = true;
    }
    sign = SignFromExtremes(top, bottom);
  }
  for (int j = first; j <= last; ++j) {
    TSongNote* member = NtnAsSongNote(GetItem(j));
    if (!member) continue;
    NtnSetStemSign(member, sign);
    member->SyncNotes();
  }
  changed_ = true;
  return 1;
}

void TMusicStaff::UngroupEarlier(int kind, int i) {
  TouchItems(FindNextBar(i, -1));
  const int first = GroupBound(kind, i, -1);
  for (int j = first; IsInnerIndex(j); ++j) {
    TSongNote* member = NtnAsSongNote(GetItem(j));
    if (!member) break;
    const int state = NtnGroupState(member, kind);
    if (state == 0) break;
    NtnSetGroupState(member, kind, 0);
    AutoStem(0, j);
    if (state == kNtnGroupLast) break;
  }
  changed_ = true;
}

int TMusicStaff::RewriteAsTiedPieces(int index, long ticks) {
  TouchItems(FindNextBar(index, -1));
  TNotatedItem* item = GetItem(index);
  if (!NtnAsSongNote(item) || !IsInnerIndex(index) || ticks <= 0) return 0;
  std::vector<TNotatedItem*> pieces;
  NtnAppendPiecesEndingWith(item, ticks, pieces, FreeItemSlots());
  int added = 0;
  for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
    if (!InsertItem(pieces[k], index + added)) {
      for (std::size_t rest = k; rest + 1 < pieces.size(); ++rest) delete pieces[rest];
      break;
    }
    ++added;
  }
  changed_ = true;
  return added;
}
