// How a score window puts a score on disk: the new file is written beside the old one under a
// temporary name and replaces it only once it is whole, so a failed write (full disk, read-only
// target) never destroys the only copy; the backup and the auto-save names follow the same rules.
#pragma once

class TMusicScore;

// The file operations saving needs; Win32 answers them from the file system, tests from a fake.
class TSaveFiles {
public:
  virtual ~TSaveFiles() = default;
  virtual bool Exists(const char* path) = 0;
  // Writes the score whole to the path; false on any failure (the path may hold a partial file).
  virtual bool WriteScore(const char* path, TMusicScore& score, bool compress, bool autoSave) = 0;
  // Renames, replacing an existing target in one step.
  virtual bool Move(const char* from, const char* to) = 0;
  virtual bool Remove(const char* path) = 0;
};

enum class TSaveOutcome {
  Saved,
  WriteFailed,    // the score could not be written: the old file is untouched
  BackupDeclined, // the backup failed and the user chose not to save
  ReplaceFailed,  // written, but the old file could not be replaced: it is untouched
};

// The backup's and the temporary file's names: the path with extension ".BAK" / ".$$$".
// False when the name would not fit in a path.
bool MakeBackupPath(const char* path, char (&out)[260]);
bool MakeTemporaryPath(const char* path, char (&out)[260]);

// Saves through a temporary file. With backups the old file becomes the ".BAK" copy; when that
// fails, askSaveAnyway decides (null: save anyway). The score's flags stay as they were unless
// the save succeeded.
TSaveOutcome SaveScoreSafely(TSaveFiles& files, const char* path, TMusicScore& score, bool compress, bool backups,
                             bool (*askSaveAnyway)(void* context), void* context);

// An auto-save copy: written uncompressed through a temporary file the same way.
bool WriteAutoSaveCopy(TSaveFiles& files, const char* path, TMusicScore& score);

// The first free name "qvk%03d.asv" (0..999) in the folder; false when all 1000 exist, so no
// other window's recovery file is ever overwritten.
bool ChooseAutoSaveName(TSaveFiles& files, const char* folder, char (&out)[260]);

// The name Save As offers: a bracketed name without its brackets; a titled path's file name
// without its extension, or whole when the name holds more than one '.'.
void SaveAsInitialName(const char* path, bool untitled, char (&out)[260]);

// The title a window shows: a bracketed name whole, else the file name without extension.
void ScoreWindowTitle(const char* path, char (&out)[260]);
