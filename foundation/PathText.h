// Windows path texts (backslash-separated, drive letters, UNC names) taken apart and built up in
// the caller's buffer of kMaxPath characters. A builder whose result would not fit fails
// (answers 0) and leaves the buffer unchanged.
#pragma once

#include <cstddef>

constexpr size_t kMaxPath = 260;

// The extension is the last '.' of the last path component and everything after it.
size_t GetExtensionOffset(const char* path);
const char* GetExtensionPart(const char* path);
// Just after the last backslash; 0 when there is none.
size_t GetFileNameOffset(const char* path);
const char* GetFileNamePart(const char* path);

int AddDefaultExtension(char* path, const char* extension);
int ReplaceExtension(char* path, const char* extension);
int AppendPath(char* directory, const char* name);
// With cutName the path is cut after its last backslash (a path without one is left alone);
// then one trailing backslash goes, except after a bare drive.
void PathToDirectory(char* path, bool cutName);
// Parts: 1 directory with its trailing backslash, 2 name without extension, 4 extension with its
// '.' (a lone '.' when there is none). The output holds kMaxPath characters.
int SplitPath(const char* path, char* output, int parts);
// The rest of the path after the base (which ends with a backslash), or null.
const char* GetRelativePath(const char* path, const char* base);
