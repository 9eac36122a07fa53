// The staff tools without their dialogs: the staff list rows, the staff properties checks and
// instrument record, the patch lists read through the profile functions' key-list form, Find's
// expression matching and search, Goto's bar numbers, and the staff edits behind Mute List, Move
// Staff, Staff Properties, the audits and Transpose with their undo steps.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "editor/FindRules.h"
#include "editor/LyricsRules.h"
#include "editor/PatchLists.h"
#include "editor/ScoreEditing.h"
#include "editor/StaffCommands.h"
#include "editor/StaffListRows.h"
#include "editor/StaffPropRules.h"
#include "foundation/QXTSegRamStream.h"
#include "tests/editor/EditTestSupport.h"
#include "tests/staffutl/StaffText.h"

namespace {

// A score of named staves, each from its text.
struct TScoreFixture {
  TMusicScore score;
  TUndoActionMgr undo{16, 1000};
  TModifiedCount modified;
  TScoreEditing edit{score, undo, &modified};

  // One staff: a single braced pair would also read as a copy of a fixture.
  TScoreFixture(const char* name, const char* text) : TScoreFixture(std::vector<std::pair<const char*, const char*>>{{name, text}}) {}
  explicit TScoreFixture(const std::vector<std::pair<const char*, const char*>>& staves) {
    InstallAuditPass();
    for (const auto& [name, text] : staves) {
      auto* staff = new TMusicStaff;
      staff->SetName(name);
      FillStaff(*staff, text);
      RunStaffAudit(staff, -1, -1);
      score.AppendStaff(staff);
    }
  }
  std::string Names() const {
    std::string out;
    for (int i = 0; i < score.StaffCount(); ++i) out += std::string(i ? "," : "") + score.GetStaff(i)->GetName();
    return out;
  }
  // The edit changes the score; Undo restores its bytes, Redo gives the edited bytes again.
  void ExpectUndoRoundTrip(const std::function<bool()>& op, const char* what) {
    SCOPED_TRACE(what);
    const auto before = ScoreBytes(score);
    const int undoBefore = undo.UndoCount();
    ASSERT_TRUE(op());
    EXPECT_EQ(undo.UndoCount(), undoBefore + 1);
    const auto after = ScoreBytes(score);
    ASSERT_NE(before, after) << "the edit changed nothing";
    TUndoEffects effects;
    ASSERT_EQ(edit.Undo(effects), TUndoOutcome::Applied);
    EXPECT_EQ(ScoreBytes(score), before);
    ASSERT_EQ(edit.Redo(effects), TUndoOutcome::Applied);
    EXPECT_EQ(ScoreBytes(score), after);
  }
};

}  // namespace

TEST(StaffListRows, RowsShowMidiColumnsFromOneWithSignedTransposition) {
  struct Case {
    const char* group;
    bool muted;
    int port, channel, patch, transposition;
    const char* nameRow;
    const char* columnRow;
  };
  const Case cases[] = {
      {"Winds", false, 0, 0, 0, 0, "Winds:Flute\tN\t01\t01\t---\t+0", "Flute\tWinds\tN\t01\t01\t---\t+0"},
      {"", true, 3, 15, 74, -3, ":Flute\tY\t04\t16\t074\t-3", "Flute\t\tY\t04\t16\t074\t-3"},
      {"Str", false, 15, 9, 128, 24, "Str:Flute\tN\t16\t10\t128\t+24", "Flute\tStr\tN\t16\t10\t128\t+24"},
  };
  for (const Case& c : cases) {
    TMusicStaff staff;
    staff.SetName("Flute");
    staff.SetGroupName(c.group);
    staff.SetMuted(c.muted);
    staff.SetPort(c.port);
    staff.SetChannel(c.channel);
    TStaffInstrument instrument;
    instrument.patch = c.patch;
    staff.SetInstrument(instrument);
    staff.SetTransposition(c.transposition);
    EXPECT_EQ(StaffNameRowText(staff, true), c.nameRow);
    EXPECT_EQ(StaffColumnRowText(staff), c.columnRow);
    EXPECT_EQ(StaffNameRowText(staff, false), "Flute");
  }
}

TEST(StaffListRows, HostileNumbersStayInsideTheRow) {
  TMusicStaff staff;
  staff.SetName("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");  // cut to the staff's name length
  staff.SetGroupName("GROUPGROUPGROUP");
  staff.SetPort(-2147483647 - 1);
  staff.SetChannel(2147483647);
  staff.SetTransposition(-2147483647 - 1);
  const std::string row = StaffColumnRowText(staff);
  EXPECT_NE(row.find("-2147483648"), std::string::npos) << row;
  EXPECT_EQ(StaffTranspositionText(staff), "-2147483648");
}

TEST(StaffPropRules, NamesAreTrimmedAndMustBeUnique) {
  TScoreFixture f({{"Soprano", ""}, {"Alto", ""}, {"Tenor", ""}});
  struct Case {
    const char* typed;
    int own;
    const char* stored;
    TStaffNameCheck check;
  };
  const Case cases[] = {
      {"  Alto \t\r\n", 1, "Alto", TStaffNameCheck::Ok},       // its own name
      {"Alto", 0, "Alto", TStaffNameCheck::InUse},              // another staff's
      {"\tTenor ", 2, "Tenor", TStaffNameCheck::Ok},
      {"alto", 0, "alto", TStaffNameCheck::Ok},                 // names differ by case
      {" \t\r\n ", 0, "", TStaffNameCheck::Empty},
      {"", 0, "", TStaffNameCheck::Empty},
      {"Bass  Voice", 0, "Bass  Voice", TStaffNameCheck::Ok},  // inner blanks stay
      {"123456789012345678901234567890", 0, "123456789012345678901234", TStaffNameCheck::Ok},
  };
  for (const Case& c : cases) {
    const std::string stored = TrimStaffName(c.typed);
    EXPECT_EQ(stored, c.stored) << c.typed;
    EXPECT_EQ(CheckStaffName(f.score, c.own, stored), c.check) << c.typed;
  }
  EXPECT_EQ(TrimStaffName(nullptr), "");
}

TEST(StaffPropRules, VisualChecksGrandStaffLinesAndSizes) {
  struct Case {
    int style, lines, upper, lower;
    TStaffVisualCheck check;
  };
  const Case cases[] = {
      {TMusicStaff::kStyleUpperGrand, 6, 8, 8, TStaffVisualCheck::GrandNeedsFiveLines},
      {TMusicStaff::kStyleLowerGrand, 4, 8, 8, TStaffVisualCheck::GrandNeedsFiveLines},
      {TMusicStaff::kStyleUpperGrand, 5, 8, 8, TStaffVisualCheck::Ok},
      {TMusicStaff::kStyleStandard, 6, 8, 8, TStaffVisualCheck::Ok},
      {TMusicStaff::kStyleStandard, 5, 3, 8, TStaffVisualCheck::SizeBelowLines},
      {TMusicStaff::kStyleOrchestral, 5, 8, 4, TStaffVisualCheck::SizeBelowLines},
      {TMusicStaff::kStyleStandard, 5, 5, 5, TStaffVisualCheck::Ok},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckStaffVisual(c.style, c.lines, c.upper, c.lower), c.check)
        << c.style << " " << c.lines << " " << c.upper << " " << c.lower;
}

TEST(StaffPropRules, VisualValuesShowUpperAsAMagnitudeAndStoreBack) {
  TMusicStaff staff;
  TStaffVisualValues v;
  v.style = TMusicStaff::kStyleOrchestral;
  v.lines = 3;
  v.upper = 12;
  v.lower = 20;
  v.layer = 1;
  v.color = 2;
  StoreStaffVisual(staff, v);
  EXPECT_EQ(staff.GetUpperSize(), -12);
  EXPECT_EQ(staff.GetLowerSize(), 20);
  const TStaffVisualValues back = StaffVisualOf(staff);
  EXPECT_EQ(back.style, v.style);
  EXPECT_EQ(back.lines, 3);
  EXPECT_EQ(back.upper, 12);
  EXPECT_EQ(back.lower, 20);
  EXPECT_EQ(back.layer, 1);
  EXPECT_EQ(back.color, 2);
}

TEST(StaffPropRules, InstrumentRecordJoinsTheBankControllers) {
  struct Case {
    bool select;
    int c0, c32, patch;
    int bank, storedPatch;
  };
  const Case cases[] = {
      {true, 1, 5, 10, 133, 10},
      {false, 1, 5, 10, 0, 10},     // no bank without bank select
      {true, 127, 127, 128, 16383, 128},
      {true, 300, -4, 999, 127 * 128, 128},  // typed past the MIDI ranges
      {true, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const TInstrumentRecord r = TInstrumentRecord::FromControls(c.select, c.c0, c.c32, c.patch);
    EXPECT_EQ(r.bank, c.bank);
    EXPECT_EQ(r.patch, c.storedPatch);
    const TStaffInstrument i = InstrumentOf(r);
    EXPECT_EQ(i.bankSelect != 0, c.select);
    EXPECT_EQ(i.bank, c.bank);
    const TInstrumentRecord back = InstrumentRecordOf(i);
    EXPECT_EQ(back.Controller0() * 128 + back.Controller32(), c.bank);
  }
}

namespace {

// The profile functions' key lists: names and '\0's, a second '\0' at the end; when they do not
// fit, size - 2 characters and two '\0's.
class TFakeProfile : public TPatchListSource {
public:
  std::map<std::string, std::string> sections;  // raw key text: names separated by '\0'
  std::vector<std::string> reads;
  void Set(const char* section, const std::vector<std::string>& keys) {
    std::string raw;
    for (const std::string& k : keys) raw += k + '\0';
    sections[section] = raw;
  }
  int ReadKeys(const char* section, char* buffer, int size) override {
    reads.push_back(section);
    const std::string& raw = sections[section];
    if (static_cast<int>(raw.size()) + 1 > size) {
      std::memcpy(buffer, raw.data(), static_cast<std::size_t>(size - 2));
      buffer[size - 2] = buffer[size - 1] = '\0';
      return size - 2;
    }
    std::memcpy(buffer, raw.data(), raw.size());
    buffer[raw.size()] = '\0';
    return static_cast<int>(raw.size());
  }
};

std::vector<std::string> Numbered(const char* stem, int n) {
  std::vector<std::string> out;
  for (int i = 1; i <= n; ++i) out.push_back(stem + std::to_string(i));
  return out;
}

}  // namespace

TEST(PatchLists, WithoutTheFileOnlyTheNumericTypesExist) {
  TFakeProfile profile;
  TPatchLists lists(profile);
  EXPECT_TRUE(profile.reads.empty()) << "nothing is read before the first use";
  EXPECT_EQ(lists.TypeCount(), 2);
  EXPECT_EQ(lists.TypeName(0), "Numeric, 1 Based");
  EXPECT_EQ(lists.TypeName(1), "Numeric, 0 Based");
  EXPECT_EQ(lists.CurrentType(), TPatchLists::kNumericOneBased);
  const auto& names = lists.PatchNames();
  ASSERT_EQ(names.size(), 129u);
  EXPECT_EQ(names[0], "<None>");
  EXPECT_EQ(names[1], "1");
  EXPECT_EQ(names[128], "128");
  lists.SetCurrentType(TPatchLists::kNumericZeroBased);
  EXPECT_EQ(lists.PatchNames()[1], "0");
  EXPECT_EQ(lists.PatchNames()[128], "127");
  lists.SetCurrentType(2);  // no such type: unchanged
  EXPECT_EQ(lists.CurrentType(), TPatchLists::kNumericZeroBased);
  EXPECT_FALSE(lists.TakeOverflow());
}

TEST(PatchLists, AShortListIsFilledWithNumbersAndTheFirstListIsCurrent) {
  TFakeProfile profile;
  profile.Set("Patch Lists", {"Short", "Full"});
  profile.Set("Short", Numbered("Voice ", 100));
  profile.Set("Full", Numbered("P", 128));
  TPatchLists lists(profile);
  EXPECT_EQ(lists.TypeCount(), 4);
  EXPECT_EQ(lists.TypeName(2), "Short");
  EXPECT_EQ(lists.TypeName(3), "Full");
  EXPECT_EQ(lists.CurrentType(), 2);
  const auto& names = lists.PatchNames();
  ASSERT_EQ(names.size(), 129u);
  EXPECT_EQ(names[1], "Voice 1");
  EXPECT_EQ(names[100], "Voice 100");
  EXPECT_EQ(names[101], "(101)");
  EXPECT_EQ(names[128], "(128)");
  // One list's names are read once and kept until another is chosen.
  const std::size_t reads = profile.reads.size();
  lists.PatchNames();
  lists.SetCurrentType(2);
  lists.PatchNames();
  EXPECT_EQ(profile.reads.size(), reads);
  lists.SetCurrentType(3);
  EXPECT_EQ(lists.PatchNames()[128], "P128");
  EXPECT_EQ(profile.reads.size(), reads + 1);
  EXPECT_FALSE(lists.TakeOverflow());
}

TEST(PatchLists, OversizedSectionsAreBoundedAndReported) {
  struct Case {
    const char* what;
    std::vector<std::string> lists;
    std::vector<std::string> patches;
    int types;
    const char* last;  // the 128th entry
  };
  const std::string longName(7000, 'x');
  const Case cases[] = {
      {"more than 128 names", {"Big"}, Numbered("N", 300), 3, "N128"},
      {"names past the 6000 bytes", {"Big"}, Numbered("A rather long instrument name ", 200), 3, nullptr},
      {"one name longer than the buffer", {"Big"}, {longName}, 3, "(128)"},
      {"list names past the 512 bytes", Numbered("List number ", 60), {}, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TFakeProfile profile;
    profile.Set("Patch Lists", c.lists);
    profile.Set("Big", c.patches);
    TPatchLists lists(profile);
    if (c.types) {
      EXPECT_EQ(lists.TypeCount(), c.types);
    }
    EXPECT_LT(lists.TypeCount(), 2 + 60);
    for (int t = 2; t < lists.TypeCount(); ++t) EXPECT_FALSE(lists.TypeName(t).empty());
    const auto& names = lists.PatchNames();
    ASSERT_EQ(names.size(), 129u);
    if (c.last) {
      EXPECT_EQ(names[128], c.last);
    }
    for (const std::string& n : names) EXPECT_LT(n.size(), 6000u);
    EXPECT_TRUE(lists.TakeOverflow());
    EXPECT_FALSE(lists.TakeOverflow()) << "reading the report clears it";
  }
}

TEST(PatchLists, SplitKeyNamesReadsOnlyWhatTheLengthCovers) {
  bool truncated = true;
  const char full[] = "One\0Two\0\0";
  EXPECT_EQ(SplitKeyNames(full, 8, 100, truncated), (std::vector<std::string>{"One", "Two"}));
  EXPECT_FALSE(truncated);
  const char cut[] = "One\0Tw\0\0";  // a 9-byte buffer: 7 characters copied
  EXPECT_EQ(SplitKeyNames(cut, 7, 9, truncated), (std::vector<std::string>{"One"}));
  EXPECT_TRUE(truncated);
  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(SplitKeyNames(unterminated, 4, 4, truncated).size(), 0u) << "a cut name is dropped";
  EXPECT_TRUE(SplitKeyNames(nullptr, 5, 10, truncated).empty());
}

TEST(FindRules, ExpressionFieldsMatchInOrder) {
  struct Case {
    const char* text;
    const char* expression;
    bool match;
  };
  const Case cases[] = {
      {"Tempo 120 Allegro", "Tempo*Allegro", true},
      {"Tempo 120 Allegro", "Allegro*Tempo", false},        // the other order
      {"Allegro Tempo Allegro", "Allegro*Tempo", true},     // the first occurs again before
      {"Tempo 120", "120", true},
      {"Tempo 120", "**Tempo**", true},                     // empty fields ask nothing
      {"Tempo 120", "*", true},
      {"abcabc", "abc*abc", true},
      {"abc", "abc*abc", false},                            // the second must follow the first
      {"abcab", "ab*cab", true},
      {"Tempo", "tempo", false},                            // case counts
      {"", "x", false},
  };
  for (const Case& c : cases) EXPECT_EQ(MatchFindExpression(c.text, c.expression), c.match) << c.text << " / " << c.expression;
  EXPECT_FALSE(MatchFindExpression("x", nullptr));
}

TEST(FindRules, FindDataBoundsItsTextAndEmptyMeansNothing) {
  TQVEditFindData data;
  EXPECT_EQ(data.mode, TQVEditFindData::kNothing);
  data.SetExpression("K2");
  EXPECT_EQ(data.mode, TQVEditFindData::kByExpression);
  data.SetExpression("");
  EXPECT_EQ(data.mode, TQVEditFindData::kNothing);
  const std::string huge(5000, 'q');
  data.SetExpression(huge.c_str());
  EXPECT_EQ(std::strlen(data.text), static_cast<std::size_t>(TQVEditFindData::kTextSize - 1));
  data.SetCategory(99);
  EXPECT_EQ(data.category, kFindCategoryCount - 1);
  EXPECT_STREQ(FindCategoryName(0), "Hanging Note Tie");
  EXPECT_STREQ(FindCategoryName(15), "Text Expression");
  EXPECT_STREQ(FindCategoryName(16), "");
}

TEST(FindRules, CategorySearchStartsAtTheCaretAndStopsAtTheEnd) {
  InstallAuditPass();
  TMusicStaff staff;
  // 1 K2, 2 q, 3 |, 4 D, 5 q, 6 |, 7 T3/4, 8 q, 9 D
  FillStaff(staff, "K2 q | D q | T3/4 q D");
  RunStaffAudit(&staff, -1, -1);
  TQVEditFindData data;
  struct Case {
    int category, caret, found;
  };
  const Case cases[] = {
      {3, 1, 1},    // a key at the caret is found
      {3, 2, -1},   // none after it
      {8, 1, 4},    // dynamics
      {8, 5, 9},    // the next one after a find
      {8, 10, -1},  // from the end
      {6, 1, 7},    // time signature
      {2, 1, -1},   // no clef
  };
  for (const Case& c : cases) {
    data.SetCategory(c.category);
    EXPECT_EQ(FindNextItem(staff, c.caret, data), c.found) << FindCategoryName(c.category) << " from " << c.caret;
  }
  TQVEditFindData none;
  EXPECT_EQ(FindNextItem(staff, 1, none), -1);
}

TEST(FindRules, ExpressionSearchUsesTheClipTextAfterABar) {
  InstallAuditPass();
  TMusicStaff staff;
  FillStaff(staff, "q@0 q@2 | q@0 T3/4 q@2");
  RunStaffAudit(&staff, -1, -1);
  TQVEditFindData data;
  data.SetExpression("|");
  const int first = FindNextItem(staff, 1, data);
  EXPECT_EQ(first, 1) << "every clip text begins with '|'";
  // Searching from behind each find walks forward item by item and ends at the staff's end.
  int caret = 1, found = 0;
  while ((caret = FindNextItem(staff, caret, data)) > 0) {
    ++found;
    ++caret;
  }
  EXPECT_EQ(found, staff.LastIndex() - 1);
}

TEST(FindRules, GotoNumbersBarsFromTheScoresFirstBar) {
  InstallAuditPass();
  TMusicStaff staff;
  // bars: [1 q q] | [4 q] | [6 q]
  FillStaff(staff, "q q | q | q");
  RunStaffAudit(&staff, -1, -1);
  struct Case {
    int caret, first, number;
  };
  const Case cases[] = {{1, 1, 1}, {2, 1, 1}, {4, 1, 2}, {6, 1, 3}, {4, 10, 11}, {staff.LastIndex(), 1, 3}};
  for (const Case& c : cases) EXPECT_EQ(BarNumberAt(staff, c.caret, c.first), c.number) << c.caret;
  EXPECT_EQ(IndexOfBarNumber(staff, 1, 1), 1);
  EXPECT_EQ(IndexOfBarNumber(staff, 2, 1), 4);
  EXPECT_EQ(IndexOfBarNumber(staff, 13, 11), 6);
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(BarNumberAt(staff, IndexOfBarNumber(staff, n, 1), 1), n);
  EXPECT_EQ(IndexOfBarNumber(staff, 99, 1), staff.LastIndex()) << "past the last bar: the end";
}

TEST(StaffCommands, MuteListStoresEveryFlagAndUndoRestoresThem) {
  TScoreFixture f({{"A", "q"}, {"B", "q"}, {"C", "q"}});
  f.score.GetStaff(1)->SetMuted(1);
  f.ExpectUndoRoundTrip([&] { return StoreMuteList(f.edit, {true, false, true}); }, "mute list");
  EXPECT_TRUE(f.score.GetStaff(0)->IsMuted());
  EXPECT_FALSE(f.score.GetStaff(1)->IsMuted());
  EXPECT_TRUE(f.score.GetStaff(2)->IsMuted());
  EXPECT_GT(f.modified.count, 0);
}

TEST(StaffCommands, MoveStaffGoesToTheChosenIndexAndUndoBringsItBack) {
  struct Case {
    int from, to;
    const char* names;
  };
  const Case cases[] = {{0, 2, "B,C,A,D"}, {3, 0, "D,A,B,C"}, {1, 2, "A,C,B,D"}};
  for (const Case& c : cases) {
    TScoreFixture f({{"A", "q"}, {"B", "q"}, {"C", "q"}, {"D", "q"}});
    f.edit.SetCurrentStaff(c.from);
    f.ExpectUndoRoundTrip([&] { return MoveCurrentStaffTo(f.edit, c.to); }, c.names);
    EXPECT_EQ(f.Names(), c.names);
    EXPECT_EQ(f.edit.Place().staff, c.to);
  }
  TScoreFixture f({{"A", "q"}, {"B", "q"}});
  EXPECT_FALSE(MoveCurrentStaffTo(f.edit, 0)) << "already there";
  EXPECT_FALSE(MoveCurrentStaffTo(f.edit, 2));
  EXPECT_FALSE(MoveCurrentStaffTo(f.edit, -1));
  EXPECT_EQ(f.undo.UndoCount(), 0);
}

TEST(StaffCommands, MovingAStaffTakesItsShownFlagAlong) {
  TScoreFixture f({{"A", "q"}, {"B", "q"}, {"C", "q"}});
  f.score.Selection().SetBit(0, true);
  f.score.Selection().SetBit(1, false);
  f.score.Selection().SetBit(2, true);
  f.edit.SetCurrentStaff(1);
  ASSERT_TRUE(MoveCurrentStaffTo(f.edit, 2));
  EXPECT_EQ(f.Names(), "A,C,B");
  EXPECT_TRUE(f.score.Selection().GetBit(0));
  EXPECT_TRUE(f.score.Selection().GetBit(1)) << "C was shown";
  EXPECT_FALSE(f.score.Selection().GetBit(2)) << "B was hidden";
}

TEST(StaffCommands, StaffSettingsReplaceTheCurrentStaffsAndUndoRestoresThem) {
  TScoreFixture f({{"A", "q q"}, {"B", "q"}});
  f.edit.SetCurrentStaff(1);
  TMusicStaff copy;
  copy.CopyInfo(*f.score.GetStaff(1));
  copy.SetName("Bassoon");
  copy.SetChannel(7);
  TStaffInstrument instrument;
  instrument.patch = 71;
  copy.SetInstrument(instrument);
  f.ExpectUndoRoundTrip([&] { return StoreStaffSettings(f.edit, copy, 219); }, "staff properties");
  EXPECT_STREQ(f.score.GetStaff(1)->GetName(), "Bassoon");
  EXPECT_EQ(f.score.GetStaff(1)->GetChannel(), 7);
  EXPECT_EQ(f.score.GetStaff(1)->GetInstrument().patch, 71);
  EXPECT_STREQ(f.score.GetStaff(0)->GetName(), "A");
  EXPECT_EQ(StaffText(*f.score.GetStaff(1)), "q") << "the items stay";
}

TEST(StaffCommands, WholeStaffCommandsRecordTheStaffFirst) {
  struct Case {
    TStaffAudit audit;
    const char* staff;
  };
  const Case cases[] = {
      {TStaffAudit::AuditBarLines, "q q q q q"},
      {TStaffAudit::AutomaticBeam, "e e e e | q q"},
  };
  for (const Case& c : cases) {
    TScoreFixture f("A", c.staff);
    f.edit.MoveCaretTo(3, false);
    f.ExpectUndoRoundTrip([&] { return RunStaffAuditCommand(f.edit, c.audit); }, c.staff);
  }
  TScoreFixture f("A", "q q q q q");
  f.edit.MoveCaretTo(4, false);
  ASSERT_TRUE(RunStaffAuditCommand(f.edit, TStaffAudit::AuditBarLines));
  EXPECT_EQ(StaffText(*f.score.GetStaff(0)), "q q q q | q rh.");
  EXPECT_EQ(f.edit.GetCaretIndex(), 1) << "re-barring starts with the caret at the start";
}

TEST(StaffCommands, TransposeRecordsTheStaffAndItsPlaybackTransposition) {
  TScoreFixture f("A", "q@0 q@1 | h@2");
  f.score.GetStaff(0)->SetTransposition(5);
  TTransposeSettings settings;
  settings.semitones = 2;
  settings.updatePlayback = true;
  f.ExpectUndoRoundTrip([&] { return TransposeCurrentStaff(f.edit, settings); }, "transpose by 2");
  EXPECT_EQ(f.score.GetStaff(0)->GetTransposition(), 3) << "playback drops by the semitones";
  EXPECT_EQ(StaffText(*f.score.GetStaff(0)), "q@-1 q | h@1");
  TUndoEffects effects;
  ASSERT_EQ(f.edit.Undo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(f.score.GetStaff(0)->GetTransposition(), 5);
}

TEST(StaffCommands, TransposeByZeroStillRecordsAStep) {
  TScoreFixture f("A", "q@0 q@1 | h@2");
  TTransposeSettings settings;
  ASSERT_TRUE(TransposeCurrentStaff(f.edit, settings));
  EXPECT_EQ(f.undo.UndoCount(), 1);
  EXPECT_EQ(StaffText(*f.score.GetStaff(0)), "q q@1 | h@2");
  EXPECT_EQ(f.score.GetStaff(0)->GetTransposition(), 0);
}

TEST(StaffCommands, TransposeSettingsGiveTheModelsPreference) {
  TTransposeSettings s;
  EXPECT_EQ(s.ModelPreference(), 0);
  s.preference = TTransposeSettings::kFlatKeys;
  EXPECT_EQ(s.ModelPreference(), -1);
  s.preference = TTransposeSettings::kSharpKeys;
  EXPECT_EQ(s.ModelPreference(), 1);
}

TEST(LyricsRules, CountTextsNameTheLines) {
  EXPECT_EQ(LyricCountText(0), "<None>");
  EXPECT_EQ(LyricCountText(1), "1 Lyric Line");
  EXPECT_EQ(LyricCountText(2), "2 Lyric Lines");
  EXPECT_EQ(LyricCountText(8), "8 Lyric Lines");
}

TEST(LyricsRules, RoomFollowsCountPlacementAndOffset) {
  constexpr int kHeight = 6;
  struct Case {
    const char* what;
    TLyricRoom before, after;
    int upper, lower;  // shown before
    int upperAfter, lowerAfter;
  };
  const Case cases[] = {
      {"unchanged", {1, 1, 0}, {1, 1, 0}, 20, 20, 20, 20},
      {"one more line on top", {1, 1, 0}, {2, 1, 0}, 20, 10, 26, 10},
      {"one more line below", {1, 0, 0}, {2, 0, 0}, 10, 20, 10, 26},
      {"first lines below", {0, 0, 0}, {2, 0, 0}, 10, 10, 10, 22},
      {"moved from below to top", {2, 0, 0}, {2, 1, 0}, 10, 22, 22, 10},
      {"offset adds room", {1, 1, 0}, {1, 1, 4}, 20, 10, 24, 10},
      {"a negative room counts as none", {1, 1, 0}, {1, 1, -50}, 20, 10, 14, 10},
      {"shrinking stops at lines + 5", {3, 0, 0}, {1, 0, 0}, 8, 14, 8, 10},
      {"shrinking a small size stops at it", {3, 0, 0}, {0, 0, 0}, 8, 9, 8, 9},
      {"the largest size is 100", {0, 1, 0}, {8, 1, 0}, 80, 10, 100, 10},
  };
  for (const Case& c : cases) {
    int upper = c.upper, lower = c.lower;
    AdjustLyricRoom(c.before, c.after, kHeight, 5, upper, lower);
    EXPECT_EQ(upper, c.upperAfter) << c.what;
    EXPECT_EQ(lower, c.lowerAfter) << c.what;
  }
}

TEST(LyricsRules, StoringTheCountTrimsOrPadsTheLinesAndUndoRestores) {
  TScoreFixture f("A", "q q");
  TMusicStaff& staff = *f.score.GetStaff(0);
  TLyricConfig c = LyricConfigOf(staff);
  EXPECT_EQ(c.count, 0);
  EXPECT_EQ(c.alignment, 1) << "without lyrics: alignment 1, placement 0, offset 0";
  EXPECT_EQ(c.placement, 0);
  c.count = 3;
  c.placement = 1;
  c.upper = 30;
  f.ExpectUndoRoundTrip([&] { return RecordLyricsUndo(f.edit) && (StoreLyricConfig(staff, c), true); }, "three lines");
  ASSERT_TRUE(staff.GetLyrics());
  EXPECT_EQ(staff.GetLyrics()->GetLineCount(), 3);
  EXPECT_EQ(staff.GetLyrics()->GetSecondSetting(), 1);
  EXPECT_EQ(staff.GetUpperSize(), -30);
  c.count = 1;
  c.upper = 18;
  f.ExpectUndoRoundTrip([&] { return RecordLyricsUndo(f.edit) && (StoreLyricConfig(staff, c), true); }, "down to one");
  EXPECT_EQ(staff.GetLyrics()->GetLineCount(), 1);
  TUndoEffects effects;
  ASSERT_EQ(f.edit.Undo(effects), TUndoOutcome::Applied);
  EXPECT_EQ(staff.GetLyrics()->GetLineCount(), 3) << "undo brings lines 2 and 3 back";
  EXPECT_EQ(staff.GetUpperSize(), -30) << "with the old vertical size";
  c.count = 0;
  ASSERT_TRUE(RecordLyricsUndo(f.edit));
  StoreLyricConfig(staff, c);
  EXPECT_EQ(staff.GetLyrics(), nullptr);
}

TEST(LyricsRules, AnOverlongLyricLineIsCutAndSaysSo) {
  TLyricText line;
  std::string syllable(100, 'a');
  int added = 1;
  while (added > 0) added = line.Append(syllable.c_str(), ' ', false);
  EXPECT_TRUE(line.WasCut());
  EXPECT_LE(line.Length(), TLyricText::kMaxCapacity);
  line.Clear();
  EXPECT_FALSE(line.WasCut());
}
