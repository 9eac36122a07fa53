// What page arithmetic needs to know of a printer: the device capabilities a print job reads once.
// The Win32 side fills it from the printer's device context; tests fill it by hand.
#pragma once

struct TPrinterMetrics {
  int aspectX = 1;
  int aspectY = 1;
  int horzRes = 0;
  int vertRes = 0;
  int physicalWidth = 0;
  int physicalHeight = 0;
  int physicalOffsetX = 0;
  int physicalOffsetY = 0;
  int logPixelsX = 0;
  int logPixelsY = 0;
};

// The printable area inside the margins, in device pixels from the printable origin.
struct TPrintArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The score's margins in inches (top, inside, outside, bottom) with the mirror flag.
struct TPageMargins {
  float top = 0.5f;
  float inside = 0.5f;
  float outside = 0.5f;
  float bottom = 0.5f;
  bool mirror = false;
};
