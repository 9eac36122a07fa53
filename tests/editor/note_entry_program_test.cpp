// Note entry and the clipboard end to end, in the editor program under Wine: a melody typed with
// the keyboard (tool keys, caret keys and the Insert menu's keys) is in the saved file, and so
// are keys played into the test MIDI driver with MIDI Input Active; items
// copied in one score window travel through the real Windows clipboard into another; a foreign
// block on the clipboard is refused with the Paste Error box; Copy Special puts a metafile on the
// clipboard whose text records draw the copied note heads.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/MusicGlyphs.h"
#include "resources/CommandIds.h"
#include "tests/editor/ProgramDriving.h"
#include "tests/mididriver/VmidiClient.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/TestProcess.h"

using namespace guidriver;
using namespace program_driving;

namespace {

constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kWaitMs = 30000;
const char kFrameClass[] = "TQVK17VellichordFrame";
const char kViewClass[] = "TQVK17ScoreEdit";
const char kWindowClass[] = "TQVK17ScoreWindow";

// Appends the string of a text record to the std::string at lParam.
int CALLBACK CollectText(HDC, HANDLETABLE*, METARECORD* r, int, LPARAM lParam) {
  auto* out = reinterpret_cast<std::string*>(lParam);
  const auto* words = reinterpret_cast<const WORD*>(r->rdParm);
  if (r->rdFunction == META_TEXTOUT) {
    out->append(reinterpret_cast<const char*>(words + 1), words[0]);
  } else if (r->rdFunction == META_EXTTEXTOUT) {
    const WORD count = words[2];
    const WORD options = words[3];
    const WORD* text = words + 4 + ((options & (ETO_OPAQUE | ETO_CLIPPED)) ? 4 : 0);
    out->append(reinterpret_cast<const char*>(text), count);
  }
  return 1;
}

// Every string the metafile's text records draw, one after another.
std::string MetafileTexts(HMETAFILE mf) {
  std::string texts;
  EnumMetaFile(nullptr, mf, CollectText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// The editor may still hold the clipboard open a moment after a format appears on it.
bool OpenClipboardSoon() { return PumpUntil([] { return OpenClipboard(nullptr) != 0; }, 5000); }

// The picture on the clipboard: its header and the strings its text records draw.
bool ReadClipboardPicture(METAFILEPICT& header, std::string& texts) {
  if (!OpenClipboardSoon()) return false;
  HANDLE picture = GetClipboardData(CF_METAFILEPICT);
  const auto* pict = picture ? static_cast<const METAFILEPICT*>(GlobalLock(picture)) : nullptr;
  HMETAFILE copy = nullptr;
  if (pict) {
    header = *pict;
    copy = CopyMetaFileA(pict->hMF, nullptr);
    GlobalUnlock(picture);
  }
  CloseClipboard();
  if (!copy) return false;
  texts = MetafileTexts(copy);
  DeleteMetaFile(copy);
  return true;
}

int CountOf(const std::string& s, char c) {
  int n = 0;
  for (char x : s) n += x == c ? 1 : 0;
  return n;
}

class NoteEntryProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::string(temp) + "vc_noteentry_" + info->name() + "_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder_.c_str(), nullptr);
    CreateDirectoryA(Path("AutoSave").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA("QVK32.exe", Path("QVK32.exe").c_str(), FALSE)) << "QVK32.exe not built";
    ASSERT_TRUE(CopyFileA("QVMID32B.DLL", Path("QVMID32B.DLL").c_str(), FALSE));
    // The program installs the music font from its folder when the prefix lacks it.
    ASSERT_TRUE(CopyFileA("diru15.ttf", Path("diru15.ttf").c_str(), FALSE));
    ASSERT_TRUE(WriteSettings("[Options]\r\nSaveBackups=0\r\nUsageTipsOnStartup=0\r\n"));
  }

  bool WriteSettings(const char* text) const {
    HANDLE f = CreateFileA(Path("QVK.INI").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(f, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr) != 0;
    CloseHandle(f);
    return ok;
  }

  void TearDown() override {
    if (process_) process_->Terminate();
    process_.reset();
    for (const char* sub : {"AutoSave\\*", "*"}) {
      WIN32_FIND_DATAA found;
      const std::string pattern = folder_ + "\\" + sub;
      const std::string base = pattern.substr(0, pattern.size() - 1);
      HANDLE h = FindFirstFileA(pattern.c_str(), &found);
      if (h == INVALID_HANDLE_VALUE) continue;
      do {
        DeleteFileA((base + found.cFileName).c_str());
      } while (FindNextFileA(h, &found));
      FindClose(h);
    }
    RemoveDirectoryA(Path("AutoSave").c_str());
    RemoveDirectoryA(folder_.c_str());
  }

  std::string Path(const char* name) const { return folder_ + "\\" + name; }

  // Starts the editor on the files and answers its frame once `views` score views exist.
  HWND Start(const std::string& arguments, size_t views) {
    process_ = std::make_unique<TTestProcess>(Path("QVK32.exe"), arguments, folder_);
    if (!process_->Started()) return nullptr;
    HWND frame = WaitForWindow(kFrameClass, nullptr, kStartTimeoutMs, process_->Id());
    if (!frame) return nullptr;
    PumpUntil([&] { return ChildrenOfClass(frame, kViewClass).size() >= views; }, kStartTimeoutMs);
    return ChildrenOfClass(frame, kViewClass).size() >= views ? frame : nullptr;
  }

  // Brings the score window showing the title forward and waits until its view has the focus.
  static HWND ActivateScore(HWND frame, const char* title) {
    for (HWND window : ChildrenOfClass(frame, kWindowClass)) {
      if (GetText(window) != title) continue;
      SendMessageA(GetParent(window), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(window), 0);
      const std::vector<HWND> views = ChildrenOfClass(window, kViewClass);
      if (views.empty()) return nullptr;
      HWND view = views[0];
      const bool focused = WaitForFocus(view, kWaitMs);
      return focused ? view : nullptr;
    }
    return nullptr;
  }

  static bool ChooseMenuItem(HWND view, WORD menuKey, WORD itemKey) {
    return program_driving::ChooseMenuItem(view, menuKey, itemKey, kWaitMs);
  }

  bool Save(HWND frame, const std::string& file) { return SaveAndWait(frame, file, kWaitMs); }

  std::string OpenBox() const {
    HWND box = WaitForWindow("#32770", nullptr, 500, process_->Id());
    if (!box) return "no box open";
    const TMessageBoxText text = ReadMessageBox(box);
    return "box \"" + text.caption + "\": " + text.text;
  }

  std::string folder_;
  std::unique_ptr<TTestProcess> process_;
};

}  // namespace

TEST_F(NoteEntryProgramTest, AMelodyTypedWithTheKeyboardIsInTheSavedFile) {
  const std::string score = Path("tune.qvk");
  ASSERT_TRUE(WriteSample(score, "w"));
  HWND frame = Start("\"" + score + "\"", 1);
  ASSERT_TRUE(frame) << "no score window opened";
  HWND view = ActivateScore(frame, "tune");
  ASSERT_TRUE(view);
  // Insert > Fast Insert > 3/4 Time at the start, as its toolbar button sends it (before the keys
  // below: a posted command is taken before waiting input).
  ASSERT_TRUE(PostCommand(frame, CM_FAST_34));
  PressKey(VK_END);
  // '-' makes the tool an eighth; two steps up, then Insert > Note.
  PressKey(VK_OEM_MINUS);
  PressKey(VK_UP);
  PressKey(VK_UP);
  ASSERT_TRUE(ChooseMenuItem(view, 'I', 'N'));
  // One step down, '.' dots the next note only (the tools do not persist).
  PressKey(VK_DOWN);
  PressKey(VK_OEM_PERIOD);
  ASSERT_TRUE(ChooseMenuItem(view, 'I', 'N'));
  ASSERT_TRUE(ChooseMenuItem(view, 'I', 'N'));
  // '+' back to quarters; Insert > Rest; '0' resets the tools and the caret to the middle line.
  PressKey(VK_OEM_PLUS, kShift);
  ASSERT_TRUE(ChooseMenuItem(view, 'I', 'R'));
  PressKey(VK_UP);
  PressKey('0');
  ASSERT_TRUE(ChooseMenuItem(view, 'I', 'N'));
  // Shift+Left selects that note; the Eighth Note command through the Notes menu changes it.
  PressKey(VK_LEFT, kShift);
  ASSERT_TRUE(ChooseMenuItem(view, 'N', 'E'));
  PumpFor(300);
  ASSERT_TRUE(Save(frame, score)) << OpenBox();
  EXPECT_EQ(FirstStaffOf(score), "T3/4 w e@-2 e.@-1 e@-1 rq e") << OpenBox();
}

TEST_F(NoteEntryProgramTest, ItemsTravelBetweenScoreWindowsThroughTheClipboard) {
  const std::string a = Path("a.qvk");
  const std::string b = Path("b.qvk");
  ASSERT_TRUE(WriteSample(a, "q@1 q@2 h@3 | q@4"));
  ASSERT_TRUE(WriteSample(b, "w | q"));
  HWND frame = Start("\"" + a + "\" \"" + b + "\"", 2);
  ASSERT_TRUE(frame);
  const UINT format = RegisterClipboardFormatA("Vellichord V1");

  // One item copied: our block and its text form.
  HWND viewA = ActivateScore(frame, "a");
  ASSERT_TRUE(viewA);
  PressKey(VK_RIGHT, kShift);
  ASSERT_TRUE(ChooseMenuItem(viewA, 'E', 'C'));
  ASSERT_TRUE(PumpUntil([&] { return IsClipboardFormatAvailable(CF_TEXT) != 0; }, kWaitMs));
  ASSERT_TRUE(OpenClipboardSoon());
  EXPECT_TRUE(IsClipboardFormatAvailable(format));
  HANDLE text = GetClipboardData(CF_TEXT);
  ASSERT_TRUE(text);
  const std::string itemText = static_cast<const char*>(GlobalLock(text));
  GlobalUnlock(text);
  CloseClipboard();
  EXPECT_EQ(itemText.rfind("|Note|", 0), 0u) << itemText;

  // Three items copied: only the block, led by its count.
  PressKey(VK_RIGHT, kShift);
  PressKey(VK_RIGHT, kShift);
  ASSERT_TRUE(ChooseMenuItem(viewA, 'E', 'C'));
  ASSERT_TRUE(PumpUntil([&] { return !IsClipboardFormatAvailable(CF_TEXT); }, kWaitMs));
  ASSERT_TRUE(OpenClipboardSoon());
  HANDLE block = GetClipboardData(format);
  ASSERT_TRUE(block);
  const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block));
  EXPECT_EQ(bytes[0] | bytes[1] << 8, 3) << "leading count";
  EXPECT_EQ(bytes[4] | bytes[5] << 8, 3) << "the item range's count";
  GlobalUnlock(block);
  CloseClipboard();

  // Pasted at the end of the other score and saved there.
  HWND viewB = ActivateScore(frame, "b");
  ASSERT_TRUE(viewB);
  PressKey(VK_END);
  ASSERT_TRUE(ChooseMenuItem(viewB, 'E', 'P'));
  PumpFor(300);
  ASSERT_TRUE(Save(frame, b)) << OpenBox();
  EXPECT_EQ(FirstStaffOf(b), "w | q q@1 q@2 h@3") << OpenBox();

  // A block whose counts disagree is refused with the Paste Error box; nothing changes.
  const unsigned char foreign[] = {9, 0, 16, 0, 1, 0, 0, 0, 0, 0};
  ASSERT_TRUE(OpenClipboardSoon());
  EmptyClipboard();
  HGLOBAL damaged = GlobalAlloc(GMEM_MOVEABLE, sizeof foreign);
  memcpy(GlobalLock(damaged), foreign, sizeof foreign);
  GlobalUnlock(damaged);
  ASSERT_TRUE(SetClipboardData(format, damaged));
  CloseClipboard();
  // The view learns of the new clipboard when it gets the focus again.
  ASSERT_TRUE(ActivateScore(frame, "a"));
  viewB = ActivateScore(frame, "b");
  ASSERT_TRUE(viewB);
  ASSERT_TRUE(PostCommand(frame, CM_PASTE));
  HWND box = WaitForWindow("#32770", "Paste Error", kWaitMs, process_->Id());
  ASSERT_TRUE(box) << OpenBox();
  EXPECT_EQ(ReadMessageBox(box).text,
            "An error was detected during the Paste operation. The clipboard is either corrupted or too large for the "
            "active staff.");
  ClickButton(box, IDOK);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  ASSERT_TRUE(Save(frame, b)) << OpenBox();
  EXPECT_EQ(FirstStaffOf(b), "w | q q@1 q@2 h@3");
}

TEST_F(NoteEntryProgramTest, CopySpecialPutsAPictureOfTheSelectedNotes) {
  const std::string a = Path("a.qvk");
  ASSERT_TRUE(WriteSample(a, "q@1 q@2 h@3 | q@4 q@5"));
  HWND frame = Start("\"" + a + "\"", 1);
  ASSERT_TRUE(frame);
  HWND view = ActivateScore(frame, "a");
  ASSERT_TRUE(view);
  // The two quarters and the half note: one staff is shown, so no question is asked.
  for (int i = 0; i < 3; ++i) PressKey(VK_RIGHT, kShift);
  ASSERT_TRUE(ChooseMenuItem(view, 'E', 'S'));
  ASSERT_TRUE(PumpUntil([&] { return IsClipboardFormatAvailable(CF_METAFILEPICT) != 0; }, kWaitMs)) << OpenBox();
  METAFILEPICT pict{};
  std::string texts;
  ASSERT_TRUE(ReadClipboardPicture(pict, texts));
  EXPECT_EQ(pict.mm, MM_ISOTROPIC);
  EXPECT_GT(pict.xExt, 0);
  EXPECT_GT(pict.yExt, 0);
  EXPECT_EQ(CountOf(texts, MusicGlyphs::GlyphChar(MusicGlyphs::kFilledHead)), 2) << texts;
  EXPECT_EQ(CountOf(texts, MusicGlyphs::GlyphChar(MusicGlyphs::kHalfHead)), 1) << texts;
}

// With two staves shown Copy Special asks how much to copy: all open staves draws the notes of
// both staves under the selection, the active staff alone only its own.
TEST_F(NoteEntryProgramTest, CopySpecialOfAllOpenStavesDrawsBothStaves) {
  const std::string a = Path("a.qvk");
  ASSERT_TRUE(WriteSample(a, {"q@1 q@2 h@3 | q@4 q@5", "h@-2 h@-1"}));
  HWND frame = Start("\"" + a + "\"", 1);
  ASSERT_TRUE(frame);
  HWND view = ActivateScore(frame, "a");
  ASSERT_TRUE(view);
  for (int i = 0; i < 3; ++i) PressKey(VK_RIGHT, kShift);
  const struct {
    int choice;
    int quarters, halves;
  } cases[] = {{102, 2, 3}, {101, 2, 1}};
  for (const auto& c : cases) {
    ASSERT_TRUE(OpenClipboardSoon());
    EmptyClipboard();
    CloseClipboard();
    ASSERT_TRUE(ChooseMenuItem(view, 'E', 'S'));
    HWND box = WaitForWindow("#32770", "Copy Special", kWaitMs, process_->Id());
    ASSERT_TRUE(box) << OpenBox();
    PostMessageA(GetDlgItem(box, c.choice), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsDlgButtonChecked(box, c.choice) == BST_CHECKED; }, kWaitMs));
    ClickButton(box, IDOK);
    ASSERT_TRUE(PumpUntil([&] { return IsClipboardFormatAvailable(CF_METAFILEPICT) != 0; }, kWaitMs)) << OpenBox();
    METAFILEPICT pict{};
    std::string texts;
    ASSERT_TRUE(ReadClipboardPicture(pict, texts));
    EXPECT_EQ(CountOf(texts, MusicGlyphs::GlyphChar(MusicGlyphs::kFilledHead)), c.quarters) << c.choice << texts;
    EXPECT_EQ(CountOf(texts, MusicGlyphs::GlyphChar(MusicGlyphs::kHalfHead)), c.halves) << c.choice << texts;
  }
}

TEST_F(NoteEntryProgramTest, MidiInputWithoutARecordDeviceSaysSoAndStaysOff) {
  const std::string score = Path("tune.qvk");
  ASSERT_TRUE(WriteSample(score, "q"));
  HWND frame = Start("\"" + score + "\"", 1);
  ASSERT_TRUE(frame);
  ASSERT_TRUE(ActivateScore(frame, "tune"));
  ASSERT_TRUE(PostCommand(frame, CM_MIDIINPUT));
  HWND box = WaitForWindow("#32770", "No MIDI Record Device", kWaitMs, process_->Id());
  ASSERT_TRUE(box) << OpenBox();
  EXPECT_EQ(ReadMessageBox(box).text,
            "There is not any selected recording device. A recording device can be selected from the Tools, "
            "Options command.\n\nWould you like to select one now?");
  ClickButton(box, IDNO);
  ASSERT_TRUE(WaitForWindowGone(box, kWaitMs));
  // Yes opens the options sheet on its Record page; closing it without a device leaves input off.
  ASSERT_TRUE(PostCommand(frame, CM_MIDIINPUT));
  box = WaitForWindow("#32770", "No MIDI Record Device", kWaitMs, process_->Id());
  ASSERT_TRUE(box) << OpenBox();
  EXPECT_TRUE(program_driving::YesOpensTheRecordPage(box, process_->Id(), kWaitMs)) << OpenBox();
  PumpFor(500);
  EXPECT_EQ(WaitForWindow("#32770", nullptr, 500, process_->Id()), nullptr) << OpenBox();
  // The option stays off: closing writes the settings, which must not accept MIDI input.
  PostMessageA(frame, WM_CLOSE, 0, 0);
  ASSERT_TRUE(process_->WaitForExit(kWaitMs));
  char value[16] = {};
  GetPrivateProfileStringA("Options", "AcceptMidiInput", "0", value, sizeof value, Path("QVK.INI").c_str());
  EXPECT_STREQ(value, "0");
}

// MIDI Input Active takes keys from the test MIDI driver's input: 60, 64 and 67 held together go
// in as one chord when one is released; the same keys one after another as three notes.
TEST_F(NoteEntryProgramTest, KeysPlayedIntoTheMidiInputGoInAsAChordAndAsNotes) {
  ASSERT_TRUE(VmidiClient::InstallReporting());
  ASSERT_TRUE(WriteSettings("[Options]\r\nSaveBackups=0\r\nUsageTipsOnStartup=0\r\nMidiPortUsage=2\r\n"
                            "AcceptMidiInput=0\r\n[MIDI In Ports]\r\n0=VMIDI In A\r\n"));
  const std::string score = Path("tune.qvk");
  ASSERT_TRUE(WriteSample(score, ""));
  // Note-ons with velocity 0x50, note-offs; the releases of keys no longer held count for nothing.
  SetEnvironmentVariableA(kVmidiScriptVariable,
                          "0:503C90,10:504090,20:504390,200:003C80,210:004080,220:004380,"
                          "400:503C90,450:003C80,500:504090,550:004080,600:504390,650:004380");
  HWND frame = Start("\"" + score + "\"", 1);
  SetEnvironmentVariableA(kVmidiScriptVariable, nullptr);
  ASSERT_TRUE(frame);
  ASSERT_TRUE(ActivateScore(frame, "tune"));
  ASSERT_TRUE(PostCommand(frame, CM_MIDIINPUT));
  EXPECT_EQ(WaitForWindow("#32770", nullptr, 1500, process_->Id()), nullptr) << OpenBox();
  HANDLE go = CreateEventA(nullptr, FALSE, FALSE, kVmidiScriptEvent);
  ASSERT_TRUE(go);
  SetEvent(go);
  CloseHandle(go);
  // The script takes 650 ms from the go.
  PumpFor(2500);
  ASSERT_TRUE(Save(frame, score)) << "nothing was entered; " << OpenBox();
  EXPECT_EQ(FirstStaffOf(score), "cq@6 q@6 q@4 q@2") << "one chord of C, E and G, then the three keys one by one";
}
