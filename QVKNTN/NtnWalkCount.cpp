#include "QVKNTN/NtnWalkCount.h"

namespace {

// Touched once per cursor, never per step: the cost of a thread-local lookup does not matter here.
struct TThreadWalkTotals {
  long long steps = 0;
  long long rewinds = 0;
};

thread_local TThreadWalkTotals totals;

}  // namespace

TNtnWalkCount::~TNtnWalkCount() {
  if (steps_ == 0 && rewinds_ == 0) return;
  totals.steps += steps_;
  totals.rewinds += rewinds_;
}

long long TNtnWalkCount::ThreadSteps() { return totals.steps; }

long long TNtnWalkCount::ThreadRewinds() { return totals.rewinds; }
