#include "foundation/QXTZLibBuffers.h"

#include <new>

TQXTZLibBuffers::TQXTZLibBuffers()
    : input(new (std::nothrow) unsigned char[kQXTZLibBlock]),
      output(new (std::nothrow) unsigned char[kQXTZLibBlock]),
      record(new (std::nothrow) z_stream) {}
