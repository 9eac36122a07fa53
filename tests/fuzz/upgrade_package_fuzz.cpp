// The upgrade package reader, the patch runner and the ".uui" texts on arbitrary bytes: whole
// packages (every record's stream run against a fixed installed file), bare patch streams, and
// text files. Output is capped at the record's new size, as the installer does.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/QXTFlatRamStream.h"
#include "installer/PatchRunner.h"
#include "installer/UpgradePackage.h"
#include "installer/UpgradeTexts.h"

namespace {

struct TCounter : TPatchProgress {
  uint64_t total = 0;
  bool Advance(uint32_t bytes) override {
    total += bytes;
    return false;
  }
};

std::vector<unsigned char>& InstalledFile() {
  static std::vector<unsigned char> file = [] {
    std::vector<unsigned char> f(70000);
    for (size_t i = 0; i < f.size(); ++i) f[i] = static_cast<unsigned char>(i * 31 + (i >> 8));
    return f;
  }();
  return file;
}

void RunStream(TQXTStream& package, uint64_t limit) {
  auto& old = InstalledFile();
  TQXTFlatRamStream source(old.data(), static_cast<uint32_t>(old.size()), static_cast<uint32_t>(old.size()));
  TQXTFlatRamStream output(4096, 65536);
  TCounter counter;
  TPatchRun run;
  run.source = &source;
  run.output = &output;
  run.outputLimit = limit < (1u << 20) ? limit : (1u << 20);
  run.progress = &counter;
  RunPatchStream(package, run);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::vector<unsigned char> bytes(data + 1, data + size);
  TQXTFlatRamStream stream(bytes.data(), static_cast<uint32_t>(bytes.size()), static_cast<uint32_t>(bytes.size()));
  switch (data[0] % 3) {
    case 0: {
      TUpgPackage package;
      if (!package.ReadHeader(stream) || package.ReadRecords(stream) == 0) return 0;
      for (const TUpgFileRecord& record : package.Records()) {
        if (!IsSafeUpgName(record.name)) __builtin_trap();
        if (record.HasPatchStream()) RunStream(stream, record.newInfo.size);
        if (stream.IsFailed()) break;
      }
      return 0;
    }
    case 1:
      while (!stream.IsFailed() && stream.Tell() < stream.Size()) RunStream(stream, 1u << 20);
      return 0;
    default: {
      TUpgTexts texts;
      texts.Load(stream);
      for (int op = 0; op < 6; ++op) texts.OperationName(op);
      return 0;
    }
  }
}
