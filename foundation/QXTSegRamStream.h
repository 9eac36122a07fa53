// A RAM stream kept in a chain of fixed-size heap segments: it grows without ever moving data,
// and keeps its segments after a Seek so that rewriting reuses them.
#pragma once

#include "foundation/QXTSizerStream.h"

class TQXTSegRamStream : public TQXTSizerStream {
public:
  explicit TQXTSegRamStream(uint16_t segmentSize);
  ~TQXTSegRamStream() override;

  void PutByte(unsigned char byte) override;
  unsigned char GetByte() override;
  bool Seek(uint32_t position) override;
  void Reset() override;
  void Write(const void* data, uint32_t count) override;
  uint32_t Read(void* buffer, uint32_t count) override;

private:
  struct TSegment {
    TSegment* next;
    unsigned char* Data() { return reinterpret_cast<unsigned char*>(this + 1); }
  };

  TSegment* NewSegment();
  void FreeChain(TSegment* segment);
  bool EnsureWritable();

  uint16_t segmentSize;
  TSegment* first;
  TSegment* current;
  uint16_t offset;  // in the current segment; equal to segmentSize until the next byte moves on
};
