#include "app/win32/SystemFontSeam.h"

#include <windows.h>

#include "QVKNTN/win32/MusicFontFile.h"

namespace {

void FontErrorBox(const char* text) {
  MessageBoxA(nullptr, text, "Font Error", MB_TASKMODAL | MB_ICONEXCLAMATION | MB_OK);
}

void AnnounceFontChange() {
  // A hung top-level window must not stop the start-up.
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
}

}  // namespace

TMusicFontCheckSeam SystemMusicFontSeam() {
  return {&IsMusicFontInstalled, &AddMusicFontResource, &FontErrorBox, &AnnounceFontChange};
}
