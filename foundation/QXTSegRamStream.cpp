#include "foundation/QXTSegRamStream.h"

#include <cstring>

#include "foundation/QXTHeap.h"

TQXTSegRamStream::TQXTSegRamStream(uint16_t size)
    // A segment must hold at least one byte, or the byte loops would never advance.
    : segmentSize(size == 0 ? 1 : size), first(nullptr), current(nullptr), offset(0) {
  first = NewSegment();
  current = first;
  if (first == nullptr) SetFail();
}

TQXTSegRamStream::~TQXTSegRamStream() { FreeChain(first); }

TQXTSegRamStream::TSegment* TQXTSegRamStream::NewSegment() {
  TSegment* segment = static_cast<TSegment*>(QXTHeapAlloc(sizeof(TSegment) + segmentSize));
  if (segment != nullptr) segment->next = nullptr;
  return segment;
}

void TQXTSegRamStream::FreeChain(TSegment* segment) {
  while (segment != nullptr) {
    TSegment* next = segment->next;
    QXTHeapFree(segment);
    segment = next;
  }
}

// Makes room for the next byte at the current offset; answers false (fail set) when the heap
// refuses a segment.
bool TQXTSegRamStream::EnsureWritable() {
  if (first == nullptr) {  // the constructor's allocation failed; try again
    first = NewSegment();
    current = first;
    if (first == nullptr) {
      SetFail();
      return false;
    }
  }
  if (offset < segmentSize) return true;
  if (current->next == nullptr) {
    current->next = NewSegment();
    if (current->next == nullptr) {
      SetFail();
      return false;
    }
  }
  current = current->next;
  offset = 0;
  return true;
}

void TQXTSegRamStream::PutByte(unsigned char byte) {
  if (!EnsureWritable()) return;
  current->Data()[offset++] = byte;
  ++position;
  if (position > size) size = position;
}

unsigned char TQXTSegRamStream::GetByte() {
  if (position >= size || current == nullptr) {
    SetFail();
    return 0;
  }
  if (offset >= segmentSize) {
    if (current->next == nullptr) {
      SetFail();
      return 0;
    }
    current = current->next;
    offset = 0;
  }
  ++position;
  return current->Data()[offset++];
}

// Walks the chain from the start; the offset stays at the end of a full segment rather than
// stepping into a successor that may not exist yet.
bool TQXTSegRamStream::Seek(uint32_t target) {
  if (target > size) return false;
  current = first;
  position = target;
  uint32_t rest = target;
  while (rest > segmentSize && current != nullptr) {
    current = current->next;
    rest -= segmentSize;
  }
  offset = static_cast<uint16_t>(rest);
  return true;
}

void TQXTSegRamStream::Reset() {
  Rewind();
  size = 0;
  if (first != nullptr) {
    FreeChain(first->next);
    first->next = nullptr;
  }
  current = first;
  offset = 0;
}

void TQXTSegRamStream::Write(const void* data, uint32_t count) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  while (count > 0) {
    if (!EnsureWritable()) return;
    uint32_t room = segmentSize - offset;
    uint32_t n = count < room ? count : room;
    std::memcpy(current->Data() + offset, bytes, n);
    offset = static_cast<uint16_t>(offset + n);
    position += n;
    if (position > size) size = position;
    bytes += n;
    count -= n;
  }
}

uint32_t TQXTSegRamStream::Read(void* buffer, uint32_t count) {
  unsigned char* bytes = static_cast<unsigned char*>(buffer);
  uint32_t done = 0;
  while (done < count) {
    if (IsFailed() || position >= size || current == nullptr || 
        (offset >= segmentSize && current->next == nullptr)) {
      // The byte path sets the fail flag exactly as a single GetByte would.
      bytes[done] = GetByte();
      if (IsFailed()) return done;
      ++done;
      continue;
    }
    if (offset >= segmentSize) {
      current = current->next;
      offset = 0;
    }
    uint32_t room = segmentSize - offset;
    uint32_t left = size - position;
    uint32_t n = count - done;
    if (n > room) n = room;
    if (n > left) n = left;
    std::memcpy(bytes + done, current->Data() + offset, n);
    offset = static_cast<uint16_t>(offset + n);
    position += n;
    done += n;
  }
  return done;
}
