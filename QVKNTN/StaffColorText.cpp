#include "QVKNTN/StaffColorText.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace StaffColors {

namespace {

// One "%d" conversion: blanks, an optional sign, at least one digit. The value is kept modulo 256
// while it is read, so any number of digits is safe.
bool ReadNumberMod256(const char*& p, unsigned& value) {
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (!std::isdigit(static_cast<unsigned char>(*p))) return false;
  unsigned v = 0;
  while (std::isdigit(static_cast<unsigned char>(*p))) v = (v * 10 + static_cast<unsigned>(*p++ - '0')) & 0xFF;
  value = negative ? (0x100 - v) & 0xFF : v;
  return true;
}

bool Expect(const char*& p, const char* literal) {
  std::size_t n = std::strlen(literal);
  if (std::strncmp(p, literal, n) != 0) return false;
  p += n;
  return true;
}

}  // namespace

bool ParseColor(const char* text, std::uint32_t& color) {
  if (!text) return false;
  const char* p = text;
  unsigned rgb[3];
  if (!Expect(p, "RGB(")) return false;
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && !Expect(p, ",")) return false;
    if (!ReadNumberMod256(p, rgb[i])) return false;
  }
  color = rgb[0] | (rgb[1] << 8) | (rgb[2] << 16);
  return true;
}

bool FormatColor(std::uint32_t color, char* buffer, std::size_t size) {
  int n = std::snprintf(buffer, size, "RGB(%d,%d,%d)", static_cast<int>(color & 0xFF),
                        static_cast<int>((color >> 8) & 0xFF), static_cast<int>((color >> 16) & 0xFF));
  return n >= 0 && static_cast<std::size_t>(n) < size;
}

}  // namespace StaffColors
