#include "foundation/QXTZLibInStream.h"

#include <cstring>

#include "foundation/QXTZLibInit.h"

bool HasZLibHeader(TQXTStream& stream) {
  stream.Rewind();
  char text[16];
  stream.ReadString(text, sizeof text);
  return std::strcmp(text, "[QVZ]") == 0;
}

TQXTZLibInStream::TQXTZLibInStream(TQXTStream* innerStream, bool owns)
    : state(NotStarted), delivered(0), readIndex(0),
      inner(innerStream), ownsInner(owns) {
  if (!buffers.Ready() || inner == nullptr) SetFail();
}

TQXTZLibInStream::~TQXTZLibInStream() {
  EndInflation();
  if (ownsInner) delete inner;
}

// Only a started inflation has zlib state to release.
void TQXTZLibInStream::EndInflation() {
  if (state != NotStarted && buffers.record) inflateEnd(buffers.record.get());
  state = NotStarted;
}

bool TQXTZLibInStream::Start() {
  if (!HasZLibHeader(*inner)) return false;
  std::memset(buffers.record.get(), 0, sizeof(z_stream));
  if (QXTZLibInflateInit(*buffers.record) != Z_OK) {
    SetFail();
    return false;
  }
  readIndex = 0;
  buffers.record->avail_in = 0;
  buffers.record->next_in = buffers.input.get();
  buffers.record->avail_out = kQXTZLibBlock;
  buffers.record->next_out = buffers.output.get();
  state = Inflating;
  return true;
}

uint32_t TQXTZLibInStream::Unread() const {
  return kQXTZLibBlock - buffers.record->avail_out - readIndex;
}

// Makes at least one expanded byte wait in the output buffer; answers false at the end of
// the data, on failure, or before a header was found.
bool TQXTZLibInStream::Fill() {
  if (IsFailed() || inner == nullptr || !buffers.Ready()) return false;
  if (state == NotStarted && !Start()) return false;
  for (;;) {
    if (Unread() != 0) return true;
    readIndex = 0;
    buffers.record->avail_out = kQXTZLibBlock;
    buffers.record->next_out = buffers.output.get();
    if (state == Inflating && buffers.record->avail_in == 0) {
      buffers.record->next_in = buffers.input.get();
      buffers.record->avail_in = inner->Read(buffers.input.get(), kQXTZLibBlock);
      if (buffers.record->avail_in == 0) state = InnerExhausted;
    }
    if (state == Inflating || state == InnerExhausted) {
      const int result = inflate(buffers.record.get(), state == Inflating ? Z_PARTIAL_FLUSH : Z_FINISH);
      const bool full = buffers.record->avail_out == 0;
      if (result == Z_STREAM_END) {
        state = Ended;
      } else if (result == Z_BUF_ERROR && state == InnerExhausted && full) {
        // The last input still expands to more than one buffer: keep draining.
      } else if (result != Z_OK) {
        state = Broken;
      }
    }
    const bool produced = buffers.record->avail_out < kQXTZLibBlock;
    if (!produced && state >= Ended) return false;
  }
}

unsigned char TQXTZLibInStream::GetByte() {
  if (!Fill()) {
    SetFail();
    return 0;
  }
  ++delivered;
  return buffers.output[readIndex++];
}

// Expands straight into the caller's buffer, with the same steps and state changes as Fill: a
// large read then costs no second copy through the output buffer. Only while that buffer holds
// nothing unread, so the bytes keep their order.
uint32_t TQXTZLibInStream::InflateInto(unsigned char* out, uint32_t count) {
  z_stream& z = *buffers.record;
  z.next_out = out;
  z.avail_out = count;
  while (z.avail_out > 0 && (state == Inflating || state == InnerExhausted)) {
    if (state == Inflating && z.avail_in == 0) {
      z.next_in = buffers.input.get();
      z.avail_in = inner->Read(buffers.input.get(), kQXTZLibBlock);
      if (z.avail_in == 0) state = InnerExhausted;
    }
    const int result = inflate(&z, state == Inflating ? Z_PARTIAL_FLUSH : Z_FINISH);
    if (result == Z_STREAM_END) {
      state = Ended;
    } else if (result == Z_BUF_ERROR && state == InnerExhausted && z.avail_out == 0) {
      // The last input expands to more than was asked for: the next read goes on.
    } else if (result != Z_OK) {
      state = Broken;
    }
  }
  const uint32_t written = count - z.avail_out;
  readIndex = 0;
  z.avail_out = kQXTZLibBlock;
  z.next_out = buffers.output.get();
  return written;
}

uint32_t TQXTZLibInStream::Read(void* buffer, uint32_t count) {
  unsigned char* out = static_cast<unsigned char*>(buffer);
  uint32_t done = 0;
  while (done < count) {
    const bool started = state == Inflating || state == InnerExhausted;
    if (started && !IsFailed() && Unread() == 0 && count - done >= kQXTZLibBlock) {
      const uint32_t n = InflateInto(out + done, count - done);
      delivered += n;
      done += n;
      continue;
    }
    if (!Fill()) break;
    uint32_t n = Unread();
    if (n > count - done) n = count - done;
    std::memcpy(out + done, buffers.output.get() + readIndex, n);
    readIndex += n;
    delivered += n;
    done += n;
  }
  // The normal end answers a short count; broken data fails, and so does data without the
  // marker, which would otherwise read as an empty stream.
  if (state == Broken || (state == NotStarted && count > 0)) SetFail();
  return done;
}

bool TQXTZLibInStream::Seek(uint32_t target) {
  if (target < delivered) {
    EndInflation();
    delivered = 0;
  }
  unsigned char skip[1024];
  while (delivered < target) {
    const uint32_t want = target - delivered < sizeof skip ? target - delivered : sizeof skip;
    if (Read(skip, want) < want) {
      SetFail();  // past the end, as reading byte by byte would
      return false;
    }
  }
  return true;
}

uint32_t TQXTZLibInStream::Tell() { return delivered; }

uint32_t TQXTZLibInStream::Size() { return kUnknownSize; }
