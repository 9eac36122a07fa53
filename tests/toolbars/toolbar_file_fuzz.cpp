// The "toolbars.dat" reader over arbitrary bytes: it always ends, keeps names within their room,
// holds no more gadgets or toolbars than a toolbar list can, and what it accepts writes back to
// bytes that read the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "app/ToolbarFile.h"
#include "app/ToolbarState.h"
#include "foundation/QXTFlatRamStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> copy(data, data + size);
  TQXTFlatRamStream in(copy.data(), static_cast<uint32_t>(copy.size()), static_cast<uint32_t>(copy.size()));
  std::vector<TToolbarRecord> records;
  if (ReadToolbarRecords(in, records) == TToolbarFileStatus::Damaged) {
    if (!records.empty()) std::abort();
    return 0;
  }
  if (records.size() > static_cast<size_t>(kMaxToolbars)) std::abort();
  for (const TToolbarRecord& r : records) {
    if (r.name.empty() || r.name.size() > static_cast<size_t>(kMaxToolbarNameLength)) std::abort();
    if (r.items.size() > static_cast<size_t>(kMaxToolbarGadgets)) std::abort();
  }
  TQXTFlatRamStream out(1024, 1024);
  WriteToolbarRecords(out, records);
  out.Seek(0);
  std::vector<TToolbarRecord> again;
  if (ReadToolbarRecords(out, again) != TToolbarFileStatus::Ok || again.size() != records.size()) std::abort();
  for (size_t i = 0; i < records.size(); ++i) {
    if (again[i].name != records[i].name || again[i].items != records[i].items) std::abort();
  }
  return 0;
}
