#include "editor/NtnPropSingles.h"

#include <algorithm>

#include "QVKNTN/ClefData.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/KeySignatureCount.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TimeSignatureData.h"
#include "editor/NtnPropItemKind.h"

namespace {

// The buttons run A to G, as the letters of the key masks do.
constexpr int kLetterOfButton[kKeyLetters] = {ltA, ltB, ltC, ltD, ltE, ltF, ltG};

constexpr const char* kKeyPresetNames[kKeyPresets] = {
    "User Defined",
    "C Major", "G Major", "D Major", "A Major", "E Major", "B Major", "F Sharp Major", "C Sharp Major",
    "F Major", "B Flat Major", "E Flat Major", "A Flat Major", "D Flat Major", "G Flat Major",
    "C Flat Major",
    "a minor", "e minor", "b minor", "f sharp minor", "c sharp minor", "g sharp minor", "d sharp minor",
    "a sharp minor",
    "d minor", "g minor", "c minor", "f minor", "b flat minor", "e flat minor", "a flat minor",
};

constexpr int kFirstRadio = 100;
constexpr int kOctaveShifts = 3;
constexpr int kClefs = 4;

}  // namespace

int OctaveShiftChoice(int stored) { return stored >= 0 && stored < kOctaveShifts ? stored : osNone; }

void StoreClefChoices(int clef, int octaveShift, TClefData& item) {
  item.SetClef(clef >= 0 && clef < kClefs ? clef : clTreble);
  item.SetOctaveShift(OctaveShiftChoice(octaveShift));
}

void GatherClef(const TNotatedItem& item, TNtnPropClef& g) {
  const auto* c = NtnPropOfType<TClefData>(item, ntClef);
  if (!c) return;
  ++g.count;
  g.clef = c->GetClef();
  g.octaveShift = OctaveShiftChoice(c->GetOctaveShift());
}

void ApplyClef(const TNtnPropClef& g, TNotatedItem& item) {
  if (auto* c = NtnPropSingle<TClefData>(item, ntClef, g)) StoreClefChoices(g.clef, g.octaveShift, *c);
}

TKeyButtons KeyButtonsOf(uint16_t flatMask, uint16_t sharpMask) {
  TKeyButtons b;
  for (int i = 0; i < kKeyLetters; ++i) {
    const uint16_t bit = uint16_t(1u << kLetterOfButton[i]);
    b.mark[i] = (flatMask & bit) ? TLetterMark::Flat : (sharpMask & bit) ? TLetterMark::Sharp : TLetterMark::Neither;
  }
  return b;
}

void KeyMasksOf(const TKeyButtons& buttons, uint16_t& flatMask, uint16_t& sharpMask) {
  flatMask = sharpMask = 0;
  for (int i = 0; i < kKeyLetters; ++i) {
    const uint16_t bit = uint16_t(1u << kLetterOfButton[i]);
    if (buttons.mark[i] == TLetterMark::Flat) flatMask |= bit;
    if (buttons.mark[i] == TLetterMark::Sharp) sharpMask |= bit;
  }
}

const char* KeyPresetName(int preset) { return (preset >= 0 && preset < kKeyPresets) ? kKeyPresetNames[preset] : ""; }

bool KeyPresetSize(int preset, int& size) {
  if (preset < 1 || preset >= kKeyPresets) return false;
  // Each mode lists 0..7 sharps (8 entries), then 1..7 flats (7 entries).
  const int inMode = (preset - 1) % 15;
  size = inMode < 8 ? inMode : -(inMode - 7);
  return true;
}

TKeyButtons KeyPresetButtons(int preset, const TKeyButtons& current) {
  int size = 0;
  if (!KeyPresetSize(preset, size)) return current;
  uint16_t flats = 0, sharps = 0;
  NtnKeyMasksFromSize(size, flats, sharps);
  return KeyButtonsOf(flats, sharps);
}

int KeyPageButton(int letter, TLetterMark mark) {
  const int column = mark == TLetterMark::Sharp ? 0 : mark == TLetterMark::Flat ? 1 : 2;
  return kFirstRadio + 3 * letter + column;
}

void GatherKey(const TNotatedItem& item, TNtnPropKey& g) {
  const auto* k = NtnPropOfType<TKeyData>(item, ntKey);
  if (!k) return;
  ++g.count;
  g.flats = k->GetFlatMask();
  g.sharps = k->GetSharpMask();
}

void ApplyKey(const TNtnPropKey& g, TNotatedItem& item) {
  auto* k = NtnPropSingle<TKeyData>(item, ntKey, g);
  if (!k) return;
  // Through the buttons, so that what is stored is what the page showed.
  uint16_t flats = 0, sharps = 0;
  KeyMasksOf(KeyButtonsOf(g.flats, g.sharps), flats, sharps);
  k->SetMasks(flats, sharps);
}

bool TimeSigStyleFixes(int style, int& beats, int& beatCode) {
  switch (style) {
    case TTimeSignatureData::tsCommonTime:
      beats = 4;
      beatCode = 2;
      return true;
    case TTimeSignatureData::tsAllaBreve:
      beats = 2;
      beatCode = 1;
      return true;
    default: return false;
  }
}

void GatherTimeSig(const TNotatedItem& item, TNtnPropTimeSig& g) {
  const auto* t = NtnPropOfType<TTimeSignatureData>(item, ntTimeSignature);
  if (!t) return;
  ++g.count;
  g.beats = t->GetBeats();
  g.beatCode = t->GetBeatCode();
  g.style = t->GetStyle();
}

void ApplyTimeSig(const TNtnPropTimeSig& g, TNotatedItem& item) {
  auto* t = NtnPropSingle<TTimeSignatureData>(item, ntTimeSignature, g);
  if (!t) return;
  const int style = g.style >= 0 && g.style <= TTimeSignatureData::tsAllaBreve ? g.style : t->GetStyle();
  int beats = std::clamp(g.beats, kBeatsMin, kBeatsMax);
  int code = g.beatCode >= 0 && g.beatCode < kBeatValues ? g.beatCode : t->GetBeatCode();
  TimeSigStyleFixes(style, beats, code);
  t->SetBeats(beats);
  t->SetBeatCode(code);
  t->SetStyle(style);
}

bool ApplyEndings(uint32_t checked, TSpecialEnding& ending) {
  checked &= (1u << kEndings) - 1;
  if (checked == 0) return false;
  ending.SetMask(checked);
  return true;
}

void GatherEnding(const TNotatedItem& item, TNtnPropEnding& g) {
  const auto* e = NtnPropOfType<TSpecialEnding>(item, ntSpecialEnding);
  if (!e) return;
  ++g.count;
  g.mask = e->GetMask() & ((1u << kEndings) - 1);
}

void ApplyEnding(const TNtnPropEnding& g, TNotatedItem& item) {
  if (auto* e = NtnPropSingle<TSpecialEnding>(item, ntSpecialEnding, g)) ApplyEndings(g.mask, *e);
}

int ConvertTempo(int tempo, int fromBase, int toBase) {
  // The item's own conversion, so the page and the stored tempo agree on rounding.
  TTempoData t(tempo, fromBase);
  return t.GetTempo(toBase);
}

void GatherTempo(const TNotatedItem& item, TNtnPropTempo& g) {
  const auto* t = NtnPropOfType<TTempoData>(item, ntTempo);
  if (!t) return;
  ++g.count;
  g.base = t->GetBase();
  g.tempo = std::clamp(t->GetTempo(g.base), kTempoMin, kTempoMax);
  g.text = t->GetText().substr(0, kTempoTextLimit);
}

void ApplyTempo(const TNtnPropTempo& g, TNotatedItem& item) {
  auto* t = NtnPropSingle<TTempoData>(item, ntTempo, g);
  if (!t) return;
  const int base = g.base >= 0 && g.base < kTempoBases ? g.base : t->GetBase();
  const int tempo = std::clamp(g.tempo, kTempoMin, kTempoMax);
  if (base != t->GetBase() || tempo != t->GetTempo(base)) t->SetTempo(tempo, base);
  // A longer stored text cannot grow through the page; an untouched one is kept whole.
  if (g.text != t->GetText().substr(0, kTempoTextLimit)) t->SetText(g.text.substr(0, kTempoTextLimit));
}

bool TempoVarianceHasDelay(int style) {
  return style == TTempoVariance::tvBreathMark || style == TTempoVariance::tvFermata;
}

void StoreTempoVariance(int style, int delay, TTempoVariance& item) {
  item.SetStyle(style >= 0 && style < kTempoVarianceStyles ? style : TTempoVariance::tvBreathMark);
  item.SetPause(std::clamp(delay, kDelayMin, kDelayMax));
}

void GatherTempoVariance(const TNotatedItem& item, TNtnPropTempoVariance& g) {
  const auto* t = NtnPropOfType<TTempoVariance>(item, ntTempoVariance);
  if (!t) return;
  ++g.count;
  g.style = t->GetStyle();
  g.delay = std::clamp(t->GetPause(), kDelayMin, kDelayMax);
}

void ApplyTempoVariance(const TNtnPropTempoVariance& g, TNotatedItem& item) {
  auto* t = NtnPropSingle<TTempoVariance>(item, ntTempoVariance, g);
  if (!t || g.style < 0) return;
  // A style without a delay keeps the stored one: the page's delay was disabled.
  StoreTempoVariance(g.style, TempoVarianceHasDelay(g.style) ? g.delay : t->GetPause(), *t);
}

void GatherPerformanceStyle(const TNotatedItem& item, TNtnPropChoice& g) {
  GatherStyleOf<TPerformanceStyle>(item, ntPerformanceStyle, g);
}

void ApplyPerformanceStyle(const TNtnPropChoice& g, TNotatedItem& item) {
  ApplyStyleTo<TPerformanceStyle>(g, item, ntPerformanceStyle);
}

void GatherFlowDirection(const TNotatedItem& item, TNtnPropChoice& g) {
  GatherStyleOf<TFlowDirection>(item, ntFlowDirection, g);
}

void ApplyFlowDirection(const TNtnPropChoice& g, TNotatedItem& item) { ApplyStyleTo<TFlowDirection>(g, item, ntFlowDirection); }
