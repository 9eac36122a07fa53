// The patch runner on hand-made streams: every opcode, the base offset, piece sizes and
// progress, cancel, and streams that ask for bytes the installed file does not have.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PackageBytes.h"
#include "installer/PatchRunner.h"

namespace {

struct TRecorder : TPatchProgress {
  std::vector<uint32_t> pieces;
  size_t cancelAt = SIZE_MAX;
  bool Advance(uint32_t bytes) override {
    pieces.push_back(bytes);
    return pieces.size() >= cancelAt;
  }
};

std::vector<unsigned char> OldFile() {
  std::vector<unsigned char> old(70000 + 300);
  for (size_t i = 0; i < old.size(); ++i) old[i] = static_cast<unsigned char>((i * 7 + i / 251) & 0xFF);
  return old;
}

struct TRun {
  TPatchResult result;
  std::vector<unsigned char> out;
  TRecorder progress;
  uint32_t packageLeft;
};

TRun RunPatch(TBytes stream, std::vector<unsigned char>* old, uint64_t limit = 1 << 20, size_t cancelAt = SIZE_MAX) {
  TRun r;
  r.progress.cancelAt = cancelAt;
  auto package = ReadView(stream.data);
  TQXTFlatRamStream output(1024, 4096);
  TQXTFlatRamStream source = old ? ReadView(*old) : TQXTFlatRamStream();
  TPatchRun run;
  run.source = old ? &source : nullptr;
  run.output = &output;
  run.outputLimit = limit;
  run.progress = &r.progress;
  r.result = RunPatchStream(package, run);
  r.out.resize(output.Size());
  output.Rewind();
  output.Read(r.out.data(), output.Size());
  r.packageLeft = package.Size() - package.Tell();
  return r;
}

std::vector<unsigned char> Slice(const std::vector<unsigned char>& v, size_t at, size_t n) {
  return std::vector<unsigned char>(v.begin() + at, v.begin() + at + n);
}

TEST(PatchRunner, EveryCopyOpcodeTakesItsRange) {
  auto old = OldFile();
  struct Case { const char* what; TBytes stream; size_t at, n; };
  Case cases[] = {
      {"5 base+low u8", TBytes().U8(5).U16(10).U8(3), 10, 3},
      {"6 base+low u16", TBytes().U8(6).U16(20).U16(600), 20, 600},
      {"7 base+low u32", TBytes().U8(7).U16(0).U32(70000), 0, 70000},
      {"8 offset u8", TBytes().U8(8).U32(69999).U8(200), 69999, 200},
      {"9 offset u16", TBytes().U8(9).U32(65535).U16(257), 65535, 257},
      {"10 offset u32", TBytes().U8(10).U32(1).U32(70100), 1, 70100},
      {"4 then 5: base 65536 + 16", TBytes().U8(4).U16(1).U8(5).U16(16).U8(3), 65552, 3},
      {"4 then 7", TBytes().U8(4).U16(1).U8(7).U16(100).U32(1000), 65636, 1000},
  };
  for (Case& c : cases) {
    c.stream.U8(0);
    TRun r = RunPatch(c.stream, &old);
    EXPECT_EQ(r.result, TPatchResult::Done) << c.what;
    EXPECT_EQ(r.out, Slice(old, c.at, c.n)) << c.what;
    EXPECT_EQ(r.packageLeft, 0u) << c.what;
  }
}

TEST(PatchRunner, LiteralOpcodesCopyInPiecesOf256) {
  std::string text300(300, 'x');
  for (size_t i = 0; i < text300.size(); ++i) text300[i] = static_cast<char>('a' + i % 26);
  struct Case { const char* what; TBytes stream; std::string expect; std::vector<uint32_t> pieces; };
  Case cases[] = {
      {"1 u8", TBytes().U8(1).U8(3).Raw("abc"), "abc", {3}},
      {"2 u16, 300 bytes", TBytes().U8(2).U16(300).Raw(text300), text300, {256, 44}},
      {"3 u32", TBytes().U8(3).U32(257).Raw(text300.substr(0, 257)), text300.substr(0, 257), {256, 1}},
      {"unknown opcodes pass with no operands", TBytes().U8(11).U8(200).U8(1).U8(1).Raw("z").U8(255), "z", {1}},
      {"zero counts", TBytes().U8(1).U8(0).U8(8).U32(5).U8(0), "", {}},
  };
  auto old = OldFile();
  for (Case& c : cases) {
    c.stream.U8(0);
    TRun r = RunPatch(c.stream, &old);
    EXPECT_EQ(r.result, TPatchResult::Done) << c.what;
    EXPECT_EQ(std::string(r.out.begin(), r.out.end()), c.expect) << c.what;
    EXPECT_EQ(r.progress.pieces, c.pieces) << c.what;
  }
}

TEST(PatchRunner, BaseOffsetStartsAtZeroForEachStream) {
  auto old = OldFile();
  TBytes two;
  two.U8(4).U16(1).U8(0);                 // first stream moves the base and ends
  two.U8(5).U16(7).U8(2).U8(0);           // second stream copies from 7, not 65543
  auto package = ReadView(two.data);
  TQXTFlatRamStream source = ReadView(old);
  TQXTFlatRamStream out(64, 64);
  TPatchRun run;
  run.source = &source;
  run.output = &out;
  run.outputLimit = 100;
  EXPECT_EQ(RunPatchStream(package, run), TPatchResult::Done);
  EXPECT_EQ(RunPatchStream(package, run), TPatchResult::Done);
  ASSERT_EQ(out.Size(), 2u);
  out.Rewind();
  EXPECT_EQ(out.GetByte(), old[7]);
}

// A copy the installed file cannot give must not crash or read outside it; the stream is still
// consumed to its end, so the next file's stream is read from the right place.
TEST(PatchRunner, CopiesOutsideTheSourceFailButConsumeTheStream) {
  auto old = OldFile();
  const uint32_t size = static_cast<uint32_t>(old.size());
  struct Case { const char* what; TBytes stream; bool withSource; };
  Case cases[] = {
      {"past the end", TBytes().U8(8).U32(size - 2).U8(3).U8(1).U8(1).Raw("q"), true},
      {"offset beyond", TBytes().U8(10).U32(0xFFFFFFF0u).U32(0x20).U8(1).U8(1).Raw("q"), true},
      {"huge count", TBytes().U8(10).U32(0).U32(0xFFFFFFFFu).U8(1).U8(1).Raw("q"), true},
      {"base beyond", TBytes().U8(4).U16(0xFFFF).U8(7).U16(0xFFFF).U32(0xFFFFFFFFu).U8(1).U8(1).Raw("q"), true},
      {"no installed file", TBytes().U8(5).U16(0).U8(4).U8(1).U8(1).Raw("q"), false},
  };
  for (Case& c : cases) {
    c.stream.U8(0).U8(0x77);  // the next stream's first byte
    TRun r = RunPatch(c.stream, c.withSource ? &old : nullptr);
    EXPECT_EQ(r.result, TPatchResult::Failed) << c.what;
    EXPECT_EQ(r.packageLeft, 1u) << c.what;
  }
}

TEST(PatchRunner, TruncatedStreamsAndOversizeOutputFail) {
  auto old = OldFile();
  struct Case { const char* what; TBytes stream; uint64_t limit; };
  Case cases[] = {
      {"no end opcode", TBytes().U8(1).U8(1).Raw("a"), 100},
      {"literal longer than the package", TBytes().U8(3).U32(0xFFFFFFFFu).Raw("abc"), 100},
      {"operand cut", TBytes().U8(9).U16(1), 100},
      {"more than the new size", TBytes().U8(1).U8(4).Raw("abcd").U8(0), 3},
      {"copy past the new size", TBytes().U8(8).U32(0).U8(50).U8(0), 49},
  };
  for (Case& c : cases) {
    TRun r = RunPatch(c.stream, &old, c.limit);
    EXPECT_EQ(r.result, TPatchResult::Failed) << c.what;
    EXPECT_LE(r.out.size(), c.limit) << c.what;
  }
}

TEST(PatchRunner, CancelEndsTheStreamAtOnce) {
  auto old = OldFile();
  TBytes s;
  s.U8(2).U16(600).Raw(std::string(600, 'k')).U8(1).U8(1).Raw("x").U8(0);
  TRun r = RunPatch(s, &old, 1 << 20, 2);
  EXPECT_EQ(r.result, TPatchResult::Cancelled);
  EXPECT_EQ(r.out.size(), 512u);
  EXPECT_EQ(r.progress.pieces.size(), 2u);
}

TEST(PatchRunner, WithoutOutputTheStreamIsOnlyConsumed) {
  auto old = OldFile();
  TBytes s;
  s.U8(2).U16(300).Raw(std::string(300, 'k')).U8(9).U32(5).U16(10).U8(0).U8(0x55);
  auto package = ReadView(s.data);
  TQXTFlatRamStream source = ReadView(old);
  TRecorder progress;
  TPatchRun run;
  run.source = &source;
  run.progress = &progress;
  EXPECT_EQ(RunPatchStream(package, run), TPatchResult::Done);
  EXPECT_EQ(package.GetByte(), 0x55);
  EXPECT_EQ(progress.pieces, (std::vector<uint32_t>{256, 44, 10}));
}

}  // namespace
