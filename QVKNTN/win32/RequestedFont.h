// A GDI font made from a drawing kit's font request.
#pragma once

#include <windows.h>

#include "QVKNTN/MusicFontRequests.h"

HFONT CreateRequestedFont(const FontRequest& request);
