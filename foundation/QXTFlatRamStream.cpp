#include "foundation/QXTFlatRamStream.h"

#include <cstring>

TQXTFlatRamStream::TQXTFlatRamStream() : capacity(0), owned(0), growStep(0), base(nullptr) {}

TQXTFlatRamStream::TQXTFlatRamStream(void* data, uint32_t capacityBytes, uint32_t presetSize)
    : capacity(capacityBytes), owned(0), growStep(0), base(static_cast<unsigned char*>(data)) {
  if (base == nullptr) capacity = 0;
  // A view cannot hold more than its memory.
  size = presetSize <= capacity ? presetSize : capacity;
}

TQXTFlatRamStream::TQXTFlatRamStream(uint32_t initialBytes, uint32_t step)
    : capacity(0), owned(1), growStep(step), base(nullptr) {
  if (QXTGlobalAllocLocked(block, initialBytes)) {
    capacity = initialBytes;
    base = block.data;
  } else {
    SetFail();
  }
}

TQXTFlatRamStream::~TQXTFlatRamStream() {
  if (owned) QXTGlobalFree(block);
}

// Steps the owned block up (to the step itself while smaller, then by the step); answers false,
// with the fail flag set, when the stream cannot grow.
bool TQXTFlatRamStream::Grow() {
  if (growStep == 0 || !owned) {
    SetFail();
    return false;
  }
  const uint32_t wanted = capacity < growStep ? growStep : capacity + growStep;
  if (wanted <= capacity || !QXTGlobalReAllocLocked(block, wanted)) {
    base = block.data;
    SetFail();
    return false;
  }
  capacity = wanted;
  base = block.data;
  return true;
}

void TQXTFlatRamStream::PutByte(unsigned char byte) {
  if (position >= capacity && !Grow()) return;
  base[position++] = byte;
  if (position > size) size = position;
}

unsigned char TQXTFlatRamStream::GetByte() {
  if (position >= size) {
    SetFail();
    return 0;
  }
  return base[position++];
}

bool TQXTFlatRamStream::Seek(uint32_t target) {
  if (target > size) return false;
  position = target;
  return true;
}

void TQXTFlatRamStream::Reset() {
  Rewind();
  size = 0;
}

void TQXTFlatRamStream::Write(const void* data, uint32_t count) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  while (count > 0) {
    if (position >= capacity && !Grow()) return;
    uint32_t n = capacity - position;
    if (n > count) n = count;
    std::memcpy(base + position, bytes, n);
    position += n;
    if (position > size) size = position;
    bytes += n;
    count -= n;
  }
}

uint32_t TQXTFlatRamStream::Read(void* buffer, uint32_t count) {
  if (IsFailed()) return TQXTStream::Read(buffer, count);
  const uint32_t left = size - position;
  const uint32_t n = count < left ? count : left;
  if (n > 0) std::memcpy(buffer, base + position, n);
  position += n;
  if (n == count) return n;
  // Running past the end fails exactly as the byte path would.
  SetFail();
  return n;
}
