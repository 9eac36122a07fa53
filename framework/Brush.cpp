#include "framework/Brush.h"
#include "framework/Bitmap.h"

TBrush::TBrush(const TBitmap& pattern) : TGdiObject(CreatePatternBrush(pattern.GetHandle()), true) {}
