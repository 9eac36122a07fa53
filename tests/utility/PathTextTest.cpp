#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/PathText.h"

TEST(PathText, NameAndExtensionParts) {
  EXPECT_EQ(GetExtensionOffset("C:\\dir.x\\song.qvk"), 13u);
  EXPECT_STREQ(GetExtensionPart("C:\\dir.x\\song.qvk"), ".qvk");
  EXPECT_STREQ(GetExtensionPart("C:\\dir.x\\song"), "") << "a dot in a folder is no extension";
  EXPECT_STREQ(GetExtensionPart("a.b.c"), ".c");
  EXPECT_EQ(GetFileNameOffset("song.qvk"), 0u);
  EXPECT_STREQ(GetFileNamePart("\\\\server\\share\\x.mid"), "x.mid");
}

TEST(PathText, ExtensionEdits) {
  char path[kMaxPath] = "C:\\music\\song";
  EXPECT_EQ(AddDefaultExtension(path, "qvk"), 1);
  EXPECT_STREQ(path, "C:\\music\\song.qvk");
  EXPECT_EQ(AddDefaultExtension(path, "mid"), 1);
  EXPECT_STREQ(path, "C:\\music\\song.qvk") << "an existing extension stays";
  EXPECT_EQ(ReplaceExtension(path, ".BAK"), 1);
  EXPECT_STREQ(path, "C:\\music\\song.BAK");
  EXPECT_EQ(ReplaceExtension(path, "qxt"), 1);
  EXPECT_STREQ(path, "C:\\music\\song.qxt");

  char bare[kMaxPath] = "name";
  EXPECT_EQ(AddDefaultExtension(bare, ".txt"), 1);
  EXPECT_STREQ(bare, "name.txt");
}

TEST(PathText, AppendPath) {
  char a[kMaxPath] = "C:\\dir";
  EXPECT_EQ(AppendPath(a, "file"), 1);
  EXPECT_STREQ(a, "C:\\dir\\file");
  char b[kMaxPath] = "C:\\";
  AppendPath(b, "file");
  EXPECT_STREQ(b, "C:\\file");
  char c[kMaxPath] = "";
  AppendPath(c, "file");
  EXPECT_STREQ(c, "file");
}

// Every builder stops at 259 characters plus the NUL, and leaves the buffer as it was.
TEST(PathText, BuildersNeverPassTheBufferEnd) {
  struct Guarded {
    char path[kMaxPath];
    char guard[8];
  };
  const std::string long250(250, 'a');

  Guarded g;
  std::memset(&g, 'G', sizeof g);
  std::strcpy(g.path, long250.c_str());
  EXPECT_EQ(AppendPath(g.path, "123456789"), 0);
  EXPECT_EQ(std::string(g.path), long250);
  EXPECT_EQ(AddDefaultExtension(g.path, "123456789"), 0);
  EXPECT_EQ(std::string(g.path), long250);
  EXPECT_EQ(ReplaceExtension(g.path, ".123456789"), 0);
  EXPECT_EQ(std::string(g.path), long250);
  EXPECT_EQ(std::string(g.guard, 8), "GGGGGGGG");

  // Exactly 259 characters still fits.
  EXPECT_EQ(AppendPath(g.path, "12345678"), 1);
  EXPECT_EQ(std::strlen(g.path), 259u);
  EXPECT_EQ(std::string(g.guard, 8), "GGGGGGGG");
}

TEST(PathText, PathToDirectory) {
  struct Case {
    const char* in;
    bool cut;
    const char* out;
  };
  const Case cases[] = {
      {"C:\\file.txt", true, "C:\\"},   {"C:\\dir\\file.txt", true, "C:\\dir"}, {"file.txt", true, "file.txt"},
      {"C:\\dir\\", false, "C:\\dir"},  {"C:\\", false, "C:\\"},                 {"C:\\dir", false, "C:\\dir"},
      {"\\\\srv\\share\\f", true, "\\\\srv\\share"},
  };
  for (const Case& c : cases) {
    char path[kMaxPath];
    std::strcpy(path, c.in);
    PathToDirectory(path, c.cut);
    EXPECT_STREQ(path, c.out) << c.in;
  }
}

TEST(PathText, SplitPath) {
  struct Case {
    const char* path;
    int parts;
    const char* out;
  };
  const Case cases[] = {
      {"C:\\dir\\song.qvk", 1, "C:\\dir\\"}, {"C:\\dir\\song.qvk", 2, "song"}, {"C:\\dir\\song.qvk", 4, ".qvk"},
      {"C:\\dir\\song.qvk", 7, "C:\\dir\\song.qvk"}, {"C:\\dir\\song", 6, "song."}, {"C:\\dir\\", 2, ""},
      {"song.qvk", 3, "song"},
  };
  for (const Case& c : cases) {
    char out[kMaxPath] = "junk";
    SplitPath(c.path, out, c.parts);
    EXPECT_STREQ(out, c.out) << c.path << " parts " << c.parts;
  }
  // A 259-character name without extension plus the lone '.' does not fit: cut, not overrun.
  const std::string longName(259, 'n');
  struct {
    char out[kMaxPath];
    char guard[4];
  } g;
  std::memset(&g, 'G', sizeof g);
  EXPECT_EQ(SplitPath(longName.c_str(), g.out, 6), 0);
  EXPECT_EQ(std::string(g.guard, 4), "GGGG");
}

TEST(PathText, RelativePath) {
  const char* path = "C:\\Music\\Scores\\a.qvk";
  EXPECT_STREQ(GetRelativePath(path, "c:\\music\\"), "Scores\\a.qvk");
  EXPECT_EQ(GetRelativePath(path, "C:\\Music"), nullptr) << "the base must end with a backslash";
  EXPECT_EQ(GetRelativePath(path, "D:\\Music\\"), nullptr);
  EXPECT_EQ(GetRelativePath("C:\\M\\", "C:\\M\\"), nullptr) << "the base must be shorter";
}
