// Opening a file: the one routine that the File Open command, the file history, DDE, the command
// line and dropped files all end in (a window that already shows the file is brought forward,
// Standard MIDI Files go to the import, score files to the reader), and the loading of a score
// file with its status messages and the repair of a file damaged by a text-mode transfer. The
// frame carries each step out through TFileOpenHost; the order, the rules and the texts live here.
#pragma once
#include <memory>

class TMusicScore;
struct TScoreLoadInfo;

// How a file came to be opened; passed through to the import and the reader's callers. The
// command line's mode is kOpenModeCommandLine (FrameFlow.h).
constexpr int kOpenModeFileOpen = 1;
constexpr int kOpenModeHistory = 2;
constexpr int kOpenModeImport = 4;
constexpr int kOpenModeDde = 5;
constexpr int kOpenModeDropped = 7;

class TFileOpenHost {
public:
  virtual ~TFileOpenHost() = default;

  // Brings forward the window that shows this file (path compared without regard to case) unless
  // it is already the active one; false when no window shows it.
  virtual bool ActivateWindowShowing(const char* path) = 0;
  virtual void ShowStatus(const char* text) = 0;
  // A "File Open" box with the exclamation icon: the string-table text with the file-name part
  // and, where the text has a second field, `detail`.
  virtual void ShowFileMessage(unsigned textId, const char* fileName, const char* detail) = 0;
  // The "Improper File Translation" question; true for Yes.
  virtual bool AskRepairTranslation(const char* fileName) = 0;
  // The notice that a file uses experimental features.
  virtual void ShowExperimentalNotice(const char* fileName) = 0;
  virtual bool IsExperimentalActive() const = 0;
  virtual bool UsesExperimentalFeatures(const TMusicScore& score) const = 0;

  // The Standard MIDI File import; null when it yields no score (it shows its own messages).
  virtual std::unique_ptr<TMusicScore> ImportMidiFile(const char* path, int mode) = 0;
  // The score reader; fills the load information.
  virtual std::unique_ptr<TMusicScore> ReadScore(const char* path, TScoreLoadInfo& info) = 0;
  // A new, empty temporary file in the system's temporary folder, named with the prefix "qvk".
  virtual bool MakeTemporaryFile(char (&path)[260]) = 0;
  virtual void RemoveFile(const char* path) = 0;

  // A new score window that owns the score, shown under `path`; `imported` when the score came
  // from a Standard MIDI File.
  virtual void OpenScoreWindow(std::unique_ptr<TMusicScore> score, const char* path, bool imported) = 0;
};

extern const char kImportingFileText[];
extern const char kLoadingFileText[];
extern const char kCheckingTranslationText[];
extern const char kCreatingRepairText[];
extern const char kLoadingRepairText[];

void RunOpenDocumentFile(TFileOpenHost& host, const char* path, int mode);
// The score of a score file, or null after the message that says why; the repaired copy of a
// damaged file never stays on disk.
std::unique_ptr<TMusicScore> RunLoadScoreFile(TFileOpenHost& host, const char* path, int mode);
