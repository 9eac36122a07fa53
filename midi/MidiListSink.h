// Lets the notation items play into a performance's event list: each event they make goes into
// the list, and the list's overflow tells a walk to stop.
#pragma once
#include "QVKNTN/MidiEventSink.h"

class TMidiFileBuf;

class TMidiListSink : public TMidiEventSink {
public:
  explicit TMidiListSink(TMidiFileBuf& list) : list_(list) {}
  void AddShortEvent(int32_t tick, int port, uint8_t status, uint8_t data1, uint8_t data2) override;
  void AddTempoEvent(int32_t tick, int beatsPerMinute) override;
  void AddKeySigEvent(int32_t tick, int sharpsOrFlats) override;
  void AddHoldEvent(int32_t tick, int count) override;
  bool IsFull() const override;

private:
  TMidiFileBuf& list_;
};
