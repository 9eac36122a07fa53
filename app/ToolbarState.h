// A toolbar's state word and the 10-byte value each toolbar keeps under its name in the
// "Toolbars" section, with the limits every toolbar obeys: command ids, name length, gadgets.
#pragma once
#include <cstdint>

constexpr uint16_t kTbFloating = 0x0010;
constexpr uint16_t kTbHidden = 0x0020;
constexpr uint16_t kTbWin4 = 0x0080;
constexpr uint16_t kTbEdgeLines = 0x0F00;
constexpr uint16_t kTbDockLeft = 0x1000;
constexpr uint16_t kTbDockTop = 0x2000;
constexpr uint16_t kTbDockRight = 0x4000;
constexpr uint16_t kTbDockBottom = 0x8000;
constexpr uint16_t kTbDockMask = 0xF000;
constexpr uint16_t kTbAllDocks = 0xF000;

// Toolbar k answers command kFirstToolbarCommand + k; there is room for 90 toolbars.
constexpr int kFirstToolbarCommand = 20310;
constexpr int kLastToolbarCommand = 20399;
constexpr int kMaxToolbars = kLastToolbarCommand - kFirstToolbarCommand + 1;
// "toolbars.dat" keeps names of up to 31 characters.
constexpr int kToolbarNameRoom = 32;
constexpr int kMaxToolbarNameLength = kToolbarNameRoom - 1;
constexpr int kMaxToolbarGadgets = 48;
constexpr uint16_t kToolbarFileSeparator = 0xFFFF;
// The button that stands for a command the program does not know.
constexpr uint16_t kPlaceholderCommand = 1;

enum class TDockEdge { Left, Top, Right, Bottom };

inline bool IsFloatingState(uint16_t flags) { return (flags & kTbFloating) != 0; }
inline bool IsHiddenState(uint16_t flags) { return (flags & kTbHidden) != 0; }
TDockEdge DockEdgeOf(uint16_t flags);
uint16_t DockBitOf(TDockEdge edge);
// Left and right docks hold their toolbars upright.
inline bool IsSideDock(TDockEdge edge) { return edge == TDockEdge::Left || edge == TDockEdge::Right; }
// A toolbar is laid out vertically only while docked on a side.
inline bool IsVerticalState(uint16_t flags) { return !IsFloatingState(flags) && IsSideDock(DockEdgeOf(flags)); }

struct TToolbarIniValue {
  uint16_t flags = 0;
  int16_t floatX = 10;
  int16_t floatY = 10;
  uint16_t shape = 0;
  uint8_t order = 0;
  uint8_t newRow = 0;
};
constexpr int kToolbarIniBytes = 10;

void EncodeToolbarIniValue(const TToolbarIniValue& value, uint8_t (&bytes)[kToolbarIniBytes]);
TToolbarIniValue DecodeToolbarIniValue(const uint8_t (&bytes)[kToolbarIniBytes]);
// What a stored value may not keep: a state without a dock edge docks on top, and a floating
// position off the screen moves to 10.
void NormaliseToolbarIniValue(TToolbarIniValue& value, int screenWidth, int screenHeight);
