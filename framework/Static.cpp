#include "framework/Static.h"
#include <cstring>
#include <string>

TStatic::TStatic(TWindow* parent, int id, const char* title, int x, int y, int w, int h, UINT textLimit,
                 HINSTANCE module)
    : TControl(parent, id, title, x, y, w, h, module), textLimit_(textLimit) {
  Attr.style = (Attr.style | SS_LEFT) & ~WS_TABSTOP;
}

TStatic::TStatic(TWindow* parent, int resourceId, UINT textLimit, HINSTANCE module)
    : TControl(parent, resourceId, module), textLimit_(textLimit) {}

int TStatic::GetText(char* buffer, int size) const {
  if (!buffer || size <= 0) return 0;
  buffer[0] = '\0';
  return hwnd_ ? GetWindowTextA(hwnd_, buffer, size) : 0;
}

UINT TStatic::Transfer(void* buffer, TTransferDirection direction) {
  if (textLimit_ == 0) return 0;
  char* text = static_cast<char*>(buffer);
  if (direction == TTransferDirection::Get) {
    GetText(text, static_cast<int>(textLimit_));
  } else {
    // The buffer may not be terminated within the limit: show at most limit - 1 characters.
    std::string s(text, strnlen(text, textLimit_ - 1));
    SetText(s.c_str());
  }
  return textLimit_;
}
