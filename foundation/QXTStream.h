// The root of every byte stream: a position, a size and a sticky fail flag, with the system's
// encodings (little-endian integers, NUL-terminated strings, numbers and lines as text) built on
// the byte and block operations that each storage class supplies. Nothing throws.
#pragma once

#include <cstdint>

class TQXTStream {
public:
  TQXTStream();
  virtual ~TQXTStream();

  virtual void SetFail();
  virtual void PutByte(unsigned char byte);
  virtual unsigned char GetByte();
  virtual bool Seek(uint32_t position);
  virtual uint32_t Tell();
  virtual uint32_t Size();
  virtual void Flush();
  virtual void Rewind();
  virtual void Reset();
  virtual void Reserve(uint32_t count);
  virtual void Write(const void* data, uint32_t count);
  virtual uint32_t Read(void* buffer, uint32_t count);

  bool IsFailed() const { return failed != 0; }

  void WriteBool(int flag);
  bool ReadBool();
  void WriteInt16(int32_t value);
  uint16_t ReadUInt16();
  void WriteInt32(int32_t value);
  int32_t ReadInt32();
  void WriteString(const char* text);
  void ReadString(char* buffer, int size);
  void WriteFloat(float value, int digits);
  float ReadFloat();
  int ReadLine(char* buffer, int size);
  void Printf(const char* format, ...)
#if defined(__GNUC__)
      __attribute__((format(printf, 2, 3)))
#endif
      ;
  void CopyFrom(TQXTStream& source);
  uint32_t CopyBytesFrom(TQXTStream& source, uint32_t count);

  TQXTStream& operator>>(char& value);
  TQXTStream& operator>>(signed char& value);
  TQXTStream& operator>>(unsigned char& value);
  TQXTStream& operator>>(int16_t& value);
  TQXTStream& operator>>(uint16_t& value);
  TQXTStream& operator>>(int32_t& value);
  TQXTStream& operator>>(uint32_t& value);
  TQXTStream& operator<<(char value);
  TQXTStream& operator<<(signed char value);
  TQXTStream& operator<<(unsigned char value);
  TQXTStream& operator<<(int16_t value);
  TQXTStream& operator<<(uint16_t value);
  TQXTStream& operator<<(int32_t value);
  TQXTStream& operator<<(uint32_t value);
  TQXTStream& operator<<(const char* text);

  // Block copies move data in pieces of this size.
  static constexpr uint32_t kCopyBlock = 32000;
  // Formatted text is built in a buffer of this many bytes; longer output is cut.
  static constexpr int kPrintfBuffer = 256;

protected:
  void ClearFail() { failed = 0; }

private:
  TQXTStream(const TQXTStream&) = delete;
  TQXTStream& operator=(const TQXTStream&) = delete;

  int32_t failed;
};
