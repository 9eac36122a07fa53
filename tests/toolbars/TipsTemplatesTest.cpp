// The usage tips file and its stepping, the template tabs and lists of the New dialog, and the
// rows of the File History dialog.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/BesideHelpFile.h"
#include "app/FileHistory.h"
#include "app/FileTemplates.h"
#include "app/UsageTips.h"

namespace {

const char kTips[] =
    "Header lines before the first tip belong to no tip.\r\n"
    "!newtip help=JumpId(`qvk.hlp',`notes')\r\n"
    "Press a number key to choose a duration.\r\n"
    "The dot key adds a dot.\r\n"
    "!newtip\n"
    "Drag a toolbar to any edge of the window.\n"
    "!newtip help=KL(`toolbars') more words\n"
    "Right-click a toolbar for the list of toolbars.";

TEST(UsageTipsTest, CountsAndShowsTipsWithTheirMacros) {
  TUsageTips tips;
  tips.Load(kTips);
  EXPECT_EQ(tips.Count(), 3);
  char text[TUsageTips::kTextRoom];
  char macro[TUsageTips::kMacroRoom];
  ASSERT_TRUE(tips.Get(1, text, macro));
  EXPECT_STREQ(text, "Press a number key to choose a duration.\r\nThe dot key adds a dot.");
  EXPECT_STREQ(macro, "JumpId(`qvk.hlp',`notes')");
  ASSERT_TRUE(tips.Get(2, text, macro));
  EXPECT_STREQ(text, "Drag a toolbar to any edge of the window.");
  EXPECT_STREQ(macro, "");  // no "help=": no Additional Information
  ASSERT_TRUE(tips.Get(3, text, macro));
  EXPECT_STREQ(macro, "KL(`toolbars')");
  EXPECT_STREQ(text, "Right-click a toolbar for the list of toolbars.");
  EXPECT_FALSE(tips.Get(4, text, macro));
  EXPECT_FALSE(tips.Get(0, text, macro));
}

TEST(UsageTipsTest, MissingFileAndLongTextsStayBounded) {
  TUsageTips none;
  none.Load("");
  EXPECT_EQ(none.Count(), 0);
  char text[TUsageTips::kTextRoom];
  char macro[TUsageTips::kMacroRoom];
  EXPECT_FALSE(none.Get(1, text, macro));
  EXPECT_STREQ(text, "");

  // A tip far longer than the text buffer, and a help macro longer than its buffer.
  std::string big = "!newtip help=" + std::string(1000, 'm') + "\n";
  for (int i = 0; i < 50; ++i) big += std::string(300, 'a' + i % 26) + "\n";
  TUsageTips tips;
  tips.Load(big);
  ASSERT_TRUE(tips.Get(1, text, macro));
  EXPECT_EQ(std::strlen(text), TUsageTips::kTextRoom - 1);
  EXPECT_EQ(std::strlen(macro), TUsageTips::kMacroRoom - 1);
}

TEST(UsageTipsTest, SteppingWraps) {
  const struct {
    int current, step, count, next;
  } cases[] = {{0, 1, 3, 1}, {1, -1, 3, 3}, {3, 1, 3, 1}, {2, 1, 3, 3}, {7, 1, 3, 1}, {0, 1, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(TUsageTips::Step(c.current, c.step, c.count), c.next);
}

TEST(FileTemplatesTest, TabsFromSubfolders) {
  std::vector<TFolderEntry> entries{{".", true}, {"..", true}, {"Piano", true}, {"general", true},
                                    {"song.qvk", false}, {".hidden", true}, {"Choir", true}};
  const std::vector<TTemplateTab> tabs = TemplateTabs("C:\\QVK\\Templates", entries);
  ASSERT_EQ(tabs.size(), 3u);
  EXPECT_EQ(tabs[0].title, "General");
  EXPECT_EQ(tabs[0].folder, "C:\\QVK\\Templates\\");
  EXPECT_EQ(tabs[1].title, "Piano");
  EXPECT_EQ(tabs[1].folder, "C:\\QVK\\Templates\\Piano\\");
  EXPECT_EQ(tabs[2].title, "Choir");

  std::vector<TFolderEntry> many;
  for (int i = 0; i < 20; ++i) many.push_back({"F" + std::to_string(i), true});
  const std::vector<TTemplateTab> capped = TemplateTabs("C:\\T\\", many);
  EXPECT_EQ(capped.size(), 16u);
  EXPECT_EQ(capped.back().title, "F14");
}

TEST(FileTemplatesTest, ListsAndResults) {
  TFolderEntry temp{"~draft.qvk", false, true};
  std::vector<TFolderEntry> entries{{"Hymn.qvk", false}, {"Old.QVK", false}, {"notes.txt", false},
                                    {"Dir.qvk", true}, temp};
  EXPECT_EQ(TemplateListEntries(entries, true), (std::vector<std::string>{"<Blank Score>", "Hymn", "Old"}));
  EXPECT_EQ(TemplateListEntries(entries, false), (std::vector<std::string>{"Hymn", "Old"}));
  const TTemplateTab tab{"Piano", "C:\\T\\Piano\\"};
  EXPECT_EQ(TemplateResultPath(tab, "Hymn", false), "C:\\T\\Piano\\Hymn.qvk");
  EXPECT_EQ(TemplateResultPath(tab, "<Blank Score>", true), "");
  EXPECT_TRUE(IsTemplateFile("D:\\x\\A.QVK"));
  EXPECT_FALSE(IsTemplateFile("D:\\x\\A.mid"));
  int counter = 0;
  EXPECT_EQ(NewScoreName(counter), "<SONG01>");
  EXPECT_EQ(NewScoreName(counter), "<SONG02>");
}

TEST(FileTemplatesTest, HistoryRowsCountFromZero) {
  TFileHistory history;
  history.Add("C:\\Songs\\b.qvk", "Second");
  history.Add("C:\\Songs\\Old\\a.qvk", "First");
  EXPECT_EQ(HistoryRowText(0, history.Entry(0)), "0\ta.qvk\tFirst\tC:\\Songs\\Old");
  EXPECT_EQ(HistoryRowText(1, history.Entry(1)), "1\tb.qvk\tSecond\tC:\\Songs");
}

TEST(BesideHelpFileTest, JoinsTheHelpFilesFolder) {
  char path[260];
  EXPECT_TRUE(PathBesideHelpFile("C:\\QVK\\qvk.hlp", "toolbars.dat", path));
  EXPECT_STREQ(path, "C:\\QVK\\toolbars.dat");
  EXPECT_FALSE(PathBesideHelpFile("qvk.hlp", "toolbars.dat", path));
  EXPECT_STREQ(path, "");
  const std::string deep = "C:\\" + std::string(250, 'd') + "\\qvk.hlp";
  EXPECT_FALSE(PathBesideHelpFile(deep.c_str(), "toolbars.dat", path));
  EXPECT_STREQ(path, "");
}

}  // namespace
