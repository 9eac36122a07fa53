// What every item's drawing shares: whether an item shows on a staff line of the system, and the
// colour it is drawn in.
#pragma once

class TNotatedItem;
class TStaffDrawInfo;

// Visibility code 0 takes the class default; "On Top Staff" shows only on the first shown staff.
bool NtnItemIsVisible(const TNotatedItem* item, int shownIndex);
// The item's own colour 1-3 gives colours 5-7; else the staff's colour, or 3 when invisible.
int NtnItemColor(const TNotatedItem* item, const TStaffDrawInfo& line);
