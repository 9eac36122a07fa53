#include "foundation/win32/ClipboardText.h"

#include <windows.h>

#include <cstring>

namespace {

// A moveable, zeroed block holding the text and its terminator; null when there is no memory.
HGLOBAL MakeTextBlock(const char* text) {
  if (!text) text = "";
  const size_t length = std::strlen(text);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + 1);
  if (!block) return nullptr;
  void* p = GlobalLock(block);
  if (!p) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(p, text, length);
  GlobalUnlock(block);
  return block;
}

}  // namespace

bool SetClipboardText(const char* text) {
  HGLOBAL block = MakeTextBlock(text);
  if (!block) return false;
  if (SetClipboardData(CF_TEXT, block)) return true;
  // The clipboard did not take the block: it is still ours.
  GlobalFree(block);
  return false;
}

int CopyTextToClipboard(const char* text) {
  HGLOBAL block = MakeTextBlock(text);
  if (!block) return 0;
  if (!OpenClipboard(nullptr)) {
    GlobalFree(block);
    return 0;
  }
  EmptyClipboard();
  if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
  return CloseClipboard();
}
