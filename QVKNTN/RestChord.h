// A rest chord: a rest in one voice under a longer note or chord in the other, sharing a stem
// arrangement; it owns that chord part.
#pragma once
#include "QVKNTN/RestNote.h"

class TMusicNote;

class TRestChord final : public TRestNote {
 public:
  explicit TRestChord(int durationCode = 2) : TRestNote(ntRestChord, durationCode) {}
  ~TRestChord() override;
  int GetNoteCount() const override;
  TMusicNote* GetNote(int i) override;
  TMusicNote* FindNoteAtPosition(int position) override;
  void UpdateContext(TStaffContext& context) const override;
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;
  void ResolveAccidental(const TStaffContext& context, bool resolve) override;
  // The note part moves with a transposition and respells with the key; the rest stays.
  bool TransposeBy(const TStaffContext& context, int semitones, int steps, bool test) override;
  void RespellForKey(const TStaffContext& context) override;
  int GetAccidentalSpace() const override;
  void Draw(TStaffDrawInfo& line, int cell, int x) const override;

  // Takes ownership when accepted; on refusal the caller keeps the note and nothing changes.
  bool AddNote(TMusicNote* note);
  // Hands the note back to the caller; false when it is not in the part.
  bool RemoveNote(TMusicNote* note);

  TMusicNote* GetChordPart() const { return fPart; }
  // For the item reader: installs a stored part (a note or a chord), deleting any previous one.
  void SetChordPart(TMusicNote* part);

 private:
  TMusicNote* fPart = nullptr;
};
