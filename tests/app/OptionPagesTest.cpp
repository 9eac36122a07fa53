// The options sheet's pages without their windows: the pages a mask enables, every page's
// settings -> controls -> settings round trip, its keys written to the settings file at once, and
// the rules that tell open score windows what changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/OptionPages.h"
#include "foundation/SysInfo.h"

namespace {

// The application's side of the pages over a real settings file; every call is logged.
class TFakeOptionsHost : public TOptionsHost {
public:
  explicit TFakeOptionsHost(TSysInfo& settings) : settings_(settings) {
    for (int i = 0; i < 8; ++i) colors[i] = 0x010101u * uint32_t(i);
  }
  TAppOptions& Options() override { return options; }
  void SaveSettings() override {
    calls.push_back("save");
    options.Save(settings_);
  }
  uint32_t GetStaffColor(int i) const override { return colors[i]; }
  void SetStaffColor(int i, uint32_t color) override { colors[i] = color; }
  void SaveStaffColors() override { calls.push_back("colors"); }
  void ForEachScoreWindow(int action) override { calls.push_back("windows " + std::to_string(action)); }
  bool GetFolder(int n, char (&out)[260]) override {
    std::snprintf(out, sizeof out, "C:\\F%d", n);
    return true;
  }
  void SetFolder(int n, const char* path) override { calls.push_back("folder " + std::to_string(n) + " " + path); }
  void SetRememberedFolder(int n, const char* folder) override {
    calls.push_back("remember " + std::to_string(n) + " " + folder);
  }

  TAppOptions options;
  uint32_t colors[8];
  std::vector<std::string> calls;

private:
  TSysInfo& settings_;
};

class OptionPages : public ::testing::Test {
protected:
  void SetUp() override {
    // Each line's build of these tests has its own files: ctest may run both at once.
#if defined(VC_LINE_EARLIER)
    const std::string line = "earlier_";
#else
    const std::string line = "current_";
#endif
    path_ = ::testing::TempDir() + "vc_option_pages_" + line +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    std::remove(path_.c_str());
    settings_.SetStorageNames("Vellichord Tests", path_.c_str());
    settings_.SetRegistryFlag(0);
  }
  void TearDown() override { std::remove(path_.c_str()); }

  int Stored(TAppOptionIndex i) {
    settings_.FlushSettings();
    return settings_.ReadInt(kOptionsSection, kAppOptionKeys[i].key, -12345);
  }

  std::string path_;
  TSysInfo settings_;
};

// The options at values other than their defaults (but ones the pages can show); "PlayFromCaret"
// is on either way, since the lead-in decides the Play entry.
TAppOptions Unusual() {
  constexpr struct {
    TAppOptionIndex option;
    int value;
  } kValues[] = {
      {kOptScoreWinColor, 3},      {kOptStatusBarEnabled, 0},       {kOptStatusBarShading, 0},
      {kOptEnable3dControls, 0},   {kOptRtMouseSetsInsPt, 0},       {kOptSmartInsertionPt, 0},
      {kOptSmartPropertiesInsert, 1}, {kOptPersistentNoteTools, 1}, {kOptEnableActiveStaffFrame, 0},
      {kOptChasePlayingNotes, 0},  {kOptUndoLevels, 57},            {kOptSaveBackups, 0},
      {kOptAutoSaveMinutes, 42},   {kOptPlayFromCaret, 1},          {kOptPlayLeadInMeasures, 3},
      {kOptMidiPortUsage, 1},      {kOptSMFExportTrkSigs, 1},       {kOptSMFExportHdrInfo, 2},
      {kOptRecImportAction, 2},    {kOptPrintMarginUnits, 1},       {kOptOpenFilterIndex, 3},
      {kOptAcceptMidiInput, 1},    {kOptDlgUseLightFont, 1},        {kOptUseImportWizOnOpen, 0},
      {kOptUsageTipsOnStartup, 0}, {kOptNextUsageTip, 7},           {kOptExperimentalActive, 1},
#if defined(VC_LINE_EARLIER)
      {kOptNotePlayColor, 6},      {kOptActiveStaffColor, 3},       {kOptInactiveStaffColor, 7},
#endif
  };
  TAppOptions o;
  for (const auto& v : kValues) o[v.option] = v.value;
  return o;
}

// Each page with the options it owns.
struct TPageKeys {
  const char* name;
  std::vector<TAppOptionIndex> keys;
  void (*roundTrip)(TOptionsHost& from, TOptionsHost& to);
};

const TPageKeys kPages[] = {
    {"Color",
     {kOptScoreWinColor,
#if defined(VC_LINE_EARLIER)
      kOptNotePlayColor, kOptActiveStaffColor, kOptInactiveStaffColor
#endif
     },
     [](TOptionsHost& a, TOptionsHost& b) { ApplyColorPage(LoadColorPage(a), b); }},
    {"Editor",
#if defined(VC_LINE_EARLIER)
     // The earlier line has no "SmartPropertiesInsert" or "ChasePlayingNotes" to show.
     {kOptRtMouseSetsInsPt, kOptSmartInsertionPt, kOptPersistentNoteTools, kOptEnableActiveStaffFrame,
      kOptDlgUseLightFont, kOptUndoLevels},
#else
     {kOptRtMouseSetsInsPt, kOptSmartInsertionPt, kOptSmartPropertiesInsert, kOptPersistentNoteTools,
      kOptEnableActiveStaffFrame, kOptChasePlayingNotes, kOptDlgUseLightFont, kOptUndoLevels},
#endif
     [](TOptionsHost& a, TOptionsHost& b) { ApplyEditorPage(LoadEditorPage(a), b); }},
    {"File",
     {kOptSaveBackups, kOptAutoSaveMinutes, kOptExperimentalActive, kOptSMFExportTrkSigs, kOptSMFExportHdrInfo,
      kOptUseImportWizOnOpen},
     [](TOptionsHost& a, TOptionsHost& b) { ApplyFilePage(LoadFilePage(a), b); }},
    {"Midi",
     {kOptPlayFromCaret, kOptPlayLeadInMeasures, kOptMidiPortUsage},
     [](TOptionsHost& a, TOptionsHost& b) { ApplyMidiPage(LoadMidiPage(a), b); }},
    {"Record", {kOptRecImportAction}, [](TOptionsHost& a, TOptionsHost& b) { ApplyRecordPage(LoadRecordPage(a), b); }},
};

TEST_F(OptionPages, MasksEnableTheirPages) {
  const std::vector<std::string> captions = {"Color", "Editor", "File", "Folders", "Import", "Midi", "Record"};
  for (int i = 0; i < kOptionPageCount; ++i) EXPECT_EQ(kOptionPages[i].caption, captions[i]);
  for (int i = 0; i < kOptionPageCount; ++i) {
    const auto page = static_cast<TOptionPage>(i);
    EXPECT_TRUE(IsOptionPageEnabled(page, kOptionsMaskAll)) << captions[i];
    EXPECT_EQ(IsOptionPageEnabled(page, kOptionsMaskNoScore), page != TOptionPage::kColor) << captions[i];
    EXPECT_EQ(IsOptionPageEnabled(page, kOptionsMaskMidiOnly), page == TOptionPage::kMidi) << captions[i];
  }
  unsigned all = 0;
  for (const TOptionPageInfo& p : kOptionPages) {
    EXPECT_EQ(all & p.maskBit, 0u) << p.caption << " shares a bit";
    all |= p.maskBit;
  }
  EXPECT_EQ(all, 0x7Fu);
}

// Settings -> controls -> settings is the identity, touches only the page's own options, and the
// values are in the settings file once the page has applied.
TEST_F(OptionPages, EveryPageRoundTripsItsOptionsAndSavesThemAtOnce) {
  for (const TAppOptions& source : {TAppOptions(), Unusual()}) {
    for (const TPageKeys& page : kPages) {
      SCOPED_TRACE(page.name);
      TFakeOptionsHost from(settings_), to(settings_);
      from.options = source;
      // The target starts from every option changed, so a key the page forgets shows; the slots
      // past the stored block (options another line keeps) must stay as they are.
      for (int i = 0; i < kAppOptionSlots; ++i) to.options.values[i] = source.values[i] + 1000;
      page.roundTrip(from, to);
      for (int i = 0; i < kAppOptionSlots; ++i) {
        const auto key = static_cast<TAppOptionIndex>(i);
        const bool owned = std::find(page.keys.begin(), page.keys.end(), key) != page.keys.end();
        EXPECT_EQ(to.options[key], owned ? source[key] : source[key] + 1000) << "slot " << i;
        if (i < kAppOptionCount) {
          EXPECT_EQ(Stored(key), to.options[key]) << kAppOptionKeys[i].key << " not written";
        }
      }
      EXPECT_NE(std::find(to.calls.begin(), to.calls.end(), "save"), to.calls.end());
    }
  }
}

TEST_F(OptionPages, ColorPageTakesTheColoursRefreshesWindowsAndSavesBoth) {
  TFakeOptionsHost host(settings_);
  TColorPageState s = LoadColorPage(host);
  EXPECT_EQ(s.colors[5], 0x050505u);
  s.colors[5] = 0x123456;
  s.background = 4;
  ApplyColorPage(s, host);
  EXPECT_EQ(host.colors[5], 0x123456u);
  EXPECT_EQ(host.options[kOptScoreWinColor], 4);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"windows 2", "save", "colors"}));
#if defined(VC_LINE_EARLIER)
  // The three choices load in the order play highlight, active staff, inactive staff.
  EXPECT_EQ(s.choices, (std::array<int, 3>{4, 1, 2}));
  s.choices = {7, 6, 5};
  ApplyColorPage(s, host);
  EXPECT_EQ(Stored(kOptNotePlayColor), 7);
  EXPECT_EQ(Stored(kOptActiveStaffColor), 6);
  EXPECT_EQ(Stored(kOptInactiveStaffColor), 5);
#endif

  uint32_t ramp[16];
  FillGreyRamp(ramp);
  EXPECT_EQ(ramp[0], 0u);
  EXPECT_EQ(ramp[1], 0x101010u);
  EXPECT_EQ(ramp[15], 0xF0F0F0u);
}

TEST_F(OptionPages, OnlyAChangedUndoDepthResizesTheWindowsUndo) {
  TFakeOptionsHost host(settings_);
  TEditorPageState s = LoadEditorPage(host);
  for (bool& check : s.checks) check = !check;
  ApplyEditorPage(s, host);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"save"}));
  host.calls.clear();
  s.undoLevels = 40;
  ApplyEditorPage(s, host);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"windows 3", "save"}));
  EXPECT_EQ(Stored(kOptUndoLevels), 40);
}

TEST_F(OptionPages, AutoSaveOffAndOnAgainProposesFifteenMinutes) {
  TFakeOptionsHost host(settings_);
  host.options[kOptAutoSaveMinutes] = 42;
  TFilePageState s = LoadFilePage(host);
  EXPECT_TRUE(s.autoSave);
  EXPECT_EQ(s.minutes, 42);
  s.autoSave = false;
  ApplyFilePage(s, host);
  EXPECT_EQ(Stored(kOptAutoSaveMinutes), 0);
  s = LoadFilePage(host);
  EXPECT_FALSE(s.autoSave);
  EXPECT_EQ(s.minutes, 15);
  s.autoSave = true;
  ApplyFilePage(s, host);
  EXPECT_EQ(Stored(kOptAutoSaveMinutes), 15);

  // "Restrict Experimental Features" shows the option inverted.
  host.options[kOptExperimentalActive] = 0;
  EXPECT_TRUE(LoadFilePage(host).restrictExperimental);
  host.options[kOptExperimentalActive] = 1;
  EXPECT_FALSE(LoadFilePage(host).restrictExperimental);
}

TEST_F(OptionPages, PlayListEntriesAndTheirOptions) {
  const struct {
    int entry, fromCaret, leadIn;
  } cases[] = {{0, 0, 0}, {1, 1, 0}, {2, 1, 1}, {3, 1, 2}, {4, 1, 3}, {5, 1, 4}};
  for (const auto& c : cases) {
    TFakeOptionsHost host(settings_);
    ApplyMidiPage({c.entry, 2}, host);
    EXPECT_EQ(Stored(kOptPlayFromCaret), c.fromCaret) << c.entry;
    EXPECT_EQ(Stored(kOptPlayLeadInMeasures), c.leadIn) << c.entry;
    EXPECT_EQ(LoadMidiPage(host).playFrom, c.entry);
  }
  TFakeOptionsHost host(settings_);
  host.options[kOptPlayFromCaret] = 0;
  host.options[kOptPlayLeadInMeasures] = 3;
  EXPECT_EQ(LoadMidiPage(host).playFrom, 0) << "from the beginning, whatever the lead-in";
}

// A stored value no list entry stands for shows the option's default, so applying the page never
// stores a list's "no selection".
TEST_F(OptionPages, OutOfRangeStoredValuesShowTheirDefaults) {
  TFakeOptionsHost host(settings_);
  TAppOptions& o = host.options;
  o[kOptScoreWinColor] = 5;
  o[kOptSMFExportHdrInfo] = -1;
  o[kOptMidiPortUsage] = 3;
  o[kOptRecImportAction] = 9;
  o[kOptPlayLeadInMeasures] = 5;
  o[kOptUndoLevels] = 101;
  o[kOptAutoSaveMinutes] = 91;
  EXPECT_EQ(LoadColorPage(host).background, 0);
  EXPECT_EQ(LoadFilePage(host).headerInfo, 1);
  EXPECT_EQ(LoadMidiPage(host).portUsage, 2);
  EXPECT_EQ(LoadRecordPage(host).importAction, 0);
  EXPECT_EQ(LoadMidiPage(host).playFrom, 2);
  EXPECT_EQ(LoadEditorPage(host).undoLevels, 16);
  EXPECT_EQ(LoadFilePage(host).minutes, 15);
#if defined(VC_LINE_EARLIER)
  // A colour choice outside the staff colour table shows its default role.
  const struct {
    int stored, shown;
  } choices[] = {{-1, 4}, {8, 4}, {0, 0}, {7, 7}};
  for (const auto& c : choices) {
    o[kOptNotePlayColor] = c.stored;
    EXPECT_EQ(LoadColorPage(host).choices[0], c.shown) << c.stored;
  }
#endif
  o[kOptUndoLevels] = 2;
  o[kOptAutoSaveMinutes] = 90;
  EXPECT_EQ(LoadEditorPage(host).undoLevels, 2);
  EXPECT_EQ(LoadFilePage(host).minutes, 90);
}

TEST_F(OptionPages, FolderRowsAndTheirChanges) {
  EXPECT_EQ(FolderRowText(0, "C:\\Songs"), "Song Files:\tC:\\Songs");
  EXPECT_EQ(FolderRowText(1, "D:\\"), "Print Preview Copy:\tD:\\");
  EXPECT_EQ(FolderRowText(2, ""), "New File Templates:\t");
  EXPECT_EQ(FolderRowText(3, "E:\\A"), "Auto Save/Recovery:\tE:\\A");
  EXPECT_EQ(FolderRowText(4, "x"), "");

  const struct {
    int row;
    std::vector<std::string> calls;
  } cases[] = {
      {0, {"remember 0 C:\\New", "folder 0 C:\\New"}},
      {1, {"remember 1 C:\\New", "folder 1 C:\\New"}},
      {2, {"folder 2 C:\\New"}},
      {3, {"folder 3 C:\\New", "windows 5"}},
      {4, {}},
  };
  for (const auto& c : cases) {
    TFakeOptionsHost host(settings_);
    ApplyFolderChange(c.row, "C:\\New", host);
    EXPECT_EQ(host.calls, c.calls) << c.row;
  }
}

TEST_F(OptionPages, FolderEditNormalisesAndAcceptsOnlyFolders) {
  const struct {
    const char *text, *folder;
  } cases[] = {{"C:\\Music\\", "C:\\Music"}, {"C:\\", "C:\\"}, {"C:\\Music", "C:\\Music"}, {"", ""}};
  for (const auto& c : cases) {
    char out[260];
    ASSERT_TRUE(NormaliseFolderText(c.text, out)) << c.text;
    EXPECT_STREQ(out, c.folder) << c.text;
  }
  char out[260];
  EXPECT_FALSE(NormaliseFolderText(std::string(300, 'a').c_str(), out));

  auto isFolder = [](const char* path) { return std::string(path) == "C:\\There"; };
  EXPECT_TRUE(FolderEditAccepts("", isFolder));
  EXPECT_TRUE(FolderEditAccepts("C:\\There", isFolder));
  EXPECT_FALSE(FolderEditAccepts("C:\\Gone", isFolder));
}

TEST_F(OptionPages, DeviceFailureTextsAndEchoChannels) {
  EXPECT_EQ(PlayDeviceFailureText(0x5, {"VMIDI Out A", "VMIDI Out B", "Gone Synth"}),
            "The following play devices failed to open properly:\n\n\tVMIDI Out A\n\tGone Synth\n\n"
            "This problem must be corrected before proceeding.");
  const std::vector<std::string> channels = EchoChannelNames();
  ASSERT_EQ(channels.size(), 17u);
  EXPECT_EQ(channels[0], "Use original channel");
  EXPECT_EQ(channels[16], "Channel 16");
  EXPECT_EQ(EchoChannelIndex(0), 0);
  EXPECT_EQ(EchoChannelIndex(16), 16);
  EXPECT_EQ(EchoChannelIndex(17), 0);
}

}  // namespace
