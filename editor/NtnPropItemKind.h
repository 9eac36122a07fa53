// The item of a single-item group as its own kind: read from any item of the kind, written only
// while the group stands for exactly one item.
#pragma once

#include "QVKNTN/NotatedItem.h"

template <class Item>
const Item* NtnPropOfType(const TNotatedItem& item, int type) {
  return item.GetType() == type ? static_cast<const Item*>(&item) : nullptr;
}

template <class Item, class Group>
Item* NtnPropSingle(TNotatedItem& item, int type, const Group& g) {
  return g.count == 1 && item.GetType() == type ? static_cast<Item*>(&item) : nullptr;
}

// Groups of one list choice, the item's style: gathered from every item of the kind, written
// while the group stands for one item and a choice was made (-1 is none).
template <class Item, class Group>
void GatherStyleOf(const TNotatedItem& item, int type, Group& g) {
  const Item* x = NtnPropOfType<Item>(item, type);
  if (!x) return;
  ++g.count;
  g.style = x->GetStyle();
}

template <class Item, class Group>
void ApplyStyleTo(const Group& g, TNotatedItem& item, int type) {
  Item* x = NtnPropSingle<Item>(item, type, g);
  if (x && g.style >= 0) x->SetStyle(g.style);
}
