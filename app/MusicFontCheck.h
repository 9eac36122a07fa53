// The start-up check that the music font is on the system, with its reinstall from the program
// folder and the two "Font Error" messages.
#pragma once

struct TMusicFontCheckSeam {
  bool (*isInstalled)();
  // Copies the font into the Fonts folder where needed and adds it.
  int (*addFont)(const char* programFolder);
  void (*box)(const char* text);
  void (*announce)();  // tells every top-level window that the fonts changed
};

// True when the font is there, at once or after the reinstall; false after the second message.
bool EnsureMusicFont(const char* programFolder, const TMusicFontCheckSeam& seam);

extern const char kFontMissingText[];
extern const char kFontStillMissingText[];
