// Flat and three-dimensional frames drawn pixel by pixel.
#include <gtest/gtest.h>

#include "foundation/win32/FrameDrawing.h"
#include "tests/support/PixelCanvas.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLight = RGB(10, 200, 10);
constexpr COLORREF kDark = RGB(200, 10, 10);

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(DrawFrameEdges, DrawsLeftTopRightBottomInThatOrder) {
  TPixelCanvas c(10, 10);
  RECT r{0, 0, 10, 10};
  DrawFrameEdges(c.Dc(), r, kFrameAll, kLight, kDark);
  EXPECT_TRUE(SameRect(r, RECT{1, 1, 9, 9}));
  EXPECT_EQ(c.At(0, 9), kLight) << "the left edge runs the full height";
  EXPECT_EQ(c.At(9, 0), kLight) << "the top edge is drawn before the right one";
  EXPECT_EQ(c.At(9, 1), kDark);
  EXPECT_EQ(c.At(1, 9), kDark) << "the bottom edge starts right of the left one";
  EXPECT_EQ(c.At(9, 9), kDark);
  EXPECT_EQ(c.At(5, 5), kWhite);
  EXPECT_EQ(GetBkColor(c.Dc()), kWhite) << "the context's background colour is given back";

  TPixelCanvas d(10, 10);
  RECT s{2, 2, 8, 8};
  DrawFrameEdges(d.Dc(), s, kFrameRight | kFrameBottom, kLight, kDark);
  EXPECT_TRUE(SameRect(s, RECT{2, 2, 7, 7}));
  EXPECT_EQ(d.At(2, 2), kWhite);
  EXPECT_EQ(d.At(7, 2), kDark);
  EXPECT_EQ(d.At(2, 7), kDark);
}

TEST(Draw3DFrame, PairsColoursAndOptions) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  struct Case {
    UINT kind, options;
    COLORREF outerLeft, outerRight, innerLeft, innerRight;
  };
  const Case cases[] = {
      {kFrameOuterRaised | kFrameInnerRaised, kFrameAll, face, frame, highlight, shadow},
      {kFrameOuterSunken | kFrameInnerSunken, kFrameAll, shadow, highlight, frame, face},
      {kFrameOuterRaised | kFrameInnerRaised, kFrameAll | kFrameSwapLights, highlight, frame, face, shadow},
  };
  for (const Case& k : cases) {
    TPixelCanvas c(12, 12, RGB(1, 2, 3));
    RECT r{0, 0, 12, 12};
    Draw3DFrame(c.Dc(), r, k.kind, k.options);
    EXPECT_TRUE(SameRect(r, RECT{0, 0, 12, 12})) << "kept without the return option";
    EXPECT_EQ(c.At(0, 5), k.outerLeft) << k.kind << "/" << k.options;
    EXPECT_EQ(c.At(11, 5), k.outerRight) << k.kind << "/" << k.options;
    EXPECT_EQ(c.At(1, 5), k.innerLeft) << k.kind << "/" << k.options;
    EXPECT_EQ(c.At(10, 5), k.innerRight) << k.kind << "/" << k.options;
    EXPECT_EQ(c.At(5, 5), RGB(1, 2, 3)) << "not filled without the fill option";
  }

  TPixelCanvas c(12, 12, RGB(1, 2, 3));
  RECT r{0, 0, 12, 12};
  Draw3DFrame(c.Dc(), r, kFrameInnerSunken, kFrameAll | kFrameFillInside | kFrameReturnInside);
  EXPECT_TRUE(SameRect(r, RECT{1, 1, 11, 11})) << "only the inner pair is drawn";
  EXPECT_EQ(c.At(0, 5), frame);
  EXPECT_EQ(c.At(5, 5), GetSysColor(COLOR_WINDOW));
}
