// The pages of a score on a printer: lays the score out system after system into the area inside
// the margins, page by page, and draws a page (title block, page number, staff labels, systems)
// with any set of music primitives. Printing, print preview and page export all go through it.
#pragma once

#include <memory>

#include "QVKNTN/ScoreDrawInfo.h"
#include "app/PrintArea.h"
#include "foundation/QVBoolArray.h"

class TMusicPrimitives;
class TMusicScore;

// The text fonts of the page: title, author and notices; the page number takes the notice font.
constexpr int kTitleFont = 3;
constexpr int kAuthorFont = 4;
constexpr int kNoticeFont = 5;

// Staff labels: which systems leave room for the staff names on their left.
enum class TStaffLabelMode { None = 0, FirstSystem = 1, TopSystems = 2, AllSystems = 3 };

class TPrintPages {
public:
  static constexpr int kLastPossiblePage = 2147483647;

  // The score stays the caller's; the staves to print are copied.
  TPrintPages(TMusicScore* score, const TQVBoolArray& staves, const TPrinterMetrics& metrics);
  ~TPrintPages();
  TPrintPages(const TPrintPages&) = delete;
  TPrintPages& operator=(const TPrintPages&) = delete;

  // The area inside the score's margins (which it may reset); until it fits nothing lays out.
  TAreaOutcome PrepareArea();
  // Lays out with these primitives from now on (scaled to the printer; not owned).
  void SetFonts(TMusicPrimitives* fonts);
  bool IsReady() const { return areaFits_ && layout_ != nullptr; }

  // Lays out page N from the carried layout state and, when draw is set, draws it through the
  // fonts (which the caller has bound to a device). Answers whether the score goes on after it.
  bool RenderPage(int page, bool draw);
  // The state after the page last rendered becomes the start of the next one.
  void CarryLayoutState();
  void ClearLayoutState();
  // Lays out pages 1, 2, ... without drawing from a cleared state; the number of pages.
  int CountPages();
  // Lays out pages 1 to page - 1 without drawing and carries the state to the start of page;
  // false when the score ended before it.
  bool SkipToPage(int page);

  void SetExportMode(bool on) { exportMode_ = on; }
  bool IsExportMode() const { return exportMode_; }
  void SetPageRange(int first, int last) { firstPage_ = first; lastPage_ = last; }
  int GetFirstPage() const { return firstPage_; }
  int GetLastPage() const { return lastPage_; }

  const TPrinterMetrics& Metrics() const { return metrics_; }
  const TPrintArea& Area() const { return area_; }
  int PageOffsetX(int page) const;
  int PageOffsetY() const;
  // The item index each printed staff starts from on the next page (for finding a position).
  int ResumeIndex(int shownStaff) const;
  int ShownStaves() const;
  TMusicScore* Score() const { return score_; }
  int LastSystemCount() const { return lastSystems_; }

private:
  struct TitleReserve {
    int top;
    int bottom;
  };
  TitleReserve ReserveTitle() const;
  void DrawTitleBlock(int offX, int offY);
  void DrawPageNumber(int printed, int offX, int offY);
  int LabelIndent(int page, int system) const;
  bool AllStavesEnded() const;
  void DrawTextTop(int font, int x, int top, const char* text);

  TMusicScore* score_;
  TQVBoolArray staves_;
  TPrinterMetrics metrics_;
  TPrintArea area_;
  bool areaFits_ = false;
  TMusicPrimitives* fonts_ = nullptr;
  std::unique_ptr<TScoreDrawInfo> layout_;
  int numberingStart_ = 0;
  bool exportMode_ = false;
  int firstPage_ = 1;
  int lastPage_ = 1;
  int lastSystems_ = 0;
  // Where each shown staff starts on the page being rendered, and where it stands after it.
  int state_[TScoreDrawInfo::kMaxStaves] = {};
  int next_[TScoreDrawInfo::kMaxStaves] = {};
};
