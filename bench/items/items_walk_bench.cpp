// Walks a full staff (12000 items: notes, chords, rests, bar lines and expressions) through
// UpdateContext, as the audit and the indexes do, and through the whole playback step
// (events, Perform, UpdateContext); reports nanoseconds per item.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/StaffItems.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {
constexpr int kItems = 12000;

class TCountingSink : public TMidiEventSink {
 public:
  void AddShortEvent(int32_t tick, int, uint8_t, uint8_t, uint8_t) override { sum += tick; }
  void AddTempoEvent(int32_t tick, int) override { sum += tick; }
  void AddKeySigEvent(int32_t tick, int) override { sum += tick; }
  void AddHoldEvent(int32_t tick, int) override { sum += tick; }
  long long sum = 0;
};

std::vector<std::unique_ptr<TNotatedItem>> BuildStaff() {
  std::vector<std::unique_ptr<TNotatedItem>> items;
  items.emplace_back(new TBarLineData());
  items.emplace_back(new TClefData(clTreble));
  auto* key = new TKeyData();
  key->SetLetterSharp(ltF);
  items.emplace_back(key);
  items.emplace_back(new TTimeSignatureData(4, 2));
  std::srand(7);
  int inBar = 0;
  while (int(items.size()) < kItems - 1) {
    const int kind = std::rand() % 10;
    if (inBar == 4) {
      items.emplace_back(new TBarLineData());
      inBar = 0;
      continue;
    }
    ++inBar;
    if (kind < 6) {
      auto* n = new TMusicNote(std::rand() % 13 - 6, 2, kind == 0 ? acSharp : acNone);
      if (kind == 1) n->SetAttribute(naTieOut);
      if (kind == 2) n->SetAttribute(naTieIn);
      items.emplace_back(n);
    } else if (kind < 8) {
      auto* chord = new TChordData();
      chord->AddNote(new TMusicNote(2));
      chord->AddNote(new TMusicNote(0));
      chord->AddNote(new TMusicNote(-3, 2, acFlat));
      items.emplace_back(chord);
    } else if (kind < 9) {
      items.emplace_back(new TRestNote(2));
    } else {
      auto* d = new TDynamicLevelData(TDynamicLevelData::dynF);
      d->SetVelocity(90);
      items.emplace_back(d);
      --inBar;
    }
  }
  items.emplace_back(new TBarLineData());
  return items;
}

// Each round walks the whole staff once; the fastest round is the figure least disturbed by other
// work on the machine, the median says what a typical round costs.
struct TTiming {
  double best;
  double median;
};

template <class Walk>
TTiming NsPerItem(int rounds, Walk walk) {
  std::vector<double> perItem;
  for (int r = 0; r < rounds; ++r) {
    const auto start = std::chrono::steady_clock::now();
    walk();
    const auto ns = std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - start).count();
    perItem.push_back(ns / kItems);
  }
  std::sort(perItem.begin(), perItem.end());
  return {perItem.front(), perItem[perItem.size() / 2]};
}
}  // namespace

int main() {
  auto owned = BuildStaff();
  std::vector<TNotatedItem*> pointers;
  for (auto& p : owned) pointers.push_back(p.get());
  const TStaffItems staff{pointers.data(), int(pointers.size())};

  long long check = 0;
  const int rounds = 200;
  const TTiming update = NsPerItem(rounds, [&] {
    TStaffContext context;
    context.SetAuditMode();
    for (int i = 0; i < staff.count; ++i) staff.items[i]->UpdateContext(context);
    check += context.GetTick();
  });

  TCountingSink sink;
  const TTiming play = NsPerItem(rounds, [&] {
    TStaffContext context;
    for (int i = 0; i >= 0 && i < staff.count;) {
      const TNotatedItem* item = staff.items[i];
      item->AddMidiEvents(context, sink);
      const int next = item->Perform(context, staff, i);
      item->UpdateContext(context);
      i = next;
    }
    check += context.GetTick();
  });

  std::printf("items per staff: %d, rounds: %d (checksum %lld)\n", staff.count, rounds, check + sink.sum % 7);
  std::printf("UpdateContext walk: best %.1f, median %.1f ns per item\n", update.best, update.median);
  std::printf("playback step (events, Perform, UpdateContext): best %.1f, median %.1f ns per item\n", play.best,
              play.median);
  return 0;
}
