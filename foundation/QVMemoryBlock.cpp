#include "foundation/QVMemoryBlock.h"

#include <cstdlib>
#include <cstring>
#include <utility>

TQVMemoryBlock::TQVMemoryBlock(uint32_t size) { Resize(size); }

TQVMemoryBlock::TQVMemoryBlock(const void* data, uint32_t size) {
  if (Resize(size) && data) std::memcpy(Data, data, size);
}

TQVMemoryBlock::TQVMemoryBlock(const char* text) {
  if (!text) return;
  const size_t n = std::strlen(text) + 1;
  if (Resize(static_cast<uint32_t>(n))) std::memcpy(Data, text, n);
}

TQVMemoryBlock::TQVMemoryBlock(const TQVMemoryBlock& other) : TQVMemoryBlock(other.Data, other.Size) {}

TQVMemoryBlock& TQVMemoryBlock::operator=(const TQVMemoryBlock& other) {
  if (this == &other) return *this;
  TQVMemoryBlock copy(other);
  std::swap(Data, copy.Data);
  std::swap(Size, copy.Size);
  return *this;
}

TQVMemoryBlock::~TQVMemoryBlock() { Free(); }

void TQVMemoryBlock::Free() {
  std::free(Data);
  Data = nullptr;
  Size = 0;
}

bool TQVMemoryBlock::Resize(uint32_t n) {
  if (n == Size) return true;
  if (n == 0) {
    Free();
    return true;
  }
  void* fresh = std::calloc(n, 1);
  if (!fresh) return false;
  if (Data) std::memcpy(fresh, Data, n < Size ? n : Size);
  std::free(Data);
  Data = fresh;
  Size = n;
  return true;
}

void TQVMemoryBlock::Clear() {
  if (Data) std::memset(Data, 0, Size);
}

void TQVMemoryBlock::SetString(const char* text) {
  Clear();
  if (!text || !*text) return;
  const size_t n = std::strlen(text) + 1;
  if (n > Size && !Resize(static_cast<uint32_t>(n))) return;
  std::memcpy(Data, text, n);
}

void* TQVMemoryBlock::Detach() {
  void* data = Data;
  Data = nullptr;
  Size = 0;
  return data;
}
