#include "foundation/ResourceStrings.h"

#include <windows.h>

int LoadResourceText(unsigned id, char* buffer, int size) {
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  return LoadStringA(GetModuleHandleA(nullptr), id, buffer, size);
}
