#include "foundation/win32/FrameDrawing.h"

namespace {

void Fill(HDC dc, const RECT& r) { ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr); }

}  // namespace

void DrawFrameEdges(HDC dc, RECT& rect, UINT edges, COLORREF light, COLORREF dark) {
  const COLORREF oldBk = GetBkColor(dc);
  if (edges & kFrameLeft) {
    SetBkColor(dc, light);
    Fill(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom});
    ++rect.left;
  }
  if (edges & kFrameTop) {
    SetBkColor(dc, light);
    Fill(dc, RECT{rect.left, rect.top, rect.right, rect.top + 1});
    ++rect.top;
  }
  if (edges & kFrameRight) {
    SetBkColor(dc, dark);
    Fill(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom});
    --rect.right;
  }
  if (edges & kFrameBottom) {
    SetBkColor(dc, dark);
    Fill(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom});
    --rect.bottom;
  }
  SetBkColor(dc, oldBk);
}

void Draw3DFrame(HDC dc, RECT& rect, UINT kind, UINT options) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME);
  COLORREF outerLight = (kind & kFrameOuterRaised) ? face : shadow;
  COLORREF outerDark = (kind & kFrameOuterRaised) ? frame : highlight;
  COLORREF innerLight = (kind & kFrameInnerRaised) ? highlight : frame;
  COLORREF innerDark = (kind & kFrameInnerRaised) ? shadow : face;
  if (options & kFrameSwapLights) {
    const COLORREF t = outerLight;
    outerLight = innerLight;
    innerLight = t;
  }
  const UINT edges = options & kFrameAll;
  RECT inside = rect;
  if (kind & (kFrameOuterRaised | kFrameOuterSunken)) DrawFrameEdges(dc, inside, edges, outerLight, outerDark);
  if (kind & (kFrameInnerRaised | kFrameInnerSunken)) DrawFrameEdges(dc, inside, edges, innerLight, innerDark);
  if (options & kFrameFillInside) {
    const COLORREF oldBk = SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    Fill(dc, inside);
    SetBkColor(dc, oldBk);
  }
  if (options & kFrameReturnInside) rect = inside;
}
