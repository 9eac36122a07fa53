// The earlier line's item dialogs edit one item at a time: these records carry an item's fields
// into a dialog's controls before it runs and back into the item when it ends with OK.
#pragma once
#include <cstdint>
#include <string>

#include "QVKNTN/StaffInstrument.h"
#include "editor/NtnPropSingles.h"

class TNotatedItem;
class TKeyData;
class TTempoData;
class TBarLineData;
class TDynamicLevelData;
class TGenericControl;

namespace item_transfer {

// Key signature: the sheet's rules (editor/NtnPropSingles.h); this dialog's buttons run flat,
// sharp, neither, ids 100-120.
using ::TLetterMark;
using ::TKeyButtons;
using ::KeyButtonsOf;
using ::KeyMasksOf;
using ::KeyPresetName;
using ::KeyPresetSize;
using ::KeyPresetButtons;
constexpr int kLetters = kKeyLetters;
using ::kKeyPresets;

// Bar line: the repeat count is edited only for a local repeat's closing bar.
constexpr int kRepeatCountStyle = 5;
constexpr int kRepeatCountMin = 2;
constexpr int kRepeatCountMax = 250;
struct TBarLineFields {
  int style = 0;  // -1: nothing chosen, which OK refuses
  int repeatCount = 2;
};
TBarLineFields BarLineFieldsOf(const TBarLineData& bar);
// False (the item untouched) while no style is chosen or the count is outside 2..250 for a style
// that uses it.
bool ApplyBarLine(const TBarLineFields& fields, TBarLineData& bar);

// Special ending: no ending checked makes OK count as Cancel.
using ::kEndings;
using ::ApplyEndings;

// The expressions' staff position is shown with its sign inverted (up is positive to the user).
constexpr int kShownPositionMin = -50;
constexpr int kShownPositionMax = 50;
inline int ShownPosition(int position) { return -position; }
inline int StoredPosition(int shown) { return -shown; }

// Dynamics: level, the given velocity and volume, the position and its two options.
struct TDynamicFields {
  int level = 0;
  bool velocityGiven = false;
  int velocity = 0;  // -1 to 127
  bool volumeGiven = false;
  int volume = 0;    // 0 to 127
  int shownPosition = 0;
  bool wide = true;
  bool hidden = false;
};
TDynamicFields DynamicFieldsOf(const TDynamicLevelData& dynamic);
void ApplyDynamic(const TDynamicFields& fields, TDynamicLevelData& dynamic);

// Tempo: the shown tempo is kept at the same speed when the base note changes.
using ::kTempoMin;
using ::kTempoMax;
using ::ConvertTempo;

// Text expression: the earlier file keeps 31 characters in a 32-byte buffer.
constexpr int kTextLimit = 31;

// Instrument patch: the dialog shows the bank as controller 0 and controller 32 values.
struct TPatchFields {
  bool bankSelect = false;
  int controller0 = 0;
  int controller32 = 0;
  int patchEntry = 0;  // 0 is "<None>"
};
TPatchFields PatchFieldsOf(const TStaffInstrument& instrument);
TStaffInstrument InstrumentOf(const TPatchFields& fields);

// Multi-point controller: the earlier model stores five controller kinds.
constexpr int kControllerKinds = 5;
const char* ControllerKindName(int kind);

}  // namespace item_transfer
