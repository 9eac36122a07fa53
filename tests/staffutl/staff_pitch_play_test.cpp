// Accidentals, chord clashes, transposition, truncation and playing a staff into an event list.
#include <gtest/gtest.h>

#include <vector>

#include "QVKNTN/AuditNtnIdx.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/MidiEventSink.h"
#include "QVKNTN/StaffContext.h"
#include "StaffText.h"
#include "midi/MidiFileBuf.h"
#include "midi/MidiListSink.h"

namespace {

TMusicNote* NoteAt(TMusicStaff& staff, int i) { return static_cast<TMusicNote*>(staff.GetItem(i)); }

int PitchAt(TMusicStaff& staff, int i, int head = 0) {
  TAuditNtnIdx at(&staff, i);
  return at.Current()->GetNote(head)->GetPitch(at.Context());
}

TEST(Accidentals, ResolvingWritesAndRemovesTheKeysAccidentals) {
  TMusicStaff staff;
  FillStaff(staff, "K1 q@3 q@2");
  staff.ResolveAccidentals(true);
  EXPECT_EQ(NoteAt(staff, 2)->GetAccidental(), acSharp) << "F in G major";
  EXPECT_EQ(NoteAt(staff, 3)->GetAccidental(), acNatural);
  staff.ResolveAccidentals(false);
  EXPECT_EQ(NoteAt(staff, 2)->GetAccidental(), acNone);
  EXPECT_EQ(NoteAt(staff, 3)->GetAccidental(), acNone);
}

TEST(Accidentals, AuditRespellsForTheKey) {
  TAuditCount audits;
  TMusicStaff staff;
  FillStaff(staff, "K-1 q@1");
  NoteAt(staff, 2)->SetAccidental(acSharp);  // A sharp in F major
  const int pitch = PitchAt(staff, 2);
  staff.AuditAccidentals();
  EXPECT_EQ(NoteAt(staff, 2)->GetPosition(), 0) << "spelled B flat";
  EXPECT_EQ(NoteAt(staff, 2)->GetAccidental(), acNone) << "the key gives the flat";
  EXPECT_EQ(PitchAt(staff, 2), pitch);
}

TChordData* Chord(std::initializer_list<std::pair<int, int>> heads) {
  auto* chord = new TChordData;
  for (const auto& [position, accidental] : heads) {
    auto* head = new TMusicNote(position, 2, accidental);
    EXPECT_TRUE(chord->AddNote(head));
  }
  return chord;
}

TEST(FindChordClash, TableOfChords) {
  const struct {
    const char* name;
    TChordData* chord;
    bool clash;
  } rows[] = {
      {"third", Chord({{2, acNone}, {0, acNone}}), false},
      {"one semitone", Chord({{0, acNone}, {-1, acNone}}), false},
      {"same pitch spelled twice", Chord({{0, acSharp}, {-1, acNone}}), true},
      {"two semitone pairs in a row", Chord({{2, acSharp}, {1, acNone}, {0, acFlat}}), true},
      {"semitone pairs apart", Chord({{3, acNone}, {2, acSharp}, {0, acNone}, {-1, acNone}}), false},
  };
  for (const auto& row : rows) {
    TMusicStaff staff;
    FillStaff(staff, "q");
    staff.AppendItem(row.chord);
    EXPECT_EQ(staff.FindChordClash(1), row.clash ? 2 : 0) << row.name;
  }
  // A tied note in a semitone pair clashes; a search from past it finds nothing.
  TMusicStaff staff;
  TChordData* tied = Chord({{0, acNone}, {-1, acNone}});
  tied->GetNote(1)->SetAttribute(naTieOut);
  staff.AppendItem(tied);
  FillStaff(staff, "q");
  EXPECT_EQ(staff.FindChordClash(0), 1);
  EXPECT_EQ(staff.FindChordClash(2), 0);
}

TEST(Transpose, TableByKey) {
  const struct {
    int key, interval, preference, newKey;
  } rows[] = {
      {0, 2, 0, 2},     // C to D
      {1, 2, 0, 3},     // G to A
      {-2, 2, 0, 0},    // B flat to C
      {-1, 1, 0, -6},   // F to G flat
      {-1, 1, 1, 6},    // F to F sharp when sharps are preferred
      {4, -4, 0, 0},    // E to C
      {2, 5, 0, 1},     // D to G
      {-3, -3, 0, 0},   // E flat to C
      {0, 12, 0, 0},    // an octave
  };
  for (const auto& row : rows) {
    TMusicStaff staff;
    FillStaff(staff, "K" + std::to_string(row.key) + " q@0 q@-1 q@3 q@-4 q@5");
    std::vector<int> before;
    for (int i = 2; i <= 6; ++i) before.push_back(PitchAt(staff, i));
    staff.Transpose(row.interval, row.preference);
    EXPECT_EQ(static_cast<TKeyData*>(staff.GetItem(1))->GetSignedSize(), row.newKey) << row.key << " by " << row.interval;
    for (int i = 2; i <= 6; ++i) {
      EXPECT_EQ(PitchAt(staff, i), before[size_t(i - 2)] + row.interval) << row.key << " by " << row.interval << " item " << i;
      EXPECT_EQ(NoteAt(staff, i)->GetAccidental(), acNone) << row.key << " by " << row.interval << ": notes of the scale need no sign";
    }
  }
}

TEST(Transpose, UntransposableNoteIsFound) {
  TMusicStaff staff;
  FillStaff(staff, "q@0 q@-1 q@3");
  // A B double flat (the pitch of A) moved down to the key of B flat would need a triple flat.
  NoteAt(staff, 3)->SetAccidental(acDoubleFlat);
  EXPECT_EQ(staff.FindUntransposable(-2, 0), 3);
  EXPECT_EQ(staff.FindUntransposable(-2, 3), 0) << "nothing after it";
  EXPECT_EQ(staff.FindUntransposable(2, 0), 0);
}

TEST(TruncateAtTick, TableOfTicks) {
  const struct {
    long tick;
    const char* after;
  } rows[] = {
      {100, "q q q q | q q q q"},
      {191, "q q q q | q q q q"},
      {192, "q"},
      {768, "q q q q"},
      {800, "q q q q | q"},
      {1536, "q q q q | q q q q"},
      {5000, "q q q q | q q q q"},
  };
  TAuditCount audits;
  for (const auto& row : rows)
    EXPECT_EQ(TextAfter("q q q q | q q q q", [&](TMusicStaff& s) { s.TruncateAtTick(row.tick); }), row.after) << row.tick;
}

struct TEvent {
  int32_t tick;
  int port, status, d1, d2;
  bool operator==(const TEvent&) const = default;
};

class TListSink : public TMidiEventSink {
 public:
  explicit TListSink(size_t capacity = 100000) : capacity_(capacity) {}
  void AddShortEvent(int32_t tick, int port, uint8_t status, uint8_t d1, uint8_t d2) override {
    events.push_back({tick, port, status, d1, d2});
  }
  void AddTempoEvent(int32_t tick, int bpm) override { events.push_back({tick, -1, 0x51, bpm, 0}); }
  void AddKeySigEvent(int32_t tick, int size) override { events.push_back({tick, -1, 0x59, size, 0}); }
  void AddHoldEvent(int32_t tick, int count) override { events.push_back({tick, -1, 0x7F, count, 0}); }
  bool IsFull() const override { return events.size() >= capacity_; }
  std::vector<TEvent> events;

 private:
  size_t capacity_;
};

void SetUpStaff(TMusicStaff& staff) {
  staff.SetChannel(2);
  staff.SetPort(1);
  TStaffInstrument instrument;
  instrument.patch = 5;
  staff.SetInstrument(instrument);
  staff.SetVolume(100);
  staff.SetPan(30);
}

TEST(Play, PreambleSetsPatchVolumeAndPan) {
  TMusicStaff staff;
  SetUpStaff(staff);
  TListSink sink;
  TStaffContext context;
  staff.PlayPreamble(sink, context);
  const std::vector<TEvent> expected = {{0, 1, 0xC2, 4, 0}, {0, 1, 0xB2, 7, 100}, {0, 1, 0xB2, 10, 30}};
  EXPECT_EQ(sink.events, expected);
  EXPECT_EQ(context.GetChannel(), 2);

  staff.SetMuted(1);
  staff.SetVolume(-1);
  TListSink muted;
  staff.PlayPreamble(muted, context);
  const std::vector<TEvent> panOnly = {{0, 1, 0xB2, 10, 30}};
  EXPECT_EQ(muted.events, panOnly) << "no patch for a muted staff, no volume below 0";
}

TEST(Play, NotesFollowThePreambleWithTheStaffsTransposition) {
  TAuditCount audits;
  TMusicStaff staff;
  SetUpStaff(staff);
  staff.SetTransposition(-12);
  FillStaff(staff, "q q@-1");
  TListSink sink;
  TStaffContext context;
  staff.Play(sink, context);
  ASSERT_EQ(sink.events.size(), 3u + 4u);
  EXPECT_EQ(sink.events[3].status, 0x92);
  EXPECT_EQ(sink.events[3].d1, 71 - 12) << "B above middle C an octave down";
  EXPECT_EQ(sink.events[5].tick, 192);
  EXPECT_EQ(sink.events[5].d1, 72 - 12);
  EXPECT_EQ(context.GetTick(), 384);
}

TEST(Play, StopsWhenTheListIsFull) {
  TMusicStaff staff;
  SetUpStaff(staff);
  for (int i = 0; i < 100; ++i) FillStaff(staff, "q");
  TListSink sink(21);
  TStaffContext context;
  staff.Play(sink, context);
  EXPECT_EQ(sink.events.size(), 21u) << "the preamble and nine notes fill it; nothing after";
}

TEST(Play, IntoTheEventListUntilItOverflows) {
  TMusicStaff staff;
  SetUpStaff(staff);
  for (int i = 0; i < 10; ++i) FillStaff(staff, "e");
  TMidiFileBuf list(0);
  list.Allocate(1);
  TMidiListSink sink(list);
  TStaffContext context;
  staff.Play(sink, context);
  ASSERT_EQ(list.EventCount(), 3 + 20);
  EXPECT_FALSE(list.IsOverflowed());
  const TMidiEvent first = list.EventAt(0);
  EXPECT_EQ(MidiEventClass(first), kMidiProgram);
  EXPECT_EQ(MidiEventChannel(first), 2);
  EXPECT_EQ(MidiEventPort(first), 1);

  TMusicStaff big;
  for (int i = 0; i < 2000; ++i) FillStaff(big, "e");
  TMidiFileBuf full(0);
  full.Allocate(1);
  TMidiListSink fullSink(full);
  big.Play(fullSink, context);
  EXPECT_TRUE(full.IsOverflowed());
  EXPECT_LT(context.GetTick(), 2000 * 96) << "the walk stopped early";
}

}  // namespace
