// Where a window goes when it is centred over an area and kept on the screen.
#pragma once

#include "foundation/PlainGeometry.h"

// Centred over the area; then pulled back to end at the screen's right and bottom edges, never
// past position 0.
TIntPoint CenteredPosition(const TIntRect& area, int windowWidth, int windowHeight, int screenWidth,
                           int screenHeight);
