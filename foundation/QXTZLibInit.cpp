#include "foundation/QXTZLibInit.h"

// zlib compares only the major digit of the version text, so the 1.1.4 interface starts on any
// zlib 1; the record size must be this build's own.
static const char kInterfaceVersion[] = "1.1.4";

int QXTZLibInflateInit(z_stream& stream) {
  return inflateInit_(&stream, kInterfaceVersion, static_cast<int>(sizeof(z_stream)));
}

int QXTZLibDeflateInit(z_stream& stream) {
  return deflateInit_(&stream, 9, kInterfaceVersion, static_cast<int>(sizeof(z_stream)));
}
