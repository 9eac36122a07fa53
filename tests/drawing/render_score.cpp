// Renders a score through GDI into a PNG, one justified system under another, with staff names and
// braces, as printing lays out a page: for people to look at the engraving (tools/render-score).
//
//   render_score (SCORE.qvk | --sample NAME [--save OUT.qvk]) OUT.png [WIDTH] [STAFF_SIZE]
//
// NAME is piano, choral or every-item: the sample scores the drawing tests build.
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/ScoreDrawInfo.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/win32/MusicFonts.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "framework/DC.h"
#include "framework/ScreenDC.h"
#include "tests/drawing/PngFile.h"
#include "tests/support/PixelCanvas.h"
#include "tests/drawing/SampleScores.h"

namespace {

constexpr int kMostSystems = 200;

struct PageLayout {
  int margin, labelWidth, braceWidth, lineX, lineWidth, systemGap, titleHeight;
};

// Lays out one system after another; draw (may be null) draws each at its top y. Answers the
// number of systems.
template <class Draw>
int ForEachSystem(TScoreDrawInfo& system, const PageLayout& page, Draw draw) {
  int count = 0;
  int y = page.margin + page.titleHeight;
  for (; count < kMostSystems; ++count) {
    if (count == 0) {
      system.LayoutLine(page.lineWidth);
    } else {
      system.LayoutNextLine(page.lineWidth);
    }
    system.JustifyLine(page.lineWidth);
    draw(system, y);
    y += system.GetTotalHeight() + page.systemGap;
    bool done = true;
    for (int i = 0; i < system.GetCount(); ++i) {
      if (!system.GetStaffInfo(i)->IsAtStaffEnd()) done = false;
    }
    if (done) return count + 1;
  }
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  InstallAuditPass();
  std::unique_ptr<TMusicScore> score;
  int arg = 1;
  const char* save = nullptr;
  if (argc > 2 && std::strcmp(argv[1], "--sample") == 0) {
    TSampleScore kind;
    if (!SampleScoreByName(argv[2], kind)) {
      std::fprintf(stderr, "render_score: no sample named %s\n", argv[2]);
      return 2;
    }
    score.reset(MakeSampleScore(kind));
    arg = 3;
    if (argc > 4 && std::strcmp(argv[3], "--save") == 0) {
      save = argv[4];
      arg = 5;
    }
  } else if (argc > 1) {
    TScoreLoadInfo info;
    score.reset(ReadScoreFile(argv[1], info));
    if (!score || (info.status != slRead && info.status != slConverted)) {
      std::fprintf(stderr, "render_score: cannot read %s\n", argv[1]);
      return 1;
    }
    arg = 2;
  }
  if (!score || arg >= argc) {
    std::fprintf(stderr, "usage: render_score (SCORE.qvk | --sample NAME [--save OUT.qvk]) OUT.png [WIDTH] [STAFF_SIZE]\n");
    return 2;
  }
  if (save && SaveScoreFile(save, 0, *score) == 0) {
    std::fprintf(stderr, "render_score: cannot write %s\n", save);
    return 1;
  }
  const char* out = argv[arg];
  const int width = argc > arg + 1 ? std::atoi(argv[arg + 1]) : 1400;
  const int staffSize = argc > arg + 2 ? std::atoi(argv[arg + 2]) : 14;
  if (!TMusicFonts::IsMusicFontInstalled()) {
    std::fprintf(stderr, "render_score: the music font DIRU15 is not installed\n");
    return 1;
  }
  TStaffColorHandles colors;
  TMusicFonts fonts(score->GetFonts(), &colors, staffSize);
  const int s = fonts.GetSpacing();
  TScoreDrawInfo system(score.get(), &fonts, score->StaffCount());
  system.AddConsecutiveStaves(0, INT_MAX);
  TScreenDC screen;
  fonts.BeginMeasure();
  PageLayout page{};
  page.margin = 2 * s;
  page.labelWidth = system.GetStaffLabelWidth();
  page.braceWidth = system.GetBraceWidth();
  page.lineX = page.margin + page.labelWidth + page.braceWidth;
  page.lineWidth = width - page.lineX - page.margin;
  page.systemGap = 2 * s;
  page.titleHeight = score->Info().title[0] ? 4 * s : 0;
  const int systems = ForEachSystem(system, page, [](TScoreDrawInfo&, int) {});
  const int height = page.margin * 2 + page.titleHeight + systems * (system.GetTotalHeight() + page.systemGap);
  fonts.EndMeasure();

  TPixelCanvas canvas(width, height);
  if (!canvas.Ok()) {
    std::fprintf(stderr, "render_score: no bitmap of %d x %d\n", width, height);
    return 1;
  }
  {
    TDC dc(canvas.Dc());
    fonts.BeginDraw(dc, &screen);
    if (page.titleHeight) {
      fonts.SetYOrigin(page.margin + page.titleHeight / 2);
      const int w = fonts.GetTextWidth(1, score->Info().title);
      fonts.DrawText(1, (width - w) / 2, 0, score->Info().title);
    }
    ForEachSystem(system, page, [&](TScoreDrawInfo& sys, int y) {
      sys.DrawStaffLabels(page.margin, y, page.labelWidth);
      sys.Draw(page.lineX, y, 0, width);
    });
    fonts.EndDraw();
  }
  GdiFlush();
  const bool ok = PngFile::WritePng(out, canvas.Bits(), width, height);
  if (!ok) {
    std::fprintf(stderr, "render_score: cannot write %s\n", out);
    return 1;
  }
  std::printf("render_score: %d systems, %d x %d\n", systems, width, height);
  return 0;
}
