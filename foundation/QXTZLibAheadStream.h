// Reads a "[QVZ]" stream like TQXTZLibInStream, but inflates it on a worker thread a few blocks
// ahead of its reader, so that a large score's expansion runs beside the parsing of its records.
// Forward only: the score reader never seeks back in a compressed body.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "foundation/QXTStream.h"
#include "foundation/QXTZLibInStream.h"

class TQXTZLibAheadStream : public TQXTStream {
public:
  // The inner stream must outlive this stream and stay untouched by anyone else while it lives.
  explicit TQXTZLibAheadStream(TQXTStream* inner);
  ~TQXTZLibAheadStream() override;

  unsigned char GetByte() override;
  uint32_t Read(void* buffer, uint32_t count) override;
  // Forward seeks read and drop; a seek back fails the stream.
  bool Seek(uint32_t position) override;
  uint32_t Tell() override { return delivered_; }
  uint32_t Size() override { return TQXTZLibInStream::kUnknownSize; }

  static constexpr uint32_t kBlock = 65536;
  static constexpr int kSlots = 4;

private:
  struct TSlot {
    std::unique_ptr<unsigned char[]> bytes;
    uint32_t size = 0;
    // The inflater's fail flag after this block, and whether no block follows it.
    bool failed = false;
    bool last = false;
  };

  void Inflate();
  bool NextSlot();

  TQXTZLibInStream inflating_;
  TSlot slots_[kSlots];
  std::mutex lock_;
  std::condition_variable changed_;
  // Guarded by lock_: blocks the worker has filled, and blocks the reader has handed back.
  uint64_t filled_ = 0;
  uint64_t released_ = 0;
  bool stop_ = false;
  // The reader's own state: blocks taken so far, the last of them being current.
  uint64_t taken_ = 0;
  TSlot* current_ = nullptr;
  uint32_t cursor_ = 0;
  uint32_t delivered_ = 0;
  bool ended_ = false;
  std::thread worker_;
};
