// The whole score reader over arbitrary bytes, plain and through the inflating stream: whatever
// loads must save and read back as a current file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreFile.h"
#include "foundation/QXTSegRamStream.h"
#include "foundation/QXTZLibOutStream.h"

namespace {

std::vector<unsigned char> Compressed(const uint8_t* data, size_t size) {
  TQXTSegRamStream packed(4096);
  {
    TQXTZLibOutStream deflating(&packed, false);
    deflating.Write(data, static_cast<uint32_t>(size));
    deflating.Finish();
  }
  std::vector<unsigned char> out(packed.Size());
  packed.Rewind();
  packed.Read(out.data(), static_cast<uint32_t>(out.size()));
  return out;
}

}  // namespace

// The reader runs the real audit pass through its hooks, as the editor does.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  InstallAuditPass();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the form: the rest as it is, or the rest compressed into "[QVZ]".
  const bool compress = data[0] & 1;
  std::vector<unsigned char> image = compress ? Compressed(data + 1, size - 1) : std::vector<unsigned char>(data + 1, data + size);
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> score(ReadScoreImage(image.data(), static_cast<uint32_t>(image.size()), info));
  if (!score) {
    if (info.status < slNotRecognised || info.status > slWrongProduct) std::abort();
    return 0;
  }
  if (score->StaffCount() < 1) std::abort();
  TQXTSegRamStream saved(1024);
  if (!WriteScoreHeader(saved, *score, skAutoSave)) std::abort();
  std::vector<unsigned char> bytes(saved.Size());
  saved.Rewind();
  saved.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
  TScoreLoadInfo again;
  std::unique_ptr<TMusicScore> reread(ReadScoreImage(bytes.data(), static_cast<uint32_t>(bytes.size()), again));
  if (!reread || again.status != slRead) std::abort();
  return 0;
}
