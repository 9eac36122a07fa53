#include "bench/score/ScoreGenerator.h"

#include <cstdio>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {

// A small linear congruential generator: the same seed gives the same score everywhere.
class TDice {
public:
  explicit TDice(unsigned seed) : state_(seed * 2654435761u + 1) {}
  int Roll(int n) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<unsigned>(n));
  }

private:
  unsigned state_;
};

constexpr const char* kSyllables[] = {"la", "lo", "ve", "sing", "ing", "the", "morn", "light", "a", "way"};
constexpr const char* kTexts[] = {"dolce", "cantabile", "espressivo", "rit.", "a tempo"};
constexpr int kSharpOrder[] = {5, 2, 6, 3, 0, 4, 1};  // F C G D A E B as letter numbers

TMusicNote* NewNote(TDice& dice, int code) {
  // Each roll in its own statement: argument order differs between compilers.
  const int position = dice.Roll(15) - 7;
  const int accidental = dice.Roll(10) == 0 ? dice.Roll(3) : acNone;
  auto* note = new TMusicNote(position, code, accidental);
  if (dice.Roll(12) == 0) note->SetAttribute(naStaccato);
  if (dice.Roll(20) == 0) note->SetAttribute(naAccent);
  if (dice.Roll(16) == 0) note->SetAttribute(naDotted);
  return note;
}

TChordData* NewChord(TDice& dice, int code) {
  auto* chord = new TChordData;
  chord->SetDuration(code);
  const int heads = 2 + dice.Roll(3);
  int position = dice.Roll(6) - 2;
  for (int i = 0; i < heads; ++i) {
    auto* head = new TMusicNote(position, code, acNone);
    head->SetAttribute(naChordMember);
    chord->InsertSorted(head);
    position -= 2 + dice.Roll(2);
  }
  chord->SyncNotes();
  return chord;
}

TNotatedItem* NewExpression(TDice& dice) {
  switch (dice.Roll(5)) {
    case 0: return new TDynamicLevelData(dice.Roll(8));
    case 1: {
      auto* text = new TTextExpression;
      text->SetText(kTexts[dice.Roll(5)]);
      text->SetFont(dice.Roll(3));
      return text;
    }
    case 2: return new TSustainPedal(dice.Roll(2));
    case 3: return new TTempoVariance(TTempoVariance::tvFermata, 2);
    default: return new TPerformanceStyle(dice.Roll(TPerformanceStyle::kStyles));
  }
}

void AddOpening(TMusicStaff& staff, TDice& dice, int index) {
  staff.AppendItem(new TClefData(index % 3 == 2 ? clBass : clTreble));
  auto* key = new TKeyData;
  const int sharps = dice.Roll(5);
  for (int i = 0; i < sharps; ++i) key->SetLetterSharp(kSharpOrder[i]);
  staff.AppendItem(key);
  staff.AppendItem(new TTimeSignatureData(dice.Roll(2) ? 4 : 3, 2));
  if (index == 0) staff.AppendItem(new TTempoData(96 + dice.Roll(60), TTempoData::tbQuarter));
  TStaffInstrument instrument;
  instrument.patch = 1 + dice.Roll(128);
  staff.AppendItem(new TPatchData(&instrument));
  staff.AppendItem(new TDynamicLevelData(TDynamicLevelData::dynMF));
}

// Fills the staff bar by bar with quarter-note beats until it holds `count` items.
void AddMusic(TMusicStaff& staff, TDice& dice, int count) {
  int beat = 0;
  while (staff.ItemCount() - 2 < count) {
    const int left = count - (staff.ItemCount() - 2);
    if (beat == 4) {
      auto* bar = new TBarLineData;
      if (dice.Roll(40) == 0) bar->SetSystemBreak(true);
      staff.AppendItem(bar);
      beat = 0;
      continue;
    }
    if (left > 1 && dice.Roll(25) == 0) {
      staff.AppendItem(NewExpression(dice));
      continue;
    }
    const int kind = dice.Roll(10);
    if (kind < 4) {
      staff.AppendItem(NewNote(dice, 2));
    } else if (kind < 6 && left >= 2) {
      TMusicNote* a = NewNote(dice, 3);
      TMusicNote* b = NewNote(dice, 3);
      a->SetBeamState(1);
      b->SetBeamState(3);
      staff.AppendItem(a);
      staff.AppendItem(b);
    } else if (kind < 8) {
      staff.AppendItem(NewChord(dice, 2));
    } else {
      staff.AppendItem(new TRestNote(2));
    }
    ++beat;
  }
}

TStaffLyrics* NewLyrics(TDice& dice, int syllables) {
  auto* lyrics = new TStaffLyrics;
  for (int verse = 0; verse < 2; ++verse) {
    auto* line = new TLyricText;
    for (int i = 0; i < syllables; ++i) {
      const char* text = kSyllables[dice.Roll(10)];
      line->Append(text, dice.Roll(3) == 0 ? '-' : ' ', false);
    }
    lyrics->AddLine(line);
  }
  return lyrics;
}

}  // namespace

std::unique_ptr<TMusicScore> GenerateScore(const TScoreShape& shape) {
  auto score = std::make_unique<TMusicScore>();
  TDice dice(shape.seed);
  for (int i = 0; i < shape.staves; ++i) {
    auto* staff = new TMusicStaff;
    char name[TMusicStaff::kNameSize];
    std::snprintf(name, sizeof name, "Staff-%d", i + 1);
    staff->SetName(name);
    staff->SetGroupName(i < shape.staves / 2 ? "Upper" : "Lower");
    staff->SetChannel(i % 16);
    staff->SetPort((i / 16) % 16);
    AddOpening(*staff, dice, i);
    AddMusic(*staff, dice, shape.itemsPerStaff);
    if (shape.lyricsEvery > 0 && i % shape.lyricsEvery == 0) staff->SetLyrics(NewLyrics(dice, shape.itemsPerStaff / 2));
    staff->SetChanged(false);
    score->AppendStaff(staff);
  }
  return score;
}
