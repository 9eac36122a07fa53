// A key signature: letter masks of its flats and sharps, and the naturals that cancel the previous
// key. Applies itself to the staff context and transposes to the key a transposition leads to.
#pragma once
#include "QVKNTN/NotatedItem.h"

class TKeyData final : public TNotatedItem {
 public:
  TKeyData() : TNotatedItem(ntKey) {}
  int GetLowPosition() const override { return -6; }
  int GetHighPosition() const override { return 6; }
  int GetWidth(const TStaffDrawInfo& line, int cell) const override;
  void Draw(TStaffDrawInfo& line, int cell, int x) const override;
  void UpdateContext(TStaffContext& context) const override;
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;

  void SetLetterFlat(int letter);
  void SetLetterSharp(int letter);
  void ClearLetter(int letter);
  int GetSignedSize() const;

  // Moves the signature by semitones to the key of the new tonic; steps answers the staff steps
  // the notes move by. A negative preference spells B as C flat, a positive one G flat as F sharp
  // and D flat as C sharp. A test only answers; otherwise the masks are rebuilt. Answers the new
  // signed key size.
  int Transpose(int semitones, int& steps, int preference, bool test);
  // The earlier line's transposition (earlier/QVKNTN): the key of the new tonic with no spelling
  // preference and no staff steps; a key of both flats and sharps stays as it is.
  void Transpose(int semitones);

  uint16_t GetFlatMask() const { return fFlats; }
  uint16_t GetSharpMask() const { return fSharps; }
  void SetMasks(uint16_t flats, uint16_t sharps) { fFlats = flats; fSharps = sharps; }
  int GetCancelStyle() const { return fCancelStyle; }
  void SetCancelStyle(int style) { fCancelStyle = uint8_t((style >= 0 && style <= 3) ? style : 0); }
  uint16_t GetCancelledFlats() const { return fCancelledFlats; }
  uint16_t GetCancelledSharps() const { return fCancelledSharps; }
  void SetCancelledMasks(uint16_t flats, uint16_t sharps) { fCancelledFlats = flats; fCancelledSharps = sharps; }
  // The clef in force where the signature stands, kept by the audit for drawing; never stored.
  int GetAuditClef() const { return fAuditClef; }
  void SetAuditClef(int clef) { fAuditClef = int8_t(clef & 3); }

 private:
  uint16_t fFlats = 0;
  uint16_t fSharps = 0;
  uint8_t fCancelStyle = 0;
  uint16_t fCancelledFlats = 0;
  uint16_t fCancelledSharps = 0;
  int8_t fAuditClef = clTreble;
};
