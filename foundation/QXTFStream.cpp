#include "foundation/QXTFStream.h"

#include <cstring>
#include <new>

// Buffer states, and where the system's file pointer stands in each:
//   Idle     at idlePosition; the buffer is unused.
//   Reading  at the end of the bytes read ahead (getEnd); the caller stands at getNext.
//   Writing  at bufferStart, the pending bytes not yet written; the caller stands at putNext.
// Outside its state each pair of pointers is equal, so the inline byte paths fall through.

TQXTFStream::TQXTFStream(int mode, const char* path)
    : file(kQXTNoFile), writable(false), state(Idle), idlePosition(0), bufferStart(0),
      getNext(nullptr), getEnd(nullptr), putNext(nullptr), putEnd(nullptr), buffer(spareBuffer),
      capacity(sizeof spareBuffer) {
  if (path != nullptr) Open(mode, path);
}

TQXTFStream::~TQXTFStream() { Close(); }

bool TQXTFStream::Open(int mode, const char* path) {
  Close();
  ClearFail();
  if (!heapBuffer) heapBuffer.reset(new (std::nothrow) TByte[kBufferSize]);
  if (heapBuffer) {
    buffer = heapBuffer.get();
    capacity = kBufferSize;
  }
  file = path != nullptr ? QXTFileOpen(path, mode) : kQXTNoFile;
  writable = (mode & ModeWrite) != 0;
  SetIdle(0);
  if (file == kQXTNoFile) {
    SetFail();
    return false;
  }
  return true;
}

void TQXTFStream::Close() {
  if (!IsOpen()) return;
  Sync();
  QXTFileClose(file);
  file = kQXTNoFile;
  SetIdle(0);
}

int64_t TQXTFStream::Position() const {
  if (state == Reading) return bufferStart + (getNext - buffer);
  if (state == Writing) return bufferStart + (putNext - buffer);
  return idlePosition;
}

void TQXTFStream::SetIdle(int64_t at) {
  state = Idle;
  idlePosition = at;
  getNext = getEnd = putNext = putEnd = nullptr;
}

// Writes the pending bytes; a short write fails the stream and leaves the caller after the
// last byte that reached the file, as byte-by-byte writing would.
void TQXTFStream::WritePending() {
  const uint32_t pending = static_cast<uint32_t>(putNext - buffer);
  if (pending == 0) return;
  const uint32_t put = QXTFileWrite(file, buffer, pending);
  if (put < pending) SetFail();
  bufferStart += put;
  putNext = buffer;
}

// Brings the file pointer to the caller's position and leaves the buffer unused.
void TQXTFStream::Sync() {
  if (state == Writing) {
    WritePending();
    SetIdle(bufferStart);
  } else if (state == Reading) {
    const int64_t at = Position();
    if (getNext != getEnd) QXTFileSeek(file, at, false);
    SetIdle(at);
  }
}

void TQXTFStream::PutByteSlow(unsigned char byte) {
  if (!IsOpen() || !writable) {  // WriteFile would refuse the byte at once
    SetFail();
    return;
  }
  if (state == Writing) {
    WritePending();  // the buffer is full
  } else {
    Sync();
    state = Writing;
    bufferStart = idlePosition;
    putNext = buffer;
    putEnd = buffer + capacity;
  }
  *putNext++ = static_cast<TByte>(byte);
}

// Reads ahead from the caller's position; answers false at the end of the file.
bool TQXTFStream::Refill() {
  int64_t at;
  if (state == Reading) {
    at = Position();  // everything read ahead was used: the file pointer is already here
  } else {
    Sync();
    at = idlePosition;
  }
  state = Reading;
  bufferStart = at;
  const uint32_t got = QXTFileRead(file, buffer, capacity);
  getNext = buffer;
  getEnd = buffer + got;
  putNext = putEnd = nullptr;
  return got > 0;
}

unsigned char TQXTFStream::GetByteSlow() {
  if (!IsOpen() || !Refill()) {
    SetFail();
    return 0;
  }
  return static_cast<unsigned char>(*getNext++);
}

bool TQXTFStream::Seek(uint32_t target) {
  if (!IsOpen()) {
    SetFail();
    return false;
  }
  // Inside the read-ahead the system would land there as well; no call needed.
  if (state == Reading && target >= bufferStart && target <= bufferStart + (getEnd - buffer)) {
    getNext = buffer + (target - bufferStart);
    return true;
  }
  Sync();
  const int64_t landed = QXTFileSeek(file, target, false);
  if (landed >= 0) idlePosition = landed;
  if (landed != static_cast<int64_t>(target)) {
    SetFail();
    return false;
  }
  return true;
}

bool TQXTFStream::SeekRelative(int32_t distance) {
  if (!IsOpen()) {
    SetFail();
    return false;
  }
  Sync();
  const int64_t landed = QXTFileSeek(file, distance, true);
  if (landed < 0) {
    SetFail();
    return false;
  }
  idlePosition = landed;
  return true;
}

uint32_t TQXTFStream::Tell() {
  if (!IsOpen()) {
    SetFail();
    return 0;
  }
  return static_cast<uint32_t>(Position());
}

uint32_t TQXTFStream::Size() {
  if (!IsOpen()) {
    SetFail();
    return 0;
  }
  int64_t size = QXTFileSize(file);
  if (size < 0) {
    SetFail();
    return 0;
  }
  if (state == Writing && Position() > size) size = Position();
  return static_cast<uint32_t>(size);
}

void TQXTFStream::Flush() {
  if (IsOpen() && state == Writing) WritePending();
}

void TQXTFStream::Write(const void* data, uint32_t count) {
  if (count == 0) return;
  if (!IsOpen() || !writable) {
    SetFail();
    return;
  }
  if (state == Writing && static_cast<uint32_t>(putEnd - putNext) >= count) {
    std::memcpy(putNext, data, count);
    putNext += count;
    return;
  }
  Sync();
  if (count < capacity) {
    state = Writing;
    bufferStart = idlePosition;
    std::memcpy(buffer, data, count);
    putNext = buffer + count;
    putEnd = buffer + capacity;
    return;
  }
  const uint32_t put = QXTFileWrite(file, data, count);
  idlePosition += put;
  if (put < count) SetFail();
}

// A short count at the end of the file is an answer, not a failure.
uint32_t TQXTFStream::Read(void* target, uint32_t count) {
  if (!IsOpen()) return 0;
  TByte* out = static_cast<TByte*>(target);
  uint32_t done = 0;
  if (state == Reading) {
    done = static_cast<uint32_t>(getEnd - getNext);
    if (done > count) done = count;
    std::memcpy(out, getNext, done);
    getNext += done;
  }
  if (done == count) return done;
  if (count - done >= capacity) {
    Sync();
    const uint32_t got = QXTFileRead(file, out + done, count - done);
    idlePosition += got;
    return done + got;
  }
  if (!Refill()) return done;
  uint32_t n = static_cast<uint32_t>(getEnd - getNext);
  if (n > count - done) n = count - done;
  std::memcpy(out + done, getNext, n);
  getNext += n;
  return done + n;
}

bool TQXTFStream::GetDosDateTime(uint32_t& value) {
  value = 0;
  if (!IsOpen()) return false;
  Sync();  // the time must include every byte written so far
  return QXTFileGetDosDateTime(file, value);
}

bool TQXTFStream::SetDosDateTime(uint32_t value) {
  if (!IsOpen()) return false;
  Sync();  // pending bytes written later would move the last-write time again
  return QXTFileSetDosDateTime(file, value);
}
