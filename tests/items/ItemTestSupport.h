// Test fixtures for the items: a sink that records events and a staff of items that a walk can
// play through the items' own Perform and UpdateContext.
#pragma once
#include <memory>
#include <ostream>
#include <vector>
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/StaffItems.h"

struct TRecordedEvent {
  enum Kind { Short, Tempo, KeySig, Hold } kind;
  int32_t tick;
  int a, b, c;  // short: status, data1, data2; tempo: bpm; key: size; hold: count
  bool operator==(const TRecordedEvent&) const = default;
};

inline void PrintTo(const TRecordedEvent& e, std::ostream* os) {
  static const char* const kKinds[] = {"short", "tempo", "key", "hold"};
  *os << "{" << kKinds[e.kind] << " @" << e.tick << " " << e.a << "," << e.b << "," << e.c << "}";
}

class TRecordingSink : public TMidiEventSink {
 public:
  void AddShortEvent(int32_t tick, int port, uint8_t status, uint8_t d1, uint8_t d2) override {
    events.push_back({TRecordedEvent::Short, tick, status, d1, d2});
    ports.push_back(port);
  }
  void AddTempoEvent(int32_t tick, int bpm) override { events.push_back({TRecordedEvent::Tempo, tick, bpm, 0, 0}); }
  void AddKeySigEvent(int32_t tick, int size) override { events.push_back({TRecordedEvent::KeySig, tick, size, 0, 0}); }
  void AddHoldEvent(int32_t tick, int count) override { events.push_back({TRecordedEvent::Hold, tick, count, 0, 0}); }
  std::vector<TRecordedEvent> events;
  std::vector<int> ports;
};

// A staff's items between the two bar-line sentinels, as the score keeps them.
class TTestStaff {
 public:
  TTestStaff() { fItems.emplace_back(new TBarLineData()); }
  template <class T>
  T* Add(T* item) {
    fItems.emplace_back(item);
    return item;
  }
  TStaffItems View() {
    Close();
    fPointers.clear();
    for (auto& p : fItems) fPointers.push_back(p.get());
    return TStaffItems{fPointers.data(), int(fPointers.size())};
  }
  // Plays the staff as the performance builder does; answers the indexes in the order played.
  std::vector<int> Play(TStaffContext& context, TMidiEventSink* sink = nullptr, int limit = 1000) {
    const TStaffItems items = View();
    std::vector<int> order;
    for (int i = 0; i >= 0 && i < items.count && int(order.size()) < limit;) {
      order.push_back(i);
      const TNotatedItem* item = items.At(i);
      if (sink) item->AddMidiEvents(context, *sink);
      const int next = item->Perform(context, items, i);
      item->UpdateContext(context);
      i = next;
    }
    return order;
  }

 private:
  void Close() {
    if (!fClosed) fItems.emplace_back(new TBarLineData());
    fClosed = true;
  }
  bool fClosed = false;
  std::vector<std::unique_ptr<TNotatedItem>> fItems;
  std::vector<TNotatedItem*> fPointers;
};
