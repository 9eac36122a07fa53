#include "app/win32/PrinterMetricsGdi.h"

TPrinterMetrics ReadPrinterMetrics(HDC dc) {
  TPrinterMetrics m;
  m.aspectX = GetDeviceCaps(dc, ASPECTX);
  m.aspectY = GetDeviceCaps(dc, ASPECTY);
  m.horzRes = GetDeviceCaps(dc, HORZRES);
  m.vertRes = GetDeviceCaps(dc, VERTRES);
  m.physicalWidth = GetDeviceCaps(dc, PHYSICALWIDTH);
  m.physicalHeight = GetDeviceCaps(dc, PHYSICALHEIGHT);
  m.physicalOffsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
  m.physicalOffsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
  m.logPixelsX = GetDeviceCaps(dc, LOGPIXELSX);
  m.logPixelsY = GetDeviceCaps(dc, LOGPIXELSY);
  // A device that is not a printer answers no physical page: its printable area is the page.
  if (m.physicalWidth <= 0) m.physicalWidth = m.horzRes;
  if (m.physicalHeight <= 0) m.physicalHeight = m.vertRes;
  return m;
}
