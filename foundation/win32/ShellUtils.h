// The shell: opening a document or web page, choosing a folder, making a shortcut.
#pragma once

#include <windows.h>
#include <shellapi.h>

// The request ShellOpen hands to ShellExecuteEx: verb "open", SW_SHOWDEFAULT.
void InitShellOpenInfo(SHELLEXECUTEINFOA& info, const char* path);
// Opens a path or URL with its program; when that fails, says so and tries again as an HTML
// file. Answers whether one of the two worked.
bool ShellOpen(const char* path);
// Lets the user choose a folder, starting at the folder the buffer (260 characters) names when
// it exists; the chosen folder's path replaces the buffer. Answers whether one was chosen.
bool BrowseForFolder(HWND window, char* path);
// Writes a shortcut to the target with its arguments and description. COM must be initialised
// by the caller.
bool CreateShellLink(const char* linkFile, const char* target, const char* arguments, const char* description);
