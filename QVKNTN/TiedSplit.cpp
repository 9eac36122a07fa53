// A note cut at a bar end (or a tick) as tied pieces: the item itself up to the cut, then its
// continuation. The earlier line writes its pieces the other way round (its own file of this name).
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/TiedChain.h"

long NtnAppendSplitChain(TNotatedItem* item, long before, long total, std::vector<TNotatedItem*>& out) {
  const long head = NtnAppendTiedChain(item, before, out);
  return head + NtnAppendTiedChain(NtnMakeContinuation(out.back()), total - before, out);
}
