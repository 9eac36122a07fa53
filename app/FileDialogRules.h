// The rules behind the editor's Open and Save dialogs: the platform flags, the folder part of a
// chosen path, the filter text, and the Save dialog's default extension that follows the chosen
// file type.
#pragma once
#include <cstddef>

constexpr unsigned long kOfnShowHelp = 0x10;
constexpr unsigned long kOfnExplorer = 0x80000;
constexpr unsigned long kOfnEnableSizing = 0x800000;
// Hide read-only, path must exist, file must exist.
constexpr unsigned long kOpenDialogFlags = 0x1804;
constexpr std::size_t kDefaultExtensionSize = 65;

extern const char kOpenDialogFilter[];

struct TPlatformVersion {
  int major;
  int minor;
  bool nt;
};

// Explorer style above major version 3; sizing on the Windows 95 family from 4.10 and on NT from
// 5; never the Help button.
unsigned long FileDialogStyle(unsigned long flags, const TPlatformVersion& version);

// The folder part of a path (without a trailing backslash, except after a bare drive); false
// when the path has no folder part.
bool FolderOfPath(const char* path, char (&folder)[260]);

// "name|pattern|name|pattern|" as the system wants it: every '|' a zero, ending in two zeros.
// False when it does not fit.
bool FilterToSystem(const char* filter, char* out, std::size_t size);
// The pattern of filter pair `index` (1-based) of a "|"-separated filter; null when none.
bool FilterPattern(const char* filter, int index, char (&pattern)[260]);

// The default extension a filter pattern gives: from its third character up to the first ';',
// at most 64 characters; empty when the pattern is shorter than 3 or that text still holds a
// wildcard.
void DefaultExtensionFromPattern(const char* pattern, char (&extension)[kDefaultExtensionSize]);
// A typed file name given the new extension: everything after its last dot replaced. False (and
// the name unchanged) when the name is empty, has no dot or the result would not fit.
bool ReplaceNameExtension(char (&name)[260], const char* extension);
