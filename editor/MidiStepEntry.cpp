#include "editor/MidiStepEntry.h"

#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/NotePitch.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/StaffContext.h"
#include "earlier/editor/EarlierEditRules.h"
#include "resources/CommandIds.h"

namespace {

using TKind = TMidiStepResult::TKind;

constexpr int kNoteOff = 0x80, kNoteOn = 0x90, kControl = 0xB0, kProgram = 0xC0, kBend = 0xE0;
constexpr int kSustain = 64;
// The wheel must travel this far past the last low value before it counts as a gesture.
constexpr int kBendGesture = 40;

TMidiStepResult Result(TKind kind, int command = 0) {
  TMidiStepResult r;
  r.kind = kind;
  r.command = command;
  return r;
}

void ClearDots(TNoteToolState& s) { s.attributes &= static_cast<uint16_t>(~((1u << naDotted) | (1u << naDoubleDotted))); }

// The note of key n at the context: the clef's octave shift and the staff's transposition are
// taken off, so the written note sounds the key that was played.
TMusicNote* NoteForKey(int key, const TStaffContext& context, int transposition, const TNoteEntry& entry) {
  int pitch = key;
  if (context.GetOctaveShift() == osOctaveUp) pitch -= 12;
  if (context.GetOctaveShift() == osOctaveDown) pitch += 12;
  pitch = NtnFoldPitch(pitch - transposition);
  int position = 0, accidental = acNatural;
  NtnPitchToStaffPosition(context.GetClef(), context.GetKeySignature(), pitch, position, accidental);
  TMusicNote* note = entry.MakeNote(position);
  note->SetAccidental(accidental);
  return note;
}

// A head whose line or space the chord already holds is spelled one letter further and tried
// again: away from its accidental first, then the other way; after four tries it is left out.
bool AddRespelling(TChordData& chord, TMusicNote* note, const TStaffContext& context) {
  if (chord.AddNote(note)) return true;
  const int first = note->GetAccidental() == acSharp || note->GetAccidental() == acFlat ||
                            note->GetAccidental() == acDoubleSharp || note->GetAccidental() == acDoubleFlat
                        ? 1
                        : -1;
  for (int attempt = 1; attempt <= 4; ++attempt) {
    const int direction = attempt <= 2 ? first : -first;
    if (!note->RespellAccidental(context, direction)) continue;
    if (chord.AddNote(note)) return true;
  }
  return false;
}

}  // namespace

int TMidiStepEntry::HeldCount() const {
  int n = 0;
  for (bool h : held_) n += h ? 1 : 0;
  return n;
}

void TMidiStepEntry::ReleaseAll() {
  for (bool& h : held_) h = false;
}

TNotatedItem* TMidiStepEntry::BuildFromHeld(const TStaffContext& context, int transposition,
                                            const TNoteEntry& entry) const {
  TMusicNote* single = nullptr;
  TChordData* chord = nullptr;
  for (int key = 0; key < kKeys; ++key) {
    if (!held_[key]) continue;
    TMusicNote* note = NoteForKey(key, context, transposition, entry);
    if (!single) {
      single = note;
      continue;
    }
    if (!chord) {
      chord = new TChordData;
      chord->AddNote(single);
    }
    if (!AddRespelling(*chord, note, context)) delete note;
  }
  if (!chord) return single;
  if (TMusicNote* sole = chord->ReleaseSoleNote()) {
    delete chord;
    return sole;
  }
  return chord;
}

TMidiStepResult TMidiStepEntry::KeysReleased(TNoteEntry& entry) {
  TScoreEditing& edit = entry.Editing();
  TMusicStaff* staff = edit.CurrentStaff();
  TNotatedItem* item = nullptr;
  if (staff) {
    const TAuditNtnIdx at(staff, edit.GetCaretIndex());
    item = BuildFromHeld(at.Context(), staff->GetTransposition(), entry);
  }
  ReleaseAll();
  entry.Tools().AfterInsert(true, entry.IsPersistent());
  if (!item) return Result(TKind::None);
  TMidiStepResult r = Result(TKind::Inserted);
  r.entry = entry.InsertItem(item, TUndoKind::Internal, static_cast<int>(TUndoInternal::MidiInput));
  if (r.entry != TEntryResult::Done) r.kind = TKind::Refused;
  return r;
}

TMidiStepResult TMidiStepEntry::Controller(int number, int value, TNoteTools& tools) {
  TNoteToolState& s = tools.State();
  if (number == kSustain) {
    if (value < 64)
      s.attributes &= static_cast<uint16_t>(~(1u << naTieOut));
    else
      s.attributes |= static_cast<uint16_t>(1u << naTieOut);
    return Result(TKind::Tools);
  }
  if (number != 1 && number != 4 && number != 5 && number != 6) return Result(TKind::None);
  if (HeldCount() == 0) {
    s.duration = value / 20;
    return Result(TKind::Tools);
  }
  ClearDots(s);
  if (value >= 36 && value <= 71) s.attributes |= static_cast<uint16_t>(1u << naDotted);
  if (value >= 72 && value <= 107) s.attributes |= static_cast<uint16_t>(1u << naDoubleDotted);
  return Result(TKind::Tools);
}

TMidiStepResult TMidiStepEntry::PitchBend(int value, TNoteEntry& entry) {
  TNoteTools& tools = entry.Tools();
  if (HeldCount() > 0) {
    if (value > 65) {
      if (value > lastBend_ + kBendGesture) {
        lastBend_ += kBendGesture;
        return Result(TKind::Command, CM_TOGGLEDOTTED);
      }
      if (value < lastBend_) lastBend_ = value;
      return Result(TKind::None);
    }
    if (value < 63) {
      ClearDots(tools.State());
      lastBend_ = value;
      return Result(TKind::Tools);
    }
    lastBend_ = 64;
    return Result(TKind::None);
  }
  // Without keys the wheel steps the duration; a gesture moves the last value on by its length,
  // so a wheel held at the end steps once, not with every message it sends.
  if (value > 65 && value > lastBend_ + kBendGesture) {
    lastBend_ += kBendGesture;
    return StepDuration(false, entry);
  }
  if (value < 63 && value < lastBend_ - kBendGesture) {
    lastBend_ -= kBendGesture;
    return StepDuration(true, entry);
  }
  lastBend_ = value;
  return Result(TKind::None);
}

TMidiStepResult TMidiStepEntry::StepDuration(bool longer, TNoteEntry& entry) {
  TNoteToolState& s = entry.Tools().State();
  const bool grace = s.Has(naGrace);
  // The earlier line's steps; the current line's wheel runs the Longer and Shorter commands.
  if constexpr (kEarlierLine) {
    s.duration = longer ? earlier_rules::DurationLonger(s.duration, grace) : earlier_rules::DurationShorter(s.duration, grace);
  } else {
    return Result(TKind::Command, longer ? CM_LONGER : CM_SHORTER);
  }
  if (!entry.Editing().HasSelection()) return Result(TKind::Tools);
  TMidiStepResult r = Result(TKind::Changed);
  r.entry = entry.SetSelectionDuration(s.duration);
  if (r.entry != TEntryResult::Done) r.kind = TKind::Refused;
  return r;
}

TMidiStepResult TMidiStepEntry::Receive(uint32_t message, TNoteEntry& entry) {
  const int status = message & 0xF0;
  // With a selection only the earlier line's wheel is of use: it sets the selection's duration.
  if (entry.Editing().HasSelection() && !(kEarlierLine && status == kBend)) return Result(TKind::None);
  // Data bytes are seven bits: a stray high bit must not reach past the 128 key flags.
  const int data1 = (message >> 8) & 0x7F;
  const int data2 = (message >> 16) & 0x7F;
  switch (status) {
    case kNoteOn:
      if (data2 > 0) {
        held_[data1] = true;
        return Result(TKind::None);
      }
      [[fallthrough]];
    case kNoteOff:
      if (!held_[data1]) return Result(TKind::None);
      return KeysReleased(entry);
    case kControl:
      return Controller(data1, data2, entry.Tools());
    case kProgram: {
      TStaffInstrument instrument;
      instrument.patch = data1 + 1;
      TMidiStepResult r = Result(TKind::Inserted);
      r.entry = entry.InsertItem(new TPatchData(&instrument), TUndoKind::Internal,
                                 static_cast<int>(TUndoInternal::MidiInput));
      if (r.entry != TEntryResult::Done) r.kind = TKind::Refused;
      return r;
    }
    case kBend:
      return PitchBend(data2, entry);
    default:
      return Result(TKind::None);
  }
}

TMidiStepEntry& MidiStepEntry() {
  static TMidiStepEntry entry;
  return entry;
}
