// The rules of the staff properties sheet without its window: the name and layout checks that
// keep the sheet open, the instrument record the instrument page edits, and the store of the
// Visual page's values into a staff.
#pragma once

#include <string>

#include "QVKNTN/StaffInstrument.h"

class TMusicScore;
class TMusicStaff;

enum class TStaffNameCheck { Ok, Empty, InUse };
enum class TStaffVisualCheck { Ok, GrandNeedsFiveLines, SizeBelowLines };

// The name as it is stored: spaces, tabs, CR and LF cut from both ends, at most the staff's
// name length.
std::string TrimStaffName(const char* text);
// Empty, or the name of another staff than ownIndex (the staff's own name is its own).
TStaffNameCheck CheckStaffName(const TMusicScore& score, int ownIndex, const std::string& name);
// Grand-staff members have five lines; Upper and Lower each hold at least the lines.
TStaffVisualCheck CheckStaffVisual(int style, int lines, int upper, int lower);

// What the Visual page shows and stores: Upper is the magnitude of the extent above the staff.
struct TStaffVisualValues {
  int style = 0;
  int lines = 5;
  int upper = 8;
  int lower = 8;
  int layer = 0;
  int color = 0;
};
TStaffVisualValues StaffVisualOf(const TMusicStaff& staff);
// The line count first (it re-clamps the extents), then the extents and the rest.
void StoreStaffVisual(TMusicStaff& staff, const TStaffVisualValues& values);

// The instrument page's record: bank = controller 0 x 128 + controller 32 (0 without bank
// select), patch = index in the patch name list (0 = none, else the 1-based patch).
struct TInstrumentRecord {
  bool bankSelect = false;
  int bank = 0;
  int patch = 0;

  static constexpr int kPatchCount = 128;
  int Controller0() const { return (bank >> 7) & 0x7F; }
  int Controller32() const { return bank & 0x7F; }
  // Out-of-range controller values and patches are clamped to their MIDI ranges.
  static TInstrumentRecord FromControls(bool bankSelect, int controller0, int controller32, int patch);
};
TInstrumentRecord InstrumentRecordOf(const TStaffInstrument& instrument);
TStaffInstrument InstrumentOf(const TInstrumentRecord& record);
