#include "foundation/win32/MessageBoxes.h"

#include <cstdio>
#include <cstring>

#include "foundation/ResourceStrings.h"
#include "foundation/TextUtils.h"

static HWND mainWindow = nullptr;

void SetMessageMainWindow(HWND window) { mainWindow = window; }
HWND GetMessageMainWindow() { return mainWindow; }

HWND FindFrameWindow(HWND window) {
  for (HWND w = window; w; w = GetParent(w)) {
    if (GetWindowLongA(w, GWL_STYLE) & (WS_BORDER | WS_DLGFRAME)) return w;
  }
  return window;
}

bool BuildTableMessage(HWND window, UINT style, UINT captionId, UINT firstTextId, int textCount, va_list args,
                       TMessageBoxRequest& request) {
  request = TMessageBoxRequest();
  if (LoadResourceText(captionId, request.Caption, kMessageCaptionSize) <= 0) return false;
  char format[kMessageTextSize] = "";
  size_t used = 0;
  for (int i = 0; i < textCount; ++i) {
    char text[kMessageTextSize];
    const int n = LoadResourceText(firstTextId + static_cast<UINT>(i), text, kMessageTextSize);
    if (n <= 0) return false;
    // A format cut short could end inside a conversion and misread the arguments: refuse it.
    if (used + static_cast<size_t>(n) >= sizeof format) return false;
    std::memcpy(format + used, text, static_cast<size_t>(n) + 1);
    used += static_cast<size_t>(n);
  }
  std::vsnprintf(request.Text, kMessageTextSize, format, args);
  request.Owner = FindFrameWindow(window);
  request.Style = style;
  return true;
}

void BuildFormattedMessage(HWND window, UINT style, const char* caption, const char* format, va_list args,
                           TMessageBoxRequest& request) {
  request = TMessageBoxRequest();
  StrCopyMax(request.Caption, caption, kMessageCaptionSize);
  if (format) std::vsnprintf(request.Text, kFormattedTextSize, format, args);
  if (window) {
    request.Owner = FindFrameWindow(window);
    request.Style = style;
  } else {
    request.Style = style | MB_TASKMODAL;
  }
}

int ShowMessageBoxRequest(const TMessageBoxRequest& request) {
  return MessageBoxExA(request.Owner, request.Text, request.Caption, request.Style, 0);
}

extern "C" int xMBLMessage(HWND window, UINT style, UINT captionId, UINT firstTextId, int textCount, va_list args) {
  TMessageBoxRequest request;
  if (!BuildTableMessage(window, style, captionId, firstTextId, textCount, args, request)) return 0;
  return ShowMessageBoxRequest(request);
}

int MBLMessage(HWND window, UINT style, UINT captionId, UINT textId, ...) {
  va_list args;
  va_start(args, textId);
  const int result = xMBLMessage(window, style, captionId, textId, 1, args);
  va_end(args);
  return result;
}

int MBLMessageN(HWND window, UINT style, UINT captionId, UINT firstTextId, int textCount, ...) {
  va_list args;
  va_start(args, textCount);
  const int result = xMBLMessage(window, style, captionId, firstTextId, textCount, args);
  va_end(args);
  return result;
}

int MessageBoxV(HWND window, UINT style, const char* caption, const char* format, va_list args) {
  TMessageBoxRequest request;
  BuildFormattedMessage(window, style, caption, format, args, request);
  return ShowMessageBoxRequest(request);
}

int MessageBoxF(HWND window, UINT style, const char* caption, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = MessageBoxV(window, style, caption, format, args);
  va_end(args);
  return result;
}

int InformationBox(HWND window, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = MessageBoxV(window, MB_ICONINFORMATION, "Information", format, args);
  va_end(args);
  return result;
}

int InformationMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = MessageBoxV(mainWindow, MB_ICONINFORMATION, "Information", format, args);
  va_end(args);
  return result;
}
