// Reads a "[QVZ]" stream (the marker, its NUL and one zlib stream) from an inner stream and
// delivers the expanded bytes. Reading is forward only; seeking back starts again from the top.
#pragma once

#include "foundation/QXTStream.h"
#include "foundation/QXTZLibBuffers.h"

// Rewinds the stream and tells whether its first string is exactly "[QVZ]"; on a match the
// stream stands just after the marker's NUL.
bool HasZLibHeader(TQXTStream& stream);

class TQXTZLibInStream : public TQXTStream {
public:
  TQXTZLibInStream(TQXTStream* inner, bool ownsInner);
  ~TQXTZLibInStream() override;

  unsigned char GetByte() override;
  bool Seek(uint32_t position) override;
  uint32_t Tell() override;
  uint32_t Size() override;
  uint32_t Read(void* buffer, uint32_t count) override;

  // The size a reader reports, since it cannot know the expanded length in advance.
  static constexpr uint32_t kUnknownSize = 0x7ffffff0;

private:
  enum TState { NotStarted, Inflating, InnerExhausted, Ended, Broken };

  bool Fill();
  uint32_t InflateInto(unsigned char* out, uint32_t count);
  bool Start();
  void EndInflation();
  uint32_t Unread() const;

  TState state;
  uint32_t delivered;
  uint32_t readIndex;
  TQXTZLibBuffers buffers;
  TQXTStream* inner;
  bool ownsInner;
};
