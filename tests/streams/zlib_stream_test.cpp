// The "[QVZ]" streams: exact bytes, round trips across the 8192-byte blocks, the header test,
// seeking, and what broken or missing data does to the fail flag.
#include <gtest/gtest.h>

#include <string>
#include <zlib.h>

#include "foundation/QXTFStream.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"
#include "foundation/QXTZLibAheadStream.h"
#include "foundation/QXTZLibInStream.h"
#include "foundation/QXTZLibOutStream.h"
#include "tests/streams/StreamBytes.h"
#include "tests/streams/TempPath.h"

using namespace std::string_literals;

namespace {

// Text-like data that compresses, with some noise so blocks differ.
std::string Sample(size_t n) {
  std::string s;
  uint32_t x = 12345;
  for (size_t i = 0; i < n; ++i) {
    x = x * 1103515245 + 12345;
    s += (x >> 28) < 3 ? static_cast<char>(x >> 16) : "staff note rest clef "[i % 21];
  }
  return s;
}

std::string Compressed(const std::string& plain, bool byBytes) {
  TQXTSegRamStream inner(1024);
  {
    TQXTZLibOutStream out(&inner, false);
    if (byBytes) {
      for (char c : plain) out.PutByte(static_cast<unsigned char>(c));
    } else {
      out.Write(plain.data(), static_cast<uint32_t>(plain.size()));
    }
    EXPECT_EQ(out.Tell(), plain.size());
    out.Finish();
    EXPECT_FALSE(out.IsFailed());
  }
  return AllBytes(inner);
}

// Expands the zlib stream after the marker with zlib itself, independently of the reader.
std::string ExpandWithZlib(const std::string& stream) {
  std::string out(stream.size() * 20 + 1024, '\0');
  uLongf outLength = static_cast<uLongf>(out.size());
  const int result = uncompress(reinterpret_cast<Bytef*>(&out[0]), &outLength,
                                reinterpret_cast<const Bytef*>(stream.data() + 6),
                                static_cast<uLong>(stream.size() - 6));
  EXPECT_EQ(result, Z_OK);
  out.resize(outLength);
  return out;
}

}  // namespace

TEST(ZLibStreams, ExactBytesOfSmallAndEmptyStreams) {
  EXPECT_EQ(Compressed("abc", true), "[QVZ]\0\x78\xDA\x4B\x4C\x4A\x06\x00\x02\x4D\x01\x27"s);
  TQXTSegRamStream inner(64);
  TQXTZLibOutStream out(&inner, false);
  out.Finish();  // no byte at all: still a complete empty stream
  EXPECT_EQ(AllBytes(inner), "[QVZ]\0\x78\xDA\x03\x00\x00\x00\x00\x01"s);
  out.Finish();  // a second call adds nothing
  EXPECT_EQ(inner.Size(), 14u);
  out.PutByte(1);  // finished until Reset
  EXPECT_TRUE(out.IsFailed());
}

TEST(ZLibStreams, EmptyStreamReadsNothing) {
  ReadView empty("[QVZ]\0\x78\xDA\x03\x00\x00\x00\x00\x01"s);
  TQXTZLibInStream in(&empty.stream, false);
  char b[4];
  EXPECT_EQ(in.Read(b, 4), 0u);
  EXPECT_FALSE(in.IsFailed());
  in.GetByte();
  EXPECT_TRUE(in.IsFailed());
}

TEST(ZLibStreams, RoundTripsAcrossBlockEdges) {
  for (size_t n : {1u, 8191u, 8192u, 8193u, 100000u}) {
    const std::string plain = Sample(n);
    for (bool byBytes : {true, false}) {
      const std::string stream = Compressed(plain, byBytes);
      ASSERT_EQ(stream.substr(0, 6), "[QVZ]\0"s);
      EXPECT_EQ(ExpandWithZlib(stream), plain) << n;

      ReadView v(stream);
      TQXTZLibInStream in(&v.stream, false);
      std::string back;
      if (byBytes) {
        for (size_t i = 0; i < n; ++i) back += static_cast<char>(in.GetByte());
      } else {
        back.resize(n + 10);
        back.resize(in.Read(&back[0], static_cast<uint32_t>(n + 10)));  // the end gives a short count
      }
      EXPECT_EQ(back, plain) << n;
      EXPECT_FALSE(in.IsFailed());
      EXPECT_EQ(in.Tell(), n);
      in.GetByte();
      EXPECT_TRUE(in.IsFailed());
    }
  }
}

TEST(ZLibStreams, CompressesAtTheBlockEdgeAndFinishAddsTheRest) {
  TQXTSegRamStream inner(1024);
  TQXTZLibOutStream out(&inner, false);
  const std::string plain = Sample(8192);
  out.Write(plain.data(), 8191);
  EXPECT_EQ(inner.Size(), 6u);  // only the marker so far
  out.PutByte(static_cast<unsigned char>(plain[8191]));
  const uint32_t afterBlock = inner.Size();
  EXPECT_GT(afterBlock, 6u);
  out.Finish();
  EXPECT_GT(inner.Size(), afterBlock);
  EXPECT_EQ(ExpandWithZlib(AllBytes(inner)), plain);
}

TEST(ZLibStreams, HeaderTest) {
  struct HeaderCase {
    std::string bytes;
    bool compressed;
  };
  const HeaderCase cases[] = {
      {"[QVZ]\0rest"s, true},
      {"[qvz]\0"s, false},
      {"[QVZ]"s, true},  // the failing read at the end ends the string like a NUL
      {"[QVZ]0123456789abcdef\0"s, false},
      {"[QVZ] \0"s, false},
      {""s, false},
  };
  for (const HeaderCase& c : cases) {
    ReadView v(c.bytes);
    v.stream.Seek(static_cast<uint32_t>(c.bytes.size()));
    EXPECT_EQ(HasZLibHeader(v.stream), c.compressed) << c.bytes;
    if (c.compressed && c.bytes.size() > 5) {
      EXPECT_EQ(v.stream.Tell(), 6u);
    }
  }
}

TEST(ZLibStreams, SizeIsUnknownAndSeekingRestartsOrSkips) {
  const std::string plain = Sample(30000);
  ReadView v(Compressed(plain, false));
  TQXTZLibInStream in(&v.stream, false);
  EXPECT_EQ(in.Size(), 0x7ffffff0u);
  char part[20000];
  ASSERT_EQ(in.Read(part, 20000), 20000u);
  EXPECT_EQ(in.Size(), 0x7ffffff0u);
  ASSERT_TRUE(in.Seek(0));
  EXPECT_EQ(in.Tell(), 0u);
  EXPECT_EQ(in.GetByte(), static_cast<unsigned char>(plain[0]));
  ASSERT_TRUE(in.Seek(25000));
  EXPECT_EQ(in.GetByte(), static_cast<unsigned char>(plain[25000]));
  ASSERT_TRUE(in.Seek(12345));  // backwards: from the top again
  EXPECT_EQ(in.GetByte(), static_cast<unsigned char>(plain[12345]));
  in.Rewind();
  EXPECT_EQ(in.GetByte(), static_cast<unsigned char>(plain[0]));
  EXPECT_TRUE(in.Seek(30000));
  EXPECT_FALSE(in.IsFailed());
  EXPECT_FALSE(in.Seek(30001));
  EXPECT_TRUE(in.IsFailed());
}

TEST(ZLibStreams, BrokenOrMissingDataFails) {
  const std::string plain = Sample(50000);
  const std::string good = Compressed(plain, false);
  std::string corrupt = good;
  corrupt[good.size() / 2] ^= 0x55;
  const std::string truncated = good.substr(0, good.size() - 100);
  const std::string badChecksum = good.substr(0, good.size() - 1) + static_cast<char>(good.back() ^ 1);
  for (const std::string& bytes : {corrupt, truncated, badChecksum, "plain file\0data"s}) {
    ReadView v(bytes);
    TQXTZLibInStream in(&v.stream, false);
    std::string back(plain.size() + 1, '\0');
    EXPECT_LT(in.Read(&back[0], static_cast<uint32_t>(back.size())), back.size());
    EXPECT_TRUE(in.IsFailed());
  }
}


// Large reads expand straight into the caller's buffer, small ones through the stream's own:
// mixed in turn, every byte still comes once and in order, Tell keeps count, the end gives a
// short count without a fail, and broken data fails a large read as it fails a small one.
TEST(ZLibStreams, SmallAndLargeReadsInTurn) {
  const std::string plain = Sample(300000);
  const std::string good = Compressed(plain, false);
  const uint32_t pieces[] = {1, 8191, 20000, 3, 8192, 65536, 0, 17, 100000, 8193};
  for (size_t first = 0; first < sizeof pieces / sizeof pieces[0]; ++first) {
    ReadView v(good);
    TQXTZLibInStream in(&v.stream, false);
    std::string back;
    for (size_t k = first; back.size() < plain.size() + 1; ++k) {
      const uint32_t piece = pieces[k % (sizeof pieces / sizeof pieces[0])];
      if (piece == 0) {  // one GetByte
        const unsigned char c = in.GetByte();
        if (in.IsFailed()) break;
        back += static_cast<char>(c);
        continue;
      }
      std::string block(piece, '\0');
      const uint32_t n = in.Read(&block[0], piece);
      back.append(block, 0, n);
      ASSERT_EQ(in.Tell(), back.size());
      if (n < piece) break;
    }
    EXPECT_EQ(back, plain) << "starting with piece " << pieces[first];
    EXPECT_EQ(in.Tell(), plain.size());
  }
  std::string corrupt = good;
  corrupt[good.size() / 3] ^= 0x55;
  const std::string truncated = good.substr(0, good.size() / 2);
  for (const std::string& bytes : {corrupt, truncated}) {
    ReadView v(bytes);
    TQXTZLibInStream in(&v.stream, false);
    char small[10];
    EXPECT_EQ(in.Read(small, sizeof small), sizeof small);
    std::string rest(plain.size(), '\0');
    EXPECT_LT(in.Read(&rest[0], static_cast<uint32_t>(rest.size())), rest.size() - sizeof small + 1);
    EXPECT_TRUE(in.IsFailed());
  }
}

namespace {

// What a reader got out of a compressed stream: its bytes and whether the stream failed.
struct TReadOutcome {
  std::string bytes;
  bool failed;
};

// Reads until a short count in pieces of the given size (0: byte by byte, stopping at a fail).
TReadOutcome ReadAll(TQXTStream& in, uint32_t piece) {
  TReadOutcome got{{}, false};
  std::string block(piece ? piece : 1, '\0');
  for (;;) {
    uint32_t n;
    if (piece == 0) {
      const unsigned char c = in.GetByte();
      n = in.IsFailed() ? 0 : 1;
      block[0] = static_cast<char>(c);
    } else {
      n = in.Read(&block[0], piece);
    }
    got.bytes.append(block, 0, n);
    if (n < (piece ? piece : 1) || got.bytes.size() > (8u << 20)) break;
  }
  got.failed = in.IsFailed();
  return got;
}

}  // namespace

// The ahead stream must hand its reader what the direct reader gives when read in whole blocks,
// as the score reader reads it: every byte before a break, then the fail, however the reads fall.
// (The direct reader, read in smaller pieces, gives up the rest of a piece that meets a break.)
TEST(ZLibStreams, TheAheadStreamReadsWhatTheDirectReaderReads) {
  const std::string plain = Sample(300000);
  const std::string good = Compressed(plain, false);
  const std::string blocks = Compressed(Sample(3 * TQXTZLibAheadStream::kBlock), false);
  std::string corrupt = good;
  corrupt[good.size() / 2] ^= 0x55;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"intact", good},
      {"whole blocks", blocks},
      {"corrupt middle", corrupt},
      {"truncated", good.substr(0, good.size() / 3)},
      {"bad checksum", good.substr(0, good.size() - 1) + static_cast<char>(good.back() ^ 1)},
      {"empty stream", "[QVZ]\0\x78\xDA\x03\x00\x00\x00\x00\x01"s},
      {"no marker", "plain file\0data"s},
      {"marker only", "[QVZ]\0"s},
  };
  for (const auto& c : cases) {
    ReadView direct(c.bytes);
    TQXTZLibInStream directIn(&direct.stream, false);
    const TReadOutcome want = ReadAll(directIn, TQXTZLibAheadStream::kBlock);
    for (uint32_t piece : {TQXTZLibAheadStream::kBlock, 1000u, 0u}) {
      SCOPED_TRACE(std::string(c.name) + ", pieces of " + std::to_string(piece));
      ReadView ahead(c.bytes);
      TQXTZLibAheadStream aheadIn(&ahead.stream);
      const TReadOutcome got = ReadAll(aheadIn, piece);
      EXPECT_EQ(got.bytes.size(), want.bytes.size());
      EXPECT_TRUE(got.bytes == want.bytes);
      // Asking for a byte past the end fails any stream.
      EXPECT_EQ(got.failed, piece == 0 || want.failed);
      EXPECT_EQ(aheadIn.Tell(), want.bytes.size());
    }
  }
  ReadView v(good);
  TQXTZLibAheadStream in(&v.stream);
  EXPECT_EQ(ReadAll(in, 4096).bytes, plain);
}

TEST(ZLibStreams, TheAheadStreamSeeksForwardOnlyAndStopsWhenLeftEarly) {
  const std::string plain = Sample(400000);
  const std::string good = Compressed(plain, false);
  {
    ReadView v(good);
    TQXTZLibAheadStream in(&v.stream);
    EXPECT_TRUE(in.Seek(200000));
    EXPECT_EQ(in.GetByte(), static_cast<unsigned char>(plain[200000]));
    EXPECT_FALSE(in.IsFailed());
    EXPECT_FALSE(in.Seek(100));
    EXPECT_TRUE(in.IsFailed());
  }
  {
    // The worker is waiting for a free block when the reader goes away: leaving must not hang.
    ReadView v(good);
    TQXTZLibAheadStream in(&v.stream);
    EXPECT_EQ(in.GetByte(), static_cast<unsigned char>(plain[0]));
  }
  {
    ReadView v(good);
    TQXTZLibAheadStream in(&v.stream);  // never read at all
  }
  ReadView v(good);
  TQXTZLibAheadStream in(&v.stream);
  EXPECT_FALSE(in.Seek(static_cast<uint32_t>(plain.size()) + 1));
  EXPECT_TRUE(in.IsFailed());
}

TEST(ZLibStreams, ResetStartsAFreshStreamAtTheTopOfTheInnerStream) {
  TQXTSegRamStream inner(256);
  TQXTZLibOutStream out(&inner, false);
  out.Write("first stream", 12);
  out.Reset();
  EXPECT_EQ(out.Tell(), 0u);
  EXPECT_EQ(ExpandWithZlib(AllBytes(inner)), "first stream");
  out.Write("second", 6);
  out.Finish();
  EXPECT_EQ(AllBytes(inner), Compressed("second", false));
}

TEST(ZLibStreams, AFullInnerStreamFailsTheWriter) {
  unsigned char room[20];
  TQXTFlatRamStream inner(room, sizeof room, 0);
  TQXTZLibOutStream out(&inner, false);
  const std::string plain = Sample(20000);
  out.Write(plain.data(), static_cast<uint32_t>(plain.size()));
  out.Finish();
  EXPECT_TRUE(out.IsFailed());

  unsigned char tiny[3];
  TQXTFlatRamStream tooSmall(tiny, sizeof tiny, 0);
  TQXTZLibOutStream noMarker(&tooSmall, false);
  noMarker.PutByte('a');  // the marker itself does not fit
  EXPECT_TRUE(noMarker.IsFailed());
}

TEST(ZLibStreams, UnusedStreamsLeaveTheInnerStreamAlone) {
  TQXTSegRamStream inner(64);
  inner.WriteString("keep");
  { TQXTZLibOutStream out(&inner, false); }
  { TQXTZLibInStream in(&inner, false); }
  EXPECT_EQ(AllBytes(inner), "keep\0"s);
  // Owned inner streams go with their owner (the sanitizers report a leak otherwise).
  TQXTZLibOutStream owner(new TQXTSegRamStream(64), true);
  owner.PutByte(1);
  TQXTZLibInStream reader(new TQXTSegRamStream(64), true);
  reader.GetByte();
  EXPECT_TRUE(reader.IsFailed());
}

TEST(ZLibStreams, ThroughAFileAsTheScoreFileUsesThem) {
  TempPath path("compressed");
  const std::string plain = Sample(70000);
  {
    TQXTFStream file(TQXTFStream::ModeWrite, path.c_str());
    TQXTZLibOutStream out(&file, false);
    for (char c : plain) out.PutByte(static_cast<unsigned char>(c));
    out.Finish();
    EXPECT_FALSE(out.IsFailed());
  }
  EXPECT_EQ(ExpandWithZlib(path.Contents()), plain);
  TQXTFStream file(TQXTFStream::ModeRead, path.c_str());
  ASSERT_TRUE(HasZLibHeader(file));
  TQXTZLibInStream in(&file, false);
  std::string back(plain.size(), '\0');
  EXPECT_EQ(in.Read(&back[0], static_cast<uint32_t>(back.size())), plain.size());
  EXPECT_EQ(back, plain);
  EXPECT_FALSE(in.IsFailed());
}
