// One print, preview or page export of a score: the printer's context (owned) and metrics, the
// music fonts made for it, and the pages laid out by TPrintPages. Print runs the print job with
// its cancel box; ExportGraphicFile copies one page as a metafile to the clipboard or a ".WMF" file.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/PrintPages.h"

class TMusicFonts;
class TMusicScore;
class TQVBoolArray;
class TStaffColorHandles;

class TQVKPrintData {
public:
  // parent owns the messages and is disabled while printing; the printer context becomes the
  // job's. When the score's margins leave no room they are reset (the user is told); when even
  // that leaves none, the user is told so and the job is not ready: it prints nothing.
  TQVKPrintData(HWND parent, HDC printer, TMusicScore* score, const TQVBoolArray& staves,
                TStaffColorHandles* colors);
  ~TQVKPrintData();
  TQVKPrintData(const TQVKPrintData&) = delete;
  TQVKPrintData& operator=(const TQVKPrintData&) = delete;

  bool IsReady() const { return pages_.IsReady(); }
  TPrintPages& Pages() { return pages_; }
  HDC GetPrinterDC() const { return printer_; }
  TMusicFonts* GetFonts() const { return fonts_.get(); }

  // Lays out page N from the carried layout state and, with draw set, draws it into dc (the
  // printer's own when null). Answers whether the score continues after it.
  bool RenderPage(HDC dc, int page, bool draw);
  int CountPages();

  // The print job, from the first page to the last page. False when the user cancelled or the
  // printer refused the document or a page (the user is told).
  bool Print(const char* path);

  // Asks where the current page goes (clipboard or a ".WMF" file) and copies it; true when done
  // or cancelled.
  bool ExportGraphicFile(HWND parent, int page);
  // The page drawn from the carried layout state, as a placeable metafile in the file. On a
  // failure the user is told and no file is left under the name.
  bool ExportPageFile(int page, const char* path);
  bool CopyPageToClipboard(HWND owner, int page);

  // Where "Printing Page %d" goes (the status bar in the editor).
  void SetStatusSink(std::function<void(const char*)> sink) { status_ = std::move(sink); }

  // The abort flag the print loop, the cancel box and the abort procedure share.
  static volatile bool gAbortPrinting;

private:
  struct Picture {
    int width;
    int height;
    int originX;
    int originY;
  };
  Picture PagePicture() const;
  // Draws the page into a metafile context; answers the closed metafile.
  HMETAFILE RecordPage(const char* fileName, int page);
  bool WritePlaceableFile(const char* metafilePath, const char* path);
  void ReportExportFailure(const char* path);
  void ReportPrintFailure(const char* documentName);

  HWND parent_;
  HDC printer_;
  TMusicScore* score_;
  std::unique_ptr<TMusicFonts> fonts_;
  TPrintPages pages_;
  std::function<void(const char*)> status_;
};

// The abort procedure given to the printer context: works off the waiting messages, then answers
// whether printing goes on.
BOOL CALLBACK PrintAbortProc(HDC dc, int error);
