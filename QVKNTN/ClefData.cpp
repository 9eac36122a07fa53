#include "QVKNTN/ClefData.h"
#include "QVKNTN/StaffContext.h"

TClefData::TClefData(int clef, int octaveShift) : TNotatedItem(ntClef) {
  SetClef(clef);
  SetOctaveShift(octaveShift);
}

void TClefData::SetClef(int clef) { fClef = int8_t((clef >= clTreble && clef <= clTenor) ? clef : clTreble); }

void TClefData::UpdateContext(TStaffContext& context) const { context.SetClef(fClef, fOctaveShift); }
