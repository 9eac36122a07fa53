#include "installer/PatchRunner.h"

#include "foundation/QXTStream.h"

namespace {

class TRunner {
 public:
  TRunner(TQXTStream& package, const TPatchRun& run) : package(package), run(run) {}

  TPatchResult Run() {
    for (;;) {
      const auto opcode = static_cast<TPatchOpcode>(package.GetByte());
      if (package.IsFailed()) return TPatchResult::Failed;
      if (opcode == TPatchOpcode::End) return failed ? TPatchResult::Failed : TPatchResult::Done;
      if (!Command(opcode)) return cancelled ? TPatchResult::Cancelled : TPatchResult::Failed;
    }
  }

 private:
  uint32_t ReadU8() { return package.GetByte(); }
  uint32_t ReadU16() { return package.ReadUInt16(); }
  uint32_t ReadU32() { return static_cast<uint32_t>(package.ReadInt32()); }

  // False ends the stream at once (the package failed, or a cancel).
  bool Command(TPatchOpcode opcode) {
    switch (opcode) {
      case TPatchOpcode::Literal8: return Literal(ReadU8());
      case TPatchOpcode::Literal16: return Literal(ReadU16());
      case TPatchOpcode::Literal32: return Literal(ReadU32());
      case TPatchOpcode::SetBase:
        base = static_cast<uint64_t>(ReadU16()) << 16;
        return !package.IsFailed();
      case TPatchOpcode::BaseCopy8: { const uint32_t low = ReadU16(); return CopyOld(base + low, ReadU8()); }
      case TPatchOpcode::BaseCopy16: { const uint32_t low = ReadU16(); return CopyOld(base + low, ReadU16()); }
      case TPatchOpcode::BaseCopy32: { const uint32_t low = ReadU16(); return CopyOld(base + low, ReadU32()); }
      case TPatchOpcode::Copy8: { const uint32_t at = ReadU32(); return CopyOld(at, ReadU8()); }
      case TPatchOpcode::Copy16: { const uint32_t at = ReadU32(); return CopyOld(at, ReadU16()); }
      case TPatchOpcode::Copy32: { const uint32_t at = ReadU32(); return CopyOld(at, ReadU32()); }
      default:
        return true;  // unknown opcodes carry no operands
    }
  }

  bool Literal(uint32_t count) {
    if (package.IsFailed()) return false;
    unsigned char piece[kPatchPiece];
    while (count > 0) {
      const uint32_t n = count < kPatchPiece ? count : kPatchPiece;
      if (package.Read(piece, n) != n) {
        package.SetFail();
        return false;
      }
      Put(piece, n);
      count -= n;
      if (!Advanced(n)) return false;
    }
    return true;
  }

  bool CopyOld(uint64_t offset, uint32_t count) {
    if (package.IsFailed()) return false;
    if (count == 0) return true;
    // A range the installed file does not hold: nothing to build from, so the built file would
    // be wrong; the stream itself holds no bytes for it and goes on.
    if (!run.source || offset + count > run.source->Size() || !run.source->Seek(static_cast<uint32_t>(offset))) {
      failed = true;
      return true;
    }
    unsigned char piece[kPatchPiece];
    while (count > 0) {
      const uint32_t n = count < kPatchPiece ? count : kPatchPiece;
      if (!failed && run.source->Read(piece, n) != n) failed = true;
      if (!failed) Put(piece, n);
      count -= n;
      if (!Advanced(n)) return false;
    }
    return true;
  }

  void Put(const unsigned char* bytes, uint32_t n) {
    if (!run.output || failed) return;
    if (written + n > run.outputLimit) {
      failed = true;
      return;
    }
    run.output->Write(bytes, n);
    written += n;
    if (run.output->IsFailed()) failed = true;
  }

  bool Advanced(uint32_t n) {
    if (run.progress && run.progress->Advance(n)) {
      cancelled = true;
      return false;
    }
    return true;
  }

  TQXTStream& package;
  const TPatchRun& run;
  uint64_t base = 0;
  uint64_t written = 0;
  bool failed = false;
  bool cancelled = false;
};

}  // namespace

TPatchResult RunPatchStream(TQXTStream& package, const TPatchRun& run) { return TRunner(package, run).Run(); }
