#include "app/PrintPages.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"

TPrintPages::TPrintPages(TMusicScore* score, const TQVBoolArray& staves, const TPrinterMetrics& metrics)
    : score_(score), staves_(staves.GetCount()), metrics_(metrics) {
  staves_.Assign(staves);
  metrics_.aspectX = std::max(metrics_.aspectX, 1);
  metrics_.aspectY = std::max(metrics_.aspectY, 1);
  numberingStart_ = score_->GetPageNumberingFrom();
}

TPrintPages::~TPrintPages() = default;

TAreaOutcome TPrintPages::PrepareArea() {
  layout_.reset();
  const TAreaOutcome outcome = PrepareScoreArea(*score_, metrics_, area_);
  areaFits_ = outcome != TAreaOutcome::Impossible;
  return outcome;
}

void TPrintPages::SetFonts(TMusicPrimitives* fonts) {
  fonts_ = fonts;
  layout_.reset();
  if (!fonts_ || !areaFits_) return;
  layout_ = std::make_unique<TScoreDrawInfo>(score_, fonts_, 0);
  layout_->AddStavesUpTo(staves_, area_.height);
  layout_->SetEditView(false);
  ClearLayoutState();
}

void TPrintPages::ClearLayoutState() {
  std::memset(state_, 0, sizeof state_);
  std::memset(next_, 0, sizeof next_);
}

void TPrintPages::CarryLayoutState() { std::memcpy(state_, next_, sizeof state_); }

int TPrintPages::ShownStaves() const { return layout_ ? layout_->GetCount() : 0; }

int TPrintPages::ResumeIndex(int shownStaff) const {
  if (shownStaff < 0 || shownStaff >= ShownStaves()) return 0;
  return next_[shownStaff];
}

int TPrintPages::PageOffsetX(int page) const {
  return ::PageOffsetX(metrics_, ScoreMargins(*score_), area_, PrintedPageNumber(page, numberingStart_), exportMode_);
}

int TPrintPages::PageOffsetY() const { return ::PageOffsetY(area_, exportMode_); }

TPrintPages::TitleReserve TPrintPages::ReserveTitle() const {
  const TMusicFontsData& f = *score_->GetFonts();
  const int dpi = metrics_.logPixelsY;
  return {PointsToPixels(2 * f.GetFont(kTitleFont).size + f.GetFont(kAuthorFont).size, dpi),
          PointsToPixels(2 * f.GetFont(kNoticeFont).size, dpi)};
}

int TPrintPages::LabelIndent(int page, int system) const {
  bool labelled = false;
  switch (static_cast<TStaffLabelMode>(score_->GetStaffLabels())) {
    case TStaffLabelMode::FirstSystem: labelled = page == 1 && system == 0; break;
    case TStaffLabelMode::TopSystems: labelled = system == 0; break;
    case TStaffLabelMode::AllSystems: labelled = true; break;
    default: break;
  }
  return labelled ? layout_->GetStaffLabelWidth() : 0;
}

bool TPrintPages::AllStavesEnded() const {
  for (int i = 0; i < layout_->GetCount(); ++i) {
    if (!layout_->GetStaffInfo(i)->IsAtStaffEnd()) return false;
  }
  return true;
}

// Text with its top at the given y: the primitives centre text on their origin.
void TPrintPages::DrawTextTop(int font, int x, int top, const char* text) {
  const int h = PointsToPixels(score_->GetFonts()->GetFont(font).size, metrics_.logPixelsY);
  fonts_->SetYOrigin(top + h / 2);
  fonts_->DrawText(font, x, 0, text);
}

void TPrintPages::DrawTitleBlock(int offX, int offY) {
  const TScoreInfoBlock& info = score_->Info();
  const TMusicFontsData& f = *score_->GetFonts();
  const int titleHeight = PointsToPixels(f.GetFont(kTitleFont).size, metrics_.logPixelsY);
  fonts_->SelectColor(0);
  char text[TScoreInfoBlock::kCopyrightSize + 1];

  std::snprintf(text, sizeof text, "%.*s", TScoreInfoBlock::kTitleSize, info.title);
  const int tw = fonts_->GetTextWidth(kTitleFont, text);
  const int tx = tw > area_.width ? offX : offX + (area_.width - tw) / 2;
  DrawTextTop(kTitleFont, tx, offY + titleHeight / 2, text);

  std::snprintf(text, sizeof text, "%.*s", TScoreInfoBlock::kAuthorSize, info.author);
  DrawTextTop(kAuthorFont, offX + area_.width - fonts_->GetTextWidth(kAuthorFont, text), offY + 2 * titleHeight,
              text);

  const char* notices[2] = {info.copyright1, info.copyright2};
  const int lineHeight = PointsToPixels(f.GetFont(kNoticeFont).size, metrics_.logPixelsY);
  int lines = 0;
  for (const char* n : notices) lines += n[0] ? 1 : 0;
  int top = offY + area_.height - lines * lineHeight;
  for (const char* n : notices) {
    if (!n[0]) continue;
    std::snprintf(text, sizeof text, "%.*s", TScoreInfoBlock::kCopyrightSize, n);
    DrawTextTop(kNoticeFont, offX + (area_.width - fonts_->GetTextWidth(kNoticeFont, text)) / 2, top, text);
    top += lineHeight;
  }
}

void TPrintPages::DrawPageNumber(int printed, int offX, int offY) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", printed);
  fonts_->SelectColor(0);
  const int x = IsMirroredPage(ScoreMargins(*score_), printed)
                    ? offX
                    : offX + area_.width - fonts_->GetTextWidth(kNoticeFont, text);
  DrawTextTop(kNoticeFont, x, offY + 1, text);
}

bool TPrintPages::RenderPage(int page, bool draw) {
  std::memcpy(next_, state_, sizeof next_);
  lastSystems_ = 0;
  if (!IsReady() || page < 1 || page > lastPage_) return false;
  if (layout_->GetCount() == 0) return false;
  const int offX = PageOffsetX(page);
  const int offY = PageOffsetY();
  const int printed = PrintedPageNumber(page, numberingStart_);
  if (draw && !exportMode_ && numberingStart_ > 0 && printed > 1) DrawPageNumber(printed, offX, offY);

  int top = 0;
  int bottom = area_.height;
  if (page == 1 && score_->GetTitlePageInfo()) {
    if (draw) DrawTitleBlock(offX, offY);
    const TitleReserve r = ReserveTitle();
    top += r.top;
    bottom -= r.bottom;
  }

  const int braceWidth = layout_->GetBraceWidth();
  const TSystemSpread spread = SpreadSystems(bottom - top, layout_->GetTotalHeight());
  int y = top;
  bool ended = false;
  for (int i = 0; i < spread.count && !ended; ++i) {
    y += spread.gap;
    const int indent = LabelIndent(page, i);
    const int width = std::max(area_.width - indent - braceWidth, 1);
    if (i == 0) {
      layout_->LayoutLineFrom(state_, width);
    } else {
      layout_->LayoutNextLine(width);
    }
    layout_->JustifyLine(width);
    ++lastSystems_;
    if (draw) {
      if (indent) layout_->DrawStaffLabels(offX, offY + y, indent);
      layout_->Draw(offX + indent + braceWidth, offY + y, offX, offX + area_.width);
    }
    int resume[TScoreDrawInfo::kMaxStaves];
    layout_->GetResumeIndexes(resume);
    // A line that takes nothing more would be laid out again on every following page.
    const bool progressed = std::memcmp(resume, next_, sizeof(int) * static_cast<size_t>(layout_->GetCount())) != 0;
    std::memcpy(next_, resume, sizeof(int) * static_cast<size_t>(layout_->GetCount()));
    ended = AllStavesEnded() || !progressed;
    y += std::max(layout_->GetTotalHeight(), 1);
  }
  return !ended;
}

bool TPrintPages::SkipToPage(int page) {
  ClearLayoutState();
  for (int n = 1; n < page; ++n) {
    const bool more = RenderPage(n, false);
    CarryLayoutState();
    if (!more) return false;
  }
  return true;
}

int TPrintPages::CountPages() {
  if (!IsReady()) return 0;
  ClearLayoutState();
  int page = 0;
  bool more = true;
  while (more && page < lastPage_) {
    ++page;
    more = RenderPage(page, false);
    CarryLayoutState();
  }
  ClearLayoutState();
  return page;
}
