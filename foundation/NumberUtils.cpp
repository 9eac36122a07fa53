#include "foundation/NumberUtils.h"

#include <cstdio>

int Sign(int x) { return (x > 0) - (x < 0); }
int Sign(long long x) { return (x > 0) - (x < 0); }
int Sign(double x) { return (x > 0) - (x < 0); }

float RoundToDecimals(float value, int digits) {
  // Wide enough for any float at the precision a float can carry; a request that would not fit
  // keeps the value rather than reading back a cut-off number.
  char text[96];
  if (digits < 0) digits = 0;
  const int n = std::snprintf(text, sizeof text, "%01.*f", digits, static_cast<double>(value));
  if (n < 0 || n >= static_cast<int>(sizeof text)) return value;
  float result = value;
  if (std::sscanf(text, "%f", &result) != 1) return value;
  return result;
}

uint16_t NextRandom16(uint16_t seed, int n) {
  for (int i = 0; i <= n; ++i) seed = static_cast<uint16_t>(seed * 25173u + 13849u);
  return seed;
}
