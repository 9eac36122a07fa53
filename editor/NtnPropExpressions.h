// The notation properties of one expression item each (dynamic, dynamic variance, sustain pedal,
// instrument patch, multi-point controller, text): what its page shows, read from the item and
// written back into it, and the controller page's rules (defaults by type, scale, refusal).
#pragma once

#include <string>

#include "editor/StaffPropRules.h"

class TNotatedItem;

// Each group is gathered from the items of its kind (count, and the values of the last one) and
// written only into an item of its kind, and only while the group stands for exactly one item.

// A dynamic: the style and the two overrides with their values. An override that is off stores
// the value that sends nothing (velocity 0, volume 255), so turning it off takes its effect away.
struct TNtnPropDynamic {
  int count = 0;
  int style = 0;  // 0 ppp .. 7 fff
  bool velocityOverride = false;
  int velocity = 0;  // 1..127 while overridden
  bool volumeOverride = false;
  int volume = 0;  // 0..127 while overridden
};
constexpr int kNoVelocity = 0;
constexpr int kNoVolume = 255;
void GatherDynamic(const TNotatedItem& item, TNtnPropDynamic& g);
void ApplyDynamic(const TNtnPropDynamic& g, TNotatedItem& item);

struct TNtnPropDynamicVariance {
  int count = 0;
  int style = 0;  // "Crescendo" .. "Sforzando"
};
void GatherDynamicVariance(const TNotatedItem& item, TNtnPropDynamicVariance& g);
void ApplyDynamicVariance(const TNtnPropDynamicVariance& g, TNotatedItem& item);

// The list shows "Pedal Down" first; the item stores non-zero for down.
struct TNtnPropPedal {
  int count = 0;
  int choice = 0;  // 0 down, 1 released
};
void GatherPedal(const TNotatedItem& item, TNtnPropPedal& g);
void ApplyPedal(const TNtnPropPedal& g, TNotatedItem& item);

struct TNtnPropPatch {
  int count = 0;
  TInstrumentRecord record;
};
void GatherPatch(const TNotatedItem& item, TNtnPropPatch& g);
void ApplyPatch(const TNtnPropPatch& g, TNotatedItem& item);

struct TNtnPropText {
  static constexpr int kTextLimit = 80;
  static constexpr int kFonts = 12;
  int count = 0;
  std::string text;
  int font = 0;  // the score's text fonts, "Staff Italic" .. "User 6"
};
void GatherText(const TNotatedItem& item, TNtnPropText& g);
// The text is cut to the page's limit: a longer stored text cannot grow through the page.
void ApplyText(const TNtnPropText& g, TNotatedItem& item);

// A multi-point controller: the first setting always counts, the others while checked.
struct TNtnPropController {
  static constexpr int kPoints = 4;
  static constexpr int kTypes = 18;
  struct TPoint {
    bool enabled = false;
    int offset = 0;
    int value = 0;
  };
  int count = 0;
  int type = 0;
  int style = 0;           // "Absolute", "Linear Sweep"
  int timeResolution = 2;  // duration code, "Whole" .. "Sixtyfourth"
  int sweepResolution = 1;
  TPoint points[kPoints];
};

// The values a controller type takes and the ones a new record starts with.
struct TControllerScale {
  int minimum;
  int maximum;
  int initial;
  int sweepResolution;
};
constexpr int kControllerTempo = 0;
constexpr int kControllerStereoPan = 2;
constexpr int kControllerBreath = 3;
constexpr int kControllerPitchBend = 4;
constexpr int kPitchBendCentre = 8192;
TControllerScale ControllerScaleOf(int type);
// The type's defaults: every point at the initial value, the first one on at offset 0, the others
// off at offset 1, and the type's sweep resolution. Style and time resolution stay as chosen.
void ResetController(int type, TNtnPropController& g);
// The three labels under the value scale: low end, middle, high end.
const char* ControllerScaleLabel(int type, int which);
// The number beside a value slider: pitch bend is shown around its centre.
int ShownControllerValue(int type, int value);
// The first setting (0-based) that is enabled while the one before it is not; -1 when none.
int FirstDiscontinuousSetting(const TNtnPropController& g);
std::string DiscontinuousSettingText(int setting);
constexpr const char kDiscontinuousCaption[] = "Discontinuous Settings Used";

// An item without a first setting (a new one) shows its type's defaults.
void GatherController(const TNotatedItem& item, TNtnPropController& g);
// Type, style and resolutions, then the settings up to the first one that is off.
void ApplyController(const TNtnPropController& g, TNotatedItem& item);
