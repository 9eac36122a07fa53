#include "foundation/win32/FileUtils.h"

#include <windows.h>

#include <cstring>

#include "foundation/TextUtils.h"

static bool SameName(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }

int FileExists(const char* path) {
  if (!path) return 0;
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && attributes != 0 && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int IsDirectory(const char* path) {
  if (!path) return 0;
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int IsReadOnlyFile(const char* path) {
  if (!FileExists(path)) return 0;
  return (GetFileAttributesA(path) & FILE_ATTRIBUTE_READONLY) ? 1 : 0;
}

int FileDelete(const char* path) { return path && DeleteFileA(path) ? 1 : 0; }
int CreateDir(const char* path) { return path && CreateDirectoryA(path, nullptr) ? 1 : 0; }
int RemoveDir(const char* path) { return path && RemoveDirectoryA(path) ? 1 : 0; }

int GetCurrentDir(char* buffer) {
  if (!buffer) return 0;
  const DWORD n = GetCurrentDirectoryA(kMaxPath, buffer);
  if (n == 0 || n >= kMaxPath) {
    buffer[0] = '\0';
    return 0;
  }
  return 1;
}

int FileCopy(const char* source, const char* target) {
  if (!source || !target || SameName(source, target)) return 0;
  return CopyFileA(source, target, FALSE) ? 1 : 0;
}

int FileMove(const char* source, const char* target) {
  if (!source || !target || SameName(source, target)) return 0;
  // Deleting the target first and then moving would lose it whenever the move fails; the
  // replacing move keeps the old target until the new one is in place.
  return MoveFileExA(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
}

int MoveFileAs(const char* path, const char* directory, const char* extension) {
  if (!path) return 0;
  if (!FileExists(path)) return 1;
  char target[kMaxPath];
  if (directory) {
    StrCopyMax(target, directory, kMaxPath);
    if (std::strlen(directory) >= kMaxPath || !AppendPath(target, GetFileNamePart(path))) return 0;
  } else {
    if (std::strlen(path) >= kMaxPath) return 0;
    StrCopyMax(target, path, kMaxPath);
  }
  if (extension && !ReplaceExtension(target, extension)) return 0;
  if (SameName(target, path)) return 0;
  return FileMove(path, target);
}

int MakeFullPath(char* path) {
  if (!path) return 0;
  if (std::strchr(path, '\\') || (path[0] && path[1] == ':')) return 1;
  char full[kMaxPath];
  if (!GetCurrentDir(full) || !AppendPath(full, path)) return 0;
  std::strcpy(path, full);
  return 1;
}

int GetShortPath(const char* longPath, char* output) {
  if (!longPath || !output) return 0;
  const DWORD n = GetShortPathNameA(longPath, output, kMaxPath);
  if (n > 0 && n < kMaxPath) return 1;
  StrCopyMax(output, longPath, kMaxPath);
  return 0;
}

int GetTrueFileName(const char* path, char* output) {
  if (!path || !output) return 0;
  StrCopyMax(output, path, kMaxPath);
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA(path, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  FindClose(search);
  const size_t name = GetFileNameOffset(output);
  if (name + std::strlen(found.cFileName) >= kMaxPath) return 0;
  std::strcpy(output + name, found.cFileName);
  return 1;
}

TCurrentDirSaver::TCurrentDirSaver() : Saved(new char[kMaxPath]) { GetCurrentDir(Saved); }

TCurrentDirSaver::~TCurrentDirSaver() {
  if (Saved[0]) SetCurrentDirectoryA(Saved);
  delete[] Saved;
}
