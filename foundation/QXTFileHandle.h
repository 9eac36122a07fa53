// The platform seam for the file stream: plain file-handle calls, Win32 handles on Windows and
// POSIX descriptors natively, so the stream's logic is the same code in both builds.
#pragma once

#include <cstdint>

using TQXTFileHandle = intptr_t;
constexpr TQXTFileHandle kQXTNoFile = -1;  // INVALID_HANDLE_VALUE, or no descriptor

// Mode bits: 1 read, 2 write, 4 share reading, 8 share writing. Write without read creates or
// truncates; read (with or without write) needs an existing file; no bit at all means read.
TQXTFileHandle QXTFileOpen(const char* path, int mode);
void QXTFileClose(TQXTFileHandle file);
// Both answer the bytes moved, 0 on error or at the end of the file.
uint32_t QXTFileRead(TQXTFileHandle file, void* buffer, uint32_t count);
uint32_t QXTFileWrite(TQXTFileHandle file, const void* data, uint32_t count);
// Moves the file pointer from the start (or from the current position); answers the new
// position, or -1 when the move is refused.
int64_t QXTFileSeek(TQXTFileHandle file, int64_t distance, bool fromCurrent);
// Answers the file size, or -1 on error.
int64_t QXTFileSize(TQXTFileHandle file);
// The last-write time in local time as a packed DOS value (date << 16 | time).
bool QXTFileGetDosDateTime(TQXTFileHandle file, uint32_t& value);
// Sets creation, access and last-write time from a packed local DOS value.
bool QXTFileSetDosDateTime(TQXTFileHandle file, uint32_t value);
