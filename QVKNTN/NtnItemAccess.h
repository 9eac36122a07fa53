// The item questions and changes that walks, range operations and the audit ask of any item,
// answered through the item classes, so the walking code reads the same for every kind.
#pragma once
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/NotePitch.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SongNote.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TimeSignatureData.h"

constexpr int kNtnMaxDurationClassCode = kShortestDurationCode;
constexpr int kNtnVisibilityNever = TNotatedItem::visNever;
constexpr int kNtnNoVolume = 255;              // dynamics: no channel volume is sent
constexpr int kNtnLastRampingDynamicStyle = 2;  // crescendo, decrescendo, diminuendo
constexpr int kNtnBarSingle = TBarLineData::blSingle;
constexpr int kNtnBarLocalRepeatClose = TBarLineData::blLocalRepeatClose;
constexpr int kNtnBarMasterRepeatClose = TBarLineData::blMasterRepeatClose;
constexpr int kNtnFlowCoda = TFlowDirection::fdCoda;
constexpr int kNtnFlowToCoda = TFlowDirection::fdToCoda;
constexpr int kNtnFlowDCAlCoda = TFlowDirection::fdDCAlCoda;
constexpr int kNtnFlowDSAlCoda = TFlowDirection::fdDSAlCoda;

// --- kinds ---
inline int NtnType(const TNotatedItem* item) { return item ? item->GetType() : -1; }
// Song notes by type code: lets a walk ask the kind once per item.
inline bool NtnIsSongNoteType(int type) {
  return type == ntNote || type == ntRest || type == ntChord || type == ntRestChord;
}
inline bool NtnIsExpression(const TNotatedItem* item) { return item && item->IsExpression(); }
inline bool NtnIsRest(const TNotatedItem* item) { return item && item->IsRest(); }
inline TSongNote* NtnAsSongNote(TNotatedItem* item) {
  return item && item->IsSongNote() ? static_cast<TSongNote*>(item) : nullptr;
}
inline const TSongNote* NtnAsSongNote(const TNotatedItem* item) {
  return item && item->IsSongNote() ? static_cast<const TSongNote*>(item) : nullptr;
}
inline TMusicNote* NtnAsNoteOrChord(TNotatedItem* item) {
  return item && item->IsNoteOrChord() ? static_cast<TMusicNote*>(item) : nullptr;
}
inline const TMusicNote* NtnAsNoteOrChord(const TNotatedItem* item) {
  return item && item->IsNoteOrChord() ? static_cast<const TMusicNote*>(item) : nullptr;
}
inline bool NtnIsGradualTempoVariance(const TNotatedItem* item) {
  return NtnType(item) == ntTempoVariance && static_cast<const TTempoVariance*>(item)->GetStyle() > 1;
}
// The note or chord itself, or the part a rest chord holds.
inline TMusicNote* NtnNoteBearingPart(TNotatedItem* item) {
  if (NtnType(item) == ntRestChord) return static_cast<TRestChord*>(item)->GetChordPart();
  return NtnAsNoteOrChord(item);
}

// --- heads ---
inline bool NtnHasHeads(const TNotatedItem* item) { return item && item->HasNotes(); }
inline int NtnHeadCount(const TNotatedItem* item) { return item ? item->GetNoteCount() : 0; }
inline TMusicNote* NtnHead(TNotatedItem* item, int i) { return item->GetNote(i); }
inline const TMusicNote* NtnHead(const TNotatedItem* item, int i) { return item->GetNote(i); }
inline bool NtnHeadAt(TNotatedItem* item, int position) {
  return item && item->FindNoteAtPosition(position) != nullptr;
}
inline int NtnHeadPosition(const TMusicNote* head) { return head->GetPosition(); }
inline void NtnSetHeadPosition(TMusicNote* head, int position) { head->SetPosition(position); }
inline int NtnAccidental(const TMusicNote* head) { return head->GetAccidental(); }
inline void NtnSetAccidental(TMusicNote* head, int code) { head->SetAccidental(code); }
inline bool NtnIsMuted(const TMusicNote* head) { return head->IsMuted(); }
inline int NtnSoundingPitch(const TMusicNote* head, const TStaffContext& context) { return head->GetPitch(context); }
inline int NtnLetterAt(const TStaffContext& context, int position) {
  return NtnLetterAtPosition(context.GetClef(), position);
}
inline int NtnFlagCount(const TMusicNote* note) { return note ? note->GetFlagCount() : 0; }
inline void NtnSetTieDown(TMusicNote* head, bool down) { head->SetTieDown(down); }

// --- song-note state ---
inline int NtnGrace(const TSongNote* note) { return note && note->IsGrace() ? 1 : 0; }
inline bool NtnHasAttr(const TSongNote* note, int bit) { return note->HasAttribute(bit); }
inline void NtnSetAttr(TSongNote* note, int bit, bool on) {
  if (on) note->SetAttribute(bit);
  // The audit clears a bit on every note it passes; most are already clear.
  else if (note->HasAttribute(bit)) note->ClearAttribute(bit);
}
inline int NtnGroupState(const TSongNote* note, int kind) {
  return kind == TSongNote::grpBeam ? note->GetBeamState() : note->GetTripletState();
}
inline void NtnSetGroupState(TSongNote* note, int kind, int state) {
  if (kind == TSongNote::grpBeam) note->SetBeamState(state); else note->SetTripletState(state);
}
inline int NtnDurationCode(const TSongNote* note) { return note->GetDurationCode(); }
inline void NtnSetDurationCode(TSongNote* note, int code) { note->SetDuration(code); }
inline int NtnStemCode(const TSongNote* note) { return note ? note->GetStemCode() : 0; }
inline void NtnSetStemCode(TSongNote* note, int code) { if (note) note->SetStemDirection(code); }
inline void NtnSetStemSign(TSongNote* note, int sign) { note->SetStemSign(sign); }
inline int NtnStemSign(const TSongNote* note) { return note->GetStemSign(); }
inline bool NtnHasSplitStems(const TSongNote* note) { return note->HasSplitStems(); }
inline bool NtnHasSplitDurations(const TSongNote* note) { return note->HasSplitDurations(); }
inline void NtnSetSlurDown(TSongNote* note, bool down) { note->SetSlurDown(down); }
inline void NtnSync(TNotatedItem* item) {
  if (TSongNote* note = NtnAsSongNote(item)) note->SyncNotes();
}
inline bool NtnTakesSyllable(const TSongNote* note) {
  switch (note->GetLyricMode()) {
    case TSongNote::lyrAlways: return true;
    case TSongNote::lyrNever: return false;
    default: return note->TakesLyricByDefault();
  }
}

// --- durations and positions ---
inline long NtnDuration(const TNotatedItem* item) { return item ? item->GetDuration() : 0; }
inline int NtnHighPosition(const TNotatedItem* item) { return item->GetHighPosition(); }
inline int NtnLowPosition(const TNotatedItem* item) { return item->GetLowPosition(); }
inline int NtnItemPosition(const TNotatedItem* item) { return item->GetPosition(); }
inline void NtnSetItemPosition(TNotatedItem* item, int position) { item->SetPosition(position); }
inline void NtnSetVisibility(TNotatedItem* item, int visibility) { if (item) item->SetVisibility(visibility); }

// --- rests ---
inline void NtnClearRestExplicitLength(TNotatedItem* item) {
  if (TRestNote* rest = item ? item->AsRest() : nullptr) rest->ClearExplicitLength();
}
inline void NtnSetRestExplicitLength(TNotatedItem* item, int count, int code) {
  if (TRestNote* rest = item ? item->AsRest() : nullptr) rest->SetExplicitLength(count, code);
}
inline int NtnRestOffset(TNotatedItem* item) { return item->AsRest()->GetVerticalOffset(); }
inline void NtnSetRestOffset(TNotatedItem* item, int offset) { item->AsRest()->SetVerticalOffset(offset); }

// --- the other kinds ---
inline int NtnBarStyle(const TNotatedItem* item) { return static_cast<const TBarLineData*>(item)->GetStyle(); }
inline bool NtnIsEmptyBar(const TNotatedItem* item) { return static_cast<const TBarLineData*>(item)->GetLayoutFlag(); }
inline void NtnSetEmptyBar(TNotatedItem* item, bool empty) { static_cast<TBarLineData*>(item)->SetLayoutFlag(empty); }
inline unsigned NtnEndingMask(const TNotatedItem* item) { return static_cast<const TSpecialEnding*>(item)->GetMask(); }
inline int NtnFlowStyle(const TNotatedItem* item) { return static_cast<const TFlowDirection*>(item)->GetStyle(); }
inline void NtnTimeSigOf(const TNotatedItem* item, int& beats, int& code) {
  const auto* sig = static_cast<const TTimeSignatureData*>(item);
  beats = sig->GetBeats();
  code = sig->GetBeatCode();
}
inline void NtnUpdateContext(const TNotatedItem* item, TStaffContext& context) { item->UpdateContext(context); }

// The duration of the other stem part of a two-voice chord or rest chord: what may still sound
// over the notes after it.
inline long NtnOtherPartDuration(const TSongNote* note) {
  auto* item = const_cast<TSongNote*>(note);
  if (item->GetType() == ntRestChord) {
    const TMusicNote* part = static_cast<TRestChord*>(item)->GetChordPart();
    return part ? part->GetDuration() : 0;
  }
  for (int h = 0; h < item->GetNoteCount(); ++h) {
    const TMusicNote* head = item->GetNote(h);
    if (head->GetStemCode() != note->GetStemCode()) return head->GetDuration();
  }
  return 0;
}

// --- transposition ---
// The staff steps notes move by before any key signature: C major transposed.
inline int NtnShiftForEmptyKey(int semitones, int preference) {
  TKeyData empty;
  int steps = 0;
  empty.Transpose(semitones, steps, preference, true);
  return steps;
}
// Transposes (or tests) a key signature; answers the staff steps notes then move by.
inline int NtnTransposeKey(TNotatedItem* item, int semitones, int preference, bool test) {
  int steps = 0;
  static_cast<TKeyData*>(item)->Transpose(semitones, steps, preference, test);
  return steps;
}
inline bool NtnTransposeSongNote(TNotatedItem* item, const TStaffContext& context, int semitones, int steps,
                                 bool test) {
  return static_cast<TSongNote*>(item)->TransposeBy(context, semitones, steps, test);
}

inline void NtnMute(TNotatedItem* item) {
  for (int h = 0; h < NtnHeadCount(item); ++h) item->GetNote(h)->SetMuted(true);
  if (TMusicNote* note = NtnAsNoteOrChord(item)) note->SetMuted(true);
}

// --- tempo and dynamics ---
inline int NtnTempoQuarters(const TNotatedItem* item) { return static_cast<const TTempoData*>(item)->GetQuarterTempo(); }
inline void NtnSetTempoRamp(TNotatedItem* item, int startTempo, int endTempo, long length) {
  static_cast<TTempoVariance*>(item)->SetRunTime(startTempo, endTempo, static_cast<int32_t>(length));
}
inline void NtnSetTempoRampLength(TNotatedItem* item, long length) {
  auto* v = static_cast<TTempoVariance*>(item);
  v->SetRunTime(v->GetStartTempo(), v->GetEndTempo(), static_cast<int32_t>(length));
}
inline int NtnDynamicLevel(const TNotatedItem* item) { return static_cast<const TDynamicLevelData*>(item)->GetDynamic(); }
inline bool NtnDynamicVelocityOverridden(const TNotatedItem* item) {
  return static_cast<const TDynamicLevelData*>(item)->GetOverride(0);
}
inline bool NtnDynamicVolumeOverridden(const TNotatedItem* item) {
  return static_cast<const TDynamicLevelData*>(item)->GetOverride(1);
}
inline int NtnDynamicVelocity(const TNotatedItem* item) { return static_cast<const TDynamicLevelData*>(item)->GetVelocity(); }
inline void NtnSetDynamicVelocity(TNotatedItem* item, int v) { static_cast<TDynamicLevelData*>(item)->SetVelocity(v); }
inline int NtnDynamicVolume(const TNotatedItem* item) { return static_cast<const TDynamicLevelData*>(item)->GetVolume(); }
inline void NtnSetDynamicVolume(TNotatedItem* item, int v) { static_cast<TDynamicLevelData*>(item)->SetVolume(v); }
inline int NtnDynamicVarianceStyle(const TNotatedItem* item) { return static_cast<const TDynamicVariance*>(item)->GetStyle(); }
inline void NtnSetDynamicRamp(TNotatedItem* item, int target, int startVolume, int endVolume, long length) {
  static_cast<TDynamicVariance*>(item)->SetRunTime(target, startVolume, endVolume, static_cast<int32_t>(length));
}
inline void NtnSetDynamicRampLength(TNotatedItem* item, long length) {
  auto* v = static_cast<TDynamicVariance*>(item);
  v->SetRunTime(v->GetTargetVelocity(), v->GetStartVolume(), v->GetEndVolume(), static_cast<int32_t>(length));
}

// --- key memory for drawing cancellations ---
inline void NtnSetKeyMemory(TNotatedItem* item, int clef, int flats, int sharps) {
  (void)clef;
  static_cast<TKeyData*>(item)->SetCancelledMasks(static_cast<uint16_t>(flats), static_cast<uint16_t>(sharps));
}
