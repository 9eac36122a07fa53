// What each bar-line type draws, by spacing s, pen p and repeat-dots width: its width, how many
// one-unit vertical lines and how many sets of repeat dots. Types 0-7 are the bar styles, 9 the
// dots alone and 10 the wedge; 8 is no style and draws a single line.
#pragma once

#include <vector>

struct BarLineCase {
  int type, width, lines, dots;
};

inline std::vector<BarLineCase> BarLineCases(int s, int p, int dots) {
  const int thick = 2 * s / 3;
  return {
      {0, p, p, 0},
      {1, 4 * p, 2 * p, 0},
      {2, thick + 3 * p, thick + p, 0},
      {3, thick + 3 * p, thick + p, 0},
      {4, dots + 6 * p, 2 * p, 1},
      {5, dots + 6 * p, 2 * p, 1},
      {6, dots + thick + 5 * p, thick + p, 1},
      {7, dots + thick + 5 * p, thick + p, 1},
      {9, 2 * p + dots, 0, 1},
      {10, 2 * s, 2, 0},
      {8, p, p, 0},
  };
}
