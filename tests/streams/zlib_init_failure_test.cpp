// zlib refusing to start (an unknown interface version, no memory) must fail the compressed
// streams, and leave them safe to destroy. The two starts are replaced here at link time.
#include <gtest/gtest.h>

#include <string>

#include "foundation/QXTSegRamStream.h"
#include "foundation/QXTZLibAheadStream.h"
#include "foundation/QXTZLibInStream.h"
#include "foundation/QXTZLibInit.h"
#include "foundation/QXTZLibOutStream.h"
#include "tests/streams/StreamBytes.h"

using namespace std::string_literals;

int QXTZLibInflateInit(z_stream&) { return Z_VERSION_ERROR; }
int QXTZLibDeflateInit(z_stream&) { return Z_MEM_ERROR; }

TEST(ZLibStartFailure, TheWriterFails) {
  TQXTSegRamStream inner(64);
  {
    TQXTZLibOutStream out(&inner, false);
    out.PutByte('a');
    EXPECT_TRUE(out.IsFailed());
    out.Finish();
    EXPECT_TRUE(out.IsFailed());
  }
  EXPECT_EQ(AllBytes(inner), "[QVZ]\0"s);  // nothing after the marker
}

TEST(ZLibStartFailure, TheReaderFails) {
  ReadView v("[QVZ]\0\x78\xDA\x4B\x4C\x4A\x06\x00\x02\x4D\x01\x27"s);
  TQXTZLibInStream in(&v.stream, false);
  in.GetByte();
  EXPECT_TRUE(in.IsFailed());
  char b[4];
  EXPECT_EQ(in.Read(b, 4), 0u);
}

TEST(ZLibStartFailure, TheAheadReaderFails) {
  ReadView v("[QVZ]\0\x78\xDA\x4B\x4C\x4A\x06\x00\x02\x4D\x01\x27"s);
  TQXTZLibAheadStream in(&v.stream);
  char b[4];
  EXPECT_EQ(in.Read(b, 4), 0u);
  EXPECT_TRUE(in.IsFailed());
  in.GetByte();
  EXPECT_TRUE(in.IsFailed());
}
