#include "QVKNTN/TiedChain.h"

#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"

bool NtnCanSplit(const TNotatedItem* item) {
  const TSongNote* note = NtnAsSongNote(item);
  if (!note) return false;
  const int type = NtnType(item);
  if (type != ntNote && type != ntRest && type != ntChord) return false;
  if (NtnGrace(note) || NtnGroupState(note, kNtnGroupTriplet) != 0) return false;
  if (type == ntChord && (NtnHasSplitStems(note) || NtnHasSplitDurations(note) || NtnHeadCount(item) == 0)) return false;
  return true;
}

long NtnAppendTiedChain(TNotatedItem* first, long ticks, std::vector<TNotatedItem*>& out) {
  NtnSetDurationFromTicks(first, int(ticks));
  out.push_back(first);
  long written = NtnDuration(first);
  TNotatedItem* last = first;
  while (ticks - written >= kNtnShortestPieceTicks) {
    TNotatedItem* piece = NtnMakeContinuation(last);
    NtnSetDurationFromTicks(piece, int(ticks - written));
    out.push_back(piece);
    written += NtnDuration(piece);
    last = piece;
  }
  return written;
}
