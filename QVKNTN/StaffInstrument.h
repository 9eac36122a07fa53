// The instrument of a staff or of an instrument-patch item: bank select and 1-based patch.
#pragma once
#include <cstdint>

struct TStaffInstrument {
  int32_t bankSelect = 0;  // non-zero: send the bank before the program change
  int32_t bank = 0;        // 14 bits
  int32_t patch = 0;       // 1-based, 0 = none

  void Clear() { bankSelect = bank = patch = 0; }
  bool operator==(const TStaffInstrument&) const = default;
};
