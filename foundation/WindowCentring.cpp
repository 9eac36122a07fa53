#include "foundation/WindowCentring.h"

TIntPoint CenteredPosition(const TIntRect& area, int windowWidth, int windowHeight, int screenWidth,
                           int screenHeight) {
  TIntPoint p{area.left + (area.Width() - windowWidth) / 2, area.top + (area.Height() - windowHeight) / 2};
  if (p.x + windowWidth > screenWidth) p.x = screenWidth - windowWidth;
  if (p.y + windowHeight > screenHeight) p.y = screenHeight - windowHeight;
  if (p.x < 0) p.x = 0;
  if (p.y < 0) p.y = 0;
  return p;
}
