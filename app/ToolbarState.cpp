#include "app/ToolbarState.h"

TDockEdge DockEdgeOf(uint16_t flags) {
  if (flags & kTbDockLeft) return TDockEdge::Left;
  if (flags & kTbDockRight) return TDockEdge::Right;
  if (flags & kTbDockBottom) return TDockEdge::Bottom;
  return TDockEdge::Top;
}

uint16_t DockBitOf(TDockEdge edge) {
  switch (edge) {
    case TDockEdge::Left: return kTbDockLeft;
    case TDockEdge::Right: return kTbDockRight;
    case TDockEdge::Bottom: return kTbDockBottom;
    case TDockEdge::Top: break;
  }
  return kTbDockTop;
}

namespace {

void Put16(uint8_t* at, uint16_t v) {
  at[0] = static_cast<uint8_t>(v & 0xFF);
  at[1] = static_cast<uint8_t>(v >> 8);
}

uint16_t Get16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }

int16_t FitOnScreen(int16_t v, int extent) { return (v < 0 || v > extent - 10) ? int16_t{10} : v; }

}  // namespace

void EncodeToolbarIniValue(const TToolbarIniValue& value, uint8_t (&bytes)[kToolbarIniBytes]) {
  Put16(bytes + 0, value.flags);
  Put16(bytes + 2, static_cast<uint16_t>(value.floatX));
  Put16(bytes + 4, static_cast<uint16_t>(value.floatY));
  Put16(bytes + 6, value.shape);
  bytes[8] = value.order;
  bytes[9] = value.newRow;
}

TToolbarIniValue DecodeToolbarIniValue(const uint8_t (&bytes)[kToolbarIniBytes]) {
  TToolbarIniValue value;
  value.flags = Get16(bytes + 0);
  value.floatX = static_cast<int16_t>(Get16(bytes + 2));
  value.floatY = static_cast<int16_t>(Get16(bytes + 4));
  value.shape = Get16(bytes + 6);
  value.order = bytes[8];
  value.newRow = bytes[9];
  return value;
}

void NormaliseToolbarIniValue(TToolbarIniValue& value, int screenWidth, int screenHeight) {
  if (value.flags < kTbDockLeft) value.flags = static_cast<uint16_t>(value.flags + 0x2800);
  value.floatX = FitOnScreen(value.floatX, screenWidth);
  value.floatY = FitOnScreen(value.floatY, screenHeight);
}
