// What each compressed stream owns besides its inner stream: the input and output blocks and
// the zlib record, allocated together so a stream can tell whether it has all three.
#pragma once

#include <memory>
#include <zlib.h>

#include "foundation/QXTZLibInit.h"

struct TQXTZLibBuffers {
  TQXTZLibBuffers();
  bool Ready() const { return input && output && record; }

  std::unique_ptr<unsigned char[]> input;   // kQXTZLibBlock bytes
  std::unique_ptr<unsigned char[]> output;  // kQXTZLibBlock bytes
  std::unique_ptr<z_stream> record;
};
