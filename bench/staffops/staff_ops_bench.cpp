// Times the whole-staff operations (re-barring, beaming, the import clean-ups) on staves of
// 3000, 6000 and 12000 items, each against a plain cursor walk over the same staff, so the
// figures show how the cost grows with the staff. Staves are built outside the timing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/BenchBuildKind.h"
#include <functional>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/SustainPedal.h"

namespace {

using Clock = std::chrono::steady_clock;


using Fill = std::function<void(TMusicStaff&, int)>;

// Notes without bar lines, a dotted half and a half in turn: every other note crosses a bar end.
void Unbarred(TMusicStaff& staff, int items) {
  for (int i = 0; staff.ItemCount() < items; ++i) {
    auto* note = new TMusicNote(i % 7 - 3, 1);
    if (i % 2 == 0) note->SetAttribute(naDotted);
    staff.AppendItem(note);
  }
}

// Bars of eighths and sixteenths, not yet beamed.
void Eighths(TMusicStaff& staff, int items) {
  while (staff.ItemCount() + 7 <= items) {
    for (int n = 0; n < 6; ++n) staff.AppendItem(new TMusicNote(n - 3, n < 4 ? 3 : 2));
    staff.AppendItem(new TBarLineData);
  }
}

// Notes cut into tied eighths with rests between, and pedal marks twice over, as a reader leaves them.
void Imported(TMusicStaff& staff, int items) {
  while (staff.ItemCount() + 8 <= items) {
    for (int n = 0; n < 3; ++n) {
      auto* note = new TMusicNote(1, 3);
      if (n < 2) note->SetAttribute(naTieOut);
      staff.AppendItem(note);
    }
    staff.AppendItem(new TRestNote(3));
    staff.AppendItem(new TSustainPedal(1));
    staff.AppendItem(new TSustainPedal(1));
    staff.AppendItem(new TRestNote(1));
    staff.AppendItem(new TBarLineData);
  }
}

// Eighths and sixteenths with no bar line anywhere, as a file of one long bar leaves them.
void UnbarredEighths(TMusicStaff& staff, int items) {
  for (int n = 0; staff.ItemCount() < items; ++n) staff.AppendItem(new TMusicNote(n % 6 - 3, n % 6 < 4 ? 3 : 2));
}

// As Imported, without bar lines.
void ImportedUnbarred(TMusicStaff& staff, int items) {
  while (staff.ItemCount() + 7 <= items) {
    for (int n = 0; n < 3; ++n) {
      auto* note = new TMusicNote(1, 3);
      if (n < 2) note->SetAttribute(naTieOut);
      staff.AppendItem(note);
    }
    staff.AppendItem(new TRestNote(3));
    staff.AppendItem(new TSustainPedal(1));
    staff.AppendItem(new TSustainPedal(1));
    staff.AppendItem(new TRestNote(1));
  }
}

// Bars of four quarter rests.
void RestBars(TMusicStaff& staff, int items) {
  while (staff.ItemCount() + 5 <= items) {
    for (int n = 0; n < 4; ++n) staff.AppendItem(new TRestNote(2));
    staff.AppendItem(new TBarLineData);
  }
}

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// The fastest of `runs` runs, each on a freshly built staff: the machine is shared, and the
// fastest run is the one least disturbed. `count` answers the staff's size after the work.
double Time(const Fill& fill, int items, int runs, const std::function<void(TMusicStaff&)>& work, int* count = nullptr) {
  double best = 0;
  for (int r = 0; r < runs; ++r) {
    TMusicStaff staff;
    fill(staff, items);
    const Clock::time_point t0 = Clock::now();
    work(staff);
    const double us = Microseconds(Clock::now() - t0);
    if (r == 0 || us < best) best = us;
    if (count) *count = staff.ItemCount();
  }
  return best;
}

void Walk(TMusicStaff& staff) {
  long ticks = 0;
  for (TSimpleNtnIdx idx(&staff); idx.CanStep(1); idx.Next()) ticks += idx.Current()->GetDuration();
  if (ticks < 0) std::printf("?");
}

// One operation at three staff sizes: its time, the time per item of the staff it leaves, and
// its ratio to a plain walk over that staff. Linear work keeps both ratios flat as staves grow.
void Row(const char* what, const Fill& fill, const std::function<void(TMusicStaff&)>& work, int divisor = 1) {
  std::printf("%s\n", what);
  for (int items : {3000, 6000, 12000}) {
    int count = 0;
    // Staves start just below the nearly-full count, where the inserting operations still work.
    const int start = std::min(items / divisor, TMusicStaff::kNearlyFullCount - 10);
    const double op = Time(fill, start, 7, work, &count);
    const double walk = Time([&](TMusicStaff& s, int) { fill(s, start); work(s); }, 0, 7, Walk);
    std::printf("  %5d items after: %9.0f us %7.3f us/item %6.1fx walk\n", count, op, op / count, op / walk);
  }
}

}  // namespace

struct TCase {
  const char* name;
  const char* what;
  Fill fill;
  std::function<void(TMusicStaff&)> work;
  int divisor;
};

int main(int argc, char** argv) {
  InstallAuditPass();
  const TCase cases[] = {
      // Re-barring adds bar lines and split pieces: start from half the size so the result fits.
      {"rebar", "Rebar (unbarred notes)", Unbarred, [](TMusicStaff& s) { s.Rebar(); }, 2},
      {"rebar-barred", "Rebar (barred eighths)", Eighths, [](TMusicStaff& s) { s.Rebar(); }, 1},
      {"autobeam", "AutoBeam", Eighths, [](TMusicStaff& s) { s.AutoBeam(false); }, 1},
      {"autobeam-unbarred", "AutoBeam (no bar lines)", UnbarredEighths, [](TMusicStaff& s) { s.AutoBeam(false); }, 1},
      {"redundant", "RemoveRedundantItems", Imported, [](TMusicStaff& s) { s.RemoveRedundantItems(); }, 1},
      {"redundant-unbarred", "RemoveRedundantItems (no bar lines)", ImportedUnbarred,
       [](TMusicStaff& s) { s.RemoveRedundantItems(); }, 1},
      {"consolidate", "ConsolidateNotes", Imported, [](TMusicStaff& s) { s.ConsolidateNotes(false, 192); }, 1},
      {"consolidate-unbarred", "ConsolidateNotes (no bar lines)", ImportedUnbarred,
       [](TMusicStaff& s) { s.ConsolidateNotes(false, 192); }, 1},
      {"fullbarrests", "MergeFullBarRests", RestBars, [](TMusicStaff& s) { s.MergeFullBarRests(); }, 1},
      {"audit", "whole-staff audit (reference)", Eighths, [](TMusicStaff& s) { AuditStaff(&s, -1, -1); }, 1},
  };
  // `staff_ops_bench NAME ITEMS` runs one case once at one size, untimed, for an instruction
  // counter (valgrind --tool=callgrind) that the machine's load does not disturb.
  if (argc == 3) {
    for (const TCase& c : cases) {
      if (std::strcmp(c.name, argv[1]) != 0) continue;
      TMusicStaff staff;
      c.fill(staff, std::min(std::atoi(argv[2]) / c.divisor, TMusicStaff::kNearlyFullCount - 10));
      c.work(staff);
      std::printf("%s: %d items after\n", c.what, staff.ItemCount());
      return 0;
    }
    std::fprintf(stderr, "no such case: %s\n", argv[1]);
    return 2;
  }
  std::printf("%s; each figure: fastest of 7 runs and its ratio to a plain cursor walk over the same staff\n", kBuildKind);
  for (const TCase& c : cases) Row(c.what, c.fill, c.work, c.divisor);
  return 0;
}
