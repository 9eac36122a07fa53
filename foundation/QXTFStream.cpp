#include "foundation/QXTFStream.h"

#include <cstring>
#include <new>

// Buffer states, and where the system's file pointer stands in each:
//   Idle     at position; the buffer is empty.
//   Reading  at bufferStart + fill; buffer[0, fill) mirrors the file, position = bufferStart + cursor.
//   Writing  at bufferStart; buffer[0, fill) is still to be written, position = bufferStart + fill.

TQXTFStream::TQXTFStream(int mode, const char* path)
    : file(kQXTNoFile), writable(false), state(Idle), position(0), bufferStart(0), fill(0), cursor(0) {
  if (path != nullptr) Open(mode, path);
}

TQXTFStream::~TQXTFStream() { Close(); }

bool TQXTFStream::Open(int mode, const char* path) {
  Close();
  ClearFail();
  if (!heapBuffer) heapBuffer.reset(new (std::nothrow) unsigned char[kBufferSize]);
  file = path != nullptr ? QXTFileOpen(path, mode) : kQXTNoFile;
  writable = (mode & ModeWrite) != 0;
  state = Idle;
  position = 0;
  fill = cursor = 0;
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
  state = Idle;
}

// Writes the pending bytes; a short write fails the stream and leaves the caller's position
// after the last byte that reached the file, as byte-by-byte writing would.
void TQXTFStream::WritePending() {
  if (fill == 0) return;
  const uint32_t put = QXTFileWrite(file, Buffer(), fill);
  if (put < fill) SetFail();
  bufferStart += put;
  position = bufferStart;
  fill = 0;
}

// Brings the file pointer to the caller's position and empties the buffer.
void TQXTFStream::Sync() {
  if (state == Writing) {
    WritePending();
  } else if (state == Reading && cursor != fill) {
    QXTFileSeek(file, position, false);
  }
  state = Idle;
  fill = cursor = 0;
}

void TQXTFStream::PutByte(unsigned char byte) {
  if (!IsOpen() || !writable) {  // WriteFile would refuse the byte at once
    SetFail();
    return;
  }
  if (state != Writing) {
    Sync();
    state = Writing;
    bufferStart = position;
  }
  if (fill == Capacity()) WritePending();
  Buffer()[fill++] = byte;
  ++position;
}

// Refills the buffer at the caller's position; answers false at the end of the file.
bool TQXTFStream::StartReading() {
  if (state != Reading) Sync();
  state = Reading;
  bufferStart = position;
  cursor = 0;
  fill = QXTFileRead(file, Buffer(), Capacity());
  return fill > 0;
}

unsigned char TQXTFStream::GetByte() {
  if (state != Reading || cursor == fill) {
    if (!IsOpen() || !StartReading()) {
      SetFail();
      return 0;
    }
  }
  ++position;
  return Buffer()[cursor++];
}

bool TQXTFStream::Seek(uint32_t target) {
  if (!IsOpen()) {
    SetFail();
    return false;
  }
  // Inside the read-ahead the system would land there as well; no call needed.
  if (state == Reading && target >= bufferStart && target <= bufferStart + fill) {
    cursor = static_cast<uint32_t>(target - bufferStart);
    position = target;
    return true;
  }
  Sync();
  const int64_t landed = QXTFileSeek(file, target, false);
  if (landed >= 0) position = landed;
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
  position = landed;
  return true;
}

uint32_t TQXTFStream::Tell() {
  if (!IsOpen()) {
    SetFail();
    return 0;
  }
  return static_cast<uint32_t>(position);
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
  if (state == Writing && bufferStart + fill > size) size = bufferStart + fill;
  return static_cast<uint32_t>(size);
}

void TQXTFStream::Flush() {
  if (IsOpen() && state == Writing) Sync();
}

void TQXTFStream::Write(const void* data, uint32_t count) {
  if (count == 0) return;
  if (!IsOpen() || !writable) {
    SetFail();
    return;
  }
  if (state == Writing && Capacity() - fill >= count) {
    std::memcpy(Buffer() + fill, data, count);
    fill += count;
    position += count;
    return;
  }
  Sync();
  if (count < Capacity()) {
    state = Writing;
    bufferStart = position;
    std::memcpy(Buffer(), data, count);
    fill = count;
    position += count;
    return;
  }
  const uint32_t put = QXTFileWrite(file, data, count);
  position += put;
  if (put < count) SetFail();
}

// A short count at the end of the file is an answer, not a failure.
uint32_t TQXTFStream::Read(void* buffer, uint32_t count) {
  if (!IsOpen()) return 0;
  unsigned char* out = static_cast<unsigned char*>(buffer);
  uint32_t done = 0;
  if (state == Reading) {
    uint32_t n = fill - cursor;
    if (n > count) n = count;
    std::memcpy(out, Buffer() + cursor, n);
    cursor += n;
    position += n;
    done = n;
  }
  if (done == count) return done;
  if (count - done >= Capacity()) {
    Sync();
    const uint32_t got = QXTFileRead(file, out + done, count - done);
    position += got;
    return done + got;
  }
  if (!StartReading()) return done;
  uint32_t n = fill < count - done ? fill : count - done;
  std::memcpy(out + done, Buffer(), n);
  cursor = n;
  position += n;
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
