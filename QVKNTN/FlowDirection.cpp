#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/StaffItems.h"

namespace {
// The first flow direction of the staff that satisfies the test; -1 when none.
template <class Test>
int FindFlow(const TStaffItems& items, Test test) {
  for (int i = 0; i < items.count; ++i) {
    const TNotatedItem* item = items.At(i);
    if (item && item->GetType() == ntFlowDirection && test(*static_cast<const TFlowDirection*>(item))) return i;
  }
  return -1;
}
}  // namespace

TFlowDirection::TFlowDirection(int style) : TNtnGeneralExpression(ntFlowDirection) {
  SetStyle(style);
  SetPosition(-8);
}

void TFlowDirection::UpdateContext(TStaffContext& context) const {
  if (fStyle <= fdFine) return;
  if (fStyle == fdToCoda) {
    if (!context.IsAfterJump()) return;
    context.ClearCodaPending();
  } else if (!context.IsAfterJump()) {
    // Only the jump that is taken arms the coda: a D.C. or D.S. passed again after it (which
    // plays on) must not send the next To Coda back round for ever.
    context.SetJumpTaken();
  }
  context.ResetAccidentals();
}

int TFlowDirection::Perform(TStaffContext& context, const TStaffItems& items, int index) const {
  if (context.IsWalking()) return index + 1;  // audit and transposition walks visit every item once
  switch (fStyle) {
    case fdFine:
      return context.IsAfterJump() ? items.LastIndex() : index + 1;
    case fdToCoda: {
      if (!context.IsAfterJump() || !context.IsCodaPending()) return index + 1;
      const int coda = FindFlow(items, [](const TFlowDirection& f) { return f.GetStyle() == fdCoda; });
      if (coda >= 0) return coda;
      const int jump = FindFlow(items, [](const TFlowDirection& f) { return f.IsDaCapo() || f.IsDalSegno(); });
      return jump >= 0 ? jump + 1 : index + 1;
    }
    default: break;
  }
  if (IsDaCapo()) return context.IsAfterJump() ? index + 1 : 0;
  if (IsDalSegno()) {
    if (context.IsAfterJump()) return index + 1;
    // Without a Segno there is nowhere to go back to: carry on.
    const int segno = FindFlow(items, [](const TFlowDirection& f) { return f.GetStyle() == fdSegno; });
    return segno >= 0 ? segno : index + 1;
  }
  return index + 1;
}
