// One cell of a laid-out staff line: the item it stands for, its kind in the alignment order, its
// width and its duration. Lines are arrays of these; x positions are running sums of widths.
#pragma once
#include <cstdint>

// The kinds in the order simultaneous cells of different staves are aligned.
enum class TCellKind : uint8_t {
  Other = 0,
  LineLead = 1,
  ExpressionBefore = 2,  // placed "before other staff signatures"
  Ending = 3,
  Clef = 4,
  Key = 5,
  TimeSignature = 6,
  ExpressionAfter = 7,   // placed "after other staff signatures"
  Grace = 8,
  Note = 9,              // note, rest or chord
  Bar = 10,
};

struct TItemDrawInfo {
  uint8_t kindBits = 0;        // bits 0-5 kind, bit 6 hidden, bit 7 substitute
  uint8_t accidentalColumns = 0;
  uint8_t extraHeads = 0;
  uint16_t itemIndex = 0;
  uint16_t ordinal = 0;        // bar number of a bar cell, 1-based syllable of a note cell
  int16_t width = 0;
  int32_t duration = 0;

  TCellKind Kind() const { return static_cast<TCellKind>(kindBits & 0x3F); }
  void SetKind(TCellKind kind) { kindBits = uint8_t((kindBits & 0xC0) | uint8_t(kind)); }
  bool IsHidden() const { return kindBits & 0x40; }
  void SetHidden(bool on) { kindBits = uint8_t(on ? kindBits | 0x40 : kindBits & ~0x40); }
  // The cell stands for an item other than its place in the line: a lead cell, a courtesy clef or
  // key, or a line-end bar shown as the staff's end bar.
  bool IsSubstitute() const { return kindBits & 0x80; }
  void SetSubstitute(bool on) { kindBits = uint8_t(on ? kindBits | 0x80 : kindBits & ~0x80); }
  // A cell that stands for an item of the line (not the lead).
  bool IsItem() const { return Kind() != TCellKind::LineLead; }
};
