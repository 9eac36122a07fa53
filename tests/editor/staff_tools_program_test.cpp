// The staff tools in the running editor: Staff Properties (with the patch lists of our own
// QXTPATCH.INI), Mute List and Move Staff change the saved file, Undo takes each change back, the
// sheet's refusals keep it open, Cancel records nothing, and an oversized patch list is cut
// with a message.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/LyricText.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/MusicNote.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "resources/CommandIds.h"
#include "tests/editor/EditorProgramFixture.h"
#include "tests/staffutl/StaffText.h"

using namespace guidriver;
using namespace editor_program;

namespace {

bool WriteScore(const std::string& path, const std::vector<const char*>& names, const char* text = "q@0 q@1 | h@2") {
  InstallAuditPass();
  TMusicScore score;
  for (const char* name : names) {
    auto* staff = new TMusicStaff;
    staff->SetName(name);
    FillStaff(*staff, text);
    RunStaffAudit(staff, -1, -1);
    score.AppendStaff(staff);
  }
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

class StaffToolsProgramTest : public TEditorProgramTest {
protected:
  // Opens a score of these staves, each holding the text.
  void Open(const std::vector<const char*>& names, const char* text = "q@0 q@1 | h@2") {
    WriteFileText("QVK.INI", "[Options]\r\nSaveBackups=1\r\nUsageTipsOnStartup=0\r\n");
    score_ = Path("song.qvk");
    ASSERT_TRUE(WriteScore(score_, names, text));
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

TEST_F(StaffToolsProgramTest, SelectionPropertiesMutesTheSelectedNotesAndUndoRestores) {
  Open({"Melody"});
  ASSERT_TRUE(PostCommand(view_, CM_SELECTALL));
  PumpFor(300);
  ASSERT_TRUE(PostCommand(view_, CM_SELECTIONPROPS));
  HWND sheet = WaitForDialog("Notation Properties");
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

  auto mutedNotes = [](const TMusicScore& score) {
    const TMusicStaff& staff = *score.GetStaff(0);
    std::string out;
    for (int i = 1; i < staff.LastIndex(); ++i) {
      const TNotatedItem* item = staff.GetItem(i);
      if (item->IsNoteOrChord()) out += static_cast<const TMusicNote*>(item)->IsMuted() ? 'M' : '-';
    }
    return out;
  };
  ExpectSavedThenUndone(mutedNotes, "MMM", "---");
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
