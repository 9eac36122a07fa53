// A chord: heads sorted from the lowest note (largest position) to the highest, sharing one
// item's properties, with one stem or split stems, and the head arrangement for seconds.
#pragma once
#include <cstddef>
#include "QVKNTN/ChordHeads.h"
#include "QVKNTN/MusicNote.h"

class TChordData final : public TMusicNote {
 public:
  enum { arPlain = 1, arSeconds = 2 };

  TChordData();
  ~TChordData() override;
  int GetNoteCount() const override { return int(fNotes.size()); }
  TMusicNote* GetNote(int i) override;
  TMusicNote* FindNoteAtPosition(int position) override;
  int GetPosition() const override;
  int GetLowPosition() const override;
  int GetHighPosition() const override;
  void UpdateContext(TStaffContext& context) const override;
  void AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const override;
  void ResolveAccidental(const TStaffContext& context, bool resolve) override;
  int GetAccidentalSpace() const override;
  // The earlier line's accidental columns (what GetAccidentalSpace answers there), at most 15.
  int GetEarlierAccidentalColumns() const;
  bool TransposeBy(const TStaffContext& context, int semitones, int steps, bool test) override;
  void RespellForKey(const TStaffContext& context) override;
  void SyncNotes() override;
  bool HasSplitStems() const override;
  bool HasSplitDurations() const override;
  int GetExtraHeadColumns() const override;
  int GetWidth(const TStaffDrawInfo& line, int cell) const override;
  void Draw(TStaffDrawInfo& line, int cell, int x) const override;
  TMusicNote* GetFirstNote() override { return fNotes.empty() ? nullptr : fNotes.front(); }
  TMusicNote* GetLastNote() override { return fNotes.empty() ? nullptr : fNotes.back(); }

  // Takes ownership of the note when it is accepted; on refusal the caller keeps it and the chord
  // is as it was.
  bool AddNote(TMusicNote* note);
  // Hands the note back to the caller; false when it is not a member.
  bool RemoveNote(TMusicNote* note);
  // A chord down to one note stands for that note: answers the note, taken out of the chord, which
  // the caller then deletes; null (nothing changes) while the chord holds more or fewer notes.
  TMusicNote* ReleaseSoleNote();
  // Inserts a head in order without the chord rules (SyncNotes after).
  // False (the caller keeps the note) only when the chord holds TChordHeads::kMostHeads already.
  bool InsertSorted(TMusicNote* note);
  // For the item reader: a stored head added at the end, in the order the file gives (false, the
  // caller keeping the note, when the chord is full); OrderStoredHeads then sorts them as
  // InsertSorted would have, before SyncNotes.
  bool AppendStoredHead(TMusicNote* note);
  void OrderStoredHeads();
  void ReserveNotes(int n) { if (n > 0) fNotes.reserve(std::size_t(n)); }

  int GetArrangement() const { return fNotes.arrangement() & 0x0F; }
  uint8_t GetArrangementByte() const { return fNotes.arrangement(); }
  void SetArrangementByte(uint8_t b) { fNotes.set_arrangement(b); }

 private:
  struct TSnapshot;
  TSnapshot Save() const;
  void Restore(const TSnapshot& s);
  bool Accept(TMusicNote* note, int stem);
  void ArrangeHeads();
  TMusicNote* StemPart() const;

  TChordHeads fNotes;
};
