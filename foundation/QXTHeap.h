// Heap blocks for the streams' segments and copy buffers. One place for them, so a test can
// put a refusing heap in its place at link time.
#pragma once

#include <cstdint>

// Answers null when the heap refuses.
void* QXTHeapAlloc(uint32_t bytes);
void QXTHeapFree(void* block);
