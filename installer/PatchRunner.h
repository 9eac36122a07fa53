// Runs one file's patch stream: literal bytes from the package and ranges of the installed file
// into the file being built, with progress and a cancel check after every piece.
#pragma once

#include <cstdint>

class TQXTStream;

enum class TPatchOpcode : uint8_t {
  End = 0,
  Literal8 = 1,
  Literal16 = 2,
  Literal32 = 3,
  SetBase = 4,
  BaseCopy8 = 5,
  BaseCopy16 = 6,
  BaseCopy32 = 7,
  Copy8 = 8,
  Copy16 = 9,
  Copy32 = 10,
};

enum class TPatchResult { Done, Cancelled, Failed };

// Told of every piece; answers true when the user has decided to cancel.
class TPatchProgress {
 public:
  virtual ~TPatchProgress() = default;
  virtual bool Advance(uint32_t bytes) = 0;
};

struct TPatchRun {
  TQXTStream* source = nullptr;  // the installed file, or none
  TQXTStream* output = nullptr;  // the file being built, or none: the stream is only consumed
  uint64_t outputLimit = 0;      // the size the built file must have; more is never written
  TPatchProgress* progress = nullptr;
};

// Bytes move in pieces of at most this size.
constexpr uint32_t kPatchPiece = 256;

// Reads commands up to the end opcode. A copy the source cannot give (no source, or a range
// outside it) or output past the limit fails the run but keeps consuming the stream, so the next
// file's stream still starts in the right place; a package stream that ends early fails at once.
TPatchResult RunPatchStream(TQXTStream& package, const TPatchRun& run);
