// An owned, zero-filled heap block of bytes. Storage comes from malloc, so a detached pointer is
// released with free().
#pragma once

#include <cstddef>
#include <cstdint>

class TQVMemoryBlock {
 public:
  explicit TQVMemoryBlock(uint32_t size = 0);
  TQVMemoryBlock(const void* data, uint32_t size);
  explicit TQVMemoryBlock(const char* text);
  TQVMemoryBlock(const TQVMemoryBlock& other);
  TQVMemoryBlock& operator=(const TQVMemoryBlock& other);
  ~TQVMemoryBlock();

  // New zero-filled storage of n bytes keeping the first min(old, n); 0 frees. False when the
  // allocation failed (the old block is then kept).
  bool Resize(uint32_t n);
  void Clear();
  void SetString(const char* text);
  void* Detach();

  void* GetData() const { return Data; }
  char* GetText() const { return static_cast<char*>(Data); }
  uint32_t GetSize() const { return Size; }

 private:
  void Free();

  void* Data = nullptr;
  uint32_t Size = 0;
};
