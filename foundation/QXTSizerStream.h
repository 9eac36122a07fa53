// A stream that stores nothing: it measures how many bytes a writer would produce, and is the
// position/size bookkeeping that the RAM streams build on.
#pragma once

#include "foundation/QXTStream.h"

class TQXTSizerStream : public TQXTStream {
public:
  TQXTSizerStream();

  void PutByte(unsigned char byte) override;
  unsigned char GetByte() override;
  bool Seek(uint32_t position) override;
  uint32_t Tell() override;
  uint32_t Size() override;
  void Reset() override;

protected:
  uint32_t size;      // highest position ever written
  uint32_t position;
};
