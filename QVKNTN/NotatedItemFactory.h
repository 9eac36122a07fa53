// Builds the default item of a type code; null for a code outside 0..18. The caller owns it.
#pragma once

class TNotatedItem;

TNotatedItem* NewNotatedItem(int type);
