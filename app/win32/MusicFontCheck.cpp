#include "app/win32/MusicFontCheck.h"

#include <windows.h>

#include "QVKNTN/win32/MusicFontFile.h"

const char kFontMissingText[] =
    "The QVK true-type font (diru15.ttf) cannot be found on the system.\n\nAttempting to reinstall the font.";
const char kFontStillMissingText[] =
    "The QVK true-type font (diru15.ttf) cannot be found on the system.\n\nThe font was added to your system "
    "during the setup process. It has either been removed, or your system did not accept the new font during "
    "the setup process.\n\nYou can find this font in the same folder as this program. You can correct this "
    "problem by manually installing this font into your system, or by running setup again.";

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

bool EnsureMusicFont(const char* programFolder, const TMusicFontCheckSeam& seam) {
  if (seam.isInstalled()) return true;
  seam.addFont(programFolder);
  seam.box(kFontMissingText);
  if (!seam.isInstalled()) {
    seam.box(kFontStillMissingText);
    return false;
  }
  seam.announce();
  return true;
}
