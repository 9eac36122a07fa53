// Builds small staves item by item for the walk, range and audit tests; every helper answers the
// index the new item got.
#pragma once
#include <initializer_list>
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TimeSignatureData.h"

class TStaffFixture {
public:
  TMusicStaff staff;

  int Add(TNotatedItem* item) {
    staff.AppendItem(item);
    return staff.LastIndex() - 1;
  }
  int Note(int position, int code = 2, int accidental = acNone) {
    return Add(new TMusicNote(position, code, accidental));
  }
  int Grace(int position, int code = 3) {
    auto* note = new TMusicNote(position, code);
    note->SetAttribute(naGrace);
    return Add(note);
  }
  int Rest(int code = 2) { return Add(new TRestNote(code)); }
  int Bar(int style = TBarLineData::blSingle) { return Add(new TBarLineData(style)); }
  int Clef(int clef, int shift = osNone) {
    auto* item = new TClefData;
    item->SetClef(clef);
    item->SetOctaveShift(shift);
    return Add(item);
  }
  // Signed key size: sharps positive, flats negative.
  int Key(int size) {
    static constexpr int kSharpOrder[] = {ltF, ltC, ltG, ltD, ltA, ltE, ltB};
    static constexpr int kFlatOrder[] = {ltB, ltE, ltA, ltD, ltG, ltC, ltF};
    auto* key = new TKeyData;
    for (int i = 0; i < size; ++i) key->SetLetterSharp(kSharpOrder[i]);
    for (int i = 0; i < -size; ++i) key->SetLetterFlat(kFlatOrder[i]);
    return Add(key);
  }
  int TimeSig(int beats, int code) { return Add(new TTimeSignatureData(beats, code)); }
  int Ending(unsigned mask) { return Add(new TSpecialEnding(mask)); }
  int Flow(int style) { return Add(new TFlowDirection(style)); }
  int Dynamic(int level) { return Add(new TDynamicLevelData(level)); }
  int DynamicRamp(int style) { return Add(new TDynamicVariance(style)); }
  int Tempo(int quarters) { return Add(new TTempoData(quarters)); }
  int TempoRamp(int style) { return Add(new TTempoVariance(style)); }
  int Chord(std::initializer_list<int> positions, int code = 2) {
    auto* chord = new TChordData;
    for (int p : positions) {
      auto* head = new TMusicNote(p, code);
      if (!chord->AddNote(head)) delete head;
    }
    return Add(chord);
  }

  TNotatedItem* At(int i) const { return staff.GetItem(i); }
  TSongNote* SongAt(int i) const { return static_cast<TSongNote*>(staff.GetItem(i)); }
  TMusicNote* NoteAt(int i) const { return static_cast<TMusicNote*>(staff.GetItem(i)); }
  TRestNote* RestAt(int i) const { return static_cast<TRestNote*>(staff.GetItem(i)); }
  TBarLineData* BarAt(int i) const { return static_cast<TBarLineData*>(staff.GetItem(i)); }

  // Beams (kind 0) or triplets (kind 1) the given items as one group: first, middles, last.
  void Group(int kind, std::initializer_list<int> members) {
    int n = 0;
    const int count = static_cast<int>(members.size());
    for (int i : members) {
      const int state = n == 0 ? 1 : (n == count - 1 ? 3 : 2);
      if (kind == 0) SongAt(i)->SetBeamState(state); else SongAt(i)->SetTripletState(state);
      ++n;
    }
  }
};
