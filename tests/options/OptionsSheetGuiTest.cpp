// The options sheet under Wine: pages enabled by the caller's mask, every page's controls loaded
// from the settings and saved to the settings file by OK, the Midi and Record pages over the test
// MIDI driver's ports (a port that fails to open keeps the sheet open and is named), the timer and
// folder dialogs.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/ImportOptionsPage.h"
#include "app/win32/MidiOptionsPages.h"
#include "app/win32/OptionsPages.h"
#include "app/win32/OptionsSheet.h"
#include "foundation/SysInfo.h"
#include "framework/PropertyPage.h"
#include "midi/win32/MidiManager.h"
#include "tests/dialogs/DialogsFixture.h"
#include "tests/mididriver/VmidiClient.h"
#include "tests/support/guidriver/Screenshot.h"

using namespace guidriver;
using namespace dialogs_test;

namespace {

// The application's side of the sheet: the option block saved into the test's settings file, the
// staff colours and folders kept here, every call logged.
class TTestOptionsHost : public TOptionsHost {
public:
  TAppOptions& Options() override { return options; }
  void SaveSettings() override { options.Save(GetSysInfo()); }
  uint32_t GetStaffColor(int i) const override { return colors[i]; }
  void SetStaffColor(int i, uint32_t color) override { colors[i] = color; }
  void SaveStaffColors() override { calls.push_back("colors"); }
  void ForEachScoreWindow(int action) override { calls.push_back("windows " + std::to_string(action)); }
  bool GetFolder(int n, char (&out)[260]) override {
    std::snprintf(out, sizeof out, "%s", folders[n].c_str());
    return true;
  }
  void SetFolder(int n, const char* path) override {
    folders[n] = path;
    calls.push_back("folder " + std::to_string(n) + " " + path);
  }
  void SetRememberedFolder(int n, const char* folder) override {
    calls.push_back("remember " + std::to_string(n) + " " + folder);
  }
  bool Called(const std::string& call) const { return std::find(calls.begin(), calls.end(), call) != calls.end(); }

  TAppOptions options;
  uint32_t colors[8] = {0, 0xC00000, 0, 0xC0C0C0, 0xFF, 0xFF, 0xFF00, 0xFF0000};
  std::string folders[4] = {"C:\\Songs", "C:\\Copies", "C:\\Templates", "C:\\AutoSave"};
  std::vector<std::string> calls;
};

std::vector<std::string> ListLines(HWND list) {
  std::vector<std::string> out;
  char text[300];
  for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
    SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
    out.push_back(text);
  }
  return out;
}

std::string ComboText(HWND page, int id) {
  const LRESULT at = SendDlgItemMessageA(page, id, CB_GETCURSEL, 0, 0);
  char text[80] = {};
  if (at >= 0) SendDlgItemMessageA(page, id, CB_GETLBTEXT, WPARAM(at), reinterpret_cast<LPARAM>(text));
  return text;
}

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

class OptionsSheetTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { installed = VmidiClient::InstallReporting(); }

  void SetUp() override {
    ASSERT_TRUE(installed);
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    temp_ = folder;
    ini_ = temp_ + "vc_options_sheet.ini";
    DeleteFileA(ini_.c_str());
    GetSysInfo().SetStorageNames("Vellichord Tests", ini_.c_str());
    GetSysInfo().SetRegistryFlag(0);
    Set("MIDI Out Ports", "0", "VMIDI Out A");
    Set("MIDI Out Ports", "1", "Gone Synth");
    Set("MIDI In Ports", "0", "VMIDI In A");
    TMidiManagerSetup setup;
    setup.win95File = nullptr;
    setup.win95 = 0;
    manager_ = std::make_unique<TMidiManager>(setup);
    ASSERT_TRUE(manager_->IsBound()) << "the engine library is not beside the test";
    manager_->LoadPortSettings();
    manager_->AcquireDevices(true);
  }
  void TearDown() override {
    sheet_.reset();
    manager_.reset();
    PumpAppFor(app, 20);
    GetSysInfo().FlushSettings();
    DeleteFileA(ini_.c_str());
  }

  void Set(const char* section, const char* key, const char* value) { GetSysInfo().WriteString(section, key, value); }
  std::string Get(const char* section, const char* key) {
    GetSysInfo().FlushSettings();
    char text[64];
    GetSysInfo().ReadString(section, key, "<none>", text, sizeof text);
    return text;
  }
  int Stored(TAppOptionIndex i) {
    GetSysInfo().FlushSettings();
    return GetSysInfo().ReadInt(kOptionsSection, kAppOptionKeys[i].key, -12345);
  }

  TOptionsSheet& Open(unsigned mask) {
    sheet_ = std::make_unique<TOptionsSheet>(nullptr, mask, host);
    EXPECT_TRUE(sheet_->Create());
    ShowWindow(sheet_->GetHandle(), SW_SHOW);
    PumpAppFor(app, 80);
    return *sheet_;
  }
  HWND Page(TOptionPage page) { return sheet_->GetPageAt(static_cast<int>(page))->GetHandle(); }
  // OK as a click gives it; true when the sheet closed.
  bool PressOk() {
    HWND sheet = sheet_->GetHandle();
    ClickButton(sheet, IDOK);
    return PumpApp(app, [&] { return !IsWindow(sheet); }, 2000);
  }
  void SelectListLine(HWND page, int id, int index) {
    SendDlgItemMessageA(page, id, LB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
  }
  void Click(HWND page, int id) {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
  }
  // The box raised while `action` runs on this thread: its caption and text, answered with `button`.
  TMessageBoxText AnswerBox(const char* caption, int button, const std::function<void()>& action) {
    TMessageBoxText seen{"(no box)", ""};
    TScript script([&] {
      HWND box = WaitForMessageBox(caption, 5000);
      if (!box) return;
      seen = ReadMessageBox(box);
      ClickButton(box, button);
    });
    action();
    PumpApp(app, [&] { return script.Finished(); }, 6000);
    EXPECT_TRUE(script.Join());
    return seen;
  }

  static bool installed;
  TApplication app{"Options"};
  TTestOptionsHost host;
  std::unique_ptr<TMidiManager> manager_;
  std::unique_ptr<TOptionsSheet> sheet_;
  std::string temp_, ini_;
};
bool OptionsSheetTest::installed = false;

TEST_F(OptionsSheetTest, TheMaskEnablesPagesAndCancelBecomesClose) {
  const struct {
    unsigned mask;
    std::vector<bool> enabled;
  } cases[] = {
      {kOptionsMaskAll, {true, true, true, true, true, true, true}},
      {kOptionsMaskNoScore, {false, true, true, true, true, true, true}},
      {kOptionsMaskMidiOnly, {false, false, false, false, false, true, false}},
  };
  for (const auto& c : cases) {
    TOptionsSheet& sheet = Open(c.mask);
    EXPECT_EQ(GetText(sheet.GetHandle()), "Options");
    ASSERT_EQ(sheet.GetPageCount(), kOptionPageCount);
    std::vector<bool> enabled;
    for (int i = 0; i < kOptionPageCount; ++i) enabled.push_back(sheet.GetPageAt(0)->IsTabEnabled(i));
    EXPECT_EQ(enabled, c.enabled) << std::hex << c.mask;
    if (c.mask == kOptionsMaskMidiOnly) {
      EXPECT_EQ(sheet.GetCurrentIndex(), static_cast<int>(TOptionPage::kMidi));
    }
    HWND cancel = GetDlgItem(sheet.GetHandle(), IDCANCEL);
    EXPECT_EQ(GetText(cancel), "Cancel");
    int other = -1;
    for (int i = 0; i < kOptionPageCount && other < 0; ++i)
      if (c.enabled[i] && i != sheet.GetCurrentIndex()) other = i;
    if (other >= 0) {
      EXPECT_TRUE(sheet.SelectPage(other));
      EXPECT_EQ(GetText(cancel), "Close") << "a page was chosen";
    } else {
      EXPECT_FALSE(sheet.SelectPage(static_cast<int>(TOptionPage::kEditor))) << "a disabled page";
      EXPECT_EQ(sheet.GetCurrentIndex(), static_cast<int>(TOptionPage::kMidi));
    }
    sheet.Destroy(IDCANCEL);
    PumpAppFor(app, 20);
  }
}

// Every page shows what the settings hold; what the user changes reaches the settings file when
// OK takes the pages, with the score windows told about colours and undo depth.
TEST_F(OptionsSheetTest, PagesShowTheSettingsAndOkSavesThem) {
  TAppOptions& o = host.options;
  o[kOptScoreWinColor] = 3;
  o[kOptSmartPropertiesInsert] = 1;
  o[kOptUndoLevels] = 57;
  o[kOptAutoSaveMinutes] = 0;
  o[kOptExperimentalActive] = 1;
  o[kOptSMFExportHdrInfo] = 2;
  o[kOptPlayLeadInMeasures] = 3;
  o[kOptMidiPortUsage] = 2;
  o[kOptRecImportAction] = 1;
  Set("Import", "NoteResolution", "3");
  Set("Import", "MaxChordSize", "25");
  Set("Import", "AddPedalMarks", "1");
  Open(kOptionsMaskAll);

  HWND color = Page(TOptionPage::kColor), editor = Page(TOptionPage::kEditor), file = Page(TOptionPage::kFile),
       folders = Page(TOptionPage::kFolders), import = Page(TOptionPage::kImport), midi = Page(TOptionPage::kMidi),
       record = Page(TOptionPage::kRecord);
  EXPECT_EQ(ComboText(color, TColorOptionsDlg::kBackgroundList), "Dk Gray");
  const std::vector<std::string> roles = ListLines(GetDlgItem(color, TColorOptionsDlg::kRoleList));
  ASSERT_EQ(roles.size(), 8u);
  EXPECT_EQ(roles[0], "Printer Default");
  EXPECT_EQ(roles[7], "Highlight 3");
  EXPECT_EQ(SendDlgItemMessageA(color, TColorOptionsDlg::kRoleList, LB_GETITEMDATA, 6, 0), 0xFF00);
  EXPECT_TRUE(Checked(editor, 105));
  EXPECT_TRUE(Checked(editor, 111));
  EXPECT_FALSE(Checked(editor, 107));
  EXPECT_EQ(GetText(GetDlgItem(editor, TEditOptionsDlg::kUndoLevels)), "57");
  EXPECT_FALSE(Checked(file, TFileOptionsDlg::kAutoSave));
  EXPECT_EQ(GetText(GetDlgItem(file, TFileOptionsDlg::kMinutes)), "15") << "proposed while auto-save is off";
  EXPECT_FALSE(Checked(file, TFileOptionsDlg::kRestrict));
  EXPECT_EQ(ComboText(file, TFileOptionsDlg::kHeaderInfo), "Track 1");
  EXPECT_TRUE(Checked(file, TFileOptionsDlg::kImportWizard));
  EXPECT_EQ(ListLines(GetDlgItem(folders, TFoldersOptionsDlg::kList)),
            (std::vector<std::string>{"Song Files:\tC:\\Songs", "Print Preview Copy:\tC:\\Copies",
                                      "New File Templates:\tC:\\Templates", "Auto Save/Recovery:\tC:\\AutoSave"}));
  EXPECT_TRUE(Checked(import, kImportPedalMarks));
  EXPECT_TRUE(Checked(import, kImportAutoBeam));
  EXPECT_EQ(ComboText(import, kImportNoteResolution), "Eighth Note");
  EXPECT_EQ(ComboText(import, kImportRestResolution), "Quarter Rest");
  EXPECT_EQ(GetText(GetDlgItem(import, kImportMaxChordSize)), "25");
  EXPECT_EQ(ComboText(midi, TMidiOptionsDlg::kPlayFrom), "from 2 measures back");
  EXPECT_EQ(ComboText(midi, TMidiOptionsDlg::kPortUsage), "Always");
  EXPECT_EQ(ComboText(record, TRecordOptionsDlg::kImportAction), "'Record' group");
  EXPECT_EQ(SendDlgItemMessageA(record, TRecordOptionsDlg::kEchoChannel, CB_GETCOUNT, 0, 0), 17);

  if (const char* out = getenv("VC_SCREENSHOT_DIR")) {
    sheet_->SelectPage(static_cast<int>(TOptionPage::kEditor));
    PumpAppFor(app, 300);
    RECT r;
    GetWindowRect(sheet_->GetHandle(), &r);
    HDC screen = GetDC(nullptr);
    SaveBmp(CaptureDC(screen, r.left, r.top, r.right - r.left, r.bottom - r.top), std::string(out) + "\\options-sheet.bmp");
    ReleaseDC(nullptr, screen);
  }

  // The changes, one or more per page; the play device that does not open goes.
  SendDlgItemMessageA(color, TColorOptionsDlg::kBackgroundList, CB_SETCURSEL, 1, 0);
  CheckDlgButton(editor, 105, BST_UNCHECKED);
  SetDlgItemTextA(editor, TEditOptionsDlg::kUndoLevels, "40");
  CheckDlgButton(file, TFileOptionsDlg::kAutoSave, BST_CHECKED);
  CheckDlgButton(file, TFileOptionsDlg::kRestrict, BST_CHECKED);
  SendDlgItemMessageA(file, TFileOptionsDlg::kHeaderInfo, CB_SETCURSEL, 0, 0);
  CheckDlgButton(import, kImportCompoundTime, BST_UNCHECKED);
  SendDlgItemMessageA(import, kImportRestResolution, CB_SETCURSEL, 4, 0);
  SetDlgItemTextA(import, kImportMaxChordSize, "30");
  SendDlgItemMessageA(midi, TMidiOptionsDlg::kPlayFrom, CB_SETCURSEL, 2, 0);
  SelectListLine(midi, TMidiOptionsDlg::kChosen, 1);
  Click(midi, TMidiOptionsDlg::kRemove);
  SendDlgItemMessageA(record, TRecordOptionsDlg::kImportAction, CB_SETCURSEL, 2, 0);
  ASSERT_TRUE(PressOk());

  EXPECT_EQ(Stored(kOptScoreWinColor), 1);
  EXPECT_EQ(Stored(kOptRtMouseSetsInsPt), 0);
  EXPECT_EQ(Stored(kOptSmartPropertiesInsert), 1);
  EXPECT_EQ(Stored(kOptUndoLevels), 40);
  EXPECT_EQ(Stored(kOptAutoSaveMinutes), 15);
  EXPECT_EQ(Stored(kOptExperimentalActive), 0);
  EXPECT_EQ(Stored(kOptSMFExportHdrInfo), 0);
  EXPECT_EQ(Stored(kOptPlayFromCaret), 1);
  EXPECT_EQ(Stored(kOptPlayLeadInMeasures), 1) << "from current measure";
  EXPECT_EQ(Stored(kOptRecImportAction), 2);
  EXPECT_EQ(Get("Import", "DetectCompoundTime"), "0");
  EXPECT_EQ(Get("Import", "RestResolution"), "4");
  EXPECT_EQ(Get("Import", "MaxChordSize"), "30");
  EXPECT_EQ(Get("Import", "AddPedalMarks"), "1");
  EXPECT_EQ(Get("MIDI Out Ports", "0"), "VMIDI Out A");
  EXPECT_EQ(Get("MIDI Out Ports", "1"), "<none>");
  EXPECT_TRUE(host.Called("windows 2"));
  EXPECT_TRUE(host.Called("windows 3"));
  EXPECT_TRUE(host.Called("colors"));
}

// A chosen play device that does not open is named and keeps the sheet open on the Midi page;
// once every chosen device opens, OK hands them to the device manager, opens them and stores them.
TEST_F(OptionsSheetTest, MidiPageListsTheDriversPortsAndRefusesOneThatFails) {
  TOptionsSheet& sheet = Open(kOptionsMaskAll);
  HWND midi = Page(TOptionPage::kMidi);
  HWND available = GetDlgItem(midi, TMidiOptionsDlg::kAvailable), chosen = GetDlgItem(midi, TMidiOptionsDlg::kChosen);
  EXPECT_EQ(ListLines(chosen), (std::vector<std::string>{"VMIDI Out A", "Gone Synth"}));
  const std::vector<std::string> offered = ListLines(available);
  EXPECT_NE(std::find(offered.begin(), offered.end(), "VMIDI Out B"), offered.end());
  EXPECT_NE(std::find(offered.begin(), offered.end(), "VMIDI Out C"), offered.end());
  EXPECT_EQ(std::find(offered.begin(), offered.end(), "VMIDI Out A"), offered.end()) << "a port already";
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(midi, TMidiOptionsDlg::kAdd)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(midi, TMidiOptionsDlg::kRemove)));

  const int b = int(SendMessageA(available, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("VMIDI Out B")));
  SelectListLine(midi, TMidiOptionsDlg::kAvailable, b);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(midi, TMidiOptionsDlg::kAdd)));
  Click(midi, TMidiOptionsDlg::kAdd);
  EXPECT_EQ(ListLines(chosen), (std::vector<std::string>{"VMIDI Out A", "Gone Synth", "VMIDI Out B"}));
  EXPECT_EQ(ListLines(available).size(), offered.size() - 1);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(midi, TMidiOptionsDlg::kAdd))) << "nothing selected any more";

  sheet.SelectPage(static_cast<int>(TOptionPage::kEditor));
  const TMessageBoxText box = AnswerBox("Play Device Failure", IDOK, [&] { ClickButton(sheet.GetHandle(), IDOK); });
  EXPECT_EQ(box.text,
            "The following play devices failed to open properly:\n\n\tGone Synth\n\nThis problem must be corrected "
            "before proceeding.");
  ASSERT_TRUE(IsWindow(sheet.GetHandle())) << "the sheet stays open";
  EXPECT_EQ(sheet.GetCurrentIndex(), static_cast<int>(TOptionPage::kMidi)) << "brought forward";
  EXPECT_EQ(Stored(kOptUndoLevels), -12345) << "nothing applied";

  SelectListLine(midi, TMidiOptionsDlg::kChosen, 1);
  Click(midi, TMidiOptionsDlg::kRemove);
  ASSERT_TRUE(PressOk());
  EXPECT_EQ(Get("MIDI Out Ports", "0"), "VMIDI Out A");
  EXPECT_EQ(Get("MIDI Out Ports", "1"), "VMIDI Out B");
  EXPECT_EQ(Get("MIDI Out Ports", "2"), "<none>");
  ASSERT_EQ(manager_->GetPortCount(), 2);
  EXPECT_STREQ(manager_->GetPortName(1), "VMIDI Out B");
  EXPECT_NE(manager_->GetOutDevice(0), nullptr);
  EXPECT_NE(manager_->GetOutDevice(1), nullptr) << "opened under its new name";
}

// Ports A and B open; B is swapped for C on the Midi page. Port 1 must then play through C, not
// through B's device left open under C's name.
TEST_F(OptionsSheetTest, APortGivenAnotherDeviceSendsToTheNewOne) {
  Set("MIDI Out Ports", "1", "VMIDI Out B");
  manager_->LoadPortSettings();
  ASSERT_NE(manager_->GetOutDevice(1), nullptr);
  VmidiClient driver;
  ASSERT_TRUE(driver.Bind());
  TOptionsSheet& sheet = Open(kOptionsMaskAll);
  HWND midi = Page(TOptionPage::kMidi);
  HWND available = GetDlgItem(midi, TMidiOptionsDlg::kAvailable);
  SelectListLine(midi, TMidiOptionsDlg::kChosen, 1);
  Click(midi, TMidiOptionsDlg::kRemove);
  SelectListLine(midi, TMidiOptionsDlg::kAvailable,
                 int(SendMessageA(available, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM("VMIDI Out C"))));
  Click(midi, TMidiOptionsDlg::kAdd);
  (void)sheet;
  ASSERT_TRUE(PressOk());
  ASSERT_STREQ(manager_->GetPortName(1), "VMIDI Out C");
  const uint32_t mark = driver.LogCount();
  ASSERT_TRUE(manager_->TrySendShort(0x01403C90));  // port 1: note-on
  const auto toC = driver.SentSince(mark, VmidiClient::OutputId(2));
  const auto toB = driver.SentSince(mark, VmidiClient::OutputId(1));
  ASSERT_EQ(toC.size(), 1u);
  EXPECT_EQ(toC[0].param & 0xFFFFFF, 0x403C90u);
  EXPECT_TRUE(toB.empty());
}

TEST_F(OptionsSheetTest, RecordPageRefusesAnInputThatDoesNotOpenAndStoresTheEcho) {
  TOptionsSheet& sheet = Open(kOptionsMaskAll);
  HWND record = Page(TOptionPage::kRecord), midi = Page(TOptionPage::kMidi);
  SelectListLine(midi, TMidiOptionsDlg::kChosen, 1);
  Click(midi, TMidiOptionsDlg::kRemove);  // the failing play device is not this test's subject
  EXPECT_EQ(GetText(GetDlgItem(record, TRecordOptionsDlg::kInput)), "VMIDI In A");
  SetDlgItemTextA(record, TRecordOptionsDlg::kInput, "No Such Input");
  const TMessageBoxText box = AnswerBox("Record Device Failure", IDOK, [&] { ClickButton(sheet.GetHandle(), IDOK); });
  EXPECT_EQ(box.text,
            "The recording device failed to open properly.\n\nPlease selected a working device, or delete the "
            "contents of the edit box to disable the record feature.");
  ASSERT_TRUE(IsWindow(sheet.GetHandle()));
  EXPECT_EQ(sheet.GetCurrentIndex(), static_cast<int>(TOptionPage::kRecord));

  SetDlgItemTextA(record, TRecordOptionsDlg::kInput, "VMIDI In A");
  CheckDlgButton(record, TRecordOptionsDlg::kEcho, BST_CHECKED);
  SendDlgItemMessageA(record, TRecordOptionsDlg::kEchoPort, CB_SETCURSEL, 0, 0);
  SendDlgItemMessageA(record, TRecordOptionsDlg::kEchoChannel, CB_SETCURSEL, 3, 0);
  ASSERT_TRUE(PressOk());
  EXPECT_EQ(Get("MIDI In Ports", "0"), "VMIDI In A");
  EXPECT_EQ(Get("MIDI Echo", "Enabled"), "1");
  EXPECT_EQ(Get("MIDI Echo", "DeviceNum"), "0");
  EXPECT_EQ(Get("MIDI Echo", "ChnlOvrd"), "3");
  EXPECT_NE(manager_->GetInDevice(), nullptr);
}

TEST_F(OptionsSheetTest, TimerDialogSuggestsAndStoresItsValues) {
  Open(kOptionsMaskAll);
  HWND midi = Page(TOptionPage::kMidi);
  manager_->SetTimerSettings(9, 7);
  std::string shown;
  TScript script([&] {
    HWND dialog = WaitForWindow(nullptr, "Configure MIDI Timer", 5000);
    if (!dialog) return;
    shown = GetText(GetDlgItem(dialog, TMidiAdvConfigDlg::kPeriod)) + "/" +
            GetText(GetDlgItem(dialog, TMidiAdvConfigDlg::kResolution));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(TMidiAdvConfigDlg::kSuggest, BN_CLICKED), 0);
    shown += " " + GetText(GetDlgItem(dialog, TMidiAdvConfigDlg::kPeriod)) + "/" +
             GetText(GetDlgItem(dialog, TMidiAdvConfigDlg::kResolution));
    SetDlgItemTextA(dialog, TMidiAdvConfigDlg::kPeriod, "10");
    ClickButton(dialog, IDOK);
  });
  Click(midi, TMidiOptionsDlg::kTimer);
  ASSERT_TRUE(script.Join());
  EXPECT_EQ(shown, "9/7 2/2");
  EXPECT_EQ(manager_->GetTimerPeriod(), 10);
  EXPECT_EQ(manager_->GetTimerResolution(), 2);
  EXPECT_EQ(Get("MIDI Timer", "Timer Period"), "10");
}

// Modify... on the auto-save row: a folder that does not exist is refused; an existing one is
// stored without its trailing backslash, the row shows it, the windows drop their auto-save files.
TEST_F(OptionsSheetTest, FolderDialogTakesOnlyExistingFolders) {
  TOptionsSheet& sheet = Open(kOptionsMaskAll);
  HWND folders = Page(TOptionPage::kFolders);
  SelectListLine(folders, TFoldersOptionsDlg::kList, 3);
  const std::string existing = temp_;  // ends with a backslash
  std::string refused;
  TScript script([&] {
    HWND dialog = WaitForWindow(nullptr, "Folder Name", 5000);
    if (!dialog) return;
    SetDlgItemTextA(dialog, TFolderEditDlg::kFolderEdit, "C:\\No such folder here");
    ClickButton(dialog, IDOK);
    HWND box = WaitForMessageBox("Error", 5000);
    if (!box) return;
    refused = ReadMessageBox(box).text;
    ClickButton(box, IDOK);
    WaitForWindowGone(box);
    SetDlgItemTextA(dialog, TFolderEditDlg::kFolderEdit, existing.c_str());
    ClickButton(dialog, IDOK);
  });
  Click(folders, TFoldersOptionsDlg::kModify);
  ASSERT_TRUE(script.Join());
  EXPECT_EQ(refused, "The specified folder does not exist.");
  const std::string stored = existing.substr(0, existing.size() - 1);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"folder 3 " + stored, "windows 5"}));
  EXPECT_EQ(ListLines(GetDlgItem(folders, TFoldersOptionsDlg::kList))[3], "Auto Save/Recovery:\t" + stored);
  EXPECT_EQ(GetText(GetDlgItem(sheet.GetHandle(), IDCANCEL)), "Close");
}

}  // namespace
