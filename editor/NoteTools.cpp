#include "editor/NoteTools.h"

#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"
#include "resources/CommandIds.h"

namespace {

constexpr TToolCommand kToolCommands[] = {
    {CM_WHOLE, TToolKind::Duration, 0},
    {CM_HALF, TToolKind::Duration, 1},
    {CM_QUARTER, TToolKind::Duration, 2},
    {CM_EIGHTH, TToolKind::Duration, 3},
    {CM_SIXTEENTH, TToolKind::Duration, 4},
    {CM_THIRTYSECOND, TToolKind::Duration, 5},
    {CM_SIXTYFOURTH, TToolKind::Duration, 6},
    {CM_SHARP, TToolKind::Accidental, acSharp},
    {CM_FLAT, TToolKind::Accidental, acFlat},
    {CM_NATURAL, TToolKind::Accidental, acNatural},
    {CM_DOUBLESHARP, TToolKind::Accidental, acDoubleSharp},
    {CM_DOUBLEFLAT, TToolKind::Accidental, acDoubleFlat},
    {CM_ACCENT, TToolKind::Attribute, naAccent},
    {CM_DOTTED, TToolKind::Attribute, naDotted},
    {CM_STACCATO, TToolKind::Attribute, naStaccato},
    {CM_TIED, TToolKind::Attribute, naTieOut},
    {CM_SLUR, TToolKind::Attribute, naSlurOut},
    {CM_TENUTO, TToolKind::Attribute, naTenuto},
    {CM_ATTRIBUTE10, TToolKind::Attribute, 10},
    {CM_ATTRIBUTE11, TToolKind::Attribute, 11},
    {CM_DOUBLEDOTTED, TToolKind::Attribute, naDoubleDotted},
    {CM_GRACE, TToolKind::Attribute, naGrace},
    {CM_STEMUP, TToolKind::Stem, stUp},
    {CM_STEMDOWN, TToolKind::Stem, stDown},
    {CM_BEAM, TToolKind::Group, kGroupBeam},
    {CM_TRIPLET, TToolKind::Group, kGroupTriplet},
};

// Attributes that exclude each other when chosen without a selection.
constexpr struct {
  int bit, excludes;
} kExclusive[] = {
    {naDotted, naDoubleDotted}, {naDoubleDotted, naDotted}, {naStaccato, naTenuto},
    {naTenuto, naStaccato},     {10, 11},                   {11, 10},
};

uint16_t Bit(int n) { return static_cast<uint16_t>(1u << n); }

// Every song note of the range carries the attribute (each head of a chord).
bool AllHave(const TStaffRange& range, int bit) {
  bool any = false;
  for (int i = range.GetFirst(); range.IsValid() && i <= range.GetLast(); ++i) {
    const TNotatedItem* item = range.GetStaff()->GetItem(i);
    const TSongNote* note = NtnAsSongNote(item);
    if (!note) continue;
    if (NtnHasHeads(item)) {
      for (int h = 0; h < NtnHeadCount(item); ++h)
        if (!NtnHasAttr(NtnHead(item, h), bit)) return false;
    } else if (!NtnHasAttr(note, bit)) {
      return false;
    }
    any = true;
  }
  return any;
}

}  // namespace

TToolCommand FindToolCommand(int command) {
  for (const TToolCommand& c : kToolCommands)
    if (c.command == command) return c;
  return {command, TToolKind::None, 0};
}

void TNoteTools::ChooseDuration(int durationClass) {
  if (durationClass < 0 || durationClass >= kDurationCount || durationClass == state_.duration) return;
  state_.duration = durationClass;
  // Grace notes are never whole or half notes.
  if (durationClass <= 1) state_.attributes &= static_cast<uint16_t>(~Bit(naGrace));
}

void TNoteTools::StepDuration(int step) {
  const int shortest = kDurationCount - 1;
  const int longest = state_.Has(naGrace) ? 2 : 0;
  const int d = state_.duration + step;
  if (d < longest)
    state_.duration = shortest;
  else if (d > shortest)
    state_.duration = longest;
  else
    state_.duration = d;
}

void TNoteTools::ResetTools() {
  state_.duration = 2;
  state_.accidental = acNone;
  state_.attributes = 0;
  state_.stem = stAuto;
}

void TNoteTools::ChooseAccidental(int code) {
  if (code < 0 || code > acNone) return;
  state_.accidental = code == state_.accidental ? acNone : code;
}

void TNoteTools::ChooseStem(int code) {
  if (code != stUp && code != stDown) return;
  state_.stem = code == state_.stem ? stAuto : code;
}

void TNoteTools::ToggleAttribute(int bit) {
  if (bit < 0 || bit > 15 || !(kToolAttributeMask & Bit(bit))) return;
  state_.attributes ^= Bit(bit);
  if (!state_.Has(bit)) return;
  for (const auto& pair : kExclusive)
    if (pair.bit == bit) state_.attributes &= static_cast<uint16_t>(~Bit(pair.excludes));
  if (bit == naGrace && state_.duration >= 0 && state_.duration <= 1) state_.duration = 2;
}

int TNoteTools::DotCommand(bool doubleDottedFollowsDotted) const {
  const bool dotted = state_.Has(naDotted) || state_.Has(naDoubleDotted);
  return dotted && doubleDottedFollowsDotted ? CM_DOUBLEDOTTED : CM_DOTTED;
}

void TNoteTools::AfterInsert(bool note, bool persistent) {
  if (persistent) return;
  state_.attributes &= static_cast<uint16_t>(~kToolAttributeMask);
  if (note) state_.accidental = acNone;
}

void TNoteTools::ShowSelection(const TStaffRange& selection) {
  if (!showsSelection_) saved_ = state_;
  showsSelection_ = true;
  TNoteToolState s = saved_;
  s.groups = 0;
  s.allowedGroups = 0;
  const int kinds[2][2] = {{kNtnGroupBeam, kGroupBeam}, {kNtnGroupTriplet, kGroupTriplet}};
  for (const auto& k : kinds) {
    const bool grouped = selection.AnyInGroup(k[0]);
    if (grouped || selection.CanGroup(k[0])) s.allowedGroups |= k[1];
    if (grouped) s.groups |= k[1];
  }
  s.attributes = 0;
  s.allowedAttributes = 0;
  for (int bit = 0; bit < 16; ++bit) {
    if (!(kToolAttributeMask & Bit(bit))) continue;
    bool anySet;
    if (selection.GetAttributeState(bit, anySet)) s.allowedAttributes |= Bit(bit);
    if (AllHave(selection, bit)) s.attributes |= Bit(bit);
  }
  bool songNotes = false, heads = false;
  for (int i = selection.GetFirst(); selection.IsValid() && i <= selection.GetLast(); ++i) {
    const TNotatedItem* item = selection.GetStaff()->GetItem(i);
    songNotes = songNotes || NtnAsSongNote(item);
    heads = heads || NtnHasHeads(item);
  }
  int common;
  s.duration = selection.GetCommonDuration(common) ? common : -1;
  s.accidental = selection.GetCommonAccidental(common) ? common : acNone;
  s.stem = selection.GetCommonStem(common) ? common : stAuto;
  s.allowedDurations = songNotes ? 0x7F : 0;
  if (s.Has(naGrace)) s.allowedDurations &= 0x7C;
  s.accidentalAllowed = heads;
  s.stemAllowed = songNotes;
  state_ = s;
}

void TNoteTools::EndSelection() {
  if (!showsSelection_) return;
  state_ = saved_;
  showsSelection_ = false;
}

TToolLook TNoteTools::Look(int command, bool usable) const {
  const TToolCommand tool = FindToolCommand(command);
  TToolLook look;
  switch (tool.kind) {
    case TToolKind::Duration:
      look.enabled = (state_.allowedDurations >> tool.value) & 1;
      look.checked = state_.duration == tool.value;
      break;
    case TToolKind::Accidental:
      look.enabled = state_.accidentalAllowed;
      look.checked = state_.accidental == tool.value;
      break;
    case TToolKind::Attribute:
      look.enabled = (state_.allowedAttributes >> tool.value) & 1;
      look.checked = state_.Has(tool.value);
      break;
    case TToolKind::Stem:
      look.enabled = state_.stemAllowed;
      look.checked = state_.stem == tool.value;
      break;
    case TToolKind::Group:
      look.enabled = (state_.allowedGroups & tool.value) != 0;
      look.checked = (state_.groups & tool.value) != 0;
      break;
    case TToolKind::None:
      return look;
  }
  look.enabled = look.enabled && usable;
  return look;
}

TNoteTools& NoteTools() {
  static TNoteTools tools;
  return tools;
}
