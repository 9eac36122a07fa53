// The property record of the notation properties sheet: the properties of every selected item
// gathered into groups, a value that differs between items kept as "mixed", and the write-back
// of only the definite values. The pages for single items edit that item's own fields.
#pragma once

#include <span>

#include "QVKNTN/NotationTypes.h"
#include "editor/NtnPropExpressions.h"
#include "editor/NtnPropSingles.h"

class TMusicStaff;
class TNotatedItem;
class TScoreEditing;

// Mixed markers: list choices and small numbers, on/off flags (the check box's third state), and
// numbers that may be negative.
constexpr int kNtnPropMixed = -1;
constexpr int kNtnPropMixedFlag = 2;
constexpr int kNtnPropMixedSigned = -32768;

struct TNtnPropData {
  static constexpr int kTypeCount = 19;

  // Items of each type and the last of them (the one a single-item page edits).
  int count[kTypeCount] = {};
  TNotatedItem* last[kTypeCount] = {};

  struct TBarLines {
    int count = 0;
    int style = 0;        // low 6 bits of the style byte
    int repeatCount = 0;
    int systemBreak = 0;  // flag
  } bar;
  struct TExpressions {
    int count = 0;
    int position = 0;  // signed
    int wide = 0;      // flag: preserve width
    int justify = 0;
    int placement = 0;
  } expression;
  struct TNotes {
    int count = 0;
    int accidentalSpace = 0;
    int noteSpace = 0;
    int muted = 0;      // flag
    int noLegers = 0;   // flag
    int slur = 0;       // 0 default, 1 upward, 2 downward
    int tie = 0;        // as slur
    int syllable = 0;   // 0 default, 1 always, 2 never
  } notes;
  struct TRests {
    int count = 0;
    int offset = 0;  // signed, -15..15
    int slur = 0;
    int syllable = 0;
  } rests;
  struct TVisibility {
    int count = 0;
    int visibility = 0;
    int color = 0;
  } visibility;

  TNtnPropClef clef;
  TNtnPropKey key;
  TNtnPropTimeSig timeSig;
  TNtnPropEnding ending;
  TNtnPropTempo tempo;
  TNtnPropTempoVariance tempoVariance;
  TNtnPropChoice performanceStyle;
  TNtnPropChoice flow;
  TNtnPropDynamic dynamic;
  TNtnPropDynamicVariance dynamicVariance;
  TNtnPropPedal pedal;
  TNtnPropPatch patch;
  TNtnPropController controller;
  TNtnPropText text;

  // Which single-kind pages the sheet shows: the key signature page for one or more, the others
  // for exactly one item of their kind.
  bool ShowsSingle(int type) const;
};

// Gathers every item from first to last (inclusive) into a cleared record. `smartTemplate`: a
// single template item whose placement and visibility come from the insert logic.
void GatherNtnProps(TMusicStaff& staff, int first, int last, bool smartTemplate, TNtnPropData& data);
// Writes the definite values of the mixed groups into every item that has them.
void ApplyNtnProps(TMusicStaff& staff, int first, int last, bool smartTemplate, const TNtnPropData& data);
// OK of the sheet over the selection: undo (internal record, Change Selection) first, then the
// values, then the audit of the selection.
bool ChangeSelectionProps(TScoreEditing& edit, const TNtnPropData& data);

// Gather and apply over any items: an insert command's template item stands in no staff.
void GatherNtnProps(std::span<TNotatedItem* const> items, bool smartTemplate, TNtnPropData& data);
void ApplyNtnProps(std::span<TNotatedItem* const> items, bool smartTemplate, const TNtnPropData& data);
