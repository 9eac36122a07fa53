#include "foundation/QXTHeap.h"

#include <cstdlib>

void* QXTHeapAlloc(uint32_t bytes) { return std::malloc(bytes == 0 ? 1 : bytes); }

void QXTHeapFree(void* block) { std::free(block); }
