// One cell of a laid-out staff line: the item it stands for, its kind in the alignment order, its
// width and its duration. Lines are arrays of these; x positions are running sums of widths.
#pragma once
#include <algorithm>
#include <climits>
#include <cstdint>

#include "QVKNTN/EditorLine.h"

// The kinds in the order simultaneous cells of different staves are aligned. The earlier line
// numbers them differently and gives every expression, ending and other item one kind.
enum class TCellKind : uint8_t {
  Unset = 0,  // the current line's items that take no place in the alignment share it
  Other = kEarlierLine ? 2 : 0,
  LineLead = 1,
  ExpressionBefore = 2,  // placed "before other staff signatures"
  Ending = kEarlierLine ? 2 : 3,
  Clef = kEarlierLine ? 3 : 4,
  Key = kEarlierLine ? 4 : 5,
  TimeSignature = kEarlierLine ? 5 : 6,
  ExpressionAfter = kEarlierLine ? 2 : 7,   // placed "after other staff signatures"
  Grace = kEarlierLine ? 6 : 8,
  Note = kEarlierLine ? 7 : 9,              // note, rest or chord
  Bar = kEarlierLine ? 8 : 10,
};

struct TItemDrawInfo {
  // Bits 0-5 kind, bit 6 hidden, bit 7 substitute; the earlier line hides nothing and keeps the
  // kind in bits 0-6.
  static constexpr uint8_t kKindMask = kEarlierLine ? 0x7F : 0x3F;
  static constexpr uint8_t kHiddenBit = kEarlierLine ? 0x00 : 0x40;
  uint8_t kindBits = 0;
  uint8_t accidentalColumns = 0;
  uint8_t extraHeads = 0;
  uint16_t itemIndex = 0;
  uint16_t ordinal = 0;        // bar number of a bar cell, 1-based syllable of a note cell
  int16_t width = 0;
  int32_t duration = 0;

  TCellKind Kind() const { return static_cast<TCellKind>(kindBits & kKindMask); }
  void SetKind(TCellKind kind) { kindBits = uint8_t((kindBits & ~kKindMask) | uint8_t(kind)); }
  bool IsHidden() const { return kindBits & kHiddenBit; }
  void SetHidden(bool on) { kindBits = uint8_t(on ? kindBits | kHiddenBit : kindBits & ~kHiddenBit); }
  // The cell stands for an item other than its place in the line: a lead cell, a courtesy clef or
  // key, or a line-end bar shown as the staff's end bar.
  bool IsSubstitute() const { return kindBits & 0x80; }
  void SetSubstitute(bool on) { kindBits = uint8_t(on ? kindBits | 0x80 : kindBits & ~0x80); }
  // A cell that stands for an item of the line (not the lead).
  bool IsItem() const { return Kind() != TCellKind::LineLead; }
};

inline bool IsSignatureCell(TCellKind k) {
  return k == TCellKind::Clef || k == TCellKind::Key || k == TCellKind::TimeSignature;
}

// Widths are 16-bit: a sum that grows past that range stops at its top.
inline int16_t ClampCellWidth(long w) { return static_cast<int16_t>(std::clamp<long>(w, 0, SHRT_MAX)); }
