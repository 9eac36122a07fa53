// Times one note inserted through the editing core (undo record first, then the insert and the
// audit of the bars around it) near the end of a staff of 3000 and of 12000 items, against one
// plain cursor walk over the bars on either side of the caret (the visible range). The cost
// should not grow with the staff's length; the figures show whether it does.
#include <chrono>
#include <cstdio>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "bench/BenchBuildKind.h"
#include "editor/ScoreEditing.h"

namespace {

using Clock = std::chrono::steady_clock;

// Quarter notes, four to a bar, up to `items` items.
TMusicStaff* MakeStaff(int items) {
  auto* staff = new TMusicStaff;
  while (staff->ItemCount() + 5 <= items) {
    for (int n = 0; n < 4; ++n) staff->AppendItem(new TMusicNote(n - 2, 2));
    staff->AppendItem(new TBarLineData);
  }
  AuditStaff(staff, -1, -1);
  return staff;
}

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

struct TNoSink : TScoreEditing::TModifiedSink {
  void SetModified() override {}
};

void Run(int items) {
  TMusicScore score;
  score.AppendStaff(MakeStaff(items));
  TMusicStaff& staff = *score.GetStaff(0);
  TUndoActionMgr undo(16, 1000);
  TNoSink sink;
  TScoreEditing edit(score, undo, &sink);
  const int runs = 200;
  // The visible range: about eight bars around the caret.
  const int caret = staff.LastIndex() - 20;
  const int first = caret - 20;
  const int last = caret + 19;
  auto walk = [&] {
    long ticks = 0;
    for (TSimpleNtnIdx idx(&staff, first); idx.GetIndex() <= last && idx.CanStep(1); idx.Next())
      ticks += idx.Current()->GetDuration();
    if (ticks < 0) std::printf("?");
  };
  for (int i = 0; i < runs * 10; ++i) walk();  // warm-up
  Clock::time_point t0 = Clock::now();
  for (int i = 0; i < runs * 10; ++i) walk();
  const double walkUs = Microseconds(Clock::now() - t0) / (runs * 10);
  t0 = Clock::now();
  for (int i = 0; i < runs; ++i) {
    edit.MoveCaretTo(caret, false);
    edit.InsertItemAtCaret(new TMusicNote(0, 2), 128);
    edit.MoveCaretTo(caret, false);
    edit.DeleteAtCaret();
  }
  // Each round is one insert and one delete, each with its undo record and audit.
  const double insertUs = Microseconds(Clock::now() - t0) / (runs * 2);
  std::printf("staff of %5d items: walk of the visible range %8.2f us, insert %9.1f us (%7.1fx walk)\n",
              staff.ItemCount(), walkUs, insertUs, insertUs / walkUs);
}

}  // namespace

int main() {
  InstallAuditPass();
  std::printf("%s\n", kBuildKind);
  Run(3000);
  Run(12000);
  return 0;
}
