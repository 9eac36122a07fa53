// The data files that sit in the help file's folder ("toolbars.dat", "qvktips.tip"): a name
// joined to the folder part of the help file's path.
#pragma once

// Answers false (and an empty path) when the help file names no folder or the result would not
// fit 260 characters.
bool PathBesideHelpFile(const char* helpFile, const char* name, char (&path)[260]);
