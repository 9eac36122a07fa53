#include "QVKNTN/RestChord.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/StaffContext.h"

namespace {
// A rest chord's note part takes its tie directions from its stem: away from the stem's side.
void TieAwayFromStem(TMusicNote* note) { note->SetTieDown(note->GetStemSign() > 0); }
}  // namespace

TRestChord::~TRestChord() { delete fPart; }

void TRestChord::SetChordPart(TMusicNote* part) {
  if (part == fPart) return;
  delete fPart;
  fPart = part;
}

int TRestChord::GetNoteCount() const { return fPart ? fPart->GetNoteCount() : 0; }

TMusicNote* TRestChord::GetNote(int i) { return fPart ? fPart->GetNote(i) : nullptr; }

TMusicNote* TRestChord::FindNoteAtPosition(int position) { return fPart ? fPart->FindNoteAtPosition(position) : nullptr; }

void TRestChord::UpdateContext(TStaffContext& context) const {
  for (int i = 0; i < GetNoteCount(); ++i) TNotatedItem::GetNote(i)->UpdateHeadContext(context);
  UpdateSongContext(context);
}

void TRestChord::AddMidiEvents(const TStaffContext& context, TMidiEventSink& sink) const {
  for (int i = 0; i < GetNoteCount(); ++i) TNotatedItem::GetNote(i)->AddHeadEvents(context, sink);
}

void TRestChord::ResolveAccidental(const TStaffContext& context, bool resolve) {
  if (fPart) fPart->ResolveAccidental(context, resolve);
}

bool TRestChord::TransposeBy(const TStaffContext& context, int semitones, int steps, bool test) {
  return fPart ? fPart->TransposeBy(context, semitones, steps, test) : true;
}

void TRestChord::RespellForKey(const TStaffContext& context) {
  if (fPart) fPart->RespellForKey(context);
}

int TRestChord::GetAccidentalSpace() const {
  return fPart ? fPart->GetAccidentalSpace() : TRestNote::GetAccidentalSpace();
}

bool TRestChord::AddNote(TMusicNote* note) {
  if (!note || note->GetType() != ntNote || note == fPart) return false;
  if (note->GetDuration() <= GetDuration()) return false;
  if (fPart && (note->GetDuration() != fPart->GetDuration() || fPart->FindNoteAtPosition(note->GetPosition())))
    return false;

  // The rest and the note take opposite stems; decide both before changing either.
  const int noteCode = note->GetStemCode();
  const uint8_t restDuration = GetDurationByte();
  const uint8_t noteDuration = note->GetDurationByte();
  if (GetStemCode() == stAuto) {
    const int sign = note->GetStemSign();
    SetStemSign(noteCode != stAuto ? -sign : sign);
  }
  if (noteCode == stAuto) note->SetStemSign(-GetStemSign());
  if (note->GetStemCode() == GetStemCode()) {
    SetDurationByte(restDuration);
    note->SetDurationByte(noteDuration);
    return false;
  }
  const uint16_t noteAttributes = note->GetAttributeWord();
  const uint8_t notePitch = note->GetPitchByte();
  note->SetAttribute(naRestChordStem);
  TieAwayFromStem(note);

  if (!fPart) {
    fPart = note;
    return true;
  }
  if (fPart->GetType() == ntNote) {
    TMusicNote* single = fPart;
    const uint16_t singleAttributes = single->GetAttributeWord();
    const uint8_t singlePitch = single->GetPitchByte();
    const uint8_t singleDuration = single->GetDurationByte();
    auto* chord = new TChordData();
    if (chord->AddNote(single) && chord->AddNote(note)) {
      chord->SetAttribute(naRestChordStem);
      fPart = chord;
      return true;
    }
    chord->RemoveNote(single);
    delete chord;
    single->SetAttributeWord(singleAttributes);
    single->SetPitchByte(singlePitch);
    single->SetDurationByte(singleDuration);
  } else if (static_cast<TChordData*>(fPart)->AddNote(note)) {
    return true;
  }
  SetDurationByte(restDuration);
  note->SetDurationByte(noteDuration);
  note->SetAttributeWord(noteAttributes);
  note->SetPitchByte(notePitch);
  return false;
}

bool TRestChord::RemoveNote(TMusicNote* note) {
  if (!note || !fPart) return false;
  if (note == fPart) {
    fPart = nullptr;
    return true;
  }
  if (fPart->GetType() != ntChord) return false;
  auto* chord = static_cast<TChordData*>(fPart);
  if (!chord->RemoveNote(note)) return false;
  if (TMusicNote* sole = chord->ReleaseSoleNote()) {
    delete chord;
    fPart = sole;
  }
  return true;
}
