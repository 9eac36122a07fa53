// The earlier line checks for the music font only: setup installed it, and a font that is missing
// now is reported with what the user can do about it; nothing is copied into the Fonts folder.
#include "app/MusicFontCheck.h"

const char kFontMissingText[] =
    "The QVK true-type font (diru15.ttf) cannot be found on the system.\n\nThe font was added to your system "
    "during the setup process. It has either been removed, or your system did not accept the new font during "
    "the setup process.\n\nWindows does not support an unlimited number of fonts. You may have too many fonts "
    "installed on your system, thus causing the addition of the font to fail when setup was run. In this case, "
    "you need to remove some of your fonts from your system, and then run setup again.";
// The earlier line has the one message.
const char kFontStillMissingText[] = "";

bool EnsureMusicFont(const char*, const TMusicFontCheckSeam& seam) {
  if (seam.isInstalled()) return true;
  seam.box(kFontMissingText);
  return false;
}
