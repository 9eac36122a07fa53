#include "QVKNTN/win32/RequestedFont.h"

HFONT CreateRequestedFont(const FontRequest& request) {
  return CreateFontA(request.height, 0, 0, 0, request.bold ? FW_BOLD : FW_NORMAL, request.italic ? TRUE : FALSE,
                     FALSE, FALSE, static_cast<DWORD>(request.charset), static_cast<DWORD>(request.outPrecision),
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, request.face.c_str());
}
