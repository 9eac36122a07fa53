// The earlier line's dialog transfers and window rules, without windows: what each item dialog
// shows and stores, the patch lists, the print preview's zoom and layout, the view's duration
// steps and limits, the lyrics room, and the shell's texts and file-command offers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <cstring>
#include <map>
#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/KeySignatureCount.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/NotationTypes.h"
#include "app/AboutText.h"
#include "app/AppOptions.h"
#include "app/MusicFontCheck.h"
#include "app/StatusTexts.h"
#include "earlier/app/EarlierShellRules.h"
#include "earlier/app/PreviewZoomEarlier.h"
#include "earlier/editor/EarlierEditRules.h"
#include "earlier/editor/ItemTransfers.h"
#include "editor/PatchLists.h"
#include "editor/StaffPropRules.h"
#include "foundation/SysInfo.h"

namespace {

static_assert(kEarlierLine, "these tests run against the earlier line's libraries");
using namespace item_transfer;

TEST(EarlierKeyDialog, ButtonsStandForTheFlatAndSharpSetsLetterByLetter) {
  // B flat and E flat (two flats); buttons run A to G.
  uint16_t flats = 0, sharps = 0;
  NtnKeyMasksFromSize(-2, flats, sharps);
  const TKeyButtons b = KeyButtonsOf(flats, sharps);
  const TLetterMark want[kLetters] = {TLetterMark::Neither, TLetterMark::Flat,    TLetterMark::Neither,
                                      TLetterMark::Neither, TLetterMark::Flat,    TLetterMark::Neither,
                                      TLetterMark::Neither};
  for (int i = 0; i < kLetters; ++i) EXPECT_EQ(b.mark[i], want[i]) << "letter " << char('A' + i);
  // A mixed, user-defined key goes back unchanged.
  TKeyButtons mixed;
  for (TLetterMark& m : mixed.mark) m = TLetterMark::Neither;
  mixed.mark[0] = TLetterMark::Sharp;  // A sharp
  mixed.mark[6] = TLetterMark::Flat;   // G flat
  KeyMasksOf(mixed, flats, sharps);
  const TKeyButtons back = KeyButtonsOf(flats, sharps);
  for (int i = 0; i < kLetters; ++i) EXPECT_EQ(back.mark[i], mixed.mark[i]);
}

TEST(EarlierKeyDialog, PresetsCoverEveryKeyOfEachMode) {
  struct Case {
    int preset;
    const char* name;
    int size;
  };
  const Case cases[] = {{1, "C Major", 0},        {8, "C Sharp Major", 7}, {9, "F Major", -1},
                        {15, "C Flat Major", -7}, {16, "a minor", 0},      {23, "a sharp minor", 7},
                        {24, "d minor", -1},      {30, "a flat minor", -7}};
  for (const Case& c : cases) {
    int size = 99;
    ASSERT_TRUE(KeyPresetSize(c.preset, size)) << c.preset;
    EXPECT_EQ(size, c.size) << c.name;
    EXPECT_STREQ(KeyPresetName(c.preset), c.name);
  }
  int size = 99;
  EXPECT_STREQ(KeyPresetName(0), "User Defined");
  EXPECT_FALSE(KeyPresetSize(0, size));
  EXPECT_FALSE(KeyPresetSize(kKeyPresets, size));
  EXPECT_EQ(size, 99);
}

TEST(EarlierBarLineDialog, RepeatCountOnlyForTheCountedStyleAndNoStyleIsRefused) {
  TBarLineData bar(TBarLineData::blLocalRepeatClose, 3);
  TBarLineFields f = BarLineFieldsOf(bar);
  EXPECT_EQ(f.style, TBarLineData::blLocalRepeatClose);
  EXPECT_EQ(f.repeatCount, 3);
  f.style = -1;
  EXPECT_FALSE(ApplyBarLine(f, bar));
  f = {TBarLineData::blLocalRepeatClose, 251};
  EXPECT_FALSE(ApplyBarLine(f, bar));
  EXPECT_EQ(bar.GetRepeatCount(), 3);
  f = {TBarLineData::blLocalRepeatClose, 7};
  EXPECT_TRUE(ApplyBarLine(f, bar));
  EXPECT_EQ(bar.GetRepeatCount(), 7);
  f = {TBarLineData::blDouble, 251};  // the count is not used, so not checked
  EXPECT_TRUE(ApplyBarLine(f, bar));
  EXPECT_EQ(bar.GetStyle(), TBarLineData::blDouble);
  EXPECT_EQ(bar.GetRepeatCount(), 1);
}

TEST(EarlierEndingDialog, NoEndingCheckedChangesNothing) {
  TSpecialEnding ending(0x5);
  EXPECT_FALSE(ApplyEndings(0, ending));
  EXPECT_EQ(ending.GetMask(), 0x5u);
  EXPECT_FALSE(ApplyEndings(0x100, ending));  // past the eighth ending
  EXPECT_TRUE(ApplyEndings(0x82, ending));
  EXPECT_EQ(ending.GetMask(), 0x82u);
}

TEST(EarlierDynamicDialog, PositionShownInvertedAndFlagsKept) {
  TDynamicLevelData d(TDynamicLevelData::dynF);
  d.SetPosition(6);  // below the staff
  TDynamicFields f = DynamicFieldsOf(d);
  EXPECT_EQ(f.level, TDynamicLevelData::dynF);
  EXPECT_EQ(f.shownPosition, -6);
  EXPECT_FALSE(f.velocityGiven);
  EXPECT_EQ(f.volume, 127);  // a volume never given (255) shows at the edit's top
  EXPECT_TRUE(f.wide);
  f.shownPosition = 9;
  f.velocityGiven = true;
  f.velocity = 100;
  f.hidden = true;
  f.wide = false;
  ApplyDynamic(f, d);
  EXPECT_EQ(d.GetPosition(), -9);
  EXPECT_TRUE(d.GetOverride(0));
  EXPECT_EQ(d.GetVelocity(), 100);
  EXPECT_FALSE(d.GetOverride(1));
  EXPECT_FALSE(d.IsWide());
  EXPECT_EQ(d.GetVisibility(), TNotatedItem::visNever);
  EXPECT_EQ(DynamicFieldsOf(d).shownPosition, 9);
}

TEST(EarlierTempoDialog, ChangingTheBaseKeepsTheSpeed) {
  EXPECT_EQ(ConvertTempo(120, TTempoData::tbQuarter, TTempoData::tbHalf), 60);
  EXPECT_EQ(ConvertTempo(60, TTempoData::tbHalf, TTempoData::tbEighth), 240);
  EXPECT_EQ(ConvertTempo(90, TTempoData::tbDottedQuarter, TTempoData::tbQuarter), 135);
}

TEST(EarlierPatchDialog, BankSplitsIntoTheTwoControllersAndAClearedBoxStoresNoBank) {
  const TStaffInstrument in{1, 3 * 128 + 5, 42};
  TPatchFields f = PatchFieldsOf(in);
  EXPECT_TRUE(f.bankSelect);
  EXPECT_EQ(f.controller0, 3);
  EXPECT_EQ(f.controller32, 5);
  EXPECT_EQ(f.patchEntry, 42);
  EXPECT_EQ(InstrumentOf(f), in);
  f.bankSelect = false;  // the edits still show 3 and 5
  const TStaffInstrument cleared = InstrumentOf(f);
  EXPECT_EQ(cleared.bankSelect, 0);
  EXPECT_EQ(cleared.bank, 0);
  EXPECT_EQ(cleared.patch, 42);
  EXPECT_EQ(PatchFieldsOf({0, 777, 0}).controller0, 0);  // without the flag both show 0
}

TEST(EarlierControllerDialog, OffersTheFiveStoredKinds) {
  const char* want[] = {"Tempo", "Volume", "Stereo Pan", "Breath Control", "Pitch Bend"};
  static_assert(kControllerKinds == 5);
  for (int i = 0; i < kControllerKinds; ++i) EXPECT_STREQ(ControllerKindName(i), want[i]);
  EXPECT_STREQ(ControllerKindName(5), "");
}

// The patch list file as the profile functions give its key names.
std::string Keys(std::initializer_list<std::string> names) {
  std::string s;
  for (const std::string& n : names) s += n + '\0';
  return s + '\0';
}

// Answers key names as the profile functions do: the count copied without the last NUL, and
// size - 2 when the buffer was too small.
struct FakeFile : TPatchListSource {
  std::map<std::string, std::string> sections;
  std::map<std::string, int> reads;
  int ReadKeys(const char* section, char* buffer, int size) override {
    ++reads[section];
    const std::string& s = sections[section];
    const int length = s.empty() ? 0 : static_cast<int>(s.size()) - 1;
    const int copied = std::min(length, size - 2);
    std::memcpy(buffer, s.data(), static_cast<std::size_t>(copied));
    buffer[copied] = buffer[copied + 1] = '\0';
    return copied;
  }
};

// The earlier patch dialog uses the run's patch lists, as the instrument page does.
TEST(EarlierPatchLists, NumericListsDifferOnlyInTheirTexts) {
  FakeFile file;
  TPatchLists lists(file);
  EXPECT_EQ(lists.CurrentType(), TPatchLists::kNumericOneBased);  // no named list in the file
  const auto one = lists.PatchNames();
  lists.SetCurrentType(TPatchLists::kNumericZeroBased);
  const auto zero = lists.PatchNames();
  ASSERT_EQ(one.size(), 129u);
  ASSERT_EQ(zero.size(), 129u);
  EXPECT_EQ(one[0], "<None>");
  EXPECT_EQ(one[1], "1");
  EXPECT_EQ(zero[1], "0");
  EXPECT_EQ(one[128], "128");
  EXPECT_EQ(zero[128], "127");
  EXPECT_EQ(lists.TypeCount(), 2);
  EXPECT_EQ(lists.TypeName(0), "Numeric, 1 Based");
  EXPECT_EQ(lists.TypeName(1), "Numeric, 0 Based");
}

TEST(EarlierPatchLists, NamedListIsFilledUpTo128AndStopsThere) {
  FakeFile file;
  file.sections["Patch Lists"] = Keys({"GM", "Long"});
  std::string hundred, many;
  for (int i = 1; i <= 100; ++i) hundred += "Patch" + std::to_string(i) + '\0';
  for (int i = 1; i <= 140; ++i) many += "P" + std::to_string(i) + '\0';
  file.sections["GM"] = hundred + '\0';
  file.sections["Long"] = many + '\0';
  TPatchLists lists(file);
  EXPECT_EQ(lists.CurrentType(), 2);  // the first named list
  EXPECT_EQ(lists.TypeCount(), 4);
  auto gm = lists.PatchNames();
  ASSERT_EQ(gm.size(), 129u);
  EXPECT_EQ(gm[100], "Patch100");
  EXPECT_EQ(gm[101], "(101)");
  EXPECT_EQ(gm[128], "(128)");
  EXPECT_FALSE(lists.TakeOverflow());
  lists.SetCurrentType(3);
  const auto lng = lists.PatchNames();
  ASSERT_EQ(lng.size(), 129u);
  EXPECT_EQ(lng[128], "P128");
  EXPECT_TRUE(lists.TakeOverflow());  // names past 128 are left out, and said so
  // One list's names are read once; the list names once for the run.
  lists.PatchNames();
  EXPECT_EQ(file.reads["Long"], 1);
  EXPECT_EQ(file.reads["Patch Lists"], 1);
  lists.SetCurrentType(4);  // past the lists: ignored
  EXPECT_EQ(lists.CurrentType(), 3);
}

TEST(EarlierPreviewZoom, LevelsStepByTheMouseButtons) {
  const int in[][2] = {{1, 2}, {2, 3}, {3, 4}, {4, 8}, {8, 8}};
  for (const auto& c : in) EXPECT_EQ(TEarlierPreviewZoom::ZoomedIn(c[0]), c[1]) << c[0];
  const int out[][2] = {{8, 4}, {4, 3}, {3, 2}, {2, 1}, {1, 1}};
  for (const auto& c : out) EXPECT_EQ(TEarlierPreviewZoom::ZoomedOut(c[0]), c[1]) << c[0];
}

TEST(EarlierPreviewZoom, ScrollPositionsKeptBetweenScrolledLevelsOnly) {
  TEarlierPreviewZoom z;
  EXPECT_EQ(z.RangeMax(), 0);
  EXPECT_EQ(z.SetZoom(2), 1);
  EXPECT_EQ(z.RangeMax(), 100);
  z.Scroll(true, TScrollAction::Thumb, 40);
  z.Scroll(false, TScrollAction::LineDown);
  z.SetZoom(3);
  z.SetZoom(4);
  EXPECT_EQ(z.ScrollY(), 40);
  EXPECT_EQ(z.ScrollX(), 1);
  z.SetZoom(1);
  EXPECT_EQ(z.ScrollY(), 0);
  EXPECT_FALSE(z.BarsShown());
  z.SetZoom(2);
  EXPECT_EQ(z.ScrollY(), 0);
  EXPECT_EQ(z.ScrollX(), 0);
}

TEST(EarlierPreviewZoom, ScrollingStaysOnTheHundredScale) {
  struct Case {
    int from;
    TScrollAction action;
    int thumb, want;
  };
  const Case cases[] = {{85, TScrollAction::PageDown, 0, 100}, {50, TScrollAction::PageDown, 0, 70},
                        {15, TScrollAction::PageUp, 0, 0},     {0, TScrollAction::LineUp, 0, 0},
                        {100, TScrollAction::LineDown, 0, 100}, {30, TScrollAction::Thumb, 64, 64},
                        {30, TScrollAction::Bottom, 0, 100},   {30, TScrollAction::Top, 0, 0}};
  for (const Case& c : cases) {
    TEarlierPreviewZoom z;
    z.SetZoom(2);
    z.Scroll(false, TScrollAction::Thumb, c.from);
    EXPECT_EQ(z.Scroll(false, c.action, c.thumb), c.want) << c.from;
  }
}

TEST(EarlierPreviewZoom, PageFitsWholeAndTheButtonsStandAtTheRightEdge) {
  TPrinterMetrics letter;
  letter.physicalWidth = 850;
  letter.physicalHeight = 1100;
  // Tall space: the width decides.
  TPreviewSize s = FitPreviewPage(letter, 170, 1000);
  EXPECT_EQ(s.width, 170);
  EXPECT_EQ(s.height, 220);
  // Wide space: the full height.
  s = FitPreviewPage(letter, 1000, 220);
  EXPECT_EQ(s.height, 220);
  EXPECT_EQ(s.width, 170);
  auto p = LayoutPreviewDialog(letter, 400, 224, 80, 10);  // area 310: fitted into 308 x 220
  ASSERT_TRUE(p);
  EXPECT_EQ(p->buttonX, 320);
  EXPECT_EQ(p->controlWidth, 170);
  EXPECT_EQ(p->controlHeight, 220);
  EXPECT_EQ(p->controlX, (310 - 170) / 2 + 2);
  EXPECT_EQ(p->controlY, 2);
  EXPECT_FALSE(LayoutPreviewDialog(letter, 96, 224, 80, 10));
  EXPECT_TRUE(LayoutPreviewDialog(letter, 97, 224, 80, 10));
}

TEST(EarlierViewRules, DurationStepsFromMidiInput) {
  struct Case {
    int index;
    bool grace;
    int longer, shorter;
  };
  const Case cases[] = {{2, true, 2, 3}, {0, false, 6, 1}, {6, false, 5, 0}, {6, true, 5, 2}, {3, true, 2, 4}};
  for (const Case& c : cases) {
    EXPECT_EQ(earlier_rules::DurationLonger(c.index, c.grace), c.longer) << c.index << c.grace;
    EXPECT_EQ(earlier_rules::DurationShorter(c.index, c.grace), c.shorter) << c.index << c.grace;
  }
}

TEST(EarlierViewRules, SelectionCommandEditsExperimentalKindsOnlyWhenAllowed) {
  for (int type = ntClef; type <= ntRestChord; ++type) {
    const bool experimental = type == ntNote || type == ntRest || type == ntChord;
    const bool never = type == ntRestChord;
    EXPECT_EQ(earlier_rules::CanEditItemType(type, false), !experimental && !never) << type;
    EXPECT_EQ(earlier_rules::CanEditItemType(type, true), !never) << type;
  }
}

TEST(EarlierViewRules, ScoreWindowLimits) {
  earlier_rules::TTrackMetrics m{8, 16, 16, 112, 27, 1000, 1024, 768};
  auto l = earlier_rules::ScoreWindowLimits(m);
  EXPECT_EQ(l.minWidth, 16 + 112 + 160);
  EXPECT_EQ(l.minHeight, 16 + 96 + 27);
  EXPECT_EQ(l.maxWidth, 2048);
  EXPECT_EQ(l.maxHeight, 1536);
  m.frameClientWidth = 400;  // half the frame's client is smaller
  EXPECT_EQ(earlier_rules::ScoreWindowLimits(m).minWidth, 200);
}

TEST(EarlierLyricsRoom, MovesTheBoundaryOnceByTheDifference) {
  TMusicStaff staff;
  staff.SetVerticalSize(-60, 20);  // 60 above the staff, 20 below
  // Three lines above at height 12 become two: the top comes down by 36 and goes up by 24.
  earlier_rules::ApplyLyricsRoom(staff, 3, 1, 2, 1, 12);
  EXPECT_EQ(staff.GetUpperSize(), -48);
  EXPECT_EQ(staff.GetLowerSize(), 20);
  // Below the staff: two lines become four.
  earlier_rules::ApplyLyricsRoom(staff, 2, 0, 4, 0, 12);
  EXPECT_EQ(staff.GetLowerSize(), 44);
  // Taking the whole old room off first would pass below the staff's least extent (7) and be
  // clamped there, losing 16; the net change keeps it.
  staff.SetVerticalSize(-20, 20);
  earlier_rules::ApplyLyricsRoom(staff, 3, 1, 2, 1, 12);
  EXPECT_EQ(staff.GetUpperSize(), -32 + 24);
  // Moving the lyrics from above to below shifts both boundaries.
  staff.SetVerticalSize(-40, 20);
  earlier_rules::ApplyLyricsRoom(staff, 2, 1, 2, 0, 10);
  EXPECT_EQ(staff.GetUpperSize(), -20);
  EXPECT_EQ(staff.GetLowerSize(), 40);
}

TEST(EarlierStaffPlaybackPage, Texts) {
  EXPECT_EQ(earlier_rules::BankSelectText({1, 300, 0}), "Off");
  EXPECT_EQ(earlier_rules::PatchSelectText({1, 300, 0}), "<None>");
  EXPECT_EQ(earlier_rules::BankSelectText({1, 300, 5}), "300");
  EXPECT_EQ(earlier_rules::BankSelectText({0, 300, 5}), "Off");
  EXPECT_EQ(earlier_rules::PatchSelectText({0, 0, 5}), "5");
}

TEST(EarlierTransposeWarning, StandsAwayFromTheCaret) {
  // Caret in the lower half: centred between the top and the caret.
  auto p = earlier_rules::TransposeWarningPosition(1000, 800, 600, 200, 100);
  EXPECT_EQ(p.x, 400);
  EXPECT_EQ(p.y, 250);
  // Too tall to fit above: 10 from the top.
  EXPECT_EQ(earlier_rules::TransposeWarningPosition(1000, 800, 500, 200, 600).y, 10);
  // Caret in the upper half: centred between the caret and the bottom, kept 10 above it.
  EXPECT_EQ(earlier_rules::TransposeWarningPosition(1000, 800, 200, 200, 100).y, 450);
  EXPECT_EQ(earlier_rules::TransposeWarningPosition(1000, 800, 390, 200, 400).y, 390);
  EXPECT_EQ(earlier_rules::TransposeWarningPosition(1000, 800, 390, 200, 500).y, 290);
}

TEST(EarlierShell, VersionText) {
  char text[32];
  struct Case {
    int number, stage, sub;
    const char* want;
  };
  const Case cases[] = {{513, 1, 0, "2.1 Beta"}, {311, 2, 2, "1.55b"}, {256, 0, 1, "1.0a Alpha"}, {300, 7, 0, "1.44"}};
  for (const Case& c : cases) {
    earlier_shell::FormatReleaseVersion(text, sizeof text, c.number, c.stage, c.sub);
    EXPECT_STREQ(text, c.want);
  }
  earlier_shell::FormatReleaseVersion(text, 4, 311, 1, 2);
  EXPECT_STREQ(text, "1.5");
}

TEST(EarlierShell, HelpContexts) {
  const int cases[][2] = {{534, 146}, {548, 157}, {549, 158}, {552, 66}, {553, 66}, {533, 9}, {578, 9},
                          {195, 192}, {205, 205}, {601, 601}, {561, 156}, {588, 219}, {39, 39}};
  for (const auto& c : cases) EXPECT_EQ(HelpContextForHint(c[0]), c[1]) << c[0];
}

TEST(EarlierShell, ExportOffer) {
  auto o = earlier_shell::ExportOffer("", "C:\\Songs");
  EXPECT_EQ(o.folder, "C:\\Songs");
  EXPECT_EQ(o.name, "*.mid");
  o = earlier_shell::ExportOffer("D:\\Work\\song.qvk", "C:\\Songs");
  EXPECT_EQ(o.folder, "D:\\Work");
  EXPECT_EQ(o.name, "song.mid");
  o = earlier_shell::ExportOffer("D:\\Work.v2\\song", "C:\\Songs");
  EXPECT_EQ(o.name, "song.mid");
  EXPECT_EQ(earlier_shell::ExportFormatForFilter(1), 1);
  EXPECT_EQ(earlier_shell::ExportFormatForFilter(2), 0);
}

int gBoxes, gAdds;
bool gInstalled;
std::string gText;
TEST(EarlierFontCheck, MissingFontEndsWithoutReinstalling) {
  TMusicFontCheckSeam seam{[] { return gInstalled; }, [](const char*) { return ++gAdds; },
                           [](const char* t) { ++gBoxes, gText = t; }, [] {}};
  gInstalled = false;
  EXPECT_FALSE(EnsureMusicFont("C:\\Prog", seam));
  EXPECT_EQ(gAdds, 0);
  EXPECT_EQ(gBoxes, 1);
  EXPECT_EQ(gText.rfind("The QVK true-type font (diru15.ttf) cannot be found on the system.", 0), 0u);
  EXPECT_NE(gText.find("remove some of your fonts"), std::string::npos);
  gInstalled = true;
  EXPECT_TRUE(EnsureMusicFont("C:\\Prog", seam));
  EXPECT_EQ(gBoxes, 1);
}

}  // namespace

namespace {
TEST(EarlierShell, AboutVersionLine) {
  char text[32];
  FormatAboutVersion(text, sizeof text);
  EXPECT_STREQ(text, "1.55b (32-bit)");
}
}  // namespace

namespace {
TEST(EarlierAudit, TheScoreAuditTakesEveryStaffChangedOrNot) {
  TMusicScore score;
  auto* staff = new TMusicStaff;
  score.AppendStaff(staff);
  staff->AppendItem(new TRestNote(0));
  staff->AppendItem(new TBarLineData);
  AuditScoreStaves(&score, false);
  auto* rest = static_cast<TRestNote*>(staff->GetItem(1));
  ASSERT_TRUE(rest->HasExplicitLength());
  rest->ClearExplicitLength();
  staff->SetChanged(false);
  AuditScoreStaves(&score, false);
  EXPECT_TRUE(rest->HasExplicitLength()) << "an unchanged staff is audited too";
}
}  // namespace

namespace {

// The earlier line's "Options" section: its 28 keys in their order, the three colour roles
// after the window colour, and neither of the current line's two extra keys read or written.
class EarlierOptionKeys : public ::testing::Test {
protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "vc_earlier_option_keys.ini";
    std::remove(path_.c_str());
    settings_.SetStorageNames("Vellichord Tests", path_.c_str());
    settings_.SetRegistryFlag(0);
  }
  void TearDown() override { std::remove(path_.c_str()); }

  std::string path_;
  TSysInfo settings_;
};

TEST_F(EarlierOptionKeys, TwentyEightKeysInTheLinesOrder) {
  constexpr const char* kKeys[] = {
      "ScoreWinColor",    "NotePlayColor",      "ActiveStaffColor",   "InactiveStaffColor", "StatusBarEnabled",
      "StatusBarShading", "Enable3dControls",   "RtMouseSetsInsPt",   "SmartInsertionPt",   "PersistentNoteTools",
      "EnableActiveStaffFrame", "UndoLevels",   "SaveBackups",        "AutoSaveMinutes",    "PlayFromCaret",
      "PlayLeadInMeasures", "MidiPortUsage",    "SMFExportTrkSigs",   "SMFExportHdrInfo",   "RecImportAction",
      "PrintMarginUnits", "OpenFilterIndex",    "AcceptMidiInput",    "DlgUseLightFont",    "UseImportWizOnOpen",
      "UsageTipsOnStartup", "NextUsageTip",     "ExperimentalActive"};
  static_assert(std::size(kKeys) == kAppOptionCount);
  for (int i = 0; i < kAppOptionCount; ++i) EXPECT_STREQ(kAppOptionKeys[i].key, kKeys[i]) << i;
  // The colour roles default to the staff colour table's play highlight, active and inactive staff.
  const TAppOptions o;
  EXPECT_EQ(o[kOptNotePlayColor], 4);
  EXPECT_EQ(o[kOptActiveStaffColor], 1);
  EXPECT_EQ(o[kOptInactiveStaffColor], 2);
  EXPECT_EQ(o[kOptChasePlayingNotes], 0);
  EXPECT_EQ(o[kOptSmartPropertiesInsert], 0);
}

TEST_F(EarlierOptionKeys, LoadsAndSavesOnlyItsOwnKeys) {
  // A settings file the current line wrote carries its two extra keys; the earlier line leaves them.
  settings_.WriteInt(kOptionsSection, "ChasePlayingNotes", 1);
  settings_.WriteInt(kOptionsSection, "SmartPropertiesInsert", 1);
  settings_.WriteInt(kOptionsSection, "ActiveStaffColor", 5);
  settings_.WriteInt(kOptionsSection, "ExperimentalActive", 1);
  TAppOptions o;
  o.Load(settings_);
  EXPECT_EQ(o[kOptActiveStaffColor], 5);
  EXPECT_EQ(o[kOptExperimentalActive], 1);
  EXPECT_EQ(o[kOptChasePlayingNotes], 0);
  EXPECT_EQ(o[kOptSmartPropertiesInsert], 0);

  o[kOptInactiveStaffColor] = 6;
  o[kOptChasePlayingNotes] = 7;
  const std::string saved = ::testing::TempDir() + "vc_earlier_option_keys_saved.ini";
  std::remove(saved.c_str());
  TSysInfo fresh;
  fresh.SetStorageNames("Vellichord Tests", saved.c_str());
  fresh.SetRegistryFlag(0);
  o.Save(fresh);
  fresh.FlushSettings();
  EXPECT_EQ(fresh.ReadInt(kOptionsSection, "InactiveStaffColor", -1), 6);
  EXPECT_EQ(fresh.ReadInt(kOptionsSection, "NotePlayColor", -1), 4);
  EXPECT_EQ(fresh.ReadInt(kOptionsSection, "ChasePlayingNotes", -1), -1);
  EXPECT_EQ(fresh.ReadInt(kOptionsSection, "SmartPropertiesInsert", -1), -1);
  std::remove(saved.c_str());
}

}  // namespace

namespace {

// The earlier line's staff takes the extent above the staff first: the staff properties' Visual
// page still stores Upper above and Lower below, not both at the least size.
TEST(EarlierStaffVisual, StoresUpperAboveAndLowerBelow) {
  TMusicStaff staff;
  TStaffVisualValues v = StaffVisualOf(staff);
  v.upper = 20;
  v.lower = 30;
  StoreStaffVisual(staff, v);
  EXPECT_EQ(staff.GetUpperSize(), -20);
  EXPECT_EQ(staff.GetLowerSize(), 30);
  EXPECT_EQ(StaffVisualOf(staff).upper, 20);
  EXPECT_EQ(StaffVisualOf(staff).lower, 30);
}

}  // namespace
