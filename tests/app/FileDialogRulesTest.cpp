// The Open and Save dialogs' rules: platform flags by system version, remembered folders from a
// chosen path, the filter in the system's form, and the Save dialog's extension that follows the
// chosen file type.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/FileDialogRules.h"

namespace {

TEST(FileDialogRulesTest, PlatformFlagsFollowTheSystemVersion) {
  struct {
    TPlatformVersion version;
    unsigned long expected;
  } cases[] = {
      {{3, 51, true}, kOpenDialogFlags},                     // NT 3.51: old style
      {{3, 10, false}, kOpenDialogFlags},                    // Win32s
      {{4, 0, false}, kOpenDialogFlags | kOfnExplorer},      // Windows 95
      {{4, 10, false}, kOpenDialogFlags | kOfnExplorer | kOfnEnableSizing},  // Windows 98
      {{4, 0, true}, kOpenDialogFlags | kOfnExplorer},       // NT 4
      {{5, 0, true}, kOpenDialogFlags | kOfnExplorer | kOfnEnableSizing},
      {{10, 0, true}, kOpenDialogFlags | kOfnExplorer | kOfnEnableSizing},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileDialogStyle(kOpenDialogFlags | kOfnShowHelp, c.version), c.expected)
        << c.version.major << "." << c.version.minor << (c.version.nt ? " NT" : "");
  }
}

TEST(FileDialogRulesTest, TheFolderOfAChosenPath) {
  const std::pair<const char*, const char*> cases[] = {
      {"C:\\Songs\\a.qvk", "C:\\Songs"},
      {"C:\\a.qvk", "C:\\"},
      {"\\\\server\\share\\x\\a.mid", "\\\\server\\share\\x"},
  };
  for (const auto& [path, folder] : cases) {
    char out[260];
    EXPECT_TRUE(FolderOfPath(path, out)) << path;
    EXPECT_STREQ(out, folder);
  }
  char out[260];
  EXPECT_FALSE(FolderOfPath("a.qvk", out));
  EXPECT_FALSE(FolderOfPath(std::string(300, 'a').c_str(), out));
}

TEST(FileDialogRulesTest, FiltersInTheSystemsFormAndTheirPatterns) {
  char system[200];
  ASSERT_TRUE(FilterToSystem("A|*.a|B|*.b;*.c|", system, sizeof system));
  EXPECT_EQ(std::string(system, 18), std::string("A\0*.a\0B\0*.b;*.c\0\0", 18));
  EXPECT_FALSE(FilterToSystem("A|*.a|", system, 7));

  char pattern[260];
  EXPECT_TRUE(FilterPattern(kOpenDialogFilter, 1, pattern));
  EXPECT_STREQ(pattern, "*.qvk");
  EXPECT_TRUE(FilterPattern(kOpenDialogFilter, 3, pattern));
  EXPECT_STREQ(pattern, "*.qvk;*.qxt;*.mid;*.rmi;*.kar");
  EXPECT_FALSE(FilterPattern(kOpenDialogFilter, 4, pattern));
  EXPECT_FALSE(FilterPattern(kOpenDialogFilter, 0, pattern));
  EXPECT_FALSE(FilterPattern("A|*.a", 1, pattern));
}

TEST(FileDialogRulesTest, TheSaveDialogsExtensionFollowsTheFileType) {
  const std::pair<const char*, const char*> cases[] = {
      {"*.qvk", "qvk"}, {"*.mid;*.rmi", "mid"}, {"*.WMF", "WMF"}, {"*.*", ""}, {"*.q?k", ""}, {"*.", ""},
      {"ab", ""},       {"", ""},
  };
  for (const auto& [pattern, extension] : cases) {
    char out[kDefaultExtensionSize];
    DefaultExtensionFromPattern(pattern, out);
    EXPECT_STREQ(out, extension) << pattern;
  }
  char out[kDefaultExtensionSize];
  DefaultExtensionFromPattern(("*." + std::string(100, 'x')).c_str(), out);
  EXPECT_EQ(std::string(out), std::string(64, 'x'));

  char name[260] = "song.v2.qvk";
  EXPECT_TRUE(ReplaceNameExtension(name, "mid"));
  EXPECT_STREQ(name, "song.v2.mid");
  char plain[260] = "song";
  EXPECT_FALSE(ReplaceNameExtension(plain, "mid"));
  EXPECT_STREQ(plain, "song");
  char empty[260] = "";
  EXPECT_FALSE(ReplaceNameExtension(empty, "mid"));
  char full[260];
  std::memset(full, 'n', 258);
  std::strcpy(full + 258, ".");
  EXPECT_FALSE(ReplaceNameExtension(full, "mid"));
}

}  // namespace
