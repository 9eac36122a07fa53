// Plays random staves of bar lines, endings, flow directions and notes as the performance walk
// does: every walk ends, and every index it follows lies on the staff.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/StaffItems.h"

namespace {
constexpr size_t kMaxItems = 48;
constexpr long kMaxSteps = 2000000;

TNotatedItem* MakeItem(uint8_t kind, uint8_t value) {
  switch (kind % 4) {
    case 0: return new TBarLineData(value % 8, 1 + value / 64);
    case 1: return new TSpecialEnding(value);
    case 2: return new TFlowDirection(value % 10);
    default: return new TMusicNote(0);
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::unique_ptr<TNotatedItem>> owned;
  owned.emplace_back(new TBarLineData());
  for (size_t i = 0; i + 1 < size && owned.size() < kMaxItems; i += 2) owned.emplace_back(MakeItem(data[i], data[i + 1]));
  owned.emplace_back(new TBarLineData());
  std::vector<TNotatedItem*> pointers;
  for (auto& p : owned) pointers.push_back(p.get());
  const TStaffItems items{pointers.data(), int(pointers.size())};

  for (int mode : {0, 1}) {
    TStaffContext context;
    if (mode) context.SetAuditMode();
    long steps = 0;
    for (int i = 0; i < items.count; ++steps) {
      if (i < 0 || steps > kMaxSteps) std::abort();
      const TNotatedItem* item = items.At(i);
      const int next = item->Perform(context, items, i);
      item->UpdateContext(context);
      if (mode && next != i + 1) std::abort();  // audit walks never jump
      i = next;
    }
  }
  return 0;
}
