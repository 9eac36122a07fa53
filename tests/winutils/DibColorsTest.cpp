// A DIB's background colour entry and colour masks.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/Dib.h"
#include "framework/DibColors.h"
#include "framework/MemoryDC.h"
#include "framework/ScreenDC.h"

TEST(DibColors, BackgroundEntryComesFromTheFirstPixel) {
  TDib dib(4, 2, 4);
  dib.SetColor(3, RGB(0, 0, 255));
  dib.SetColor(5, RGB(255, 0, 0));
  unsigned char* bits = static_cast<unsigned char*>(dib.GetBits());
  // Bottom-up: the first bytes are the bottom row. Pixels: 3 3 5 5 / 5 5 5 5.
  bits[0] = 0x33;
  bits[1] = 0x55;
  bits[4] = 0x55;
  bits[5] = 0x55;
  EXPECT_EQ(GetDibBackgroundIndex(dib), 3);
  EXPECT_EQ(GetDibBackgroundColor(dib), RGB(0, 0, 255));

  auto bitmap = RecolorDibBackground(dib, RGB(0, 128, 0));
  EXPECT_EQ(GetDibBackgroundColor(dib), RGB(0, 128, 0));
  ASSERT_TRUE(bitmap && bitmap->IsValid());
  TMemoryDC mem;
  mem.SelectObject(*bitmap);
  EXPECT_EQ(mem.GetPixel(0, 1), RGB(0, 128, 0));
  EXPECT_EQ(mem.GetPixel(3, 1), RGB(255, 0, 0));
  EXPECT_EQ(mem.GetPixel(0, 0), RGB(255, 0, 0));
}

TEST(DibColors, MaskIsWhiteWhereTheColourIs) {
  TScreenDC screen;
  TBitmap source(screen, 6, 3);
  {
    TMemoryDC paint(screen);
    paint.SelectObject(source);
    paint.FillSolidRect(TRect(0, 0, 6, 3), RGB(255, 0, 0));
    paint.SetPixel(1, 1, RGB(0, 0, 255));
    paint.SetPixel(4, 2, RGB(0, 0, 255));
  }
  auto mask = MakeColorMask(source, RGB(0, 0, 255));
  ASSERT_TRUE(mask && mask->IsValid());
  EXPECT_EQ(mask->Width(), 6);
  EXPECT_EQ(mask->Height(), 3);
  TMemoryDC mem;
  mem.SelectObject(*mask);
  EXPECT_EQ(mem.GetPixel(1, 1), RGB(255, 255, 255));
  EXPECT_EQ(mem.GetPixel(4, 2), RGB(255, 255, 255));
  EXPECT_EQ(mem.GetPixel(0, 0), RGB(0, 0, 0));
  EXPECT_EQ(mem.GetPixel(5, 2), RGB(0, 0, 0));
}
