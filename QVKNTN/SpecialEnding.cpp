#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/StaffItems.h"

namespace {
// Endings after a D.C. or D.S. jump play into the ending marked 8.
constexpr int kPassAfterJump = 8;
// A master repeat with endings may go round as often as there are endings to choose from.
constexpr int kRepeatCountWithEndings = 8;
}  // namespace

bool TSpecialEnding::PlaysOnPass(int pass) const {
  // Passes outside the mask's 32 bits select no ending rather than an undefined shift.
  return pass >= 1 && pass <= 32 && ((fMask >> (pass - 1)) & 1);
}

void TSpecialEnding::UpdateContext(TStaffContext& context) const {
  context.SetMasterRepeatCount(kRepeatCountWithEndings);
}

int TSpecialEnding::Perform(TStaffContext& context, const TStaffItems& items, int index) const {
  // Audit and transposition walks visit every ending; they keep their own copies of the context.
  if (context.IsWalking() || context.GetMasterRepeatPass() == 0) return index + 1;
  const int pass = context.IsCodaPending() ? kPassAfterJump : context.GetRepeatPass();
  if (PlaysOnPass(pass)) return index + 1;
  for (int i = index + 1; i < items.count; ++i) {
    const TNotatedItem* item = items.At(i);
    if (!item) continue;
    if (item->GetType() == ntSpecialEnding) return i;
    if (item->GetType() != ntBarLine) continue;
    const int s = static_cast<const TBarLineData*>(item)->GetStyle();
    if (s == TBarLineData::blDouble || s == TBarLineData::blSectionOpen || s == TBarLineData::blMasterRepeatOpen)
      return i;
    if (s == TBarLineData::blSectionClose || s == TBarLineData::blMasterRepeatClose) return i + 1;
  }
  return index + 1;
}
