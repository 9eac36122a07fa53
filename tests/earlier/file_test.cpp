// The earlier line's score file at format version 9: its header, the records it writes, where
// its readers mend stored values, and the item range of its clipboard and undo records.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/ItemRange.h"
#include "QVKNTN/ItemRecords.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/TextExpression.h"
#include "tests/earlier/SampleScore.h"
#include "tests/score/ScoreBytes.h"

namespace {

static_assert(kScoreFormatVersion == 9, "these tests run against the earlier line's libraries");

std::vector<unsigned char> RecordBytes(const TNotatedItem& item) {
  TQXTSegRamStream s(256);
  WriteNotatedItem(s, item);
  return BytesOf(s);
}

std::unique_ptr<TNotatedItem> ReadRecord(std::vector<unsigned char> bytes, int version = 9) {
  TQXTFlatRamStream s = ViewOf(bytes);
  TNotatedItem* item = nullptr;
  LoadNotatedItem(version, s, item);
  return std::unique_ptr<TNotatedItem>(item);
}

template <class T>
const T& As(const std::unique_ptr<TNotatedItem>& item) {
  return static_cast<const T&>(*item);
}

// A body of one staff holding the given item records, after a version-9 header.
TScoreBytes OneStaffFile(int version, const TScoreBytes& records, int count, int lower = -12, int upper = 12) {
  TScoreBytes b;
  b.Header(version);
  for (int i = 0; i < 6; ++i) b.Str("");
  b.Str("").Int16(0).Int16(1);  // measure numbering
  b.Str("0.5 0.5 0.5 0.5").Byte(0).Int16(5);
  for (int i = 0; i < 32; ++i) b.Byte(i == 0 ? 1 : 0);
  b.Byte(0).Int16(20);
  for (int i = 0; i < 10; ++i) b.Str("Times").Byte(0).Int16(12).Byte(0);
  b.Byte(0).Byte(0).Int16(0);
  b.Int16(1);  // staves
  b.Str("Staff").Str("");
  if (version >= 9) b.Byte(0);  // end-bar style
  b.Int16(0).Int16(0).Int16(0).Int16(0).Int16(0).Int16(0);
  b.Int16(0).Int16(lower).Int16(upper).Int16(0).Int16(0).Int16(127).Int16(64);
  b.Int16(0).Int16(0).Int16(0).Int16(count + 2);
  return b.Raw(records.bytes);
}

TEST(EarlierScoreFile, HeaderCarriesVersionNineAndTheReleaseAndKeepsTheReservedWord) {
  auto score = BuildSampleScore();
  score->SetReservedWord(77);
  const std::vector<unsigned char> bytes = SaveScoreBytes(*score);
  TScoreBytes expected;
  expected.Str("[Vellichord Pelmora]").Int16(0).Str("[Vellichord]").Int16(311).Int16(2).Int16(77).Str("").Str("");
  for (int i = 0; i < 4; ++i) expected.Int16(0);
  expected.Int16(9);
  ASSERT_GE(bytes.size(), expected.bytes.size());
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + expected.bytes.size()), expected.bytes);

  TScoreLoadInfo info;
  auto back = LoadScoreBytes(bytes, info);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(info.status, slRead);
  EXPECT_EQ(info.release, 311);
  EXPECT_EQ(back->GetReservedWord(), 77);
  EXPECT_FALSE(back->IsConverted());
  EXPECT_EQ(DigestScore(*back), DigestScore(*score));
}

TEST(EarlierScoreFile, RefusesWhatItCannotRead) {
  struct Case {
    const char* what;
    TScoreBytes bytes;
    int status;
  } cases[] = {
      {"current line's version", TScoreBytes().Header(16), slTooNew},
      {"version 10", TScoreBytes().Header(10), slTooNew},
      {"old signature", TScoreBytes().Header(9, "[Vellichord Software]"), slNotRecognised},
      {"signature in another case", TScoreBytes().Header(9, "[vellichord pelmora]"), slNotRecognised},
      {"positive second field", TScoreBytes().Header(9, "[Vellichord Pelmora]", "[Vellichord]", 1), slBadHeaderField},
      {"another product", TScoreBytes().Header(9, "[Vellichord Pelmora]", "[Other]"), slWrongProduct},
      {"product without brackets", TScoreBytes().Header(9, "[Vellichord Pelmora]", "Vellichord"), slNotRecognised},
      {"cut inside the header", TScoreBytes().Str("[Vellichord Pelmora]").Int16(0).Str("[Vell"), slNotRecognised},
  };
  for (auto& c : cases) {
    TScoreLoadInfo info;
    EXPECT_EQ(LoadScoreBytes(c.bytes.bytes, info), nullptr) << c.what;
    EXPECT_EQ(info.status, c.status) << c.what;
  }
}

TEST(EarlierScoreFile, EmptyFileIsANewScoreAndOlderVersionsAreConverted) {
  for (int size : {0, 1}) {
    TScoreLoadInfo info;
    auto score = LoadScoreBytes(std::vector<unsigned char>(static_cast<size_t>(size), 'x'), info);
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(info.status, slNewScore);
    EXPECT_EQ(info.release, 311);
    EXPECT_EQ(score->StaffCount(), 1);
  }
  TScoreLoadInfo info;
  auto old = LoadScoreBytes(OneStaffFile(8, TScoreBytes(), 0).Raw(TScoreBytes().Int16(ntBarLine).Int16(0).Int16(ntBarLine).Int16(0).bytes).bytes, info);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(info.status, slConverted);
  EXPECT_TRUE(old->IsConverted());
}

TEST(EarlierScoreFile, TruncatedBodyGivesStreamFailedWithWhatWasRead) {
  auto score = BuildSampleScore();
  const std::vector<unsigned char> bytes = SaveScoreBytes(*score);
  for (size_t cut : {bytes.size() - 1, bytes.size() / 2, size_t{120}}) {
    TScoreLoadInfo info;
    auto back = LoadScoreBytes(std::vector<unsigned char>(bytes.begin(), bytes.begin() + static_cast<long>(cut)), info);
    ASSERT_NE(back, nullptr) << cut;
    EXPECT_EQ(info.status, slStreamFailed) << cut;
    EXPECT_GE(back->StaffCount(), 1) << cut;
  }
}

TEST(EarlierRecords, TempoIsWrittenWithItsNameIndexAndShownBits) {
  TTempoData tempo(120, TTempoData::tbQuarter);
  tempo.SetPosition(-9);
  tempo.SetNameIndex(8);
  tempo.SetShown(true, true);
  tempo.SetWide(false);
  EXPECT_EQ(RecordBytes(tempo), TScoreBytes().Int16(ntTempo).Int16(-9).Int16(120).Int16(2).Int16(0x38).bytes);
  auto back = ReadRecord(RecordBytes(tempo));
  EXPECT_EQ(As<TTempoData>(back).GetShownBits(), 0x38);
  EXPECT_EQ(As<TTempoData>(back).GetText(), "Allegro");
}

TEST(EarlierRecords, PayloadsHaveNoCommonByteAndPackThePosition) {
  TDynamicLevelData dynamic(TDynamicLevelData::dynF);
  dynamic.SetPosition(9);
  dynamic.SetOverride(0, true);
  dynamic.SetVelocity(100);
  dynamic.SetVisibility(TNotatedItem::visNever);
  dynamic.SetWide(true);
  TTextExpression text;
  text.SetPosition(-10);
  text.SetFont(3);
  text.SetWide(true);
  text.SetText("cresc.");
  TSustainPedal pedal(1);
  pedal.SetPosition(8);
  TMusicNote note(-3, 3, acFlat);
  note.SetAttribute(naStaccato);
  note.SetAttribute(naTieDirGiven);  // a later-line attribute: never written
  note.SetTieDown(true);
  note.SetHeadFlipped(true);
  TRestNote rest(2);
  rest.SetVerticalOffset(3);
  const int packedDynamic = (9 << 8) | 5 | 0x10 | 0x20 | 0x80;
  struct Case {
    const char* what;
    const TNotatedItem& item;
    TScoreBytes bytes;
  } cases[] = {
      {"dynamic", dynamic, TScoreBytes().Int16(ntDynamicLevel).Int16(packedDynamic).Int16(100).Int16(dynamic.GetVolume())},
      {"text", text, TScoreBytes().Int16(ntTextExpression).Int16((0xF6 << 8) | 3 | 0x10).Str("cresc.")},
      {"pedal", pedal, TScoreBytes().Int16(ntSustainPedal).Int16(8).Int16(1)},
      {"note", note, TScoreBytes().Int16(ntNote).Int16(3).Int16(0).Int16(1 << 1).Int16(0xFD | (acFlat << 8) | (1 << 11) | (1 << 12)).Int16(0)},
      {"rest", rest, TScoreBytes().Int16(ntRest).Int16(2).Int16(0).Int16(0).Int16(rest.GetOffsetWord())},
  };
  for (auto& c : cases) EXPECT_EQ(RecordBytes(c.item), c.bytes.bytes) << c.what;
  // The head-offset bit is derived: it does not come back.
  auto back = ReadRecord(RecordBytes(note));
  EXPECT_FALSE(As<TMusicNote>(back).IsHeadFlipped());
  EXPECT_TRUE(As<TMusicNote>(back).IsTieDown());
}

TEST(EarlierRecords, ReadersMendStoredValues) {
  struct Case {
    const char* what;
    int version;
    TScoreBytes bytes;
    std::function<void(const TNotatedItem&)> check;
  } cases[] = {
      {"old dynamic inside the staff", 3, TScoreBytes().Int16(ntDynamicLevel).Int16(3).Int16(4),
       [](const TNotatedItem& i) {
         const auto& d = static_cast<const TDynamicLevelData&>(i);
         EXPECT_EQ(d.GetPosition(), 7);
         EXPECT_TRUE(d.IsWide());
         EXPECT_EQ(d.GetVelocity(), 255);
         EXPECT_EQ(d.GetVolume(), 255);
         EXPECT_FALSE(d.GetOverride(0));
       }},
      {"old dynamic far above, bad dynamic", 3, TScoreBytes().Int16(ntDynamicLevel).Int16(-26).Int16(9),
       [](const TNotatedItem& i) {
         EXPECT_EQ(i.GetPosition(), -7);
         EXPECT_EQ(static_cast<const TDynamicLevelData&>(i).GetDynamic(), 0);
       }},
      {"old dynamic kept", 3, TScoreBytes().Int16(ntDynamicLevel).Int16(-9).Int16(2),
       [](const TNotatedItem& i) { EXPECT_EQ(i.GetPosition(), -9); }},
      {"pedal state 5", 9, TScoreBytes().Int16(ntSustainPedal).Int16(-3).Int16(5),
       [](const TNotatedItem& i) {
         EXPECT_EQ(static_cast<const TSustainPedal&>(i).GetState(), 1);
         EXPECT_EQ(i.GetPosition(), -7);
       }},
      {"tempo far off, too slow", 9, TScoreBytes().Int16(ntTempo).Int16(31).Int16(3).Int16(2).Int16(0x10),
       [](const TNotatedItem& i) {
         EXPECT_EQ(i.GetPosition(), -7);
         EXPECT_EQ(static_cast<const TTempoData&>(i).GetQuarterTempo(), 5);
       }},
      {"version-3 tempo", 3, TScoreBytes().Int16(ntTempo).Int16(-8).Int16(100).Int16(4),
       [](const TNotatedItem& i) {
         const auto& t = static_cast<const TTempoData&>(i);
         EXPECT_EQ(t.GetBase(), 4);
         EXPECT_EQ(t.GetShownBits(), TTempoData::kShowValue);
         EXPECT_TRUE(t.IsWide());
       }},
      {"version-2 tempo base", 2, TScoreBytes().Int16(ntTempo).Int16(-8).Int16(100),
       [](const TNotatedItem& i) { EXPECT_EQ(static_cast<const TTempoData&>(i).GetBase(), TTempoData::tbQuarter); }},
      {"controller kind beyond five", 9,
       TScoreBytes().Int16(ntGenericControl).Int16(9).Int16(3).Int16(8).Int16(1).Raw(std::vector<unsigned char>(24, 0)),
       [](const TNotatedItem& i) {
         const auto& c = static_cast<const TGenericControl&>(i);
         EXPECT_EQ(c.GetController(), 0);
         EXPECT_EQ(c.GetSweepMode(), 0);
         EXPECT_EQ(c.GetTimeResolution(), 0);
       }},
      {"flow style 12", 9, TScoreBytes().Int16(ntFlowDirection).Int16(12),
       [](const TNotatedItem& i) { EXPECT_EQ(static_cast<const TFlowDirection&>(i).GetStyle(), 0); }},
      {"tempo variance with bit 6", 9, TScoreBytes().Int16(ntTempoVariance).Int16(0x80 | 0x41).Int16(0),
       [](const TNotatedItem& i) {
         EXPECT_EQ(static_cast<const TTempoVariance&>(i).GetStyle(), 0);
         EXPECT_TRUE(static_cast<const TTempoVariance&>(i).IsWide());
       }},
      {"performance style 23", 9, TScoreBytes().Int16(ntPerformanceStyle).Int16(23),
       [](const TNotatedItem& i) { EXPECT_EQ(static_cast<const TPerformanceStyle&>(i).GetStyle(), 0); }},
      {"long text", 9, TScoreBytes().Int16(ntTextExpression).Int16(0x10).Str(std::string(40, 'x')),
       [](const TNotatedItem& i) { EXPECT_EQ(static_cast<const TTextExpression&>(i).GetText(), std::string(31, 'x')); }},
      {"empty text stays empty", 9, TScoreBytes().Int16(ntTextExpression).Int16(0x10).Str(""),
       [](const TNotatedItem& i) { EXPECT_EQ(static_cast<const TTextExpression&>(i).GetText(), ""); }},
  };
  for (auto& c : cases) {
    auto item = ReadRecord(c.bytes.bytes, c.version);
    ASSERT_NE(item, nullptr) << c.what;
    SCOPED_TRACE(c.what);
    c.check(*item);
  }
}

TEST(EarlierRecords, TextKeepsThirtyOneCharacters) {
  TTextExpression text;
  text.SetText(std::string(40, 'a'));
  EXPECT_EQ(text.GetText().size(), 31u);
  auto back = ReadRecord(RecordBytes(text));
  EXPECT_EQ(As<TTextExpression>(back).GetText(), std::string(31, 'a'));
}

TEST(EarlierStaffRecord, NoLinesOrColourAndSizesAreMended) {
  struct Case {
    int lower, upper, wantLower, wantUpper;
  } cases[] = {{-2, 2, -10, 10}, {-3, 3, -10, 10}, {-4, 4, -4, 4}, {-200, 200, -150, 150}, {-150, 150, -150, 150}};
  for (const Case& c : cases) {
    TScoreLoadInfo info;
    auto score = LoadScoreBytes(OneStaffFile(9, TScoreBytes(), 0, c.lower, c.upper).bytes, info);
    ASSERT_NE(score, nullptr);
    EXPECT_EQ(info.status, slRead);
    EXPECT_EQ(score->GetStaff(0)->GetUpperSize(), c.wantLower) << c.lower;
    EXPECT_EQ(score->GetStaff(0)->GetLowerSize(), c.wantUpper) << c.upper;
  }
  TMusicStaff staff;
  staff.SetVerticalSize(-20, 30);
  TQXTSegRamStream s(256);
  staff.WriteInfo(s);
  // name, group, end-bar byte, 12 int16 fields: no lines byte, no colour byte.
  EXPECT_EQ(BytesOf(s).size(), std::strlen(staff.GetName()) + 1 + std::strlen(staff.GetGroupName()) + 1 + 1 + 13 * 2);
}

TEST(EarlierLyrics, KeepsEightLinesAndReadsPastTheRest) {
  auto line = [](TScoreBytes& b, const char* text) {
    const int n = static_cast<int>(std::strlen(text)) + 1;
    b.Int16(n).Int16(n - 1);
    for (int i = 0; i < n; ++i) b.Byte(text[i]);
  };
  TScoreBytes lyrics;
  lyrics.Int16(11).Int16(0).Int16(0);
  for (int i = 0; i < 11; ++i) line(lyrics, "la");
  // The staff record with lyrics and one note after them: the note must still be read.
  TScoreBytes b = OneStaffFile(9, TScoreBytes(), 0);
  // Rebuild the staff's tail by hand: lyrics present, lyrics, two zero words, count, the note.
  b.bytes.resize(b.bytes.size() - 8);
  b.Int16(1).Raw(lyrics.bytes).Int16(0).Int16(0).Int16(3);
  b.Int16(ntNote).Int16(2).Int16(0).Int16(0).Int16(acNone << 8).Int16(0);
  TScoreLoadInfo info;
  auto score = LoadScoreBytes(b.bytes, info);
  ASSERT_NE(score, nullptr);
  EXPECT_EQ(info.status, slRead);
  const TMusicStaff& staff = *score->GetStaff(0);
  ASSERT_NE(staff.GetLyrics(), nullptr);
  EXPECT_EQ(staff.GetLyrics()->GetLineCount(), 8);
  ASSERT_EQ(staff.ItemCount(), 3);
  EXPECT_EQ(staff.GetItem(1)->GetType(), ntNote);
}

TEST(EarlierItemRange, WritesVersionNineAndRefusesNewerRanges) {
  auto score = BuildSampleScore();
  const TMusicStaff& source = *score->GetStaff(0);
  TQXTSegRamStream range(1024);
  ASSERT_EQ(WriteItemRange(source, 6, 11, range), 1);
  std::vector<unsigned char> bytes = BytesOf(range);
  EXPECT_EQ(bytes[0] | bytes[1] << 8, 9);
  EXPECT_EQ(bytes[2] | bytes[3] << 8, 6);

  TMusicStaff target;
  int last = 0;
  TQXTFlatRamStream in = ViewOf(bytes);
  ASSERT_EQ(ReadItemRange(target, 1, last, in), 1);
  EXPECT_EQ(last, 6);
  EXPECT_EQ(DigestItems(target, 1, 6), DigestItems(source, 6, 11));

  for (int version : {10, 16}) {
    std::vector<unsigned char> newer = bytes;
    newer[0] = static_cast<unsigned char>(version);
    TMusicStaff other;
    TQXTFlatRamStream s = ViewOf(newer);
    EXPECT_EQ(ReadItemRange(other, 1, last, s), 0) << version;
    EXPECT_EQ(other.ItemCount(), 2) << version;
  }
}

TEST(EarlierScoreFile, ExperimentalFlagFollowsTheStaves) {
  auto score = BuildSampleScore();
  // The sample's rest stands off its place.
  EXPECT_TRUE(score->NeedsExperimentalFeatures());
  TScoreLoadInfo info;
  auto back = LoadScoreBytes(SaveScoreBytes(*score), info);
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(back->IsExperimental());
  EXPECT_TRUE(score->IsExperimental());

  TMusicScore plain;
  auto* staff = new TMusicStaff;
  auto* rest = new TRestNote(2);
  rest->SetVerticalOffset(2);
  staff->AppendItem(rest);
  plain.AppendStaff(staff);
  plain.SetAllowLayering(false);
  EXPECT_TRUE(plain.NeedsExperimentalFeatures());
  rest->SetVerticalOffset(0);
  EXPECT_FALSE(plain.NeedsExperimentalFeatures());
  plain.SetAllowLayering(true);
  EXPECT_TRUE(plain.NeedsExperimentalFeatures());
  plain.SetAllowLayering(false);
  staff->SetLayerWithNext(1);
  EXPECT_TRUE(plain.NeedsExperimentalFeatures());
  staff->SetLayerWithNext(0);
  auto* note = new TMusicNote(0, 2, acNone);
  note->SetExtraNoteSpace(1);
  staff->AppendItem(note);
  EXPECT_TRUE(plain.NeedsExperimentalFeatures());
}

TEST(EarlierStaff, VerticalSizeHasALowerBoundOnly) {
  struct Case {
    int lower, upper, wantLower, wantUpper;
  } cases[] = {{-3, 3, -7, 7}, {-6, 6, -7, 7}, {-7, 7, -7, 7}, {-200, 200, -200, 200}};
  for (const Case& c : cases) {
    TMusicStaff staff;
    staff.SetVerticalSize(c.lower, c.upper);
    EXPECT_EQ(staff.GetUpperSize(), c.wantLower) << c.lower;
    EXPECT_EQ(staff.GetLowerSize(), c.wantUpper) << c.upper;
  }
}

}  // namespace
