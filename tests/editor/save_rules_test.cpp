// Saving through a temporary file, backups, auto-save names and the names a window shows, over
// a fake file system that can refuse a write or a rename.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "QVKNTN/MusicScore.h"
#include "editor/SaveRules.h"
#include "foundation/QXTSegRamStream.h"

namespace {

class TFakeFiles : public TSaveFiles {
public:
  std::map<std::string, std::string> files;
  std::set<std::string> refuseWrite;  // a full disk: the write stops partway
  std::set<std::string> refuseMoveTo; // an existing read-only target cannot be replaced
  std::set<std::string> refuseMoveFrom;

  bool Exists(const char* path) override { return files.count(path) != 0; }
  bool WriteScore(const char* path, TMusicScore& score, bool compress, bool autoSave) override {
    if (refuseWrite.count(path)) {
      files[path] = "partial";
      return false;
    }
    TQXTSegRamStream s(1000);
    score.Write(s);
    files[path] = std::string(compress ? "Z:" : "") + (autoSave ? "A:" : "") + score.Info().title;
    if (!autoSave) score.SetConverted(false);
    return true;
  }
  bool Move(const char* from, const char* to) override {
    if (!files.count(from) || refuseMoveFrom.count(from)) return false;
    if (files.count(to) && refuseMoveTo.count(to)) return false;
    files[to] = files[from];
    files.erase(from);
    return true;
  }
  bool Remove(const char* path) override { return files.erase(path) != 0; }
};

const char kPath[] = "C:\\Songs\\song.qvk";

struct TSaveFixture {
  TFakeFiles fs;
  TMusicScore score;
  TSaveFixture() {
    fs.files[kPath] = "old";
    std::snprintf(score.Info().title, sizeof score.Info().title, "%s", "new");
    score.SetConverted(true);
  }
};

bool Decline(void*) { return false; }
bool Accept(void*) { return true; }

}  // namespace

TEST(SaveRules, ReplacesTheFileOnlyWhenTheNewOneIsWhole) {
  struct Case {
    const char* name;
    bool backups;
    const char* refuseWrite;
    const char* refuseMoveTo;
    const char* refuseMoveFrom;
    bool (*ask)(void*);
    TSaveOutcome outcome;
    const char* file;
    const char* bak;  // null: none
  } cases[] = {
      {"plain save", false, nullptr, nullptr, nullptr, nullptr, TSaveOutcome::Saved, "new", nullptr},
      {"save with backup", true, nullptr, nullptr, nullptr, nullptr, TSaveOutcome::Saved, "new", "old"},
      {"disk full", false, "C:\\Songs\\song.$$$", nullptr, nullptr, nullptr, TSaveOutcome::WriteFailed, "old", nullptr},
      {"disk full with backups", true, "C:\\Songs\\song.$$$", nullptr, nullptr, nullptr, TSaveOutcome::WriteFailed,
       "old", nullptr},
      {"read-only target", false, nullptr, kPath, nullptr, nullptr, TSaveOutcome::ReplaceFailed, "old", nullptr},
      // The read-only file itself can still become the backup.
      {"read-only target with backups", true, nullptr, kPath, nullptr, nullptr, TSaveOutcome::Saved, "new", "old"},
      {"backup refused, not saved", true, nullptr, nullptr, kPath, Decline, TSaveOutcome::BackupDeclined, "old",
       nullptr},
      {"backup refused, saved anyway", true, nullptr, nullptr, kPath, Accept, TSaveOutcome::Saved, "new", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSaveFixture f;
    if (c.refuseWrite) f.fs.refuseWrite.insert(c.refuseWrite);
    if (c.refuseMoveTo) f.fs.refuseMoveTo.insert(c.refuseMoveTo);
    if (c.refuseMoveFrom) f.fs.refuseMoveFrom.insert(c.refuseMoveFrom);
    EXPECT_EQ(SaveScoreSafely(f.fs, kPath, f.score, false, c.backups, c.ask, nullptr), c.outcome);
    EXPECT_EQ(f.fs.files[kPath], c.file);
    EXPECT_EQ(f.fs.files.count("C:\\Songs\\song.$$$"), 0u) << "no temporary file is left";
    if (c.bak) {
      EXPECT_EQ(f.fs.files["C:\\Songs\\song.BAK"], c.bak);
    } else {
      EXPECT_EQ(f.fs.files.count("C:\\Songs\\song.BAK"), 0u);
    }
    EXPECT_EQ(f.score.IsConverted(), c.outcome != TSaveOutcome::Saved) << "flags change only with a save";
  }
}

TEST(SaveRules, AutoSaveCopiesAreUncompressedAndWholeOrNothing) {
  TSaveFixture f;
  const char asv[] = "C:\\Auto\\qvk000.asv";
  f.fs.files[asv] = "previous";
  EXPECT_TRUE(WriteAutoSaveCopy(f.fs, asv, f.score));
  EXPECT_EQ(f.fs.files[asv], "A:new");
  EXPECT_TRUE(f.score.IsConverted()) << "an automatic copy leaves the flags";
  f.fs.refuseWrite.insert("C:\\Auto\\qvk000.$$$");
  EXPECT_FALSE(WriteAutoSaveCopy(f.fs, asv, f.score));
  EXPECT_EQ(f.fs.files[asv], "A:new");
}

TEST(SaveRules, AutoSaveNamesTakeTheFirstFreeNumberAndNeverOverwrite) {
  TFakeFiles fs;
  fs.files["C:\\Auto\\qvk000.asv"] = "a";
  fs.files["C:\\Auto\\qvk001.asv"] = "b";
  char name[260];
  ASSERT_TRUE(ChooseAutoSaveName(fs, "C:\\Auto", name));
  EXPECT_STREQ(name, "C:\\Auto\\qvk002.asv");
  for (int i = 0; i < 1000; ++i) {
    char taken[32];
    std::snprintf(taken, sizeof taken, "C:\\Auto\\qvk%03d.asv", i);
    fs.files[taken] = "x";
  }
  EXPECT_FALSE(ChooseAutoSaveName(fs, "C:\\Auto", name)) << "all 1000 names exist";
  EXPECT_EQ(fs.files["C:\\Auto\\qvk999.asv"], "x");
}

TEST(SaveRules, NamesOfferedAndShown) {
  struct Case {
    const char* path;
    bool untitled;
    const char* offered;
    const char* title;
  } cases[] = {
      {"C:\\Songs\\a.b.qvk", false, "a.b.qvk", "a.b"},
      {"C:\\Songs\\song.qvk", false, "song", "song"},
      {"C:\\Songs\\noext", false, "noext", "noext"},
      {"<Recovered File 1>", true, "Recovered File 1", "<Recovered File 1>"},
  };
  for (const Case& c : cases) {
    char offered[260], title[260];
    SaveAsInitialName(c.path, c.untitled, offered);
    ScoreWindowTitle(c.path, title);
    EXPECT_STREQ(offered, c.offered) << c.path;
    EXPECT_STREQ(title, c.title) << c.path;
  }
}
