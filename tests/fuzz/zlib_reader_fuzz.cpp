// The compressed reader over arbitrary bytes: every way of reading must stop cleanly, without
// reading outside a buffer or leaking, whatever the data claims.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTZLibAheadStream.h"
#include "foundation/QXTZLibInStream.h"

namespace {

// Reads a stream in pieces until a short count, up to a bound; answers the bytes and the fail flag.
std::string Drain(TQXTStream& in, uint32_t piece, bool& failed) {
  std::string out, block(piece, '\0');
  for (;;) {
    const uint32_t got = in.Read(&block[0], piece);
    out.append(block, 0, got);
    if (got < piece || out.size() >= (1u << 20)) break;
  }
  failed = in.IsFailed();
  return out;
}

// The ahead stream, which inflates on a worker, must deliver in pieces of any size what the
// direct reader delivers in whole blocks (as the score reader reads both).
void CompareWithAheadStream(std::string& bytes, uint32_t piece) {
  const uint32_t n = static_cast<uint32_t>(bytes.size());
  TQXTFlatRamStream directInner(&bytes[0], n, n), aheadInner(&bytes[0], n, n);
  TQXTZLibInStream direct(&directInner, false);
  TQXTZLibAheadStream ahead(&aheadInner);
  bool directFailed, aheadFailed;
  const std::string want = Drain(direct, TQXTZLibAheadStream::kBlock, directFailed);
  const std::string got = Drain(ahead, piece, aheadFailed);
  // The bound may cut the two at different points inside a block; compare what both reached.
  const size_t common = want.size() < got.size() ? want.size() : got.size();
  if (want.compare(0, common, got, 0, common) != 0) std::abort();
  if (want.size() < (1u << 20) && (want.size() != got.size() || directFailed != aheadFailed)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first byte chooses how to read; an odd one puts the marker in front, so most inputs
  // reach zlib instead of stopping at the header test.
  const uint8_t how = data[0];
  std::string bytes;
  if (how & 1) bytes.assign("[QVZ]\0", 6);
  bytes.append(reinterpret_cast<const char*>(data + 1), size - 1);

  if (how & 0x40) {
    CompareWithAheadStream(bytes, 1u + ((how >> 1) & 7) * 9973u);
    return 0;
  }
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
