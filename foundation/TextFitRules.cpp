#include "foundation/TextFitRules.h"

namespace {

constexpr int kEllipsisLength = 3;

}  // namespace

int EllipsisCutIndex(const int* charWidths, int length, int width, int dotWidth) {
  const int room = width - kEllipsisLength * dotWidth;
  int cut = 0;
  long long sum = 0;
  while (cut < length - kEllipsisLength) {
    sum += charWidths[cut];
    if (sum >= room) break;
    ++cut;
  }
  return cut < 0 ? 0 : cut;
}
