#include "editor/SaveRules.h"

#include <cstdio>
#include <cstring>

#include "QVKNTN/MusicScore.h"
#include "foundation/PathText.h"

namespace {

bool CopyPath(const char* path, char (&out)[260]) {
  const std::size_t n = std::strlen(path);
  if (n >= sizeof out) return false;
  std::memcpy(out, path, n + 1);
  return true;
}

bool WithExtension(const char* path, const char* extension, char (&out)[260]) {
  return CopyPath(path, out) && ReplaceExtension(out, extension) != 0;
}

}  // namespace

bool MakeBackupPath(const char* path, char (&out)[260]) { return WithExtension(path, "BAK", out); }

bool MakeTemporaryPath(const char* path, char (&out)[260]) { return WithExtension(path, "$$$", out); }

TSaveOutcome SaveScoreSafely(TSaveFiles& files, const char* path, TMusicScore& score, bool compress, bool backups,
                             bool (*askSaveAnyway)(void* context), void* context) {
  char temp[260], backup[260];
  if (!MakeTemporaryPath(path, temp) || !MakeBackupPath(path, backup)) return TSaveOutcome::WriteFailed;
  const unsigned char flags = score.GetFlags();
  if (!files.WriteScore(temp, score, compress, false)) {
    files.Remove(temp);
    score.SetFlags(flags);
    return TSaveOutcome::WriteFailed;
  }
  bool backedUp = false;
  if (backups && files.Exists(path)) {
    backedUp = files.Move(path, backup);
    if (!backedUp && askSaveAnyway && !askSaveAnyway(context)) {
      files.Remove(temp);
      score.SetFlags(flags);
      return TSaveOutcome::BackupDeclined;
    }
  }
  if (!files.Move(temp, path)) {
    // The old file goes back where it was; the written copy is dropped.
    if (backedUp) files.Move(backup, path);
    files.Remove(temp);
    score.SetFlags(flags);
    return TSaveOutcome::ReplaceFailed;
  }
  return TSaveOutcome::Saved;
}

bool WriteAutoSaveCopy(TSaveFiles& files, const char* path, TMusicScore& score) {
  char temp[260];
  if (!MakeTemporaryPath(path, temp)) return false;
  if (!files.WriteScore(temp, score, false, true)) {
    files.Remove(temp);
    return false;
  }
  if (files.Move(temp, path)) return true;
  files.Remove(temp);
  return false;
}

bool ChooseAutoSaveName(TSaveFiles& files, const char* folder, char (&out)[260]) {
  for (int i = 0; i < 1000; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "qvk%03d.asv", i);
    if (!CopyPath(folder, out) || !AppendPath(out, name)) return false;
    if (!files.Exists(out)) return true;
  }
  out[0] = '\0';
  return false;
}

void SaveAsInitialName(const char* path, bool untitled, char (&out)[260]) {
  out[0] = '\0';
  if (untitled) {
    const char* start = path[0] == '<' ? path + 1 : path;
    std::snprintf(out, sizeof out, "%s", start);
    const std::size_t n = std::strlen(out);
    if (n > 0 && out[n - 1] == '>') out[n - 1] = '\0';
    return;
  }
  const char* name = GetFileNamePart(path);
  std::snprintf(out, sizeof out, "%s", name);
  const char* first = std::strchr(out, '.');
  if (first && first == std::strrchr(out, '.')) out[first - out] = '\0';
}

void ScoreWindowTitle(const char* path, char (&out)[260]) {
  if (path[0] == '<') {
    std::snprintf(out, sizeof out, "%s", path);
    return;
  }
  std::snprintf(out, sizeof out, "%s", GetFileNamePart(path));
  out[GetExtensionOffset(out)] = '\0';
}
