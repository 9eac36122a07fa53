// Times the audit after an edit at the end of a full staff (12000 items), the whole-staff audit,
// and a bulk delete, and reports the cursor steps each takes.
#include <chrono>
#include <cstdio>
#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "QVKNTN/StaffRange.h"

namespace {

using Clock = std::chrono::steady_clock;

// The host tree builds with the sanitizers, which slow every step several times over.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr const char* kBuildKind = "sanitized build (AddressSanitizer): times are inflated";
#else
constexpr const char* kBuildKind = "plain build";
#endif
#else
constexpr const char* kBuildKind = "plain build";
#endif

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

template <class Work>
void Measure(const char* what, int runs, Work work) {
  const long long steps0 = TSimpleNtnIdx::StepsTaken();
  const Clock::time_point t0 = Clock::now();
  for (int i = 0; i < runs; ++i) work();
  const Clock::duration elapsed = Clock::now() - t0;
  std::printf("%-44s %10.1f us/op %10lld steps/op\n", what, Microseconds(elapsed) / runs,
              (TSimpleNtnIdx::StepsTaken() - steps0) / runs);
}

}  // namespace

int main() {
  InstallAuditPass();
  TMusicStaff staff;
  FillStaff(staff);
  AuditStaff(&staff, -1, -1);
  std::printf("%s; staff of %d items\n", kBuildKind, staff.ItemCount());

  const int runs = 200;
  Measure("insert + audit at the end (pair with detach)", runs, [&] {
    const int at = staff.LastIndex() - 1;
    staff.InsertNotify(new TMusicNote(0, 2), at);
    delete staff.DetachItem(at);
  });
  Measure("audit of the bars around the last item", runs, [&] {
    AuditStaffAround(&staff, staff.LastIndex() - 1, -1);
  });
  Measure("whole-staff audit", 20, [&] { AuditStaff(&staff, -1, -1); });
  Measure("delete 400 items at the end (one audit)", 1, [&] {
    TStaffRange(&staff, staff.LastIndex() - 400, staff.LastIndex() - 1).DeleteItems();
  });
  return 0;
}
