#include "foundation/QXTGlobalBlock.h"

#include <cstdlib>

bool QXTGlobalAllocLocked(TQXTGlobalBlock& block, uint32_t size) {
  block = TQXTGlobalBlock();
  void* data = std::malloc(size == 0 ? 1 : size);
  if (data == nullptr) return false;
  block.handle = data;
  block.data = static_cast<unsigned char*>(data);
  return true;
}

bool QXTGlobalReAllocLocked(TQXTGlobalBlock& block, uint32_t size) {
  if (block.handle == nullptr) return QXTGlobalAllocLocked(block, size);
  void* moved = std::realloc(block.handle, size == 0 ? 1 : size);
  if (moved == nullptr) return false;
  block.handle = moved;
  block.data = static_cast<unsigned char*>(moved);
  return true;
}

void QXTGlobalFree(TQXTGlobalBlock& block) {
  std::free(block.handle);
  block = TQXTGlobalBlock();
}
