// The lyrics editor's side of a lyric line: a multi-line edit control.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "QVKNTN/LyricText.h"

namespace {

// The line buffer is as long as the longest line, at least this many characters, plus 2.
constexpr int kMinLineBuffer = 126;

}  // namespace

void TLyricText::LoadFromEdit(void* editWindow, bool underscoreIsSpace) {
  HWND edit = static_cast<HWND>(editWindow);
  Clear();
  const int lines = static_cast<int>(SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
  int longest = kMinLineBuffer;
  for (int i = 0; i < lines; ++i) {
    const LRESULT start = SendMessageA(edit, EM_LINEINDEX, i, 0);
    if (start < 0) continue;
    const int n = static_cast<int>(SendMessageA(edit, EM_LINELENGTH, start, 0));
    if (n > longest) longest = n;
  }
  std::vector<char> buffer(static_cast<size_t>(longest) + 2);
  bool previousEmpty = false;
  for (int i = 0; i < lines; ++i) {
    const LRESULT start = SendMessageA(edit, EM_LINEINDEX, i, 0);
    const int expected = start < 0 ? -1 : static_cast<int>(SendMessageA(edit, EM_LINELENGTH, start, 0));
    // EM_GETLINE takes the buffer size in its first word and does not terminate the text.
    *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size() - 1);
    const int got = static_cast<int>(
        SendMessageA(edit, EM_GETLINE, i, reinterpret_cast<LPARAM>(buffer.data())));
    if (expected < 0 || got != expected) {
      char text[96];
      std::snprintf(text, sizeof text, "Error: Error on Line #%d. It has been ignored!", i + 1);
      MessageBoxA(GetParent(edit), text, "Error", MB_OK | MB_ICONEXCLAMATION);
      continue;
    }
    buffer[static_cast<size_t>(got)] = 0;
    previousEmpty = ParseTextLine(buffer.data(), previousEmpty, underscoreIsSpace) == 0;
  }
}

void TLyricText::ShowInEdit(void* editWindow) const {
  std::vector<char> text(kEditBufferSize);
  FormatForEdit(text.data(), kEditBufferSize);
  SetWindowTextA(static_cast<HWND>(editWindow), text.data());
}
