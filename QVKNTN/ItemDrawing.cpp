#include "QVKNTN/ItemDrawing.h"

#include "QVKNTN/EditorLine.h"

#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/StaffDrawInfo.h"

bool NtnItemIsVisible(const TNotatedItem* item, int shownIndex) {
  // The earlier line hides nothing: its files carry no visibility.
  if constexpr (kEarlierLine) return true;
  int code = item->GetVisibility();
  if (code == TNotatedItem::visDefault) code = item->GetDefaultVisibility();
  switch (code) {
    case TNotatedItem::visOnTopStaff: return shownIndex == 0;
    case TNotatedItem::visNever: return false;
    default: return true;
  }
}

int NtnItemColor(const TNotatedItem* item, const TStaffDrawInfo& line) {
  // Nor does it colour single items: everything takes its line's colour.
  if constexpr (kEarlierLine) return line.GetColor();
  const int own = item->GetColor();
  if (own >= 1 && own <= 3) return own + 4;
  return NtnItemIsVisible(item, line.GetShownIndex()) ? line.GetColor() : 3;
}

int TNotatedItem::GetWidth(const TStaffDrawInfo& line, int cell) const {
  return 2 * line.GetFonts().GetGlyphWidth(MusicGlyphs::kFilledHead);
}
