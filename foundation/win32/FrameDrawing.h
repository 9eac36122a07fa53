// One-pixel flat and three-dimensional frames drawn as opaque fills.
#pragma once

#include <windows.h>

// Edge bits of DrawFrameEdges, in the order they are drawn: left and top in the light colour,
// right and bottom in the dark one. Each edge drawn shrinks the rectangle by a pixel on its side.
constexpr UINT kFrameLeft = 0x01;
constexpr UINT kFrameRight = 0x02;
constexpr UINT kFrameTop = 0x04;
constexpr UINT kFrameBottom = 0x08;
constexpr UINT kFrameAll = 0x0F;

void DrawFrameEdges(HDC dc, RECT& rect, UINT edges, COLORREF light, COLORREF dark);

// Draw3DFrame kinds: the inner pair (bits 0-1) and the outer pair (bits 2-3), raised or sunk.
constexpr UINT kFrameInnerRaised = 0x01;
constexpr UINT kFrameInnerSunken = 0x02;
constexpr UINT kFrameOuterRaised = 0x04;
constexpr UINT kFrameOuterSunken = 0x08;
// Draw3DFrame options besides the edge bits 0-3.
constexpr UINT kFrameFillInside = 0x10;
constexpr UINT kFrameReturnInside = 0x20;
constexpr UINT kFrameSwapLights = 0x80;

// The outer pair first, then the inner one, in the button colours. The rectangle is changed to
// what remains inside only with kFrameReturnInside.
void Draw3DFrame(HDC dc, RECT& rect, UINT kind, UINT options);
