// The frame's stored placement (section "Placement"): flags, show command and the normal-position
// rectangle, with the defaults for a screen of a given size and the test that the window would
// be reachable on that screen.
#pragma once

class TSysInfo;

constexpr const char kPlacementSection[] = "Placement";

struct TStoredPlacement {
  int flags;
  int showCmd;
  int x1, y1, x2, y2;
};

// Each key with its default: flags 0, show command 3, x1 = W/5, y1 = H/5, x2 = W - x1, y2 = H - y1
// (with the x1 and y1 just read).
TStoredPlacement ReadPlacement(TSysInfo& settings, int screenWidth, int screenHeight);
void WritePlacement(TSysInfo& settings, const TStoredPlacement& p);
// False when the left edge lies beyond the screen width less an icon width, or the top edge
// beyond the height less an icon height: such a placement is not applied.
bool IsPlacementReachable(const TStoredPlacement& p, int screenWidth, int screenHeight, int iconWidth, int iconHeight);
