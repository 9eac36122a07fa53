#include "foundation/QXTStream.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

#include "foundation/QXTDecimalText.h"
#include "foundation/QXTHeap.h"

TQXTStream::TQXTStream() : failed(0) {}

TQXTStream::~TQXTStream() {}

void TQXTStream::SetFail() { failed = 1; }

void TQXTStream::PutByte(unsigned char) { SetFail(); }

unsigned char TQXTStream::GetByte() {
  SetFail();
  return 0;
}

bool TQXTStream::Seek(uint32_t) {
  SetFail();
  return false;
}

uint32_t TQXTStream::Tell() {
  SetFail();
  return 0;
}

uint32_t TQXTStream::Size() {
  SetFail();
  return 0;
}

void TQXTStream::Flush() {}

void TQXTStream::Rewind() {
  ClearFail();
  Seek(0);
}

void TQXTStream::Reset() { Rewind(); }

void TQXTStream::Reserve(uint32_t count) {
  Reset();
  for (uint32_t i = 0; i < count; ++i) PutByte(0);
  Rewind();
}

void TQXTStream::Write(const void* data, uint32_t count) {
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  for (uint32_t i = 0; i < count; ++i) PutByte(bytes[i]);
}

uint32_t TQXTStream::Read(void* buffer, uint32_t count) {
  unsigned char* bytes = static_cast<unsigned char*>(buffer);
  for (uint32_t i = 0; i < count; ++i) {
    bytes[i] = GetByte();
    if (IsFailed()) return i;
  }
  return count;
}

void TQXTStream::WriteBool(int flag) { PutByte(flag != 0 ? 1 : 0); }

bool TQXTStream::ReadBool() { return GetByte() != 0; }

void TQXTStream::WriteInt16(int32_t value) {
  const unsigned char bytes[2] = {static_cast<unsigned char>(value),
                                  static_cast<unsigned char>(value >> 8)};
  Write(bytes, 2);
}

// A block Read may come back short without failing (files at their end); the integer readers
// fail then, so that a truncated file never reads as a complete value.
uint16_t TQXTStream::ReadUInt16() {
  unsigned char bytes[2];
  if (Read(bytes, 2) != 2) {
    SetFail();
    return 0;
  }
  return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

void TQXTStream::WriteInt32(int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                  static_cast<unsigned char>(v >> 16),
                                  static_cast<unsigned char>(v >> 24)};
  Write(bytes, 4);
}

int32_t TQXTStream::ReadInt32() {
  unsigned char bytes[4];
  if (Read(bytes, 4) != 4) {
    SetFail();
    return 0;
  }
  const uint32_t v = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
  return static_cast<int32_t>(v);
}

void TQXTStream::WriteString(const char* text) {
  if (text != nullptr) {
    for (; *text != '\0'; ++text) PutByte(static_cast<unsigned char>(*text));
  }
  PutByte(0);
}

// The whole string is always consumed, so the stream ends after its terminator whatever the
// buffer holds; a buffer of no room receives nothing.
void TQXTStream::ReadString(char* buffer, int size) {
  int stored = 0;
  for (;;) {
    const char c = static_cast<char>(GetByte());
    if (c == '\0') break;
    if (buffer != nullptr && stored < size - 1) buffer[stored++] = c;
  }
  if (buffer != nullptr && size >= 1) buffer[stored] = '\0';
}

void TQXTStream::WriteFloat(float value, int digits) {
  char text[kQXTFixedTextMax + 1];
  QXTFormatFixed(value, digits, text, sizeof text);
  WriteString(text);
}

float TQXTStream::ReadFloat() {
  // One more than the longest text WriteFloat produces, so every written value reads back.
  char text[kQXTFixedTextMax + 1];
  ReadString(text, sizeof text);
  float value = 0.0f;
  QXTScanFloat(text, value);
  return value;
}

int TQXTStream::ReadLine(char* buffer, int size) {
  int length = 0;
  int stored = 0;
  for (;;) {
    const char c = static_cast<char>(GetByte());
    if (c == '\0' || c == '\n') break;
    if (c == '\r') continue;
    ++length;
    if (buffer != nullptr && stored < size - 1) buffer[stored++] = c;
  }
  if (buffer != nullptr && size >= 1) buffer[stored] = '\0';
  return length;
}

// Formatted text longer than the buffer is cut; whatever the runtime does on overflow, the
// buffer is written only up to its terminator.
void TQXTStream::Printf(const char* format, ...) {
  char text[kPrintfBuffer];
  text[0] = '\0';
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  text[sizeof text - 1] = '\0';
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\n') PutByte('\r');
    PutByte(static_cast<unsigned char>(*p));
  }
}

namespace {
struct THeapFree {
  void operator()(unsigned char* block) const { QXTHeapFree(block); }
};
using TCopyBlock = std::unique_ptr<unsigned char[], THeapFree>;

TCopyBlock NewCopyBlock() {
  return TCopyBlock(static_cast<unsigned char*>(QXTHeapAlloc(TQXTStream::kCopyBlock)));
}
}  // namespace

void TQXTStream::CopyFrom(TQXTStream& source) {
  source.Rewind();
  TCopyBlock block = NewCopyBlock();
  if (!block) {
    SetFail();
    return;
  }
  for (;;) {
    const uint32_t got = source.Read(block.get(), kCopyBlock);
    Write(block.get(), got);
    if (got < kCopyBlock) return;
  }
}

uint32_t TQXTStream::CopyBytesFrom(TQXTStream& source, uint32_t count) {
  TCopyBlock block = NewCopyBlock();
  if (!block) {
    SetFail();
    return 0;
  }
  uint32_t copied = 0;
  while (copied < count && !IsFailed()) {
    const uint32_t want = count - copied < kCopyBlock ? count - copied : kCopyBlock;
    const uint32_t got = source.Read(block.get(), want);
    Write(block.get(), got);
    copied += got;
    if (got < want) break;
  }
  return copied;
}

TQXTStream& TQXTStream::operator>>(char& value) {
  value = static_cast<char>(GetByte());
  return *this;
}
TQXTStream& TQXTStream::operator>>(signed char& value) {
  value = static_cast<signed char>(GetByte());
  return *this;
}
TQXTStream& TQXTStream::operator>>(unsigned char& value) {
  value = GetByte();
  return *this;
}
TQXTStream& TQXTStream::operator>>(int16_t& value) {
  value = static_cast<int16_t>(ReadUInt16());
  return *this;
}
TQXTStream& TQXTStream::operator>>(uint16_t& value) {
  value = ReadUInt16();
  return *this;
}
TQXTStream& TQXTStream::operator>>(int32_t& value) {
  value = ReadInt32();
  return *this;
}
TQXTStream& TQXTStream::operator>>(uint32_t& value) {
  value = static_cast<uint32_t>(ReadInt32());
  return *this;
}
TQXTStream& TQXTStream::operator<<(char value) {
  PutByte(static_cast<unsigned char>(value));
  return *this;
}
TQXTStream& TQXTStream::operator<<(signed char value) {
  PutByte(static_cast<unsigned char>(value));
  return *this;
}
TQXTStream& TQXTStream::operator<<(unsigned char value) {
  PutByte(value);
  return *this;
}
TQXTStream& TQXTStream::operator<<(int16_t value) {
  WriteInt16(value);
  return *this;
}
TQXTStream& TQXTStream::operator<<(uint16_t value) {
  WriteInt16(value);
  return *this;
}
TQXTStream& TQXTStream::operator<<(int32_t value) {
  WriteInt32(value);
  return *this;
}
TQXTStream& TQXTStream::operator<<(uint32_t value) {
  WriteInt32(static_cast<int32_t>(value));
  return *this;
}
TQXTStream& TQXTStream::operator<<(const char* text) {
  WriteString(text);
  return *this;
}
