// Chord building: order, shared properties, split stems, head arrangement, removal, refusals
// that leave the chord as it was, empty chords, and rest chords.
#include <gtest/gtest.h>
#include <memory>
#include <vector>
#include "ItemTestSupport.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/RestChord.h"

namespace {
// Every byte a chord operation may change, for the chord and each head.
std::vector<int> StateOf(TChordData& chord) {
  std::vector<int> s{chord.GetNoteCount(), chord.GetFlags(), chord.GetAttributeWord(), chord.GetDurationByte(),
                     chord.GetGroupByte(), chord.GetPitchByte(), chord.GetArrangementByte()};
  for (int i = 0; i < chord.GetNoteCount(); ++i) {
    TMusicNote* n = chord.GetNote(i);
    for (int v : {n->GetPosition(), int(n->GetAttributeWord()), int(n->GetDurationByte()), int(n->GetGroupByte()),
                  int(n->GetPitchByte())})
      s.push_back(v);
  }
  return s;
}

std::vector<int> Positions(TChordData& chord) {
  std::vector<int> p;
  for (int i = 0; i < chord.GetNoteCount(); ++i) p.push_back(chord.GetNote(i)->GetPosition());
  return p;
}

// Adds a note, deleting it when the chord refuses it; answers whether it went in.
bool Add(TChordData& chord, TMusicNote* note) {
  if (chord.AddNote(note)) return true;
  delete note;
  return false;
}
}  // namespace

TEST(Chord, HeadsSortedFromLowestAndSharedAsOneItem) {
  TChordData chord;
  EXPECT_TRUE(Add(chord, new TMusicNote(0)));
  EXPECT_TRUE(Add(chord, new TMusicNote(4)));
  EXPECT_TRUE(Add(chord, new TMusicNote(2)));
  EXPECT_EQ(Positions(chord), (std::vector<int>{4, 2, 0}));
  EXPECT_EQ(chord.GetLowPosition(), 0);
  EXPECT_EQ(chord.GetHighPosition(), 4);
  EXPECT_EQ(chord.GetPosition(), 2);
  EXPECT_EQ(chord.GetNoteCount(), 3);
  EXPECT_FALSE(chord.HasSplitStems());
  EXPECT_EQ(chord.GetDuration(), 192);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(chord.GetNote(i)->HasAttribute(naChordMember));
  EXPECT_FALSE(chord.HasAttribute(naChordMember));
  EXPECT_EQ(chord.FindNoteAtPosition(2), chord.GetNote(1));
  EXPECT_EQ(chord.FindNoteAtPosition(1), nullptr);
  EXPECT_EQ(chord.GetFirstNote()->GetPosition(), 4);
  EXPECT_EQ(chord.GetLastNote()->GetPosition(), 0);
  EXPECT_FALSE(Add(chord, new TMusicNote(2)));  // a head already stands there
  EXPECT_EQ(chord.GetNoteCount(), 3);
}

TEST(Chord, PositionLeansTowardTheOuterHeadFartherOut) {
  struct Case {
    int a, b, position;
  } cases[] = {{4, 0, 2}, {2, -1, 1}, {1, -4, -2}, {-2, -6, -5}, {3, 3, 3}};
  for (const Case& k : cases) {
    TChordData chord;
    Add(chord, new TMusicNote(k.a));
    Add(chord, new TMusicNote(k.b));
    EXPECT_EQ(chord.GetPosition(), k.position) << k.a << "," << k.b;
  }
}

TEST(Chord, SyncSharesPropertiesAndCollectsTies) {
  TChordData chord;
  auto* first = new TMusicNote(3);
  first->SetAttribute(naAccent);
  Add(chord, first);
  auto* tied = new TMusicNote(0);
  tied->SetAttribute(naTieOut);
  tied->SetAttribute(naStaccato);
  Add(chord, tied);
  chord.SetMuted(true);
  chord.SetVisibility(TNotatedItem::visNever);
  chord.SetAttribute(naTenuto);
  chord.SyncNotes();
  EXPECT_TRUE(chord.HasAttribute(naTieOut));
  EXPECT_TRUE(chord.HasAttribute(naAccent));  // copied from the first head
  for (int i = 0; i < 2; ++i) {
    TMusicNote* n = chord.GetNote(i);
    EXPECT_TRUE(n->IsMuted());
    EXPECT_EQ(n->GetVisibility(), TNotatedItem::visNever);
    EXPECT_TRUE(n->HasAttribute(naTenuto));
    EXPECT_TRUE(n->HasAttribute(naAccent));
    EXPECT_FALSE(n->HasAttribute(naStaccato));
    EXPECT_EQ(n->GetStemCode(), chord.GetNote(0)->GetStemCode());
  }
}

TEST(Chord, SecondsAlternateHeadSides) {
  TChordData chord;
  Add(chord, new TMusicNote(2));
  Add(chord, new TMusicNote(1));
  Add(chord, new TMusicNote(0));
  chord.SetStemDirection(stUp);
  chord.SyncNotes();
  EXPECT_EQ(chord.GetArrangement(), TChordData::arSeconds);
  EXPECT_FALSE(chord.GetNote(0)->IsHeadFlipped());
  EXPECT_TRUE(chord.GetNote(1)->IsHeadFlipped());
  EXPECT_FALSE(chord.GetNote(2)->IsHeadFlipped());

  TChordData down;
  Add(down, new TMusicNote(2));
  Add(down, new TMusicNote(1));
  down.SetStemDirection(stDown);
  down.SyncNotes();
  EXPECT_TRUE(down.GetNote(0)->IsHeadFlipped());  // walked downwards from the highest
  EXPECT_FALSE(down.GetNote(1)->IsHeadFlipped());

  TChordData plain;
  Add(plain, new TMusicNote(2));
  Add(plain, new TMusicNote(0));
  EXPECT_EQ(plain.GetArrangement(), TChordData::arPlain);
}

TEST(Chord, ShorterNoteMakesSplitStemsAndFurtherLengthsAreRefused) {
  TChordData chord;
  Add(chord, new TMusicNote(2, 1));
  Add(chord, new TMusicNote(0, 1));
  EXPECT_TRUE(Add(chord, new TMusicNote(-2, 2)));
  EXPECT_TRUE(chord.HasSplitStems());
  EXPECT_TRUE(chord.HasSplitDurations());
  EXPECT_EQ(chord.GetNote(0)->GetStemCode(), stDown);
  EXPECT_EQ(chord.GetNote(2)->GetStemCode(), stUp);
  EXPECT_EQ(chord.GetStemCode(), stUp);
  EXPECT_EQ(chord.GetDuration(), 192);  // the chord steps on by its stem part

  const std::vector<int> before = StateOf(chord);
  EXPECT_FALSE(Add(chord, new TMusicNote(-4, 3)));
  EXPECT_EQ(StateOf(chord), before);
  // A quarter below the half notes would cross the voices.
  auto* crossing = new TMusicNote(4, 2);
  crossing->SetStemDirection(stUp);
  EXPECT_FALSE(Add(chord, crossing));
  EXPECT_EQ(StateOf(chord), before);
  // A further quarter above joins the up-stem part.
  EXPECT_TRUE(Add(chord, new TMusicNote(-4, 2)));
  EXPECT_EQ(Positions(chord), (std::vector<int>{2, 0, -2, -4}));
  EXPECT_EQ(chord.GetNote(3)->GetStemCode(), stUp);
}

TEST(Chord, RemoveNote) {
  TChordData chord;
  auto* low = new TMusicNote(2, 1);
  Add(chord, low);
  Add(chord, new TMusicNote(0, 1));
  auto* top = new TMusicNote(-2, 2);
  Add(chord, top);
  ASSERT_TRUE(chord.HasSplitStems());

  TMusicNote stranger(5);
  const std::vector<int> before = StateOf(chord);
  EXPECT_FALSE(chord.RemoveNote(&stranger));
  EXPECT_EQ(StateOf(chord), before);

  ASSERT_TRUE(chord.RemoveNote(top));
  std::unique_ptr<TMusicNote> removed(top);
  EXPECT_FALSE(top->HasAttribute(naChordMember));
  EXPECT_FALSE(top->IsHeadFlipped());
  EXPECT_FALSE(chord.HasSplitStems());
  EXPECT_EQ(chord.GetStemSign(), chord.GetNote(0)->GetStemSign());
  EXPECT_EQ(chord.GetNoteCount(), 2);

  ASSERT_TRUE(chord.RemoveNote(low));
  std::unique_ptr<TMusicNote> removedLow(low);
  EXPECT_EQ(chord.GetNoteCount(), 1);
}

TEST(Chord, EmptyChordIsNeverDereferenced) {
  TChordData chord;
  TStaffContext c;
  TRecordingSink sink;
  EXPECT_EQ(chord.GetNoteCount(), 0);
  EXPECT_EQ(chord.GetNote(0), nullptr);
  EXPECT_EQ(chord.GetFirstNote(), nullptr);
  EXPECT_EQ(chord.GetLastNote(), nullptr);
  EXPECT_EQ(chord.FindNoteAtPosition(0), nullptr);
  EXPECT_EQ(chord.GetPosition(), 0);
  EXPECT_EQ(chord.GetLowPosition(), 0);
  EXPECT_EQ(chord.GetHighPosition(), 0);
  EXPECT_FALSE(chord.HasNotes());
  EXPECT_FALSE(chord.HasSplitStems());
  EXPECT_FALSE(chord.HasSplitDurations());
  EXPECT_EQ(chord.GetAccidentalSpace(), 0);
  chord.SyncNotes();
  chord.ResolveAccidental(c, false);
  chord.RespellForKey(c);
  EXPECT_TRUE(chord.TransposeBy(c, 3, -2, false));
  chord.AddMidiEvents(c, sink);
  chord.UpdateContext(c);
  EXPECT_TRUE(sink.events.empty());
  EXPECT_EQ(c.GetTick(), 192);
  TMusicNote stranger;
  EXPECT_FALSE(chord.RemoveNote(&stranger));
}

TEST(Chord, TransposeAndResolve) {
  TChordData chord;
  Add(chord, new TMusicNote(6));  // C
  Add(chord, new TMusicNote(2));  // G
  TStaffContext c;
  EXPECT_TRUE(chord.TransposeBy(c, 2, -1, true));
  EXPECT_EQ(Positions(chord), (std::vector<int>{6, 2}));
  EXPECT_TRUE(chord.TransposeBy(c, 2, -1, false));
  EXPECT_EQ(Positions(chord), (std::vector<int>{5, 1}));  // D and A
  EXPECT_EQ(chord.GetNote(0)->GetPitch(c), 62);
  EXPECT_EQ(chord.GetNote(1)->GetPitch(c), 69);

  // F and F sharp in one chord both keep their accidentals; the plain C loses its natural.
  TChordData fs;
  Add(fs, new TMusicNote(3, 2, acNatural));
  Add(fs, new TMusicNote(-1));
  Add(fs, new TMusicNote(-4, 2, acSharp));
  fs.ResolveAccidental(c, false);
  EXPECT_EQ(fs.GetNote(0)->GetAccidental(), acNatural);
  EXPECT_EQ(fs.GetNote(1)->GetAccidental(), acNone);
  EXPECT_EQ(fs.GetNote(2)->GetAccidental(), acSharp);
  fs.ResolveAccidental(c, true);
  EXPECT_EQ(fs.GetNote(1)->GetAccidental(), acNatural);
}

TEST(Chord, ContextTracksEveryHeadsAccidentalAndTies) {
  TChordData chord;
  auto* f = new TMusicNote(3, 2, acSharp);
  f->SetAttribute(naTieOut);
  Add(chord, f);
  Add(chord, new TMusicNote(-1, 2, acFlat));
  TStaffContext c;
  chord.UpdateContext(c);
  EXPECT_EQ(c.GetRunningAccidental(ltF), acSharp);
  EXPECT_EQ(c.GetRunningAccidental(ltC), acFlat);
  EXPECT_TRUE(c.TieSet(0).Test(3) || c.TieSet(1).Test(3));
  EXPECT_EQ(c.GetTick(), 192);
}

TEST(RestChord, NoteLongerThanTheRestJoinsWithTheOtherStem) {
  TRestChord rest(2);
  auto* shorter = new TMusicNote(0, 3);
  EXPECT_FALSE(rest.AddNote(shorter));
  delete shorter;
  EXPECT_EQ(rest.GetChordPart(), nullptr);

  auto* half = new TMusicNote(-2, 1);
  ASSERT_TRUE(rest.AddNote(half));
  EXPECT_EQ(rest.GetChordPart(), half);
  EXPECT_TRUE(half->HasAttribute(naRestChordStem));
  EXPECT_NE(half->GetStemCode(), rest.GetStemCode());
  EXPECT_EQ(half->GetStemSign(), -rest.GetStemSign());
  EXPECT_EQ(rest.GetNoteCount(), 1);
  EXPECT_TRUE(rest.HasNotes());

  // A note of another length than the part is refused; one of the same length makes a chord.
  auto* quarter = new TMusicNote(-4, 2);
  EXPECT_FALSE(rest.AddNote(quarter));
  delete quarter;
  auto* second = new TMusicNote(-4, 1);
  ASSERT_TRUE(rest.AddNote(second));
  ASSERT_EQ(rest.GetChordPart()->GetType(), ntChord);
  EXPECT_EQ(rest.GetNoteCount(), 2);
  EXPECT_TRUE(rest.GetChordPart()->HasAttribute(naRestChordStem));
  EXPECT_EQ(rest.FindNoteAtPosition(-4), second);

  // Removing leaves the single note as the part again.
  ASSERT_TRUE(rest.RemoveNote(second));
  delete second;
  EXPECT_EQ(rest.GetChordPart(), half);
  ASSERT_TRUE(rest.RemoveNote(half));
  delete half;
  EXPECT_EQ(rest.GetChordPart(), nullptr);
  EXPECT_EQ(rest.GetNoteCount(), 0);
}

TEST(RestChord, RefusedWhenStemsCannotDiffer) {
  TRestChord rest(2);
  rest.SetStemDirection(stUp);
  auto* note = new TMusicNote(0, 1);
  note->SetStemDirection(stUp);
  const uint16_t attributes = note->GetAttributeWord();
  const uint8_t duration = note->GetDurationByte();
  EXPECT_FALSE(rest.AddNote(note));
  EXPECT_EQ(note->GetAttributeWord(), attributes);
  EXPECT_EQ(note->GetDurationByte(), duration);
  EXPECT_EQ(rest.GetStemCode(), stUp);
  delete note;
}

TEST(RestChord, NotePartTransposesWithTheStaff) {
  TRestChord rest(2);
  rest.AddNote(new TMusicNote(6, 1));  // C
  rest.AddNote(new TMusicNote(4, 1));  // E
  TStaffContext c;
  EXPECT_TRUE(rest.TransposeBy(c, 2, -1, true));
  EXPECT_EQ(rest.GetNote(0)->GetPosition(), 6);
  EXPECT_TRUE(rest.TransposeBy(c, 2, -1, false));
  EXPECT_EQ(rest.GetNote(0)->GetPitch(c), 62);
  EXPECT_EQ(rest.GetNote(1)->GetPitch(c), 66);
  EXPECT_EQ(rest.GetAccidentalSpace(), 1);  // the F sharp
  EXPECT_TRUE(TRestChord().TransposeBy(c, 5, -3, false));
}

TEST(RestChord, PlaysItsPartAndStepsOnByTheRest) {
  TRestChord rest(2);
  rest.AddNote(new TMusicNote(0, 1));
  TStaffContext c;
  TRecordingSink sink;
  rest.AddMidiEvents(c, sink);
  rest.UpdateContext(c);
  ASSERT_EQ(sink.events.size(), 2u);
  EXPECT_EQ(sink.events[0].a, 0x90);
  EXPECT_EQ(sink.events[1].tick, 384 - 48);
  EXPECT_EQ(c.GetTick(), 192);
}
