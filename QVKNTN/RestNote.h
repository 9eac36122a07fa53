// A rest: a song note without heads, with a vertical offset and an optional explicit length that
// lets a whole rest fill any bar.
#pragma once
#include "QVKNTN/SongNote.h"

class TRestNote : public TSongNote {
 public:
  explicit TRestNote(int durationCode = 2) : TRestNote(ntRest, durationCode) {}
  TRestNote* AsRest() override { return this; }
  int GetPosition() const override;
  int GetLowPosition() const override;
  int GetHighPosition() const override;
  void SetPosition(int position) override { SetVerticalOffset(position); }
  int32_t GetDuration() const override;
  int GetWidth(const TStaffDrawInfo& line, int cell) const override;
  int GetTrailingSpace(const TStaffDrawInfo& line, int cell) const override;
  void Draw(TStaffDrawInfo& line, int cell, int x) const override;
  // The rest glyph at its position, with its dots; chordHead moves it clear of a rest chord's heads.
  void DrawRest(TStaffDrawInfo& line, int cell, int x, const class TMusicNote* part) const;

  // The rest lasts count notes of the duration code: count whole notes (code 0) down to count
  // sixty-fourths. Wide enough for the longest bar (99 whole notes).
  void SetExplicitLength(int count, int code);
  void SetExplicitTicks(int32_t ticks);
  void ClearExplicitLength() { fHasExplicitLength = false; }
  bool HasExplicitLength() const { return fHasExplicitLength; }
  int32_t GetExplicitLength() const { return fExplicitLength; }

  // Signed 12-bit offset in staff positions; the word's top 4 bits are kept as stored.
  int GetVerticalOffset() const;
  void SetVerticalOffset(int offset);
  uint16_t GetOffsetWord() const { return fOffsetWord; }
  void SetOffsetWord(uint16_t word) { fOffsetWord = word; }

 protected:
  // Rest chords are rests with their own type code.
  TRestNote(int type, int durationCode);

 private:
  bool fHasExplicitLength = false;
  int32_t fExplicitLength = kWholeNoteTicks;
  uint16_t fOffsetWord = 0;
};
