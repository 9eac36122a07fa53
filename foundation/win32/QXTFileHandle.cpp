#include "foundation/QXTFileHandle.h"

#include <windows.h>

namespace {
HANDLE AsHandle(TQXTFileHandle file) { return reinterpret_cast<HANDLE>(file); }
}  // namespace

TQXTFileHandle QXTFileOpen(const char* path, int mode) {
  DWORD access = GENERIC_READ;
  DWORD disposition = OPEN_EXISTING;
  if (mode & 2) {
    access |= GENERIC_WRITE;
    if (!(mode & 1)) {
      access = GENERIC_WRITE;
      disposition = CREATE_ALWAYS;
    }
  }
  DWORD share = 0;
  if (mode & 4) share |= FILE_SHARE_READ;
  if (mode & 8) share |= FILE_SHARE_WRITE;
  HANDLE h = CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return kQXTNoFile;
  return reinterpret_cast<TQXTFileHandle>(h);
}

void QXTFileClose(TQXTFileHandle file) { CloseHandle(AsHandle(file)); }

uint32_t QXTFileRead(TQXTFileHandle file, void* buffer, uint32_t count) {
  DWORD got = 0;
  if (!ReadFile(AsHandle(file), buffer, count, &got, nullptr)) return 0;
  return got;
}

uint32_t QXTFileWrite(TQXTFileHandle file, const void* data, uint32_t count) {
  DWORD put = 0;
  if (!WriteFile(AsHandle(file), data, count, &put, nullptr)) return 0;
  return put;
}

int64_t QXTFileSeek(TQXTFileHandle file, int64_t distance, bool fromCurrent) {
  LARGE_INTEGER move;
  move.QuadPart = distance;
  LARGE_INTEGER landed;
  if (!SetFilePointerEx(AsHandle(file), move, &landed, fromCurrent ? FILE_CURRENT : FILE_BEGIN))
    return -1;
  return landed.QuadPart;
}

int64_t QXTFileSize(TQXTFileHandle file) {
  DWORD high = 0;
  DWORD low = GetFileSize(AsHandle(file), &high);
  if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return -1;
  return (static_cast<int64_t>(high) << 32) | low;
}

bool QXTFileGetDosDateTime(TQXTFileHandle file, uint32_t& value) {
  value = 0;
  FILETIME written, local;
  WORD date = 0, time = 0;
  if (!GetFileTime(AsHandle(file), nullptr, nullptr, &written)) return false;
  if (!FileTimeToLocalFileTime(&written, &local)) return false;
  if (!FileTimeToDosDateTime(&local, &date, &time)) return false;
  value = (static_cast<uint32_t>(date) << 16) | time;
  return true;
}

bool QXTFileSetDosDateTime(TQXTFileHandle file, uint32_t value) {
  FILETIME local, utc;
  if (!DosDateTimeToFileTime(static_cast<WORD>(value >> 16), static_cast<WORD>(value), &local))
    return false;
  if (!LocalFileTimeToFileTime(&local, &utc)) return false;
  return SetFileTime(AsHandle(file), &utc, &utc, &utc) != 0;
}
