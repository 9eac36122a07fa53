// The text readers over arbitrary bytes: strings, lines and numbers must stay inside buffers of
// every size, including none, and always end.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"

namespace {

void ReadAll(TQXTStream& s, int size, uint8_t how) {
  // An exact-size heap buffer, so a write one past the end is caught.
  std::unique_ptr<char[]> buffer(new char[size > 0 ? size : 0]);
  for (int guard = 0; guard < 100000 && !s.IsFailed(); ++guard) {
    switch ((how + guard) % 3) {
      case 0: s.ReadString(buffer.get(), size); break;
      case 1: s.ReadLine(buffer.get(), size); break;
      default: s.ReadFloat(); break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int bufferSize = static_cast<int8_t>(data[0]);  // -128..127: below 1 means no room
  const uint8_t how = data[1];
  std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);

  TQXTFlatRamStream view(bytes.empty() ? nullptr : &bytes[0], static_cast<uint32_t>(bytes.size()),
                         static_cast<uint32_t>(bytes.size()));
  ReadAll(view, bufferSize, how);

  TQXTSegRamStream chain(static_cast<uint16_t>(1 + how % 17));
  chain.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  chain.Rewind();
  ReadAll(chain, bufferSize, static_cast<uint8_t>(how + 1));
  return 0;
}
