// The program's version as the About box and the product-news link show it: "major.minor" from
// the packed version word (high byte major, low byte minor), then the release kind.
#pragma once

#include <cstddef>

// Release kinds: a preview or beta carries its number + 1; any other kind adds ".number"
// when the number is non-zero. The text is cut to the buffer.
constexpr int kVersionPreview = 0;
constexpr int kVersionBeta = 1;

void FormatVersion(char* buffer, size_t size, int version, int kind, int number);
