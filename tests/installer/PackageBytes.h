// Builds package and patch-stream bytes by hand, for tests that need exact input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/QXTFlatRamStream.h"

struct TBytes {
  std::vector<unsigned char> data;

  TBytes& U8(unsigned v) { data.push_back(static_cast<unsigned char>(v)); return *this; }
  TBytes& U16(unsigned v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
  TBytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  TBytes& Raw(const std::string& s) { data.insert(data.end(), s.begin(), s.end()); return *this; }
  TBytes& Str(const std::string& s) { return Raw(s).U8(0); }
  TBytes& Info(uint32_t dosTime, uint32_t size, unsigned checksum) { return U32(dosTime).U32(size).U16(checksum); }
  TBytes& Header(unsigned version, int count, const std::string& title = "T", const std::string& text = "D") {
    return Raw(std::string("[QVUPD]", 7)).U8(0).U8(version).U16(static_cast<unsigned>(count) & 0xFFFF).Str(title).Str(text);
  }
};

// A read view over the bytes (which must outlive it).
inline TQXTFlatRamStream ReadView(std::vector<unsigned char>& bytes) {
  return TQXTFlatRamStream(bytes.data(), static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(bytes.size()));
}
