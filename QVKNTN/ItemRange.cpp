#include "QVKNTN/ItemRange.h"

#include <cstdint>

#include "QVKNTN/ItemRecords.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "foundation/QXTStream.h"

int WriteItemRange(const TMusicStaff& staff, int first, int last, TQXTStream& s) {
  if (first < 0) first = 0;
  if (last > staff.LastIndex()) last = staff.LastIndex();
  const int count = last >= first ? last - first + 1 : 0;
  s.WriteInt16(kScoreFormatVersion);
  s.WriteInt16(count);
  for (int i = first; i < first + count; ++i) WriteNotatedItem(s, *staff.GetItem(i));
  return s.IsFailed() ? 0 : 1;
}

int ReadItemRange(TMusicStaff& staff, int first, int& last, TQXTStream& s) {
  const int version = static_cast<int16_t>(s.ReadUInt16());
  const int count = static_cast<int16_t>(s.ReadUInt16());
  if (s.IsFailed() || version > kScoreFormatVersion) return 0;
  if (count < 0 || count >= staff.FreeItemSlots()) return 0;
  if (first < 1 || first > staff.LastIndex()) return 0;
  int at = first;
  int inserted = 0;
  for (; inserted < count; ++inserted) {
    TNotatedItem* item = nullptr;
    if (!LoadNotatedItem(version, s, item)) break;
    if (!staff.InsertItem(item, at)) {
      delete item;
      break;
    }
    ++at;
  }
  if (inserted > 0) {
    last = at - 1;
    RunItemAudit(&staff, first, last);
  }
  return inserted == count ? 1 : 0;
}
