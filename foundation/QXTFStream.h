// A stream over a disk file. Bytes pass through an internal buffer, which every operation keeps
// invisible: positions, sizes and contents are those of unbuffered calls, and pending bytes
// reach the file at Flush, a Seek, a switch between reading and writing, Close or destruction.
#pragma once

#include <memory>

#include "foundation/QXTFileHandle.h"
#include "foundation/QXTStream.h"

class TQXTFStream : public TQXTStream {
  // The buffer's element type. Not a character type, so the compiler knows a byte stored in the
  // buffer cannot change the stream's own pointers and keeps them in registers in byte loops.
  enum class TByte : unsigned char {};

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

  // Byte traffic stays in the buffer; only its edges take the out-of-line paths.
  void PutByte(unsigned char byte) override {
    if (putNext != putEnd) {
      *putNext++ = static_cast<TByte>(byte);
      return;
    }
    PutByteSlow(byte);
  }
  unsigned char GetByte() override {
    return getNext != getEnd ? static_cast<unsigned char>(*getNext++) : GetByteSlow();
  }

  bool Seek(uint32_t position) override;
  uint32_t Tell() override;
  uint32_t Size() override;
  void Flush() override;
  void Write(const void* data, uint32_t count) override;
  uint32_t Read(void* buffer, uint32_t count) override;

  static constexpr uint32_t kBufferSize = 1 << 20;

private:
  enum TBufferState { Idle, Reading, Writing };

  void PutByteSlow(unsigned char byte);
  unsigned char GetByteSlow();
  int64_t Position() const;
  void SetIdle(int64_t at);
  void Sync();
  void WritePending();
  bool Refill();

  TQXTFileHandle file;
  bool writable;
  TBufferState state;
  int64_t idlePosition;  // the caller's position while Idle
  int64_t bufferStart;   // file offset of buffer[0] while Reading or Writing
  TByte* getNext;  // Reading: unread bytes are [getNext, getEnd)
  TByte* getEnd;
  TByte* putNext;  // Writing: pending bytes are [buffer, putNext), room up to putEnd
  TByte* putEnd;
  TByte* buffer;
  uint32_t capacity;
  std::unique_ptr<TByte[]> heapBuffer;
  TByte spareBuffer[256];  // used when the heap cannot give the full buffer
};
