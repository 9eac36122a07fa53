// Event lists from arbitrary events, start ticks and filters: the list stays sorted by tick and
// sort class, counts what it keeps, and its queries stay within their tables.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "midi/MidiFileBuf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  TMidiFileBuf list(data[0] & 3);
  list.Allocate(1 + (data[1] & 1));
  list.SetStartTick(data[2] & 0x80 ? int32_t(data[2] & 0x7F) * 8 : 0);
  list.SetTypeFilter(int16_t(data[3] & 0x10 ? 1 << (data[3] & 0x0F) : 0));
  int added = 0;
  for (size_t at = 4; at + 6 <= size; at += 6) {
    TMidiEvent e;
    e.tick = int32_t(data[at] | data[at + 1] << 8) & 0x3FFF;
    std::memcpy(e.b, data + at + 2, 4);
    e.b[3] &= 0x4F;  // types 0-4
    list.AddEvent(e);
    ++added;
  }
  // Rising ticks pad the list past its first buffers now and then.
  for (int i = 0; i < (data[1] & 2 ? 1500 : 0); ++i) list.AddShortEvent(i, kMidiNoteOn, 0, 0, 60, 1);

  const int32_t n = list.EventCount();
  if (n < 0) abort();
  if (!list.IsOverflowed() && !list.StartTick() && !(data[3] & 0x10) &&
      n != added + (data[1] & 2 ? 1500 : 0)) {
    abort();
  }
  for (int32_t i = 1; i < n; ++i) {
    const TMidiEvent a = list.EventAt(i - 1), b = list.EventAt(i);
    if (a.tick > b.tick || (a.tick == b.tick && MidiEventSortClass(a) > MidiEventSortClass(b))) abort();
  }
  uint16_t programs[128], keys[128];
  list.PatchUsage(data[2] & 0x0F, 0xFFFF, programs, keys);
  if (list.LargestChordSpan(0xFFFF) > 127) abort();
  if (list.HighestVelocity(0xFFFF) > 255) abort();
  list.DurationMs();
  return 0;
}
