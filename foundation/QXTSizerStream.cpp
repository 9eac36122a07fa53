#include "foundation/QXTSizerStream.h"

TQXTSizerStream::TQXTSizerStream() : size(0), position(0) {}

void TQXTSizerStream::PutByte(unsigned char) {
  ++position;
  if (position > size) size = position;
}

unsigned char TQXTSizerStream::GetByte() {
  if (position < size) ++position;
  else SetFail();
  return 0;
}

// Past the end answers 0 and leaves both the position and the fail flag as they were.
bool TQXTSizerStream::Seek(uint32_t target) {
  if (target > size) return false;
  position = target;
  return true;
}

uint32_t TQXTSizerStream::Tell() { return position; }

uint32_t TQXTSizerStream::Size() { return size; }

void TQXTSizerStream::Reset() {
  Rewind();
  size = 0;
}
