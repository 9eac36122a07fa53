#include "editor/win32/WinSaveFiles.h"

#include "QVKNTN/ScoreFile.h"
#include "foundation/win32/FileUtils.h"

bool TWinSaveFiles::Exists(const char* path) { return FileExists(path) != 0; }

bool TWinSaveFiles::WriteScore(const char* path, TMusicScore& score, bool compress, bool autoSave) {
  return SaveScoreFile(path, compress ? 1 : 0, score, autoSave ? skAutoSave : skUserSave) != 0;
}

bool TWinSaveFiles::Move(const char* from, const char* to) { return FileMove(from, to) != 0; }

bool TWinSaveFiles::Remove(const char* path) { return FileDelete(path) != 0; }
