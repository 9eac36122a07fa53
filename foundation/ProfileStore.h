// The INI file as the settings store uses it. On Windows these are the profile functions; the
// host build reads and writes the same file form itself so the settings logic runs natively.
#pragma once

// Copies the value (or the default when the key is absent) into the buffer, at most size - 1
// characters, terminated; answers the number of characters copied.
int ProfileReadString(const char* file, const char* section, const char* key, const char* defaultText,
                      char* buffer, int size);
// A null value deletes the key, a null key the whole section. Answers true on success.
bool ProfileWriteString(const char* file, const char* section, const char* key, const char* value);
// Writes out any cached contents of the file.
void ProfileFlush(const char* file);
