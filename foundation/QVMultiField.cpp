#include "foundation/QVMultiField.h"

#include <algorithm>
#include <cstring>
#include <string>

TQVMultiField::TQVMultiField(int fieldCount, int initialBytes) { Init(fieldCount, initialBytes); }

void TQVMultiField::Init(int count, int bytes) {
  if (count < 0) count = 0;
  if (bytes < 0) bytes = 0;
  const size_t size = std::max(static_cast<size_t>(bytes), static_cast<size_t>(count) * 2 + 2);
  Buffer.assign(size, '\0');
  Offsets.resize(static_cast<size_t>(count) + 1);
  for (int i = 0; i <= count; ++i) Offsets[i] = static_cast<uint32_t>(i);
  GrowStep = 1;
}

void TQVMultiField::SetGrowStep(int step) { GrowStep = step > 0 ? step : 1; }

bool TQVMultiField::Reserve(uint32_t n) {
  if (Buffer.size() >= n) return true;
  const uint64_t step = static_cast<uint64_t>(GrowStep);
  const uint64_t rounded = (static_cast<uint64_t>(n) + step - 1) / step * step;
  if (rounded > UINT32_MAX) return false;
  Buffer.resize(static_cast<size_t>(rounded), '\0');
  return true;
}

const char* TQVMultiField::GetField(int i) const {
  if (i < 0 || i >= GetCount()) return "";
  return Buffer.data() + Offsets[i];
}

// Puts length bytes of text plus a NUL in place of field i, shifting the later fields.
// The text may lie inside this buffer (one field copied to another), so it is copied first.
void TQVMultiField::ReplaceBytes(int i, const char* source, size_t length) {
  const std::string copy(source ? source : "", source ? length : 0);
  const char* text = copy.data();
  const uint32_t start = Offsets[i];
  const uint32_t oldSize = Offsets[i + 1] - start;
  const uint32_t newSize = static_cast<uint32_t>(length + 1);
  const uint32_t used = Offsets.back();
  if (newSize > oldSize && !Reserve(used + (newSize - oldSize))) return;
  std::memmove(Buffer.data() + start + newSize, Buffer.data() + start + oldSize, used - start - oldSize);
  if (length) std::memcpy(Buffer.data() + start, text, length);
  Buffer[start + length] = '\0';
  for (size_t k = static_cast<size_t>(i) + 1; k < Offsets.size(); ++k) Offsets[k] = Offsets[k] - oldSize + newSize;
  // Bytes freed at the end stay zero, as in a fresh buffer.
  if (newSize < oldSize) std::fill(Buffer.begin() + Offsets.back(), Buffer.begin() + used, '\0');
}

bool TQVMultiField::SetField(int i, const char* text) {
  if (i < 0 || i >= GetCount()) return false;
  ReplaceBytes(i, text, text ? std::strlen(text) : 0);
  return true;
}

void TQVMultiField::InsertField(int index, const char* text) {
  const int count = GetCount();
  if (index < 0 || index > count) index = count;
  const std::string copy(text ? text : "");
  const size_t length = copy.size();
  text = copy.data();
  const uint32_t used = Offsets.back();
  if (!Reserve(used + static_cast<uint32_t>(length) + 1)) return;
  const uint32_t start = Offsets[index];
  std::memmove(Buffer.data() + start + length + 1, Buffer.data() + start, used - start);
  if (length) std::memcpy(Buffer.data() + start, text, length);
  Buffer[start + length] = '\0';
  Offsets.insert(Offsets.begin() + index, start);
  for (size_t k = static_cast<size_t>(index) + 1; k < Offsets.size(); ++k) Offsets[k] += static_cast<uint32_t>(length + 1);
}

void TQVMultiField::SplitString(const char* text, char separator) {
  const int count = GetCount();
  for (int i = 0; i < count; ++i) ReplaceBytes(i, nullptr, 0);
  if (!text) return;
  const char* piece = text;
  for (int i = 0; i < count; ++i) {
    const char* end = separator ? std::strchr(piece, separator) : nullptr;
    const size_t length = end ? static_cast<size_t>(end - piece) : std::strlen(piece);
    ReplaceBytes(i, piece, length);
    if (!end) break;
    piece = end + 1;
  }
}
