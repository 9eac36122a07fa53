#include "QVKNTN/StaffContext.h"
#include "QVKNTN/KeySignatureCount.h"
#include "QVKNTN/NotationTypes.h"

namespace {
constexpr int kDefaultVelocity = 110;
constexpr int kMaxRampTicks = 65534;
constexpr int kMaxBeats = 99;

uint16_t LetterBit(int letter) { return uint16_t(1u << (letter & 7)); }
}  // namespace

TStaffContext::TStaffContext() {
  fTies[0].Clear();
  fTies[1].Clear();
  Reset();
}

void TStaffContext::Reset() {
  fWalkMode = wmPlay;
  fSlurOpen = fSlurDown = false;
  fOctaveShift = osNone;
  fClef = clTreble;
  fTranspose = 0;
  fVelocity = kDefaultVelocity;
  fStyle = 0;
  fCodaPending = fJumpTaken = false;
  fRampRemaining = 0;
  fRampTarget = 0;
  fLocalPass = 1;
  fMasterPass = 1;
  fMasterCount = 2;
  fKeyFlats = fKeySharps = 0;
  fRunFlats = fRunSharps = fRunDoubleFlats = fRunDoubleSharps = 0;
  fTick = 0;
  fTimeNumerator = 4;
  fTimeDenominatorCode = 2;
  fTies[0].Clear();
  fTies[1].Clear();
  fGraceCount = 0;
  fRepeatJumps = 0;
}

void TStaffContext::SetAuditMode() {
  fWalkMode = wmAudit;
  fTranspose = 0;
}

void TStaffContext::SetTransposeMode() {
  fWalkMode = wmTranspose;
  fTranspose = 0;
}

void TStaffContext::SetClef(int clef, int octaveShift) {
  fClef = uint8_t(clef & 3);
  fOctaveShift = uint8_t((octaveShift == osOctaveUp || octaveShift == osOctaveDown) ? octaveShift : osNone);
}

void TStaffContext::SetKey(uint16_t flats, uint16_t sharps) {
  fKeyFlats = flats;
  fKeySharps = sharps;
  ResetAccidentals();
}

void TStaffContext::ResetAccidentals() {
  fRunFlats = fKeyFlats;
  fRunSharps = fKeySharps;
  fRunDoubleFlats = fRunDoubleSharps = 0;
}

void TStaffContext::ApplyAccidental(int letter, int code) {
  if (code == acNone || code < 0 || code > acNone) return;
  const uint16_t bit = LetterBit(letter);
  fRunFlats &= uint16_t(~bit);
  fRunSharps &= uint16_t(~bit);
  fRunDoubleFlats &= uint16_t(~bit);
  fRunDoubleSharps &= uint16_t(~bit);
  switch (code) {
    case acSharp: fRunSharps |= bit; break;
    case acFlat: fRunFlats |= bit; break;
    case acDoubleSharp: fRunDoubleSharps |= bit; break;
    case acDoubleFlat: fRunDoubleFlats |= bit; break;
    default: break;  // natural: all four cleared
  }
}

int TStaffContext::GetRunningAccidental(int letter) const {
  const uint16_t bit = LetterBit(letter);
  if (fRunSharps & bit) return acSharp;
  if (fRunFlats & bit) return acFlat;
  if (fRunDoubleSharps & bit) return acDoubleSharp;
  if (fRunDoubleFlats & bit) return acDoubleFlat;
  return acNatural;
}

int TStaffContext::GetKeyAccidental(int letter) const {
  const uint16_t bit = LetterBit(letter);
  if (fKeySharps & bit) return acSharp;
  if (fKeyFlats & bit) return acFlat;
  return acNatural;
}

int TStaffContext::GetKeySignature() const { return NtnSignedKeySize(fKeyFlats, fKeySharps); }

void TStaffContext::SetTimeSig(int numerator, int denominatorCode) {
  // A numerator of 0 (or past the largest a time signature holds) would make bars of no length.
  fTimeNumerator = uint8_t((numerator >= 1 && numerator <= kMaxBeats) ? numerator : 4);
  fTimeDenominatorCode = uint8_t((denominatorCode >= 0 && denominatorCode <= kShortestDurationCode) ? denominatorCode : 2);
}

int32_t TStaffContext::GetBarTicks() const {
  return int32_t(fTimeNumerator) * (kWholeNoteTicks >> fTimeDenominatorCode);
}

void TStaffContext::AdvanceTick(int32_t ticks) {
  AdvanceRamp(ticks);
  fTick += ticks;
}

void TStaffContext::BeginSlur(int direction) {
  fSlurOpen = true;
  fSlurDown = direction == 1;
}

void TStaffContext::EndSlur() { fSlurOpen = fSlurDown = false; }

void TStaffContext::SetVelocity(int velocity) { fVelocity = uint8_t(velocity & 0x7F); }

void TStaffContext::StartRamp(int current, int target, int32_t ticks) {
  fVelocity = uint8_t(current & 0x7F);
  fRampTarget = uint8_t(target & 0x7F);
  if (fVelocity == fRampTarget || ticks <= 0) {
    fRampRemaining = 0;
    return;
  }
  fRampRemaining = uint16_t(ticks < 65535 ? ticks : kMaxRampTicks);
}

void TStaffContext::StopRamp() {
  fRampRemaining = 0;
  fRampTarget = 0;
}

void TStaffContext::AdvanceRamp(int32_t ticks) {
  if (fRampRemaining == 0 || ticks <= 0) return;  // no ramp runs: nothing to divide by
  if (fVelocity == fRampTarget) {
    fRampRemaining = 0;
    return;
  }
  const int32_t step = ticks < fRampRemaining ? ticks : fRampRemaining;
  const double change = double(int(fRampTarget) - int(fVelocity)) * step / fRampRemaining;
  fVelocity = uint8_t((fVelocity + int(change)) & 0x7F);
  fRampRemaining = uint16_t(fRampRemaining - step);
}

void TStaffContext::SetPerformanceStyle(int style) {
  // Signed 6 bits, as the style field holds.
  const int s = style & 0x3F;
  fStyle = int8_t(s >= 32 ? s - 64 : s);
}

void TStaffContext::SetTranspose(int semitones) { fTranspose = int16_t(IsWalking() ? 0 : semitones); }
