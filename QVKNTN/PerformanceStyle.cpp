#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/StaffContext.h"

TPerformanceStyle::TPerformanceStyle(int style) : TNtnGeneralExpression(ntPerformanceStyle) {
  SetStyle(style);
  SetWide(kEarlierLine);
  SetPosition(8);
}

void TPerformanceStyle::UpdateContext(TStaffContext& context) const { context.SetPerformanceStyle(fStyle); }
