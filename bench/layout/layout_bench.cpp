// Times the editing view's refresh: one screen (a system of 8 staves, 1280 units wide) laid out
// from a tick in the middle of each staff, aligned and drawn into a counting device, as the view
// scrolls on bar by bar, against one plain cursor walk over the items the screen shows; on staves
// of 3000 and 12000 items, so the figures show the cost does not grow with the staff. Then the
// justification's merge steps over systems of 2 to 64 staves: the time per step per staff stays
// flat when each step is linear in the staves.
#include <chrono>
#include <climits>
#include <cstdio>
#include <memory>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "bench/BenchBuildKind.h"
#include "tests/drawing/CountingSurface.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kScreenWidth = 1280;
constexpr int kBarTicks = 4 * 192;

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// Bars of a beamed pair of eighths, two quarters and a quarter chord.
void Fill(TMusicStaff& staff, int items, int seed) {
  while (staff.ItemCount() + 6 <= items) {
    auto* a = new TMusicNote(seed % 5 - 2, 3);
    auto* b = new TMusicNote(seed % 3 - 1, 3);
    a->SetBeamState(1);
    b->SetBeamState(3);
    staff.AppendItem(a);
    staff.AppendItem(b);
    staff.AppendItem(new TMusicNote(1, 2));
    staff.AppendItem(new TMusicNote(-2, 2, acSharp));
    staff.AppendItem(new TMusicNote(0, 2));
    staff.AppendItem(new TBarLineData);
    ++seed;
  }
}

struct Score {
  TMusicScore score;
  Score(int staves, int items) {
    for (int s = 0; s < staves; ++s) {
      auto* staff = new TMusicStaff;
      Fill(*staff, items, s);
      score.AppendStaff(staff);
    }
  }
  long Ticks() const { return long(score.GetStaff(0)->ItemCount() / 6) * kBarTicks; }
};

// One plain cursor walk over the items the screen showed, on every staff.
double WalkVisible(TScoreDrawInfo& system) {
  const Clock::time_point t0 = Clock::now();
  long sum = 0;
  for (int s = 0; s < system.GetCount(); ++s) {
    const TStaffDrawInfo& line = *system.GetStaffInfo(s);
    TSimpleNtnIdx idx(line.GetStaff(), line.GetFirstItemIndex());
    for (int i = line.GetFirstItemIndex(); i <= line.GetLastItemIndex() && idx.CanStep(1); ++i) {
      sum += idx.Current()->GetDuration();
      idx.Next();
    }
  }
  if (sum < 0) std::printf("?");
  return Microseconds(Clock::now() - t0);
}

void Refresh(int items) {
  Score data(8, items);
  CountingSurface surface(16);
  TScoreDrawInfo system(&data.score, &surface, 8);
  system.AddConsecutiveStaves(0, INT_MAX);
  const long middle = data.Ticks() / 2;
  system.LayoutView(middle, kScreenWidth);
  constexpr int kRefreshes = 200;
  double refresh = 0, walk = 0;
  long long stepsBefore = TSimpleNtnIdx::StepsTaken();
  long long cursorBefore = 0;
  for (int s = 0; s < 8; ++s) cursorBefore += system.GetStaffInfo(s)->Cursor().Steps();
  for (int r = 0; r < kRefreshes; ++r) {
    const long tick = middle + long(r % 20) * kBarTicks;  // scrolling on bar by bar, then back
    const Clock::time_point t0 = Clock::now();
    system.LayoutView(tick, kScreenWidth);
    system.AlignStaves();
    system.Draw(0, 0, 0, kScreenWidth);
    refresh += Microseconds(Clock::now() - t0);
    walk += WalkVisible(system);
  }
  long long cursorAfter = 0;
  for (int s = 0; s < 8; ++s) cursorAfter += system.GetStaffInfo(s)->Cursor().Steps();
  const double steps = double(TSimpleNtnIdx::StepsTaken() - stepsBefore + cursorAfter - cursorBefore) / kRefreshes;
  int shown = 0;
  for (int s = 0; s < 8; ++s) shown += system.GetStaffInfo(s)->GetCellCount();
  std::printf("  %5d items per staff: refresh %8.1f us, visible walk %6.1f us, ratio %6.1fx; "
              "%7.0f cursor steps per refresh for %d cells shown\n",
              items, refresh / kRefreshes, walk / kRefreshes, refresh / walk, steps, shown);
}

void Justify(int staves) {
  Score data(staves, 600);
  CountingSurface surface(16);
  TScoreDrawInfo system(&data.score, &surface, staves);
  system.AddConsecutiveStaves(0, INT_MAX);
  constexpr int kRuns = 20;
  double best = 0;
  int steps = 0;
  for (int r = 0; r < kRuns; ++r) {
    system.LayoutLine(3000);
    const Clock::time_point t0 = Clock::now();
    system.JustifyLine(3000);
    const double us = Microseconds(Clock::now() - t0);
    if (r == 0 || us < best) best = us;
    steps = system.LastJustifySteps();
  }
  std::printf("  %2d staves: justify %8.1f us, %6d merge steps in %d rounds, %6.1f ns per step per staff\n",
              staves, best, steps, system.LastJustifyRounds(), steps ? best * 1000 / steps / staves : 0.0);
}

}  // namespace

int main() {
  InstallAuditPass();
  std::printf("%s\n", kBuildKind);
  std::printf("View refresh (layout, alignment and drawing of 8 staves, %d wide) from the middle of the staves,\n"
              "200 refreshes scrolling bar by bar; mean per refresh, against one plain walk of the visible items\n",
              kScreenWidth);
  for (int items : {3000, 12000}) Refresh(items);
  std::printf("Justification of one printed system 3000 wide (fastest of 20)\n");
  for (int staves : {2, 8, 32, 64}) Justify(staves);
  return 0;
}
