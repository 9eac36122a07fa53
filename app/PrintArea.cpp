#include "app/PrintArea.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "QVKNTN/MusicScore.h"

namespace {

// Products of pixels per inch and inches, truncated as the device counts whole pixels; a margin
// read from a score may be any float, so the product is bounded before it becomes an int.
int InchesToPixels(int pixelsPerInch, float inches) {
  double product = static_cast<double>(pixelsPerInch) * static_cast<double>(inches);
  if (!(product > INT32_MIN)) return INT32_MIN;  // also a NaN
  if (product >= INT32_MAX) return INT32_MAX;
  return static_cast<int>(product);
}

// Differences of device values that cannot overflow.
int Clamped(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

bool ComputePrintArea(const TPrinterMetrics& m, const TPageMargins& margins, TPrintArea& area) {
  // Margins read from a file may be anything; only real distances from the edge make a page.
  for (float v : {margins.top, margins.inside, margins.outside, margins.bottom}) {
    if (!std::isfinite(v) || v < 0) return false;
  }
  const int64_t left = int64_t{InchesToPixels(m.logPixelsX, margins.inside)} - m.physicalOffsetX;
  const int64_t right = int64_t{m.physicalWidth} - InchesToPixels(m.logPixelsX, margins.outside) - m.physicalOffsetX;
  if (left >= right) return false;
  const int64_t top = int64_t{InchesToPixels(m.logPixelsY, margins.top)} - m.physicalOffsetY;
  const int64_t bottom = int64_t{m.physicalHeight} - InchesToPixels(m.logPixelsY, margins.bottom) - m.physicalOffsetY;
  if (top >= bottom) return false;
  area.left = Clamped(left);
  area.top = Clamped(top);
  area.width = Clamped(right - left);
  area.height = Clamped(bottom - top);
  return true;
}

TPageMargins ScoreMargins(const TMusicScore& score) {
  TPageMargins m;
  m.top = score.GetMargin(0);
  m.inside = score.GetMargin(1);
  m.outside = score.GetMargin(2);
  m.bottom = score.GetMargin(3);
  m.mirror = score.GetMirrorMargins() != 0;
  return m;
}

TAreaOutcome PrepareScoreArea(TMusicScore& score, const TPrinterMetrics& metrics, TPrintArea& area) {
  if (ComputePrintArea(metrics, ScoreMargins(score), area)) return TAreaOutcome::Fits;
  for (int i = 0; i < 4; ++i) score.SetMargin(i, kResetMarginInches);
  if (ComputePrintArea(metrics, ScoreMargins(score), area)) return TAreaOutcome::MarginsReset;
  area = TPrintArea{};
  return TAreaOutcome::Impossible;
}

int PrintedPageNumber(int page, int numberingStart) {
  if (numberingStart <= 0) return page;
  return Clamped(int64_t{page} + numberingStart - 1);
}

bool IsMirroredPage(const TPageMargins& margins, int printedNumber) {
  return margins.mirror && printedNumber % 2 == 0;
}

int PageOffsetX(const TPrinterMetrics& m, const TPageMargins& margins, const TPrintArea& area, int printedNumber,
                bool exportMode) {
  if (exportMode) return 0;
  if (!IsMirroredPage(margins, printedNumber)) return area.left;
  return Clamped(int64_t{InchesToPixels(m.logPixelsX, margins.outside)} - m.physicalOffsetX);
}

int PageOffsetY(const TPrintArea& area, bool exportMode) { return exportMode ? 0 : area.top; }

TSystemSpread SpreadSystems(int available, int systemHeight) {
  const int s = std::max(systemHeight, 1);
  const int n = std::max(available / s, 1);
  // A system taller than the page still prints, from the top: no gap pushes it above the area.
  const int gap = std::max((available - n * s) / (n + 1), 0);
  return {n, gap};
}

int PointsToPixels(int points, int pixelsPerInch) {
  return Clamped(int64_t{points} * pixelsPerInch / 72);
}
