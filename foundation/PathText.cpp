#include "foundation/PathText.h"

#include <cstring>

#include "foundation/TextUtils.h"

size_t GetFileNameOffset(const char* path) {
  const char* slash = std::strrchr(path, '\\');
  return slash ? static_cast<size_t>(slash - path) + 1 : 0;
}

const char* GetFileNamePart(const char* path) { return path + GetFileNameOffset(path); }

size_t GetExtensionOffset(const char* path) {
  const size_t name = GetFileNameOffset(path);
  const char* dot = std::strrchr(path + name, '.');
  return dot ? static_cast<size_t>(dot - path) : std::strlen(path);
}

const char* GetExtensionPart(const char* path) { return path + GetExtensionOffset(path); }

// Appends the texts to the path when all of them fit in kMaxPath characters with the NUL.
static int AppendAll(char* path, const char* first, const char* second) {
  const size_t length = std::strlen(path);
  const size_t a = std::strlen(first), b = std::strlen(second);
  if (length + a + b >= kMaxPath) return 0;
  std::memcpy(path + length, first, a);
  std::memcpy(path + length + a, second, b + 1);
  return 1;
}

int AddDefaultExtension(char* path, const char* extension) {
  if (!path || !extension || !*extension) return 1;
  if (*GetExtensionPart(path)) return 1;
  return AppendAll(path, *extension == '.' ? "" : ".", extension);
}

int ReplaceExtension(char* path, const char* extension) {
  if (!path) return 0;
  const size_t cut = GetExtensionOffset(path);
  if (!extension) {
    path[cut] = '\0';
    return 1;
  }
  const size_t dot = *extension == '.' ? 0 : 1;
  if (cut + dot + std::strlen(extension) >= kMaxPath) return 0;
  path[cut] = '\0';
  return AppendAll(path, dot ? "." : "", extension);
}

int AppendPath(char* directory, const char* name) {
  if (!directory) return 0;
  if (!name) name = "";
  const size_t length = std::strlen(directory);
  const bool needSlash = length > 0 && directory[length - 1] != '\\';
  return AppendAll(directory, needSlash ? "\\" : "", name);
}

static bool IsBareDrive(const char* path) { return IsAlnumChar(path[0]) && !IsDigitChar(path[0]) && path[1] == ':' && !path[2]; }

void PathToDirectory(char* path, bool cutName) {
  if (!path) return;
  if (cutName) {
    char* slash = std::strrchr(path, '\\');
    if (!slash) return;
    slash[1] = '\0';
  }
  const size_t length = std::strlen(path);
  if (length > 0 && path[length - 1] == '\\') path[length - 1] = '\0';
  if (IsBareDrive(path)) std::strcat(path, "\\");
}

int SplitPath(const char* path, char* output, int parts) {
  if (!output) return 0;
  output[0] = '\0';
  if (!path) return 0;
  const size_t name = GetFileNameOffset(path);
  const size_t extension = GetExtensionOffset(path);
  char piece[kMaxPath];
  int ok = 1;
  if (parts & 1) {
    StrCopyMax(piece, path, name + 1 < kMaxPath ? name + 1 : kMaxPath);
    ok &= AppendAll(output, piece, "");
  }
  if ((parts & 2) && path[name]) {
    StrCopyMax(piece, path + name, extension - name + 1 < kMaxPath ? extension - name + 1 : kMaxPath);
    ok &= AppendAll(output, piece, "");
  }
  if (parts & 4) ok &= AppendAll(output, path[extension] ? path + extension : ".", "");
  return ok;
}

const char* GetRelativePath(const char* path, const char* base) {
  if (!path || !base) return nullptr;
  const size_t baseLength = std::strlen(base);
  if (baseLength == 0 || base[baseLength - 1] != '\\' || baseLength >= std::strlen(path)) return nullptr;
  return CompareNoCaseN(path, base, baseLength) == 0 ? path + baseLength : nullptr;
}
