// Page arithmetic of printing: the area inside the margins, where each page sits on the sheet
// (mirrored margins put even pages' outside margin on the left) and the printed page numbers.
#pragma once

#include "app/PrinterMetrics.h"

class TMusicScore;

// Margins every score falls back to when its own leave no room on the printer's page.
constexpr float kResetMarginInches = 0.5f;

// The area inside the margins; false when the margins leave no width or no height.
bool ComputePrintArea(const TPrinterMetrics& metrics, const TPageMargins& margins, TPrintArea& area);

enum class TAreaOutcome {
  Fits,          // the score's margins fit
  MarginsReset,  // they did not; the score now has the reset margins, which fit
  Impossible,    // not even the reset margins leave room: nothing can be printed
};

TPageMargins ScoreMargins(const TMusicScore& score);
// The score's area; when its margins do not fit, resets its four margins (not the mirror flag)
// and tries again.
TAreaOutcome PrepareScoreArea(TMusicScore& score, const TPrinterMetrics& metrics, TPrintArea& area);

// The number printed on page N (1-based): N + start - 1 when numbering is on (start > 0), else N.
int PrintedPageNumber(int page, int numberingStart);
// A mirrored page takes the outside margin on its left: even printed numbers when mirroring.
bool IsMirroredPage(const TPageMargins& margins, int printedNumber);
// Where page N's area starts on the device, horizontally and vertically; 0 in export mode, where
// the picture holds the area alone.
int PageOffsetX(const TPrinterMetrics& metrics, const TPageMargins& margins, const TPrintArea& area,
                int printedNumber, bool exportMode);
int PageOffsetY(const TPrintArea& area, bool exportMode);

// Systems spread over the height available on a page: how many fit and the gap above each (and
// below the last).
struct TSystemSpread {
  int count;
  int gap;
};
TSystemSpread SpreadSystems(int available, int systemHeight);

// A point size on a device of this many pixels per inch.
int PointsToPixels(int points, int pixelsPerInch);
