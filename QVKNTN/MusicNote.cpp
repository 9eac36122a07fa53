#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/NotePitch.h"
#include "QVKNTN/StaffContext.h"

namespace {
// Written accidentals in order of alteration, and their place in that order.
constexpr int kAlterationOrder[5] = {acDoubleFlat, acFlat, acNatural, acSharp, acDoubleSharp};
constexpr int kOrderIndex[5] = {3, 1, 2, 4, 0};  // by accidental code
// Semitones each accidental code adds to the natural pitch.
constexpr int kAlteration[5] = {1, -1, 0, 2, -2};

constexpr int kGraceTicks = 24;
enum { kStyleLegato = 7, kStyleStaccato = 18, kStyleNormal = 20 };

int StaccatoGate(int32_t t) {
  if (t >= 192) return t / 4;
  if (t < 96) return t * 2 / 3;
  return t / 3;
}

int32_t GateTime(const TMusicNote& note, int style, int32_t t) {
  const bool staccato = note.HasAttribute(naStaccato);
  if (note.HasAttribute(naSlurOut)) {
    if (!staccato) return t;
    return t < 192 ? t * 5 / 7 : t * 5 / 8;
  }
  if (staccato) return StaccatoGate(t);
  if (note.HasAttribute(naTenuto)) return t;
  if (style == kStyleLegato || style == kStyleNormal) return t;
  if (style == kStyleStaccato) return StaccatoGate(t);
  if (t < 192) return t - 2;
  if (t >= 384) return t - 48;
  return t - 32;
}

// The position at which a pitch is spelled in the context's key, corrected for the clef's octave.
void SpellInKey(const TStaffContext& context, int pitch, int& position, int& accidental) {
  NtnPitchToStaffPosition(context.GetClef(), context.GetKeySignature(), pitch, position, accidental);
  if (context.GetOctaveShift() == osOctaveUp) position += 7;
  if (context.GetOctaveShift() == osOctaveDown) position -= 7;
}
}  // namespace

TMusicNote::TMusicNote(int type, int position, int durationCode, int accidental) : TSongNote(type) {
  SetPosition(position);
  SetDuration(durationCode);
  SetAccidental(accidental);
  SetTieDown(position >= 0);
}

TMusicNote* TMusicNote::FindNoteAtPosition(int position) { return position == GetPosition() ? this : nullptr; }

int TMusicNote::GetLetter(const TStaffContext& context) const {
  return NtnLetterAtPosition(context.GetClef(), fPosition);
}

int TMusicNote::GetPitch(const TStaffContext& context) const {
  const int letter = GetLetter(context);
  int accidental = GetAccidental();
  if (accidental == acNone) {
    // Doubles first: a letter carries one running accidental, but the key's bits may remain.
    const uint16_t bit = uint16_t(1u << letter);
    if (context.GetRunningDoubleSharps() & bit)
      accidental = acDoubleSharp;
    else if (context.GetRunningSharps() & bit)
      accidental = acSharp;
    else if (context.GetRunningDoubleFlats() & bit)
      accidental = acDoubleFlat;
    else if (context.GetRunningFlats() & bit)
      accidental = acFlat;
    else
      accidental = acNatural;
  }
  const int natural = NtnNaturalPitchAtPosition(context.GetClef(), context.GetOctaveShift(), fPosition);
  return NtnFoldPitch(natural + kAlteration[accidental] + context.GetTranspose());
}

bool TMusicNote::RespellAccidental(const TStaffContext& context, int direction) {
  const int accidental = GetAccidental();
  if (accidental == acNone || (direction != 1 && direction != -1)) return false;
  const int letter = GetLetter(context);
  int step = -2 * direction;
  if (direction == 1 && (letter == ltB || letter == ltE)) step = -1;
  if (direction == -1 && (letter == ltC || letter == ltF)) step = 1;
  const int i = kOrderIndex[accidental] + step;
  if (i < 0 || i > 4) return false;
  const int position = GetPosition() - direction;
  if (position < kMinStaffPosition || position > kMaxStaffPosition) return false;
  SetAccidental(kAlterationOrder[i]);
  SetPosition(position);
  return true;
}

void TMusicNote::RespellForKey(const TStaffContext& context) {
  int position = 0;
  int accidental = acNatural;
  SpellInKey(context, GetPitch(context), position, accidental);
  SetPosition(position);
  SetAccidental(accidental);
}

bool TMusicNote::TransposeBy(const TStaffContext& context, int semitones, int steps, bool test) {
  const int target = NtnFoldPitch(GetPitch(context) + semitones);
  const int oldPosition = GetPosition();
  const int oldAccidental = GetAccidental();
  bool found = false;
  SetPosition(oldPosition + steps);
  for (int code = acSharp; code <= acDoubleFlat && !found; ++code) {
    SetAccidental(code);
    found = GetPitch(context) == target;
  }
  if (test) {
    SetPosition(oldPosition);
    SetAccidental(oldAccidental);
    return found;
  }
  if (!found) {
    int position = 0;
    int accidental = acNatural;
    SpellInKey(context, target, position, accidental);
    SetPosition(position);
    SetAccidental(accidental);
  }
  return found;
}

void TMusicNote::ResolveAccidental(const TStaffContext& context, bool resolve) {
  const int running = context.GetRunningAccidental(GetLetter(context));
  if (resolve && GetAccidental() == acNone) SetAccidental(running);
  if (!resolve && GetAccidental() == running) SetAccidental(acNone);
}

int TMusicNote::GetAccidentalSpace() const {
  int space = GetExtraAccidentalSpace();
  switch (GetAccidental()) {
    case acNone: break;
    case acDoubleFlat: space += 2; break;
    case acDoubleSharp: break;
    default: space += 1; break;
  }
  return space;
}

bool TMusicNote::TakesLyricByDefault() const {
  return !HasAttribute(naSlurIn) && !HasAttribute(naTieIn) && !HasAttribute(naGrace);
}

int TMusicNote::GetFlagCount() const {
  const int code = GetDurationCode();
  return (code >= 3 && code <= 6) ? code - 2 : 0;
}

bool TMusicNote::HasStem() const {
  return !HasAttribute(naChordMember) && GetBeamState() == 0 && GetDurationCode() != 0;
}

void TMusicNote::UpdateHeadContext(TStaffContext& context) const {
  // Heads are plain notes: their own position byte, without a virtual call per head; a head
  // without a written accidental leaves the running accidentals alone.
  if (GetAccidental() != acNone) context.ApplyAccidental(GetLetter(context), GetAccidental());
  const int p = fPosition;
  const bool tiedOut = HasAttribute(naTieOut);
  if (HasAttribute(naTieIn)) {
    const bool inBoth = context.TieSet(0).Test(p) && context.TieSet(1).Test(p);
    if (!(inBoth && tiedOut)) {
      context.TieSet(0).Remove(p);
      context.TieSet(1).Remove(p);
    }
  }
  if (tiedOut) context.TieSet(IsTieDown() ? 1 : 0).Add(p);
}

void TMusicNote::UpdateContext(TStaffContext& context) const {
  UpdateHeadContext(context);
  UpdateSongContext(context);
}

void TMusicNote::AddHeadEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  if (IsMuted()) return;
  int32_t start = context.GetTick();
  int32_t gate;
  const int graceOffset = kGraceTicks * context.GetGraceCount();
  if (IsGrace()) {
    start += graceOffset;
    gate = kGraceTicks;
  } else {
    int32_t t = GetDuration();
    if (graceOffset > 0 && graceOffset < t) {
      start += graceOffset;
      t -= graceOffset;
    }
    gate = GateTime(*this, context.GetPerformanceStyle(), t);
  }
  const int port = context.GetPort();
  const uint8_t channel = uint8_t(context.GetChannel());
  const uint8_t key = uint8_t(GetPitch(context));
  if (!HasAttribute(naTieIn)) {
    int velocity = context.GetVelocity();
    if (HasAttribute(naAccent)) velocity = velocity * 7 / 5;
    if (velocity > 127) velocity = 127;
    sink.AddShortEvent(start, port, uint8_t(0x90 | channel), key, uint8_t(velocity));
  }
  if (!HasAttribute(naTieOut)) sink.AddShortEvent(start + (gate > 0 ? gate : 1), port, uint8_t(0x80 | channel), key, 0);
}

void TMusicNote::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const { AddHeadEvents(context, sink); }
