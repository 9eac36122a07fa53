// Runs the whole-staff operations on random staves (notes, rests, chords, triplets, grace notes,
// ties, bar lines, signatures, endings, pedals) and checks that each ends, keeps the staff within
// its limit with its two sentinels, and leaves items that the audit, playback and the text form
// take without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemText.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TimeSignatureData.h"
#include "foundation/QXTSizerStream.h"

namespace {

constexpr size_t kMaxInputItems = 400;

class TCountingSink : public TMidiEventSink {
 public:
  void AddShortEvent(int32_t, int, uint8_t, uint8_t, uint8_t) override { ++count; }
  void AddTempoEvent(int32_t, int) override { ++count; }
  void AddKeySigEvent(int32_t, int) override { ++count; }
  void AddHoldEvent(int32_t, int) override { ++count; }
  bool IsFull() const override { return count > 100000; }
  long count = 0;
};

TSongNote* Shape(TSongNote* note, uint8_t bits) {
  if (bits & 1) note->SetAttribute(naDotted);
  if (bits & 2) note->SetAttribute(naTieOut);
  if ((bits & 12) == 12) note->SetAttribute(naGrace);
  if (bits & 16) note->SetTripletState(1 + (bits >> 5) % 3);
  note->SyncNotes();
  return note;
}

TNotatedItem* MakeItem(uint8_t kind, uint8_t value) {
  const int code = value % 7, position = int(value % 13) - 6;
  switch (kind % 12) {
    case 0: return new TBarLineData(value % 8, 1 + value / 64);
    case 1: return new TTimeSignatureData(1 + value % 12, value % 6);
    case 2: return new TSpecialEnding(value);
    case 3: return new TSustainPedal(value & 1);
    case 4: {
      auto* key = new TKeyData;
      if (value & 1) key->SetLetterSharp(value % 7);
      else key->SetLetterFlat(value % 7);
      return key;
    }
    case 5:
    case 6: return Shape(new TRestNote(code), kind);
    case 7: {
      auto* chord = new TChordData;
      for (int p : {position, position - 2 - int(kind % 3)}) {
        auto* head = new TMusicNote(p, code);
        Shape(head, kind >> 4);
        if (!chord->AddNote(head)) delete head;
      }
      return chord;
    }
    default: return Shape(new TMusicNote(position, code), kind ^ value);
  }
}

void Check(TMusicStaff& staff) {
  if (staff.ItemCount() < 2 || staff.ItemCount() > TMusicStaff::kMaxItems) std::abort();
  if (staff.GetItem(0)->GetType() != ntBarLine || staff.GetItem(staff.LastIndex())->GetType() != ntBarLine) std::abort();
  for (int i = 0; i <= staff.LastIndex(); ++i)
    if (!staff.GetItem(i)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool installed = (InstallAuditPass(), true);
  (void)installed;
  if (size < 2) return 0;
  TMusicStaff staff;
  for (size_t i = 2; i + 1 < size && size_t(staff.ItemCount()) < kMaxInputItems; i += 2)
    staff.AppendItem(MakeItem(data[i], data[i + 1]));
  for (int step = 0; step < 4; ++step) {
    const uint8_t op = uint8_t(data[step % 2] >> (step * 2));
    switch (op % 9) {
      case 0: staff.Rebar(); break;
      case 1: staff.AutoBeam(op & 16); break;
      case 2: staff.RemoveRedundantItems(); break;
      case 3: staff.ConsolidateNotes(op & 16, 24 + op * 4); break;
      case 4: staff.MergeFullBarRests(); break;
      case 5: staff.ApplyAutoStems(); break;
      case 6: staff.Transpose(int(op % 25) - 12, int(op % 3) - 1); break;
      case 7: staff.InsertAtTick(new TSustainPedal(1), long(op) * 37); break;
      default: staff.TruncateAtTick(long(op) * 50); break;
    }
    Check(staff);
  }
  staff.FindChordClash(0);
  staff.FindUntransposable(3, 0);
  TCountingSink sink;
  TStaffContext context;
  staff.Play(sink, context);
  TQXTSizerStream text;
  for (TAuditNtnIdx at(&staff);; at.Next()) {
    NtnItemClipText(text, at);
    NtnItemBriefText(text, at);
    if (!at.CanStep(1)) break;
  }
  return 0;
}
