// Small numeric helpers: sign, decimal rounding as printf rounds, and the 16-bit random step
// used where a repeatable sequence matters more than quality.
#pragma once

#include <cstdint>

int Sign(int x);
int Sign(long long x);
int Sign(double x);

// The value printed with the given number of decimals and read back.
float RoundToDecimals(float value, int digits);

// seed = seed * 25173 + 13849 (16-bit), applied n + 1 times.
uint16_t NextRandom16(uint16_t seed, int n);
