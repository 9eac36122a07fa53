#pragma once
// A forward-only reader that takes its source in large blocks. The score reader's records are
// read through it by templates, so that its many two-byte reads are inline copies from memory
// rather than virtual calls into the source stream each.

#include <cstdint>
#include <cstring>
#include <memory>

#include "foundation/QXTStream.h"

class TReadAheadStream final : public TQXTStream {
public:
  static constexpr uint32_t kBlock = 65536;

  explicit TReadAheadStream(TQXTStream& source);

  // The block boundary is the rare case: it stays out of line so the common one inlines.
  unsigned char GetByte() override {
    if (cursor_ != fill_) return block_[cursor_++];
    return GetByteAcrossBlock();
  }
  uint32_t Read(void* buffer, uint32_t count) override;
  uint32_t Tell() override { return consumed_ + cursor_; }
  // The source's size: the reader's empty-file test must see what the source answers.
  uint32_t Size() override { return size_; }

  // The encodings of the root stream, inline over the block.
  uint16_t ReadUInt16() {
    if (fill_ - cursor_ >= 2) {
      const uint16_t v = static_cast<uint16_t>(block_[cursor_] | (block_[cursor_ + 1] << 8));
      cursor_ += 2;
      return v;
    }
    return ReadUInt16AcrossBlock();
  }
  void ReadString(char* buffer, int size);

private:
  bool Refill();
  unsigned char GetByteAcrossBlock();
  uint16_t ReadUInt16AcrossBlock();

  TQXTStream& source_;
  std::unique_ptr<unsigned char[]> block_;
  uint32_t size_;
  uint32_t fill_ = 0;
  uint32_t cursor_ = 0;
  uint32_t consumed_ = 0;
  bool sourceDone_ = false;
};
