// A stream over a disk file. Bytes pass through an internal buffer, which every operation keeps
// invisible: positions, sizes and contents are those of unbuffered calls, and pending bytes
// reach the file at Flush, a Seek, a switch between reading and writing, Close or destruction.
#pragma once

#include <memory>

#include "foundation/QXTFileHandle.h"
#include "foundation/QXTStream.h"

class TQXTFStream : public TQXTStream {
public:
  enum { ModeRead = 1, ModeWrite = 2, ShareRead = 4, ShareWrite = 8 };

  explicit TQXTFStream(int mode = 0, const char* path = nullptr);
  ~TQXTFStream() override;

  bool Open(int mode, const char* path);
  bool IsOpen() const { return file != kQXTNoFile; }
  void Close();
  bool SeekRelative(int32_t distance);
  bool GetDosDateTime(uint32_t& value);
  bool SetDosDateTime(uint32_t value);

  void PutByte(unsigned char byte) override;
  unsigned char GetByte() override;
  bool Seek(uint32_t position) override;
  uint32_t Tell() override;
  uint32_t Size() override;
  void Flush() override;
  void Write(const void* data, uint32_t count) override;
  uint32_t Read(void* buffer, uint32_t count) override;

  static constexpr uint32_t kBufferSize = 65536;

private:
  enum TBufferState { Idle, Reading, Writing };

  void Sync();
  void WritePending();
  bool StartReading();
  unsigned char* Buffer() { return heapBuffer ? heapBuffer.get() : spareBuffer; }
  uint32_t Capacity() const { return heapBuffer ? kBufferSize : sizeof spareBuffer; }

  TQXTFileHandle file;
  bool writable;
  TBufferState state;
  int64_t position;     // where the caller stands in the file
  int64_t bufferStart;  // file offset of the buffer's first byte
  uint32_t fill;        // bytes read ahead (Reading) or waiting to be written (Writing)
  uint32_t cursor;      // the caller's index in the buffer while Reading
  std::unique_ptr<unsigned char[]> heapBuffer;
  unsigned char spareBuffer[256];  // used when the heap cannot give the full buffer
};
