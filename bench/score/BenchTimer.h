#pragma once
// Wall-clock timing for the score benchmarks: the best of several runs, in milliseconds. The
// preparation step of each run (freeing what the previous run built) is not timed.

#include <chrono>

template <class Prepare, class Work>
double BestMilliseconds(int runs, Prepare prepare, Work work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  return best;
}

template <class Work>
double BestMilliseconds(int runs, Work work) {
  return BestMilliseconds(runs, [] {}, work);
}
