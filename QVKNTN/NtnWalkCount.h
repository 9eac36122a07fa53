// What one notation cursor's walks cost (steps and rewinds), for the tests and benchmarks that
// check walk costs. Each cursor counts its own and adds them to its thread's totals when it goes:
// the staff audit runs on a worker beside the score reader, and one process-wide word that both
// threads wrote on every step was a data race and, when it shared a cache line with the item
// pool's counters, slowed the whole load.
#pragma once

class TNtnWalkCount {
public:
  TNtnWalkCount() = default;
  // A copied cursor walks on its own account from then on.
  TNtnWalkCount(const TNtnWalkCount&) noexcept {}
  TNtnWalkCount& operator=(const TNtnWalkCount&) noexcept { return *this; }
  ~TNtnWalkCount();

  void Step() { ++steps_; }
  void Rewind() { ++rewinds_; }
  long long Steps() const { return steps_; }

  // Totals of the cursors that the calling thread has finished with.
  static long long ThreadSteps();
  static long long ThreadRewinds();

private:
  long long steps_ = 0;
  long long rewinds_ = 0;
};
