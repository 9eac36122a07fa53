// Compresses everything written to it into a "[QVZ]" stream (the marker, its NUL and one zlib
// stream at level 9) on an inner stream.
#pragma once

#include "foundation/QXTStream.h"
#include "foundation/QXTZLibBuffers.h"

class TQXTZLibOutStream : public TQXTStream {
public:
  TQXTZLibOutStream(TQXTStream* inner, bool ownsInner);
  ~TQXTZLibOutStream() override;

  void PutByte(unsigned char byte) override;
  uint32_t Tell() override;
  void Flush() override;
  void Reset() override;
  void Write(const void* data, uint32_t count) override;

  // Completes the zlib stream and flushes the inner stream; a second call does nothing. A
  // writer that received no byte still writes the marker and a complete empty zlib stream.
  void Finish();

private:
  enum TState { NotStarted, Compressing, Finishing, Finished };

  bool Start();
  void Compress();
  void WriteOut();
  void Complete();

  TState state;
  uint32_t accepted;
  TQXTZLibBuffers buffers;
  TQXTStream* inner;
  bool ownsInner;
};
