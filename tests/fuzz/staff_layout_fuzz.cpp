// Staff and score layout and drawing over staves read from arbitrary item ranges: two staves (the
// first bytes pick the split, the view or print mode, the tick and the width) are laid out as the
// editing view and as printed systems, justified and drawn into a device that only counts. No
// crash, no hang (every line and system ends), and a line never holds more than its cells.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/ItemRange.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "foundation/QXTFlatRamStream.h"
#include "tests/drawing/CountingSurface.h"

namespace {

void CheckLines(const TScoreDrawInfo& system) {
  for (int i = 0; i < system.GetCount(); ++i) {
    if (system.GetStaffInfo(i)->GetCellCount() > TStaffDrawInfo::kMaxCells) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  InstallAuditPass();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6) return 0;
  const size_t split = 6 + (size > 6 ? data[0] % (size - 5) : 0);
  const bool edit = data[1] & 1;
  const long tick = static_cast<long>(data[2]) * 96;
  const int width = 40 + data[3] * 8;
  const int spacing = 2 + 2 * (data[4] % 12);
  TMusicScore score;
  score.SetFlags(data[5]);
  for (int s = 0; s < 2; ++s) {
    auto* staff = new TMusicStaff;
    score.AppendStaff(staff);
    const uint8_t* from = s == 0 ? data + 6 : data + split;
    const size_t length = s == 0 ? split - 6 : size - split;
    if (length == 0) continue;
    TQXTFlatRamStream stream(const_cast<uint8_t*>(from), static_cast<uint32_t>(length), static_cast<uint32_t>(length));
    int last = -1;
    ReadItemRange(*staff, 1, last, stream);
  }
  CountingSurface surface(spacing);
  TScoreDrawInfo system(&score, &surface, 0);
  system.AddConsecutiveStaves(0, INT_MAX);
  if (edit) {
    system.LayoutView(tick, width);
    system.AlignStaves();
    CheckLines(system);
    system.Draw(0, 0, 0, width);
    return 0;
  }
  // Printed systems, one after another, until every staff is through; each system moves on.
  for (int n = 0; n < 64; ++n) {
    int before[2], after[2];
    system.GetResumeIndexes(before);
    if (n == 0) system.LayoutLine(width); else system.LayoutNextLine(width);
    system.JustifyLine(width);
    CheckLines(system);
    system.Draw(0, 0, 0, width);
    system.GetResumeIndexes(after);
    bool done = true;
    for (int i = 0; i < system.GetCount(); ++i) done = done && system.GetStaffInfo(i)->IsAtStaffEnd();
    if (done) break;
    if (n > 0 && after[0] <= before[0] && after[1] <= before[1]) break;
  }
  return 0;
}
