#include "editor/ViewRules.h"

#include <algorithm>

int ZoomAfter(int current, int requested) {
  int zoom = requested;
  if (zoom % 2 != 0) zoom += requested > current ? 1 : -1;
  return std::clamp(zoom, kMinZoom, kMaxZoom);
}

int StaffFullPercent(int freeSlots) { return 100 - std::max(freeSlots - 10, 0) / 120; }
