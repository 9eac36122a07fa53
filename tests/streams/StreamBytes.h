// Helpers that turn a RAM stream's contents into a string and a string into a readable stream.
#pragma once

#include <string>

#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTStream.h"

inline std::string AllBytes(TQXTStream& s) {
  std::string bytes(s.Size(), '\0');
  s.Rewind();
  if (!bytes.empty()) s.Read(&bytes[0], static_cast<uint32_t>(bytes.size()));
  return bytes;
}

// A read view over a copy of the given bytes (the string lives as long as the view).
struct ReadView {
  explicit ReadView(std::string bytes)
      : data(std::move(bytes)), stream(&data[0], static_cast<uint32_t>(data.size()), static_cast<uint32_t>(data.size())) {}
  std::string data;
  TQXTFlatRamStream stream;
};
