// Times one note inserted through the editing core as the view makes it (undo record first, then
// the insert and the audit of the bars around it, then the relayout and repaint of the visible
// line into a counting device) near the end of a staff of 3000 and of 12000 items, against one
// plain cursor walk over the items the line shows. The cost should not grow with the staff's
// length; the figures show whether it does, and the cursor steps per edit show why.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/SimpleNtnIdx.h"
#include "bench/BenchBuildKind.h"
#include "editor/ScoreEditing.h"
#include "tests/drawing/CountingSurface.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kScreenWidth = 1280;

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

// One plain cursor walk over the items the line shows.
long WalkShown(const TStaffDrawInfo& line) {
  long ticks = 0;
  TSimpleNtnIdx idx(line.GetStaff(), line.GetFirstItemIndex());
  for (; idx.GetIndex() <= line.GetLastItemIndex() && idx.CanStep(1); idx.Next()) ticks += idx.Current()->GetDuration();
  return ticks;
}

void Run(int items) {
  TMusicScore score;
  score.AppendStaff(MakeStaff(items));
  TMusicStaff& staff = *score.GetStaff(0);
  TUndoActionMgr undo(16, 1000);
  TScoreEditing edit(score, undo, nullptr);
  CountingSurface surface(16);
  TScoreDrawInfo view(&score, &surface, 5);
  view.AddConsecutiveStaves(0, 25000);
  const TStaffDrawInfo& line = *view.GetStaffInfo(0);
  // The caret near the end of the staff, the view's left edge a few bars before it, as when
  // typing at the end of a piece.
  const int caret = staff.LastIndex() - 20;
  const long leftTick = staff.GetTicksBetween(1, caret - 25);
  auto refresh = [&] {
    view.LayoutView(leftTick, kScreenWidth);
    view.Draw(0, 0, 0, kScreenWidth);
  };
  refresh();
  // The machine may be busy: each figure is the fastest of many batches.
  constexpr int kBatches = 40, kRounds = 10;
  long sink = 0;
  double walkUs = 1e9, insertUs = 1e9;
  for (int b = 0; b < kBatches; ++b) {
    Clock::time_point t0 = Clock::now();
    for (int i = 0; i < kRounds * 10; ++i) sink += WalkShown(line);
    walkUs = std::min(walkUs, Microseconds(Clock::now() - t0) / (kRounds * 10));
  }
  const long long steps = TSimpleNtnIdx::StepsTaken() + line.Cursor().Steps();
  for (int b = 0; b < kBatches; ++b) {
    const Clock::time_point t0 = Clock::now();
    for (int i = 0; i < kRounds; ++i) {
      edit.MoveCaretTo(caret, false);
      edit.InsertItemAtCaret(new TMusicNote(0, 2), 128);
      refresh();
      edit.MoveCaretTo(caret, false);
      edit.DeleteAtCaret();
      refresh();
    }
    // Each round is one insert and one delete, each with its undo record, audit and refresh.
    insertUs = std::min(insertUs, Microseconds(Clock::now() - t0) / (kRounds * 2));
  }
  const double stepsPerEdit =
      static_cast<double>(TSimpleNtnIdx::StepsTaken() + line.Cursor().Steps() - steps) / (kBatches * kRounds * 2);
  if (sink < 0) std::printf("?");
  std::printf("staff of %5d items, %3d items shown: walk of the shown items %6.2f us; edit %7.1f us "
              "(%6.1fx the walk), %5.0f cursor steps\n",
              staff.ItemCount(), line.GetLastItemIndex() - line.GetFirstItemIndex() + 1, walkUs, insertUs,
              insertUs / walkUs, stepsPerEdit);
}

}  // namespace

int main() {
  InstallAuditPass();
  std::printf("%s, %u cores\n", kBuildKind, std::thread::hardware_concurrency());
  std::printf("One note inserted or deleted: undo record, audit, relayout and repaint of the visible line\n");
  Run(3000);
  Run(12000);
  return 0;
}
