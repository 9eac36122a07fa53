#include "earlier/editor/ItemTransfers.h"

#include <algorithm>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/KeySignatureCount.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/TempoData.h"

namespace item_transfer {
namespace {
// The buttons run A to G, as the letters of the key masks do.
constexpr int kLetterOfButton[kLetters] = {ltA, ltB, ltC, ltD, ltE, ltF, ltG};

constexpr const char* kKeyPresetNames[kKeyPresets] = {
    "User Defined",
    "C Major", "G Major", "D Major", "A Major", "E Major", "B Major", "F Sharp Major", "C Sharp Major",
    "F Major", "B Flat Major", "E Flat Major", "A Flat Major", "D Flat Major", "G Flat Major",
    "C Flat Major",
    "a minor", "e minor", "b minor", "f sharp minor", "c sharp minor", "g sharp minor", "d sharp minor",
    "a sharp minor",
    "d minor", "g minor", "c minor", "f minor", "b flat minor", "e flat minor", "a flat minor",
};

constexpr const char* kControllerKindNames[kControllerKinds] = {"Tempo", "Volume", "Stereo Pan",
                                                                 "Breath Control", "Pitch Bend"};
}  // namespace

TKeyButtons KeyButtonsOf(uint16_t flatMask, uint16_t sharpMask) {
  TKeyButtons b;
  for (int i = 0; i < kLetters; ++i) {
    const uint16_t bit = uint16_t(1u << kLetterOfButton[i]);
    // A letter in both sets (only a damaged file has one) shows as its flat.
    b.mark[i] = (flatMask & bit) ? TLetterMark::Flat : (sharpMask & bit) ? TLetterMark::Sharp : TLetterMark::Neither;
  }
  return b;
}

void KeyMasksOf(const TKeyButtons& buttons, uint16_t& flatMask, uint16_t& sharpMask) {
  flatMask = sharpMask = 0;
  for (int i = 0; i < kLetters; ++i) {
    const uint16_t bit = uint16_t(1u << kLetterOfButton[i]);
    if (buttons.mark[i] == TLetterMark::Flat) flatMask |= bit;
    if (buttons.mark[i] == TLetterMark::Sharp) sharpMask |= bit;
  }
}

const char* KeyPresetName(int preset) {
  return (preset >= 0 && preset < kKeyPresets) ? kKeyPresetNames[preset] : "";
}

bool KeyPresetSize(int preset, int& size) {
  if (preset < 1 || preset >= kKeyPresets) return false;
  // Each mode lists 0..7 sharps (8 entries), then 1..7 flats (7 entries).
  const int inMode = (preset - 1) % 15;
  size = inMode < 8 ? inMode : -(inMode - 7);
  return true;
}

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

bool ApplyEndings(uint32_t checked, TSpecialEnding& ending) {
  checked &= (1u << kEndings) - 1;
  if (checked == 0) return false;
  ending.SetMask(checked);
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

int ConvertTempo(int tempo, int fromBase, int toBase) {
  // The item's own conversion, so the dialog and the stored tempo agree on rounding.
  TTempoData t(tempo, fromBase);
  return t.GetTempo(toBase);
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
