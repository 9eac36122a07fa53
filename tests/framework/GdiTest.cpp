// Device contexts and GDI objects: selections are undone, DIB colours and pixels, regions and
// metafiles.
#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include "framework/Bitmap.h"
#include "framework/Brush.h"
#include "framework/Dib.h"
#include "framework/Font.h"
#include "framework/MemoryDC.h"
#include "framework/MetaFileDC.h"
#include "framework/Palette.h"
#include "framework/Pen.h"
#include "framework/Region.h"
#include "framework/ScreenDC.h"

TEST(DC, SelectedObjectsAreRestoredWhenTheContextGoes) {
  HDC raw = CreateCompatibleDC(nullptr);
  HGDIOBJ pen0 = GetCurrentObject(raw, OBJ_PEN);
  HGDIOBJ brush0 = GetCurrentObject(raw, OBJ_BRUSH);
  HGDIOBJ font0 = GetCurrentObject(raw, OBJ_FONT);
  TPen pen(RGB(255, 0, 0), 3);
  TBrush brush(RGB(0, 255, 0));
  TFont font("Arial", -12);
  {
    TDC dc(raw);
    dc.SelectObject(pen);
    dc.SelectObject(brush);
    dc.SelectObject(font);
    TPen second(RGB(0, 0, 255));
    dc.SelectObject(second);  // the original, not the first replacement, comes back
    EXPECT_EQ(GetCurrentObject(raw, OBJ_PEN), second.GetHandle());
    dc.RestorePen();
    EXPECT_EQ(GetCurrentObject(raw, OBJ_PEN), pen0);
    dc.SelectObject(pen);
  }
  EXPECT_EQ(GetCurrentObject(raw, OBJ_PEN), pen0);
  EXPECT_EQ(GetCurrentObject(raw, OBJ_BRUSH), brush0);
  EXPECT_EQ(GetCurrentObject(raw, OBJ_FONT), font0);
  DeleteDC(raw);
}

TEST(DC, MemoryContextDrawsIntoItsBitmap) {
  TScreenDC screen;
  TBitmap bmp(screen, 20, 10);
  TMemoryDC mem(screen);
  mem.SelectObject(bmp);
  mem.FillSolidRect(TRect(0, 0, 20, 10), RGB(255, 255, 255));
  mem.FillSolidRect(TRect(5, 2, 8, 4), RGB(0, 0, 0));
  EXPECT_EQ(mem.GetPixel(6, 3), RGB(0, 0, 0));
  EXPECT_EQ(mem.GetPixel(8, 3), RGB(255, 255, 255)) << "right edge exclusive";
  EXPECT_EQ(bmp.Width(), 20);
  EXPECT_EQ(bmp.Height(), 10);
}

TEST(GdiObjects, WrappedStockObjectsAreNotDeleted) {
  HGDIOBJ stock = GetStockObject(BLACK_PEN);
  { TPen p = TPen::Stock(BLACK_PEN); }
  LOGPEN lp{};
  EXPECT_EQ(GetObjectA(stock, sizeof lp, &lp), static_cast<int>(sizeof lp));
  TFont f("Arial", -20, 0, 0, 0, FW_BOLD);
  LOGFONTA lf{};
  ASSERT_TRUE(f.GetObject(lf));
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_STREQ(lf.lfFaceName, "Arial");
}

TEST(Region, SetOperationsAndHitTests) {
  TRegion a(TRect(0, 0, 10, 10));
  TRegion b(TRect(5, 5, 15, 15));
  TRegion both(a);
  both &= b;
  EXPECT_EQ(both.GetBox(), TRect(5, 5, 10, 10));
  TRegion rest(a);
  rest -= b;
  EXPECT_TRUE(rest.Contains(TPoint(2, 2)));
  EXPECT_FALSE(rest.Contains(TPoint(7, 7)));
  rest.Offset(100, 0);
  EXPECT_TRUE(rest.Contains(TPoint(102, 2)));
  TRegion empty;
  EXPECT_TRUE(empty.IsEmpty());
}

namespace {

// A packed 4-bit DIB, 4 x 2 pixels, colours 0..15 grey levels.
std::vector<uint8_t> MakePackedDib4() {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = 4;
  h.biHeight = 2;  // bottom-up
  h.biPlanes = 1;
  h.biBitCount = 4;
  std::vector<uint8_t> v(sizeof h + 16 * 4 + 2 * 4);
  std::memcpy(v.data(), &h, sizeof h);
  for (int i = 0; i < 16; ++i) {
    v[sizeof h + i * 4] = v[sizeof h + i * 4 + 1] = v[sizeof h + i * 4 + 2] = static_cast<uint8_t>(i * 16);
  }
  uint8_t* bits = v.data() + sizeof h + 64;
  bits[0] = 0x12;  // bottom row: 1 2 3 4
  bits[1] = 0x34;
  bits[4] = 0xF0;  // top row: 15 0 5 6
  bits[5] = 0x56;
  return v;
}

}  // namespace

TEST(Dib, ColoursAndPixelsOfAPackedDib) {
  std::vector<uint8_t> packed = MakePackedDib4();
  TDib dib(packed.data(), packed.size());
  ASSERT_TRUE(dib.IsOk());
  EXPECT_EQ(dib.Width(), 4);
  EXPECT_EQ(dib.Height(), 2);
  EXPECT_EQ(dib.NumColors(), 16);
  EXPECT_EQ(dib.GetPixelIndex(0, 0), 15) << "row 0 is the top row";
  EXPECT_EQ(dib.GetPixelIndex(3, 1), 4);
  EXPECT_EQ(dib.GetPixelIndex(4, 0), -1);
  dib.SetColor(15, RGB(1, 2, 3));
  EXPECT_EQ(dib.GetColor(15), RGB(1, 2, 3));
  dib.SetColor(16, RGB(9, 9, 9));  // outside the table: ignored
  EXPECT_EQ(dib.GetColor(16), 0u);

  // The device bitmap shows the changed colour.
  TBitmap bmp(dib);
  ASSERT_TRUE(bmp.IsValid());
  TMemoryDC mem;
  TScreenDC screen;
  TBitmap colour(screen, 4, 2);
  mem.SelectObject(colour);
  SetDIBitsToDevice(mem, 0, 0, 4, 2, 0, 0, 0, 2, dib.GetBits(), dib.GetInfo(), DIB_RGB_COLORS);
  EXPECT_EQ(mem.GetPixel(0, 0), RGB(1, 2, 3));
  TPalette pal(dib);
  EXPECT_EQ(pal.GetNumEntries(), 16);
}

TEST(Dib, DamagedPackedDibsAreRefused) {
  std::vector<uint8_t> packed = MakePackedDib4();
  struct TCase {
    const char* what;
    size_t size;
    void (*damage)(BITMAPINFOHEADER&);
  };
  const TCase cases[] = {
      {"cut pixels", packed.size() - 1, [](BITMAPINFOHEADER&) {}},
      {"header only", sizeof(BITMAPINFOHEADER) - 1, [](BITMAPINFOHEADER&) {}},
      {"huge colour count", packed.size(), [](BITMAPINFOHEADER& h) { h.biClrUsed = 100000; }},
      {"negative width", packed.size(), [](BITMAPINFOHEADER& h) { h.biWidth = -4; }},
      {"compressed", packed.size(), [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE4; }},
      {"odd depth", packed.size(), [](BITMAPINFOHEADER& h) { h.biBitCount = 3; }},
  };
  for (const TCase& c : cases) {
    std::vector<uint8_t> v = packed;
    BITMAPINFOHEADER h;
    std::memcpy(&h, v.data(), sizeof h);
    c.damage(h);
    std::memcpy(v.data(), &h, sizeof h);
    TDib dib(v.data(), c.size);
    EXPECT_FALSE(dib.IsOk()) << c.what;
  }
}

TEST(MetaFileDC, RecordsDrawingIntoAMetafile) {
  TMetaFileDC dc;
  TPen pen(RGB(0, 0, 0));
  dc.SelectObject(pen);
  dc.MoveTo(0, 0);
  dc.LineTo(100, 50);
  HMETAFILE mf = dc.Close();
  ASSERT_NE(mf, nullptr);
  UINT size = GetMetaFileBitsEx(mf, 0, nullptr);
  EXPECT_GT(size, 18u) << "more than the bare header";
  DeleteMetaFile(mf);
  EXPECT_EQ(dc.Close(), nullptr);
}
