#include "framework/QXTStatic.h"

#include <cstdarg>
#include <cstring>

#include "foundation/BoundedFormat.h"
#include "foundation/PathText.h"

TQXTStatic::TQXTStatic(TWindow* parent, int id, const char* title, int x, int y, int w, int h, UINT textLimit,
                       HINSTANCE module)
    : TStatic(parent, id, title, x, y, w, h, textLimit, module) {}

TQXTStatic::TQXTStatic(TWindow* parent, int resourceId, UINT textLimit, HINSTANCE module)
    : TStatic(parent, resourceId, textLimit, module) {}

void TQXTStatic::SetupWindow() {
  TStatic::SetupWindow();
  ShowPath();
}

void TQXTStatic::SetPathText(const char* path, TPathShow mode) {
  path_ = path ? path : "";
  mode_ = mode;
  hasPath_ = path != nullptr;
  if (GetHandle()) ShowPath();
}

void TQXTStatic::ShowPath() {
  if (!hasPath_) return;
  if (mode_ == TPathShow::WholePath) {
    SetText(path_.c_str());
    return;
  }
  // The file name without folder and extension.
  std::string name = path_.substr(GetFileNameOffset(path_.c_str()));
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  SetText(name.c_str());
}

void TQXTStatic::SetTextF(const char* format, ...) {
  char text[kFormatSize];
  va_list args;
  va_start(args, format);
  FormatBoundedV(text, sizeof text, format, args);
  va_end(args);
  SetText(text);
}

void TQXTStatic::SetPointerTransfer() {
  pointerTransfer_ = true;
  Attr.style |= SS_NOTIFY;
  EnableTransfer();
  if (GetHandle()) SetWindowLongA(GetHandle(), GWL_STYLE, GetStyle() | SS_NOTIFY);
}

UINT TQXTStatic::Transfer(void* buffer, TTransferDirection direction) {
  if (!pointerTransfer_) return TStatic::Transfer(buffer, direction);
  // A pointer's size: 4 bytes in the shipped 32-bit program.
  const char* text = nullptr;
  if (direction == TTransferDirection::Set) {
    std::memcpy(&text, buffer, sizeof text);
    SetText(text ? text : "");
  }
  return sizeof text;
}
