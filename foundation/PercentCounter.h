// Counts steps of a long task and answers how far it is, in percent.
#pragma once

#include <cstdint>

class TPercentCounter {
 public:
  explicit TPercentCounter(uint32_t total = 1);

  void SetTotal(uint32_t total);
  void SetCurrent(uint32_t current) { Current = current; }
  uint32_t GetTotal() const { return Total; }
  uint32_t GetCurrent() const { return Current; }

  int Step();
  int GetPercent() const;

 private:
  uint32_t Total;
  uint32_t Current = 0;
};
