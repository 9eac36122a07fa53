// The MIDI import wizard under Wine, walked as a user walks it: the file shown on "Intro", options
// chosen on "Step 1" and "Step 2", instructions added, edited and deleted on "Step 3", then
// Finish; the imported score is the converter's with exactly those instructions. Cancel imports
// nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "MidiImportNotes.h"
#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreFile.h"
#include "app/win32/ImportOptionsPage.h"
#include "app/win32/MidiImportWizard.h"
#include "midi/ImportWizardRules.h"
#include "midi/MidiImportDocument.h"
#include "tests/dialogs/DialogsFixture.h"
#include "tests/support/guidriver/Screenshot.h"

using namespace guidriver;
using namespace dialogs_test;

namespace {

const bool kAuditInstalled = (InstallAuditPass(), true);

// The visible control with this id anywhere inside the wizard (the current page's).
HWND VisibleControl(HWND top, int id) { return FindControl(top, id, true); }

std::vector<std::string> Lines(HWND list) {
  std::vector<std::string> out;
  char text[200];
  for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
    SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
    out.push_back(text);
  }
  return out;
}

// A waiting helper for the script thread: true once the condition holds.
bool Within(const std::function<bool()>& condition) {
  for (int i = 0; i < 250; ++i) {
    if (condition()) return true;
    Sleep(20);
  }
  return false;
}

void Press(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Track 1: channel 1 spans 40 semitones, channel 4 plays one note.
const std::vector<TNoteValue> kNotes = {{0, 192, 40, 0}, {0, 192, 80, 0}, {192, 384, 62, 0},
                                        {192, 384, 60, 3}, {384, 768, 67, 3}};

std::vector<unsigned char> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>((std::istreambuf_iterator<char>(in)), {});
}

class ImportWizardTest : public ::testing::Test {
protected:
  void SetUp() override {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    temp_ = folder;
    path_ = temp_ + "vc_wizard_song.mid";
    const TBytes file = Format1({ConductorEvents(), NoteEvents(kNotes)});
    std::ofstream(path_, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
  }
  void TearDown() override { DeleteFileA(path_.c_str()); }

  // The score file's bytes, for comparing two scores.
  std::vector<unsigned char> Saved(TMusicScore& score, const char* name) {
    const std::string out = temp_ + name;
    EXPECT_EQ(SaveScoreFile(out.c_str(), 0, score), 1);
    std::vector<unsigned char> bytes = Bytes(out);
    DeleteFileA(out.c_str());
    return bytes;
  }

  TApplication app{"Wizard"};
  std::string temp_, path_;
};

TEST_F(ImportWizardTest, TheWalkedWizardImportsWithTheChosenInstructions) {
  struct TSeen {
    std::string intro, nextOnIntro, step3Before, step3Added, step3After, deleteText;
    bool backOnIntro = true, finishOnStep3 = true, finishOnLast = false;
  } seen;
  TScript script([&] {
    HWND w = WaitForWindow(nullptr, "MIDI Import Wizard", 10000);
    if (!w) return;
    HWND back = GetDlgItem(w, 500), finish = GetDlgItem(w, IDOK);
    Within([&] { return VisibleControl(w, 101) != nullptr; });
    seen.intro = GetText(VisibleControl(w, 101));
    seen.backOnIntro = IsWindowEnabled(back);
    Press(w, 501);

    // Step 1: pedal marks on, eighth notes, sixteenth rests.
    HWND step1 = GetParent(VisibleControl(w, kImportNoteResolution));
    if (!step1) return;
    if (const char* out = getenv("VC_SCREENSHOT_DIR")) {
      Sleep(300);
      RECT r;
      GetWindowRect(w, &r);
      HDC screen = GetDC(nullptr);
      SaveBmp(CaptureDC(screen, r.left, r.top, r.right - r.left, r.bottom - r.top),
              std::string(out) + "\\import-wizard.bmp");
      ReleaseDC(nullptr, screen);
    }
    CheckDlgButton(step1, kImportPedalMarks, BST_CHECKED);
    SendDlgItemMessageA(step1, kImportNoteResolution, CB_SETCURSEL, 3, 0);
    SendDlgItemMessageA(step1, kImportRestResolution, CB_SETCURSEL, 4, 0);
    Press(w, 501);

    // Step 2: channels together, a chord size that keeps the track whole.
    HWND step2 = GetParent(VisibleControl(w, kImportMaxChordSize));
    if (!step2) return;
    CheckDlgButton(step2, kImportExtractChannels, BST_UNCHECKED);
    SetDlgItemTextA(step2, kImportMaxChordSize, "40");
    Press(w, 501);

    // Step 3: the rebuilt list; an instruction added, the first edited away by deletion.
    HWND list = nullptr;
    Within([&] { return (list = VisibleControl(w, TSMFImportWiz4::kList)) != nullptr; });
    if (!list) return;
    HWND step3 = GetParent(list);
    seen.finishOnStep3 = IsWindowEnabled(finish);
    seen.step3Before = Lines(list).empty() ? "" : Lines(list)[0];
    PostMessageA(step3, WM_COMMAND, MAKEWPARAM(TSMFImportWiz4::kAdd, BN_CLICKED), 0);
    HWND dialog = WaitForWindow(nullptr, "Import Instruction", 5000);
    if (!dialog) return;
    for (int c = 0; c < 16; ++c) CheckDlgButton(dialog, TImportInstructionDlg::kFirstChannel + c, BST_UNCHECKED);
    CheckDlgButton(dialog, TImportInstructionDlg::kFirstChannel + 3, BST_CHECKED);
    SetDlgItemTextA(dialog, TImportInstructionDlg::kTrack, "1");
    SendDlgItemMessageA(dialog, TImportInstructionDlg::kLowest, CB_SETCURSEL, 60, 0);
    CheckDlgButton(dialog, TImportInstructionDlg::kFirstFlag + 2, BST_UNCHECKED);  // no automatic beam
    ClickButton(dialog, IDOK);
    WaitForWindowGone(dialog);
    Within([&] { return Lines(list).size() == 2; });
    seen.step3Added = Lines(list).size() == 2 ? Lines(list)[1] : "";
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    PostMessageA(step3, WM_COMMAND, MAKEWPARAM(TSMFImportWiz4::kDelete, BN_CLICKED), 0);
    HWND box = WaitForMessageBox("Delete Confirmation", 5000);
    if (!box) return;
    seen.deleteText = ReadMessageBox(box).text;
    ClickButton(box, IDYES);
    WaitForWindowGone(box);
    Within([&] { return Lines(list).size() == 1; });
    seen.step3After = Lines(list).empty() ? "" : Lines(list)[0];
    Press(w, 501);
    seen.finishOnLast = Within([&] { return IsWindowEnabled(finish) != 0; });
    ClickButton(w, IDOK);
  });

  std::unique_ptr<TMusicScore> score;
  const TImportOpenResult result =
      ImportMidiFileToScore(path_.c_str(), score, nullptr, TMidiImportOptions{}, [&](TQVKImportData& import) {
        return RunMidiImportWizard(nullptr, import, path_.c_str());
      });
  ASSERT_TRUE(script.Join(20000));
  EXPECT_EQ(seen.intro, path_);
  EXPECT_FALSE(seen.backOnIntro);
  EXPECT_FALSE(seen.finishOnStep3);
  EXPECT_EQ(seen.step3Before, "Track=01  channel=1,4");
  EXPECT_EQ(seen.step3Added, "Track=01  channel=4  pitch=C 5 through G 10");
  EXPECT_EQ(seen.deleteText, "Areyou sure that you want to delete the current instruction?");
  EXPECT_EQ(seen.step3After, seen.step3Added);
  EXPECT_TRUE(seen.finishOnLast);
  ASSERT_EQ(result, TImportOpenResult::kConverted);
  ASSERT_TRUE(score);

  // The converter on its own with the instruction the walk chose.
  TQVKImportData expected;
  ASSERT_TRUE(ReadMidiImportFile(path_.c_str(), expected));
  TSMFImportInstructions only;
  only.track = 1;
  only.channelMask = 0x0008;
  only.lowestPitch = 60;
  only.noteResolution = 3;
  only.restResolution = 4;
  only.flags = TSMFImportInstructions::kPedalMarks | TSMFImportInstructions::kCompoundTime;
  std::unique_ptr<TMusicScore> direct = ConvertMidiToScore(expected.data, {only}, expected.lyrics);
  ASSERT_TRUE(direct);
  ASSERT_EQ(score->StaffCount(), 2) << "one staff and the conductor";
  EXPECT_EQ(Saved(*score, "vc_wizard_a.qvk"), Saved(*direct, "vc_wizard_b.qvk"));

  // And not the score the default instructions give.
  std::unique_ptr<TMusicScore> plain;
  ASSERT_EQ(ImportMidiFileToScore(path_.c_str(), plain), TImportOpenResult::kConverted);
  EXPECT_NE(Saved(*score, "vc_wizard_a.qvk"), Saved(*plain, "vc_wizard_c.qvk"));
}

TEST_F(ImportWizardTest, CancelImportsNothing) {
  TScript script([&] {
    HWND w = WaitForWindow(nullptr, "MIDI Import Wizard", 10000);
    if (!w) return;
    Press(w, 501);
    Sleep(100);
    ClickButton(w, IDCANCEL);
  });
  std::unique_ptr<TMusicScore> score;
  const TImportOpenResult result =
      ImportMidiFileToScore(path_.c_str(), score, nullptr, TMidiImportOptions{}, [&](TQVKImportData& import) {
        return RunMidiImportWizard(nullptr, import, path_.c_str());
      });
  ASSERT_TRUE(script.Join(20000));
  EXPECT_EQ(result, TImportOpenResult::kCancelled);
  EXPECT_FALSE(score);
}

}  // namespace
