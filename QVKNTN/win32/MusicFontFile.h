// The music font as a file on the system: whether a request for the face "DIRU15" finds it, and
// adding it from the program folder the way the start-up does when it does not.
#pragma once
#include <cstddef>

// True when "DIRU15" asked for by name in a screen context really selects that face.
bool IsMusicFontInstalled();

// The name to give AddFontResource for the font file: the bare file name when the Windows Fonts
// folder holds the file (already, or after copying it there from the program folder), else the
// program folder's file. False when the path does not fit the buffer.
bool ChooseMusicFontResource(const char* programFolder, const char* windowsFolder, char* name,
                             std::size_t size);

// Copies the font into the Fonts folder where needed and adds it; answers AddFontResource's count.
int AddMusicFontResource(const char* programFolder);

// Makes the system forget which face it gave to recent font requests, so that a request repeated
// after adding a font can find it (Wine answers a repeated request from memory otherwise).
void ForgetFontMappings();
