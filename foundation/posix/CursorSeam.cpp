#include "foundation/CursorSeam.h"

// No pointer on the host: a token stands for each cursor.
static char waitCursorToken;
static TCursorHandle current = nullptr;

TCursorHandle GetWaitCursor() { return &waitCursorToken; }

TCursorHandle SetCurrentCursor(TCursorHandle cursor) {
  TCursorHandle previous = current;
  current = cursor;
  return previous;
}

TCursorHandle ShowWaitCursor() { return SetCurrentCursor(GetWaitCursor()); }

TCursorHandle GetCurrentCursor() { return current; }
