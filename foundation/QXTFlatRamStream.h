// A RAM stream in one contiguous block: either a view over the caller's memory (fixed
// capacity) or an owned global-memory block that grows by a fixed step.
#pragma once

#include "foundation/QXTGlobalBlock.h"
#include "foundation/QXTSizerStream.h"

class TQXTFlatRamStream : public TQXTSizerStream {
public:
  // No storage: every PutByte fails.
  TQXTFlatRamStream();
  // A view over caller memory; size is 0 for a view to be written, the data length for one to
  // be read. The memory is never freed or grown.
  TQXTFlatRamStream(void* data, uint32_t capacity, uint32_t size);
  // An owned block of initialBytes that grows by growStep (0: never grows).
  TQXTFlatRamStream(uint32_t initialBytes, uint32_t growStep);
  ~TQXTFlatRamStream() override;

  void PutByte(unsigned char byte) override;
  unsigned char GetByte() override;
  bool Seek(uint32_t position) override;
  void Reset() override;
  void Write(const void* data, uint32_t count) override;
  uint32_t Read(void* buffer, uint32_t count) override;

private:
  bool Grow();

  uint32_t capacity;
  int32_t owned;
  uint32_t growStep;
  TQXTGlobalBlock block;  // owned storage; for a view only data is set
  unsigned char* base;
};
