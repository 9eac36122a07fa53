#include "foundation/QXTFileHandle.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

// Share modes have no POSIX counterpart; the native build serves tests and fuzzing only.
TQXTFileHandle QXTFileOpen(const char* path, int mode) {
  int flags = O_RDONLY;
  if (mode & 2) flags = (mode & 1) ? O_RDWR : (O_WRONLY | O_CREAT | O_TRUNC);
  int fd = ::open(path, flags | O_CLOEXEC, 0644);
  if (fd < 0) return kQXTNoFile;
  struct stat st;
  if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {  // CreateFile refuses folders too
    ::close(fd);
    return kQXTNoFile;
  }
  return fd;
}

void QXTFileClose(TQXTFileHandle file) { ::close(static_cast<int>(file)); }

uint32_t QXTFileRead(TQXTFileHandle file, void* buffer, uint32_t count) {
  char* p = static_cast<char*>(buffer);
  uint32_t done = 0;
  while (done < count) {
    ssize_t n = ::read(static_cast<int>(file), p + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<uint32_t>(n);
  }
  return done;
}

uint32_t QXTFileWrite(TQXTFileHandle file, const void* data, uint32_t count) {
  const char* p = static_cast<const char*>(data);
  uint32_t done = 0;
  while (done < count) {
    ssize_t n = ::write(static_cast<int>(file), p + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<uint32_t>(n);
  }
  return done;
}

int64_t QXTFileSeek(TQXTFileHandle file, int64_t distance, bool fromCurrent) {
  off_t landed = ::lseek(static_cast<int>(file), static_cast<off_t>(distance), fromCurrent ? SEEK_CUR : SEEK_SET);
  return landed < 0 ? -1 : static_cast<int64_t>(landed);
}

int64_t QXTFileSize(TQXTFileHandle file) {
  struct stat st;
  if (::fstat(static_cast<int>(file), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

// DOS dates run from 1980 to 2107 with two-second steps, like FileTimeToDosDateTime.
bool QXTFileGetDosDateTime(TQXTFileHandle file, uint32_t& value) {
  value = 0;
  struct stat st;
  if (::fstat(static_cast<int>(file), &st) != 0) return false;
  time_t t = st.st_mtime;
  struct tm local;
  if (::localtime_r(&t, &local) == nullptr) return false;
  const int year = local.tm_year + 1900;
  if (year < 1980 || year > 2107) return false;
  const uint32_t date = ((year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday;
  const uint32_t time = (local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2);
  value = (date << 16) | time;
  return true;
}

bool QXTFileSetDosDateTime(TQXTFileHandle file, uint32_t value) {
  const uint32_t date = value >> 16;
  const uint32_t time = value & 0xFFFF;
  struct tm local = {};
  local.tm_year = static_cast<int>((date >> 9) + 1980 - 1900);
  local.tm_mon = static_cast<int>(((date >> 5) & 15)) - 1;
  local.tm_mday = static_cast<int>(date & 31);
  local.tm_hour = static_cast<int>(time >> 11);
  local.tm_min = static_cast<int>((time >> 5) & 63);
  local.tm_sec = static_cast<int>((time & 31) * 2);
  local.tm_isdst = -1;
  if (local.tm_mon < 0 || local.tm_mon > 11 || local.tm_mday < 1 || local.tm_hour > 23 ||
      local.tm_min > 59 || local.tm_sec > 59)
    return false;
  time_t t = ::mktime(&local);
  if (t == static_cast<time_t>(-1)) return false;
  struct timespec times[2];
  times[0].tv_sec = t;
  times[0].tv_nsec = 0;
  times[1] = times[0];
  return ::futimens(static_cast<int>(file), times) == 0;
}
