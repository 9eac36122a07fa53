// The Standard MIDI File reader over any bytes: it must stop within its input, whatever the
// chunk lengths, event lengths and counts claim.
#include <cstddef>
#include <cstdint>

#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"
#include "midi/SMFImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TQXTFlatRamStream in(const_cast<uint8_t*>(data), uint32_t(size), uint32_t(size));
  TQXTSegRamStream log(512);
  TSMFData smf;
  ImportMidiFile(smf, in, &log);
  for (int t = 0; t < smf.TrackCount(); ++t) {
    smf.Track(t)->HasLyrics();
    smf.Track(t)->HasText();
  }
  return 0;
}
