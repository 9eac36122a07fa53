// Pages of the sample scores laid out and drawn on a recording device: how many pages, what each
// page draws where (title block, page numbers, staff labels, systems) and that a page laid out
// after skipped pages is the page of a full pass.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "app/PrintPages.h"
#include "tests/drawing/RecordingPrimitives.h"
#include "tests/drawing/SampleScores.h"

namespace {

constexpr int kDpi = 300;

// A small sheet, 4 x 5 inches, with a tenth of an inch it cannot print on.
TPrinterMetrics SmallSheet() {
  TPrinterMetrics m;
  m.logPixelsX = m.logPixelsY = kDpi;
  m.physicalWidth = 4 * kDpi;
  m.physicalHeight = 5 * kDpi;
  m.physicalOffsetX = m.physicalOffsetY = 30;
  m.horzRes = m.physicalWidth - 60;
  m.vertRes = m.physicalHeight - 60;
  return m;
}

struct Job {
  std::unique_ptr<TMusicScore> score;
  RecordingPrimitives fonts{12};
  std::unique_ptr<TPrintPages> pages;

  explicit Job(TSampleScore kind, void (*adjust)(TMusicScore&) = nullptr) {
    InstallAuditPass();
    score.reset(MakeSampleScore(kind));
    for (int i = 0; i < 4; ++i) score->SetMargin(i, 0.5f);
    if (adjust) adjust(*score);
    TQVBoolArray staves(TMusicScore::kSelectionSize);
    staves.SetAll(true);
    pages = std::make_unique<TPrintPages>(score.get(), staves, SmallSheet());
    EXPECT_EQ(pages->PrepareArea(), TAreaOutcome::Fits);
    pages->SetFonts(&fonts);
    pages->SetPageRange(1, TPrintPages::kLastPossiblePage);
  }

  // Draws every page in one pass; the drawing of each.
  std::vector<std::vector<Drawn>> DrawAll() {
    std::vector<std::vector<Drawn>> out;
    pages->ClearLayoutState();
    for (int page = 1; page < 100; ++page) {
      fonts.drawn.clear();
      const bool more = pages->RenderPage(page, true);
      pages->CarryLayoutState();
      out.push_back(fonts.drawn);
      if (!more) break;
    }
    return out;
  }
};

std::vector<Drawn> TextsIn(const std::vector<Drawn>& drawn, int font) {
  std::vector<Drawn> out;
  for (const Drawn& d : drawn) {
    if (d.kind == Drawn::kText && d.font == font) out.push_back(d);
  }
  return out;
}

const Drawn* FindText(const std::vector<Drawn>& drawn, const std::string& text, int font) {
  for (const Drawn& d : drawn) {
    if (d.kind == Drawn::kText && d.font == font && d.text == text) return &d;
  }
  return nullptr;
}

int TextWidth(const Job& job, int font, const char* text) {
  return RecordingPrimitives::TextSize(job.fonts.GetSpacing(), font, text).cx;
}

bool IsStaffName(const TMusicScore& score, const std::string& text) {
  for (int i = 0; i < score.StaffCount(); ++i) {
    if (text == score.GetStaff(i)->GetName()) return true;
  }
  return false;
}

int CountStaffNames(const TMusicScore& score, const std::vector<Drawn>& drawn) {
  int n = 0;
  for (const Drawn& d : TextsIn(drawn, 1)) n += IsStaffName(score, d.text) ? 1 : 0;
  return n;
}

TEST(PrintPages, EveryPageCountedAndEachDrawsItsSystems) {
  for (TSampleScore kind : {TSampleScore::Piano, TSampleScore::Choral, TSampleScore::EveryItem}) {
    Job job(kind);
    const int count = job.pages->CountPages();
    ASSERT_GE(count, 2) << "the small sheet takes more than one page";
    const auto drawn = job.DrawAll();
    EXPECT_EQ(static_cast<int>(drawn.size()), count);
    for (const auto& page : drawn) EXPECT_FALSE(page.empty());
    // Counting twice gives the same answer: each pass starts from a cleared state.
    EXPECT_EQ(job.pages->CountPages(), count);
    // A range ending early stops there.
    job.pages->SetPageRange(1, 1);
    EXPECT_EQ(job.pages->CountPages(), 1);
    EXPECT_FALSE(job.pages->RenderPage(2, false)) << "a page beyond the last is not laid out";
  }
}

TEST(PrintPages, SystemsStayInsideTheArea) {
  Job job(TSampleScore::Choral);
  const TPrintArea& a = job.pages->Area();
  const auto drawn = job.DrawAll();
  for (size_t p = 0; p < drawn.size(); ++p) {
    for (const Drawn& d : drawn[p]) {
      if (d.kind != Drawn::kLine) continue;
      EXPECT_GE(d.x, a.left) << "page " << p + 1;
      EXPECT_LE(std::max(d.x, d.x2), a.left + a.width) << "page " << p + 1;
      EXPECT_GE(std::min(d.y, d.y2), a.top) << "page " << p + 1;
      EXPECT_LE(std::max(d.y, d.y2), a.top + a.height) << "page " << p + 1;
    }
  }
}

TEST(PrintPages, SkippedPagesLeadToTheSamePage) {
  Job job(TSampleScore::Choral);
  const auto all = job.DrawAll();
  ASSERT_GE(all.size(), 3u);
  ASSERT_TRUE(job.pages->SkipToPage(3));
  job.fonts.drawn.clear();
  job.pages->RenderPage(3, true);
  ASSERT_EQ(job.fonts.drawn.size(), all[2].size());
  for (size_t i = 0; i < all[2].size(); ++i) {
    EXPECT_EQ(job.fonts.drawn[i].x, all[2][i].x);
    EXPECT_EQ(job.fonts.drawn[i].y, all[2][i].y);
    EXPECT_EQ(job.fonts.drawn[i].text, all[2][i].text);
  }
  // Rendering a page again without carrying draws it again, unchanged (a preview repaints).
  job.fonts.drawn.clear();
  job.pages->RenderPage(3, true);
  EXPECT_EQ(job.fonts.drawn.size(), all[2].size());
  EXPECT_FALSE(job.pages->SkipToPage(1000));
}

TEST(PrintPages, TitleBlockOnTheFirstPage) {
  Job job(TSampleScore::Choral, [](TMusicScore& s) {
    s.SetTitlePageInfo(true);
    std::strcpy(s.Info().author, "A. Composer");
    s.Info().copyright1[0] = 0;
    std::strcpy(s.Info().copyright2, "Second notice");
  });
  const TPrintArea& a = job.pages->Area();
  const auto pages = job.DrawAll();
  ASSERT_GE(pages.size(), 2u);
  const TMusicFontsData& f = *job.score->GetFonts();
  const int titleHeight = PointsToPixels(f.GetFont(kTitleFont).size, kDpi);

  const Drawn* title = FindText(pages[0], "Evening Hymn", kTitleFont);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x, a.left + (a.width - TextWidth(job, kTitleFont, "Evening Hymn")) / 2);
  EXPECT_EQ(title->color, 0);
  const Drawn* author = FindText(pages[0], "A. Composer", kAuthorFont);
  ASSERT_NE(author, nullptr);
  EXPECT_EQ(author->x, a.left + a.width - TextWidth(job, kAuthorFont, "A. Composer"));
  EXPECT_GT(author->y, title->y);
  // The one notice there is ends at the bottom of the area.
  const Drawn* notice = FindText(pages[0], "Second notice", kNoticeFont);
  ASSERT_NE(notice, nullptr);
  const int noticeHeight = PointsToPixels(f.GetFont(kNoticeFont).size, kDpi);
  const int cy = RecordingPrimitives::TextSize(job.fonts.GetSpacing(), kNoticeFont, "x").cy;
  EXPECT_NEAR(notice->y + cy, a.top + a.height, noticeHeight);
  EXPECT_EQ(notice->x, a.left + (a.width - TextWidth(job, kNoticeFont, "Second notice")) / 2);

  // The systems on page 1 start below the title block; page 2 has none.
  int firstLine = INT_MAX;
  for (const Drawn& d : pages[0]) {
    if (d.kind == Drawn::kLine) firstLine = std::min({firstLine, d.y, d.y2});
  }
  EXPECT_GE(firstLine, a.top + 2 * titleHeight);
  EXPECT_EQ(FindText(pages[1], "Evening Hymn", kTitleFont), nullptr);
  EXPECT_EQ(FindText(pages[1], "Second notice", kNoticeFont), nullptr);
}

TEST(PrintPages, PageNumbers) {
  struct Case {
    int start;
    bool mirror;
    std::vector<std::string> numbers;  // per page, "" for none
  } cases[] = {
      {0, false, {"", "", ""}},
      {1, false, {"", "2", "3"}},
      {5, false, {"5", "6", "7"}},
      {1, true, {"", "2", "3"}},
  };
  for (const Case& c : cases) {
    Job job(TSampleScore::Choral, nullptr);
    job.score->SetPageNumberingFrom(c.start);
    job.score->SetMirrorMargins(c.mirror ? 1 : 0);
    job.score->SetMargin(2, 1.0f);  // outside wider than inside
    TQVBoolArray staves(TMusicScore::kSelectionSize);
    staves.SetAll(true);
    TPrintPages pages(job.score.get(), staves, SmallSheet());
    ASSERT_EQ(pages.PrepareArea(), TAreaOutcome::Fits);
    pages.SetFonts(&job.fonts);
    pages.SetPageRange(1, 3);
    const TPrintArea& a = pages.Area();
    for (int page = 1; page <= 3; ++page) {
      job.fonts.drawn.clear();
      pages.RenderPage(page, true);
      pages.CarryLayoutState();
      const std::string& want = c.numbers[static_cast<size_t>(page - 1)];
      const auto numbers = TextsIn(job.fonts.drawn, kNoticeFont);
      if (want.empty()) {
        EXPECT_TRUE(numbers.empty()) << "start " << c.start << " page " << page;
        continue;
      }
      ASSERT_EQ(numbers.size(), 1u) << "start " << c.start << " page " << page;
      EXPECT_EQ(numbers[0].text, want);
      EXPECT_EQ(numbers[0].y, a.top + 1 + PointsToPixels(8, kDpi) / 2 -
                                  RecordingPrimitives::TextSize(12, kNoticeFont, "1").cy / 2);
      const bool left = c.mirror && std::stoi(want) % 2 == 0;
      const int offX = left ? kDpi * 1 - 30 : a.left;
      if (left) {
        EXPECT_EQ(numbers[0].x, offX) << "an even mirrored page numbers at its left edge";
      } else {
        EXPECT_EQ(numbers[0].x, offX + a.width - TextWidth(job, kNoticeFont, want.c_str()));
      }
      EXPECT_EQ(pages.PageOffsetX(page), offX);
    }
    // An exported page has no number and no offsets.
    pages.SetExportMode(true);
    pages.SkipToPage(2);
    job.fonts.drawn.clear();
    pages.RenderPage(2, true);
    EXPECT_TRUE(TextsIn(job.fonts.drawn, kNoticeFont).empty());
    EXPECT_EQ(pages.PageOffsetX(2), 0);
    EXPECT_EQ(pages.PageOffsetY(), 0);
    int left = INT_MAX;
    for (const Drawn& d : job.fonts.drawn) {
      if (d.kind == Drawn::kLine) left = std::min(left, d.x);
    }
    EXPECT_LT(left, a.left) << "the exported picture starts at its own origin";
  }
}

TEST(PrintPages, StaffLabelsFollowTheirMode) {
  for (int mode = 0; mode <= 3; ++mode) {
    Job job(TSampleScore::Choral, nullptr);
    job.score->SetStaffLabels(mode);
    const int staves = job.score->StaffCount();
    job.pages->ClearLayoutState();
    for (int page = 1; page <= 2; ++page) {
      job.fonts.drawn.clear();
      ASSERT_TRUE(job.pages->RenderPage(page, true));
      job.pages->CarryLayoutState();
      const int systems = job.pages->LastSystemCount();
      int want = 0;
      if (mode == 1) want = page == 1 ? staves : 0;
      if (mode == 2) want = staves;
      if (mode == 3) want = staves * systems;
      EXPECT_EQ(CountStaffNames(*job.score, job.fonts.drawn), want) << "mode " << mode << " page " << page;
    }
  }
}

TEST(PrintPages, NothingLaysOutWhenThePageIsImpossible) {
  InstallAuditPass();
  std::unique_ptr<TMusicScore> score(MakeSampleScore(TSampleScore::Piano));
  TQVBoolArray staves(TMusicScore::kSelectionSize);
  staves.SetAll(true);
  TPrinterMetrics narrow = SmallSheet();
  narrow.physicalWidth = kDpi / 2;
  TPrintPages pages(score.get(), staves, narrow);
  EXPECT_EQ(pages.PrepareArea(), TAreaOutcome::Impossible);
  RecordingPrimitives fonts(12);
  pages.SetFonts(&fonts);
  pages.SetPageRange(1, TPrintPages::kLastPossiblePage);
  EXPECT_FALSE(pages.IsReady());
  EXPECT_EQ(pages.CountPages(), 0);
  EXPECT_FALSE(pages.RenderPage(1, true));
  EXPECT_TRUE(fonts.drawn.empty());
}

TEST(PrintPages, OnlyTheStavesToPrint) {
  InstallAuditPass();
  std::unique_ptr<TMusicScore> score(MakeSampleScore(TSampleScore::Choral));
  TQVBoolArray staves(TMusicScore::kSelectionSize);
  staves.SetBit(1, true);
  TPrintPages pages(score.get(), staves, SmallSheet());
  ASSERT_EQ(pages.PrepareArea(), TAreaOutcome::Fits);
  RecordingPrimitives fonts(12);
  pages.SetFonts(&fonts);
  pages.SetPageRange(1, TPrintPages::kLastPossiblePage);
  EXPECT_EQ(pages.ShownStaves(), 1);
  EXPECT_GE(pages.CountPages(), 1);
  // An empty selection prints nothing and still ends.
  TQVBoolArray none(TMusicScore::kSelectionSize);
  TPrintPages empty(score.get(), none, SmallSheet());
  empty.PrepareArea();
  empty.SetFonts(&fonts);
  empty.SetPageRange(1, TPrintPages::kLastPossiblePage);
  fonts.drawn.clear();
  EXPECT_FALSE(empty.RenderPage(1, true));
  EXPECT_LE(empty.CountPages(), 1);
  EXPECT_TRUE(fonts.drawn.empty());
}

}  // namespace
