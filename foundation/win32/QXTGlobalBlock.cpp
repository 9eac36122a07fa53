#include "foundation/QXTGlobalBlock.h"

#include <windows.h>

bool QXTGlobalAllocLocked(TQXTGlobalBlock& block, uint32_t size) {
  block = TQXTGlobalBlock();
  HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, size);
  if (handle == nullptr) return false;
  void* data = GlobalLock(handle);
  if (data == nullptr) {
    GlobalFree(handle);
    return false;
  }
  block.handle = handle;
  block.data = static_cast<unsigned char*>(data);
  return true;
}

bool QXTGlobalReAllocLocked(TQXTGlobalBlock& block, uint32_t size) {
  if (block.handle == nullptr) return QXTGlobalAllocLocked(block, size);
  HGLOBAL handle = static_cast<HGLOBAL>(block.handle);
  GlobalUnlock(handle);
  HGLOBAL moved = GlobalReAlloc(handle, size, GMEM_MOVEABLE);
  const bool grown = moved != nullptr;
  if (!grown) moved = handle;  // the old block is untouched; lock it again
  block.handle = moved;
  block.data = static_cast<unsigned char*>(GlobalLock(moved));
  return grown && block.data != nullptr;
}

void QXTGlobalFree(TQXTGlobalBlock& block) {
  if (block.handle == nullptr) return;
  HGLOBAL handle = static_cast<HGLOBAL>(block.handle);
  GlobalUnlock(handle);
  GlobalFree(handle);
  block = TQXTGlobalBlock();
}
