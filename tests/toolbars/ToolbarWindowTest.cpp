// The toolbars in the editor program: the factory set on a first start, a toolbar dragged by
// real mouse input from the top edge to the left edge and then to floating, each time coming
// back where it was left after a restart, a damaged "toolbars.dat" replaced by the factory set
// with a message, the toolbar dialogs, and the usage tips at start-up. Each test runs a copy of
// QVK32.exe in a folder of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/TestProcess.h"

using namespace guidriver;

namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kWaitMs = 30000;
const char kFrameClass[] = "TQVK17VellichordFrame";

std::string TempRoot() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

struct TFound {
  const char* className;
  const char* title;
  HWND hwnd;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lParam) {
  auto* f = reinterpret_cast<TFound*>(lParam);
  if (GetClass(hwnd) == f->className && (!f->title || GetText(hwnd) == f->title)) {
    f->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindInThread(HWND hwnd, LPARAM lParam) {
  auto* f = reinterpret_cast<TFound*>(lParam);
  if (FindChild(hwnd, lParam) == FALSE) return FALSE;
  EnumChildWindows(hwnd, FindChild, lParam);
  return f->hwnd ? FALSE : TRUE;
}

// A window of the program's thread (top-level or child) with this class and title.
HWND FindProgramWindow(HWND frame, const char* className, const char* title) {
  TFound f{className, title, nullptr};
  EnumThreadWindows(GetWindowThreadProcessId(frame, nullptr), FindInThread, reinterpret_cast<LPARAM>(&f));
  return f.hwnd;
}

RECT ScreenRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

RECT ClientScreenRect(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Presses at a point, moves there in steps (as a hand would) and releases.
void Drag(POINT from, POINT to) {
  MouseMoveTo(from.x, from.y);
  PumpFor(100);
  MouseButton(true);
  PumpFor(100);
  for (int i = 1; i <= 10; ++i) {
    MouseMoveTo(from.x + (to.x - from.x) * i / 10, from.y + (to.y - from.y) * i / 10);
    PumpFor(40);
  }
  PumpFor(100);
  MouseButton(false);
  PumpFor(300);
}

class ToolbarWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = TempRoot() + "vc_toolbars_" + info->name() + "_" + std::to_string(GetCurrentProcessId());
    RemoveFolder();
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA("QVK32.exe", Path("QVK32.exe").c_str(), FALSE)) << "QVK32.exe not built";
    // With its engine library the program starts without the missing-library box.
    ASSERT_TRUE(CopyFileA("QVMID32B.DLL", Path("QVMID32B.DLL").c_str(), FALSE)) << "QVMID32B.DLL not built";
  }

  void TearDown() override {
    if (process_) process_->Terminate();
    process_.reset();
    RemoveFolder();
  }

  void RemoveFolder() {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        DeleteFileA((folder_ + "\\" + found.cFileName).c_str());
      } while (FindNextFileA(h, &found));
      FindClose(h);
    }
    RemoveDirectoryA(folder_.c_str());
  }

  std::string Path(const char* name) const { return folder_ + "\\" + name; }

  HWND StartAndWait() {
    process_ = std::make_unique<TTestProcess>(Path("QVK32.exe"), "", folder_);
    if (!process_->Started()) return nullptr;
    HWND frame = WaitForWindow(kFrameClass, nullptr, kStartTimeoutMs, process_->Id());
    if (!frame) return nullptr;
    // Ready once the deferred start has run and the toolbars are up.
    PumpUntil([&] { return GetText(GetDlgItem(frame, 32040)) == " Ready"; }, kStartTimeoutMs);
    PumpFor(300);
    return frame;
  }

  void CloseAndWait(HWND frame) {
    PostMessageA(frame, WM_CLOSE, 0, 0);
    DWORD code = 0xDEAD;
    EXPECT_TRUE(process_->WaitForExit(kWaitMs, &code));
    EXPECT_EQ(code, 0u);
    process_.reset();
  }

  HWND Toolbar(HWND frame, const char* name) { return FindProgramWindow(frame, "TQVToolbar", name); }

  // Which edge's dock holds the toolbar: 'T', 'B', 'L', 'R', 'F' floating, '?' otherwise.
  char Place(HWND frame, HWND toolbar) {
    HWND parent = GetParent(toolbar);
    const std::string cls = GetClass(parent);
    if (cls == "TToolbarFrame") return 'F';
    if (cls != "TDockStation") return '?';
    const RECT dock = ScreenRect(parent);
    const RECT client = ClientScreenRect(FindProgramWindow(frame, "MDIClient", nullptr));
    if (dock.bottom <= client.top) return 'T';
    if (dock.top >= client.bottom) return 'B';
    if (dock.right <= client.left) return 'L';
    if (dock.left >= client.right) return 'R';
    return '?';
  }

  std::string folder_;
  std::unique_ptr<TTestProcess> process_;
};

TEST_F(ToolbarWindowTest, DraggedToTheLeftEdgeAndToFloatingComesBackAfterRestart) {
  HWND frame = StartAndWait();
  ASSERT_TRUE(frame);
  HWND file = Toolbar(frame, "File");
  ASSERT_TRUE(file);
  ASSERT_TRUE(Toolbar(frame, "Notes"));
  ASSERT_TRUE(Toolbar(frame, "Insert"));
  ASSERT_TRUE(Toolbar(frame, "Xtra"));
  EXPECT_EQ(Place(frame, file), 'T');
  EXPECT_EQ(Place(frame, Toolbar(frame, "Notes")), 'T');
  EXPECT_EQ(Place(frame, Toolbar(frame, "Xtra")), 'L');
  const RECT docked = ScreenRect(file);
  EXPECT_GT(docked.right - docked.left, docked.bottom - docked.top) << "docked on top, a toolbar is a row";

  // From the top edge to the left edge: grab the gripper, drop at the MDI client's left edge.
  HWND mdi = FindProgramWindow(frame, "MDIClient", nullptr);
  ASSERT_TRUE(mdi);
  RECT client = ClientScreenRect(mdi);
  Drag(POINT{docked.left + 6, (docked.top + docked.bottom) / 2}, POINT{client.left - 2, client.top + 160});
  ASSERT_TRUE(PumpUntil([&] { return Place(frame, file) == 'L'; }, kWaitMs));
  EXPECT_TRUE(PumpUntil([&] { const RECT r = ScreenRect(file); return r.bottom - r.top > r.right - r.left; }, kWaitMs))
      << "docked on a side, a toolbar is a column";

  CloseAndWait(frame);
  frame = StartAndWait();
  ASSERT_TRUE(frame);
  file = Toolbar(frame, "File");
  ASSERT_TRUE(file);
  EXPECT_EQ(Place(frame, file), 'L');
  ASSERT_TRUE(PumpUntil([&] { const RECT r = ScreenRect(file); return r.bottom - r.top > r.right - r.left; }, kWaitMs));

  // From the left edge to floating in the middle of the client area.
  const RECT left = ScreenRect(file);
  mdi = FindProgramWindow(frame, "MDIClient", nullptr);
  client = ClientScreenRect(mdi);
  const POINT middle{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
  Drag(POINT{(left.left + left.right) / 2, left.top + 6}, middle);
  ASSERT_TRUE(PumpUntil([&] { return Place(frame, file) == 'F'; }, kWaitMs));
  HWND floating = GetParent(file);
  EXPECT_EQ(GetText(floating), "File");
  const RECT where = ScreenRect(floating);
  EXPECT_LE(where.left, middle.x);
  EXPECT_GE(where.right, middle.x);
  EXPECT_GT(where.right - where.left, where.bottom - where.top) << "the first floating shape is one row";

  // A moment to take a picture of the screen from outside (docs/toolbars.png).
  if (const char* pause = std::getenv("VC_TOOLBAR_SCREENSHOT_PAUSE")) PumpFor(static_cast<DWORD>(std::atoi(pause)));

  CloseAndWait(frame);
  frame = StartAndWait();
  ASSERT_TRUE(frame);
  file = Toolbar(frame, "File");
  ASSERT_TRUE(file);
  ASSERT_TRUE(PumpUntil([&] { return Place(frame, file) == 'F'; }, kWaitMs));
  const RECT again = ScreenRect(GetParent(file));
  EXPECT_EQ(again.left, where.left);
  EXPECT_EQ(again.top, where.top);
  EXPECT_EQ(Place(frame, Toolbar(frame, "Notes")), 'T');
  CloseAndWait(frame);
}

TEST_F(ToolbarWindowTest, ADamagedToolbarFileGivesTheFactoryToolbarsWithAMessage) {
  {
    std::ofstream out(Path("toolbars.dat"), std::ios::binary);
    out.write("Mine\0\x02\x00\x03", 8);  // cut inside a record
  }
  process_ = std::make_unique<TTestProcess>(Path("QVK32.exe"), "", folder_);
  ASSERT_TRUE(process_->Started());
  HWND box = WaitForWindow("#32770", "Toolbars", kStartTimeoutMs, process_->Id());
  ASSERT_TRUE(box);
  EXPECT_NE(ReadMessageBox(box).text.find("is damaged"), std::string::npos);
  ClickButton(box, IDOK);
  HWND frame = WaitForWindow(kFrameClass, nullptr, kStartTimeoutMs, process_->Id());
  ASSERT_TRUE(frame);
  PumpFor(500);
  EXPECT_TRUE(Toolbar(frame, "File"));
  EXPECT_TRUE(Toolbar(frame, "Xtra"));
  EXPECT_FALSE(Toolbar(frame, "Mine"));
  CloseAndWait(frame);
}

TEST_F(ToolbarWindowTest, TheToolbarFileDecidesTheToolbars) {
  {
    std::ofstream out(Path("toolbars.dat"), std::ios::binary);
    // "Mine": New, a separator, an unknown command; "Nothing" without gadgets makes no toolbar.
    out.write("Mine\0\x02\x00\xFF\xFF\x39\x30\x00\x00Nothing\0\x00\x00", 24);
  }
  HWND frame = StartAndWait();
  ASSERT_TRUE(frame);
  HWND mine = Toolbar(frame, "Mine");
  ASSERT_TRUE(mine);
  EXPECT_FALSE(Toolbar(frame, "Nothing"));
  EXPECT_FALSE(Toolbar(frame, "File")) << "the file's toolbars replace the factory set";
  // The toggle command of toolbar 0 hides and shows it.
  PostMessageA(frame, WM_COMMAND, 20310, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(mine); }, kWaitMs));
  PostMessageA(frame, WM_COMMAND, 20310, 0);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(mine) != FALSE; }, kWaitMs));
  CloseAndWait(frame);
}

std::vector<std::string> ListTexts(HWND list, bool combo) {
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendMessageA(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    // Asked in wide characters: Wine hands list texts across processes that way.
    wchar_t wide[256] = {};
    SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    char text[256] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    texts.push_back(text);
  }
  return texts;
}

bool FileExistsAt(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST_F(ToolbarWindowTest, TheDialogsShowHideMakeRenameFillAndRestoreToolbars) {
  HWND frame = StartAndWait();
  ASSERT_TRUE(frame);
  HWND notes = Toolbar(frame, "Notes");
  ASSERT_TRUE(notes);

  // The Toolbar List: every shown toolbar selected; unselecting Notes hides it.
  PostMessageA(frame, WM_COMMAND, 20304, 0);
  HWND list = WaitForWindow("#32770", "Toolbar List", kWaitMs, process_->Id());
  ASSERT_TRUE(list);
  HWND names = GetDlgItem(list, 101);
  EXPECT_EQ(ListTexts(names, false), (std::vector<std::string>{"File", "Notes", "Insert", "Xtra"}));
  EXPECT_EQ(SendMessageA(names, LB_GETSELCOUNT, 0, 0), 4);
  SendMessageA(names, LB_SETSEL, FALSE, 1);
  ClickButton(list, IDOK);
  ASSERT_TRUE(WaitForWindowGone(list, kWaitMs));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(notes); }, kWaitMs));

  // Customize: a new toolbar, a button and a separator on it, a new name.
  PostMessageA(frame, WM_COMMAND, 20304, 0);
  list = WaitForWindow("#32770", "Toolbar List", kWaitMs, process_->Id());
  ASSERT_TRUE(list);
  EXPECT_EQ(SendMessageA(GetDlgItem(list, 101), LB_GETSELCOUNT, 0, 0), 3);
  ClickButton(list, 200);
  HWND custom = WaitForWindow("#32770", "Customize Toolbars", kWaitMs, process_->Id());
  ASSERT_TRUE(custom);
  HWND combo = GetDlgItem(custom, 101), available = GetDlgItem(custom, 110), active = GetDlgItem(custom, 113);
  EXPECT_EQ(ListTexts(active, false).size(), 25u);  // File's buttons and separators
  EXPECT_EQ(ListTexts(available, false).size(), 76u - 23u);
  ClickButton(custom, 102);
  ASSERT_TRUE(PumpUntil([&] { return ListTexts(combo, true).size() == 5; }, kWaitMs));
  EXPECT_EQ(ListTexts(combo, true).back(), "Custom 1");
  EXPECT_EQ(ListTexts(active, false), (std::vector<std::string>{"--------Separator--------"}));
  EXPECT_EQ(ListTexts(available, false).size(), 76u);
  // The first button replaces the lone separator, even while it is selected.
  SendMessageA(available, LB_SETCURSEL, 0, 0);
  ClickButton(custom, 111);
  ASSERT_TRUE(PumpUntil([&] { return ListTexts(active, false) == std::vector<std::string>{"File New..."}; }, kWaitMs));
  EXPECT_EQ(ListTexts(available, false).size(), 75u);
  ClickButton(custom, 120);
  ASSERT_TRUE(PumpUntil([&] { return ListTexts(active, false).size() == 2; }, kWaitMs));
  EXPECT_EQ(ListTexts(active, false)[1], "--------Separator--------");
  HWND custom1 = Toolbar(frame, "Custom 1");
  ASSERT_TRUE(custom1);
  EXPECT_EQ(GetClass(GetParent(custom1)), "TToolbarFrame") << "a new toolbar floats";

  // A name another toolbar has is refused; a new one is taken.
  ClickButton(custom, 104);
  HWND name = WaitForWindow("#32770", "Enter Name", kWaitMs, process_->Id());
  ASSERT_TRUE(name);
  SetWindowTextA(GetDlgItem(name, 101), "  xtra ");
  ClickButton(name, IDOK);
  HWND error = WaitForWindow("#32770", "Error", kWaitMs, process_->Id());
  ASSERT_TRUE(error);
  EXPECT_EQ(ReadMessageBox(error).text, "The new toolbar name must be unique.");
  ClickButton(error, IDOK);
  name = WaitForWindow("#32770", "Enter Name", kWaitMs, process_->Id());
  ASSERT_TRUE(name);
  SetWindowTextA(GetDlgItem(name, 101), " Strings\t");
  ClickButton(name, IDOK);
  ASSERT_TRUE(PumpUntil([&] { return ListTexts(combo, true).back() == "Strings"; }, kWaitMs));
  ClickButton(custom, IDOK);
  ASSERT_TRUE(WaitForWindowGone(custom, kWaitMs));
  // Written as the dialog goes, a moment after its window.
  EXPECT_TRUE(PumpUntil([&] { return FileExistsAt(Path("toolbars.dat")); }, kWaitMs));
  CloseAndWait(frame);

  // The next start builds the toolbars of the file, Notes still hidden.
  frame = StartAndWait();
  ASSERT_TRUE(frame);
  HWND strings = Toolbar(frame, "Strings");
  ASSERT_TRUE(strings);
  EXPECT_TRUE(PumpUntil([&] { return GetClass(GetParent(strings)) == "TToolbarFrame"; }, kWaitMs));
  notes = Toolbar(frame, "Notes");
  ASSERT_TRUE(notes);
  EXPECT_FALSE(IsWindowVisible(notes));

  // Restore Defaults: the factory toolbars only, and no toolbar file.
  PostMessageA(frame, WM_COMMAND, 20304, 0);
  list = WaitForWindow("#32770", "Toolbar List", kWaitMs, process_->Id());
  ASSERT_TRUE(list);
  ClickButton(list, 200);
  custom = WaitForWindow("#32770", "Customize Toolbars", kWaitMs, process_->Id());
  ASSERT_TRUE(custom);
  ClickButton(custom, 105);
  HWND confirm = WaitForWindow("#32770", "Please Confirm", kWaitMs, process_->Id());
  ASSERT_TRUE(confirm);
  ClickButton(confirm, IDYES);
  combo = GetDlgItem(custom, 101);
  ASSERT_TRUE(PumpUntil([&] { return ListTexts(combo, true).size() == 4; }, kWaitMs));
  EXPECT_EQ(ListTexts(combo, true), (std::vector<std::string>{"File", "Notes", "Insert", "Xtra"}));
  ClickButton(custom, IDOK);
  ASSERT_TRUE(WaitForWindowGone(custom, kWaitMs));
  PumpFor(500);
  EXPECT_FALSE(FileExistsAt(Path("toolbars.dat")));
  EXPECT_FALSE(Toolbar(frame, "Strings"));
  notes = Toolbar(frame, "Notes");
  ASSERT_TRUE(notes);
  EXPECT_TRUE(IsWindowVisible(notes));
  CloseAndWait(frame);
}

TEST_F(ToolbarWindowTest, DoubleClicksFloatAndDockAndTheCloseBoxHides) {
  HWND frame = StartAndWait();
  ASSERT_TRUE(frame);
  HWND file = Toolbar(frame, "File");
  ASSERT_TRUE(file);
  const RECT docked = ScreenRect(file);
  // A double click on the grip (no gadget there) floats the toolbar at its floating place.
  PostMessageA(file, WM_LBUTTONDBLCLK, 0, MAKELPARAM(6, 10));
  ASSERT_TRUE(PumpUntil([&] { return Place(frame, file) == 'F'; }, kWaitMs));
  HWND floating = GetParent(file);
  const RECT first = ScreenRect(floating);
  EXPECT_EQ(first.left, 10);
  EXPECT_EQ(first.top, 10);
  // The close box hides it; the toggle command brings it back floating at the same place.
  PostMessageA(floating, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(file); }, kWaitMs));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(floating); }, kWaitMs)) << "the floating frame goes";
  PostMessageA(frame, WM_COMMAND, 20310, 0);
  ASSERT_TRUE(PumpUntil([&] { return Place(frame, file) == 'F' && IsWindowVisible(file); }, kWaitMs));
  floating = GetParent(file);
  EXPECT_EQ(ScreenRect(floating).left, first.left);
  EXPECT_EQ(ScreenRect(floating).top, first.top);
  // A double click on the caption docks it where it was.
  PostMessageA(floating, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(first.left + 20, first.top + 5));
  ASSERT_TRUE(PumpUntil([&] { return Place(frame, file) == 'T'; }, kWaitMs));
  // The program moves it into its place a moment after taking it into the dock.
  PumpUntil([&] { return ScreenRect(file).left == docked.left && ScreenRect(file).top == docked.top; }, kWaitMs);
  const RECT back = ScreenRect(file);
  EXPECT_EQ(back.left, docked.left);
  EXPECT_EQ(back.top, docked.top);
  CloseAndWait(frame);
}

TEST_F(ToolbarWindowTest, AButtonUnderTheMouseShowsItsHintAndTooltip) {
  HWND frame = StartAndWait();
  ASSERT_TRUE(frame);
  HWND file = Toolbar(frame, "File");
  ASSERT_TRUE(file);
  // The first button (File New) sits after the grip: client x 14 to 36, y 4 to 25.
  RECT r = ScreenRect(file);
  MouseMoveTo(r.left + 25, r.top + 14);
  PumpFor(100);
  MouseMoveTo(r.left + 26, r.top + 15);
  HWND status = GetDlgItem(frame, 32040);
  EXPECT_TRUE(PumpUntil([&] { return GetText(status) == "Start composing a new song"; }, kWaitMs)) << GetText(status);
  // The tooltip window takes the tip part of the hint.
  HWND tip = FindProgramWindow(frame, "TToolTip", nullptr);
  ASSERT_TRUE(tip);
  EXPECT_TRUE(PumpUntil([&] { return GetText(tip) == "New File (Ctrl+N)"; }, kWaitMs)) << GetText(tip);
  // Off the buttons the hint goes.
  MouseMoveTo(r.left + 2, r.bottom + 200);
  EXPECT_TRUE(PumpUntil([&] { return GetText(status).empty(); }, kWaitMs)) << GetText(status);
  CloseAndWait(frame);
}

TEST_F(ToolbarWindowTest, DraggingAFloatingBorderStepsThroughTheShapes) {
  HWND frame = StartAndWait();
  ASSERT_TRUE(frame);
  HWND file = Toolbar(frame, "File");
  ASSERT_TRUE(file);
  PostMessageA(file, WM_LBUTTONDBLCLK, 0, MAKELPARAM(6, 10));
  ASSERT_TRUE(PumpUntil([&] { return Place(frame, file) == 'F'; }, kWaitMs));
  HWND floating = GetParent(file);
  PumpFor(300);
  const RECT before = ScreenRect(floating);
  // The right border pulled inwards: each mouse message takes one step to more rows.
  const int y = (before.top + before.bottom) / 2;
  Drag(POINT{before.right - 2, y}, POINT{before.right - 200, y});
  ASSERT_TRUE(PumpUntil([&] { return ScreenRect(floating).right - ScreenRect(floating).left < before.right - before.left; },
                        kWaitMs));
  const RECT after = ScreenRect(floating);
  EXPECT_GT(after.bottom - after.top, before.bottom - before.top);
  EXPECT_EQ(after.left, before.left) << "the border across from the dragged one stays";
  CloseAndWait(frame);
}

TEST_F(ToolbarWindowTest, CtrlKeepsADraggedToolbarFromDockingUntilReleased) {
  HWND frame = StartAndWait();
  ASSERT_TRUE(frame);
  HWND file = Toolbar(frame, "File");
  ASSERT_TRUE(file);
  const RECT docked = ScreenRect(file);
  const RECT client = ClientScreenRect(FindProgramWindow(frame, "MDIClient", nullptr));
  const POINT from{docked.left + 6, (docked.top + docked.bottom) / 2};
  const POINT to{client.left - 2, client.top + 160};
  // Over the left edge with Ctrl down the outline stays floating; releasing Ctrl there docks it.
  MouseMoveTo(from.x, from.y);
  PumpFor(100);
  MouseButton(true);
  PumpFor(100);
  KeyDown(VK_CONTROL);
  for (int i = 1; i <= 10; ++i) {
    MouseMoveTo(from.x + (to.x - from.x) * i / 10, from.y + (to.y - from.y) * i / 10);
    PumpFor(40);
  }
  PumpFor(200);
  KeyUp(VK_CONTROL);
  PumpFor(300);
  MouseButton(false);
  ASSERT_TRUE(PumpUntil([&] { return Place(frame, file) == 'L'; }, kWaitMs));
  // Laid out as a column a moment after it joins the dock.
  ASSERT_TRUE(PumpUntil([&] { const RECT r = ScreenRect(file); return r.bottom - r.top > r.right - r.left; }, kWaitMs));
  PumpFor(200);

  // Held to the release, Ctrl makes the same drag end floating.
  const RECT left = ScreenRect(file);
  const POINT grip{(left.left + left.right) / 2, left.top + 6};
  const POINT top{client.left + 200, client.top - 4};
  MouseMoveTo(grip.x, grip.y);
  PumpFor(100);
  MouseButton(true);
  PumpFor(100);
  KeyDown(VK_CONTROL);
  for (int i = 1; i <= 10; ++i) {
    MouseMoveTo(grip.x + (top.x - grip.x) * i / 10, grip.y + (top.y - grip.y) * i / 10);
    PumpFor(40);
  }
  PumpFor(200);
  MouseButton(false);
  // Ctrl stays down until the program has taken the release.
  EXPECT_TRUE(PumpUntil([&] { return Place(frame, file) == 'F'; }, kWaitMs));
  KeyUp(VK_CONTROL);
  PumpFor(300);
  EXPECT_EQ(Place(frame, file), 'F');
  CloseAndWait(frame);
}

std::string IniValue(const std::string& path, const char* section, const char* key) {
  char value[64] = {};
  GetPrivateProfileStringA(section, key, "", value, sizeof value, path.c_str());
  return value;
}

TEST_F(ToolbarWindowTest, UsageTipsShowAtStartAndStepBothWays) {
  {
    std::ofstream out(Path("qvktips.tip"), std::ios::binary);
    out << "Before any tip.\r\n!newtip help=JumpId(`qvk.hlp',`notes')\r\nFirst line.\r\nSecond line.\r\n"
           "!newtip\r\nTip two.\r\n!newtip help=KL(`x')\r\nTip three.\r\n";
  }
  process_ = std::make_unique<TTestProcess>(Path("QVK32.exe"), "", folder_);
  ASSERT_TRUE(process_->Started());
  HWND tips = WaitForWindow("#32770", "Did you know?", kStartTimeoutMs, process_->Id());
  ASSERT_TRUE(tips);
  HWND text = GetDlgItem(tips, 102), more = GetDlgItem(tips, 112);
  EXPECT_EQ(GetText(text), "First line.\r\nSecond line.");
  EXPECT_TRUE(IsWindowVisible(more));
  EXPECT_EQ(IsDlgButtonChecked(tips, 103), BST_CHECKED);
  ClickButton(tips, 110);  // Back from the first wraps to the last
  ASSERT_TRUE(PumpUntil([&] { return GetText(text) == "Tip three."; }, kWaitMs));
  ClickButton(tips, 111);
  ASSERT_TRUE(PumpUntil([&] { return GetText(text) == "First line.\r\nSecond line."; }, kWaitMs));
  ClickButton(tips, 111);
  ASSERT_TRUE(PumpUntil([&] { return GetText(text) == "Tip two."; }, kWaitMs));
  EXPECT_FALSE(IsWindowVisible(more)) << "a tip without help= has no Additional Information";
  // Unchecking the box (a real click) stops the tips at the next start.
  SendMessageA(GetDlgItem(tips, 103), BM_CLICK, 0, 0);
  ClickButton(tips, IDOK);
  HWND frame = WaitForWindow(kFrameClass, nullptr, kStartTimeoutMs, process_->Id());
  ASSERT_TRUE(frame);
  ASSERT_TRUE(PumpUntil([&] { return GetText(GetDlgItem(frame, 32040)) == " Ready"; }, kStartTimeoutMs));
  CloseAndWait(frame);
  EXPECT_EQ(IniValue(Path("QVK.INI"), "Options", "UsageTipsOnStartup"), "0");
  EXPECT_EQ(IniValue(Path("QVK.INI"), "Options", "NextUsageTip"), "2");
  frame = StartAndWait();
  ASSERT_TRUE(frame);
  EXPECT_FALSE(FindProgramWindow(frame, "#32770", "Did you know?"));
  // The Help menu's command shows the tips whatever the option says; Next goes on from tip two.
  PostMessageA(frame, WM_COMMAND, 204, 0);
  tips = WaitForWindow("#32770", "Did you know?", kWaitMs, process_->Id());
  ASSERT_TRUE(tips);
  EXPECT_EQ(GetText(GetDlgItem(tips, 102)), "Tip three.");
  ClickButton(tips, IDOK);
  ASSERT_TRUE(WaitForWindowGone(tips, kWaitMs));
  CloseAndWait(frame);
}

}  // namespace
