// Builds chords and rest chords from random notes: heads stay sorted and marked as members, a
// refused note leaves chord and note exactly as they were, and every head plays a valid key.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>
#include "QVKNTN/ChordData.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/StaffContext.h"

namespace {
class TCheckingSink : public TMidiEventSink {
 public:
  void AddShortEvent(int32_t, int, uint8_t status, uint8_t key, uint8_t velocity) override {
    if (key > 127 || velocity > 127 || (status & 0xE0) != 0x80) std::abort();
  }
  void AddTempoEvent(int32_t, int bpm) override {
    if (bpm < 1) std::abort();
  }
  void AddKeySigEvent(int32_t, int) override {}
  void AddHoldEvent(int32_t, int) override {}
};

std::vector<int> NoteState(const TMusicNote& n) {
  return {n.GetPosition(), n.GetAttributeWord(), n.GetDurationByte(), n.GetGroupByte(), n.GetPitchByte(),
          n.GetFlags(), n.GetSpacingByte()};
}

std::vector<int> ChordState(TChordData& chord) {
  std::vector<int> s = NoteState(chord);
  s.push_back(chord.GetArrangementByte());
  for (int i = 0; i < chord.GetNoteCount(); ++i) {
    const std::vector<int> n = NoteState(*chord.GetNote(i));
    s.insert(s.end(), n.begin(), n.end());
  }
  return s;
}

void Check(TChordData& chord) {
  for (int i = 0; i < chord.GetNoteCount(); ++i) {
    TMusicNote* n = chord.GetNote(i);
    if (!n || !n->HasAttribute(naChordMember)) std::abort();
    if (i > 0 && chord.GetNote(i - 1)->GetPosition() < n->GetPosition()) std::abort();
  }
  if (chord.GetNoteCount() > 0 &&
      (chord.GetLowPosition() != chord.GetLastNote()->GetPosition() ||
       chord.GetHighPosition() != chord.GetFirstNote()->GetPosition()))
    std::abort();
}

TMusicNote* MakeNote(uint8_t a, uint8_t b) {
  auto* n = new TMusicNote(int(a % 24) - 12, b % 7, (b >> 3) % 6);
  n->SetStemDirection((a >> 5) % 3);
  if (b & 0x40) n->SetAttribute(naDotted);
  if (b & 0x80) n->SetTripletState(1);
  if (a & 0x10) n->SetAttribute(naTieOut);
  return n;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TChordData chord;
  TRestChord rest(size > 0 ? data[0] % 7 : 2);
  TStaffContext context;
  TCheckingSink sink;
  for (size_t i = 1; i + 2 < size; i += 3) {
    const uint8_t a = data[i + 1], b = data[i + 2];
    switch (data[i] % 7) {
      case 0: {
        TMusicNote* n = MakeNote(a, b);
        const std::vector<int> before = ChordState(chord);
        const std::vector<int> note = NoteState(*n);
        if (!chord.AddNote(n)) {
          if (ChordState(chord) != before || NoteState(*n) != note) std::abort();
          delete n;
        }
        break;
      }
      case 1: {
        if (chord.GetNoteCount() == 0) break;
        TMusicNote* n = chord.GetNote(a % chord.GetNoteCount());
        if (!chord.RemoveNote(n) || n->HasAttribute(naChordMember)) std::abort();
        delete n;
        break;
      }
      case 2: {
        TMusicNote* n = MakeNote(a, b);
        const std::vector<int> note = NoteState(*n);
        const uint8_t restDuration = rest.GetDurationByte();
        if (!rest.AddNote(n)) {
          if (NoteState(*n) != note || rest.GetDurationByte() != restDuration) std::abort();
          delete n;
        }
        break;
      }
      case 3: {
        if (rest.GetNoteCount() == 0) break;
        TMusicNote* n = rest.GetNote(a % rest.GetNoteCount());
        if (!rest.RemoveNote(n)) std::abort();
        delete n;
        break;
      }
      case 4:
        chord.SetStemDirection(a % 3);
        chord.SyncNotes();
        break;
      case 5:
        chord.TransposeBy(context, int(a % 25) - 12, int(b % 15) - 7, b & 1);
        break;
      default:
        context.SetClef(a % 4, b % 3);
        chord.AddMidiEvents(context, sink);
        chord.UpdateContext(context);
        rest.AddMidiEvents(context, sink);
        rest.UpdateContext(context);
        chord.ResolveAccidental(context, a & 1);
        break;
    }
    Check(chord);
    if (rest.GetChordPart() && rest.GetChordPart()->GetType() == ntChord) Check(*static_cast<TChordData*>(rest.GetChordPart()));
  }
  return 0;
}
