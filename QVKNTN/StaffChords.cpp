// Merging notes into chords and taking them out again, ungrouping and automatic stems.
#include <algorithm>
#include "QVKNTN/EditorLine.h"
#include <cstdlib>

#include "QVKNTN/ChordData.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"

namespace {

// Every stored field of a note, so a refused merge can hand the note back exactly as it was.
struct TNoteState {
  explicit TNoteState(const TMusicNote& n)
      : flags(n.GetFlags()), attributes(n.GetAttributeWord()), spacing(n.GetSpacingByte()),
        duration(n.GetDurationByte()), group(n.GetGroupByte()), pitch(n.GetPitchByte()), position(n.GetPosition()) {}
  void Restore(TMusicNote& n) const {
    n.SetFlags(flags);
    n.SetAttributeWord(attributes);
    n.SetSpacingByte(spacing);
    n.SetDurationByte(duration);
    n.SetGroupByte(group);
    n.SetPitchByte(pitch);
    n.SetPosition(position);
  }
  uint8_t flags;
  uint16_t attributes;
  uint8_t spacing, duration, group, pitch;
  int position;
};

// The rest fields a rest chord and a rest hand each other when one replaces the other.
void CopyRestFields(TRestNote& to, TRestNote& from) {
  to.CopyProps(from);
  to.SetOffsetWord(from.GetOffsetWord());
  if (from.HasExplicitLength()) to.SetExplicitTicks(from.GetExplicitLength());
}

}  // namespace

int TMusicStaff::MergeIntoChord(TMusicNote* note, int i) {
  TouchItems(i);
  if (!note || !IsInnerIndex(i)) return 0;
  TNotatedItem*& slot = items_[static_cast<size_t>(i)];
  TSongNote* target = NtnAsSongNote(slot);
  if (!target || target->IsGrace() != note->IsGrace()) return 0;
  switch (slot->GetType()) {
    case ntNote: {
      auto* old = static_cast<TMusicNote*>(slot);
      const TNoteState before(*old);
      auto* chord = new TChordData;
      if (!chord->AddNote(old)) {
        delete chord;
        return 0;
      }
      if (!chord->AddNote(note)) {
        chord->RemoveNote(old);
        before.Restore(*old);
        delete chord;
        return 0;
      }
      slot = chord;
      break;
    }
    case ntChord:
      if (!static_cast<TChordData*>(slot)->AddNote(note)) return 0;
      break;
    case ntRestChord:
      if (!static_cast<TRestChord*>(slot)->AddNote(note)) return 0;
      break;
    case ntRest: {
      auto* rest = static_cast<TRestNote*>(slot);
      auto* restChord = new TRestChord(rest->GetDurationCode());
      CopyRestFields(*restChord, *rest);
      if (!restChord->AddNote(note)) {
        delete restChord;
        return 0;
      }
      delete rest;
      slot = restChord;
      break;
    }
    default: return 0;
  }
  changed_ = true;
  RunStaffAuditAround(this, i, i);
  return 1;
}

TMusicNote* TMusicStaff::RemoveFromChord(int i, int position) {
  TouchItems(i);
  if (!IsInnerIndex(i)) return nullptr;
  TNotatedItem*& slot = items_[static_cast<size_t>(i)];
  TMusicNote* head = slot->FindNoteAtPosition(position);
  if (!head) return nullptr;
  if (slot->GetType() == ntRestChord) {
    auto* restChord = static_cast<TRestChord*>(slot);
    if (!restChord->RemoveNote(head)) return nullptr;
    if (restChord->GetNoteCount() == 0) {
      auto* rest = new TRestNote(restChord->GetDurationCode());
      CopyRestFields(*rest, *restChord);
      rest->ClearAttribute(naRestChordStem);
      delete restChord;
      slot = rest;
    }
  } else if (slot->GetType() == ntChord) {
    auto* chord = static_cast<TChordData*>(slot);
    if (!chord->RemoveNote(head)) return nullptr;
    if (TMusicNote* sole = chord->ReleaseSoleNote()) {
      delete chord;
      slot = sole;
    }
  } else {
    return nullptr;  // a single note is no chord to take a head from
  }
  changed_ = true;
  RunStaffAuditAround(this, i, i);
  return head;
}

void TMusicStaff::UngroupAt(int kind, int i) {
  // A group ends at bar lines: only items after the bar line before i change.
  TouchItems(FindNextBar(i, -1));
  if (!IsInnerIndex(i)) return;
  if constexpr (kEarlierLine) {
    UngroupEarlier(kind, i);
    return;
  }
  TStaffRange(this, i, i).Ungroup(kind);
}

namespace {

// The sign a group takes on its own: from its top (smallest) and bottom (largest) positions.
int SignFromExtremes(int top, int bottom) {
  if (top == bottom) return top <= 0 ? -1 : 1;
  return std::abs(top) > std::abs(bottom) ? -1 : 1;
}

}  // namespace

void TMusicStaff::ApplyAutoStem(int i, int sign) {
  TouchItems(FindNextBar(i, -1));
  TSimpleNtnIdx at(this, i);
  TSongNote* note = at.AsSongNote();
  if (!note || !IsInnerIndex(i)) return;
  const int forced = at.GetForcedStemSign();
  if (forced != 0 && forced != sign) return;
  const int grace = note->IsGrace() ? 1 : 0;
  const int kind = note->GetTripletState() != 0 ? kNtnGroupTriplet : kNtnGroupBeam;
  if (kind == kNtnGroupBeam && note->GetBeamState() == 0) {
    note->SetStemSign(sign);
    note->SyncNotes();
    return;
  }
  TSimpleNtnIdx first(this, i), last(this, i);
  first.FindGroupEnd(grace, kind, -1);
  last.FindGroupEnd(grace, kind, 1);
  if (sign == 0) {
    bool any = false;
    int top = 0, bottom = 0;
    for (int j = first.GetIndex(); j <= last.GetIndex(); ++j) {
      const TNotatedItem* item = items_[static_cast<size_t>(j)];
      if (!item->IsNoteOrChord()) continue;
      top = any ? std::min(top, item->GetLowPosition()) : item->GetLowPosition();
      bottom = any ? std::max(bottom, item->GetHighPosition()) : item->GetHighPosition();
      any = true;
    }
    sign = SignFromExtremes(top, bottom);
  }
  for (int j = first.GetIndex(); j <= last.GetIndex(); ++j) {
    TSongNote* member = NtnAsSongNote(items_[static_cast<size_t>(j)]);
    if (!member || (member->IsGrace() ? 1 : 0) != grace || NtnGroupState(member, kind) == 0) continue;
    member->SetStemSign(sign);
    member->SyncNotes();
  }
}

void TMusicStaff::ApplyAutoStems() {
  TouchItems(0);
  if constexpr (kEarlierLine) {
    for (int i = 1; i < LastIndex(); ++i)
      if (items_[static_cast<size_t>(i)]->IsSongNote()) AutoStem(0, i);
    changed_ = true;
    return;
  }
  for (int i = 1; i < LastIndex(); ++i) {
    const TSongNote* note = NtnAsSongNote(items_[static_cast<size_t>(i)]);
    if (!note) continue;
    ApplyAutoStem(i, 0);
    const int kind = note->GetTripletState() != 0 ? kNtnGroupTriplet : kNtnGroupBeam;
    if (NtnGroupState(note, kind) == 0) continue;
    // The group is done: go on after its end.
    TSimpleNtnIdx last(this, i);
    last.FindGroupEnd(note->IsGrace() ? 1 : 0, kind, 1);
    if (last.GetIndex() > i) i = last.GetIndex();
  }
  changed_ = true;
}
