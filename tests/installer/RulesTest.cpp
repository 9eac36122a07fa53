// The installer's decisions: findings of the check phase, the installation test, the search
// order over drives, the ".uui" texts, the progress percentage and the target folder.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "PackageBytes.h"
#include "installer/DriveSearch.h"
#include "installer/UpgradeRules.h"
#include "installer/UpgradeTexts.h"

namespace {

using Op = TUpgOperation;
using P = TUpgPolicy;
using S = TUpgState;
using T = TUpgText;

const TUpgFileInfo kOld{0x5A215C00, 100, 0x1234};

TUpgFileRecord Record(Op op, P a, P b, const char* name = "f.bin") {
  TUpgFileRecord r;
  r.operation = op;
  r.policyA = a;
  r.policyB = b;
  std::snprintf(r.name, sizeof r.name, "%s", name);
  r.oldInfo = kOld;
  return r;
}

TUpgFileFacts Facts(bool exists, bool readOnly = false, TUpgFileInfo info = kOld) {
  TUpgFileFacts f;
  f.exists = exists;
  f.readOnly = readOnly;
  f.readable = exists;
  f.info = info;
  return f;
}

TEST(UpgRules, FindingsOfTheCheckPhase) {
  const TUpgFileInfo otherDate{kOld.dosDateTime + 1, kOld.size, kOld.checksum};
  const TUpgFileInfo otherSum{kOld.dosDateTime, kOld.size, 0x4321};
  struct Case { const char* what; Op op; TUpgFileFacts facts; S state; T text; P policy; bool anyway; };
  // Policy A is Ask and policy B Fatal throughout, so the table shows which one judges.
  const Case cases[] = {
      {"add, missing", Op::Add, Facts(false), S::ToHandle, T::Missing, P::Fatal, false},
      {"add, read-only", Op::Add, Facts(true, true), S::ReadOnly, T::ReadOnly, P::Fatal, false},
      {"add, exists", Op::Add, Facts(true), S::Exists, T::AddExists, P::Ask, true},
      {"replace, fine", Op::Replace, Facts(true, false, otherSum), S::ToHandle, T::Missing, P::Fatal, false},
      {"replace, read-only", Op::Replace, Facts(true, true), S::ReadOnly, T::ReadOnly, P::Fatal, false},
      {"replace, missing", Op::Replace, Facts(false), S::Missing, T::Missing, P::Fatal, false},
      {"patch, fine", Op::Patch, Facts(true), S::ToHandle, T::Missing, P::Fatal, false},
      {"patch, missing", Op::Patch, Facts(false), S::Missing, T::Missing, P::Fatal, false},
      {"patch, read-only", Op::Patch, Facts(true, true), S::ReadOnly, T::PatchReadOnly, P::Fatal, false},
      {"patch, differs", Op::Patch, Facts(true, false, otherSum), S::Differs, T::Differs, P::Fatal, false},
      {"patch, date differs", Op::Patch, Facts(true, false, otherDate), S::DateDiffers, T::DateDiffers, P::Ask, true},
      {"check, read-only is fine", Op::Check, Facts(true, true), S::ToHandle, T::Missing, P::Fatal, false},
      {"check, differs", Op::Check, Facts(true, true, otherSum), S::Differs, T::Differs, P::Fatal, false},
      {"delete, missing", Op::Delete, Facts(false), S::Missing, T::Missing, P::Fatal, false},
      {"delete, read-only", Op::Delete, Facts(true, true), S::ReadOnly, T::PatchReadOnly, P::Fatal, false},
      {"delete, differs", Op::Delete, Facts(true, false, otherSum), S::Differs, T::DeleteDiffers, P::Ask, true},
      {"delete, date differs", Op::Delete, Facts(true, false, otherDate), S::DateDiffers, T::DeleteDiffers, P::Ask, true},
  };
  for (const Case& c : cases) {
    const TUpgFinding f = JudgeUpgFile(Record(c.op, P::Ask, P::Fatal), c.facts);
    EXPECT_EQ(f.state, c.state) << c.what;
    EXPECT_EQ(f.policy, c.policy) << c.what;
    if (f.IsFinding()) {
      EXPECT_EQ(f.text, c.text) << c.what;
      EXPECT_EQ(f.handleAnyway, c.anyway) << c.what;
    }
  }
}

// Answers facts from a table of names; a name not in it is missing.
struct TTableProbe : TUpgFileProbe {
  std::map<std::string, TUpgFileFacts> files;
  TUpgFileFacts Facts(const TUpgFileRecord& record, bool) override {
    auto it = files.find(record.name);
    return it == files.end() ? TUpgFileFacts() : it->second;
  }
};

TEST(UpgRules, InstallationTest) {
  const TUpgFileInfo otherDate{kOld.dosDateTime + 2, kOld.size, kOld.checksum};
  const TUpgFileInfo otherSum{kOld.dosDateTime, kOld.size + 1, kOld.checksum};
  struct Case {
    const char* what;
    std::vector<TUpgFileRecord> records;
    std::map<std::string, TUpgFileFacts> files;
    bool expect;
  };
  const Case cases[] = {
      {"all match", {Record(Op::Patch, P::Ignore, P::Fatal, "a"), Record(Op::Check, P::Ignore, P::Ask, "b")},
       {{"a", Facts(true)}, {"b", Facts(true)}}, true},
      {"a missing fatal file rejects", {Record(Op::Patch, P::Ignore, P::Fatal, "a"), Record(Op::Check, P::Ignore, P::Fatal, "b")},
       {{"a", Facts(true)}}, false},
      {"a differing fatal file rejects", {Record(Op::Patch, P::Ignore, P::Fatal, "a"), Record(Op::Check, P::Ignore, P::Ask, "b")},
       {{"a", Facts(true, false, otherSum)}, {"b", Facts(true)}}, false},
      {"one of two asked files missing: a tie is not enough",
       {Record(Op::Patch, P::Ignore, P::Ask, "a"), Record(Op::Patch, P::Ignore, P::Ask, "b")}, {{"a", Facts(true)}}, false},
      {"two of three present", {Record(Op::Patch, P::Ignore, P::Ask, "a"), Record(Op::Patch, P::Ignore, P::Ask, "b"),
                                Record(Op::Patch, P::Ignore, P::Ask, "c")},
       {{"a", Facts(true)}, {"b", Facts(true)}}, true},
      {"date differs, policy A fatal", {Record(Op::Patch, P::Fatal, P::Ask, "a")}, {{"a", Facts(true, false, otherDate)}}, false},
      {"date differs, policy A asks: uncounted, nothing else matches", {Record(Op::Patch, P::Ask, P::Ask, "a")},
       {{"a", Facts(true, false, otherDate)}}, false},
      {"date differs, policy A ignores: a match", {Record(Op::Patch, P::Ignore, P::Ask, "a")},
       {{"a", Facts(true, false, otherDate)}}, true},
      {"a replaced file counts by being there", {Record(Op::Replace, P::Ignore, P::Fatal, "a")},
       {{"a", Facts(true, false, otherSum)}}, true},
      {"no matching file at all is never the installation",
       {Record(Op::Patch, P::Ignore, P::Ignore, "a"), Record(Op::Delete, P::Ignore, P::Ignore, "b")}, {}, false},
      {"only added files: nothing to recognise", {Record(Op::Add, P::Ignore, P::Fatal, "a")}, {{"a", Facts(true)}}, false},
      {"unjudged files do not count", {Record(Op::Patch, P::Ignore, P::Ignore, "a")}, {{"a", Facts(true)}}, false},
  };
  for (const Case& c : cases) {
    TTableProbe probe;
    probe.files = c.files;
    EXPECT_EQ(IsUpgInstallation(c.records, probe), c.expect) << c.what;
  }
}

// A disk as a map of folder -> subfolders; installations are a set of folders.
struct TFakeDisk : TSearchDisk {
  std::string fixed;
  std::map<std::string, std::vector<std::string>> tree;
  std::vector<std::string> installs;
  std::vector<std::string> visited;
  bool IsFixedDrive(char letter) override { return fixed.find(letter) != std::string::npos; }
  void ListSubfolders(const std::string& folder, std::vector<std::string>& out) override {
    for (const std::string& sub : tree[folder]) out.push_back(folder + sub + "\\");
  }
  bool IsInstallation(const std::string& folder) override {
    visited.push_back(folder);
    for (const std::string& i : installs)
      if (i == folder) return true;
    return false;
  }
};

TEST(UpgSearch, EachFixedDriveCompletelyAndBreadthFirst) {
  TFakeDisk disk;
  disk.fixed = "CDE";
  disk.tree["C:\\"] = {"a", "b"};
  disk.tree["C:\\a\\"] = {"deep"};
  disk.tree["C:\\a\\deep\\"] = {"deeper"};
  disk.tree["C:\\b\\"] = {"x"};
  disk.tree["A:\\"] = {"floppy"};
  disk.tree["D:\\"] = {"Vellichord"};
  disk.installs = {"D:\\Vellichord\\", "C:\\a\\deep\\deeper\\"};
  EXPECT_EQ(SearchDrives(disk), "C:\\a\\deep\\deeper\\");  // deep on C before shallow on D
  EXPECT_EQ(disk.visited, (std::vector<std::string>{"C:\\", "C:\\a\\", "C:\\b\\", "C:\\a\\deep\\", "C:\\b\\x\\",
                                                    "C:\\a\\deep\\deeper\\"}));

  disk.installs = {"D:\\Vellichord\\"};
  disk.visited.clear();
  EXPECT_EQ(SearchDrives(disk), "D:\\Vellichord\\");
  EXPECT_EQ(disk.visited.size(), 8u);  // all of C first, never the floppy

  disk.installs.clear();
  EXPECT_EQ(SearchDrives(disk), "");
}

TEST(UpgTexts, LinesPartsAndDefaults) {
  TBytes file;
  file.Raw("add|patch|replace|check|delete\r\n\r\nCaption\n").Raw(std::string(300, 'L')).Raw("\r\nlast without end");
  auto s = ReadView(file.data);
  TUpgTexts texts;
  texts.Load(s);
  EXPECT_EQ(texts.OperationName(0), "add");
  EXPECT_EQ(texts.OperationName(4), "delete");
  EXPECT_EQ(texts.OperationName(5), "");
  EXPECT_EQ(texts.Line(T::Prefixes), "-|-|-|");  // empty line
  EXPECT_EQ(texts.Part(T::Prefixes, 1), "-");
  EXPECT_EQ(texts.Line(T::Caption), "Caption");
  EXPECT_EQ(texts.Line(T::CancelButton), std::string(255, 'L'));
  EXPECT_EQ(texts.Line(T::BuildPhase), "last without end");
  EXPECT_EQ(texts.Line(T::ReplacePhase), "-|-|-|");  // missing
  EXPECT_EQ(texts.Line(T::BuildFatalDetail), "-|-|-|");
}

TEST(UpgTexts, QuestionBox) {
  TBytes file;
  file.Raw("Add|Patch\nOp: |File: |About: \n");
  auto s = ReadView(file.data);
  TUpgTexts texts;
  texts.Load(s);
  TUpgFileRecord r = Record(Op::Patch, P::Ask, P::Ask, "QVK32.EXE");
  EXPECT_EQ(UpgQuestionText(texts, r, "first", "second"), "Op: Patch\n\nFile: QVK32.EXE\n\nfirst\n\nsecond");
  std::snprintf(r.description, sizeof r.description, "%s", "The editor");
  EXPECT_EQ(UpgQuestionText(texts, r, "first", "second"),
            "Op: Patch\n\nFile: QVK32.EXE\nAbout: The editor\n\nfirst\n\nsecond");
}

TEST(UpgRules, PercentageTargetAndNames) {
  EXPECT_EQ(UpgPercentage(0, 1), 1);
  EXPECT_EQ(UpgPercentage(0, 1001), 1);
  EXPECT_EQ(UpgPercentage(500, 1001), 46);     // 500 / 11 + 1
  EXPECT_EQ(UpgPercentage(1000, 1001), 91);
  EXPECT_EQ(UpgPercentage(5000, 1001), 100);
  EXPECT_EQ(UpgPercentage(uint64_t(1) << 40, (uint64_t(1) << 40) + 1), 100);

  struct Case { const char* chosen; const char* target; };
  const Case cases[] = {{"C:\\Target", "C:\\"}, {"D:\\Apps\\Vellichord\\Target", "D:\\Apps\\Vellichord"},
                        {"E:\\x\\Target", "E:\\x"}};
  for (const Case& c : cases) {
    std::string target;
    ASSERT_TRUE(UpgTargetFromChosenPath(c.chosen, target)) << c.chosen;
    EXPECT_EQ(target, c.target);
  }
  std::string target = "keep";
  EXPECT_FALSE(UpgTargetFromChosenPath("Target", target));
  EXPECT_EQ(target, "keep");

  EXPECT_EQ(UpgFolderForDisplay("C:\\"), "C:\\");
  EXPECT_EQ(UpgFolderForDisplay("D:\\Apps\\Q\\"), "D:\\Apps\\Q");
  EXPECT_EQ(UpgFolderWithSlash("D:\\Apps"), "D:\\Apps\\");
  EXPECT_EQ(UpgFolderWithSlash("C:\\"), "C:\\");
  EXPECT_EQ(UpgTempName("D:\\Q\\", 7), "D:\\Q\\__QVUPD_\\00007.TMP");
  EXPECT_EQ(UpgBackupName("D:\\Q\\", 12345), "D:\\Q\\__QVUPD_\\12345.OLD");
  EXPECT_EQ(UpgInstalledName("D:\\Q\\", Record(Op::Add, P::Ignore, P::Ignore, "a/b.txt")), "D:\\Q\\a\\b.txt");
}

}  // namespace
