#include "earlier/editor/EarlierEditRules.h"

#include <algorithm>

#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotationTypes.h"

namespace earlier_rules {
namespace {
constexpr int kGraceLongest = 2;
constexpr int kShortest = 6;
constexpr int kEdge = 10;
}  // namespace

bool CanEditItemType(int type, bool experimental) {
  if (type == ntNote || type == ntRest || type == ntChord) return experimental;
  return (type >= ntClef && type <= ntDynamicLevel) || (type >= ntSustainPedal && type <= ntTextExpression);
}

int DurationLonger(int index, bool grace) {
  --index;
  if (grace && index < kGraceLongest) return kGraceLongest;
  return index < 0 ? kShortest : index;
}

int DurationShorter(int index, bool grace) {
  ++index;
  if (index > kShortest) return grace ? kGraceLongest : 0;
  return index;
}

TTrackLimits ScoreWindowLimits(const TTrackMetrics& m) {
  TTrackLimits l;
  l.minWidth = std::min(m.vScrollWidth + m.systemMinWidth + 20 * m.lineSpacing, m.frameClientWidth / 2);
  l.minHeight = m.hScrollHeight + 12 * m.lineSpacing + m.systemMinHeight;
  l.maxWidth = 2 * m.screenWidth;
  l.maxHeight = 2 * m.screenHeight;
  return l;
}

void ApplyLyricsRoom(TMusicStaff& staff, int oldLines, int oldPlacement, int newLines, int newPlacement,
                     int lineHeight) {
  const int oldRoom = std::max(oldLines, 0) * lineHeight;
  const int newRoom = std::max(newLines, 0) * lineHeight;
  // Positions grow downwards: the extent above the staff is negative, the one below positive.
  // Placement 1 takes the room above the staff, any other below it.
  const int aboveDelta = (oldPlacement == 1 ? oldRoom : 0) - (newPlacement == 1 ? newRoom : 0);
  const int belowDelta = (newPlacement != 1 ? newRoom : 0) - (oldPlacement != 1 ? oldRoom : 0);
  if (aboveDelta == 0 && belowDelta == 0) return;
  staff.SetVerticalSize(staff.GetUpperSize() + aboveDelta, staff.GetLowerSize() + belowDelta);
}

std::string BankSelectText(const TStaffInstrument& in) {
  if (!in.bankSelect || in.patch == 0) return "Off";
  return std::to_string(in.bank);
}

std::string PatchSelectText(const TStaffInstrument& in) {
  return in.patch == 0 ? "<None>" : std::to_string(in.patch);
}

TPoint2 TransposeWarningPosition(int screenWidth, int screenHeight, int caretY, int width, int height) {
  TPoint2 p;
  p.x = (screenWidth - width) / 2;
  if (caretY > screenHeight / 2) {
    p.y = (caretY - height) / 2;
    if (p.y < 0) p.y = kEdge;
  } else {
    p.y = caretY + (screenHeight - caretY - height) / 2;
    p.y = std::min(p.y, screenHeight - height - kEdge);
  }
  return p;
}

}  // namespace earlier_rules
