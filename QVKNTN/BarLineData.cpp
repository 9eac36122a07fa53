#include "QVKNTN/BarLineData.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/StaffItems.h"

namespace {
const TBarLineData* BarLineAt(const TStaffItems& items, int i) {
  const TNotatedItem* item = items.At(i);
  return (item && item->GetType() == ntBarLine) ? static_cast<const TBarLineData*>(item) : nullptr;
}
}  // namespace

TBarLineData::TBarLineData(int style, int repeatCount) : TNotatedItem(ntBarLine) { SetStyle(style, repeatCount); }

void TBarLineData::SetStyle(int style, int repeatCount) {
  fStyleByte = uint8_t((fStyleByte & 0xC0) | (style & 0x3F));
  if (GetStyle() == blLocalRepeatClose)
    fRepeatCount = uint8_t(repeatCount > 1 && repeatCount < 256 ? repeatCount : 2);
  else
    fRepeatCount = 1;
}

bool TBarLineData::ClosesSection() const {
  const int s = GetStyle();
  return s == blSectionClose || s == blLocalRepeatClose || s == blMasterRepeatClose;
}

bool TBarLineData::OpensSection() const {
  const int s = GetStyle();
  return s == blSectionOpen || s == blLocalRepeatOpen || s == blMasterRepeatOpen;
}

void TBarLineData::UpdateContext(TStaffContext& context) const {
  context.ResetAccidentals();
  switch (GetStyle()) {
    case blSectionOpen:
    case blSectionClose: context.SetMasterRepeatPass(1); break;
    case blLocalRepeatOpen: context.SetLocalRepeatPass(1); break;
    case blLocalRepeatClose: context.IncLocalRepeatPass(); break;
    case blMasterRepeatOpen:
      context.SetMasterRepeatPass(1);
      context.SetMasterRepeatCount(2);
      break;
    case blMasterRepeatClose: context.IncMasterRepeatPass(); break;
    default: break;
  }
}

int TBarLineData::Perform(TStaffContext& context, const TStaffItems& items, int index) const {
  if (context.IsWalking()) return index + 1;  // audit and transposition walks never repeat
  const int style = GetStyle();
  bool repeat = false;
  if (style == blLocalRepeatClose) {
    repeat = context.GetLocalRepeatPass() < fRepeatCount;
    if (!repeat) context.SetLocalRepeatPass(0);
  } else if (style == blMasterRepeatClose) {
    repeat = !context.IsCodaPending() && context.GetMasterRepeatPass() < context.GetMasterRepeatCount();
  }
  if (!repeat || !context.CanRepeat()) return index + 1;
  const int target = RepeatTarget(items, index);
  if (target != index + 1) context.CountRepeatJump();
  return target;
}

// Searches back from this close for the bar that opens the repeated passage; a repeat of the
// other kind met on the way either ends the search (it encloses this one) or is stepped over
// (its own close was passed, so it is nested inside).
int TBarLineData::RepeatTarget(const TStaffItems& items, int index) const {
  const bool local = GetStyle() == blLocalRepeatClose;
  bool passedOtherClose = false;
  for (int i = index - 1; i >= 0; --i) {
    if (i == 0) return 1;
    const TBarLineData* bar = BarLineAt(items, i);
    if (!bar) continue;
    const int s = bar->GetStyle();
    if (local) {
      // A section bar starts the passage too: going back across it would replay the section open,
      // which restarts the master passes of an enclosing repeat, and playback would never end.
      if (s == blLocalRepeatOpen || s == blLocalRepeatClose || s == blSectionOpen || s == blSectionClose)
        return i + 1;
      if (s == blMasterRepeatClose) passedOtherClose = true;
      if (s == blMasterRepeatOpen && !passedOtherClose) return index + 1;
    } else {
      if (s == blMasterRepeatOpen || s == blSectionOpen || s == blSectionClose) return i + 1;
      if (s == blLocalRepeatClose) passedOtherClose = true;
      if (s == blLocalRepeatOpen && !passedOtherClose) return index + 1;
    }
  }
  return 1;
}
