// Message boxes: texts from the string table (a caption id and consecutive text ids joined into
// one printf format) and plain formatted boxes. Building a box's caption and text is separate
// from showing it, so the words a call would show can be checked without a window.
#pragma once

#include <windows.h>

#include <cstdarg>

constexpr int kMessageCaptionSize = 128;
constexpr int kMessageTextSize = 1024;
constexpr int kFormattedTextSize = 512;

struct TMessageBoxRequest {
  HWND Owner = nullptr;
  UINT Style = 0;
  char Caption[kMessageCaptionSize] = {};
  char Text[kMessageTextSize] = {};
};

// Caption and text of a string-table message; false when the caption or any text is missing
// or the joined texts do not fit one format.
bool BuildTableMessage(HWND window, UINT style, UINT captionId, UINT firstTextId, int textCount, va_list args,
                       TMessageBoxRequest& request);
// The formatted box: text cut to 511 characters; without a window it is task-modal.
void BuildFormattedMessage(HWND window, UINT style, const char* caption, const char* format, va_list args,
                           TMessageBoxRequest& request);
int ShowMessageBoxRequest(const TMessageBoxRequest& request);

// Exported by the program under this name. Answers the box's result, or 0 when a resource is
// missing and no box was shown.
extern "C" __declspec(dllexport) int xMBLMessage(HWND window, UINT style, UINT captionId, UINT firstTextId,
                                                 int textCount, va_list args);
int MBLMessage(HWND window, UINT style, UINT captionId, UINT textId, ...);
int MBLMessageN(HWND window, UINT style, UINT captionId, UINT firstTextId, int textCount, ...);

int MessageBoxF(HWND window, UINT style, const char* caption, const char* format, ...);
int MessageBoxV(HWND window, UINT style, const char* caption, const char* format, va_list args);
int InformationBox(HWND window, const char* format, ...);
// Owned by the application's main window (task-modal while there is none).
int InformationMessage(const char* format, ...);

// The first window from this one up its parent chain with a border or dialog frame; the window
// itself when none has.
HWND FindFrameWindow(HWND window);

// The application's main window, which owns the boxes that name no window of their own.
void SetMessageMainWindow(HWND window);
HWND GetMessageMainWindow();
