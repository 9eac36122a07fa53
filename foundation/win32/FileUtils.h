// File operations over Windows paths of at most kMaxPath characters: existence and attribute
// tests, copy, move and delete, folders, the current folder, and the forms of a name on disk.
#pragma once

#include "foundation/PathText.h"

int FileExists(const char* path);
int IsDirectory(const char* path);
int IsReadOnlyFile(const char* path);
int FileDelete(const char* path);
int CreateDir(const char* path);
int RemoveDir(const char* path);
int GetCurrentDir(char* buffer);

// Both refuse a source and target that name the same file (compared without case).
int FileCopy(const char* source, const char* target);
// Replaces the target in one step: when the move fails the target is still there.
int FileMove(const char* source, const char* target);
// Moves the file into the directory (ending with a backslash) and/or to a new extension;
// 1 when the file does not exist, 0 when nothing would change.
int MoveFileAs(const char* path, const char* directory, const char* extension);

// Prefixes a bare name with the current folder; 0 when the result would not fit.
int MakeFullPath(char* path);
int GetShortPath(const char* longPath, char* output);
int GetTrueFileName(const char* path, char* output);

// Keeps the current folder of its construction and makes it current again when it goes.
class TCurrentDirSaver {
 public:
  TCurrentDirSaver();
  ~TCurrentDirSaver();
  TCurrentDirSaver(const TCurrentDirSaver&) = delete;
  TCurrentDirSaver& operator=(const TCurrentDirSaver&) = delete;

 private:
  char* Saved;
};
