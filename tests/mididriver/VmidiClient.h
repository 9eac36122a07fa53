// The test side of the test MIDI driver: installs it into the Wine prefix before winmm first looks
// for drivers, and binds its control functions once winmm has loaded it.
#pragma once
#include <string>
#include <vector>

#include "tests/mididriver/VmidiProtocol.h"

class VmidiClient {
public:
  // Copies winevmidi.drv from beside the running program into the system folder (when it
  // differs) and selects it as the audio driver. Call before the first MIDI call of the process.
  static bool Install(std::string* error);
  // Install for a test suite: reports a failure on stderr.
  static bool InstallReporting();

  // Binds the control functions of the loaded driver; false when winmm did not load it.
  bool Bind();

  uint32_t LogCount() const { return count_(); }
  bool ReadLog(uint32_t index, VmidiLogEntry* out) const { return read_(index, out) != 0; }
  // Entries from `from` up to now (those still held).
  std::vector<VmidiLogEntry> LogSince(uint32_t from) const;
  // The short messages sent to output `device` since `from`, in order (not-ready answers left out).
  std::vector<VmidiLogEntry> SentSince(uint32_t from, int device) const;
  void SetNotReady(int device, uint32_t count) const { notReady_(device, count); }
  void SetDelay(int device, uint32_t ms) const { delay_(device, ms); }
  bool Feed(int device, const std::vector<VmidiFeedItem>& items) const;
  bool FeedWait(uint32_t timeoutMs) const { return feedWait_(timeoutMs) != 0; }

  // The short messages output `device` took in any process while this one has run (the count
  // starts with the first call).
  static uint32_t SentInAnyProcess(int device);

  // The winmm device ids of the driver's ports (-1 when not listed).
  static int OutputId(int port);
  static int InputId(int port);

private:
  VmidiLogCountFn count_ = nullptr;
  VmidiLogReadFn read_ = nullptr;
  VmidiSetNotReadyFn notReady_ = nullptr;
  VmidiSetDelayFn delay_ = nullptr;
  VmidiFeedFn feed_ = nullptr;
  VmidiFeedWaitFn feedWait_ = nullptr;
};
