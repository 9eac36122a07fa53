// The shell's pure pieces: command-line tokens, status-bar texts, the auto-save clock, the file
// history, the placement rule and the font check's order of events.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/CommandLineWalk.h"
#include "app/FileHistory.h"
#include "app/FramePlacement.h"
#include "app/StatusTexts.h"
#include "app/MusicFontCheck.h"

namespace {

std::vector<std::string> Tokens(const char* line) {
  std::vector<std::string> out;
  TCommandLineWalk walk(line);
  while (walk.Next()) out.push_back(walk.Token());
  return out;
}

}  // namespace

TEST(CommandLine, TokensFollowQuotesSlashesAndBlanks) {
  struct TCase {
    const char* line;
    std::vector<std::string> tokens;
  };
  const TCase cases[] = {
      {"", {}},
      {"   ", {}},
      {"\"C:\\My Songs\\a b.qvk\" /enableexperimentation", {"C:\\My Songs\\a b.qvk", "/enableexperimentation"}},
      {"C:\\My Songs\\a b.qvk/play", {"C:\\My Songs\\a b.qvk", "/play"}},
      {"C:\\x y.qvk \"D:\\z.qvk\"", {"C:\\x y.qvk ", "D:\\z.qvk"}},
      {"/play /close", {"/play", "/close"}},
      {"/play/close", {"/play", "/close"}},
      {"\"\" \"unterminated path", {"unterminated path"}},
      {"//", {"/", "/"}},
  };
  for (const TCase& c : cases) EXPECT_EQ(Tokens(c.line), c.tokens) << c.line;
}

TEST(CommandLine, LongTokensStayInsideTheirBuffer) {
  // A quoted and an unquoted argument, each far longer than a token, followed by a switch.
  const std::string longName(5000, 'a');
  const std::string line = "\"" + longName + "\" " + longName + " /enableexperimentation";
  TCommandLineWalk walk(line.c_str());
  ASSERT_TRUE(walk.Next());
  EXPECT_TRUE(walk.WasCut());
  EXPECT_EQ(std::strlen(walk.Token()), TCommandLineWalk::kTokenSize - 1);
  ASSERT_TRUE(walk.Next());
  EXPECT_TRUE(walk.WasCut());
  EXPECT_EQ(std::strlen(walk.Token()), TCommandLineWalk::kTokenSize - 1);
  ASSERT_TRUE(walk.Next());
  EXPECT_FALSE(walk.WasCut());
  EXPECT_STREQ(walk.Token(), "/enableexperimentation");
  EXPECT_FALSE(walk.Next());
}

TEST(CommandLine, SwitchesAreClassifiedWithoutRegardToCase) {
  EXPECT_EQ(ClassifyCommandLineToken("/EnableExperimentation"), TCommandLineSwitch::EnableExperimentation);
  EXPECT_EQ(ClassifyCommandLineToken("/DISABLEEXPERIMENTATION"), TCommandLineSwitch::DisableExperimentation);
  EXPECT_EQ(ClassifyCommandLineToken("/play"), TCommandLineSwitch::Ignored);
  EXPECT_EQ(ClassifyCommandLineToken("/anything"), TCommandLineSwitch::Ignored);
  EXPECT_EQ(ClassifyCommandLineToken("song.qvk"), TCommandLineSwitch::Path);
}

TEST(StatusTexts, PaneTextsGetTheirBlankAndStayInsideTheirBuffers) {
  const std::string longText(1000, 'x');
  char message[kStatusTextSize];
  std::memset(message, '#', sizeof message);
  FormatPaneTextF(message, sizeof message, "%s", longText.c_str());
  EXPECT_EQ(message[0], ' ');
  EXPECT_EQ(std::strlen(message), 351u);  // the blank and 350 characters
  char pane[kPaneTextSize + 8];
  std::memset(pane, '#', sizeof pane);
  FormatPaneTextF(pane, kPaneTextSize, "[%d%%] %s:%s", 100, longText.c_str(), "x");
  EXPECT_EQ(std::strlen(pane), 255u);  // the blank and 254 characters
  for (size_t i = kPaneTextSize; i < sizeof pane; ++i) EXPECT_EQ(pane[i], '#') << "written past the buffer at " << i;
  FormatPaneTextF(pane, kPaneTextSize, "Printing Page %d", 3);
  EXPECT_STREQ(pane, " Printing Page 3");
}

TEST(StatusTexts, HintsSplitIntoStatusAndTooltip) {
  char status[kHintCopySize], tip[kHintCopySize];
  SplitHint("Start composing a new song\nNew File (Ctrl+N)", status, tip);
  EXPECT_STREQ(status, "Start composing a new song");
  EXPECT_STREQ(tip, "New File (Ctrl+N)");
  SplitHint("No line feed here", status, tip);
  EXPECT_STREQ(status, "No line feed here");
  EXPECT_STREQ(tip, "");
  SplitHint("a\nb\nc", status, tip);
  EXPECT_STREQ(tip, "b");
  // 250 characters: cut to 199 before the split, so a line feed beyond that is not seen.
  std::string longHint(195, 's');
  longHint += "\nTIP-after-the-cut-point-";
  longHint += std::string(30, 't');
  SplitHint(longHint.c_str(), status, tip);
  EXPECT_EQ(std::strlen(status), 195u);
  EXPECT_STREQ(tip, "TIP");
  SplitHint(std::string(300, 'z').c_str(), status, tip);
  EXPECT_EQ(std::strlen(status), 199u);
}

TEST(StatusTexts, ClocksFollowTheirFormats) {
  char text[64];
  const struct {
    int hour, minute;
    const char* expected;
  } wall[] = {{12, 5, "12:05 PM"}, {0, 5, "12:05 AM"}, {9, 7, " 9:07 AM"}, {23, 59, "11:59 PM"}, {13, 0, " 1:00 PM"}};
  for (const auto& c : wall) {
    FormatWallClock(c.hour, c.minute, text, sizeof text);
    EXPECT_STREQ(text, c.expected);
  }
  // Length plus 600 ms makes one hour, two minutes and three seconds; five seconds played.
  uint32_t start = 1000;
  FormatPlayTime(3723000u - 600u, 0, 6000, start, text, sizeof text);
  EXPECT_STREQ(text, "0:05 / 1:2:03");
  // Past the end the elapsed time stays at the total.
  FormatPlayTime(10000, 2000, 1000 + 60000, start, text, sizeof text);
  EXPECT_STREQ(text, "0:10 / 0:10");
  // The clock wrapped: the start moves to now instead of counting a huge difference.
  start = 0xFFFFF000u;
  FormatPlayTime(100000, 3000, 500, start, text, sizeof text);
  EXPECT_EQ(start, 500u);
  EXPECT_STREQ(text, "0:03 / 1:40");
}

TEST(StatusTexts, HintIdsMapToTheirHelpTopics) {
  const struct {
    int hint, context;
  } cases[] = {{193, 192}, {204, 192}, {205, 205}, {206, 192}, {228, 192}, {229, 192}, {226, 223}, {590, 223},
               {529, 15},  {531, 11},  {533, 3},   {577, 3},   {580, 3},   {581, 581}, {546, 20304}, {569, 36},
               {556, 37},  {598, 208}, {607, 30},  {0, 0},     {2, 2},     {80, 80}};
  for (const auto& c : cases) EXPECT_EQ(HelpContextForHint(c.hint), c.context) << c.hint;
}

TEST(AutoSaveClock, DueTestSurvivesTheClockWrapping) {
  const uint32_t period = 15 * 60000u;
  EXPECT_FALSE(IsAutoSaveDue(1000 + period, 1000, 15));
  EXPECT_TRUE(IsAutoSaveDue(1001 + period, 1000, 15));
  // The last pass shortly before the 49.7-day wrap, now shortly after it.
  const uint32_t last = 0xFFFFFFFFu - 60000u;
  EXPECT_FALSE(IsAutoSaveDue(last + 60000u + 1000u, last, 15));  // 61 s later, wrapped
  EXPECT_TRUE(IsAutoSaveDue(last + period + 1u, last, 15));        // 15 min + 1 ms later, wrapped
  // A last time near the top, where last + period itself wraps to a small number.
  EXPECT_FALSE(IsAutoSaveDue(last + 5u, last, 15));
  EXPECT_FALSE(IsAutoSaveDue(123456789u, 0, 0));
}

TEST(FileHistory, NewestFirstWithoutDuplicatesAndTenAtMost) {
  TFileHistory h;
  for (int i = 1; i <= 11; ++i) {
    const std::string path = "C:\\Songs\\s" + std::to_string(i) + ".qvk";
    h.Add(path.c_str(), ("Song " + std::to_string(i)).c_str());
  }
  EXPECT_STREQ(h.Entry(0).path, "C:\\Songs\\s11.qvk");
  EXPECT_STREQ(h.Entry(9).path, "C:\\Songs\\s2.qvk");  // s1 fell out
  // The same path in another letter case moves up; nothing else changes place or falls out.
  h.Add("c:\\SONGS\\S5.QVK", "Five");
  EXPECT_STREQ(h.Entry(0).path, "c:\\SONGS\\S5.QVK");
  EXPECT_STREQ(h.Entry(0).title, "Five");
  EXPECT_STREQ(h.Entry(1).path, "C:\\Songs\\s11.qvk");
  EXPECT_STREQ(h.Entry(9).path, "C:\\Songs\\s2.qvk");
  int fives = 0;
  for (int i = 0; i < TFileHistory::kCount; ++i) fives += std::strstr(h.Entry(i).path, "5.") != nullptr;
  EXPECT_EQ(fives, 1);
  // A path longer than an entry is cut, never written past it.
  const std::string longPath(400, 'p');
  h.Add(longPath.c_str(), longPath.c_str());
  EXPECT_EQ(std::strlen(h.Entry(0).path), 259u);
  EXPECT_EQ(std::strlen(h.Entry(0).title), 259u);
}

TEST(FileHistory, AnEmptyEntryEndsTheScan) {
  TFileHistory h;
  h.Add("a.qvk", "A");
  h.Add("b.qvk", "B");
  EXPECT_STREQ(h.Entry(0).path, "b.qvk");
  EXPECT_STREQ(h.Entry(1).path, "a.qvk");
  EXPECT_STREQ(h.Entry(2).path, "");
}

TEST(Placement, LeftOrTopEdgeBeyondTheScreenLessAnIconIsNotApplied) {
  const int w = 1280, h = 1024, icon = 32;
  EXPECT_TRUE(IsPlacementReachable({0, 1, 256, 204, 1024, 820}, w, h, icon, icon));
  EXPECT_TRUE(IsPlacementReachable({0, 1, w - icon, h - icon, w, h}, w, h, icon, icon));
  EXPECT_FALSE(IsPlacementReachable({0, 1, w - icon + 1, 0, w + 100, 500}, w, h, icon, icon));
  EXPECT_FALSE(IsPlacementReachable({0, 1, 0, h - icon + 1, 500, h + 100}, w, h, icon, icon));
  EXPECT_TRUE(IsPlacementReachable({0, 1, -3000, -3000, 10, 10}, w, h, icon, icon));
}

namespace {

std::vector<std::string> events;
int installedAfter = 0;  // the check that answers true first

bool FakeInstalled() {
  static int checks = 0;
  ++checks;
  events.push_back("check");
  return installedAfter > 0 && checks >= installedAfter;
}
int FakeAdd(const char* folder) {
  events.push_back(std::string("add ") + folder);
  return 1;
}
void FakeBox(const char* text) { events.push_back(text == kFontMissingText ? "box1" : "box2"); }
void FakeAnnounce() { events.push_back("announce"); }

}  // namespace

TEST(MusicFontCheck, ReinstallsThenGivesUpWithTheSecondMessage) {
  const TMusicFontCheckSeam seam{&FakeInstalled, &FakeAdd, &FakeBox, &FakeAnnounce};
  events.clear();
  installedAfter = 0;
  EXPECT_FALSE(EnsureMusicFont("C:\\Prog", seam));
  EXPECT_EQ(events, (std::vector<std::string>{"check", "add C:\\Prog", "box1", "check", "box2"}));
  events.clear();
  installedAfter = 4;  // the second check of this run finds it
  EXPECT_TRUE(EnsureMusicFont("C:\\Prog", seam));
  EXPECT_EQ(events, (std::vector<std::string>{"check", "add C:\\Prog", "box1", "check", "announce"}));
  events.clear();
  EXPECT_TRUE(EnsureMusicFont("C:\\Prog", seam));  // installed from the start: nothing else happens
  EXPECT_EQ(events, (std::vector<std::string>{"check"}));
}

TEST(StatusTexts, TheTooltipGetsItsPartOnlyWhileAToolbarAsksAndThereIsOne) {
  THintRoute route;
  RouteHint("Start composing a new song\nNew File (Ctrl+N)", 1, true, route);
  EXPECT_STREQ(route.status, "Start composing a new song");
  EXPECT_STREQ(route.tooltip, "New File (Ctrl+N)");
  EXPECT_TRUE(route.toTooltip);
  RouteHint("Start composing a new song\nNew File (Ctrl+N)", 0, true, route);  // a menu item's hint
  EXPECT_FALSE(route.toTooltip);
  RouteHint("Start composing a new song\nNew File (Ctrl+N)", 1, false, route);  // no tooltip window
  EXPECT_FALSE(route.toTooltip);
  RouteHint("Ready", 1, true, route);  // no line feed: nothing for the tooltip
  EXPECT_STREQ(route.status, "Ready");
  EXPECT_FALSE(route.toTooltip);
  // A line feed past the 199th character is cut off before the split.
  RouteHint((std::string(210, 's') + "\ntip").c_str(), 1, true, route);
  EXPECT_FALSE(route.toTooltip);
}

TEST(StatusTexts, PlayModePane) {
  EXPECT_STREQ(PlayModeText(true, true), "Rec");
  EXPECT_STREQ(PlayModeText(true, false), "Play");
  EXPECT_STREQ(PlayModeText(false, true), " ");
  EXPECT_STREQ(PlayModeText(false, false), " ");
}
