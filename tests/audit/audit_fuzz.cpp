// Builds a staff from the input bytes (any item kinds, any group, tie, slur and bar states), then
// runs the audit, the cursors and the range operations over it. The sanitizers catch memory and
// arithmetic faults; the checks below catch cursors whose running state drifts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include "QVKNTN/AuditCheckpoints.h"
#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/AuditPass.h"
#include "QVKNTN/FindErrorNtnIdx.h"
#include "QVKNTN/ItemRange.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItemFactory.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/NtnPrecondition.h"
#include "QVKNTN/RelNtnIdx.h"
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/TransposeNtnIdx.h"
#include "foundation/QXTSegRamStream.h"

namespace {

struct Bytes {
  const uint8_t* p;
  size_t n;
  int Next() {
    if (!n) return 0;
    --n;
    return *p++;
  }
};

void Shape(TNotatedItem* item, Bytes& in) {
  const int a = in.Next(), b = in.Next();
  item->SetPosition(static_cast<int8_t>(a));
  switch (item->GetType()) {
    case ntBarLine: static_cast<TBarLineData*>(item)->SetStyleByte(static_cast<uint8_t>(b)); return;
    case ntSpecialEnding: static_cast<TSpecialEnding*>(item)->SetMask(b); return;
    case ntFlowDirection: static_cast<TFlowDirection*>(item)->SetStyle(b % 10); return;
    case ntTimeSignature: static_cast<TTimeSignatureData*>(item)->SetBeats(b % 13); return;
    case ntKey: static_cast<TKeyData*>(item)->SetMasks(static_cast<uint16_t>(b & 0x7F), static_cast<uint16_t>(a & 0x7F)); return;
    default: break;
  }
  if (TSongNote* note = NtnAsSongNote(item)) {
    note->SetAttributeWord(static_cast<uint16_t>(in.Next() << 8 | b));
    note->SetDurationByte(static_cast<uint8_t>(in.Next()));
    note->SetGroupByte(static_cast<uint8_t>(in.Next()));
    if (note->GetDurationCode() > 6) note->SetDuration(note->GetDurationCode() % 7);
    // Rests as files and bar merges leave them: some with an explicit length.
    const int length = in.Next();
    if (TRestNote* rest = item->AsRest(); rest && (length & 0x80)) rest->SetExplicitLength(length & 7, (length >> 3) % 7);
  }
  if (item->GetType() == ntChord) {
    auto* chord = static_cast<TChordData*>(item);
    for (int k = in.Next() % 4; k > 0; --k) {
      auto* head = new TMusicNote(static_cast<int8_t>(in.Next()), in.Next() % 7, in.Next() % 6);
      if (!chord->AddNote(head)) delete head;
    }
  }
}

void CheckCursors(TMusicStaff& staff) {
  const int last = staff.LastIndex();
  TRelNtnIdx rel(&staff, last);
  TNeighborhoodNtnIdx hood(&staff, last);
  for (int i = last; i >= 0; i -= 1 + i / 7) {
    rel.SetIndex(i);
    hood.SetIndex(i);
    TRelNtnIdx freshRel(&staff);
    TNeighborhoodNtnIdx freshHood(&staff);
    while (freshRel.GetIndex() < i) {
      freshRel.Next();
      freshHood.Next();
    }
    if (rel.GetTick() != freshRel.GetTick() || rel.GetBarCount() != freshRel.GetBarCount()) std::abort();
    for (int s = 0; s < TNeighborhoodNtnIdx::kSlotCount; ++s)
      if (hood.GetLast(TNeighborhoodNtnIdx::Slot(s)) != freshHood.GetLast(TNeighborhoodNtnIdx::Slot(s))) std::abort();
    rel.SeekTick(rel.GetTick());
  }
  TFindErrorNtnIdx find(&staff);
  TTransposeNtnIdx transpose(&staff, 5, -1);
  while (find.CanStep(1)) {
    find.HasAccidentalConflict();
    find.HasTieConflict();
    transpose.CanTransposeCurrent();
    find.Next();
    transpose.Next();
  }
}

// Every audit cursor the staff keeps for its next audit equals a fresh walk to its place.
void CheckSavedCursors(TMusicStaff& staff) {
  const TAuditCheckpoints* saved = staff.SavedAuditCursors();
  if (!saved) return;
  TAuditNtnIdx fresh(&staff);
  for (int s = 0; s < saved->Stretches(); ++s) {
    const TAuditNtnIdx* cursor = saved->Saved(s);
    if (!cursor) continue;
    if (cursor->GetIndex() > staff.LastIndex()) std::abort();
    while (fresh.GetIndex() < cursor->GetIndex()) fresh.Next();
    if (!fresh.SameWalkState(*cursor)) std::abort();
  }
}

// The whole-staff audit walks forward once and keeps the item count; a second audit finds nothing
// left to change.
void CheckWholeAudit(TMusicStaff& staff) {
  const long long rewinds = TAuditNtnIdx::Rewinds();
  const int count = staff.ItemCount();
  AuditStaff(&staff, -1, -1);
  if (TAuditNtnIdx::Rewinds() != rewinds || staff.ItemCount() != count) std::abort();
  TQXTSegRamStream once(1024), twice(1024);
  WriteItemRange(staff, 0, staff.LastIndex(), once);
  AuditStaff(&staff, -1, -1);
  WriteItemRange(staff, 0, staff.LastIndex(), twice);
  if (once.Size() != twice.Size()) std::abort();
  once.Rewind();
  twice.Rewind();
  for (uint32_t k = 0; k < once.Size(); ++k) {
    uint8_t a = 0, b = 0;
    once.Read(&a, 1);
    twice.Read(&b, 1);
    if (a != b) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Bytes in{data, size};
  TMusicStaff staff;
  const int first = in.Next();
  const int count = first % 64;
  // Half the inputs follow 32 plain bars, so that the audit keeps cursors saved at bar lines among
  // the shaped items.
  if (first & 0x80) {
    for (int bar = 0; bar < 32; ++bar) {
      for (int n = 0; n < 4; ++n) staff.AppendItem(new TMusicNote(n - 2, 2));
      staff.AppendItem(new TBarLineData);
    }
  }
  for (int i = 0; i < count && in.n; ++i) {
    TNotatedItem* item = NewNotatedItem(in.Next() % 19);
    if (!item) continue;
    Shape(item, in);
    staff.AppendItem(item);
  }
  CheckWholeAudit(staff);
  CheckCursors(staff);
  while (in.n) {
    const long long audits = AuditRangesRun();
    const int op = in.Next() % 10;
    TStaffRange range(&staff, in.Next() % (staff.LastIndex() + 1), in.Next() % (staff.LastIndex() + 1));
    switch (op) {
      case 0: range.MakeGroup(in.Next() & 1); break;
      case 1: range.Ungroup(in.Next() & 1); break;
      case 2: range.ToggleAttribute(in.Next() % 16); break;
      case 3: range.ChangeDuration(in.Next() % 7 - 3); break;
      case 4: range.MergeRests(); break;
      case 5: range.SetStem(in.Next() % 3); break;
      case 6: range.ShiftPositions(in.Next() % 5 - 2); break;
      case 7: range.DeleteItems(); break;
      case 8:
        try {
          // The continuation ties the original on in place; the rebuilds that make one touch the
          // staff from the start, as any change made through an item's pointer must.
          delete NtnMakeContinuation(staff.GetItem(range.GetFirst()));
          staff.TouchItems(range.GetFirst());
        } catch (const TNtnPreconditionFailure&) {
        }
        break;
      default: {
        int high, low, code;
        bool anySet;
        range.GetPositionExtent(high, low);
        range.GetCommonStem(code);
        range.GetCommonDuration(code);
        range.GetStemExtent(1);
        range.GetAttributeState(in.Next() % 16, anySet);
        range.CanGroup(in.Next() & 1);
      }
    }
    // An operation on many items audits once.
    if (AuditRangesRun() - audits > 1) std::abort();
    CheckSavedCursors(staff);
  }
  CheckWholeAudit(staff);
  CheckCursors(staff);
  return 0;
}
