#include "QVKNTN/NotatedItem.h"

TNotatedItem::~TNotatedItem() = default;

void TNotatedItem::CopyProps(const TNotatedItem& other) {
  SetVisibility(other.GetVisibility());
  SetColor(other.GetColor());
}

int TNotatedItem::Perform(TStaffContext&, const TStaffItems&, int index) const { return index + 1; }
