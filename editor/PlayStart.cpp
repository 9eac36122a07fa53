#include "editor/PlayStart.h"

#include <algorithm>

#include "QVKNTN/EditorLine.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/StaffContext.h"

int PlayStartIndex(const TMusicStaff& staff, int caret, int leadInBars) {
  const int last = staff.LastIndex();
  caret = std::clamp(caret, 1, std::max(last, 1));
  if (leadInBars <= 0) {
    if constexpr (kEarlierLine) return caret;
    int i = caret;
    while (i < last && !NtnIsSongNoteType(NtnType(staff.GetItem(i)))) ++i;
    return i;
  }
  for (int i = caret - 1; i > 0; --i) {
    if (NtnType(staff.GetItem(i)) == ntBarLine) return i + 1;
  }
  return 1;
}

long PlayStartTick(const TMusicStaff& staff, int caret, int leadInBars) {
  TStaffContext context;
  staff.BuildContextAt(PlayStartIndex(staff, caret, leadInBars), context);
  const long tick = context.GetTick();
  if (leadInBars <= 1) return tick;
  return std::max(tick - static_cast<long>(leadInBars - 1) * context.GetBarTicks(), 0L);
}
