// The audit of an edit starts from a cursor saved near the edit instead of walking up from the top
// of the staff. Random edits on generated staves run twice in step: on a staff that keeps its
// saved cursors, and on a twin whose saved cursors are thrown away before every edit, so that its
// audit walks up from the top. After each edit the two staves' item records must match byte for
// byte, and every cursor still saved must equal a fresh walk to its place.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "QVKNTN/AuditCheckpoints.h"
#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/ItemRange.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItemFactory.h"
#include "QVKNTN/NtnItemAccess.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/StaffRange.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TimeSignatureData.h"
#include "editor/ScoreEditing.h"
#include "foundation/QXTSegRamStream.h"

namespace {

using Rng = std::mt19937;

int Pick(Rng& rng, int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
bool Chance(Rng& rng, int percent) { return Pick(rng, 0, 99) < percent; }

void ShapeSongNote(TSongNote* note, Rng& rng) {
  NtnSetAttr(note, naTieOut, Chance(rng, 15));
  NtnSetAttr(note, naSlurOut, Chance(rng, 10));
  NtnSetAttr(note, naDotted, Chance(rng, 10));
  NtnSetAttr(note, naGrace, Chance(rng, 4));
  NtnSetAttr(note, naTieDirGiven, Chance(rng, 5));
  if (Chance(rng, 25)) note->SetBeamState(Pick(rng, 0, 3));
  if (Chance(rng, 12)) note->SetTripletState(Pick(rng, 0, 3));
}

// Mostly notes and bar lines, with every kind that carries running state or is rewritten by the
// audit: rests (whole-bar lengths), chords, clefs, keys, time signatures, dynamics and ramps,
// tempos and their variances, endings and codas.
TNotatedItem* MakeItem(Rng& rng) {
  const int roll = Pick(rng, 0, 99);
  if (roll < 42) {
    auto* note = new TMusicNote(Pick(rng, -8, 8), Pick(rng, 1, 5), Pick(rng, 0, 5));
    ShapeSongNote(note, rng);
    return note;
  }
  if (roll < 52) {
    auto* rest = new TRestNote(Chance(rng, 30) ? 0 : Pick(rng, 1, 5));
    ShapeSongNote(rest, rng);
    return rest;
  }
  if (roll < 58) {
    auto* chord = new TChordData;
    for (int k = Pick(rng, 1, 3); k >= 0; --k) {
      auto* head = new TMusicNote(Pick(rng, -8, 8), Pick(rng, 1, 4), Pick(rng, 0, 5));
      NtnSetAttr(head, naTieOut, Chance(rng, 20));
      if (!chord->AddNote(head)) delete head;
    }
    ShapeSongNote(chord, rng);
    return chord;
  }
  if (roll < 60) {
    auto* rest = new TRestChord(Pick(rng, 1, 4));
    ShapeSongNote(rest, rng);
    return rest;
  }
  if (roll < 76) {
    auto* bar = new TBarLineData;
    if (Chance(rng, 15)) bar->SetStyle(Pick(rng, 0, 6));
    return bar;
  }
  switch (Pick(rng, 0, 9)) {
    case 0: {
      auto* clef = new TClefData;
      clef->SetClef(Pick(rng, 0, 3));
      return clef;
    }
    case 1: {
      auto* key = new TKeyData;
      key->SetMasks(static_cast<uint16_t>(Pick(rng, 0, 127)), 0);
      return key;
    }
    case 2: {
      auto* sig = new TTimeSignatureData;
      sig->SetBeats(Pick(rng, 2, 7));
      sig->SetBeatCode(Pick(rng, 1, 3));
      return sig;
    }
    case 3:
    case 4: {
      auto* dynamic = new TDynamicLevelData;
      dynamic->SetDynamic(Pick(rng, 0, 7));
      if (Chance(rng, 20)) dynamic->SetOverride(1, true), dynamic->SetVolume(Pick(rng, 0, 127));
      return dynamic;
    }
    case 5: {
      auto* ramp = new TDynamicVariance;
      ramp->SetStyle(Pick(rng, 0, 3));
      return ramp;
    }
    case 6: {
      auto* tempo = new TTempoData;
      tempo->SetTempo(Pick(rng, 40, 200), 2);
      return tempo;
    }
    case 7: {
      auto* variance = new TTempoVariance;
      variance->SetStyle(Pick(rng, 0, 5));
      return variance;
    }
    case 8: {
      auto* ending = new TSpecialEnding;
      ending->SetMask(Pick(rng, 1, 3));
      return ending;
    }
    default: {
      auto* flow = new TFlowDirection;
      flow->SetStyle(Pick(rng, 0, 9));
      return flow;
    }
  }
}

// What a properties dialog changes in an item.
void MutateItem(TNotatedItem* item, Rng& rng) {
  if (TSongNote* note = NtnAsSongNote(item)) {
    switch (Pick(rng, 0, 5)) {
      case 0: NtnSetAttr(note, naTieOut, !NtnHasAttr(note, naTieOut)); return;
      case 1: NtnSetAttr(note, naSlurOut, !NtnHasAttr(note, naSlurOut)); return;
      case 2: note->SetDuration(Pick(rng, 0, 5)); return;
      case 3: note->SetBeamState(Pick(rng, 0, 3)); return;
      case 4: note->SetTripletState(Pick(rng, 0, 3)); return;
      default: NtnSetAttr(note, naGrace, !NtnHasAttr(note, naGrace)); return;
    }
  }
  switch (item->GetType()) {
    case ntDynamicLevel: static_cast<TDynamicLevelData*>(item)->SetDynamic(Pick(rng, 0, 7)); return;
    case ntDynamicVariance: static_cast<TDynamicVariance*>(item)->SetStyle(Pick(rng, 0, 3)); return;
    case ntTempo: static_cast<TTempoData*>(item)->SetTempo(Pick(rng, 40, 200), 2); return;
    case ntTempoVariance: static_cast<TTempoVariance*>(item)->SetStyle(Pick(rng, 0, 5)); return;
    case ntTimeSignature: static_cast<TTimeSignatureData*>(item)->SetBeats(Pick(rng, 2, 7)); return;
    case ntClef: static_cast<TClefData*>(item)->SetClef(Pick(rng, 0, 3)); return;
    case ntKey: static_cast<TKeyData*>(item)->SetMasks(static_cast<uint16_t>(Pick(rng, 0, 127)), 0); return;
    case ntSpecialEnding: static_cast<TSpecialEnding*>(item)->SetMask(Pick(rng, 1, 3)); return;
    case ntFlowDirection: static_cast<TFlowDirection*>(item)->SetStyle(Pick(rng, 0, 9)); return;
    default: return;
  }
}

std::vector<unsigned char> ItemBytes(const TMusicStaff& staff) {
  TQXTSegRamStream s(4096);
  WriteItemRange(staff, 0, staff.LastIndex(), s);
  std::vector<unsigned char> bytes(s.Size());
  s.Rewind();
  if (!bytes.empty()) s.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
  return bytes;
}

// One staff with its editing state; the reference side throws its saved cursors away before
// every edit.
struct TSide {
  TSide(uint32_t seed, int items, bool reference) : rng(seed), reference(reference) {
    auto* staff = new TMusicStaff;
    while (staff->ItemCount() < items) staff->AppendItem(MakeItem(rng));
    score.AppendStaff(staff);
    AuditStaff(staff, -1, -1);
  }
  TMusicStaff& Staff() { return *score.GetStaff(0); }

  TMusicScore score;
  TUndoActionMgr undo{8, 1000};
  TScoreEditing edit{score, undo, nullptr};
  Rng rng;
  bool reference;
  long long steps = 0;
  long long audits = 0;
};

void Select(TSide& side, int maxCount) {
  const int last = side.Staff().LastIndex();
  const int first = Pick(side.rng, 1, last - 1);
  side.edit.MoveCaretTo(first, false);
  if (maxCount > 0) side.edit.MoveCaretTo(std::min(first + Pick(side.rng, 1, maxCount), last), true);
}

// Item changes in place under a Change Selection record, then the audit of the bars around, as
// the properties dialogs make them.
void ChangeSelectionInPlace(TSide& side) {
  Select(side, 6);
  const int first = side.edit.GetSelectionStart(), last = side.edit.GetSelectionEnd();
  if (!side.edit.RecordUndo(TUndoKind::Internal, static_cast<int>(TUndoInternal::ChangeSelection), last - first + 1))
    return;
  for (int i = first; i <= last; ++i) MutateItem(side.Staff().GetItem(i), side.rng);
  AuditStaffAround(&side.Staff(), first, last);
}

// The range commands of the note tools, each under its own record.
void RangeCommand(TSide& side) {
  Select(side, 8);
  const int op = Pick(side.rng, 0, 4);
  const int value = Pick(side.rng, 0, 15);
  TStaffRange range(&side.Staff(), side.edit.GetSelectionStart(), side.edit.GetSelectionEnd());
  if (!side.edit.RecordUndo(TUndoKind::Internal, static_cast<int>(TUndoInternal::ChangeSelection), range.GetCount()))
    return;
  switch (op) {
    case 0: range.MakeGroup(value & 1); return;
    case 1: range.Ungroup(value & 1); return;
    case 2: range.ToggleAttribute(value % 16); return;
    case 3: range.ChangeDuration(value % 5 - 2); return;
    default: range.SetStem(value % 3); return;
  }
}

void AddChordNote(TSide& side) {
  TMusicStaff& staff = side.Staff();
  const int i = Pick(side.rng, 1, staff.LastIndex() - 1);
  auto* note = new TMusicNote(Pick(side.rng, -8, 8), 2, Pick(side.rng, 0, 5));
  side.edit.MoveCaretTo(i, false);
  side.edit.MoveCaretTo(i + 1, true);
  if (!side.edit.RecordUndo(TUndoKind::Internal, static_cast<int>(TUndoInternal::ChangeSelection), 1) ||
      !staff.MergeIntoChord(note, i)) {
    delete note;
    return;
  }
  AuditStaffAround(&staff, i, i);
}

void EditOnce(TSide& side) {
  TUndoEffects effects;
  const int op = Pick(side.rng, 0, 11);
  switch (op) {
    case 0:
    case 1:
    case 2:
      Select(side, Chance(side.rng, 10) ? 4 : 0);
      side.edit.InsertItemAtCaret(MakeItem(side.rng), 128);
      return;
    case 3: Select(side, Chance(side.rng, 20) ? 6 : 0); side.edit.DeleteAtCaret(); return;
    case 4: Select(side, 0); side.edit.DeleteBeforeCaret(); return;
    case 5: Select(side, 6); side.edit.ShiftSelection(Pick(side.rng, -2, 2)); return;
    case 6: side.edit.Undo(effects); return;
    case 7: side.edit.Redo(effects); return;
    case 8: ChangeSelectionInPlace(side); return;
    case 9: RangeCommand(side); return;
    case 10: AddChordNote(side); return;
    default:
      // Saving, printing and playing audit the changed staves whole.
      if (Chance(side.rng, 30)) AuditStaff(&side.Staff(), -1, -1);
      return;
  }
}

void Edit(TSide& side) {
  if (side.reference) side.Staff().AuditCheckpoints().Clear();
  const long long steps = TSimpleNtnIdx::StepsTaken();
  const long long audits = AuditRangesRun();
  EditOnce(side);
  side.steps += TSimpleNtnIdx::StepsTaken() - steps;
  side.audits += AuditRangesRun() - audits;
}

// Every cursor still saved equals a fresh walk from the top to its place.
void ExpectSavedCursorsHold(TMusicStaff& staff, int step) {
  const TAuditCheckpoints* saved = staff.SavedAuditCursors();
  ASSERT_NE(saved, nullptr);
  TAuditNtnIdx fresh(&staff);
  for (int s = 0; s < saved->Stretches(); ++s) {
    const TAuditNtnIdx* cursor = saved->Saved(s);
    if (!cursor) continue;
    ASSERT_LE(cursor->GetIndex(), staff.LastIndex());
    EXPECT_EQ(NtnType(staff.GetItem(cursor->GetIndex())), ntBarLine) << "edit " << step;
    while (fresh.GetIndex() < cursor->GetIndex()) fresh.Next();
    ASSERT_TRUE(fresh.SameWalkState(*cursor)) << "saved cursor at " << cursor->GetIndex() << " stale after edit " << step;
  }
}

struct TResumeCase {
  uint32_t seed;
  int items;
  int edits;
  bool sparesWalking;
};

constexpr TResumeCase kCases[] = {
    {1, 2600, 300, true},
    {7, 4000, 200, true},
    {42, 1200, 400, false},
};

class AuditResume : public testing::Test {
protected:
  void SetUp() override { InstallAuditPass(); }
};

}  // namespace

TEST_F(AuditResume, EditsLeaveTheSameItemsAsTheAuditFromTheTop) {
  for (const TResumeCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << "seed " << c.seed);
    TSide kept(c.seed, c.items, false), reference(c.seed, c.items, true);
    ASSERT_EQ(ItemBytes(kept.Staff()), ItemBytes(reference.Staff()));
    for (int step = 0; step < c.edits; ++step) {
      Edit(kept);
      Edit(reference);
      ASSERT_EQ(kept.Staff().ItemCount(), reference.Staff().ItemCount()) << "edit " << step;
      ASSERT_EQ(ItemBytes(kept.Staff()), ItemBytes(reference.Staff())) << "edit " << step;
      ExpectSavedCursorsHold(kept.Staff(), step);
      if (HasFailure()) return;
    }
    // The same audits ran; on the long staves the kept cursors spared most of the walking.
    EXPECT_EQ(kept.audits, reference.audits);
    if (c.sparesWalking) {
      EXPECT_LT(kept.steps * 2, reference.steps);
    }
  }
}

// A ramp's length counts the ticks from the variance to the next dynamic; a note inserted between
// them changes the ramp far behind the edit, and the cursors saved past the variance must go.
TEST_F(AuditResume, ARampRewrittenBehindTheEditDropsTheCursorsAfterIt) {
  auto* staff = new TMusicStaff;
  auto* p = new TDynamicLevelData;
  p->SetDynamic(2);
  staff->AppendItem(p);
  auto* crescendo = new TDynamicVariance;
  crescendo->SetStyle(0);
  staff->AppendItem(crescendo);
  for (int bar = 0; bar < 200; ++bar) {
    for (int n = 0; n < 4; ++n) staff->AppendItem(new TMusicNote(n - 2, 2));
    staff->AppendItem(new TBarLineData);
  }
  auto* f = new TDynamicLevelData;
  f->SetDynamic(5);
  staff->AppendItem(f);
  const int fIndex = staff->LastIndex() - 1;
  for (int bar = 0; bar < 20; ++bar) {
    for (int n = 0; n < 4; ++n) staff->AppendItem(new TMusicNote(n - 2, 2));
    staff->AppendItem(new TBarLineData);
  }
  TMusicScore score;
  score.AppendStaff(staff);
  AuditStaff(staff, -1, -1);
  const int before = crescendo->GetLength();
  EXPECT_EQ(before, 200 * 4 * 192);
  // The whole audit filled the ramp after passing it: it saved nothing past the crescendo. The
  // first edit after the f walks up from the top and saves cursors on the way.
  EXPECT_EQ(staff->SavedAuditCursors()->Count(), 0);
  TUndoActionMgr undo(8, 1000);
  TScoreEditing edit(score, undo, nullptr);
  edit.MoveCaretTo(staff->LastIndex() - 3, false);
  ASSERT_TRUE(edit.InsertItemAtCaret(new TMusicNote(1, 2), 128));
  ASSERT_GT(staff->SavedAuditCursors()->Count(), 5);
  ExpectSavedCursorsHold(*staff, 0);

  // A note just before the f lengthens the ramp at index 2.
  edit.MoveCaretTo(fIndex, false);
  ASSERT_TRUE(edit.InsertItemAtCaret(new TMusicNote(0, 2), 128));
  EXPECT_EQ(crescendo->GetLength(), before + 192);
  EXPECT_EQ(staff->SavedAuditCursors()->Count(), 0);

  // The next edit walks up again and saves cursors that agree with a fresh walk.
  edit.MoveCaretTo(staff->LastIndex() - 3, false);
  ASSERT_TRUE(edit.InsertItemAtCaret(new TMusicNote(1, 2), 128));
  EXPECT_GT(staff->SavedAuditCursors()->Count(), 5);
  ExpectSavedCursorsHold(*staff, 1);
}

// Code that rewrites an item through its pointer and then audits the bars around it needs no
// touch of its own: the audit drops every cursor saved past its start before it walks.
TEST_F(AuditResume, AnItemRewrittenInPlaceAndAuditedLeavesNoStaleCursor) {
  TMusicStaff staff;
  for (int bar = 0; bar < 300; ++bar) {
    for (int n = 0; n < 4; ++n) staff.AppendItem(new TMusicNote(n - 2, 2));
    staff.AppendItem(new TBarLineData);
  }
  AuditStaff(&staff, -1, -1);
  ASSERT_GT(staff.SavedAuditCursors()->Count(), 5);
  // The last note of a bar halfway ties into the next bar: the open ties at the bar lines after it
  // change, and so would every cursor saved there.
  const int note = 150 * 5 - 1;
  ASSERT_EQ(NtnType(staff.GetItem(note + 1)), ntBarLine);
  NtnSetAttr(NtnAsSongNote(staff.GetItem(note)), naTieOut, true);
  staff.GetItem(note + 2)->SetPosition(NtnItemPosition(staff.GetItem(note)));
  AuditStaffAround(&staff, note, note);
  EXPECT_TRUE(NtnHasAttr(NtnAsSongNote(staff.GetItem(note + 2)), naTieIn));
  ExpectSavedCursorsHold(staff, 0);
  // A later edit far on resumes from a cursor that still holds and leaves what a whole audit does.
  const std::vector<unsigned char> before = ItemBytes(staff);
  AuditStaffAround(&staff, 1400, 1400);
  EXPECT_EQ(ItemBytes(staff), before);
}
