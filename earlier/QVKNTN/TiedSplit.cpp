// The earlier line's tied pieces: the item takes the longest value and keeps the last place, its
// continuations standing before it; a note cut at a bar end is written so on both sides.
#include <vector>

#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/TiedChain.h"

namespace {

// Which heads of a note or chord tie on; the continuation marks its source as tied, which the
// item standing last must not keep unless it was.
std::vector<bool> HeadTies(TNotatedItem* item) {
  std::vector<bool> ties;
  for (int h = 0; h < item->GetNoteCount(); ++h) ties.push_back(item->GetNote(h)->HasAttribute(naTieOut));
  return ties;
}

void SetHeadTies(TNotatedItem* item, const std::vector<bool>& ties) {
  for (int h = 0; h < item->GetNoteCount() && h < int(ties.size()); ++h) {
    TMusicNote* head = item->GetNote(h);
    if (ties[std::size_t(h)]) head->SetAttribute(naTieOut); else head->ClearAttribute(naTieOut);
  }
}

}  // namespace

long NtnAppendPiecesEndingWith(TNotatedItem* item, long ticks, std::vector<TNotatedItem*>& out, int room) {
  NtnSetDurationFromTicks(item, static_cast<int>(ticks));
  long remaining = ticks - item->GetDuration();
  const std::size_t first = out.size();
  const std::vector<bool> ownTies = HeadTies(item);
  const std::vector<bool> tiedOn(ownTies.size(), true);
  // Every piece takes at least the shortest value from the ticks, so the walk always ends; a
  // remainder shorter than any value is not written.
  while (remaining >= kNtnShortestPieceTicks && room-- > 0) {
    const long piece = item->GetDuration();
    if (piece <= 0) break;
    TNotatedItem* continuation = NtnMakeContinuation(item);
    if (!continuation) break;
    NtnSetDurationFromTicks(continuation, static_cast<int>(piece));
    // A piece standing before the item always ties on to the piece after it.
    SetHeadTies(continuation, tiedOn);
    SetHeadTies(item, ownTies);
    out.push_back(continuation);
    NtnSetDurationFromTicks(item, static_cast<int>(remaining));
    remaining -= item->GetDuration();
  }
  out.push_back(item);
  long written = 0;
  for (std::size_t k = first; k < out.size(); ++k) written += out[k]->GetDuration();
  return written;
}

long NtnAppendSplitChain(TNotatedItem* item, long before, long total, std::vector<TNotatedItem*>& out) {
  const long head = NtnAppendPiecesEndingWith(item, before, out, TMusicStaff::kMaxItems);
  // The part after the cut continues the item, which now ties on to it.
  return head + NtnAppendPiecesEndingWith(NtnMakeContinuation(item), total - before, out, TMusicStaff::kMaxItems);
}
