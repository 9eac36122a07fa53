// File operations on real files in a temporary folder under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "foundation/win32/FileUtils.h"
#include "tests/utility/ScratchPath.h"

namespace {

class FileUtils : public testing::Test {
 protected:
  void SetUp() override {
    dir = ScratchPath(std::string("files_") + testing::UnitTest::GetInstance()->current_test_info()->name());
    CreateDirectoryA(dir.c_str(), nullptr);
    dir += "\\";
  }
  void TearDown() override {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::string p = dir + found.cFileName;
        SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveDirectoryA(p.c_str());
        else
          DeleteFileA(p.c_str());
      } while (FindNextFileA(h, &found));
      FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }

  std::string Write(const char* name, const char* text) {
    const std::string p = dir + name;
    std::ofstream(p, std::ios::binary) << text;
    return p;
  }
  static std::string Read(const std::string& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  std::string dir;
};

TEST_F(FileUtils, AttributeTests) {
  const std::string f = Write("a.txt", "x");
  EXPECT_EQ(FileExists(f.c_str()), 1);
  EXPECT_EQ(FileExists(dir.c_str()), 0) << "a folder is not a file";
  EXPECT_EQ(FileExists((dir + "none").c_str()), 0);
  EXPECT_EQ(IsDirectory(dir.c_str()), 1);
  EXPECT_EQ(IsDirectory(f.c_str()), 0);
  EXPECT_EQ(IsReadOnlyFile(f.c_str()), 0);
  SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(IsReadOnlyFile(f.c_str()), 1);

  const std::string sub = dir + "sub";
  EXPECT_EQ(CreateDir(sub.c_str()), 1);
  EXPECT_EQ(CreateDir(sub.c_str()), 0);
  EXPECT_EQ(RemoveDir(sub.c_str()), 1);
  EXPECT_EQ(FileDelete((dir + "none").c_str()), 0);
}

TEST_F(FileUtils, CopyRefusesTheSameNameAndOverwrites) {
  const std::string a = Write("a.txt", "new");
  const std::string b = Write("b.txt", "old");
  EXPECT_EQ(FileCopy(a.c_str(), b.c_str()), 1);
  EXPECT_EQ(Read(b), "new");
  std::string upper = a;
  for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  EXPECT_EQ(FileCopy(a.c_str(), upper.c_str()), 0);
}

TEST_F(FileUtils, MoveReplacesTheTarget) {
  const std::string a = Write("a.txt", "new");
  const std::string b = Write("b.txt", "old");
  EXPECT_EQ(FileMove(a.c_str(), b.c_str()), 1);
  EXPECT_EQ(Read(b), "new");
  EXPECT_EQ(FileExists(a.c_str()), 0);
}

TEST_F(FileUtils, FailedMoveKeepsTheTarget) {
  const std::string target = Write("keep.qvk", "precious");
  EXPECT_EQ(FileMove((dir + "missing.qvk").c_str(), target.c_str()), 0);
  EXPECT_EQ(Read(target), "precious") << "the target must survive a move that fails";

}

TEST_F(FileUtils, MoveOntoItselfAnswersZeroAndKeepsTheFile) {
  const std::string a = Write("Song.qvk", "data");
  std::string lower = a;
  lower.replace(lower.size() - 8, 8, "song.QVK");
  EXPECT_EQ(FileMove(a.c_str(), lower.c_str()), 0);
  EXPECT_EQ(Read(a), "data");
}

TEST_F(FileUtils, MoveFileAs) {
  const std::string song = Write("song.qvk", "v1");
  EXPECT_EQ(MoveFileAs((dir + "absent.qvk").c_str(), nullptr, "BAK"), 1) << "nothing to move counts as done";
  EXPECT_EQ(MoveFileAs(song.c_str(), nullptr, "BAK"), 1);
  EXPECT_EQ(Read(dir + "song.BAK"), "v1");
  EXPECT_EQ(FileExists(song.c_str()), 0);

  const std::string sub = dir + "backup\\";
  CreateDirectoryA(sub.c_str(), nullptr);
  const std::string bak = dir + "song.BAK";
  EXPECT_EQ(MoveFileAs(bak.c_str(), sub.c_str(), nullptr), 1);
  EXPECT_EQ(Read(sub + "song.BAK"), "v1");

  const std::string again = sub + "song.BAK";
  EXPECT_EQ(MoveFileAs(again.c_str(), nullptr, ".bak"), 0) << "the same name ignoring case";
  EXPECT_EQ(FileExists(again.c_str()), 1);
  DeleteFileA(again.c_str());
  RemoveDirectoryA(sub.c_str());
}

TEST_F(FileUtils, MakeFullPathAndCurrentFolder) {
  TCurrentDirSaver saver;
  ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
  char current[kMaxPath];
  ASSERT_EQ(GetCurrentDir(current), 1);

  char path[kMaxPath] = "song.qvk";
  EXPECT_EQ(MakeFullPath(path), 1);
  EXPECT_EQ(std::string(path), std::string(current) + "\\song.qvk");
  char drive[kMaxPath] = "C:song.qvk";
  MakeFullPath(drive);
  EXPECT_STREQ(drive, "C:song.qvk");
  char rooted[kMaxPath] = "x\\y.qvk";
  MakeFullPath(rooted);
  EXPECT_STREQ(rooted, "x\\y.qvk");

  // A bare name that fits alone but not after the folder is refused, not written past the end.
  struct {
    char path[kMaxPath];
    char guard[4];
  } g;
  std::memset(&g, 'G', sizeof g);
  const std::string longName(kMaxPath - 2, 'n');
  std::strcpy(g.path, longName.c_str());
  EXPECT_EQ(MakeFullPath(g.path), 0);
  EXPECT_EQ(std::string(g.path), longName);
  EXPECT_EQ(std::string(g.guard, 4), "GGGG");
}

TEST_F(FileUtils, CurrentDirSaverRestores) {
  char before[kMaxPath];
  GetCurrentDir(before);
  {
    TCurrentDirSaver saver;
    SetCurrentDirectoryA(dir.c_str());
  }
  char after[kMaxPath];
  GetCurrentDir(after);
  EXPECT_STREQ(after, before);
}

TEST_F(FileUtils, NamesOnDisk) {
  const std::string f = Write("MixedCase.Qvk", "x");
  std::string lower = dir + "mixedcase.qvk";
  char out[kMaxPath];
  EXPECT_EQ(GetTrueFileName(lower.c_str(), out), 1);
  EXPECT_EQ(std::string(out), dir + "MixedCase.Qvk");
  EXPECT_EQ(GetTrueFileName((dir + "none.qvk").c_str(), out), 0);
  EXPECT_EQ(std::string(out), dir + "none.qvk");

  char shortPath[kMaxPath];
  EXPECT_EQ(GetShortPath(f.c_str(), shortPath), 1);
  EXPECT_EQ(FileExists(shortPath), 1);
  EXPECT_EQ(GetShortPath((dir + "none.qvk").c_str(), shortPath), 0);
  EXPECT_EQ(std::string(shortPath), dir + "none.qvk");
}

}  // namespace
