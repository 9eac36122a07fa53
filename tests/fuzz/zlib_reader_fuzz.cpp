// The compressed reader over arbitrary bytes: every way of reading must stop cleanly, without
// reading outside a buffer or leaking, whatever the data claims.
#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTZLibInStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first byte chooses how to read; an odd one puts the marker in front, so most inputs
  // reach zlib instead of stopping at the header test.
  const uint8_t how = data[0];
  std::string bytes;
  if (how & 1) bytes.assign("[QVZ]\0", 6);
  bytes.append(reinterpret_cast<const char*>(data + 1), size - 1);

  TQXTFlatRamStream inner(&bytes[0], static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(bytes.size()));
  TQXTZLibInStream in(&inner, false);
  const uint32_t chunk = 1u + ((how >> 1) & 7) * 997u;
  std::string block(chunk, '\0');
  uint32_t total = 0;
  // Highly compressible input expands a thousandfold; a bound keeps each run short.
  while (total < (1u << 20)) {
    const uint32_t got = (how & 0x10) ? in.Read(&block[0], chunk) : (in.GetByte(), in.IsFailed() ? 0u : 1u);
    total += got;
    if (got == 0 || in.IsFailed()) break;
  }
  if (how & 0x20) {
    in.Rewind();
    in.Seek(total / 2);
    in.GetByte();
  }
  in.Size();
  in.Tell();
  return 0;
}
