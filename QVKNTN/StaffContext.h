// The running musical state of one staff during a walk: clef, key and the accidentals of the bar,
// time signature, open ties and slur, grace run, velocity ramp, performance style, repeat passes
// and jumps, MIDI channel, port and transposition, and the tick. A plain value: copy by assignment.
#pragma once
#include <cstdint>
#include "QVKNTN/StaffPositionSet.h"

class TStaffContext {
 public:
  TStaffContext();
  void Reset();
  bool operator==(const TStaffContext& other) const = default;

  // Open ties: set 0 for ties curving up (tie-direction bit clear), set 1 for ties curving down.
  TStaffPositionSet& TieSet(int which) { return fTies[which & 1]; }
  const TStaffPositionSet& TieSet(int which) const { return fTies[which & 1]; }

  // Walk mode.
  void SetAuditMode();
  void SetTransposeMode();
  int GetWalkMode() const { return fWalkMode; }
  bool IsWalking() const { return fWalkMode != 0; }

  // Clef.
  void SetClef(int clef, int octaveShift);
  int GetClef() const { return fClef; }
  int GetOctaveShift() const { return fOctaveShift; }

  // Key and running accidentals (letter bits: bit 0 = A .. bit 6 = G).
  void SetKey(uint16_t flats, uint16_t sharps);
  void ResetAccidentals();
  void ApplyAccidental(int letter, int code);
  int GetRunningAccidental(int letter) const;
  int GetKeyAccidental(int letter) const;
  int GetKeySignature() const;
  uint16_t GetKeyFlats() const { return fKeyFlats; }
  uint16_t GetKeySharps() const { return fKeySharps; }
  uint16_t GetRunningFlats() const { return fRunFlats; }
  uint16_t GetRunningSharps() const { return fRunSharps; }
  uint16_t GetRunningDoubleFlats() const { return fRunDoubleFlats; }
  uint16_t GetRunningDoubleSharps() const { return fRunDoubleSharps; }

  // Time.
  void SetTimeSig(int numerator, int denominatorCode);
  int GetTimeSigNumerator() const { return fTimeNumerator; }
  int GetTimeSigDenominator() const { return fTimeDenominatorCode; }
  int32_t GetBarTicks() const;
  int32_t GetTick() const { return fTick; }
  void SetTick(int32_t tick) { fTick = tick; }
  void AdvanceTick(int32_t ticks);

  // Grace run: grace notes since the last normal note, counted in 4 bits.
  void IncGraceCount() { fGraceCount = uint8_t((fGraceCount + 1) & 0x0F); }
  void ClearGraceCount() { fGraceCount = 0; }
  int GetGraceCount() const { return fGraceCount; }

  // Slur.
  void BeginSlur(int direction);
  void EndSlur();
  bool InSlur() const { return fSlurOpen || fSlurDown; }
  int GetSlurDirection() const { return fSlurDown ? 1 : 0; }

  // Velocity and its ramp.
  int GetVelocity() const { return fVelocity; }
  void SetVelocity(int velocity);
  void StartRamp(int current, int target, int32_t ticks);
  void StopRamp();
  void AdvanceRamp(int32_t ticks);
  int GetRampRemaining() const { return fRampRemaining; }
  int GetRampTarget() const { return fRampTarget; }

  // Performance style (signed, 6 bits).
  void SetPerformanceStyle(int style);
  int GetPerformanceStyle() const { return fStyle; }

  // Repeats.
  int GetLocalRepeatPass() const { return fLocalPass; }
  void SetLocalRepeatPass(int pass) { fLocalPass = uint16_t(pass); }
  void IncLocalRepeatPass() { ++fLocalPass; }
  int GetMasterRepeatPass() const { return fMasterPass; }
  void SetMasterRepeatPass(int pass) { fMasterPass = uint8_t(pass); }
  void IncMasterRepeatPass() { ++fMasterPass; }
  int GetMasterRepeatCount() const { return fMasterCount; }
  void SetMasterRepeatCount(int count) { fMasterCount = uint8_t(count); }
  int GetRepeatPass() const { return fLocalPass > fMasterPass ? fLocalPass : fMasterPass; }

  // Repeat jumps taken in this walk. Repeats whose passages cross each other can reset each
  // other's passes; past this many jumps a walk stops following repeats, so playback ends.
  static constexpr int kMaxRepeatJumps = 10000;
  bool CanRepeat() const { return fRepeatJumps < kMaxRepeatJumps; }
  void CountRepeatJump() { ++fRepeatJumps; }
  int GetRepeatJumps() const { return fRepeatJumps; }

  // Jumps: a D.C. or D.S. sets both; a To Coda after a jump clears the pending coda.
  void SetJumpTaken() { fJumpTaken = fCodaPending = true; }
  void ClearCodaPending() { fCodaPending = false; }
  bool IsAfterJump() const { return fJumpTaken; }
  bool IsCodaPending() const { return fCodaPending; }

  // MIDI set-up from the staff; untouched by Reset.
  void SetChannel(int channel) { fChannel = uint8_t(channel & 0x0F); }
  int GetChannel() const { return fChannel; }
  void SetPort(int port) { fPort = uint8_t(port & 0x0F); }
  int GetPort() const { return fPort; }
  void SetTranspose(int semitones);
  int GetTranspose() const { return fTranspose; }

 private:
  TStaffPositionSet fTies[2];
  int32_t fTick;
  uint8_t fChannel = 0;
  uint8_t fPort = 0;
  uint8_t fClef;
  int16_t fTranspose;  // wider than the 6 bits a staff could need, so no transposition wraps
  uint8_t fVelocity;
  uint8_t fTimeNumerator;  // the whole numerator, up to 99 beats
  uint8_t fTimeDenominatorCode;
  int8_t fStyle;
  bool fCodaPending;
  bool fJumpTaken;
  uint8_t fWalkMode;
  bool fSlurOpen;
  bool fSlurDown;
  uint8_t fOctaveShift;
  uint16_t fRampRemaining;
  uint8_t fRampTarget;
  uint16_t fLocalPass;
  uint8_t fMasterPass;
  uint8_t fMasterCount;
  uint8_t fGraceCount;
  int32_t fRepeatJumps;
  uint16_t fKeyFlats, fKeySharps;
  uint16_t fRunFlats, fRunSharps, fRunDoubleFlats, fRunDoubleSharps;
};
