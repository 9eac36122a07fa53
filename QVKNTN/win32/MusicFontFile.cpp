#include "QVKNTN/win32/MusicFontFile.h"

#include <windows.h>
#include <cstdio>
#include <cstring>

#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/win32/RequestedFont.h"

namespace {

bool JoinPath(char* out, std::size_t size, const char* folder, const char* tail) {
  std::size_t len = std::strlen(folder);
  const char* separator = len > 0 && (folder[len - 1] == '\\' || folder[len - 1] == '/') ? "" : "\\";
  int n = std::snprintf(out, size, "%s%s%s", folder, separator, tail);
  return n >= 0 && static_cast<std::size_t>(n) < size;
}

bool IsFile(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Two names of one file: copying a file onto itself would truncate it on some systems, so the
// start-up treats that copy as failed without trying it.
bool SamePath(const char* a, const char* b) {
  char fullA[MAX_PATH], fullB[MAX_PATH];
  DWORD na = GetFullPathNameA(a, MAX_PATH, fullA, nullptr);
  DWORD nb = GetFullPathNameA(b, MAX_PATH, fullB, nullptr);
  if (na == 0 || na >= MAX_PATH || nb == 0 || nb >= MAX_PATH) return lstrcmpiA(a, b) == 0;
  return lstrcmpiA(fullA, fullB) == 0;
}

}  // namespace

bool IsMusicFontInstalled() {
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  HFONT font = CreateRequestedFont(MusicFontRequests::InstalledCheck());
  char face[LF_FACESIZE] = {};
  if (font) {
    HGDIOBJ old = SelectObject(screen, font);
    GetTextFaceA(screen, sizeof face, face);
    SelectObject(screen, old);
    DeleteObject(font);
  }
  ReleaseDC(nullptr, screen);
  return lstrcmpA(face, MusicGlyphs::kFaceName) == 0;
}

bool ChooseMusicFontResource(const char* programFolder, const char* windowsFolder, char* name,
                             std::size_t size) {
  char source[MAX_PATH], target[MAX_PATH];
  if (!JoinPath(source, sizeof source, programFolder, MusicGlyphs::kFileName)) return false;
  char fonts[MAX_PATH];
  bool haveTarget = windowsFolder[0] != '\0' && JoinPath(fonts, sizeof fonts, windowsFolder, "Fonts") &&
                    JoinPath(target, sizeof target, fonts, MusicGlyphs::kFileName);
  bool inFonts = haveTarget && (IsFile(target) ||
                                (!SamePath(source, target) && CopyFileA(source, target, FALSE)));
  const char* chosen = inFonts ? MusicGlyphs::kFileName : source;
  int n = std::snprintf(name, size, "%s", chosen);
  return n >= 0 && static_cast<std::size_t>(n) < size;
}

int AddMusicFontResource(const char* programFolder) {
  char windows[MAX_PATH];
  UINT n = GetWindowsDirectoryA(windows, sizeof windows);
  if (n == 0 || n >= sizeof windows) windows[0] = '\0';
  char name[MAX_PATH];
  if (!ChooseMusicFontResource(programFolder, windows, name, sizeof name)) return 0;
  int added = AddFontResourceA(name);
  if (added > 0) ForgetFontMappings();
  return added;
}

void ForgetFontMappings() {
  // Wine remembers the faces of the last ten released fonts by their request; asking for more
  // distinct fonts than that pushes the stale answer for "DIRU15" out. Windows maps afresh anyway.
  constexpr int kRequests = 16;
  HDC screen = GetDC(nullptr);
  if (!screen) return;
  for (int i = 0; i < kRequests; ++i) {
    HFONT font = CreateFontA(-(1000 + i), 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    if (!font) continue;
    HGDIOBJ old = SelectObject(screen, font);
    SelectObject(screen, old);
    DeleteObject(font);
  }
  ReleaseDC(nullptr, screen);
}
