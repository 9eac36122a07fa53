// Several text fields kept one after the other, each NUL-terminated, in one growable buffer,
// with a stream form for files: int16 field count, int16 used size + 2, int16 grow step, then
// each field as a NUL-terminated string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class TQXTStream;

class TQVMultiField {
 public:
  TQVMultiField(int fieldCount, int initialBytes);
  // Reads the stream form. A header whose count or size cannot describe the fields that follow
  // sets the stream's fail flag and leaves an object without fields.
  explicit TQVMultiField(TQXTStream& stream);

  // Sets the stream's fail flag when the fields are too many or too long for the 16-bit header.
  void Write(TQXTStream& stream) const;

  void Init(int count, int bytes);
  void SetGrowStep(int step);
  bool Reserve(uint32_t n);

  int GetCount() const { return static_cast<int>(Offsets.size()) - 1; }
  uint32_t GetBufferSize() const { return static_cast<uint32_t>(Buffer.size()); }
  uint32_t GetUsedSize() const { return Offsets.back(); }
  int GetGrowStep() const { return GrowStep; }

  // An index outside the fields answers an empty text.
  const char* GetField(int i) const;
  // False (and nothing changed) for an index outside the fields.
  bool SetField(int i, const char* text);
  void InsertField(int index, const char* text);
  void SplitString(const char* text, char separator);

 private:
  void ReplaceBytes(int i, const char* text, size_t length);

  std::vector<char> Buffer;
  std::vector<uint32_t> Offsets{0};
  int GrowStep = 1;
};
