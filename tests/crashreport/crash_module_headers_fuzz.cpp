// Arbitrary module headers and fault offsets through the module text of the crash report: no
// read past the headers, the text always terminated inside its buffer, and a section position
// named exactly when one was found.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/CrashReport.h"

static void Check(bool condition) {
  if (!condition) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  std::uint32_t offset = data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
  std::size_t outSize = 1 + data[4] % kFaultModuleInfoSize;
  // The headers in a block of exactly their size, so that the sanitizer sees any read past them.
  std::vector<unsigned char> headers(data + 5, data + size);
  std::vector<char> out(outSize + 1, '#');
  bool found = DescribeFaultModule("C:\\dir\\module.dll", headers.data(), headers.size(), offset, out.data(), outSize);
  Check(out[outSize] == '#');
  std::size_t length = std::strlen(out.data());
  Check(length < outSize);
  if (outSize > 30) {
    // "module.dll" and, when found, " at SSSS:OOOOOOOO".
    Check(length == (found ? 10u + 17u : 10u));
    Check(std::strncmp(out.data(), "module.dll", 10) == 0);
  }
  return 0;
}
