// Times the audit after an edit at the end of a full staff (12000 items), the whole-staff audit,
// a bulk paste and a bulk delete, each against one plain cursor walk over the same staff (the
// baseline: an edit's audit must cost about one such walk), and reports the cursor steps, range
// audits and audit-cursor rewinds each takes.
#include <chrono>
#include <cstdio>

#include "bench/BenchBuildKind.h"
#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/AuditPass.h"
#include "QVKNTN/ItemRange.h"
#include "foundation/QXTSegRamStream.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"

namespace {

using Clock = std::chrono::steady_clock;


// Beamed eighths, four to a bar, up to the staff's item limit.
void FillStaff(TMusicStaff& staff) {
  while (staff.ItemCount() + 5 <= TMusicStaff::kMaxItems - 1) {
    for (int n = 0; n < 4; ++n) {
      auto* note = new TMusicNote(n - 2, 3);
      note->SetBeamState(n == 0 ? 1 : n == 3 ? 3 : 2);
      staff.AppendItem(note);
    }
    staff.AppendItem(new TBarLineData);
  }
}

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// Microseconds per run of the work; prints it with its ratio to the baseline (0: none yet).
template <class Work>
double Measure(const char* what, int runs, double baseline, Work work) {
  const long long steps0 = TSimpleNtnIdx::StepsTaken();
  const long long audits0 = AuditRangesRun();
  const long long rewinds0 = TAuditNtnIdx::Rewinds();
  const Clock::time_point t0 = Clock::now();
  for (int i = 0; i < runs; ++i) work();
  const double us = Microseconds(Clock::now() - t0) / runs;
  std::printf("%-44s %10.1f us/op", what, us);
  if (baseline > 0) std::printf(" %7.2fx walk", us / baseline); else std::printf(" %12s", "(baseline)");
  std::printf(" %8lld steps/op %5.2f audits/op %lld rewinds\n", (TSimpleNtnIdx::StepsTaken() - steps0) / runs,
              double(AuditRangesRun() - audits0) / runs, TAuditNtnIdx::Rewinds() - rewinds0);
  return us;
}

}  // namespace

int main() {
  InstallAuditPass();
  TMusicStaff staff;
  FillStaff(staff);
  AuditStaff(&staff, -1, -1);
  std::printf("%s; staff of %d items\n", kBuildKind, staff.ItemCount());

  const int runs = 200;
  // The same measurement twice: the first warms the caches, the second is the baseline.
  auto walk = [&] {
    long ticks = 0;
    for (TSimpleNtnIdx idx(&staff); idx.CanStep(1); idx.Next()) ticks += idx.Current()->GetDuration();
    if (ticks < 0) std::printf("?");
  };
  Measure("plain cursor walk over the staff (warm-up)", runs, 0, walk);
  const double baseline = Measure("plain cursor walk over the staff", runs, 0, walk);
  Measure("audit cursor walk over the staff", runs, baseline, [&] {
    TAuditNtnIdx idx(&staff);
    idx.SetIndex(staff.LastIndex());
  });
  Measure("insert + audit at the end (pair with detach)", runs, baseline, [&] {
    const int at = staff.LastIndex() - 1;
    staff.InsertNotify(new TMusicNote(0, 2), at);
    delete staff.DetachItem(at);
  });
  Measure("audit of the bars around the last item", runs, baseline, [&] {
    AuditStaffAround(&staff, staff.LastIndex() - 1, -1);
  });
  Measure("whole-staff audit", 20, baseline, [&] { AuditStaff(&staff, -1, -1); });
  Measure("delete 400 items at the end (one audit)", 1, baseline, [&] {
    TStaffRange(&staff, staff.LastIndex() - 400, staff.LastIndex() - 1).DeleteItems();
  });
  TQXTSegRamStream clip(4096);
  WriteItemRange(staff, 1, 400, clip);
  Measure("paste 400 items at the end (one audit)", 1, baseline, [&] {
    clip.Rewind();
    int last = -1;
    ReadItemRange(staff, staff.LastIndex(), last, clip);
  });
  return 0;
}
