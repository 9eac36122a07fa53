// The shell's settings in an INI file: the option block in its order, the file history, the
// folders, the placement defaults, the choice of the settings file and the insert templates.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/PerformanceStyle.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/TimeSignatureData.h"
#include "app/AppOptions.h"
#include "app/FileHistory.h"
#include "app/FolderSettings.h"
#include "app/FramePlacement.h"
#include "app/InsertItemTemplates.h"
#include "app/SettingsFile.h"
#include "foundation/SysInfo.h"

namespace {

class ShellSettings : public ::testing::Test {
protected:
  void SetUp() override {
    path_ = ::testing::TempDir() + "vc_shell_settings_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ini";
    std::remove(path_.c_str());
    settings_.SetStorageNames("Vellichord Tests", path_.c_str());
    settings_.SetRegistryFlag(0);
  }
  void TearDown() override { std::remove(path_.c_str()); }

  // The "key=value" lines of a section in file order.
  std::vector<std::string> SectionLines(const char* section) {
    settings_.FlushSettings();
    std::ifstream in(path_);
    std::vector<std::string> lines;
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line[0] == '[') {
        inside = line == std::string("[") + section + "]";
        continue;
      }
      if (inside && !line.empty()) lines.push_back(line);
    }
    return lines;
  }

  std::string path_;
  TSysInfo settings_;
};

}  // namespace

TEST_F(ShellSettings, OptionsAreWrittenInTheirOrderWithTheirDefaults) {
  TAppOptions options;
  options.Save(settings_);
  const std::vector<std::string> expected = {
      "ScoreWinColor=0", "StatusBarEnabled=1", "StatusBarShading=1", "Enable3dControls=1", "RtMouseSetsInsPt=1",
      "SmartInsertionPt=1", "SmartPropertiesInsert=0", "PersistentNoteTools=0", "EnableActiveStaffFrame=1",
      "ChasePlayingNotes=1", "UndoLevels=16", "SaveBackups=1", "AutoSaveMinutes=15", "PlayFromCaret=1",
      "PlayLeadInMeasures=1", "MidiPortUsage=2", "SMFExportTrkSigs=0", "SMFExportHdrInfo=1", "RecImportAction=0",
      "PrintMarginUnits=0", "OpenFilterIndex=1", "AcceptMidiInput=0", "DlgUseLightFont=0", "UseImportWizOnOpen=1",
      "UsageTipsOnStartup=1", "NextUsageTip=0", "ExperimentalActive=0"};
  EXPECT_EQ(SectionLines("Options"), expected);
}

TEST_F(ShellSettings, OptionsReadBackAndKeepTheirValueWhereAKeyIsMissingOrBad) {
  settings_.WriteString("Options", "UndoLevels", "42");
  settings_.WriteString("Options", "AutoSaveMinutes", "not a number");
  TAppOptions options;
  options[kOptExperimentalActive] = 1;  // a value already held is the default for its key
  options.Load(settings_);
  EXPECT_EQ(options[kOptUndoLevels], 42);
  EXPECT_EQ(options[kOptAutoSaveMinutes], 15);
  EXPECT_EQ(options[kOptExperimentalActive], 1);
  EXPECT_EQ(options[kOptMidiPortUsage], 2);
}

TEST_F(ShellSettings, FileHistoryRoundTripsTitleBeforeName) {
  TFileHistory history;
  history.Add("C:\\Songs\\a.qvk", "A");
  history.Add("C:\\Songs\\b.qvk", "B");
  history.Save(settings_);
  const std::vector<std::string> lines = SectionLines("FileHistory");
  ASSERT_EQ(lines.size(), 20u);
  EXPECT_EQ(lines[0], "Title1=B");
  EXPECT_EQ(lines[1], "Name1=C:\\Songs\\b.qvk");
  EXPECT_EQ(lines[2], "Title2=A");
  EXPECT_EQ(lines[19], "Name10=");
  TFileHistory read;
  read.Load(settings_);
  EXPECT_STREQ(read.Entry(0).path, "C:\\Songs\\b.qvk");
  EXPECT_STREQ(read.Entry(1).title, "A");
  EXPECT_STREQ(read.Entry(2).path, "");
}

TEST_F(ShellSettings, EmptyFoldersResolveBesideTheProgram) {
  char folder[260];
  const struct {
    int kind;
    const char* expected;
  } defaults[] = {{0, "C:\\Prog\\Samples"}, {1, "C:\\Prog"}, {2, "C:\\Prog\\Template"}, {3, "C:\\Prog\\AutoSave"}};
  for (const auto& d : defaults) {
    ASSERT_TRUE(GetFolderSetting(settings_, d.kind, "C:\\Prog\\", folder));
    EXPECT_STREQ(folder, d.expected);
  }
  SetFolderSetting(settings_, 0, "D:\\Music\\");
  SetFolderSetting(settings_, 3, "E:\\");
  ASSERT_TRUE(GetFolderSetting(settings_, 0, "C:\\Prog", folder));
  EXPECT_STREQ(folder, "D:\\Music");
  ASSERT_TRUE(GetFolderSetting(settings_, 3, "C:\\Prog", folder));
  EXPECT_STREQ(folder, "E:\\");  // a bare drive keeps its root
  EXPECT_FALSE(GetFolderSetting(settings_, 4, "C:\\Prog", folder));
  // A program folder too long to take "Template" behind it gives no folder rather than a cut one.
  const std::string deep = "C:\\" + std::string(250, 'd');
  EXPECT_FALSE(GetFolderSetting(settings_, 2, deep.c_str(), folder));
}

TEST_F(ShellSettings, PlacementDefaultsFollowTheScreenAndTheValuesRead) {
  TStoredPlacement p = ReadPlacement(settings_, 1280, 1024);
  EXPECT_EQ(p.flags, 0);
  EXPECT_EQ(p.showCmd, 3);
  EXPECT_EQ(p.x1, 256);
  EXPECT_EQ(p.y1, 204);
  EXPECT_EQ(p.x2, 1024);
  EXPECT_EQ(p.y2, 820);
  settings_.WriteInt("Placement", "x1", 100);  // x2's default follows the x1 that was read
  p = ReadPlacement(settings_, 1280, 1024);
  EXPECT_EQ(p.x2, 1180);
  WritePlacement(settings_, {2, 1, 10, 20, 30, 40});
  EXPECT_EQ(SectionLines("Placement"),
            (std::vector<std::string>{"x1=10", "flags=2", "showCmd=1", "y1=20", "x2=30", "y2=40"}));
}

TEST(SettingsFile, AReadOnlyFileBesideTheProgramSendsTheSettingsToTheBareName) {
  auto readOnly = [](const char* path) { return std::string(path) == "C:\\Program Files\\QVK\\QVK.INI"; };
  auto writable = [](const char*) { return false; };
  EXPECT_EQ(ChooseSettingsFile("C:\\Program Files\\QVK\\QVK32.exe", writable), "C:\\Program Files\\QVK\\QVK.INI");
  EXPECT_EQ(ChooseSettingsFile("C:\\Program Files\\QVK\\QVK32.exe", readOnly), "QVK.INI");
  EXPECT_EQ(ChooseSettingsFile("QVK32.exe", writable), "QVK.INI");
}

TEST(InsertTemplates, EachKindStartsFromItsConstructorArguments) {
  TInsertItemTemplates t;
  EXPECT_EQ(t.tempo->GetTempo(2), 120);
  EXPECT_EQ(t.timeSignature->GetBeats(), 4);
  EXPECT_EQ(t.ending->GetMask(), 1u);
  EXPECT_EQ(t.performanceStyle->GetStyle(), 20);
  ASSERT_NE(t.text, nullptr);
  ASSERT_NE(t.controller, nullptr);
}
