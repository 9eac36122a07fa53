// Where a new expression goes above or below the staff: where the last one of its kind went (the
// nearest before the caret on the current staff, else the first on any staff), or a place that
// suits its kind. Every new item also starts with its kind's visibility and the plain colour.
#pragma once

class TMusicScore;
class TNotatedItem;

// The item is about to be inserted before `caret` on staff `staffIndex`.
void PlaceNewItem(TMusicScore& score, int staffIndex, int caret, TNotatedItem& item);
