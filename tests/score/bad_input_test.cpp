// Hostile and damaged score data: structure faults fail the load cleanly, stored values that
// index tables are clamped, counts are refused before anything is allocated, and the item range
// checks room and version before inserting.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/ChordData.h"
#include "QVKNTN/ClefData.h"
#include "QVKNTN/ItemRange.h"
#include "QVKNTN/ItemRecords.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/RestChord.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TextExpression.h"
#include "tests/score/ScoreBytes.h"

namespace {

// A current-version file of one staff whose item records are given; count overrides the stored
// item count (records + 2 when negative).
std::vector<unsigned char> OneStaffFile(const std::vector<unsigned char>& records, int count = -1,
                                        int endBar = 0, int channel = 0, int port = 0, int lines = 5, int colour = 0) {
  TScoreBytes b;
  b.Header(16);
  for (int i = 0; i < 5; ++i) b.Str("");
  b.Str("YY_").Str("F2").Int16(0).Int16(1).Str("0.5 0.5 0.5 0.5").Byte(0).Int16(8);
  for (int i = 0; i < 32; ++i) b.Byte(i == 0);
  b.Byte(0).Int16(16);
  for (int i = 0; i < 12; ++i) b.Str("Arial").Byte(0).Int16(8).Byte(0);
  b.Byte(0).Byte(0).Int16(0);
  b.Int16(1);
  b.Str("S").Str("G").Byte(endBar);
  b.Int16(0).Int16(channel).Int16(port);
  b.Int16(0).Int16(0).Int16(0);
  b.Int16(0).Int16(-12).Int16(12).Byte(lines).Int16(0);
  b.Int16(0).Int16(127).Int16(64).Byte(colour);
  b.Int16(0).Int16(0).Int16(0);
  b.Int16(count);
  b.Raw(records);
  return b.bytes;
}

int CountRecords(int n) { return n + 2; }

TScoreBytes NoteRecord(int position) {
  TScoreBytes r;
  r.Int16(ntNote).Byte(0).Int16(2).Int16(0).Int16(0).Int16((position & 0xFF) | (5 << 8));
  return r;
}

TEST(BadScoreInput, StructureFaultsFailTheLoadCleanly) {
  struct Case {
    const char* what;
    std::vector<unsigned char> records;
    int count;
    int itemsKept;
  };
  TScoreBytes chordWithRest;
  chordWithRest.Int16(ntChord).Byte(0).Int16(2).Int16(0).Int16(0).Int16(5 << 8).Int16(2);
  chordWithRest.Raw(NoteRecord(1).bytes).Int16(ntRest).Byte(0).Int16(2).Int16(0).Int16(0).Int16(0);
  TScoreBytes chordNegative;
  chordNegative.Int16(ntChord).Byte(0).Int16(2).Int16(0).Int16(0).Int16(5 << 8).Int16(-1);
  TScoreBytes restChordWithClef;
  restChordWithClef.Int16(ntRestChord).Byte(0).Int16(2).Int16(0).Int16(0).Int16(0).Int16(1);
  restChordWithClef.Int16(ntClef).Byte(0).Int16(0).Int16(0);
  TScoreBytes unknownType;
  unknownType.Raw(NoteRecord(0).bytes).Int16(19).Byte(0);
  TScoreBytes negativeType;
  negativeType.Int16(-1);
  TScoreBytes twoNotes;
  twoNotes.Raw(NoteRecord(0).bytes).Raw(NoteRecord(1).bytes);
  const Case cases[] = {
      {"chord holding a rest", chordWithRest.bytes, CountRecords(1), 0},
      {"chord of negative count", chordNegative.bytes, CountRecords(1), 0},
      {"rest chord holding a clef", restChordWithClef.bytes, CountRecords(1), 0},
      {"unknown type code", unknownType.bytes, CountRecords(2), 1},
      {"negative type code", negativeType.bytes, CountRecords(1), 0},
      {"negative item count", twoNotes.bytes, -5, 0},
      {"item count below the sentinels", twoNotes.bytes, 1, 0},
      {"item count past the staff limit", twoNotes.bytes, TMusicStaff::kMaxItems + 1, 0},
      {"item count past the data", twoNotes.bytes, CountRecords(3), 2},
  };
  for (const Case& c : cases) {
    TScoreLoadInfo info;
    std::unique_ptr<TMusicScore> score = LoadScoreBytes(OneStaffFile(c.records, c.count), info);
    ASSERT_TRUE(score) << c.what;
    EXPECT_EQ(info.status, slStreamFailed) << c.what;
    ASSERT_EQ(score->StaffCount(), 1) << c.what;
    EXPECT_EQ(score->GetStaff(0)->ItemCount(), c.itemsKept + 2) << c.what;
  }
  // The largest count a staff can hold is read.
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> score = LoadScoreBytes(OneStaffFile(twoNotes.bytes, CountRecords(2)), info);
  EXPECT_EQ(info.status, slRead);
}

TEST(BadScoreInput, StoredIndexesAreClampedToTheirDefaults) {
  struct Case {
    int endBar, channel, port, lines, colour;
    int wantEndBar, wantChannel, wantPort, wantLines, wantColour;
  };
  const Case cases[] = {
      {4, 15, 15, 32, 3, 4, 15, 15, 32, 3},
      {5, 16, -1, 33, 4, 0, 0, 0, 5, 0},
      {255, -7, 99, 0, 200, 0, 0, 0, 5, 0},
  };
  for (const Case& c : cases) {
    TScoreLoadInfo info;
    std::unique_ptr<TMusicScore> score = LoadScoreBytes(OneStaffFile({}, 2, c.endBar, c.channel, c.port, c.lines, c.colour), info);
    ASSERT_TRUE(score);
    ASSERT_EQ(info.status, slRead);
    const TMusicStaff& staff = *score->GetStaff(0);
    EXPECT_EQ(staff.GetEndBarStyle(), c.wantEndBar);
    EXPECT_EQ(staff.GetChannel(), c.wantChannel);
    EXPECT_EQ(staff.GetPort(), c.wantPort);
    EXPECT_EQ(staff.GetLineCount(), c.wantLines);
    EXPECT_EQ(staff.GetColor(), c.wantColour);
  }
}

TEST(BadScoreInput, ItemFieldsThatIndexTablesAreClamped) {
  TScoreBytes r;
  r.Int16(ntTextExpression).Byte(0).Byte(-8).Byte(0).Byte(12).Str("x");   // font 12
  r.Int16(ntTempo).Byte(0).Byte(-8).Byte(0).Int16(100).Byte(6).Str("");  // tempo base 6
  r.Int16(ntClef).Byte(0).Int16(4).Int16(3);                              // clef 4, octave shift 3
  r.Int16(ntClef).Byte(0).Int16(-1).Int16(-1);
  r.Int16(ntBarLine).Byte(0).Int16(9 | (1 << 8));                         // bar style 9
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> score = LoadScoreBytes(OneStaffFile(r.bytes, CountRecords(5)), info);
  ASSERT_TRUE(score);
  ASSERT_EQ(info.status, slRead);
  const TMusicStaff& staff = *score->GetStaff(0);
  EXPECT_EQ(static_cast<const TTextExpression*>(staff.GetItem(1))->GetFont(), 0);
  EXPECT_EQ(static_cast<const TTempoData*>(staff.GetItem(2))->GetBase(), TTempoData::tbQuarter);
  for (int i : {3, 4}) {
    EXPECT_EQ(static_cast<const TClefData*>(staff.GetItem(i))->GetClef(), clTreble);
    EXPECT_EQ(static_cast<const TClefData*>(staff.GetItem(i))->GetOctaveShift(), osNone);
  }
  EXPECT_EQ(static_cast<const TBarLineData*>(staff.GetItem(5))->GetStyle(), TBarLineData::blSingle);
}

TEST(BadScoreInput, HostileHeadersAndTruncationsNeverCrash) {
  // Every prefix of a real file loads to a status and a usable score or none.
  TScoreBytes r;
  r.Raw(NoteRecord(0).bytes).Raw(NoteRecord(-2).bytes);
  const std::vector<unsigned char> whole = OneStaffFile(r.bytes, CountRecords(2));
  for (size_t n = 0; n <= whole.size(); ++n) {
    std::vector<unsigned char> prefix(whole.begin(), whole.begin() + static_cast<long>(n));
    TScoreLoadInfo info;
    std::unique_ptr<TMusicScore> score = LoadScoreBytes(prefix, info);
    if (score) {
      EXPECT_GE(score->StaffCount(), 1);
      EXPECT_TRUE(info.status == slNewScore || info.status == slStreamFailed || info.status == slRead) << n;
    } else {
      EXPECT_EQ(info.status, slNotRecognised) << n;
    }
  }
}

TEST(BadScoreInput, ASelectionCutShortIsNotTaken) {
  // Every staff selected, but the file ends ten bytes into the selection.
  TScoreBytes b;
  b.Header(16);
  for (int i = 0; i < 5; ++i) b.Str("");
  b.Str("YY_").Str("F2").Int16(0).Int16(1).Str("0.5 0.5 0.5 0.5").Byte(0).Int16(8);
  for (int i = 0; i < 10; ++i) b.Byte(0xFF);
  TScoreLoadInfo info;
  std::unique_ptr<TMusicScore> score = LoadScoreBytes(b.bytes, info);
  ASSERT_TRUE(score);
  EXPECT_EQ(info.status, slStreamFailed);
  EXPECT_TRUE(score->Selection().GetBit(0));
  EXPECT_EQ(score->Selection().CountBits(true), 1);
}


// A stored chord may list its heads in any order and as many as its count word holds: they read
// sorted lowest first, heads at one position in the order stored, and in time that grows with
// their number, not its square.
struct StoredChord {
  int heads;
  int positions;  // heads cycle upwards through this many positions (1: all at one position)
};

std::unique_ptr<TChordData> ReadStoredChord(const StoredChord& c, double& ms) {
  TScoreBytes r;
  r.Int16(ntChord).Byte(0).Int16(2).Int16(0).Int16(0).Int16(5 << 8).Int16(c.heads);
  for (int i = 0; i < c.heads; ++i)
    r.Int16(ntNote).Byte(0).Int16(2).Int16(0).Int16(0).Int16((((i % c.positions) - 20) & 0xFF) | ((i % 5) << 8));
  TQXTFlatRamStream s = ViewOf(r.bytes);
  TNotatedItem* item = nullptr;
  const auto start = std::chrono::steady_clock::now();
  const int ok = LoadNotatedItem(16, s, item);
  ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(ok, 1);
  return std::unique_ptr<TChordData>(static_cast<TChordData*>(item));
}

TEST(BadScoreInput, ChordHeadsInAnyOrderReadSortedInLinearTime) {
  for (const StoredChord& c : {StoredChord{32000, 1}, StoredChord{32000, 40}, StoredChord{300, 7}}) {
    double ms = 0;
    std::unique_ptr<TChordData> chord = ReadStoredChord(c, ms);
    ASSERT_TRUE(chord);
    ASSERT_EQ(chord->GetNoteCount(), c.heads);
    // Lowest first; at one position the accidentals show the stored order (i mod 5 rising).
    for (int i = 1; i < c.heads; ++i) {
      const TMusicNote* a = chord->GetNote(i - 1);
      const TMusicNote* b = chord->GetNote(i);
      ASSERT_GE(a->GetPosition(), b->GetPosition()) << i;
      if (a->GetPosition() == b->GetPosition()) {
        ASSERT_EQ(b->GetAccidental(), (a->GetAccidental() + c.positions) % 5) << i;
      }
    }
  }
  // Eight times the heads in the worst order costs about eight times as long, not sixty-four.
  auto fastest = [](const StoredChord& c) {
    double best = 1e30;
    for (int round = 0; round < 3; ++round) {
      double ms = 0;
      ReadStoredChord(c, ms);
      best = std::min(best, ms);
    }
    return best;
  };
  const double small = fastest({4000, 40});
  const double large = fastest({32000, 40});
  EXPECT_LT(large, 24 * small + 50) << small << " ms against " << large << " ms";
}

// ---- the item range ----

struct RangeStaff {
  TMusicStaff staff;
  RangeStaff() {
    staff.AppendItem(new TMusicNote(0));
    staff.AppendItem(new TBarLineData);
    staff.AppendItem(new TMusicNote(2));
  }
};

TEST(ItemRange, WritesAndInsertsAfterTheFirstIndex) {
  RangeStaff source;
  TQXTSegRamStream s(1024);
  ASSERT_EQ(WriteItemRange(source.staff, 1, 3, s), 1);
  s.Rewind();
  EXPECT_EQ(s.ReadUInt16(), 16);
  EXPECT_EQ(s.ReadUInt16(), 3);

  static std::vector<std::pair<int, int>> audits;
  audits.clear();
  TScoreAuditHooks hooks;
  hooks.auditItems = [](TMusicStaff*, int a, int b) { audits.push_back({a, b}); };
  const TScoreAuditHooks previous = SetScoreAuditHooks(hooks);
  RangeStaff target;
  s.Rewind();
  int last = -1;
  EXPECT_EQ(ReadItemRange(target.staff, 2, last, s), 1);
  SetScoreAuditHooks(previous);
  EXPECT_EQ(last, 4);
  ASSERT_EQ(target.staff.ItemCount(), 8);
  EXPECT_EQ(target.staff.GetItem(2)->GetType(), ntNote);
  EXPECT_EQ(target.staff.GetItem(3)->GetType(), ntBarLine);
  EXPECT_EQ(target.staff.GetItem(4)->GetPosition(), 2);
  EXPECT_EQ(audits, (std::vector<std::pair<int, int>>{{2, 4}}));
}

TEST(ItemRange, RefusesWhatTheStaffCannotTake) {
  struct Case {
    const char* what;
    int version, count;
    int prefill;  // items put on the staff first
    int first;
  };
  const Case cases[] = {
      {"newer version", 17, 1, 0, 1},
      {"negative count", 16, -1, 0, 1},
      {"count not below the free slots", 16, 11998 - 100, 100, 1},
      {"first index on the leading sentinel", 16, 1, 0, 0},
      {"first index past the trailing sentinel", 16, 1, 0, 3},
  };
  for (const Case& c : cases) {
    TMusicStaff staff;
    for (int i = 0; i < c.prefill; ++i) staff.AppendItem(new TMusicNote(0));
    TScoreBytes b;
    b.Int16(c.version).Int16(c.count);
    for (int i = 0; i < 3; ++i) b.Raw(NoteRecord(i).bytes);
    TQXTFlatRamStream s = ViewOf(b.bytes);
    const int before = staff.ItemCount();
    int last = 77;
    EXPECT_EQ(ReadItemRange(staff, c.first, last, s), 0) << c.what;
    EXPECT_EQ(staff.ItemCount(), before) << c.what;
    EXPECT_EQ(last, 77) << c.what;
  }
  // One below the free slots is taken.
  TMusicStaff staff;
  TScoreBytes b;
  b.Int16(16).Int16(2).Raw(NoteRecord(0).bytes).Raw(NoteRecord(1).bytes);
  TQXTFlatRamStream s = ViewOf(b.bytes);
  int last = 0;
  EXPECT_EQ(ReadItemRange(staff, 1, last, s), 1);
  EXPECT_EQ(last, 2);
}

TEST(ItemRange, ABrokenRecordKeepsWhatCameBefore) {
  TScoreBytes b;
  b.Int16(16).Int16(3).Raw(NoteRecord(0).bytes).Raw(NoteRecord(1).bytes).Int16(99);
  TQXTFlatRamStream s = ViewOf(b.bytes);
  TMusicStaff staff;
  int last = 0;
  EXPECT_EQ(ReadItemRange(staff, 1, last, s), 0);
  EXPECT_EQ(staff.ItemCount(), 4);
  EXPECT_EQ(last, 2);
}

TEST(ItemRange, OldVersionsReadWithTheirOwnLayout) {
  // A version 9 note has no common byte and an extra word after its pitch.
  TScoreBytes b;
  b.Int16(9).Int16(1).Int16(ntNote).Int16(2).Int16(0).Int16(0).Int16((3 & 0xFF) | (1 << 8)).Int16(0);
  TQXTFlatRamStream s = ViewOf(b.bytes);
  TMusicStaff staff;
  int last = 0;
  ASSERT_EQ(ReadItemRange(staff, 1, last, s), 1);
  const auto* note = static_cast<const TMusicNote*>(staff.GetItem(1));
  EXPECT_EQ(note->GetPosition(), 3);
  EXPECT_EQ(note->GetAccidental(), acFlat);
}

}  // namespace
