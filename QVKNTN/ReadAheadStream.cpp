#include "QVKNTN/ReadAheadStream.h"

TReadAheadStream::TReadAheadStream(TQXTStream& source)
    : source_(source), block_(new unsigned char[kBlock]), size_(source.Size()) {}

bool TReadAheadStream::Refill() {
  if (sourceDone_) return false;
  consumed_ += fill_;
  cursor_ = 0;
  fill_ = source_.Read(block_.get(), kBlock);
  // What came before a break in the source is good data; the reader fails only once it runs
  // past what was delivered.
  if (source_.IsFailed() || fill_ < kBlock) sourceDone_ = true;
  return fill_ > 0;
}

unsigned char TReadAheadStream::GetByteAcrossBlock() {
  if (cursor_ == fill_ && !Refill()) {
    SetFail();
    return 0;
  }
  return block_[cursor_++];
}

uint16_t TReadAheadStream::ReadUInt16AcrossBlock() {
  const unsigned lo = GetByte();
  return static_cast<uint16_t>(lo | (GetByte() << 8));
}

uint32_t TReadAheadStream::Read(void* buffer, uint32_t count) {
  auto* out = static_cast<unsigned char*>(buffer);
  uint32_t done = 0;
  while (done < count) {
    if (cursor_ == fill_ && !Refill()) {
      SetFail();
      break;
    }
    uint32_t n = fill_ - cursor_;
    if (n > count - done) n = count - done;
    std::memcpy(out + done, block_.get() + cursor_, n);
    cursor_ += n;
    done += n;
  }
  return done;
}

// As the root stream's: the first size-1 characters are kept, the rest of the string is read
// and dropped, and the buffer always ends terminated.
void TReadAheadStream::ReadString(char* buffer, int size) {
  int kept = 0;
  for (;;) {
    const unsigned char c = GetByte();
    if (c == 0) break;
    if (kept < size - 1) buffer[kept++] = static_cast<char>(c);
  }
  if (size > 0) buffer[kept] = 0;
}
