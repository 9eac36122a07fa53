#include "tests/drawing/SampleScores.h"

#include <cstring>
#include <initializer_list>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {

// Appends items to one staff; each helper answers the new item.
class StaffBuilder {
public:
  explicit StaffBuilder(TMusicStaff* staff) : staff_(staff) {}

  template <class Item>
  Item* Add(Item* item) {
    staff_->AppendItem(item);
    return item;
  }
  TMusicNote* Note(int position, int code, int accidental = acNone, int stem = stAuto) {
    auto* note = Add(new TMusicNote(position, code, accidental));
    if (stem != stAuto) note->SetStemDirection(stem);
    return note;
  }
  TChordData* Chord(std::initializer_list<int> positions, int code, int stem = stAuto) {
    auto* chord = new TChordData;
    for (int p : positions) {
      auto* head = new TMusicNote(p, code);
      if (!chord->AddNote(head)) delete head;
    }
    Add(chord);
    if (stem != stAuto) chord->SetStemDirection(stem);
    return chord;
  }
  TRestNote* Rest(int code) { return Add(new TRestNote(code)); }
  TBarLineData* Bar(int style = TBarLineData::blSingle) { return Add(new TBarLineData(style)); }
  void Clef(int clef) { Add(new TClefData(clef)); }
  void Key(int size) {
    static constexpr int kSharpOrder[] = {ltF, ltC, ltG, ltD, ltA, ltE, ltB};
    static constexpr int kFlatOrder[] = {ltB, ltE, ltA, ltD, ltG, ltC, ltF};
    auto* key = new TKeyData;
    for (int i = 0; i < size; ++i) key->SetLetterSharp(kSharpOrder[i]);
    for (int i = 0; i < -size; ++i) key->SetLetterFlat(kFlatOrder[i]);
    Add(key);
  }
  void Time(int beats, int code) { Add(new TTimeSignatureData(beats, code)); }
  template <class Expression>
  Expression* Mark(Expression* e, int position) {
    e->SetPosition(position);
    return Add(e);
  }
  // Beams (kind 0) or triplets (kind 1) the notes as one group.
  static void Group(int kind, std::initializer_list<TSongNote*> members) {
    int n = 0;
    const int count = static_cast<int>(members.size());
    for (TSongNote* note : members) {
      const int state = n == 0 ? 1 : (n == count - 1 ? 3 : 2);
      if (kind == 0) note->SetBeamState(state); else note->SetTripletState(state);
      ++n;
    }
  }
  static void Tie(TSongNote* from, TSongNote* to) {
    from->SetAttribute(naTieOut);
    to->SetAttribute(naTieIn);
  }
  static void Slur(std::initializer_list<TSongNote*> notes) {
    int n = 0;
    const int count = static_cast<int>(notes.size());
    for (TSongNote* note : notes) {
      if (n > 0) note->SetAttribute(naSlurIn);
      if (n < count - 1) note->SetAttribute(naSlurOut);
      ++n;
    }
  }

private:
  TMusicStaff* staff_;
};

TMusicStaff* NewStaff(TMusicScore& score, const char* name, int style = TMusicStaff::kStyleStandard) {
  auto* staff = new TMusicStaff;
  staff->SetName(name);
  staff->SetStyle(style);
  score.AppendStaff(staff);
  return staff;
}

void SetLyrics(TMusicStaff* staff, std::initializer_list<const char*> lines) {
  auto* lyrics = new TStaffLyrics;
  for (const char* text : lines) {
    auto* line = new TLyricText;
    line->ParseTextLine(text, false, false);
    lyrics->AddLine(line);
  }
  staff->SetLyrics(lyrics);
  staff->SetVerticalSize(15 + 5 * static_cast<int>(lines.size()), -12);
}

void MakePiano(TMusicScore& score) {
  std::strcpy(score.Info().title, "Little Piece");
  TMusicStaff* right = NewStaff(score, "Piano", TMusicStaff::kStyleUpperGrand);
  TMusicStaff* left = NewStaff(score, "", TMusicStaff::kStyleLowerGrand);
  SetLyrics(right, {"Sing a-long the qui-et road, home a-gain we go to-night"});
  StaffBuilder r(right), l(left);
  r.Clef(clTreble);
  r.Key(1);
  r.Time(4, 2);
  r.Mark(new TTempoData(96), -10);
  r.Mark(new TDynamicLevelData(TDynamicLevelData::dynMF), 11);
  l.Clef(clBass);
  l.Key(1);
  l.Time(4, 2);

  // Bar 1: a slurred phrase of quarters; left hand half-note chords.
  auto* a = r.Note(1, 2);
  auto* b = r.Note(0, 2);
  auto* c = r.Note(-1, 2);
  auto* d = r.Note(-2, 2);
  StaffBuilder::Slur({a, b, c, d});
  l.Chord({3, 1, -1}, 1);
  l.Chord({2, 0, -2}, 1);
  r.Bar();
  l.Bar();
  // Bar 2: beamed eighths rising then falling, a tied half note.
  auto* e1 = r.Note(2, 3);
  auto* e2 = r.Note(0, 3);
  auto* e3 = r.Note(-2, 3);
  auto* e4 = r.Note(-3, 3);
  StaffBuilder::Group(0, {e1, e2, e3, e4});
  for (TSongNote* n : {e1, e2, e3, e4}) n->SetStemDirection(stUp);
  auto* t1 = r.Note(-1, 1, acNatural);
  l.Chord({4, 0}, 2);
  auto* q1 = l.Note(2, 3);
  auto* q2 = l.Note(1, 3);
  StaffBuilder::Group(0, {q1, q2});
  l.Chord({5, 1}, 1);
  r.Bar();
  l.Bar();
  // Bar 3: the tie lands; a dotted quarter and eighth; a chord with a sharp.
  auto* t2 = r.Note(-1, 2);
  StaffBuilder::Tie(t1, t2);
  r.Mark(new TDynamicLevelData(TDynamicLevelData::dynP), 11);
  auto* dotted = r.Note(0, 2);
  dotted->SetAttribute(naDotted);
  r.Note(1, 3);
  r.Chord({3, 1, -2}, 2, stDown)->GetNote(1)->SetAccidental(acSharp);
  l.Chord({4, 2}, 1);
  l.Rest(2);
  l.Note(0, 2, acSharp);
  r.Bar();
  l.Bar();
  // Bar 4: a staccato triplet, then a whole-bar close.
  auto* x1 = r.Note(-3, 3);
  auto* x2 = r.Note(-2, 3);
  auto* x3 = r.Note(-1, 3);
  StaffBuilder::Group(0, {x1, x2, x3});
  StaffBuilder::Group(1, {x1, x2, x3});
  for (TSongNote* n : {x1, x2, x3}) {
    n->SetStemDirection(stDown);
    n->SetAttribute(naStaccato);
  }
  r.Note(0, 2)->SetAttribute(naAccent);
  r.Note(2, 1);
  l.Chord({3, 1, -1}, 0);
  r.Bar();
  l.Bar();
  // Bars 5-8: the phrase again, with a crescendo and a closing chord.
  for (int bar = 0; bar < 3; ++bar) {
    auto* m1 = r.Note(2 - bar, 3);
    auto* m2 = r.Note(1 - bar, 3);
    StaffBuilder::Group(0, {m1, m2});
    auto* m3 = r.Note(-bar, 2);
    auto* m4 = r.Note(-1 - bar, 2);
    StaffBuilder::Slur({m1, m2, m3, m4});
    r.Note(1, 2);
    l.Chord({4 - bar, 2 - bar}, 1);
    l.Note(2, 2);
    l.Note(1, 2);
    if (bar == 0) r.Mark(new TDynamicVariance(0), 11);
    r.Bar();
    l.Bar();
  }
  r.Chord({2, 0, -3}, 0);
  l.Chord({4, 0}, 0);
}

void MakeChoral(TMusicScore& score) {
  std::strcpy(score.Info().title, "Evening Hymn");
  const char* names[] = {"Soprano", "Alto", "Tenor", "Bass"};
  const int styles[] = {TMusicStaff::kStyleStandard, TMusicStaff::kStyleStandard,
                        TMusicStaff::kStyleUpperGrand, TMusicStaff::kStyleLowerGrand};
  const int clefs[] = {clTreble, clTreble, clTreble, clBass};
  // One chord progression spread over the voices, a half note per chord.
  const int voices[4][8] = {
      {-1, 0, -1, -2, -3, -2, -1, -1},
      {1, 2, 1, 1, 0, 0, 1, 1},
      {4, 3, 2, 2, 1, 2, 2, 4},
      {1, 0, 2, 0, -1, 0, 1, 1},
  };
  for (int v = 0; v < 4; ++v) {
    TMusicStaff* staff = NewStaff(score, names[v], styles[v]);
    if (v == 0) SetLyrics(staff, {"Now the day is o-ver, night is draw-ing nigh"});
    StaffBuilder s(staff);
    s.Clef(clefs[v]);
    s.Key(-2);
    s.Time(3, 2);
    if (v == 0) s.Mark(new TTempoData(72), -10);
    s.Mark(new TDynamicLevelData(TDynamicLevelData::dynP), 11);
    for (int bar = 0; bar < 8; ++bar) {
      const int p = voices[v][bar];
      const int stem = v % 2 == 0 ? stUp : stDown;
      if (bar % 4 == 3) {
        auto* n = s.Note(p, 1, acNone, stem);
        n->SetAttribute(naDotted);
      } else {
        s.Note(p, 1, bar == 2 && v == 1 ? acNatural : acNone, stem);
        s.Note(p + (v % 2 ? 1 : -1), 2, acNone, stem);
      }
      if (bar < 7) s.Bar();  // the staff's end bar closes the last
    }
  }
}

void MakeEveryItem(TMusicScore& score) {
  std::strcpy(score.Info().title, "Every Item");
  score.SetMeasureNumberStyle(3);
  TMusicStaff* staff = NewStaff(score, "Items");
  TMusicStaff* second = NewStaff(score, "Bass", TMusicStaff::kStyleStandard);
  SetLyrics(staff, {"Ev-ery item of the score is here to see", "And a sec-ond verse to show"});
  StaffBuilder s(staff), b(second);
  s.Clef(clTreble);
  s.Key(-3);
  s.Time(3, 2);
  s.Mark(new TTempoData(120), -10);
  s.Mark(new TDynamicLevelData(TDynamicLevelData::dynF), 9);
  auto* patch = new TPatchData;
  TStaffInstrument violin;
  violin.patch = 5;
  patch->SetPatch(violin);
  patch->SetVisibility(TNotatedItem::visAlways);
  s.Mark(patch, -12);
  b.Clef(clBass);
  b.Key(-3);
  b.Time(3, 2);
  b.Mark(new TSustainPedal(1), 10);

  s.Note(-1, 2, acNatural);
  s.Note(0, 3);
  s.Note(1, 3);
  s.Rest(2);
  b.Rest(1);
  b.Rest(2);
  s.Bar(TBarLineData::blDouble);
  b.Bar(TBarLineData::blDouble);

  s.Mark(new TFlowDirection(TFlowDirection::fdSegno), -10);
  s.Chord({2, 0, -2}, 2);
  auto* rc = new TRestChord(2);
  rc->SetChordPart(new TMusicNote(3, 2));
  s.Add(rc);
  s.Note(-4, 2, acSharp);
  b.Note(2, 2);
  b.Note(1, 2);
  b.Note(0, 2);
  s.Bar(TBarLineData::blLocalRepeatOpen);
  b.Bar(TBarLineData::blLocalRepeatOpen);

  auto* style = new TPerformanceStyle(1);
  s.Mark(style, 9);
  auto* g1 = s.Note(-5, 4);
  auto* g2 = s.Note(-4, 4);
  auto* g3 = s.Note(-3, 4);
  auto* g4 = s.Note(-2, 4);
  StaffBuilder::Group(0, {g1, g2, g3, g4});
  s.Note(-6, 1);
  s.Mark(new TTempoVariance(TTempoVariance::tvFermata, 2), -11);
  auto* grace = new TMusicNote(-2, 3);
  grace->SetAttribute(naGrace);
  s.Add(grace);
  b.Mark(new TDynamicVariance(1), 9);
  b.Note(3, 1);
  b.Note(2, 2);
  s.Bar(TBarLineData::blLocalRepeatClose)->SetRepeatCount(2);
  b.Bar(TBarLineData::blLocalRepeatClose)->SetRepeatCount(2);

  s.Add(new TSpecialEnding(0x3));
  b.Add(new TSpecialEnding(0x3));
  auto* text = new TTextExpression;
  text->SetText("dolce");
  s.Mark(text, 12);
  auto* control = new TGenericControl;
  control->SetVisibility(TNotatedItem::visAlways);
  s.Mark(control, 15);
  auto* whole = s.Rest(0);
  whole->SetExplicitLength(3, 2);
  b.Note(1, 1)->SetAttribute(naDotted);
  s.Bar(TBarLineData::blMasterRepeatOpen);
  b.Bar(TBarLineData::blMasterRepeatOpen);

  s.Mark(new TFlowDirection(TFlowDirection::fdDSAlFine), -10);
  s.Note(0, 2, acDoubleSharp);
  s.Note(1, 2, acDoubleFlat);
  s.Note(5, 2)->SetAttribute(naTenuto);
  b.Rest(1);
  b.Note(-1, 2);
  s.Mark(new TSustainPedal(0), 10);
  s.Bar(TBarLineData::blMasterRepeatClose);
  b.Bar(TBarLineData::blMasterRepeatClose);

  s.Add(new TClefData(clAlto));
  s.Key(2);
  s.Time(2, 2);
  b.Add(new TClefData(clTenor));
  b.Key(2);
  b.Time(2, 2);
  s.Mark(new TFlowDirection(TFlowDirection::fdCoda), -10);
  s.Note(0, 5);
  s.Note(1, 5);
  s.Note(-1, 4);
  s.Rest(3);
  s.Note(2, 2);
  b.Note(0, 2);
  b.Note(1, 2);
  s.Bar(TBarLineData::blSectionOpen);
  b.Bar(TBarLineData::blSectionOpen);
  s.Mark(new TFlowDirection(TFlowDirection::fdFine), -10);
  s.Note(0, 1);
  b.Note(0, 1);
}

}  // namespace

bool SampleScoreByName(const char* name, TSampleScore& kind) {
  struct Named {
    const char* name;
    TSampleScore kind;
  } names[] = {{"piano", TSampleScore::Piano}, {"choral", TSampleScore::Choral}, {"every-item", TSampleScore::EveryItem}};
  for (const Named& n : names) {
    if (std::strcmp(n.name, name) == 0) {
      kind = n.kind;
      return true;
    }
  }
  return false;
}

TMusicScore* MakeSampleScore(TSampleScore kind) {
  auto* score = new TMusicScore;
  score->SetDurationSpacing(true);
  switch (kind) {
    case TSampleScore::Piano: MakePiano(*score); break;
    case TSampleScore::Choral: MakeChoral(*score); break;
    case TSampleScore::EveryItem: MakeEveryItem(*score); break;
  }
  for (int i = 0; i < score->StaffCount(); ++i) score->GetStaff(i)->ApplyAutoStems();
  RunScoreAudit(score, 1);
  return score;
}
