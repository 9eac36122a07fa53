#include "app/MusicFontCheck.h"

const char kFontMissingText[] =
    "The QVK true-type font (diru15.ttf) cannot be found on the system.\n\nAttempting to reinstall the font.";
const char kFontStillMissingText[] =
    "The QVK true-type font (diru15.ttf) cannot be found on the system.\n\nThe font was added to your system "
    "during the setup process. It has either been removed, or your system did not accept the new font during "
    "the setup process.\n\nYou can find this font in the same folder as this program. You can correct this "
    "problem by manually installing this font into your system, or by running setup again.";

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
