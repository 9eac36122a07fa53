#include "earlier/editor/ItemTransfers.h"

#include <algorithm>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/NotationTypes.h"

namespace item_transfer {
namespace {
constexpr const char* kControllerKindNames[kControllerKinds] = {"Tempo", "Volume", "Stereo Pan",
                                                                 "Breath Control", "Pitch Bend"};
}  // namespace

TBarLineFields BarLineFieldsOf(const TBarLineData& bar) {
  TBarLineFields f;
  f.style = bar.GetStyleByte() & 0x7F;
  f.repeatCount = std::clamp(bar.GetRepeatCount(), kRepeatCountMin, kRepeatCountMax);
  return f;
}

bool ApplyBarLine(const TBarLineFields& fields, TBarLineData& bar) {
  if (fields.style < 0 || fields.style > TBarLineData::blMasterRepeatClose) return false;
  const bool counted = fields.style == kRepeatCountStyle;
  if (counted && (fields.repeatCount < kRepeatCountMin || fields.repeatCount > kRepeatCountMax)) return false;
  bar.SetStyle(fields.style, counted ? fields.repeatCount : 1);
  return true;
}

TDynamicFields DynamicFieldsOf(const TDynamicLevelData& d) {
  TDynamicFields f;
  f.level = d.GetDynamic() & 0x0F;
  f.velocityGiven = d.GetOverride(0);
  // A velocity never given is stored as 255; the edit's "none" is -1.
  f.velocity = d.GetVelocity() > 127 ? -1 : d.GetVelocity();
  f.volumeGiven = d.GetOverride(1);
  f.volume = std::min(d.GetVolume(), 127);
  f.shownPosition = ShownPosition(d.GetPosition());
  f.wide = d.IsWide();
  f.hidden = d.GetVisibility() == TNotatedItem::visNever;
  return f;
}

void ApplyDynamic(const TDynamicFields& f, TDynamicLevelData& d) {
  d.SetDynamic(f.level & 0x0F);
  d.SetOverride(0, f.velocityGiven);
  d.SetVelocity(std::clamp(f.velocity, -1, 127) & 0xFF);
  d.SetOverride(1, f.volumeGiven);
  d.SetVolume(std::clamp(f.volume, 0, 127));
  d.SetPosition(StoredPosition(std::clamp(f.shownPosition, kShownPositionMin, kShownPositionMax)));
  d.SetWide(f.wide);
  d.SetVisibility(f.hidden ? TNotatedItem::visNever : TNotatedItem::visDefault);
}

TPatchFields PatchFieldsOf(const TStaffInstrument& instrument) {
  TPatchFields f;
  f.bankSelect = instrument.bankSelect != 0;
  if (f.bankSelect) {
    f.controller0 = (instrument.bank / 128) & 127;
    f.controller32 = instrument.bank % 128;
  }
  f.patchEntry = std::clamp(instrument.patch, 0, 128);
  return f;
}

TStaffInstrument InstrumentOf(const TPatchFields& f) {
  TStaffInstrument in;
  in.bankSelect = f.bankSelect ? 1 : 0;
  in.bank = f.bankSelect ? std::clamp(f.controller0, 0, 127) * 128 + std::clamp(f.controller32, 0, 127) : 0;
  in.patch = std::clamp(f.patchEntry, 0, 128);
  return in;
}

const char* ControllerKindName(int kind) {
  return (kind >= 0 && kind < kControllerKinds) ? kControllerKindNames[kind] : "";
}

}  // namespace item_transfer
