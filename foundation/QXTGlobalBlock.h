// The platform seam for the flat RAM stream's storage: one movable global-memory block kept
// locked while in use (GlobalAlloc and friends on Windows, the C heap natively).
#pragma once

#include <cstdint>

struct TQXTGlobalBlock {
  void* handle = nullptr;
  unsigned char* data = nullptr;  // the locked address, valid while the block lives
};

// Allocates and locks a block of size bytes; answers false and leaves block empty on failure.
bool QXTGlobalAllocLocked(TQXTGlobalBlock& block, uint32_t size);
// Moves the block to the new size and locks it again; on failure the old block stays valid
// and locked at its old size.
bool QXTGlobalReAllocLocked(TQXTGlobalBlock& block, uint32_t size);
// Unlocks and frees the block; an empty block is left alone.
void QXTGlobalFree(TQXTGlobalBlock& block);
