#include "editor/NtnPropExpressions.h"

#include <algorithm>
#include <cstdio>

#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TextExpression.h"
#include "editor/NtnPropItemKind.h"

void GatherDynamic(const TNotatedItem& item, TNtnPropDynamic& g) {
  const auto* d = NtnPropOfType<TDynamicLevelData>(item, ntDynamicLevel);
  if (!d) return;
  ++g.count;
  g.style = d->GetDynamic();
  g.velocityOverride = d->GetOverride(0);
  g.velocity = d->GetVelocity();
  g.volumeOverride = d->GetOverride(1);
  g.volume = d->GetVolume();
}

void ApplyDynamic(const TNtnPropDynamic& g, TNotatedItem& item) {
  auto* d = NtnPropSingle<TDynamicLevelData>(item, ntDynamicLevel, g);
  if (!d) return;
  d->SetDynamic(g.style & 0x0F);
  d->SetOverride(0, g.velocityOverride);
  d->SetVelocity(g.velocityOverride ? std::clamp(g.velocity, 1, 127) : kNoVelocity);
  d->SetOverride(1, g.volumeOverride);
  d->SetVolume(g.volumeOverride ? std::clamp(g.volume, 0, 127) : kNoVolume);
}

void GatherDynamicVariance(const TNotatedItem& item, TNtnPropDynamicVariance& g) {
  GatherStyleOf<TDynamicVariance>(item, ntDynamicVariance, g);
}

void ApplyDynamicVariance(const TNtnPropDynamicVariance& g, TNotatedItem& item) {
  ApplyStyleTo<TDynamicVariance>(g, item, ntDynamicVariance);
}

void GatherPedal(const TNotatedItem& item, TNtnPropPedal& g) {
  const auto* p = NtnPropOfType<TSustainPedal>(item, ntSustainPedal);
  if (!p) return;
  ++g.count;
  g.choice = p->GetState() ? 0 : 1;
}

void ApplyPedal(const TNtnPropPedal& g, TNotatedItem& item) {
  auto* p = NtnPropSingle<TSustainPedal>(item, ntSustainPedal, g);
  if (p && g.choice >= 0) p->SetState(g.choice == 0 ? 1 : 0);
}

void GatherPatch(const TNotatedItem& item, TNtnPropPatch& g) {
  const auto* p = NtnPropOfType<TPatchData>(item, ntPatch);
  if (!p) return;
  ++g.count;
  g.record = InstrumentRecordOf(p->GetPatch());
}

void ApplyPatch(const TNtnPropPatch& g, TNotatedItem& item) {
  if (auto* p = NtnPropSingle<TPatchData>(item, ntPatch, g)) p->SetPatch(InstrumentOf(g.record));
}

void GatherText(const TNotatedItem& item, TNtnPropText& g) {
  const auto* t = NtnPropOfType<TTextExpression>(item, ntTextExpression);
  if (!t) return;
  ++g.count;
  g.text = t->GetText();
  g.font = t->GetFont();
}

void ApplyText(const TNtnPropText& g, TNotatedItem& item) {
  auto* t = NtnPropSingle<TTextExpression>(item, ntTextExpression, g);
  if (!t) return;
  t->SetText(g.text.substr(0, TNtnPropText::kTextLimit));
  t->SetFont(g.font);
}

TControllerScale ControllerScaleOf(int type) {
  switch (type) {
    case kControllerTempo: return {1, 480, 120, 2};
    case kControllerBreath: return {0, 127, 0, 8};
    case kControllerPitchBend: return {0, 16383, kPitchBendCentre, 32};
    default: return {0, 127, 64, 1};
  }
}

void ResetController(int type, TNtnPropController& g) {
  const TControllerScale scale = ControllerScaleOf(type);
  g.type = type;
  g.sweepResolution = scale.sweepResolution;
  for (int i = 0; i < TNtnPropController::kPoints; ++i) g.points[i] = {i == 0, i == 0 ? 0 : 1, scale.initial};
}

const char* ControllerScaleLabel(int type, int which) {
  static constexpr const char* kTempo[] = {"", "240", "480"};
  static constexpr const char* kBend[] = {"Down", "Center", "Up"};
  static constexpr const char* kPan[] = {"", "Center", "127"};
  static constexpr const char* kOther[] = {"", "64", "127"};
  if (which < 0 || which > 2) return "";
  switch (type) {
    case kControllerTempo: return kTempo[which];
    case kControllerPitchBend: return kBend[which];
    case kControllerStereoPan: return kPan[which];
    default: return kOther[which];
  }
}

int ShownControllerValue(int type, int value) { return type == kControllerPitchBend ? value - kPitchBendCentre : value; }

int FirstDiscontinuousSetting(const TNtnPropController& g) {
  // The first setting has no check box: it always counts.
  for (int i = 2; i < TNtnPropController::kPoints; ++i)
    if (g.points[i].enabled && !g.points[i - 1].enabled) return i;
  return -1;
}

std::string DiscontinuousSettingText(int setting) {
  char text[96];
  std::snprintf(text, sizeof text, "Setting %d cannot be enabled unless Setting %d is also enabled", setting + 1,
                setting);
  return text;
}

void GatherController(const TNotatedItem& item, TNtnPropController& g) {
  const auto* c = NtnPropOfType<TGenericControl>(item, ntGenericControl);
  if (!c) return;
  ++g.count;
  const int type = std::clamp(c->GetController(), 0, TNtnPropController::kTypes - 1);
  g.style = std::clamp(c->GetSweepMode(), 0, 1);
  g.timeResolution = std::clamp(c->GetTimeResolution(), 0, 6);
  if (!c->GetSetting(0).present) {
    ResetController(type, g);
    return;
  }
  g.type = type;
  g.sweepResolution = std::max(c->GetSweepResolution(), 1);
  const TControllerScale scale = ControllerScaleOf(type);
  bool on = true;
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    const TGenericControl::TSetting& s = c->GetSetting(i);
    // A setting after a missing one never plays: it shows off.
    on = on && s.present != 0;
    g.points[i].enabled = i == 0 || on;
    g.points[i].offset = std::max(s.offset, i == 0 ? 0 : 1);
    g.points[i].value = std::clamp(static_cast<int>(s.value), scale.minimum, scale.maximum);
  }
}

void ApplyController(const TNtnPropController& g, TNotatedItem& item) {
  auto* c = NtnPropSingle<TGenericControl>(item, ntGenericControl, g);
  if (!c) return;
  const int type = std::clamp(g.type, 0, TNtnPropController::kTypes - 1);
  const TControllerScale scale = ControllerScaleOf(type);
  c->SetController(type);
  c->SetSweepMode(std::clamp(g.style, 0, 1));
  c->SetTimeResolution(std::clamp(g.timeResolution, 0, 6));
  c->SetSweepResolution(std::max(g.sweepResolution, 1));
  c->ClearSettings();
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    if (i > 0 && !g.points[i].enabled) break;
    c->SetSetting(i, std::max(g.points[i].offset, i == 0 ? 0 : 1),
                  std::clamp(g.points[i].value, scale.minimum, scale.maximum));
  }
}
