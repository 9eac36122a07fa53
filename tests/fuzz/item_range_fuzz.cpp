// The item range reader (clipboard and undo blocks) over arbitrary bytes, into a staff that
// already holds items: it never inserts past the staff's limit, and what it inserted writes back
// as a range that reads again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ItemRange.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "foundation/QXTFlatRamStream.h"
#include "foundation/QXTSegRamStream.h"

// The reader runs the real audit pass through its hooks, as the editor does.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  InstallAuditPass();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  TMusicStaff staff;
  staff.AppendItem(new TMusicNote(0));
  staff.AppendItem(new TBarLineData);
  staff.AppendItem(new TMusicNote(-3));
  // The first byte picks where the range goes, sentinels included.
  const int first = data[0] % (staff.LastIndex() + 2);
  TQXTFlatRamStream s(const_cast<uint8_t*>(data + 1), static_cast<uint32_t>(size - 1), static_cast<uint32_t>(size - 1));
  const int before = staff.ItemCount();
  int last = -1;
  ReadItemRange(staff, first, last, s);
  if (staff.ItemCount() > TMusicStaff::kMaxItems) std::abort();
  const int inserted = staff.ItemCount() - before;
  if (inserted > 0 && last != first + inserted - 1) std::abort();

  TQXTSegRamStream copy(1024);
  if (!WriteItemRange(staff, 1, staff.LastIndex() - 1, copy)) std::abort();
  copy.Rewind();
  TMusicStaff other;
  int otherLast = -1;
  if (!ReadItemRange(other, 1, otherLast, copy)) std::abort();
  if (other.ItemCount() != staff.ItemCount()) std::abort();
  return 0;
}
