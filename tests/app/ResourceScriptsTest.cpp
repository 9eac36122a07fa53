// The editor's menus, accelerators and command hints as the resource scripts give them: every
// menu command has a hint "status\ntooltip" of its id, every accelerator's key is shown in its
// menu item, and the ids the shell's code names are the ids the scripts use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "resources/CommandIds.h"

namespace {

// The script as one editor line's resource compiler sees it: the lines between
// "#ifdef VC_LINE_EARLIER" (or "#ifndef") and "#else" or "#endif" kept or dropped by the line.
std::string ForLine(const std::string& script, bool earlier) {
  std::istringstream in(script);
  std::string out, line;
  int state = 0;  // 0 outside a block, 1 in a kept part, 2 in a dropped part
  while (std::getline(in, line)) {
    if (line.rfind("#ifdef VC_LINE_EARLIER", 0) == 0 || line.rfind("#ifndef VC_LINE_EARLIER", 0) == 0) {
      const bool wanted = line[3] == 'd' ? earlier : !earlier;
      state = wanted ? 1 : 2;
    } else if (state && line.rfind("#else", 0) == 0) {
      state = state == 1 ? 2 : 1;
    } else if (state && line.rfind("#endif", 0) == 0) {
      state = 0;
    } else if (state != 2) {
      out += line + "\n";
    }
  }
  return out;
}

std::string ReadSource(const char* relative, bool earlier = false) {
  const char* root = std::getenv("VC_SOURCE_DIR");
  std::ifstream in(std::string(root ? root : ".") + "/" + relative);
  std::stringstream s;
  s << in.rdbuf();
  return ForLine(s.str(), earlier);
}

// The menu items of the main menu and of the context menus: id -> text.
std::map<int, std::string> MenuItems(const std::string& script, const char* menuName) {
  std::map<int, std::string> items;
  const size_t start = script.find(std::string(menuName) + " MENU");
  if (start == std::string::npos) return items;
  const size_t end = script.find("\nEND", start);
  const std::string body = script.substr(start, end - start);
  const std::regex item("MENUITEM \"([^\"]*)\", ([0-9]+)");
  for (std::sregex_iterator it(body.begin(), body.end(), item), last; it != last; ++it) {
    items[std::stoi((*it)[2])] = (*it)[1];
  }
  return items;
}

std::map<int, std::string> Hints(const std::string& script) {
  std::map<int, std::string> hints;
  const std::regex entry("\\n  ([0-9]+), \"([^\"]*)\"");
  for (std::sregex_iterator it(script.begin(), script.end(), entry), last; it != last; ++it) {
    hints[std::stoi((*it)[1])] = (*it)[2];
  }
  return hints;
}

}  // namespace

TEST(ResourceScripts, EveryMenuCommandHasAStatusAndTooltipHint) {
  const std::string menus = ReadSource("resources/editor/menus.rc");
  const std::map<int, std::string> hints = Hints(ReadSource("resources/editor/hints.rc"));
  ASSERT_FALSE(menus.empty()) << "VC_SOURCE_DIR names the source tree";
  const auto main = MenuItems(menus, "MainMenu");
  ASSERT_GT(main.size(), 100u);
  for (const char* name : {"MainMenu", "DynamicMenus"}) {
    for (const auto& [id, text] : MenuItems(menus, name)) {
      auto hint = hints.find(id);
      ASSERT_NE(hint, hints.end()) << name << " item " << id << " \"" << text << "\" has no hint";
      const size_t lf = hint->second.find("\\n");
      ASSERT_NE(lf, std::string::npos) << "hint " << id;
      EXPECT_GT(lf, 0u) << "hint " << id << " has no status text";
      EXPECT_LT(lf + 2, hint->second.size()) << "hint " << id << " has no tooltip";
      EXPECT_LT(hint->second.size(), 199u) << "hint " << id << " is cut by the status bar";
    }
  }
  EXPECT_EQ(hints.at(CM_FILENEW), "Start composing a new song\\nNew File (Ctrl+N)");
  EXPECT_EQ(hints.at(CM_TOOLBARS), "Specify which tool bars should be visible\\nView Toolbars");
}

TEST(ResourceScripts, TheShellsCommandsAreInTheMainMenuUnderTheirIds) {
  const auto main = MenuItems(ReadSource("resources/editor/menus.rc"), "MainMenu");
  const struct {
    int id;
    const char* text;
  } named[] = {{2, "&New...\\tCtrl+N"}, {13, "E&xit"},          {40, "&Undo\\tCtrl+Z"}, {41, "Re&do\\tCtrl+Y"},
               {37, "&Lyrics...\\tCtrl+L"}, {68, "Refresh S&taff\\tCtrl+F9"}, {20304, "&Toolbars..."},
               {32040, "&Status Bar"}, {229, "Check for &Web Updates"}, {67, "&Force Accidentals"},
               {71, "Audit A&ccidentals"}, {70, "Audit &Bar Lines"}, {72, "Audit &Note Stems"}, {65, "&Automatic Beam"}};
  for (const auto& n : named) {
    ASSERT_TRUE(main.count(n.id)) << n.id;
    EXPECT_EQ(main.at(n.id), n.text) << n.id;
  }
  // Help topics 194 and 197-202 are answered but have no menu item.
  for (int id : {194, 197, 198, 199, 200, 201, 202}) EXPECT_FALSE(main.count(id)) << id;
  for (int id : {192, 193, 195, 196, 203, 206, 204, 228, 205}) EXPECT_TRUE(main.count(id)) << id;
  // Every insert command and fast insert, and all seven durations.
  for (int id = 144; id <= 158; ++id) EXPECT_TRUE(main.count(id)) << id;
  for (int id = 256; id <= 275; ++id) EXPECT_TRUE(main.count(id)) << id;
  for (int id = 101; id <= 107; ++id) EXPECT_TRUE(main.count(id)) << id;
}

TEST(ResourceScripts, AcceleratorsAreTheNamedKeysAndShowInTheirItems) {
  const std::string menus = ReadSource("resources/editor/menus.rc");
  const size_t start = menus.find("MainMenu ACCELERATORS");
  ASSERT_NE(start, std::string::npos);
  const std::string table = menus.substr(start, menus.find("\nEND", start) - start);
  const struct {
    const char* line;
    int id;
    const char* shown;
  } keys[] = {{"\"N\", CM_FILENEW, VIRTKEY, CONTROL", CM_FILENEW, "Ctrl+N"},
              {"\"Z\", CM_UNDO, VIRTKEY, CONTROL", CM_UNDO, "Ctrl+Z"},
              {"\"Y\", CM_REDO, VIRTKEY, CONTROL", CM_REDO, "Ctrl+Y"},
              {"\"L\", CM_LYRICS, VIRTKEY, CONTROL", CM_LYRICS, "Ctrl+L"},
              {"VK_F9, CM_REFRESHSTAFF, VIRTKEY, CONTROL", CM_REFRESHSTAFF, "Ctrl+F9"},
              {"VK_RETURN, CM_PROPERTIES, VIRTKEY, ALT", CM_PROPERTIES, "Alt+Enter"},
              {"VK_BACK, CM_REMOVECHORDNOTE, VIRTKEY, CONTROL", CM_REMOVECHORDNOTE, "Ctrl+Backspace"}};
  const auto main = MenuItems(menus, "MainMenu");
  for (const auto& k : keys) {
    EXPECT_NE(table.find(k.line), std::string::npos) << k.line;
    ASSERT_TRUE(main.count(k.id)) << k.id;
    EXPECT_NE(main.at(k.id).find(std::string("\\t") + k.shown), std::string::npos) << main.at(k.id);
  }
  EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 8) << "only the named keys";
}

TEST(ResourceScripts, DynamicMenusHoldThreeContextMenus) {
  const std::string menus = ReadSource("resources/editor/menus.rc");
  const size_t start = menus.find("DynamicMenus MENU");
  ASSERT_NE(start, std::string::npos);
  const std::string body = menus.substr(start, menus.find("\nEND", start) - start);
  const std::regex popup("\\n  POPUP \"");
  EXPECT_EQ(std::distance(std::sregex_iterator(body.begin(), body.end(), popup), std::sregex_iterator()), 3);
}

// The earlier line's own commands: Selection on command 39 with Ctrl+E, Import and Export, Staff
// Playback Instrument, each with its hint; no Properties commands.
TEST(ResourceScripts, TheEarlierLineHasItsOwnEditAndFileCommands) {
  const std::string menus = ReadSource("resources/editor/menus.rc", true);
  const auto main = MenuItems(menus, "MainMenu");
  const auto hints = Hints(ReadSource("resources/editor/hints.rc", true));
  const struct {
    int id;
    const char* text;
  } items[] = {{CM_EDITSELECTION, "S&election...\\tCtrl+E"}, {CM_IMPORT, "&Import..."}, {CM_EXPORT, "&Export..."},
               {CM_STAFFINSTRUMENT, "Staff Playback &Instrument..."}};
  for (const auto& item : items) {
    ASSERT_TRUE(main.count(item.id)) << item.id;
    EXPECT_EQ(main.at(item.id), item.text);
    ASSERT_TRUE(hints.count(item.id)) << item.id;
    EXPECT_NE(hints.at(item.id).find("\\n"), std::string::npos) << item.id;
  }
  EXPECT_EQ(hints.at(CM_STAFFINSTRUMENT),
            "Define the default instrument used by this staff during playback\\nStaff Playback Instrument");
  EXPECT_FALSE(main.count(CM_PROPERTIES));
  EXPECT_FALSE(main.count(CM_SELECTIONPROPS));
  const size_t start = menus.find("MainMenu ACCELERATORS");
  ASSERT_NE(start, std::string::npos);
  EXPECT_NE(menus.find("\"E\", CM_EDITSELECTION, VIRTKEY, CONTROL", start), std::string::npos);
  // The current line keeps Select All there.
  EXPECT_EQ(MenuItems(ReadSource("resources/editor/menus.rc"), "MainMenu").at(CM_SELECTALL), "Select &All");
}
