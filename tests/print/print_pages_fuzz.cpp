// Page arithmetic and page layout with any printer a driver could describe and any page settings a
// score file could hold: no undefined arithmetic, areas that are really inside the page, placeable
// boxes within 16 bits, preview scroll positions within their ranges, and page passes that end.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "QVKNTN/AuditPass.h"
#include "QVKNTN/MusicScore.h"
#include "app/PlaceableMetafile.h"
#include "app/PreviewZoom.h"
#include "app/PrintArea.h"
#include "app/PrintPages.h"
#include "tests/drawing/RecordingPrimitives.h"
#include "tests/drawing/SampleScores.h"

namespace {

class Bytes {
public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  int U8() { return at_ < size_ ? data_[at_++] : 0; }
  int I32() { return static_cast<int>(static_cast<std::uint32_t>(U8()) | U8() << 8 | U8() << 16 |
                                      static_cast<std::uint32_t>(U8()) << 24); }
  // Mostly plausible sizes, sometimes anything.
  int Size() { return U8() < 16 ? I32() : U8() * 40 + U8(); }
  float Margin() {
    if (U8() < 8) {
      float f;
      int bits = I32();
      std::memcpy(&f, &bits, sizeof f);
      return f;
    }
    return static_cast<float>(U8()) / 32.0f;
  }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

TPrinterMetrics Metrics(Bytes& in) {
  TPrinterMetrics m;
  m.aspectX = in.Size();
  m.aspectY = in.Size();
  m.horzRes = in.Size();
  m.vertRes = in.Size();
  m.physicalWidth = in.Size();
  m.physicalHeight = in.Size();
  m.physicalOffsetX = in.Size() / 8;
  m.physicalOffsetY = in.Size() / 8;
  m.logPixelsX = in.U8() * 4;
  m.logPixelsY = in.U8() * 4;
  return m;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes in(data, size);
  const TPrinterMetrics m = Metrics(in);
  TPageMargins margins{in.Margin(), in.Margin(), in.Margin(), in.Margin(), in.U8() % 2 == 1};
  TPrintArea area;
  if (ComputePrintArea(m, margins, area)) {
    Check(area.width > 0 && area.height > 0);
    for (int page : {1, 2, in.I32()}) PageOffsetX(m, margins, area, PrintedPageNumber(page, in.I32()), false);
    const TSystemSpread spread = SpreadSystems(area.height, in.I32());
    Check(spread.count >= 1 && spread.gap >= 0);
  }
  const TPlaceableBounds b = FitPlaceableBounds(in.I32(), in.I32(), in.I32());
  Check(b.right >= 0 && b.right <= kPlaceableLargest && b.bottom >= 0 && b.bottom <= kPlaceableLargest);
  Check(b.unitsPerInch >= 1 && b.unitsPerInch <= kPlaceableLargest);

  TPreviewZoom zoom(m);
  const TPreviewFrame frame{in.Size() % 5000, in.Size() % 5000, in.U8() % 8, in.U8() % 8, in.U8() % 40,
                            in.U8() % 40};
  zoom.SetZoom(in.U8() % 6 - 1, frame);
  for (int i = 0; i < 4; ++i) {
    const int action = in.U8();
    if (action < 64) {
      zoom.Click(in.Size() % 3000, in.Size() % 3000, action % 2 == 1, frame);
    } else {
      zoom.Scroll(action % 2 == 1, static_cast<TScrollAction>(action % 7), in.I32());
    }
    Check(zoom.ScrollX() >= 0 && zoom.ScrollX() <= zoom.RangeX());
    Check(zoom.ScrollY() >= 0 && zoom.ScrollY() <= zoom.RangeY());
    Check(zoom.DisplayWidth() >= 1 && zoom.DisplayHeight() >= 1);
  }

  // Whole page passes over a small score, on the printer above.
  static bool installed = (InstallAuditPass(), true);
  (void)installed;
  std::unique_ptr<TMusicScore> score(MakeSampleScore(TSampleScore::Piano));
  for (int i = 0; i < 4; ++i) score->SetMargin(i, in.Margin());
  score->SetMirrorMargins(in.U8() % 2);
  score->SetPageNumberingFrom(in.I32());
  score->SetStaffLabels(in.U8() % 5);
  score->SetTitlePageInfo(in.U8() % 2 == 1);
  TQVBoolArray staves(TMusicScore::kSelectionSize);
  staves.SetAll(in.U8() % 8 != 0);
  TPrintPages pages(score.get(), staves, m);
  pages.PrepareArea();
  RecordingPrimitives fonts(2 + 2 * (in.U8() % 12));
  pages.SetFonts(&fonts);
  pages.SetPageRange(1, 1 + in.U8() % 40);
  const int count = pages.CountPages();
  Check(count >= 0 && count <= pages.GetLastPage());
  pages.SkipToPage(1 + in.U8() % 4);
  pages.RenderPage(1 + in.U8() % 4, true);
  return 0;
}
