// Items kept small: the fields that share an item's head word (type code, visibility and colour, a
// song note's group bits) never disturb each other, a note stays within its pointer-sized header
// plus eight bytes, and a chord's compact head array keeps its order through inserts, erases,
// growth and a restore, and refuses heads past what its counts hold.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "QVKNTN/ChordData.h"
#include "QVKNTN/ChordHeads.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/NotatedItemFactory.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/RestNote.h"

namespace {

TEST(CompactItems, FlagsNeverChangeTheTypeCode) {
  for (int type = ntClef; type <= ntRestChord; ++type) {
    std::unique_ptr<TNotatedItem> item(NewNotatedItem(type));
    ASSERT_TRUE(item) << type;
    for (int flags = 0; flags < 16; ++flags) {
      item->SetFlags(uint8_t(flags | 0xF0));  // the high bits are not flags and must not leak
      EXPECT_EQ(item->GetType(), type);
      EXPECT_EQ(item->GetFlags(), flags);
      EXPECT_EQ(item->GetVisibility(), flags & 3);
      EXPECT_EQ(item->GetColor(), flags >> 2);
    }
  }
}

// Every song-note kind, every group byte against every flag value, set in either order.
TEST(CompactItems, GroupBitsAndFlagsShareTheHeadWordApart) {
  for (int type : {ntNote, ntRest, ntChord, ntRestChord}) {
    std::unique_ptr<TNotatedItem> item(NewNotatedItem(type));
    auto& note = static_cast<TSongNote&>(*item);
    for (int group = 0; group < 32; ++group) {
      for (int flags = 0; flags < 16; ++flags) {
        note.SetGroupByte(uint8_t(group));
        note.SetFlags(uint8_t(flags));
        EXPECT_EQ(note.GetGroupByte(), group) << type;
        note.SetFlags(uint8_t(15 - flags));
        note.SetGroupByte(uint8_t(31 - group));
        EXPECT_EQ(note.GetFlags(), 15 - flags) << type;
        EXPECT_EQ(note.GetGroupByte(), 31 - group) << type;
        EXPECT_EQ(note.GetType(), type);
      }
    }
  }
}

TEST(CompactItems, GroupSettersLeaveVisibilityAndColourAlone) {
  TMusicNote n(0, 3);
  n.SetVisibility(TNotatedItem::visNever);
  n.SetColor(2);
  n.SetTripletState(3);
  n.SetLyricMode(TSongNote::lyrNever);
  n.SetSlurDown(true);
  EXPECT_EQ(n.GetVisibility(), TNotatedItem::visNever);
  EXPECT_EQ(n.GetColor(), 2);
  n.SetVisibility(TNotatedItem::visDefault);
  n.SetColor(1);
  EXPECT_EQ(n.GetTripletState(), 3);
  EXPECT_EQ(n.GetLyricMode(), TSongNote::lyrNever);
  EXPECT_TRUE(n.IsSlurDown());
  n.SetTripletState(0);
  n.SetSlurDown(false);
  EXPECT_EQ(n.GetLyricMode(), TSongNote::lyrNever);
  EXPECT_EQ(n.GetColor(), 1);
  EXPECT_EQ(n.GetType(), ntNote);

  TMusicNote copy(4, 1);
  copy.CopyProps(n);
  EXPECT_EQ(copy.GetGroupByte(), n.GetGroupByte());
  EXPECT_EQ(copy.GetFlags(), n.GetFlags());
  EXPECT_EQ(copy.GetType(), ntNote);
}

// A large score holds close to a million notes and heads: a field added to them shows here.
TEST(CompactItems, NotesAndChordsStayWithinTheirSize) {
  // The header is the virtual table pointer and the head word; the chord adds its array pointer,
  // two 16-bit counts and the arrangement byte (12 and 24 bytes on i686, 16 and 32 on x86-64).
  EXPECT_LE(sizeof(TMusicNote), sizeof(void*) + 8);
  EXPECT_LE(sizeof(TChordData), sizeof(TMusicNote) + sizeof(void*) + 8);
}

// Distinct addresses standing for heads: the array never looks at what they point to.
std::vector<TMusicNote*> FakeHeads(std::vector<char>& storage, std::size_t n) {
  storage.assign(n, 0);
  std::vector<TMusicNote*> heads;
  for (std::size_t i = 0; i < n; ++i) heads.push_back(reinterpret_cast<TMusicNote*>(&storage[i]));
  return heads;
}

std::vector<TMusicNote*> Contents(TChordHeads& list) { return std::vector<TMusicNote*>(list.begin(), list.end()); }

TEST(ChordHeads, InsertsAndErasesKeepOrderThroughGrowth) {
  std::vector<char> storage;
  const std::vector<TMusicNote*> h = FakeHeads(storage, 40);
  TChordHeads list;
  std::vector<TMusicNote*> expected;
  // Front, back and middle in turn, well past the first room so the array moves several times.
  for (std::size_t i = 0; i < h.size(); ++i) {
    const std::size_t at = i % 3 == 0 ? 0 : (i % 3 == 1 ? expected.size() : expected.size() / 2);
    ASSERT_TRUE(list.insert(list.begin() + at, h[i]));
    expected.insert(expected.begin() + at, h[i]);
    ASSERT_EQ(Contents(list), expected) << "after insert " << i;
  }
  EXPECT_EQ(list.front(), expected.front());
  EXPECT_EQ(list.back(), expected.back());
  EXPECT_EQ(std::vector<TMusicNote*>(list.rbegin(), list.rend()), std::vector<TMusicNote*>(expected.rbegin(), expected.rend()));
  for (std::size_t at : {std::size_t(0), std::size_t(17), std::size_t(36), std::size_t(5)}) {
    list.erase(list.begin() + at);
    expected.erase(expected.begin() + at);
    ASSERT_EQ(Contents(list), expected);
  }
  list.erase(list.end() - 1);
  expected.pop_back();
  EXPECT_EQ(Contents(list), expected);
  EXPECT_EQ(list.size(), expected.size());
}

TEST(ChordHeads, ReserveAndAssignKeepWhatIsThere) {
  std::vector<char> storage;
  const std::vector<TMusicNote*> h = FakeHeads(storage, 9);
  TChordHeads list;
  list.reserve(3);
  for (std::size_t i = 0; i < 3; ++i) ASSERT_TRUE(list.insert(list.end(), h[i]));
  list.reserve(8);  // grows with heads in it
  EXPECT_EQ(Contents(list), std::vector<TMusicNote*>(h.begin(), h.begin() + 3));
  ASSERT_TRUE(list.assign(h.data() + 2, h.data() + 9));
  EXPECT_EQ(Contents(list), std::vector<TMusicNote*>(h.begin() + 2, h.end()));
  ASSERT_TRUE(list.assign(h.data(), h.data() + 1));
  EXPECT_EQ(Contents(list), std::vector<TMusicNote*>(h.begin(), h.begin() + 1));
  ASSERT_TRUE(list.assign(h.data(), h.data()));
  EXPECT_TRUE(list.empty());
  list.set_arrangement(0x21);
  ASSERT_TRUE(list.insert(list.begin(), h[4]));
  EXPECT_EQ(list.arrangement(), 0x21);
}

TEST(ChordHeads, AFullArrayRefusesAndStaysIntact) {
  std::vector<char> storage;
  const std::vector<TMusicNote*> h = FakeHeads(storage, TChordHeads::kMostHeads + 1);
  TChordHeads list;
  for (std::size_t i = 0; i < TChordHeads::kMostHeads; ++i) ASSERT_TRUE(list.insert(list.end(), h[i]));
  EXPECT_TRUE(list.full());
  EXPECT_FALSE(list.insert(list.begin(), h.back()));
  EXPECT_FALSE(list.assign(h.data(), h.data() + h.size()));
  ASSERT_EQ(list.size(), TChordHeads::kMostHeads);
  EXPECT_EQ(list.front(), h.front());
  EXPECT_EQ(list.back(), h[TChordHeads::kMostHeads - 1]);
  list.erase(list.begin());
  EXPECT_FALSE(list.full());
  EXPECT_TRUE(list.insert(list.begin(), h.back()));
  EXPECT_EQ(list.front(), h.back());
}

// A refused head (here the second voice a split chord cannot take) restores the heads' order and
// arrangement from the snapshot through the compact array.
TEST(ChordHeads, ARefusedNoteLeavesHeadsAndArrangementAsTheyWere) {
  TChordData chord;
  for (int p : {0, 1, 4}) ASSERT_TRUE(chord.AddNote(new TMusicNote(p)));
  chord.SetStemDirection(stUp);
  ASSERT_EQ(chord.GetArrangement(), TChordData::arSeconds);
  const int arrangement = chord.GetArrangementByte();
  std::vector<TMusicNote*> before;
  for (int i = 0; i < chord.GetNoteCount(); ++i) before.push_back(chord.GetNote(i));
  // A unison with the chord's own stem cannot start a second voice.
  auto* unison = new TMusicNote(4, 2);
  unison->SetStemDirection(stUp);
  const bool taken = chord.AddNote(unison);
  if (!taken) delete unison;
  ASSERT_FALSE(taken);
  std::vector<TMusicNote*> after;
  for (int i = 0; i < chord.GetNoteCount(); ++i) after.push_back(chord.GetNote(i));
  EXPECT_EQ(after, before);
  EXPECT_EQ(chord.GetArrangementByte(), arrangement);
}

}  // namespace
