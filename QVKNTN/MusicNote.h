// A note: one head at a staff position with its accidental, tie direction and play flags; its
// sounding pitch comes from the position, clef, key and running accidentals of the context.
#pragma once
#include "QVKNTN/SongNote.h"

class TMusicNote : public TSongNote {
 public:
  explicit TMusicNote(int position = 0, int durationCode = 2, int accidental = acNone)
      : TMusicNote(ntNote, position, durationCode, accidental) {}
  int GetNoteCount() const override { return 1; }
  TMusicNote* GetNote(int i) override { return i == 0 ? this : nullptr; }
  TMusicNote* FindNoteAtPosition(int position) override;
  int GetPosition() const override { return fPosition; }
  void SetPosition(int position) override { fPosition = int8_t(NtnClampPosition(position)); }
  void UpdateContext(TStaffContext& context) const override;
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;
  void ResolveAccidental(const TStaffContext& context, bool resolve) override;
  int GetAccidentalSpace() const override;
  bool TransposeBy(const TStaffContext& context, int semitones, int steps, bool test) override;
  void RespellForKey(const TStaffContext& context) override;
  bool TakesLyricByDefault() const override;

  virtual TMusicNote* GetFirstNote() { return this; }
  virtual TMusicNote* GetLastNote() { return this; }
  virtual int GetFlagCount() const;
  virtual bool HasStem() const;

  int GetWidth(const TStaffDrawInfo& line, int cell) const override;
  int GetTrailingSpace(const TStaffDrawInfo& line, int cell) const override;
  void Draw(TStaffDrawInfo& line, int cell, int x) const override;
  // One head at a head x: accidental (at accX), leger lines, glyph, ties and dots; the stem and
  // articulations are the caller's.
  void DrawHead(TStaffDrawInfo& line, int cell, int lineX, int accX, int headX, bool dotShift) const;
  // Staccato, tenuto and accent beyond the head at the position, away from the stem.
  void DrawArticulations(TStaffDrawInfo& line, int headX, int position, int stemSign) const;

  // The sounding MIDI key under the context (transposition included, folded into 0..127).
  int GetPitch(const TStaffContext& context) const;
  int GetLetter(const TStaffContext& context) const;
  // Spells the head one letter up (+1) or down (-1) at the same pitch; false when the accidental
  // would leave double flat .. double sharp, and nothing changes.
  bool RespellAccidental(const TStaffContext& context, int direction);

  int GetAccidental() const { return fPitch & 7; }
  void SetAccidental(int code) { fPitch = uint8_t((fPitch & ~7) | ((code >= 0 && code <= acNone) ? code : acNone)); }
  bool IsTieDown() const { return fPitch & 0x08; }
  void SetTieDown(bool down) { SetPitchBit(0x08, down); }
  bool IsHeadFlipped() const { return fPitch & 0x10; }  // set by the chord's head arrangement
  void SetHeadFlipped(bool on) { SetPitchBit(0x10, on); }
  bool IsMuted() const { return fPitch & 0x20; }
  void SetMuted(bool on) { SetPitchBit(0x20, on); }
  bool HasNoLegerLines() const { return fPitch & 0x40; }
  void SetNoLegerLines(bool on) { SetPitchBit(0x40, on); }
  uint8_t GetPitchByte() const { return fPitch; }
  void SetPitchByte(uint8_t b) { fPitch = b; }

  // One head's share of the context: its accidental and its ties.
  void UpdateHeadContext(TStaffContext& context) const;
  // One head's note-on and note-off; chords and rest chords play each of their heads this way.
  void AddHeadEvents(const TStaffContext& context, TMidiEventSink& sink) const;

 protected:
  // Chords are notes with their own type code.
  TMusicNote(int type, int position, int durationCode, int accidental);

 private:
  void SetPitchBit(uint8_t bit, bool on) { fPitch = uint8_t(on ? fPitch | bit : fPitch & ~bit); }

  int8_t fPosition = 0;
  uint8_t fPitch = acNone;  // bits 0-2 accidental, 3 tie down, 4 head flipped, 5 muted, 6 no leger lines, 7 kept
};
