#include "foundation/ResourceStrings.h"

int LoadResourceText(unsigned, char* buffer, int size) {
  if (buffer && size > 0) buffer[0] = '\0';
  return 0;
}
