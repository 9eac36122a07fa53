// Opening files against a host that records what it is asked to do, over real score files written
// to a folder of the test's own: routing by extension, the window already showing a file, every
// load status and its message, and the repair of a file that went through a text-mode transfer.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreFile.h"
#include "app/FileOpening.h"
#include "app/FrameFlow.h"
#include "foundation/TextUtils.h"
#include "resources/StringIds.h"

namespace fs = std::filesystem;

namespace {

class TRecordingHost : public TFileOpenHost {
public:
  std::vector<std::string> calls;
  std::set<std::string> openWindows;  // as shown, any letter case
  bool answerRepair = true;
  bool experimentalActive = false;
  bool experimentalScore = false;
  bool temporaryFails = false;
  bool importYields = true;
  std::vector<std::string> temporaries;
  struct TOpened {
    std::string path;
    bool imported;
    std::string title;
    int staves;
  };
  std::vector<TOpened> opened;

  bool ActivateWindowShowing(const char* path) override {
    for (const std::string& w : openWindows) {
      if (CompareNoCase(w.c_str(), path) == 0) {
        calls.push_back("activate " + w);
        return true;
      }
    }
    return false;
  }
  void ShowStatus(const char* text) override { calls.push_back(std::string("status ") + text); }
  void ShowFileMessage(unsigned textId, const char* fileName, const char* detail) override {
    calls.push_back("message " + std::to_string(textId) + " " + fileName + (detail ? std::string(" ") + detail : ""));
  }
  bool AskRepairTranslation(const char* fileName) override {
    calls.push_back(std::string("ask repair ") + fileName);
    return answerRepair;
  }
  void ShowExperimentalNotice(const char* fileName) override {
    calls.push_back(std::string("experimental ") + fileName);
  }
  bool IsExperimentalActive() const override { return experimentalActive; }
  bool UsesExperimentalFeatures(const TMusicScore&) const override { return experimentalScore; }
  std::unique_ptr<TMusicScore> ImportMidiFile(const char* path, int mode) override {
    calls.push_back(std::string("import ") + path + " " + std::to_string(mode));
    if (!importYields) return nullptr;
    auto score = std::make_unique<TMusicScore>();
    StrCopyMax(score->Info().title, "from the file", sizeof score->Info().title);
    score->AppendStaff(new TMusicStaff);
    return score;
  }
  std::unique_ptr<TMusicScore> ReadScore(const char* path, TScoreLoadInfo& info) override {
    calls.push_back(std::string("read ") + (temporaries.empty() || temporaries.back() != path ? path : "temporary"));
    return std::unique_ptr<TMusicScore>(ReadScoreFile(path, info));
  }
  bool MakeTemporaryFile(char (&path)[260]) override {
    if (temporaryFails) return false;
    const std::string name = "qvk" + std::to_string(temporaries.size()) + ".tmp";
    std::ofstream(name).close();
    temporaries.push_back(name);
    StrCopyMax(path, name.c_str(), sizeof path);
    return true;
  }
  void RemoveFile(const char* path) override {
    calls.push_back("remove temporary");
    std::remove(path);
  }
  void OpenScoreWindow(std::unique_ptr<TMusicScore> score, const char* path, bool imported) override {
    calls.push_back(std::string("window ") + path + (imported ? " imported" : ""));
    opened.push_back({path, imported, score->Info().title, score->StaffCount()});
  }
};

// A folder of the test's own as the current folder: names stay short and carry no folder part.
class FileOpeningTest : public ::testing::Test {
protected:
  void SetUp() override {
    previous_ = fs::current_path();
    folder_ = fs::temp_directory_path() /
              ("vc_file_opening_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::current_path(folder_);
  }
  void TearDown() override {
    fs::current_path(previous_);
    fs::remove_all(folder_);
  }

  // A plain score of `staves` staves; ten staves put an LF byte into the staff count.
  static std::vector<unsigned char> ScoreBytes(int staves) {
    TMusicScore score;
    StrCopyMax(score.Info().title, "Song", sizeof score.Info().title);
    for (int i = 0; i < staves; ++i) score.AppendStaff(new TMusicStaff);
    EXPECT_EQ(SaveScoreFile("made.qvk", 0, score), 1);
    std::vector<unsigned char> bytes = Read("made.qvk");
    fs::remove("made.qvk");
    return bytes;
  }
  static std::vector<unsigned char> Read(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // What a text-mode transfer makes of the bytes: CR before every LF.
  static std::vector<unsigned char> Translated(const std::vector<unsigned char>& bytes) {
    std::vector<unsigned char> out;
    for (unsigned char b : bytes) {
      if (b == '\n') out.push_back('\r');
      out.push_back(b);
    }
    return out;
  }
  static void PutInt16(std::vector<unsigned char>& bytes, size_t at, int value) {
    bytes[at] = static_cast<unsigned char>(value & 0xFF);
    bytes[at + 1] = static_cast<unsigned char>((value >> 8) & 0xFF);
  }
  // Header offsets: the int16 after the first string, the product name, release, format version.
  static constexpr size_t kFieldTwo = 21, kProductName = 24, kRelease = 36, kFormatVersion = 55;

  fs::path previous_, folder_;
  TRecordingHost host;
};

TEST_F(FileOpeningTest, ScoreFilesInAnyLetterCaseOpenInANewWindow) {
  Write("Song.qvk", ScoreBytes(2));
  Write("Old.QXT", ScoreBytes(1));
  RunOpenDocumentFile(host, "Song.qvk", kOpenModeFileOpen);
  RunOpenDocumentFile(host, "Old.QXT", kOpenModeDde);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"status Loading file: Song.qvk", "read Song.qvk", "window Song.qvk",
                                                  "status Loading file: Old.QXT", "read Old.QXT", "window Old.QXT"}));
  ASSERT_EQ(host.opened.size(), 2u);
  EXPECT_FALSE(host.opened[0].imported);
  EXPECT_EQ(host.opened[0].staves, 2);
  EXPECT_EQ(host.opened[0].title, "Song");
}

TEST_F(FileOpeningTest, MidiFilesGoToTheImportAndTakeTheirBaseNameAsTitle) {
  for (const char* name : {"C:\\Music\\Tune.Mid", "Karaoke.song.KAR", "x.rmi"}) {
    host.calls.clear();
    host.opened.clear();
    RunOpenDocumentFile(host, name, kOpenModeDropped);
    ASSERT_EQ(host.opened.size(), 1u) << name;
    EXPECT_TRUE(host.opened[0].imported);
    EXPECT_EQ(host.calls[1], std::string("import ") + name + " 7");
  }
  EXPECT_EQ(host.calls[0], "status Importing file: x.rmi");
  EXPECT_EQ(host.opened[0].title, "x");
  host.opened.clear();
  RunOpenDocumentFile(host, "C:\\Music\\Tune.Mid", kOpenModeHistory);
  EXPECT_EQ(host.opened[0].title, "Tune");
  // An import that yields nothing opens nothing; the import told the user why.
  host.importYields = false;
  host.calls.clear();
  RunOpenDocumentFile(host, "gone.mid", kOpenModeDde);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"status Importing file: gone.mid", "import gone.mid 5"}));
}

TEST_F(FileOpeningTest, AnUnknownTypeIsNamedWithoutItsDot) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Docs\\notes.txt", "message 8193 notes.txt txt"},
      {"C:\\Docs.d\\README", "message 8193 README "},
      {"song.qvk.bak", "message 8193 song.qvk.bak bak"},
  };
  for (const auto& [path, expected] : cases) {
    host.calls.clear();
    RunOpenDocumentFile(host, path, kOpenModeFileOpen);
    EXPECT_EQ(host.calls, (std::vector<std::string>{expected})) << path;
  }
  EXPECT_TRUE(host.opened.empty());
}

TEST_F(FileOpeningTest, AFileAlreadyShownIsActivatedInsteadOfOpenedAgain) {
  Write("Song.qvk", ScoreBytes(1));
  host.openWindows.insert("C:\\Songs\\Song.qvk");
  RunOpenDocumentFile(host, "c:\\SONGS\\song.QVK", kOpenModeDde);
  RunOpenDocumentFile(host, "C:\\Songs\\Song.qvk", kOpenModeDropped);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"activate C:\\Songs\\Song.qvk", "activate C:\\Songs\\Song.qvk"}));
  EXPECT_TRUE(host.opened.empty());
}

TEST_F(FileOpeningTest, EachRefusedHeaderGivesItsMessageAndNoWindow) {
  const std::vector<unsigned char> good = ScoreBytes(1);
  std::vector<unsigned char> newer = good;
  PutInt16(newer, kFormatVersion, 17);
  PutInt16(newer, kRelease, 0x150);
  std::vector<unsigned char> field = good;
  PutInt16(field, kFieldTwo, 1);
  std::vector<unsigned char> product = good;
  product[kProductName] = 'X';
  // Bytes that are no score and hold an LF without a CR: not offered for repair.
  const std::vector<unsigned char> hostile = {'M', 'Z', 0x90, '\n', 0xFF, 0xFF, 0x00, 0x7F};
  Write("newer.qvk", newer);
  Write("field.qvk", field);
  Write("product.qvk", product);
  Write("hostile.qvk", hostile);

  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"newer.qvk", {"read newer.qvk", "message 8196 newer.qvk 1.80"}},
      {"field.qvk", {"read field.qvk", "message 8195 field.qvk"}},
      {"product.qvk", {"read product.qvk", "message 8197 product.qvk"}},
      {"hostile.qvk",
       {"read hostile.qvk", "status Checking file for improper binary to ascii conversion", "message 8194 hostile.qvk"}},
      {"missing.qvk", {"read missing.qvk", "status Checking file for improper binary to ascii conversion",
                       "message 8194 missing.qvk"}},
  };
  for (const auto& [name, expected] : cases) {
    host.calls.clear();
    EXPECT_EQ(RunLoadScoreFile(host, name, kOpenModeFileOpen), nullptr) << name;
    EXPECT_EQ(host.calls, expected) << name;
  }
  EXPECT_TRUE(host.opened.empty());
}

TEST_F(FileOpeningTest, ModeFourIsRefusedWithoutReading) {
  Write("Song.qvk", ScoreBytes(1));
  EXPECT_EQ(RunLoadScoreFile(host, "Song.qvk", kOpenModeImport), nullptr);
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(FileOpeningTest, ATranslatedScoreIsRepairedFromATemporaryCopyThatDoesNotStay) {
  const std::vector<unsigned char> good = ScoreBytes(10);
  Write("Damaged.qvk", Translated(good));
  TScoreLoadInfo info;
  info.Clear();
  std::unique_ptr<TMusicScore> unrepaired(ReadScoreFile("Damaged.qvk", info));
  ASSERT_TRUE(info.status == slNotRecognised || info.status == slStreamFailed) << "the damage must show";

  RunOpenDocumentFile(host, "Damaged.qvk", kOpenModeDropped);
  EXPECT_EQ(host.calls, (std::vector<std::string>{
                            "status Loading file: Damaged.qvk", "read Damaged.qvk",
                            "status Checking file for improper binary to ascii conversion", "ask repair Damaged.qvk",
                            "status Creating a temporary binary version of the file",
                            "status Loading the temporary version of the file", "read temporary", "remove temporary",
                            "window Damaged.qvk"}));
  ASSERT_EQ(host.opened.size(), 1u);
  EXPECT_EQ(host.opened[0].staves, 10);
  EXPECT_EQ(host.opened[0].title, "Song");
  ASSERT_EQ(host.temporaries.size(), 1u);
  EXPECT_FALSE(fs::exists(host.temporaries[0]));
  // The damaged file itself is left as it was.
  EXPECT_EQ(Read("Damaged.qvk"), Translated(good));
}

TEST_F(FileOpeningTest, DecliningTheRepairGivesTheMessageOfTheFirstRead) {
  Write("Damaged.qvk", Translated(ScoreBytes(10)));
  TScoreLoadInfo info;
  info.Clear();
  std::unique_ptr<TMusicScore> partial(ReadScoreFile("Damaged.qvk", info));
  host.answerRepair = false;
  std::unique_ptr<TMusicScore> score = RunLoadScoreFile(host, "Damaged.qvk", kOpenModeFileOpen);
  if (info.status == slStreamFailed) {
    // The user carries on with the partly read score.
    EXPECT_TRUE(score);
    EXPECT_EQ(host.calls.back(), "message 8199 Damaged.qvk");
  } else {
    EXPECT_FALSE(score);
    EXPECT_EQ(host.calls.back(), "message 8194 Damaged.qvk");
  }
  EXPECT_TRUE(host.temporaries.empty());
}

TEST_F(FileOpeningTest, WithoutATemporaryFileTheRepairGivesUpAndNothingOpens) {
  Write("Damaged.qvk", Translated(ScoreBytes(10)));
  host.temporaryFails = true;
  RunOpenDocumentFile(host, "Damaged.qvk", kOpenModeFileOpen);
  EXPECT_TRUE(host.opened.empty());
  ASSERT_GE(host.calls.size(), 2u);
  EXPECT_EQ(host.calls[host.calls.size() - 2], "status Creating a temporary binary version of the file");
  EXPECT_TRUE(host.calls.back() == "message 8194 Damaged.qvk" || host.calls.back() == "message 8199 Damaged.qvk");
}

TEST_F(FileOpeningTest, TheExperimentalNoticeShowsOnlyWhileExperimentalFeaturesAreRestricted) {
  Write("Song.qvk", ScoreBytes(1));
  host.experimentalScore = true;
  EXPECT_TRUE(RunLoadScoreFile(host, "Song.qvk", kOpenModeFileOpen));
  EXPECT_EQ(host.calls.back(), "experimental Song.qvk");
  host.calls.clear();
  host.experimentalActive = true;
  EXPECT_TRUE(RunLoadScoreFile(host, "Song.qvk", kOpenModeFileOpen));
  EXPECT_EQ(host.calls, (std::vector<std::string>{"read Song.qvk"}));
}

}  // namespace
