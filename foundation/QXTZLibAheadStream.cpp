#include "foundation/QXTZLibAheadStream.h"

#include <cstring>
#include <new>
#include <system_error>

TQXTZLibAheadStream::TQXTZLibAheadStream(TQXTStream* inner) : inflating_(inner, false) {
  for (TSlot& slot : slots_) {
    slot.bytes.reset(new (std::nothrow) unsigned char[kBlock]);
    if (!slot.bytes) {
      SetFail();
      return;
    }
  }
  try {
    worker_ = std::thread(&TQXTZLibAheadStream::Inflate, this);
  } catch (const std::system_error&) {
    SetFail();
  }
}

TQXTZLibAheadStream::~TQXTZLibAheadStream() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    stop_ = true;
  }
  changed_.notify_all();
  if (worker_.joinable()) worker_.join();
}

// The worker fills block n only once the reader has handed back block n - kSlots, and stops after
// the block that ends the data, whether at its normal end or at a break.
void TQXTZLibAheadStream::Inflate() {
  for (uint64_t n = 0;; ++n) {
    {
      std::unique_lock<std::mutex> hold(lock_);
      changed_.wait(hold, [&] { return stop_ || n - released_ < kSlots; });
      if (stop_) return;
    }
    TSlot& slot = slots_[n % kSlots];
    slot.size = inflating_.Read(slot.bytes.get(), kBlock);
    slot.failed = inflating_.IsFailed();
    slot.last = slot.failed || slot.size < kBlock;
    {
      std::lock_guard<std::mutex> hold(lock_);
      filled_ = n + 1;
    }
    changed_.notify_all();
    if (slot.last) return;
  }
}

// Hands the current block back and waits for the next. What the inflater delivered before a
// break is good data: the stream fails once its reader runs past it, as the read-ahead reader
// of the score file sees the direct reader fail in the read that meets the break.
bool TQXTZLibAheadStream::NextSlot() {
  if (ended_ || !worker_.joinable()) return false;
  if (current_ && current_->last) {
    if (current_->failed) SetFail();
    ended_ = true;
    return false;
  }
  {
    std::unique_lock<std::mutex> hold(lock_);
    released_ = taken_;
    changed_.notify_all();
    changed_.wait(hold, [&] { return filled_ > taken_; });
  }
  current_ = &slots_[taken_++ % kSlots];
  cursor_ = 0;
  return true;
}

unsigned char TQXTZLibAheadStream::GetByte() {
  while (!current_ || cursor_ == current_->size) {
    if (!NextSlot()) {
      SetFail();
      return 0;
    }
  }
  ++delivered_;
  return current_->bytes[cursor_++];
}

uint32_t TQXTZLibAheadStream::Read(void* buffer, uint32_t count) {
  auto* out = static_cast<unsigned char*>(buffer);
  uint32_t done = 0;
  while (done < count) {
    if (!current_ || cursor_ == current_->size) {
      if (!NextSlot()) break;
      continue;
    }
    uint32_t n = current_->size - cursor_;
    if (n > count - done) n = count - done;
    std::memcpy(out + done, current_->bytes.get() + cursor_, n);
    cursor_ += n;
    done += n;
  }
  delivered_ += done;
  return done;
}

bool TQXTZLibAheadStream::Seek(uint32_t target) {
  if (target < delivered_) {
    SetFail();
    return false;
  }
  unsigned char skip[1024];
  while (delivered_ < target) {
    const uint32_t want = target - delivered_ < sizeof skip ? target - delivered_ : sizeof skip;
    if (Read(skip, want) < want) {
      SetFail();
      return false;
    }
  }
  return true;
}
