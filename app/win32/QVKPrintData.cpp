#include "app/win32/QVKPrintData.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "app/FolderSettings.h"
#include "app/PlaceableMetafile.h"
#include "app/win32/MCTDialog.h"
#include "app/win32/PrintCancelDialog.h"
#include "app/win32/PrinterMetricsGdi.h"
#include "foundation/QVBusyCursor.h"
#include "foundation/SysInfo.h"
#include "foundation/win32/MessageBoxes.h"
#include "framework/DC.h"
#include "resources/PrintIds.h"
#include "resources/StringIds.h"

volatile bool TQVKPrintData::gAbortPrinting = false;

namespace {

HWND gCancelBox = nullptr;

// "Untitled", or the base name of the path.
std::string DocumentName(const char* path) {
  if (!path || !*path) return "Untitled";
  const char* base = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
  }
  std::string name(base, strnlen(base, MAX_PATH));
  return name.empty() ? "Untitled" : name;
}

}  // namespace

BOOL CALLBACK PrintAbortProc(HDC, int) {
  PumpWaitingMessages(gCancelBox);
  return !TQVKPrintData::gAbortPrinting;
}

TQVKPrintData::TQVKPrintData(HWND parent, HDC printer, TMusicScore* score, const TQVBoolArray& staves,
                             TStaffColorHandles* colors)
    : parent_(parent), printer_(printer), score_(score), pages_(score, staves, ReadPrinterMetrics(printer)) {
  pages_.SetPageRange(1, 1);
  TAreaOutcome outcome;
  {
    TQVBusyCursor wait;
    outcome = pages_.PrepareArea();
  }
  if (outcome == TAreaOutcome::MarginsReset) {
    MBLMessage(parent_, MB_OK | MB_ICONINFORMATION, IDS_PRINT_MARGINS, IDS_PRINT_MARGINS_TEXT);
  } else if (outcome == TAreaOutcome::Impossible) {
    MBLMessage(parent_, MB_OK | MB_ICONEXCLAMATION, IDS_PRINT_MARGINS, IDS_PRINT_PAGE_IMPOSSIBLE_TEXT);
    return;
  }
  TDC device(printer_);
  fonts_ = std::make_unique<TMusicFonts>(device, score_->GetFonts(), colors);
  pages_.SetFonts(fonts_.get());
}

TQVKPrintData::~TQVKPrintData() {
  pages_.SetFonts(nullptr);
  fonts_.reset();
  if (printer_) DeleteDC(printer_);
}

bool TQVKPrintData::RenderPage(HDC dc, int page, bool draw) {
  if (!IsReady()) return false;
  // Text is measured on the printer whatever the output, so every pass breaks alike.
  TDC measuring(printer_);
  TDC output(dc ? dc : printer_);
  fonts_->BeginDraw(output, &measuring);
  const bool more = pages_.RenderPage(page, draw);
  fonts_->EndDraw();
  return more;
}

int TQVKPrintData::CountPages() {
  if (!IsReady()) return 0;
  TQVBusyCursor wait;
  TDC measuring(printer_);
  fonts_->BeginDraw(measuring, &measuring);
  const int count = pages_.CountPages();
  fonts_->EndDraw();
  return count;
}

void TQVKPrintData::ReportPrintFailure(const char* documentName) {
  MBLMessage(parent_, MB_OK | MB_ICONEXCLAMATION, IDS_PRINT_FAILED, IDS_PRINT_FAILED_TEXT, documentName);
}

bool TQVKPrintData::Print(const char* path) {
  if (!IsReady()) return false;
  const std::string name = DocumentName(path);
  pages_.ClearLayoutState();
  gAbortPrinting = false;
  SetAbortProc(printer_, PrintAbortProc);
  TPrintCancelDialog cancel(parent_, name.c_str(), &gAbortPrinting);
  gCancelBox = cancel.GetHandle();
  struct BoxReset {
    ~BoxReset() { gCancelBox = nullptr; }
  } boxReset;

  DOCINFOA doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = name.c_str();
  if (StartDocA(printer_, &doc) <= 0) {
    ReportPrintFailure(name.c_str());
    return false;
  }
  bool more = true;
  for (int page = 1; page < pages_.GetFirstPage() && more; ++page) {
    more = RenderPage(nullptr, page, false);
    pages_.CarryLayoutState();
  }
  bool failed = false;
  char status[64];
  for (int page = std::max(pages_.GetFirstPage(), 1); more && !gAbortPrinting && page <= pages_.GetLastPage();
       ++page) {
    std::snprintf(status, sizeof status, "Printing Page %d", page);
    if (status_) status_(status);
    if (StartPage(printer_) <= 0) {
      failed = true;
      break;
    }
    const int saved = SaveDC(printer_);
    more = RenderPage(nullptr, page, true);
    pages_.CarryLayoutState();
    RestoreDC(printer_, saved);
    if (EndPage(printer_) <= 0 && !gAbortPrinting) {
      failed = true;
      break;
    }
    // Not every driver calls the abort procedure: the cancel box is served between pages too.
    PrintAbortProc(printer_, 0);
    if (page == TPrintPages::kLastPossiblePage) break;
  }
  if (gAbortPrinting || failed) {
    AbortDoc(printer_);
  } else if (EndDoc(printer_) <= 0) {
    failed = true;
  }
  if (failed) ReportPrintFailure(name.c_str());
  return !gAbortPrinting && !failed;
}

// ---- page copies -----------------------------------------------------------------------------

TQVKPrintData::Picture TQVKPrintData::PagePicture() const {
  const TPrinterMetrics& m = pages_.Metrics();
  const TPrintArea& a = pages_.Area();
  return {a.width + m.logPixelsX / 2, a.height + m.logPixelsY / 2, -m.logPixelsX / 4, -m.logPixelsY / 4};
}

HMETAFILE TQVKPrintData::RecordPage(const char* fileName, int page) {
  HDC meta = CreateMetaFileA(fileName);
  if (!meta) return nullptr;
  const Picture p = PagePicture();
  SetWindowExtEx(meta, p.width, p.height, nullptr);
  SetWindowOrgEx(meta, p.originX, p.originY, nullptr);
  pages_.SetExportMode(true);
  RenderPage(meta, page, true);
  pages_.SetExportMode(false);
  return CloseMetaFile(meta);
}

void TQVKPrintData::ReportExportFailure(const char* path) {
  MBLMessage(parent_, MB_OK | MB_ICONEXCLAMATION, IDS_EXPORT_FAILED, IDS_EXPORT_FAILED_TEXT, path);
}

namespace {

// A file in the folder of path, for writing beside it before it takes the name.
bool SiblingTempName(const char* path, char (&out)[MAX_PATH]) {
  char folder[MAX_PATH];
  if (std::snprintf(folder, sizeof folder, "%s", path) >= static_cast<int>(sizeof folder)) return false;
  char* slash = std::strrchr(folder, '\\');
  char* other = std::strrchr(folder, '/');
  if (other > slash) slash = other;
  if (slash) {
    slash[1] = 0;
  } else {
    std::strcpy(folder, ".");
  }
  return GetTempFileNameA(folder, "wmf", 0, out) != 0;
}

bool ReadWholeFile(const char* path, std::vector<char>& bytes) {
  HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(f, nullptr);
  bool ok = size != INVALID_FILE_SIZE;
  if (ok) {
    bytes.resize(size);
    DWORD got = 0;
    ok = size == 0 || (ReadFile(f, bytes.data(), size, &got, nullptr) && got == size);
  }
  CloseHandle(f);
  return ok;
}

bool WriteAll(HANDLE f, const void* data, DWORD size) {
  DWORD put = 0;
  return WriteFile(f, data, size, &put, nullptr) && put == size;
}

}  // namespace

bool TQVKPrintData::WritePlaceableFile(const char* metafilePath, const char* path) {
  std::vector<char> body;
  if (!ReadWholeFile(metafilePath, body)) return false;
  const Picture p = PagePicture();
  uint8_t header[kPlaceableHeaderSize];
  // The box is in printer pixels, so an inch is the printer's pixels an inch.
  MakePlaceableHeader(FitPlaceableBounds(p.width, p.height, pages_.Metrics().logPixelsX), header);

  // Written beside the chosen name and renamed only when whole: a failed write leaves no part
  // of a picture under the name, and an older file there stays as it was.
  char temp[MAX_PATH];
  if (!SiblingTempName(path, temp)) return false;
  HANDLE f = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    DeleteFileA(temp);
    return false;
  }
  bool ok = WriteAll(f, header, sizeof header) && WriteAll(f, body.data(), static_cast<DWORD>(body.size()));
  ok = CloseHandle(f) && ok;
  ok = ok && MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED);
  if (!ok) DeleteFileA(temp);
  return ok;
}

bool TQVKPrintData::ExportPageFile(int page, const char* path) {
  if (!IsReady()) return false;
  TQVBusyCursor wait;
  char temp[MAX_PATH];
  char tempFolder[MAX_PATH];
  bool ok = GetTempPathA(MAX_PATH, tempFolder) && GetTempFileNameA(tempFolder, "qvk", 0, temp);
  if (ok) {
    HMETAFILE mf = RecordPage(temp, page);
    ok = mf != nullptr;
    if (mf) DeleteMetaFile(mf);
    ok = ok && WritePlaceableFile(temp, path);
    DeleteFileA(temp);
  }
  if (!ok) ReportExportFailure(path);
  return ok;
}

bool TQVKPrintData::CopyPageToClipboard(HWND owner, int page) {
  if (!IsReady()) return false;
  const Picture p = PagePicture();
  HMETAFILE mf = RecordPage(nullptr, page);
  if (!mf) return false;
  // The picture's extent in hundredths of a millimetre, at half its printed size.
  POINT extent = {p.width / 2, p.height / 2};
  const int oldMode = SetMapMode(printer_, MM_HIMETRIC);
  DPtoLP(printer_, &extent, 1);
  SetMapMode(printer_, oldMode);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, sizeof(METAFILEPICT));
  if (!block) {
    DeleteMetaFile(mf);
    return false;
  }
  auto* pict = static_cast<METAFILEPICT*>(GlobalLock(block));
  pict->mm = MM_ANISOTROPIC;
  pict->xExt = std::abs(extent.x);
  pict->yExt = std::abs(extent.y);
  pict->hMF = mf;
  GlobalUnlock(block);
  if (!OpenClipboard(owner)) {
    DeleteMetaFile(mf);
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool ok = SetClipboardData(CF_METAFILEPICT, block) != nullptr;
  CloseClipboard();
  if (!ok) {
    DeleteMetaFile(mf);
    GlobalFree(block);
  }
  return ok;
}

namespace {

// "Copy Printed Page": where the page goes.
class TCopyPageDialog : public TMCTDialog {
public:
  enum class TTarget { None, Clipboard, File };
  static constexpr int kResourceId = 591;

  explicit TCopyPageDialog(HWND parent) : TMCTDialog(TWindow::FromHandle(parent), kResourceId) {}
  void SetupWindow() override {
    TMCTDialog::SetupWindow();
    CheckRadioButton(GetHandle(), IDC_COPY_CLIPBOARD, IDC_COPY_FILE, IDC_COPY_CLIPBOARD);
  }
  void CmOk() override {
    target_ = IsDlgButtonChecked(GetHandle(), IDC_COPY_FILE) == BST_CHECKED ? TTarget::File : TTarget::Clipboard;
    TMCTDialog::CmOk();
  }
  TTarget Run() { return Execute() == IDOK ? target_ : TTarget::None; }

private:
  TTarget target_ = TTarget::None;
};

// The save dialog in the remembered folder of page copies; the folder chosen is remembered.
bool ChooseExportPath(HWND parent, char (&path)[MAX_PATH]) {
  path[0] = 0;
  char programFolder[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(nullptr, programFolder, MAX_PATH);
  if (n > 0 && n < MAX_PATH) {
    char* slash = std::strrchr(programFolder, '\\');
    if (slash) *slash = 0;
  }
  char folder[260];
  const bool haveFolder = GetFolderSetting(GetSysInfo(), kFolderPageCopy, programFolder, folder);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = parent;
  ofn.lpstrFilter = "Meta Files (*.WMF)\0*.WMF\0";
  ofn.lpstrFile = path;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = haveFolder ? folder : nullptr;
  ofn.lpstrTitle = "Export Graphic File";
  ofn.lpstrDefExt = "WMF";
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOREADONLYRETURN | OFN_EXPLORER;
  if (!GetSaveFileNameA(&ofn)) return false;
  if (ofn.nFileOffset > 0 && ofn.nFileOffset < MAX_PATH) {
    char chosen[MAX_PATH];
    std::snprintf(chosen, sizeof chosen, "%.*s", static_cast<int>(ofn.nFileOffset), path);
    const size_t len = std::strlen(chosen);
    // A folder below a drive's root is kept without its trailing backslash.
    if (len > 3 && chosen[len - 1] == '\\') chosen[len - 1] = 0;
    SetFolderSetting(GetSysInfo(), kFolderPageCopy, chosen);
  }
  return true;
}

}  // namespace

bool TQVKPrintData::ExportGraphicFile(HWND parent, int page) {
  TCopyPageDialog dialog(parent);
  const TCopyPageDialog::TTarget choice = dialog.Run();
  if (choice == TCopyPageDialog::TTarget::Clipboard) {
    if (!CopyPageToClipboard(parent, page)) {
      MBLMessage(parent, MB_OK | MB_ICONEXCLAMATION, IDS_BITMAP_COPY, IDS_BITMAP_COPY_TEXT);
    }
    return true;
  }
  if (choice != TCopyPageDialog::TTarget::File) return true;
  char path[MAX_PATH];
  if (!ChooseExportPath(parent, path)) return true;
  ExportPageFile(page, path);
  return true;
}
