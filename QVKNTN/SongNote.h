// What notes, chords and rests share: duration code, dots and triplets, stems, beams, articulation
// and tie and slur attributes, and their effect on the staff context's grace run, slur and tick.
#pragma once
#include "QVKNTN/NotatedItem.h"

class TSongNote : public TNotatedItem {
 public:
  enum { grpBeam = 0, grpTriplet = 1 };
  enum { lyrDefault = 0, lyrAlways = 1, lyrNever = 2 };

  void CopyProps(const TNotatedItem& other) override;
  int32_t GetDuration() const override;
  void UpdateContext(TStaffContext& context) const override;

  // The one-field setters are defined here so that calls the compiler can bind (in constructors,
  // on known classes) inline.
  virtual void SetDuration(int code) { fDuration = uint8_t((fDuration & 0xF0) | (code & 0x0F)); }
  virtual void SetAttribute(int n);
  virtual void ClearAttribute(int n) {
    if (n >= 0 && n <= 15) fAttributes = uint16_t(fAttributes & ~(1u << n));
  }
  virtual void SetGroupState(int kind, int state);
  virtual void SetBeamState(int state) { fDuration = uint8_t((fDuration & 0x3F) | ((state & 3) << 6)); }
  virtual void SetTripletState(int state) { SetGroupByte(uint8_t((GetGroupByte() & ~3) | (state & 3))); }
  virtual void SetStemDirection(int code);
  void SetStemSign(int sign);
  // The stem code SetStemSign gives a sign: 0 automatic, negative down, positive up.
  static int StemCodeForSign(int sign) { return sign == 0 ? stAuto : (sign < 0 ? stDown : stUp); }
  virtual void SyncNotes() {}
  virtual bool HasSplitStems() const { return false; }
  virtual bool HasSplitDurations() const { return false; }
  virtual int GetAccidentalSpace() const { return GetExtraAccidentalSpace(); }
  // Moves the heads by semitones and staff steps; a test restores them and answers whether a
  // spelling exists.
  virtual bool TransposeBy(const TStaffContext& context, int semitones, int steps, bool test) { return true; }
  virtual void RespellForKey(const TStaffContext& context) {}
  virtual bool TakesLyricByDefault() const { return false; }

  // Layout: note spacing after the item and where its head stands in the cell.
  int GetWidth(const TStaffDrawInfo& line, int cell) const override;
  int GetTrailingSpace(const TStaffDrawInfo& line, int cell) const override;
  int GetHeadOffset(const TStaffDrawInfo& line, int cell) const;
  // Head widths beyond the first (a chord's second column of heads).
  virtual int GetExtraHeadColumns() const { return 0; }
  // The duration class as drawing uses it: stored classes past the sixty-fourth draw as one.
  int GetDrawClass() const { return GetDurationCode() > kShortestDurationCode ? kShortestDurationCode : GetDurationCode(); }

  bool HasAttribute(int n) const { return (fAttributes >> n) & 1; }
  bool IsGrace() const { return HasAttribute(naGrace); }
  int GetDurationCode() const { return fDuration & 0x0F; }
  int GetStemCode() const { return (fDuration >> 4) & 3; }
  // +1 up, -1 down; an automatic stem points up for heads below the middle line.
  int GetStemSign() const;
  int GetBeamState() const { return fDuration >> 6; }
  int GetTripletState() const { return GetGroupByte() & 3; }
  int GetLyricMode() const { return (GetGroupByte() >> 2) & 3; }
  void SetLyricMode(int mode) { SetGroupByte(uint8_t((GetGroupByte() & ~0x0C) | ((mode & 3) << 2))); }
  bool IsSlurDown() const { return GetGroupByte() & 0x10; }
  void SetSlurDown(bool down) { SetGroupByte(uint8_t(down ? GetGroupByte() | 0x10 : GetGroupByte() & ~0x10)); }
  int GetExtraAccidentalSpace() const { return fSpacing & 0x0F; }
  void SetExtraAccidentalSpace(int n) { fSpacing = uint8_t((fSpacing & 0xF0) | (n & 0x0F)); }
  int GetExtraNoteSpace() const { return fSpacing >> 4; }
  void SetExtraNoteSpace(int n) { fSpacing = uint8_t((fSpacing & 0x0F) | ((n & 0x0F) << 4)); }

  // The stored words, for the item record.
  uint16_t GetAttributeWord() const { return fAttributes; }
  void SetAttributeWord(uint16_t word) { fAttributes = word; }
  uint8_t GetSpacingByte() const { return fSpacing; }
  void SetSpacingByte(uint8_t b) { fSpacing = b; }
  uint8_t GetDurationByte() const { return fDuration; }
  void SetDurationByte(uint8_t b) { fDuration = b; }
  // Bits 0-1 triplet, bits 2-3 lyric mode, bit 4 slur downwards; kept in the item's spare head bits.
  uint8_t GetGroupByte() const { return uint8_t(GetSpareBits()); }
  void SetGroupByte(uint8_t b) { SetSpareBits(b); }

 protected:
  explicit TSongNote(int type) : TNotatedItem(type) {}
  // The context effect every song note shares: grace run, slur, then the tick moves on.
  void UpdateSongContext(TStaffContext& context) const;
  void CopySongFields(const TSongNote& other);

 private:
  uint16_t fAttributes = 0;
  uint8_t fSpacing = 0;        // bits 0-3 extra accidental space, bits 4-7 extra note space
  uint8_t fDuration = 2;       // bits 0-3 code, bits 4-5 stem code, bits 6-7 beam state
};
