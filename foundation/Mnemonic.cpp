#include "foundation/Mnemonic.h"

char MnemonicOf(const char* caption) {
  if (!caption) return 0;
  for (const char* p = caption; *p; ++p) {
    if (*p != '&') continue;
    if (p[1] == '&') {
      ++p;
      continue;
    }
    const char c = p[1];
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return 0;
}
