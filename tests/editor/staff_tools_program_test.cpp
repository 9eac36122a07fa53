// The staff tools in the running editor: Staff Properties (with the patch lists of our own
// QXTPATCH.INI), Mute List and Move Staff change the saved file, Undo takes each change back, the
// sheet's refusals keep it open, Cancel records nothing, and an oversized patch list is cut
// with a message. The Notation Properties sheet serves Properties and the Insert menu's item
// dialogs. Staff Transpose warns of a note it cannot spell in the new key.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/DynamicLevelData.h"
#include "QVKNTN/DynamicVariance.h"
#include "QVKNTN/GenericControl.h"
#include "QVKNTN/KeyData.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/PatchData.h"
#include "QVKNTN/SpecialEnding.h"
#include "QVKNTN/SustainPedal.h"
#include "QVKNTN/TempoData.h"
#include "QVKNTN/TextExpression.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "resources/CommandIds.h"
#include "tests/editor/EditorProgramFixture.h"
#include "tests/editor/ProgramDriving.h"
#include "tests/staffutl/StaffText.h"

using namespace guidriver;
using namespace editor_program;

namespace {

// What a test adds to the score after the staves' texts, before the audit: items, fonts.
using TAddItems = std::function<void(TMusicScore&)>;

bool WriteScore(const std::string& path, const std::vector<const char*>& names, const char* text = "q@0 q@1 | h@2",
                const TAddItems& addItems = nullptr) {
  InstallAuditPass();
  TMusicScore score;
  for (const char* name : names) {
    auto* staff = new TMusicStaff;
    staff->SetName(name);
    FillStaff(*staff, text);
    score.AppendStaff(staff);
  }
  if (addItems) addItems(score);
  for (int i = 0; i < score.StaffCount(); ++i) RunStaffAudit(score.GetStaff(i), -1, -1);
  score.GetStaff(names.size() > 1 ? 1 : 0)->SetMuted(1);
  return SaveScoreFile(path.c_str(), 0, score) != 0;
}

std::unique_ptr<TMusicScore> ReadScore(const std::string& path) {
  InstallAuditPass();
  TScoreLoadInfo info;
  info.Clear();
  return std::unique_ptr<TMusicScore>(ReadScoreFile(path.c_str(), info));
}

std::string Names(const TMusicScore& score) {
  std::string out;
  for (int i = 0; i < score.StaffCount(); ++i) out += std::string(i ? "," : "") + score.GetStaff(i)->GetName();
  return out;
}

std::string MutedFlags(const TMusicScore& score) {
  std::string out;
  for (int i = 0; i < score.StaffCount(); ++i) out += score.GetStaff(i)->IsMuted() ? 'Y' : 'N';
  return out;
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, kWaitMs, &result);
  return static_cast<LRESULT>(result);
}

void SetText(HWND hwnd, const char* text) { Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }

// A click on a check box or radio button of a dialog or page: the button changes its state and
// tells its owner, as under the mouse.
void ClickCheck(HWND owner, int id) { PostMessageA(FindDescendant(owner, "Button", id), BM_CLICK, 0, 0); }

// Each note of the first staff: 'M' muted, '-' sounding.
std::string MutedNotes(const TMusicScore& score) {
  const TMusicStaff& staff = *score.GetStaff(0);
  std::string out;
  for (int i = 1; i < staff.LastIndex(); ++i) {
    const TNotatedItem* item = staff.GetItem(i);
    if (item->IsNoteOrChord()) out += static_cast<const TMusicNote*>(item)->IsMuted() ? 'M' : '-';
  }
  return out;
}

std::string FirstStaffText(const TMusicScore& score) { return StaffText(*score.GetStaff(0)); }

// A plain callback: 32-bit Windows calls it with the stdcall convention, which a lambda lacks.
BOOL CALLBACK CollectPage(HWND hwnd, LPARAM lParam) {
  char name[16];
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, "#32770") == 0) reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}

class StaffToolsProgramTest : public TEditorProgramTest {
protected:
  // Opens a score of these staves, each holding the text.
  void Open(const std::vector<const char*>& names, const char* text = "q@0 q@1 | h@2",
            const TAddItems& addItems = nullptr) {
    WriteFileText("QVK.INI", "[Options]\r\nSaveBackups=1\r\nUsageTipsOnStartup=0\r\n");
    score_ = Path("song.qvk");
    ASSERT_TRUE(WriteScore(score_, names, text, addItems));
    Start("\"" + score_ + "\"");
    frame_ = WaitForView(view_);
    ASSERT_TRUE(frame_) << "no score window opened";
    window_ = FindDescendant(frame_, kWindowClass);
    ASSERT_TRUE(window_);
  }

  // Saves and reads the file back.
  std::unique_ptr<TMusicScore> SaveAndRead() {
    const std::string backup = Path("song.BAK");
    DeleteFileA(backup.c_str());
    EXPECT_TRUE(PostCommand(frame_, CM_FILESAVE));
    EXPECT_TRUE(PumpUntil([&] { return FileExists(backup) && !FileExists(Path("song.$$$")); }, kWaitMs)) << OpenBox();
    PumpFor(200);
    return ReadScore(score_);
  }

  // The saved file shows the change; after Undo the file saved again shows the original.
  void ExpectSavedThenUndone(const std::function<std::string(const TMusicScore&)>& show, const std::string& changed,
                             const std::string& original) {
    std::unique_ptr<TMusicScore> saved = SaveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(show(*saved), changed);
    ASSERT_TRUE(PostCommand(view_, CM_UNDO));
    saved = SaveAndRead();
    ASSERT_TRUE(saved);
    EXPECT_EQ(show(*saved), original) << "after Undo";
  }

  // Select All, then the Notation Properties sheet over the selection; null when it did not open.
  HWND SelectionSheet() {
    if (!PostCommand(view_, CM_SELECTALL)) return nullptr;
    PumpFor(300);
    if (!PostCommand(view_, CM_SELECTIONPROPS)) return nullptr;
    return WaitForDialog("Notation Properties");
  }

  // Ctrl+Tab until the page with this control is shown.
  HWND ShowPageWith(HWND sheet, const char* className, int id) {
    for (int i = 0; i < 6; ++i) {
      HWND control = FindDescendant(sheet, className, id);
      if (control && IsWindowVisible(control)) return control;
      Focus(sheet);
      PressKey(VK_TAB, kControl);
      PumpUntil([&] {
        HWND c = FindDescendant(sheet, className, id);
        return c && IsWindowVisible(c);
      }, 2000);
    }
    return nullptr;
  }

  // Ctrl+Tab until the shown page satisfies the test; the page, or null.
  HWND ShowPageWhere(HWND sheet, const std::function<bool(HWND)>& isPage) {
    HWND found = nullptr;
    auto shown = [&] {
      std::vector<HWND> pages;
      EnumChildWindows(sheet, CollectPage, reinterpret_cast<LPARAM>(&pages));
      for (HWND page : pages)
        if (IsWindowVisible(page) && isPage(page)) return (found = page) != nullptr;
      return false;
    };
    for (int i = 0; i < 12 && !shown(); ++i) {
      Focus(sheet);
      PressKey(VK_TAB, kControl);
      PumpUntil(shown, 1000);
    }
    return found;
  }

  // The page whose combo box of this id holds this many entries.
  HWND ShowPageWithList(HWND sheet, int id, int entries) {
    return ShowPageWhere(sheet, [&](HWND page) {
      HWND combo = FindDescendant(page, "ComboBox", id);
      return combo && Send(combo, CB_GETCOUNT) == entries;
    });
  }

  // Answers a box with this caption and gives back its text.
  std::string AnswerBox(const char* caption) {
    HWND box = WaitForWindow("#32770", caption, kWaitMs, process_->Id());
    if (!box) return "no \"" + std::string(caption) + "\" box; " + OpenBox();
    const std::string text = ReadMessageBox(box).text;
    ClickButton(box, IDOK);
    WaitForWindowGone(box, kWaitMs);
    return text;
  }

  // The Delete key in the view: it removes the selection, or the item at the caret.
  void PressDelete() {
    PostMessageA(view_, WM_KEYDOWN, VK_DELETE, 1);
    PostMessageA(view_, WM_KEYUP, VK_DELETE, 0xC0000001);
    PumpFor(300);
  }

  // A choice in a combo box as the user makes it: selected, and its owner told.
  static void ChooseInCombo(HWND combo, int index) {
    Send(combo, CB_SETCURSEL, index);
    Send(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }

  void CloseWithoutQuestion() {
    PostMessageA(frame_, WM_CLOSE, 0, 0);
    DWORD code = 0xDEAD;
    EXPECT_TRUE(process_->WaitForExit(kWaitMs, &code)) << "an unchanged score closes without a question; " << OpenBox();
    EXPECT_EQ(code, 0u);
  }

  std::string score_;
  HWND frame_ = nullptr;
  HWND view_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace

TEST_F(StaffToolsProgramTest, StaffPropertiesChangesNameAndInstrumentAndUndoRestoresThem) {
  ASSERT_TRUE(CopyFileA("QXTPATCH.INI", Path("QXTPATCH.INI").c_str(), FALSE)) << "the patch list fixture is missing";
  Open({"Melody", "Bass"});
  ASSERT_TRUE(PostCommand(view_, CM_STAFFPROPERTIES));
  HWND sheet = WaitForDialog("Properties for Melody");
  ASSERT_TRUE(sheet) << OpenBox();
  HWND name = ShowPageWith(sheet, "Edit", 100);
  ASSERT_TRUE(name);
  SetText(name, "  Melody 2 ");

  HWND patches = ShowPageWith(sheet, "ListBox", 102);
  ASSERT_TRUE(patches) << "no instrument page";
  HWND page = GetParent(patches);
  HWND types = FindDescendant(page, "ComboBox", 103);
  ASSERT_TRUE(types);
  EXPECT_EQ(Send(types, CB_GETCOUNT), 4) << "two numeric types and the two lists of the file";
  EXPECT_EQ(Send(types, CB_GETCURSEL), 2) << "the file's first list is the current type";
  ASSERT_EQ(Send(patches, LB_GETCOUNT), 129);
  EXPECT_EQ(Send(patches, LB_GETTEXTLEN, 1), static_cast<LRESULT>(std::string("Acoustic Grand Piano").size()));
  EXPECT_EQ(Send(patches, LB_GETTEXTLEN, 41), static_cast<LRESULT>(std::string("Violin").size()));
  Send(patches, LB_SETCURSEL, 41);
  ClickCheck(page, 100);
  HWND bank0 = FindDescendant(page, "Edit", 101);
  HWND bank32 = FindDescendant(page, "Edit", 105);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(bank0) != FALSE; }, kWaitMs)) << "the bank check enables its controllers";
  SetText(bank0, "1");
  SetText(bank32, "2");
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();

  std::unique_ptr<TMusicScore> saved = SaveAndRead();
  ASSERT_TRUE(saved);
  const TMusicStaff& staff = *saved->GetStaff(0);
  EXPECT_STREQ(staff.GetName(), "Melody 2");
  EXPECT_EQ(staff.GetInstrument().patch, 41);
  EXPECT_EQ(staff.GetInstrument().bankSelect, 1);
  EXPECT_EQ(staff.GetInstrument().bank, 130);
  EXPECT_STREQ(saved->GetStaff(1)->GetName(), "Bass");

  ASSERT_TRUE(PostCommand(view_, CM_UNDO));
  saved = SaveAndRead();
  ASSERT_TRUE(saved);
  EXPECT_STREQ(saved->GetStaff(0)->GetName(), "Melody");
  EXPECT_EQ(saved->GetStaff(0)->GetInstrument().patch, 0);
  EXPECT_EQ(saved->GetStaff(0)->GetInstrument().bankSelect, 0);
}

TEST_F(StaffToolsProgramTest, RefusedValuesKeepTheSheetOpenAndCancelRecordsNothing) {
  Open({"Melody", "Bass"});
  ASSERT_TRUE(PostCommand(view_, CM_STAFFPROPERTIES));
  HWND sheet = WaitForDialog("Properties for Melody");
  ASSERT_TRUE(sheet) << OpenBox();
  HWND name = ShowPageWith(sheet, "Edit", 100);
  ASSERT_TRUE(name);
  SetText(name, "Bass");
  ClickButton(sheet, IDOK);
  EXPECT_EQ(AnswerBox("Staff Name Problem"),
            "The specified staff name is already in use by another staff.\n\nPlease give it a unique name.");
  SetText(name, " \t ");
  ClickButton(sheet, IDOK);
  EXPECT_EQ(AnswerBox("Staff Name Problem"), "Please specify a name for this staff.");
  ASSERT_TRUE(IsWindow(sheet)) << "the sheet stays open";
  SetText(name, "Melody");  // its own name is no clash

  HWND lines = ShowPageWith(sheet, "Edit", 110);
  ASSERT_TRUE(lines) << "no visual page";
  HWND page = GetParent(lines);
  Send(FindDescendant(page, "ComboBox", 109), CB_SETCURSEL, 1);  // Upper Grand Staff
  SetText(lines, "6");
  ClickButton(sheet, IDOK);
  EXPECT_EQ(AnswerBox("Problem"), "Members of a Grand Staff must use 5 lines per staff.");
  SetText(lines, "5");
  SetText(FindDescendant(page, "Edit", 106), "3");
  ClickButton(sheet, IDOK);
  EXPECT_EQ(AnswerBox("Problem"), "The staff vertical size cannot be less than the number of staff lines.");
  ASSERT_TRUE(IsWindow(sheet));
  ClickButton(sheet, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs));
  CloseWithoutQuestion();
}

TEST_F(StaffToolsProgramTest, MuteListStoresTheFlagsAndUndoRestoresThem) {
  Open({"A", "B", "C"});
  // Cancel first: nothing changes and nothing is recorded.
  ASSERT_TRUE(PostCommand(window_, CM_MUTELIST));
  HWND dialog = WaitForDialog("Mute List");
  ASSERT_TRUE(dialog) << OpenBox();
  HWND list = FindDescendant(dialog, "ListBox", 101);
  ASSERT_TRUE(list);
  EXPECT_EQ(Send(list, LB_GETCOUNT), 3);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 1);
  EXPECT_GT(Send(list, LB_GETSEL, 1), 0) << "B is muted";
  ClickButton(dialog, 111);  // Mute All
  ASSERT_TRUE(PumpUntil([&] { return Send(list, LB_GETSELCOUNT) == 3; }, kWaitMs));
  ClickButton(dialog, 110);  // Play All
  ASSERT_TRUE(PumpUntil([&] { return Send(list, LB_GETSELCOUNT) == 0; }, kWaitMs));
  ClickButton(dialog, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(dialog, kWaitMs));

  ASSERT_TRUE(PostCommand(window_, CM_MUTELIST));
  dialog = WaitForDialog("Mute List");
  ASSERT_TRUE(dialog);
  list = FindDescendant(dialog, "ListBox", 101);
  EXPECT_EQ(Send(list, LB_GETSELCOUNT), 1) << "the cancelled changes are gone";
  ClickButton(dialog, 112);  // Reverse All
  ASSERT_TRUE(PumpUntil([&] { return Send(list, LB_GETSELCOUNT) == 2; }, kWaitMs));
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForWindowGone(dialog, kWaitMs));

  ExpectSavedThenUndone(MutedFlags, "YNY", "NYN");
}

TEST_F(StaffToolsProgramTest, MoveStaffPutsTheStaffAtTheChosenRowAndUndoMovesItBack) {
  Open({"A", "B", "C"});
  ASSERT_TRUE(PostCommand(view_, CM_MOVESTAFF));
  HWND dialog = WaitForDialog("Move Staff");
  ASSERT_TRUE(dialog) << OpenBox();
  EXPECT_EQ(GetText(FindDescendant(dialog, "Static", 101)), "A");
  HWND list = FindDescendant(dialog, "ListBox", 102);
  ASSERT_TRUE(list);
  EXPECT_EQ(Send(list, LB_GETCOUNT), 3);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 0) << "the staff's own row is chosen";
  Send(list, LB_SETCURSEL, 2);
  // A double click on the row closes the dialog as OK does.
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(102, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
  ASSERT_TRUE(WaitForWindowGone(dialog, kWaitMs));

  ExpectSavedThenUndone(Names, "B,C,A", "A,B,C");
}

TEST_F(StaffToolsProgramTest, AnOversizedPatchListIsCutWithAMessage) {
  // One list of 400 names of 40 characters: far past what a section read takes.
  std::string ini = "[Patch Lists]\r\nHuge=\r\n[Huge]\r\n";
  for (int i = 1; i <= 400; ++i) {
    char line[64];
    wsprintfA(line, "Instrument number %03d with a long name..=\r\n", i);
    ini += line;
  }
  WriteFileText("QXTPATCH.INI", ini);
  Open({"Melody"});
  ASSERT_TRUE(PostCommand(view_, CM_STAFFPROPERTIES));
  HWND sheet = WaitForDialog("Properties for Melody");
  ASSERT_TRUE(sheet) << OpenBox();
  Focus(sheet);
  PressKey(VK_TAB, kControl);
  PressKey(VK_TAB, kControl);
  PressKey(VK_TAB, kControl);
  EXPECT_NE(AnswerBox("Patch List").find("left out"), std::string::npos);
  HWND patches = ShowPageWith(sheet, "ListBox", 102);
  ASSERT_TRUE(patches);
  EXPECT_EQ(Send(patches, LB_GETCOUNT), 129);
  ClickButton(sheet, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs));
  EXPECT_TRUE(process_->IsRunning());
  CloseWithoutQuestion();
}

TEST_F(StaffToolsProgramTest, TransposeRewritesTheStaffAndItsPlaybackAndUndoRestores) {
  Open({"Melody"});
  ASSERT_TRUE(PostCommand(view_, CM_TRANSPOSE));
  HWND dialog = WaitForDialog("Staff Transpose");
  ASSERT_TRUE(dialog) << OpenBox();
  SetText(FindDescendant(dialog, "Edit", 101), "2");
  ClickCheck(dialog, 102);
  ASSERT_TRUE(PumpUntil([&] { return Send(FindDescendant(dialog, "Button", 102), BM_GETCHECK) == BST_CHECKED; }, kWaitMs));
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForWindowGone(dialog, kWaitMs)) << OpenBox();
  // The playback transposition drops by the semitones, so playback sounds as before.
  ExpectSavedThenUndone(
      [](const TMusicScore& score) {
        return StaffText(*score.GetStaff(0)) + " / " + std::to_string(score.GetStaff(0)->GetTransposition());
      },
      "q@-1 q | h@1 / -2", "q q@1 | h@2 / 0");
}

TEST_F(StaffToolsProgramTest, FindByCategorySelectsEachMatchInTurnThenSaysNoneIsLeft) {
  Open({"Melody"}, "q@0 D q@1 D q@2");
  ASSERT_TRUE(PostCommand(view_, CM_FIND));
  HWND dialog = WaitForDialog("Find");
  ASSERT_TRUE(dialog) << OpenBox();
  ClickCheck(dialog, 101);  // By Category
  HWND combo = FindDescendant(dialog, "ComboBox", 210);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(combo) != FALSE; }, kWaitMs)) << "the category list is enabled";
  EXPECT_EQ(Send(combo, CB_GETCOUNT), 16);
  Send(combo, CB_SETCURSEL, 8);  // Dynamic
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForWindowGone(dialog, kWaitMs));
  PressDelete();  // the found dynamic is selected
  ASSERT_TRUE(PostCommand(view_, CM_FINDNEXT));
  PumpFor(300);
  PressDelete();
  std::unique_ptr<TMusicScore> saved = SaveAndRead();
  ASSERT_TRUE(saved);
  EXPECT_EQ(StaffText(*saved->GetStaff(0)), "q q@1 q@2");
  ASSERT_TRUE(PostCommand(view_, CM_FINDNEXT));
  EXPECT_EQ(AnswerBox("Find"), "No matching items could be found.");
}

TEST_F(StaffToolsProgramTest, GotoMovesTheCaretToTheChosenBar) {
  Open({"Melody"}, "q@0 | q@1 | q@2");
  ASSERT_TRUE(PostCommand(view_, CM_GOTO));
  HWND dialog = WaitForDialog("Goto Measure");
  ASSERT_TRUE(dialog) << OpenBox();
  HWND number = FindDescendant(dialog, "Edit", 101);
  EXPECT_EQ(GetText(number), "1") << "the caret's bar";
  SetText(number, "3");
  ClickButton(dialog, IDOK);
  ASSERT_TRUE(WaitForWindowGone(dialog, kWaitMs)) << OpenBox();
  PressDelete();
  std::unique_ptr<TMusicScore> saved = SaveAndRead();
  ASSERT_TRUE(saved);
  EXPECT_EQ(StaffText(*saved->GetStaff(0)), "q | q@1 |");
}

TEST_F(StaffToolsProgramTest, LyricsSheetAddsLinesWithTextAndUndoTakesThemAway) {
  Open({"Melody"});
  ASSERT_TRUE(PostCommand(view_, CM_LYRICS));
  HWND sheet = WaitForDialog("Staff Lyrics");
  ASSERT_TRUE(sheet) << OpenBox();
  HWND count = ShowPageWith(sheet, "ComboBox", 101);
  ASSERT_TRUE(count);
  HWND page = GetParent(count);
  EXPECT_EQ(Send(count, CB_GETCOUNT), 9);
  EXPECT_EQ(Send(count, CB_GETCURSEL), 0) << "<None>";
  HWND lower = FindDescendant(page, "Edit", 202);
  const int lowerBefore = std::atoi(GetText(lower).c_str());
  ChooseInCombo(count, 2);
  EXPECT_GT(std::atoi(GetText(lower).c_str()), lowerBefore) << "two lines below the staff need room";
  HWND text = ShowPageWith(sheet, "Edit", 101);
  ASSERT_TRUE(text) << "the first lyric page is enabled";
  SetText(text, "Hel-lo there world");
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();

  std::unique_ptr<TMusicScore> saved = SaveAndRead();
  ASSERT_TRUE(saved);
  const TStaffLyrics* lyrics = saved->GetStaff(0)->GetLyrics();
  ASSERT_TRUE(lyrics);
  EXPECT_EQ(lyrics->GetLineCount(), 2);
  EXPECT_EQ(lyrics->GetLine(0)->CountSyllables(), 4);
  EXPECT_EQ(lyrics->GetLine(1)->CountSyllables(), 0);
  EXPECT_GT(saved->GetStaff(0)->GetLowerSize(), lowerBefore);
  ASSERT_TRUE(PostCommand(view_, CM_UNDO));
  saved = SaveAndRead();
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->GetStaff(0)->GetLyrics(), nullptr);
  EXPECT_EQ(saved->GetStaff(0)->GetLowerSize(), lowerBefore);
}

TEST_F(StaffToolsProgramTest, AnOverlongLyricTextIsCutWithAMessage) {
  Open({"Melody"});
  ASSERT_TRUE(PostCommand(view_, CM_LYRICS));
  HWND sheet = WaitForDialog("Staff Lyrics");
  ASSERT_TRUE(sheet) << OpenBox();
  HWND count = ShowPageWith(sheet, "ComboBox", 101);
  ASSERT_TRUE(count);
  ChooseInCombo(count, 1);
  HWND text = ShowPageWith(sheet, "Edit", 101);
  ASSERT_TRUE(text);
  // The edit's whole 30000 characters as one-letter syllables: more than a lyric line holds.
  std::string hostile;
  for (int i = 0; i < 15000; ++i) hostile += "a ";
  SetText(text, hostile.c_str());
  ClickButton(sheet, IDOK);
  EXPECT_NE(AnswerBox("Lyrics").find("left out"), std::string::npos);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();
  std::unique_ptr<TMusicScore> saved = SaveAndRead();
  ASSERT_TRUE(saved);
  const TStaffLyrics* lyrics = saved->GetStaff(0)->GetLyrics();
  ASSERT_TRUE(lyrics);
  const int syllables = lyrics->GetLine(0)->CountSyllables();
  EXPECT_GT(syllables, 1000);
  EXPECT_LT(syllables, 15000);
  EXPECT_TRUE(process_->IsRunning());
}

TEST_F(StaffToolsProgramTest, LyricPagesEditInTheScoresLyricFont) {
  // A bold lyric font: its letters take another width than the dialog font's.
  Open({"Melody"}, "q@0 q@1 | h@2", [](TMusicScore& score) { score.GetFonts()->GetFont(2).style = 1; });
  ASSERT_TRUE(PostCommand(view_, CM_LYRICS));
  HWND sheet = WaitForDialog("Staff Lyrics");
  ASSERT_TRUE(sheet) << OpenBox();
  HWND count = ShowPageWith(sheet, "ComboBox", 101);
  ASSERT_TRUE(count);
  HWND offset = FindDescendant(GetParent(count), "Edit", 103);
  ChooseInCombo(count, 1);
  HWND text = ShowPageWith(sheet, "Edit", 101);
  ASSERT_TRUE(text);
  // The same letters in both edits: how far the sixth one starts from the first.
  const char* letters = "WWWWWW";
  SetText(text, letters);
  SetText(offset, letters);
  auto width = [&](HWND edit) {
    const auto x = [&](int i) { return static_cast<short>(LOWORD(Send(edit, EM_POSFROMCHAR, i))); };
    return x(5) - x(0);
  };
  const int lyricWidth = width(text);
  const int dialogWidth = width(offset);
  EXPECT_GT(lyricWidth, 0);
  EXPECT_NE(lyricWidth, dialogWidth) << "lyric " << lyricWidth << ", dialog " << dialogWidth;
  ClickButton(sheet, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs));
}

TEST_F(StaffToolsProgramTest, SelectionPropertiesMutesTheSelectedNotesAndUndoRestores) {
  Open({"Melody"});
  HWND sheet = SelectionSheet();
  ASSERT_TRUE(sheet) << OpenBox();
  HWND muted = ShowPageWith(sheet, "Button", 106);
  ASSERT_TRUE(muted) << "no notes page";
  HWND page = GetParent(muted);
  EXPECT_EQ(Send(muted, BM_GETCHECK), BST_UNCHECKED);
  EXPECT_EQ(Send(FindDescendant(page, "ComboBox", 104), CB_GETCURSEL), 0) << "every tie direction is Default";
  ClickCheck(page, 106);
  ASSERT_TRUE(PumpUntil([&] { return Send(muted, BM_GETCHECK) == BST_CHECKED; }, kWaitMs));
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();

  ExpectSavedThenUndone(MutedNotes, "MMM", "---");
}

// The expression items of the single-item pages, after the staff's first note.
void AddExpressionItems(TMusicScore& score) {
  TMusicStaff& staff = *score.GetStaff(0);
  staff.InsertItem(new TDynamicVariance(0), 2);
  staff.InsertItem(new TTextExpression, 3);
  staff.InsertItem(new TPatchData, 4);
}

// The fields the single-item pages edit, item by item.
std::string ExpressionFields(const TMusicScore& score) {
  const TMusicStaff& staff = *score.GetStaff(0);
  std::string out;
  for (int i = 1; i < staff.LastIndex(); ++i) {
    const TNotatedItem* item = staff.GetItem(i);
    switch (item->GetType()) {
      case ntDynamicLevel: {
        const auto* d = static_cast<const TDynamicLevelData*>(item);
        out += "D" + std::to_string(d->GetDynamic()) + "/" + std::to_string(d->GetOverride(1)) + "/" +
               std::to_string(d->GetVolume()) + " ";
        break;
      }
      case ntDynamicVariance: out += "V" + std::to_string(static_cast<const TDynamicVariance*>(item)->GetStyle()) + " "; break;
      case ntSustainPedal: out += "P" + std::to_string(static_cast<const TSustainPedal*>(item)->GetState()) + " "; break;
      case ntPatch: out += "I" + std::to_string(static_cast<const TPatchData*>(item)->GetPatch().patch) + " "; break;
      case ntTextExpression: {
        const auto* t = static_cast<const TTextExpression*>(item);
        out += "T" + t->GetText() + "/" + std::to_string(t->GetFont()) + " ";
        break;
      }
      default: break;
    }
  }
  return out;
}

TEST_F(StaffToolsProgramTest, SingleExpressionPagesChangeTheSavedItemsAndUndoRestoresThem) {
  ASSERT_TRUE(CopyFileA("QXTPATCH.INI", Path("QXTPATCH.INI").c_str(), FALSE)) << "the patch list fixture is missing";
  Open({"Melody"}, "q D q P q", AddExpressionItems);
  HWND sheet = SelectionSheet();
  ASSERT_TRUE(sheet) << OpenBox();

  HWND page = ShowPageWhere(sheet, [](HWND p) { return FindDescendant(p, "Edit", 105) != nullptr; });
  ASSERT_TRUE(page) << "no dynamic page";
  HWND volume = FindDescendant(page, "Edit", 105);
  EXPECT_FALSE(IsWindowEnabled(volume)) << "no volume override yet";
  ChooseInCombo(FindDescendant(page, "ComboBox", 101), 6);  // Fortissimo
  ClickCheck(page, 104);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(volume) != FALSE; }, kWaitMs)) << "the override enables its value";
  SetText(volume, "100");

  page = ShowPageWithList(sheet, 101, 5);
  ASSERT_TRUE(page) << "no dynamic variance page";
  ChooseInCombo(FindDescendant(page, "ComboBox", 101), 2);  // Diminuendo

  page = ShowPageWithList(sheet, 101, 2);
  ASSERT_TRUE(page) << "no pedal page";
  EXPECT_EQ(Send(FindDescendant(page, "ComboBox", 101), CB_GETCURSEL), 0) << "Pedal Down";
  ChooseInCombo(FindDescendant(page, "ComboBox", 101), 1);

  page = ShowPageWhere(sheet, [](HWND p) { return FindDescendant(p, "ListBox", 102) != nullptr; });
  ASSERT_TRUE(page) << "no instrument page";
  Send(FindDescendant(page, "ListBox", 102), LB_SETCURSEL, 41);

  page = ShowPageWithList(sheet, 102, 12);
  ASSERT_TRUE(page) << "no text expression page";
  HWND text = FindDescendant(page, "Edit", 101);
  EXPECT_EQ(GetText(text), "<Text Expression>");
  EXPECT_EQ(Send(text, EM_GETLIMITTEXT), 80);
  SetText(text, "dolce");
  ChooseInCombo(FindDescendant(page, "ComboBox", 102), 6);  // User 1
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();

  ExpectSavedThenUndone(ExpressionFields, "V2 Tdolce/6 I41 D6/1/100 P0 ", "V0 T<Text Expression>/0 I0 D3/0/255 P1 ");
}

TEST_F(StaffToolsProgramTest, ControllerPageRefusesAGapAndWritesTheSettingsItShows) {
  Open({"Melody"}, "q q", [](TMusicScore& score) { score.GetStaff(0)->InsertItem(new TGenericControl, 2); });
  HWND sheet = SelectionSheet();
  ASSERT_TRUE(sheet) << OpenBox();
  HWND page = ShowPageWithList(sheet, 100, 18);
  ASSERT_TRUE(page) << "no controller page";
  EXPECT_EQ(GetText(FindDescendant(page, "Static", 107)), "480") << "a new controller is a tempo";
  EXPECT_EQ(GetText(FindDescendant(page, "Static", 140)), "120");
  ChooseInCombo(FindDescendant(page, "ComboBox", 100), 4);  // Pitch Bend
  EXPECT_EQ(GetText(FindDescendant(page, "Static", 105)), "Down");
  EXPECT_EQ(GetText(FindDescendant(page, "Static", 106)), "Center");
  EXPECT_EQ(GetText(FindDescendant(page, "Static", 140)), "0") << "the bend's centre";
  EXPECT_EQ(GetText(FindDescendant(page, "Edit", 103)), "32");

  ClickCheck(page, 111);  // setting 3 without setting 2
  HWND check3 = FindDescendant(page, "Button", 111);
  ASSERT_TRUE(PumpUntil([&] { return Send(check3, BM_GETCHECK) == BST_CHECKED; }, kWaitMs));
  ClickButton(sheet, IDOK);
  EXPECT_EQ(AnswerBox("Discontinuous Settings Used"), "Setting 3 cannot be enabled unless Setting 2 is also enabled");
  ASSERT_TRUE(IsWindow(sheet)) << "the sheet stays open";
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(PumpUntil([&] { return GetGUIThreadInfo(GetWindowThreadProcessId(sheet, nullptr), &info) && info.hwndFocus == check3; },
                        kWaitMs))
      << "the focus goes to the check box of the refused setting";

  ClickCheck(page, 110);
  HWND slider2 = FindDescendant(page, "TQVSlider", 131);
  ASSERT_TRUE(slider2);
  ASSERT_TRUE(PumpUntil([&] { return IsWindowEnabled(slider2) != FALSE; }, kWaitMs)) << "setting 2 is on";
  // The slider tells its page where it was taken, as under the mouse.
  Send(page, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 10000), reinterpret_cast<LPARAM>(slider2));
  EXPECT_EQ(GetText(FindDescendant(page, "Static", 141)), "1808");
  SetText(FindDescendant(page, "Edit", 121), "3");
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();

  auto settings = [](const TMusicScore& score) {
    const TMusicStaff& staff = *score.GetStaff(0);
    for (int i = 1; i < staff.LastIndex(); ++i) {
      if (staff.GetItem(i)->GetType() != ntGenericControl) continue;
      const auto* c = static_cast<const TGenericControl*>(staff.GetItem(i));
      std::string out = "type " + std::to_string(c->GetController()) + ":";
      for (int k = 0; k < TGenericControl::kSettings; ++k) {
        const TGenericControl::TSetting& s = c->GetSetting(k);
        out += s.present ? " " + std::to_string(s.offset) + "/" + std::to_string(s.value) : " -";
      }
      return out;
    }
    return std::string("no controller");
  };
  ExpectSavedThenUndone(settings, "type 4: 0/8192 3/10000 1/8192 -", "type 0: - - - -");
}

TEST_F(StaffToolsProgramTest, ScoreReviewListsTheStavesAndLeadsToTheChosenStaffsProperties) {
  Open({"A", "B", "C"});
  ASSERT_TRUE(PostCommand(window_, CM_SCOREREVIEW));
  HWND review = WaitForDialog("Score Review");
  ASSERT_TRUE(review) << OpenBox();
  HWND list = FindDescendant(review, "ListBox", 101);
  ASSERT_TRUE(list);
  ASSERT_EQ(Send(list, LB_GETCOUNT), 3);
  // "B" in the group "Standard" is muted, on port and channel 1, without patch or transposition.
  EXPECT_EQ(Send(list, LB_GETTEXTLEN, 1), static_cast<LRESULT>(std::string("B\tStandard\tY\t01\t01\t---\t+0").size()));
  Send(list, LB_SETCURSEL, 1);
  ClickButton(review, IDOK);
  HWND sheet = WaitForDialog("Properties for B");
  ASSERT_TRUE(sheet) << OpenBox();
  HWND name = ShowPageWith(sheet, "Edit", 100);
  ASSERT_TRUE(name);
  SetText(name, "Bassoon");
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();
  review = WaitForDialog("Score Review");
  ASSERT_TRUE(review) << "the list opens again";
  ClickButton(review, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(review, kWaitMs));
  ExpectSavedThenUndone(Names, "A,Bassoon,C", "A,B,C");
}

// Properties (Alt+Enter's command) without a selection is the staff's sheet; with one, the
// selected items' sheet, whose change Undo takes back.
TEST_F(StaffToolsProgramTest, PropertiesOpensTheStaffsSheetOrTheSelections) {
  Open({"Melody"});
  ASSERT_TRUE(PostCommand(view_, CM_PROPERTIES));
  HWND sheet = WaitForDialog("Properties for Melody");
  ASSERT_TRUE(sheet) << OpenBox();
  ClickButton(sheet, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();

  ASSERT_TRUE(PostCommand(view_, CM_SELECTALL));
  PumpFor(300);
  ASSERT_TRUE(PostCommand(view_, CM_PROPERTIES));
  sheet = WaitForDialog("Notation Properties");
  ASSERT_TRUE(sheet) << OpenBox();
  HWND muted = ShowPageWith(sheet, "Button", 106);
  ASSERT_TRUE(muted) << "no notes page";
  ClickCheck(GetParent(muted), 106);
  ASSERT_TRUE(PumpUntil([&] { return Send(muted, BM_GETCHECK) == BST_CHECKED; }, kWaitMs));
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();
  ExpectSavedThenUndone(MutedNotes, "MMM", "---");
}

// Insert > Bar Line... edits its template in the Notation Properties sheet: OK inserts a bar line
// of the chosen style at the caret and Undo takes it out; the sheet opens on that style again,
// and Cancel inserts nothing.
TEST_F(StaffToolsProgramTest, TheBarLineDialogInsertsTheChosenStyleAndCancelInsertsNothing) {
  Open({"Melody"});
  // The style list of the bar line page: the page is the one with the repeat count (103).
  auto styleList = [&](HWND sheet) -> HWND {
    HWND repeat = ShowPageWith(sheet, "Edit", 103);
    return repeat ? FindDescendant(GetParent(repeat), "ComboBox", 101) : nullptr;
  };
  ASSERT_TRUE(PostCommand(view_, CM_INS_BARLINE));
  HWND sheet = WaitForDialog("Notation Properties");
  ASSERT_TRUE(sheet) << OpenBox();
  HWND style = styleList(sheet);
  ASSERT_TRUE(style) << "no bar line page";
  EXPECT_EQ(Send(style, CB_GETCURSEL), 0) << "a single bar line to start with";
  ChooseInCombo(style, 1);  // "Double"
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();

  ASSERT_TRUE(PostCommand(view_, CM_INS_BARLINE));
  sheet = WaitForDialog("Notation Properties");
  ASSERT_TRUE(sheet) << OpenBox();
  style = styleList(sheet);
  ASSERT_TRUE(style);
  EXPECT_EQ(Send(style, CB_GETCURSEL), 1) << "the template kept the double bar line";
  ClickButton(sheet, IDCANCEL);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();

  ExpectSavedThenUndone(FirstStaffText, "|| q q@1 | h@2", "q q@1 | h@2");
}

// A double-flat F a semitone up would be a G three semitones too high, spelled with anything a
// G can carry: the dry run finds it and the warning opens on the first of two such notes, Show
// Next Problem goes on to the second and then has nothing more. Goto Score Editor changes
// nothing; Proceed transposes, and Undo takes it back.
TEST_F(StaffToolsProgramTest, TransposeWarnsOfNotesItCannotRespell) {
  Open({"Melody"}, "q@0 q@-4 | h@-4", [](TMusicScore& score) {
    for (int i : {2, 4}) static_cast<TMusicNote*>(score.GetStaff(0)->GetItem(i))->SetAccidental(acDoubleFlat);
  });
  auto transposeUpOne = [&]() -> HWND {
    if (!PostCommand(view_, CM_TRANSPOSE)) return nullptr;
    HWND dialog = WaitForDialog("Staff Transpose");
    if (!dialog) return nullptr;
    SetText(FindDescendant(dialog, "Edit", 101), "1");
    ClickButton(dialog, IDOK);
    WaitForWindowGone(dialog, kWaitMs);
    return WaitForDialog("Transpose Warning");
  };
  HWND warning = transposeUpOne();
  ASSERT_TRUE(warning) << OpenBox();
  HWND next = FindDescendant(warning, "Button", 101);
  ASSERT_TRUE(next);
  EXPECT_TRUE(IsWindowEnabled(next)) << "the first problem is shown, a second one follows";
  ClickButton(warning, 101);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowEnabled(next); }, kWaitMs)) << "the second is the last";
  ClickButton(warning, IDCANCEL);  // Goto Score Editor
  ASSERT_TRUE(WaitForWindowGone(warning, kWaitMs)) << OpenBox();

  // Had Goto Score Editor transposed, this second run would move the staff two steps, and one
  // Undo would not bring back the original.
  warning = transposeUpOne();
  ASSERT_TRUE(warning) << OpenBox();
  ClickButton(warning, IDOK);  // Proceed with Transpose
  ASSERT_TRUE(WaitForWindowGone(warning, kWaitMs)) << OpenBox();
  // B moves up a step to C; the E that each F double flat becomes is spelled in the key.
  ExpectSavedThenUndone(FirstStaffText, "q@-1 q@-3 | h@-3", "q q@-4 | h@-4");
}

// The key signature and tempo pages write what they show into the saved items, and one Undo
// takes both back.
TEST_F(StaffToolsProgramTest, KeySignatureAndTempoPagesChangeTheSavedItemsAndUndoRestoresThem) {
  Open({"Melody"}, "K-1 q q", [](TMusicScore& score) { score.GetStaff(0)->InsertItem(new TTempoData(100), 2); });
  HWND sheet = SelectionSheet();
  ASSERT_TRUE(sheet) << OpenBox();

  HWND page = ShowPageWhere(sheet, [](HWND p) { return FindDescendant(p, "ListBox", 121) != nullptr; });
  ASSERT_TRUE(page) << "no key signature page";
  // F major's B flat: the second button of B (the first is its sharp).
  EXPECT_EQ(Send(FindDescendant(page, "Button", 104), BM_GETCHECK), BST_CHECKED);
  HWND presets = FindDescendant(page, "ListBox", 121);
  EXPECT_EQ(Send(presets, LB_GETCOUNT), 31);
  Send(presets, LB_SETCURSEL, 3);  // D Major
  Send(page, WM_COMMAND, MAKEWPARAM(121, LBN_SELCHANGE), reinterpret_cast<LPARAM>(presets));
  EXPECT_EQ(Send(FindDescendant(page, "Button", 115), BM_GETCHECK), BST_CHECKED) << "F sharp";
  EXPECT_EQ(Send(FindDescendant(page, "Button", 105), BM_GETCHECK), BST_CHECKED) << "B neither";

  page = ShowPageWithList(sheet, 101, 6);
  ASSERT_TRUE(page) << "no tempo page";
  HWND tempo = FindDescendant(page, "Edit", 102);
  EXPECT_EQ(GetText(tempo), "100");
  ChooseInCombo(FindDescendant(page, "ComboBox", 101), 4);  // Half
  EXPECT_EQ(GetText(tempo), "50") << "the same speed in halves";
  SetText(FindDescendant(page, "Edit", 103), "Andante");
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();

  auto fields = [](const TMusicScore& score) {
    const TMusicStaff& staff = *score.GetStaff(0);
    std::string out;
    for (int i = 1; i < staff.LastIndex(); ++i) {
      const TNotatedItem* item = staff.GetItem(i);
      if (item->GetType() == ntKey) {
        const auto* k = static_cast<const TKeyData*>(item);
        out += "K" + std::to_string(k->GetFlatMask()) + "/" + std::to_string(k->GetSharpMask()) + " ";
      }
      if (item->GetType() == ntTempo) {
        const auto* t = static_cast<const TTempoData*>(item);
        out += "T" + std::to_string(t->GetQuarterTempo()) + "/" + std::to_string(t->GetBase()) + "/" + t->GetText() + " ";
      }
    }
    return out;
  };
  ExpectSavedThenUndone(fields, "K0/36 T100/4/Andante ", "K2/0 T100/2/ ");
}

// Insert > Key Signature... through the menu keys: the sheet shows the key page for the template,
// OK inserts the chosen key at the caret, and Undo takes it out.
TEST_F(StaffToolsProgramTest, TheKeySignatureDialogInsertsTheChosenKey) {
  Open({"Melody"});
  ASSERT_TRUE(program_driving::WaitForFocus(view_, kWaitMs));
  ASSERT_TRUE(program_driving::ChooseMenuItem(view_, 'I', 'K', kWaitMs));
  HWND sheet = WaitForDialog("Notation Properties");
  ASSERT_TRUE(sheet) << OpenBox();
  HWND page = ShowPageWhere(sheet, [](HWND p) { return FindDescendant(p, "ListBox", 121) != nullptr; });
  ASSERT_TRUE(page) << "no key signature page";
  HWND presets = FindDescendant(page, "ListBox", 121);
  Send(presets, LB_SETCURSEL, 11);  // E Flat Major
  Send(page, WM_COMMAND, MAKEWPARAM(121, LBN_SELCHANGE), reinterpret_cast<LPARAM>(presets));
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();
  ExpectSavedThenUndone(FirstStaffText, "K-3 q q@1 | h@2", "q q@1 | h@2");
}

// Insert > Special Ending...: OK with no ending checked is refused with its box and the sheet
// stays open; the ending then checked is the one inserted.
TEST_F(StaffToolsProgramTest, TheSpecialEndingPageRefusesNoEnding) {
  Open({"Melody"});
  ASSERT_TRUE(PostCommand(view_, CM_INS_ENDING));
  HWND sheet = WaitForDialog("Notation Properties");
  ASSERT_TRUE(sheet) << OpenBox();
  HWND first = ShowPageWith(sheet, "Button", 100);
  ASSERT_TRUE(first) << "no special ending page";
  HWND page = GetParent(first);
  EXPECT_EQ(Send(first, BM_GETCHECK), BST_CHECKED) << "a new ending is the first";
  ClickCheck(page, 100);
  ASSERT_TRUE(PumpUntil([&] { return Send(first, BM_GETCHECK) == BST_UNCHECKED; }, kWaitMs));
  ClickButton(sheet, IDOK);
  EXPECT_EQ(AnswerBox("Error"), "A special ending must be selected.");
  ASSERT_TRUE(IsWindow(sheet)) << "the sheet stays open";
  ClickCheck(page, 101);
  ClickCheck(page, 107);
  ASSERT_TRUE(PumpUntil([&] { return Send(FindDescendant(page, "Button", 107), BM_GETCHECK) == BST_CHECKED; }, kWaitMs));
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, kWaitMs)) << OpenBox();
  auto endings = [](const TMusicScore& score) {
    const TMusicStaff& staff = *score.GetStaff(0);
    std::string out;
    for (int i = 1; i < staff.LastIndex(); ++i) {
      if (staff.GetItem(i)->GetType() == ntSpecialEnding)
        out += "E" + std::to_string(static_cast<const TSpecialEnding*>(staff.GetItem(i))->GetMask()) + " ";
    }
    return out;
  };
  // The second ending and Default: bits 1 and 7.
  ExpectSavedThenUndone(endings, "E130 ", "");
}
