// Choosing what the start-up adds with AddFontResource: the Fonts folder's copy by bare name when
// it is there or can be put there, else the program folder's file. Temporary folders stand in for
// the program and Windows folders, so no font is really added.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "QVKNTN/win32/MusicFontFile.h"

namespace {

class TempTree {
public:
  TempTree() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    root_ = std::string(base) + "vcfont" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(counter_++);
    CreateDirectoryA(root_.c_str(), nullptr);
  }
  ~TempTree() { Remove(root_); }
  std::string Make(const std::string& rel) {
    std::string p = root_ + "\\" + rel;
    CreateDirectoryA(p.c_str(), nullptr);
    return p;
  }
  static void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

private:
  static void Remove(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string name = fd.cFileName;
        if (name == "." || name == "..") continue;
        std::string p = dir + "\\" + name;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(p);
        else DeleteFileA(p.c_str());
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }
  static inline int counter_ = 0;
  std::string root_;
};

struct Case {
  const char* what;
  bool fontsFolderExists;
  bool fontAlreadyInFonts;
  bool programIsFontsFolder;
  bool expectBareName;
  const char* expectFontsContent;  // nullptr: no file there afterwards
};

TEST(MusicFontFile, ChoosesTheFontsFolderCopyOrTheProgramFile) {
  const Case cases[] = {
      {"already in the Fonts folder: left as it is", true, true, false, true, "old"},
      {"copied into the Fonts folder", true, false, false, true, "new"},
      {"no Fonts folder to copy into", false, false, false, false, nullptr},
      {"program folder is the Fonts folder, file there", true, true, true, true, "old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempTree t;
    std::string windows = t.Make("windows");
    std::string fonts = windows + "\\Fonts";
    if (c.fontsFolderExists) t.Make("windows\\Fonts");
    std::string program = c.programIsFontsFolder ? fonts : t.Make("program");
    if (c.fontAlreadyInFonts) TempTree::Write(fonts + "\\diru15.ttf", "old");
    if (!c.programIsFontsFolder) TempTree::Write(program + "\\diru15.ttf", "new");

    char name[MAX_PATH];
    ASSERT_TRUE(ChooseMusicFontResource(program.c_str(), windows.c_str(), name, sizeof name));
    if (c.expectBareName) EXPECT_STREQ(name, "diru15.ttf");
    else EXPECT_EQ(std::string(name), program + "\\diru15.ttf");
    DWORD attributes = GetFileAttributesA((fonts + "\\diru15.ttf").c_str());
    if (c.expectFontsContent) EXPECT_EQ(TempTree::Read(fonts + "\\diru15.ttf"), c.expectFontsContent);
    else EXPECT_EQ(attributes, INVALID_FILE_ATTRIBUTES);
  }
}

TEST(MusicFontFile, NeverCopiesTheFileOntoItself) {
  // With the program in the Fonts folder and no file there yet, the "copy" would be onto itself:
  // it counts as failed and the program's own path is added.
  TempTree t;
  std::string windows = t.Make("windows");
  std::string fonts = t.Make("windows\\Fonts");
  char name[MAX_PATH];
  ASSERT_TRUE(ChooseMusicFontResource(fonts.c_str(), windows.c_str(), name, sizeof name));
  EXPECT_EQ(std::string(name), fonts + "\\diru15.ttf");
  EXPECT_EQ(GetFileAttributesA(name), INVALID_FILE_ATTRIBUTES);
}

std::string FaceFor(const char* request) {
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontA(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, request);
  HGDIOBJ old = SelectObject(screen, font);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(screen, sizeof face, face);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return face;
}

// The start-up asks for the face, adds the font and asks again with the very same request. A copy
// of the music font renamed "DIRV15", added from memory (private to this process, so no other
// test sees it), stands in for the missing font.
TEST(MusicFontFile, TheSameRequestFindsAFontAddedAfterIt) {
  std::string font = TempTree::Read("diru15.ttf");  // beside the test program, as beside the editor
  ASSERT_GT(font.size(), 1000u);
  const std::string from("\0D\0I\0R\0U\0\x31\0\x35", 12), to("\0D\0I\0R\0V\0\x31\0\x35", 12);
  int renamed = 0;
  for (std::size_t at = font.find(from); at != std::string::npos; at = font.find(from, at + 1)) {
    font.replace(at, from.size(), to);
    ++renamed;
  }
  ASSERT_GT(renamed, 0);

  EXPECT_NE(FaceFor("DIRV15"), "DIRV15");
  DWORD count = 0;
  HANDLE added = AddFontMemResourceEx(font.data(), static_cast<DWORD>(font.size()), nullptr, &count);
  ASSERT_NE(added, nullptr);
  ForgetFontMappings();
  EXPECT_EQ(FaceFor("DIRV15"), "DIRV15");
  RemoveFontMemResourceEx(added);
}

TEST(MusicFontFile, RefusesAPathThatDoesNotFit) {
  std::string longFolder(300, 'x');
  char name[MAX_PATH];
  EXPECT_FALSE(ChooseMusicFontResource(longFolder.c_str(), "C:\\windows", name, sizeof name));
  char small[8];
  EXPECT_FALSE(ChooseMusicFontResource("C:\\nowhere", "", small, sizeof small));
}

}  // namespace
