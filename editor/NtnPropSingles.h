// The notation properties of one clef, key signature, time signature, special ending, tempo,
// tempo variance, performance style or flow direction: what its page shows, the page's rules, and
// the write-back into the item. The earlier line's item dialogs share the rules that are the same.
#pragma once

#include <cstdint>
#include <string>

class TNotatedItem;
class TClefData;
class TSpecialEnding;
class TTempoVariance;

// Each group is gathered from the items of its kind (count, and the values of the last one) and
// written only into an item of its kind while the group stands for exactly one item.

// Clef: type 0..3 and the octave shift, both stored as their list's index.
struct TNtnPropClef {
  int count = 0;
  int clef = 0;         // "Treble Clef" .. "Tenor Clef"
  int octaveShift = 0;  // "None", "Octave Up", "Octave Down"
};
void GatherClef(const TNotatedItem& item, TNtnPropClef& g);
void ApplyClef(const TNtnPropClef& g, TNotatedItem& item);
// Clef and shift choices into a clef: anything outside the lists counts as treble, no shift.
void StoreClefChoices(int clef, int octaveShift, TClefData& item);
int OctaveShiftChoice(int stored);

// Key signature: three radio buttons per letter A to G, standing for the letter's bit in the sharp
// set, in the flat set, or in neither. The earlier line's dialog puts "flat" first, the sheet's page
// "sharp": each maps a mark to its button.
enum class TLetterMark { Flat = 0, Sharp = 1, Neither = 2 };
constexpr int kKeyLetters = 7;
constexpr int kKeyPresets = 31;
struct TKeyButtons {
  TLetterMark mark[kKeyLetters] = {};  // in the order A B C D E F G
};
// A letter in both sets (only a damaged file has one) shows, and is stored again, as its flat.
TKeyButtons KeyButtonsOf(uint16_t flatMask, uint16_t sharpMask);
void KeyMasksOf(const TKeyButtons& buttons, uint16_t& flatMask, uint16_t& sharpMask);
// The list's entries: "User Defined", the major keys with 0..7 sharps and 1..7 flats, then the
// minor keys the same way.
const char* KeyPresetName(int preset);
// The signed size (sharps positive, flats negative) of a preset; false for "User Defined" and
// indexes outside the list, which leave the buttons as they are.
bool KeyPresetSize(int preset, int& size);
// The buttons after choosing a preset: its sharps or flats in the key-signature orders, or the
// buttons as they are for "User Defined".
TKeyButtons KeyPresetButtons(int preset, const TKeyButtons& current);
// The sheet's page: "sharp", "flat", "neither" from left to right.
int KeyPageButton(int letter, TLetterMark mark);

struct TNtnPropKey {
  int count = 0;
  uint16_t flats = 0;
  uint16_t sharps = 0;
};
void GatherKey(const TNotatedItem& item, TNtnPropKey& g);
void ApplyKey(const TNtnPropKey& g, TNotatedItem& item);

// Time signature: beats 1..99, the beat value as its code (log2 of the note value) and the style.
constexpr int kBeatsMin = 1;
constexpr int kBeatsMax = 99;
constexpr int kBeatValues = 6;
constexpr const char* kBeatValueNames[kBeatValues] = {"1", "2", "4", "8", "16", "32"};
struct TNtnPropTimeSig {
  int count = 0;
  int beats = 4;
  int beatCode = 2;
  int style = 0;  // "Standard Signature", "Common Time", "Alla Breve"
};
// Common time and alla breve fix beats and beat value (and the page disables both): true then.
bool TimeSigStyleFixes(int style, int& beats, int& beatCode);
void GatherTimeSig(const TNotatedItem& item, TNtnPropTimeSig& g);
void ApplyTimeSig(const TNtnPropTimeSig& g, TNotatedItem& item);

// Special ending: bit k - 1 stands for ending k, the eighth box being the sheet's "Default".
constexpr int kEndings = 8;
constexpr const char kNoEndingText[] = "A special ending must be selected.";
constexpr const char kNoEndingCaption[] = "Error";
// False, and the item untouched, when no ending is checked: an ending that no pass plays would
// silence its bars for good.
bool ApplyEndings(uint32_t checked, TSpecialEnding& ending);
struct TNtnPropEnding {
  int count = 0;
  uint32_t mask = 1;
};
void GatherEnding(const TNotatedItem& item, TNtnPropEnding& g);
void ApplyEnding(const TNtnPropEnding& g, TNotatedItem& item);

// Tempo: shown in its own base, kept at the same speed when the base changes.
constexpr int kTempoMin = 20;
constexpr int kTempoMax = 750;
constexpr int kTempoBases = 6;
constexpr int kTempoTextLimit = 80;
int ConvertTempo(int tempo, int fromBase, int toBase);
struct TNtnPropTempo {
  int count = 0;
  int base = 2;  // "Eighth" .. "Dotted Half"
  int tempo = 120;
  std::string text;
};
void GatherTempo(const TNotatedItem& item, TNtnPropTempo& g);
// The tempo is stored again only when base or shown value changed: the conversion into quarter
// notes rounds, and an untouched page must not move the speed.
void ApplyTempo(const TNtnPropTempo& g, TNotatedItem& item);

// Tempo variance: the style, and a delay in sixteenths that only breath mark and fermata carry.
constexpr int kTempoVarianceStyles = 9;
constexpr int kDelayMin = 0;
constexpr int kDelayMax = 64;
bool TempoVarianceHasDelay(int style);
// Style and delay into the item; a delay outside 0..64 is brought into it.
void StoreTempoVariance(int style, int delay, TTempoVariance& item);
struct TNtnPropTempoVariance {
  int count = 0;
  int style = 0;
  int delay = 0;
};
void GatherTempoVariance(const TNotatedItem& item, TNtnPropTempoVariance& g);
void ApplyTempoVariance(const TNtnPropTempoVariance& g, TNotatedItem& item);

// Performance style and flow direction: one list choice each; no choice (-1) leaves the item.
struct TNtnPropChoice {
  int count = 0;
  int style = 0;
};
void GatherPerformanceStyle(const TNotatedItem& item, TNtnPropChoice& g);
void ApplyPerformanceStyle(const TNtnPropChoice& g, TNotatedItem& item);
void GatherFlowDirection(const TNotatedItem& item, TNtnPropChoice& g);
void ApplyFlowDirection(const TNtnPropChoice& g, TNotatedItem& item);
