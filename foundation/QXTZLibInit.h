// Starting a zlib stream with the interface version the compressed streams were written
// against. Kept apart so a test can put failing starts in its place at link time.
#pragma once

#include <zlib.h>

// Answer zlib's result code (Z_OK on success).
int QXTZLibInflateInit(z_stream& stream);
int QXTZLibDeflateInit(z_stream& stream);

// Both directions move data in blocks of this size.
constexpr unsigned kQXTZLibBlock = 8192;
