// The Save dialog run by a test program: choosing another file type makes the typed name follow
// it, and the dialog answers Cancel with the data left as it was.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "app/win32/QVFileDialog.h"
#include "tests/support/guidriver/GuiDriver.h"

using namespace guidriver;

namespace {

// The file-name field: an edit in older dialogs, a combo box in newer ones.
std::string FileNameField(HWND dialog) {
  HWND edit = GetDlgItem(dialog, 1152);
  if (edit && IsWindowVisible(edit)) return GetText(edit);
  return GetText(GetDlgItem(dialog, 1148));
}

TEST(FileDialogTest, TheTypedNameFollowsTheChosenFileType) {
  TQVFileDialogData data;
  data.flags = FileDialogStyle(OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, {5, 0, true});
  data.filter = "QVK Files|*.qvk|Midi Files|*.mid;*.rmi|All Files|*.*|";
  data.filterIndex = 1;
  data.defaultExtension = "qvk";
  data.title = "Save Song";
  std::strcpy(data.fileName, "song.qvk");

  std::string afterMidi, afterAll;
  TScript script([&] {
    HWND dialog = WaitForWindow("#32770", "Save Song", 20000, GetCurrentProcessId());
    if (!dialog) return;
    HWND filter = GetDlgItem(dialog, 1136);
    auto choose = [&](int index) {
      SendMessageA(filter, CB_SETCURSEL, index, 0);
      for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1136, code), reinterpret_cast<LPARAM>(filter));
      }
    };
    choose(1);
    afterMidi = FileNameField(dialog);
    // A pattern with a wildcard gives no extension: the name keeps its dot and loses the rest.
    choose(2);
    afterAll = FileNameField(dialog);
    ClickButton(dialog, IDCANCEL);
  });
  TQVFileSaveDialog dialog(nullptr, data);
  EXPECT_EQ(dialog.Execute(), IDCANCEL);
  EXPECT_TRUE(script.Join(20000));
  EXPECT_EQ(afterMidi, "song.mid");
  EXPECT_EQ(afterAll, "song.");
  EXPECT_EQ(data.filterIndex, 1);
}

}  // namespace
