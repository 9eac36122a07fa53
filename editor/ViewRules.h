// The arithmetic of the editing view that needs no window: zoom steps and the staff pane's
// fullness figure.
#pragma once

constexpr int kMinZoom = 2;
constexpr int kMaxZoom = 50;

// The zoom (staff size) after asking for `requested` at `current`: an odd size moves one further
// in the direction of the change, and the result stays within 2..50.
int ZoomAfter(int current, int requested);

// How full a staff is, in percent, from its free item slots.
int StaffFullPercent(int freeSlots);
