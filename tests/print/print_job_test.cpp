// The print job under Wine: a sample score printed to the default printer (the test's private
// cups-pdf queue when run-print-tests started one), a page range, a cancelled job, a printer that
// refuses the document, margins that are reset, and page copies as placeable metafiles and on
// the clipboard. The PDFs and pictures are checked by run-print-tests after this program ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "app/FolderSettings.h"
#include "app/PlaceableMetafile.h"
#include "app/win32/PrintCommands.h"
#include "app/win32/PrintPreviewDlg.h"
#include "app/win32/QVKPrintData.h"
#include "foundation/SysInfo.h"
#include "framework/Application.h"
#include "framework/Printer.h"
#include "tests/drawing/SampleScores.h"
#include "tests/support/guidriver/GuiDriver.h"
#include "tests/support/guidriver/TestProcess.h"

namespace {

using namespace guidriver;

std::string OutDir() {
  const char* dir = std::getenv("VC_PRINT_OUT");
  return dir && *dir ? dir : ".";
}

std::unique_ptr<TMusicScore> Sample() {
  InstallAuditPass();
  std::unique_ptr<TMusicScore> score(MakeSampleScore(TSampleScore::Choral));
  score->SetTitlePageInfo(true);
  std::strcpy(score->Info().author, "Vellichord Test Author");
  score->Info().copyright1[0] = 0;
  std::strcpy(score->Info().copyright2, "Printed for the printing test");
  score->SetPageNumberingFrom(1);
  score->GetFonts()->SetStaffSize(28);  // large staves: several pages
  for (int i = 0; i < 4; ++i) score->SetMargin(i, 0.75f);
  return score;
}

TQVBoolArray AllStaves() {
  TQVBoolArray staves(TMusicScore::kSelectionSize);
  staves.SetAll(true);
  return staves;
}

HDC DefaultPrinter() {
  TPrinter printer;
  return printer.CreatePrinterDC();
}

// Tells run-print-tests what to expect of a PDF: "NAME PAGES".
void Expect(const char* name, int pages) {
  std::ofstream out(OutDir() + "\\expected.txt", std::ios::app);
  out << name << " " << pages << "\n";
}

// Answers the message box with this caption with OK, keeping what it said.
std::unique_ptr<TScript> AnswerMessageBox(const char* caption, TMessageBoxText& seen) {
  return std::make_unique<TScript>([caption, &seen] {
    HWND box = WaitForMessageBox(caption);
    if (!box) return;
    seen = ReadMessageBox(box);
    ClickButton(box, IDOK);
  });
}

class PrintJobTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(TMusicFonts::IsMusicFontInstalled());
    score_ = Sample();
  }
  // The preview, page-copy and cancel boxes are the program's dialogs: they run in its loop.
  TApplication app_{"Print test"};
  std::unique_ptr<TMusicScore> score_;
  TStaffColorHandles colors_;
};

TEST_F(PrintJobTest, PrintsEveryPageToTheDefaultPrinter) {
  HDC dc = DefaultPrinter();
  ASSERT_NE(dc, nullptr) << "no default printer";
  TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
  ASSERT_TRUE(job.IsReady());
  job.Pages().SetPageRange(1, TPrintPages::kLastPossiblePage);
  const int pages = job.CountPages();
  ASSERT_GE(pages, 3);
  std::vector<std::string> status;
  job.SetStatusSink([&](const char* text) { status.push_back(text); });
  ASSERT_TRUE(job.Print("C:\\Scores\\FullScore.qvk"));
  ASSERT_EQ(static_cast<int>(status.size()), pages);
  EXPECT_EQ(status.back(), "Printing Page " + std::to_string(pages));
  Expect("FullScore", pages);
}

TEST_F(PrintJobTest, PrintsOnlyTheChosenPages) {
  HDC dc = DefaultPrinter();
  ASSERT_NE(dc, nullptr);
  TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
  job.Pages().SetPageRange(1, TPrintPages::kLastPossiblePage);
  ASSERT_GE(job.CountPages(), 3);
  job.Pages().SetPageRange(2, 3);
  std::vector<std::string> status;
  job.SetStatusSink([&](const char* text) { status.push_back(text); });
  ASSERT_TRUE(job.Print("PagesTwoToThree.qvk"));
  EXPECT_EQ(status, (std::vector<std::string>{"Printing Page 2", "Printing Page 3"}));
  Expect("PagesTwoToThree", 2);
}

// The print dialog as a user fills it: pages 2 to 2 of the default printer.
TEST_F(PrintJobTest, ThePrintDialogChoosesThePages) {
  TPrinter printer;
  bool answered = false;
  TScript user([&] {
    HWND dlg = WaitForWindow(nullptr, "Print");
    if (!dlg) return;
    SendMessageA(GetDlgItem(dlg, 0x422), BM_CLICK, 0, 0);  // "Pages"
    SetDlgItemTextA(dlg, 0x480, "2");
    SetDlgItemTextA(dlg, 0x481, "2");
    answered = ClickButton(dlg, IDOK);
  });
  EXPECT_TRUE(PrintScore(nullptr, printer, score_.get(), AllStaves(), &colors_, "DialogRange.qvk"));
  ASSERT_TRUE(user.Join(10000));
  EXPECT_TRUE(answered);
  Expect("DialogRange", 1);
}

TEST_F(PrintJobTest, CancelStopsTheJob) {
  HDC dc = DefaultPrinter();
  ASSERT_NE(dc, nullptr);
  TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
  job.Pages().SetPageRange(1, TPrintPages::kLastPossiblePage);
  int pagesStarted = 0;
  bool boxSeen = false;
  job.SetStatusSink([&](const char*) {
    ++pagesStarted;
    // The cancel box is up with the document's name; the user presses Cancel.
    HWND box = FindWindowA(nullptr, "Score Print");
    if (!box) return;
    boxSeen = GetText(GetDlgItem(box, 101)) == "CancelledScore.qvk";
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(job.Print("CancelledScore.qvk"));
  EXPECT_TRUE(boxSeen);
  EXPECT_EQ(pagesStarted, 1);
  EXPECT_EQ(FindWindowA(nullptr, "Score Print"), nullptr) << "the cancel box is gone";
  Expect("CancelledScore", 0);
}

TEST_F(PrintJobTest, ARefusedDocumentIsReportedAndFails) {
  // A memory context is no printer: it refuses to start a document.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  TQVKPrintData job(nullptr, memory, score_.get(), AllStaves(), &colors_);
  ASSERT_TRUE(job.IsReady());
  job.Pages().SetPageRange(1, 2);
  TMessageBoxText seen;
  auto answer = AnswerMessageBox("Print Error", seen);
  EXPECT_FALSE(job.Print("Refused.qvk"));
  ASSERT_TRUE(answer->Join());
  EXPECT_NE(seen.text.find("Refused.qvk"), std::string::npos) << seen.text;
  EXPECT_NE(seen.text.find("did not accept"), std::string::npos) << seen.text;
}

// A device that describes no page at all (a metafile answers none of the page's sizes): not even
// the reset margins leave room. The user is told, and the job neither prints nor previews.
TEST_F(PrintJobTest, APageWithoutRoomIsSaidAndNothingPrints) {
  HDC meta = CreateMetaFileA(nullptr);
  ASSERT_NE(meta, nullptr);
  ASSERT_EQ(GetDeviceCaps(meta, LOGPIXELSX), 0) << "the device this test relies on describes a page";
  TMessageBoxText seen;
  auto answer = AnswerMessageBox("Print Margins Error", seen);
  // The job owns the context and deletes it; the recording it made is dropped.
  TQVKPrintData job(nullptr, meta, score_.get(), AllStaves(), &colors_);
  ASSERT_TRUE(answer->Join());
  EXPECT_NE(seen.text.find("no room for the music"), std::string::npos) << seen.text;
  EXPECT_FALSE(job.IsReady());
  job.Pages().SetPageRange(1, 5);
  EXPECT_EQ(job.CountPages(), 0);
  EXPECT_FALSE(job.RenderPage(nullptr, 1, true));
  EXPECT_FALSE(job.Print("Nothing.qvk"));
  EXPECT_EQ(FindWindowA(nullptr, "Print Error"), nullptr) << "no document was started";
}

TEST_F(PrintJobTest, MarginsWithoutRoomAreResetAndSaid) {
  HDC dc = DefaultPrinter();
  ASSERT_NE(dc, nullptr);
  for (int i = 0; i < 4; ++i) score_->SetMargin(i, 9.0f);
  TMessageBoxText seen;
  auto answer = AnswerMessageBox("Print Margins Error", seen);
  TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
  ASSERT_TRUE(answer->Join());
  EXPECT_EQ(seen.text, "Printer margins were out of range. They have been reset.");
  EXPECT_TRUE(job.IsReady());
  EXPECT_FLOAT_EQ(score_->GetMargin(2), 0.5f);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Word(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t DWord(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(Word(b, at)) | (static_cast<uint32_t>(Word(b, at + 2)) << 16);
}

TEST_F(PrintJobTest, PageTwoAsAPlaceableMetafile) {
  HDC dc = DefaultPrinter();
  ASSERT_NE(dc, nullptr);
  TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
  job.Pages().SetPageRange(1, TPrintPages::kLastPossiblePage);
  ASSERT_TRUE(job.Pages().SkipToPage(2));
  const std::string path = OutDir() + "\\page2.wmf";
  DeleteFileA(path.c_str());
  ASSERT_TRUE(job.ExportPageFile(2, path.c_str()));
  const std::vector<uint8_t> b = ReadFile(path);
  ASSERT_GT(b.size(), 22u + 18u);

  const TPrinterMetrics& m = job.Pages().Metrics();
  const TPrintArea& a = job.Pages().Area();
  EXPECT_EQ(DWord(b, 0), kPlaceableKey);
  EXPECT_EQ(Word(b, 4), 0);
  EXPECT_EQ(Word(b, 6), 0);
  EXPECT_EQ(Word(b, 8), 0);
  const TPlaceableBounds want = FitPlaceableBounds(a.width + m.logPixelsX / 2, a.height + m.logPixelsY / 2,
                                                   m.logPixelsX);
  EXPECT_EQ(Word(b, 10), want.right);
  EXPECT_EQ(Word(b, 12), want.bottom);
  EXPECT_EQ(Word(b, 14), want.unitsPerInch);
  EXPECT_EQ(DWord(b, 16), 0u);
  EXPECT_EQ(Word(b, 20), PlaceableChecksum(b.data()));

  // The metafile itself: its header, then records that run exactly to the end record.
  const size_t base = 22;
  EXPECT_EQ(Word(b, base + 2), 9) << "header size in words";
  EXPECT_EQ(DWord(b, base + 6) * 2, b.size() - base) << "file size in words";
  size_t at = base + 18;
  int texts = 0, lines = 0, records = 0;
  uint32_t largest = 0;
  bool ended = false;
  while (at + 6 <= b.size()) {
    const uint32_t words = DWord(b, at);
    const int function = Word(b, at + 4);
    ASSERT_GE(words, 3u) << "record " << records;
    ASSERT_LE(at + words * 2, b.size()) << "record " << records;
    largest = std::max(largest, words);
    ++records;
    if (function == 0) {
      ended = true;
      at += words * 2;
      break;
    }
    if (function == 0x0521 || function == 0x0A32) ++texts;  // TextOut, ExtTextOut
    if (function == 0x0213 || function == 0x0325) ++lines;  // LineTo, Polyline
    at += words * 2;
  }
  EXPECT_TRUE(ended);
  EXPECT_EQ(at, b.size());
  EXPECT_EQ(DWord(b, base + 12), largest) << "largest record";
  EXPECT_GT(texts, 20) << "note heads and texts are music-font text";
  EXPECT_GT(lines, 20) << "staff lines and stems";
}

// The Copy choice and the save dialog as a user goes through them.
TEST_F(PrintJobTest, PageCopyToAFileChosenInTheDialogs) {
  HDC dc = DefaultPrinter();
  ASSERT_NE(dc, nullptr);
  TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
  job.Pages().SetPageRange(1, TPrintPages::kLastPossiblePage);
  const std::string path = OutDir() + "\\chosen.wmf";
  DeleteFileA(path.c_str());
  // The editor keeps its settings in an INI file; so does this test.
  const std::string ini = OutDir() + "\\settings.ini";
  GetSysInfo().SetStorageNames("Vellichord", ini.c_str());
  GetSysInfo().SetRegistryFlag(0);
  std::string saveCaption;
  TScript user([&] {
    HWND copy = WaitForWindow(nullptr, "Copy Printed Page");
    if (!copy) return;
    SendMessageA(GetDlgItem(copy, 103), BM_CLICK, 0, 0);
    ClickButton(copy, IDOK);
    HWND save = WaitForWindow(nullptr, "Export Graphic File");
    if (!save) return;
    saveCaption = GetText(save);
    // The file name field of the save dialog.
    HWND name = GetDlgItem(save, 0x47c);
    if (!name) name = GetDlgItem(save, 0x480);
    SetWindowTextA(name, path.c_str());
    ClickButton(save, IDOK);
  });
  EXPECT_TRUE(job.ExportGraphicFile(nullptr, 1));
  ASSERT_TRUE(user.Join(15000));
  EXPECT_EQ(saveCaption, "Export Graphic File");
  const std::vector<uint8_t> b = ReadFile(path);
  ASSERT_GT(b.size(), 22u);
  EXPECT_EQ(DWord(b, 0), kPlaceableKey);
  char folder[260];
  ASSERT_TRUE(GetFolderSetting(GetSysInfo(), kFolderPageCopy, "C:\\", folder));
  EXPECT_EQ(std::string(folder), OutDir()) << "the folder is remembered for the next copy";
}

TEST_F(PrintJobTest, AFailedPageCopyLeavesNoFile) {
  HDC dc = DefaultPrinter();
  ASSERT_NE(dc, nullptr);
  TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
  job.Pages().SetPageRange(1, TPrintPages::kLastPossiblePage);
  // A folder stands under the chosen name: the finished picture cannot take it.
  const std::string folder = OutDir() + "\\taken";
  const std::string taken = folder + "\\page.wmf";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA(taken.c_str(), nullptr);
  const std::string missing = OutDir() + "\\no such folder\\page.wmf";
  for (const std::string& path : {taken, missing}) {
    TMessageBoxText seen;
    auto answer = AnswerMessageBox("Export Graphic File", seen);
    job.Pages().ClearLayoutState();
    EXPECT_FALSE(job.ExportPageFile(1, path.c_str()));
    ASSERT_TRUE(answer->Join());
    EXPECT_NE(seen.text.find(path), std::string::npos) << seen.text;
  }
  EXPECT_EQ(GetFileAttributesA(taken.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD{FILE_ATTRIBUTE_DIRECTORY});
  EXPECT_EQ(GetFileAttributesA(missing.c_str()), INVALID_FILE_ATTRIBUTES);
  // Nothing half-written is left beside the name either.
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA((folder + "\\*.tmp").c_str(), &found);
  EXPECT_EQ(find, INVALID_HANDLE_VALUE) << found.cFileName;
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
  RemoveDirectoryA(taken.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST_F(PrintJobTest, PageCopyOnTheClipboard) {
  HDC dc = DefaultPrinter();
  ASSERT_NE(dc, nullptr);
  TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
  job.Pages().SetPageRange(1, TPrintPages::kLastPossiblePage);
  HWND owner = CreateWindowA("STATIC", "clipboard owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(job.CopyPageToClipboard(owner, 1));
  ASSERT_TRUE(OpenClipboard(owner));
  HANDLE data = GetClipboardData(CF_METAFILEPICT);
  ASSERT_NE(data, nullptr);
  auto* pict = static_cast<METAFILEPICT*>(GlobalLock(data));
  ASSERT_NE(pict, nullptr);
  EXPECT_EQ(pict->mm, MM_ANISOTROPIC);
  // Half the picture, in hundredths of a millimetre of the printer's page.
  const TPrinterMetrics& m = job.Pages().Metrics();
  const int width = job.Pages().Area().width + m.logPixelsX / 2;
  const double perPixel = 100.0 * GetDeviceCaps(job.GetPrinterDC(), HORZSIZE) / GetDeviceCaps(job.GetPrinterDC(), HORZRES);
  EXPECT_NEAR(pict->xExt, width / 2 * perPixel, perPixel + 1);
  EXPECT_GT(GetMetaFileBitsEx(pict->hMF, 0, nullptr), 1000u);
  GlobalUnlock(data);
  CloseClipboard();
  DestroyWindow(owner);
}


// The preview driven as a user would: the page buttons, zoom clicks and a page copy from it.
TEST_F(PrintJobTest, PreviewPagesZoomAndCopy) {
  HDC dc = DefaultPrinter();
  ASSERT_NE(dc, nullptr);
  TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
  job.Pages().SetPageRange(0, 20000);
  const int pages = job.CountPages();
  ASSERT_GE(pages, 3);
  TPrintPreviewDlg preview(nullptr, &job, 0);

  struct Seen {
    std::string firstPage, afterNext, afterBack, lastPage, afterStart;
    bool backAtFirst = true, nextAtFirst = false, backAfterNext = false, nextAtLast = true;
    int nexts = 0;
    int zooms[5] = {};
    bool vbar[5] = {}, hbar[5] = {};
    int widths[5] = {};
    std::string copyCaption;
    bool maximised = false;
    std::string className;
    bool icon = false;
  } seen;
  TScript user([&] {
    HWND dlg = WaitForWindow(nullptr, "Score Print Preview");
    if (!dlg) return;
    HWND view = GetDlgItem(dlg, 101);
    HWND back = GetDlgItem(dlg, 112), next = GetDlgItem(dlg, 111);
    // Wait for the set-up's own message to have set the buttons.
    PumpUntil([&] { return !IsWindowEnabled(back); }, 3000);
    seen.maximised = IsZoomed(dlg) != 0;
    seen.className = GetClass(dlg);
    seen.icon = GetClassLongPtrA(dlg, GCLP_HICON) != 0;
    seen.firstPage = GetText(view);
    seen.backAtFirst = IsWindowEnabled(back) != 0;
    seen.nextAtFirst = IsWindowEnabled(next) != 0;
    ClickButton(dlg, 111);
    PumpUntil([&] { return GetText(view) == "Page 2"; }, 3000);
    seen.afterNext = GetText(view);
    seen.backAfterNext = IsWindowEnabled(back) != 0;
    ClickButton(dlg, 112);
    PumpUntil([&] { return GetText(view) == "Page 1"; }, 3000);
    seen.afterBack = GetText(view);
    for (int i = 0; i < 100 && IsWindowEnabled(next); ++i) {
      const std::string before = GetText(view);
      ClickButton(dlg, 111);
      PumpUntil([&] { return GetText(view) != before; }, 3000);
      ++seen.nexts;
    }
    seen.lastPage = GetText(view);
    seen.nextAtLast = IsWindowEnabled(next) != 0;
    // Four left clicks go round the zoom levels; a right click at level 0 goes to level 3.
    for (int i = 0; i < 5; ++i) {
      RECT r;
      GetWindowRect(view, &r);
      seen.widths[i] = r.right - r.left;
      const LONG style = GetWindowLongA(view, GWL_STYLE);
      seen.vbar[i] = (style & WS_VSCROLL) != 0;
      seen.hbar[i] = (style & WS_HSCROLL) != 0;
      if (i == 4) break;
      SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    }
    SendMessageA(view, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    const LONG style = GetWindowLongA(view, GWL_STYLE);
    seen.zooms[0] = (style & WS_HSCROLL) ? 3 : -1;
    // A copy of the page on the clipboard, from the preview.
    ClickButton(dlg, 120);
    HWND copy = WaitForWindow(nullptr, "Copy Printed Page");
    if (copy) {
      seen.copyCaption = GetText(copy);
      ClickButton(copy, IDOK);
      WaitForWindowGone(copy);
    }
    ClickButton(dlg, 110);
    PumpUntil([&] { return GetText(view) == "Page 1"; }, 3000);
    seen.afterStart = GetText(view);
    ClickButton(dlg, IDCANCEL);
  });
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  EXPECT_EQ(preview.Execute(), IDCANCEL);
  ASSERT_TRUE(user.Join(30000));
  EXPECT_TRUE(seen.maximised);
  EXPECT_EQ(seen.className, "QVKPreviewDlgV170");
  EXPECT_TRUE(seen.icon) << "the preview's class carries the score icon";
  EXPECT_EQ(seen.firstPage, "Page 1");
  EXPECT_FALSE(seen.backAtFirst);
  EXPECT_TRUE(seen.nextAtFirst);
  EXPECT_EQ(seen.afterNext, "Page 2");
  EXPECT_TRUE(seen.backAfterNext);
  EXPECT_EQ(seen.afterBack, "Page 1");
  EXPECT_EQ(seen.lastPage, "Page " + std::to_string(pages));
  EXPECT_EQ(seen.nexts, pages - 1);
  EXPECT_FALSE(seen.nextAtLast);
  EXPECT_FALSE(seen.vbar[0]);
  EXPECT_TRUE(seen.vbar[1]);
  EXPECT_FALSE(seen.hbar[1]);
  EXPECT_TRUE(seen.hbar[2]);
  EXPECT_TRUE(seen.hbar[3]);
  EXPECT_FALSE(seen.vbar[4]) << "the fourth click is back at level 0";
  EXPECT_EQ(seen.widths[4], seen.widths[0]);
  EXPECT_GT(seen.widths[1], seen.widths[0]);
  EXPECT_EQ(seen.zooms[0], 3) << "a right click at level 0 goes to level 3";
  EXPECT_EQ(seen.copyCaption, "Copy Printed Page");
  EXPECT_EQ(seen.afterStart, "Page 1");
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_METAFILEPICT)) << "the copied page";
  CloseClipboard();
}

TEST_F(PrintJobTest, PreviewOpensOnThePageOfTheCaret) {
  HDC dc = DefaultPrinter();
  ASSERT_NE(dc, nullptr);
  TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
  job.Pages().SetPageRange(0, 20000);
  // The item the first staff's third page starts with.
  ASSERT_TRUE(job.Pages().SkipToPage(3));
  job.RenderPage(nullptr, 3, false);
  const int caret = job.Pages().ResumeIndex(0) - 2;
  TPrintPreviewDlg preview(nullptr, &job, caret);
  std::string first;
  TScript user([&] {
    HWND dlg = WaitForWindow(nullptr, "Score Print Preview");
    if (!dlg) return;
    first = GetText(GetDlgItem(dlg, 101));
    ClickButton(dlg, IDCANCEL);
  });
  preview.Execute();
  ASSERT_TRUE(user.Join(10000));
  EXPECT_EQ(first, "Page 3");
}

// The editor program in a folder of its own, started on a score file of the test's sample.
class TEditorRun {
public:
  TEditorRun(const std::string& name, const TMusicScore& score, const char* settings) {
    folder_ = OutDir() + "\\" + name;
    CreateDirectoryA(folder_.c_str(), nullptr);
    copied_ = CopyFileA("QVK32.exe", (folder_ + "\\QVK32.exe").c_str(), FALSE) != 0;
    CopyFileA("QVMID32B.DLL", (folder_ + "\\QVMID32B.DLL").c_str(), FALSE);
    std::ofstream(folder_ + "\\QVK.INI", std::ios::trunc) << "[Options]\r\nUsageTipsOnStartup=0\r\n" << settings;
    path_ = folder_ + "\\" + name + ".qvk";
    saved_ = SaveScoreFile(path_.c_str(), 0, const_cast<TMusicScore&>(score)) == 1;
  }
  ~TEditorRun() {
    if (editor_) editor_->Terminate();
  }
  // The frame once a score window shows in it; null when the program did not get there. Boxes
  // the editor may show at start (no MIDI device, say) are answered meanwhile.
  HWND Start() {
    if (!copied_ || !saved_) return nullptr;
    editor_ = std::make_unique<TTestProcess>(folder_ + "\\QVK32.exe", "\"" + path_ + "\"", folder_);
    if (!editor_->Started()) return nullptr;
    HWND frame = WaitForWindow("TQVK17VellichordFrame", nullptr, 60000, editor_->Id());
    if (!frame) return nullptr;
    const bool shown = PumpUntil(
        [&] {
          if (HWND box = WaitForWindow("#32770", nullptr, 50, editor_->Id())) ClickButton(box, IDOK);
          HWND client = nullptr;
          while ((client = FindWindowExA(frame, client, "MDIClient", nullptr)) != nullptr) {
            if (FindWindowExA(client, nullptr, nullptr, nullptr)) return true;
          }
          return false;
        },
        60000);
    return shown ? frame : nullptr;
  }
  DWORD Id() const { return editor_ ? editor_->Id() : 0; }
  const std::string& Path() const { return path_; }

private:
  std::string folder_, path_;
  bool copied_ = false, saved_ = false;
  std::unique_ptr<TTestProcess> editor_;
};

// The editor itself: a score opened from its file, printed through the score window's Print
// command and the print dialog, to the default printer. run-print-tests checks the PDF's pages.
TEST_F(PrintJobTest, PrintFromTheEditorsScoreWindow) {
  // The pages the editor should send: the same score on the same printer, every staff.
  int pages = 0;
  {
    HDC dc = DefaultPrinter();
    ASSERT_NE(dc, nullptr);
    TQVKPrintData job(nullptr, dc, score_.get(), AllStaves(), &colors_);
    job.Pages().SetPageRange(1, TPrintPages::kLastPossiblePage);
    pages = job.CountPages();
  }
  ASSERT_GE(pages, 3);
  TEditorRun run("MenuPrint", *score_, "");
  HWND frame = run.Start();
  ASSERT_NE(frame, nullptr) << "no score window";
  ASSERT_TRUE(PostCommand(frame, 210));
  HWND print = WaitForWindow("#32770", "Print", 30000, run.Id());
  ASSERT_NE(print, nullptr) << "no print dialog";
  ClickButton(print, IDOK);
  ASSERT_TRUE(WaitForWindowGone(print, 30000));
  // The cancel box stands while the pages go out.
  HWND box = WaitForWindow("#32770", "Score Print", 10000, run.Id());
  if (box) {
    EXPECT_TRUE(WaitForWindowGone(box, 120000));
  }
  EXPECT_EQ(WaitForWindow("#32770", "Print Error", 500, run.Id()), nullptr);
  Expect("MenuPrint", pages);
}

// Page Setup from the score window: the new margin is in the saved file, and one Undo takes the
// whole sheet back.
TEST_F(PrintJobTest, PageSetupFromTheEditorUndoesAsOneStep) {
  auto savedTopMargin = [](const std::string& path) {
    TScoreLoadInfo info;
    info.Clear();
    std::unique_ptr<TMusicScore> read(ReadScoreFile(path.c_str(), info));
    return read ? read->GetMargin(0) : -1.0f;
  };
  // The sheet opens on its Margins page (the third), in inches.
  TEditorRun run("MenuSetup", *score_, "PrintMarginUnits=0\r\n[TabHistory]\r\n236=2\r\n");
  HWND frame = run.Start();
  ASSERT_NE(frame, nullptr) << "no score window";
  ASSERT_TRUE(PostCommand(frame, 208));
  HWND sheet = WaitForWindow("#32770", "Page Setup", 30000, run.Id());
  ASSERT_NE(sheet, nullptr) << "no page setup";
  HWND top = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (top = FindVisibleControl(sheet, 101, "Edit")) != nullptr; }, 10000));
  EXPECT_EQ(GetText(top), "0.75");
  SetWindowTextA(top, "1.50");
  ClickButton(sheet, IDOK);
  ASSERT_TRUE(WaitForWindowGone(sheet, 30000));
  // The sheet's window goes a moment before its command has recorded the change, so Save is
  // posted again until the file shows the new margin.
  auto saveUntil = [&](float margin) {
    return PumpUntil(
        [&] {
          PostCommand(frame, 4);
          PumpFor(500);
          return savedTopMargin(run.Path()) == margin;
        },
        20000);
  };
  EXPECT_TRUE(saveUntil(1.5f)) << savedTopMargin(run.Path());
  // Undo goes to the view that has the focus, which it takes back after the sheet.
  EXPECT_TRUE(PumpUntil(
      [&] {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        return GetGUIThreadInfo(GetWindowThreadProcessId(frame, nullptr), &gui) && gui.hwndFocus &&
               GetClass(gui.hwndFocus) == "TQVK17ScoreEdit";
      },
      20000));
  ASSERT_TRUE(PostCommand(frame, 40));
  EXPECT_TRUE(saveUntil(0.75f)) << savedTopMargin(run.Path());
}

}  // namespace
