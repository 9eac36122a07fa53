#include "app/FramePlacement.h"

#include "foundation/SysInfo.h"

TStoredPlacement ReadPlacement(TSysInfo& settings, int screenWidth, int screenHeight) {
  TStoredPlacement p;
  p.flags = settings.ReadInt(kPlacementSection, "flags", 0);
  p.showCmd = settings.ReadInt(kPlacementSection, "showCmd", 3);
  p.x1 = settings.ReadInt(kPlacementSection, "x1", screenWidth / 5);
  p.y1 = settings.ReadInt(kPlacementSection, "y1", screenHeight / 5);
  p.x2 = settings.ReadInt(kPlacementSection, "x2", screenWidth - p.x1);
  p.y2 = settings.ReadInt(kPlacementSection, "y2", screenHeight - p.y1);
  return p;
}

void WritePlacement(TSysInfo& settings, const TStoredPlacement& p) {
  settings.WriteInt(kPlacementSection, "flags", p.flags);
  settings.WriteInt(kPlacementSection, "showCmd", p.showCmd);
  settings.WriteInt(kPlacementSection, "x1", p.x1);
  settings.WriteInt(kPlacementSection, "y1", p.y1);
  settings.WriteInt(kPlacementSection, "x2", p.x2);
  settings.WriteInt(kPlacementSection, "y2", p.y2);
}

bool IsPlacementReachable(const TStoredPlacement& p, int screenWidth, int screenHeight, int iconWidth, int iconHeight) {
  return p.x1 <= screenWidth - iconWidth && p.y1 <= screenHeight - iconHeight;
}
