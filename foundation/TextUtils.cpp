#include "foundation/TextUtils.h"

#include <cstring>

bool IsDigitChar(char c) { return c >= '0' && c <= '9'; }

static bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsAlnumChar(char c) { return IsDigitChar(c) || IsAsciiLetter(c); }

int IsNumberText(const char* text, bool allowFraction) {
  if (!text) return 0;
  int digits = 0;
  bool sign = false;
  bool point = false;
  bool closed = false;  // a blank has followed the number: no digit may come after it
  for (const char* p = text; *p; ++p) {
    const char c = *p;
    if (IsDigitChar(c)) {
      if (closed) return 0;
      ++digits;
    } else if (c == '+' || c == '-') {
      if (sign || digits > 0) return 0;
      sign = true;
    } else if (c == '.') {
      if (!allowFraction || point) return 0;
      point = true;
    } else if (c == ' ') {
      if (digits > 0 || point) closed = true;
    } else {
      return 0;
    }
  }
  return digits > 0 ? 1 : 0;
}

static bool InSet(char c, const char* set) { return c != '\0' && set && std::strchr(set, c) != nullptr; }

// Removes every character the predicate selects, keeping the order of the rest.
template <typename Drop>
static void RemoveChars(char* text, Drop drop) {
  if (!text) return;
  char* out = text;
  for (const char* in = text; *in; ++in) {
    if (!drop(*in, out > text ? out[-1] : '\0')) *out++ = *in;
  }
  *out = '\0';
}

void StripBlanksAndDashes(char* text) {
  RemoveChars(text, [](char c, char) { return c == ' ' || c == '\t' || c == '-'; });
}

void CollapseRepeatedChars(char* text, const char* set) {
  RemoveChars(text, [set](char c, char previous) { return c == previous && InSet(c, set); });
}

static const char kBlanks[] = " \t\r\n";

void StrTrimLeftSet(char* text, const char* set) {
  if (!text) return;
  size_t skip = 0;
  while (InSet(text[skip], set)) ++skip;
  if (skip) std::memmove(text, text + skip, std::strlen(text + skip) + 1);
}

void StrTrimRightSet(char* text, const char* set) {
  if (!text) return;
  size_t n = std::strlen(text);
  while (n > 0 && InSet(text[n - 1], set)) --n;
  text[n] = '\0';
}

void StrTrimLeft(char* text) { StrTrimLeftSet(text, kBlanks); }
void StrTrimRight(char* text) { StrTrimRightSet(text, kBlanks); }

void StrTrim(char* text) {
  StrTrimRight(text);
  StrTrimLeft(text);
}

char* StrCopyMax(char* buffer, const char* text, size_t size) {
  if (!buffer || size == 0) return buffer;
  size_t n = text ? std::strlen(text) : 0;
  if (n > size - 1) n = size - 1;
  if (n) std::memcpy(buffer, text, n);
  buffer[n] = '\0';
  return buffer;
}

const char* GetNthMultiString(const char* list, int n) {
  if (!list || n < 0) return list;
  const char* p = list;
  for (int i = 0; i < n; ++i) {
    if (*p == '\0') return list;
    p += std::strlen(p) + 1;
  }
  return *p ? p : list;
}

int FindMultiStringIndex(const char* list, const char* text, bool ignoreCase, int defaultIndex) {
  if (!list || !text) return defaultIndex;
  int index = 0;
  for (const char* p = list; *p; p += std::strlen(p) + 1, ++index) {
    const bool same = ignoreCase ? CompareNoCase(p, text) == 0 : std::strcmp(p, text) == 0;
    if (same) return index;
  }
  return defaultIndex;
}

int CountSeparatedFields(const char* text, char separator) {
  if (!text) return 0;
  int count = 1;
  for (const char* p = text; *p; ++p) {
    if (*p == separator) ++count;
  }
  return count;
}

static char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int CompareNoCaseN(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    const unsigned char x = static_cast<unsigned char>(AsciiLower(a[i]));
    const unsigned char y = static_cast<unsigned char>(AsciiLower(b[i]));
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
  return 0;
}

int CompareNoCase(const char* a, const char* b) { return CompareNoCaseN(a, b, static_cast<size_t>(-1)); }
