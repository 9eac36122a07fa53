#include "app/FileOpening.h"

#include <cstdio>
#include <cstring>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreFile.h"
#include "app/FrameFlow.h"
#include "app/StatusTexts.h"
#include "foundation/CrLfRepair.h"
#include "foundation/PathText.h"
#include "foundation/TextUtils.h"
#include "foundation/VersionText.h"
#include "resources/StringIds.h"

const char kImportingFileText[] = "Importing file: %s";
const char kLoadingFileText[] = "Loading file: %s";
const char kCheckingTranslationText[] = "Checking file for improper binary to ascii conversion";
const char kCreatingRepairText[] = "Creating a temporary binary version of the file";
const char kLoadingRepairText[] = "Loading the temporary version of the file";

namespace {

void ShowNamedStatus(TFileOpenHost& host, const char* format, const char* path) {
  char text[kStatusTextSize];
  std::snprintf(text, sizeof text, format, GetFileNamePart(path));
  host.ShowStatus(text);
}

// The file's base name: no folder, no extension.
void BaseName(const char* path, char (&out)[kMaxPath]) {
  if (!SplitPath(path, out, 2)) out[0] = '\0';
}

// A file damaged by a text-mode transfer is offered for repair; on Yes the score read so far
// gives way to the one read from a repaired temporary copy.
void OfferTranslationRepair(TFileOpenHost& host, const char* path, std::unique_ptr<TMusicScore>& score,
                            TScoreLoadInfo& info) {
  host.ShowStatus(kCheckingTranslationText);
  if (!IsCrLfTranslated(path) || !host.AskRepairTranslation(GetFileNamePart(path))) return;
  host.ShowStatus(kCreatingRepairText);
  score.reset();
  char temporary[kMaxPath] = {};
  if (!host.MakeTemporaryFile(temporary)) return;
  if (UndoCrLfTranslation(path, temporary)) {
    host.ShowStatus(kLoadingRepairText);
    info.Clear();
    score = host.ReadScore(temporary, info);
  }
  host.RemoveFile(temporary);
}

}  // namespace

void RunOpenDocumentFile(TFileOpenHost& host, const char* path, int mode) {
  if (!path || !*path) return;
  if (host.ActivateWindowShowing(path)) return;

  std::unique_ptr<TMusicScore> score;
  bool imported = false;
  switch (ClassifyDocumentPath(path)) {
    case TDocumentKind::MidiFile: {
      ShowNamedStatus(host, kImportingFileText, path);
      score = host.ImportMidiFile(path, mode);
      if (score) {
        char title[kMaxPath];
        BaseName(path, title);
        StrCopyMax(score->Info().title, title, sizeof score->Info().title);
      }
      imported = true;
      break;
    }
    case TDocumentKind::Score:
      ShowNamedStatus(host, kLoadingFileText, path);
      score = RunLoadScoreFile(host, path, mode);
      break;
    case TDocumentKind::Unknown: {
      const char* extension = GetExtensionPart(path);
      host.ShowFileMessage(IDS_FILE_TYPE_UNKNOWN, GetFileNamePart(path),
                           extension[0] == '.' ? extension + 1 : extension);
      return;
    }
  }
  if (!score) return;
  host.OpenScoreWindow(std::move(score), path, imported);
}

std::unique_ptr<TMusicScore> RunLoadScoreFile(TFileOpenHost& host, const char* path, int mode) {
  if (mode == kOpenModeImport || !path) return nullptr;
  TScoreLoadInfo info;
  info.Clear();
  std::unique_ptr<TMusicScore> score = host.ReadScore(path, info);
  if (info.status == slNotRecognised || info.status == slStreamFailed) OfferTranslationRepair(host, path, score, info);

  char version[64];
  FormatVersion(version, sizeof version, info.release, info.field5, 0);
  const char* name = GetFileNamePart(path);
  switch (info.status) {
    case slNewScore:
    case slRead:
    case slConverted:
      if (score && !host.IsExperimentalActive() && host.UsesExperimentalFeatures(*score)) {
        host.ShowExperimentalNotice(name);
      }
      return score;
    case slTooNew:
      host.ShowFileMessage(IDS_FILE_NEWER_VERSION, name, version);
      return nullptr;
    case slBadHeaderField:
      host.ShowFileMessage(IDS_FILE_FROM_NEWER_APP, name, nullptr);
      return nullptr;
    case slWrongProduct:
      host.ShowFileMessage(IDS_FILE_CANNOT_LOAD, name, nullptr);
      return nullptr;
    case slStreamFailed:
      // The user carries on with what was read.
      host.ShowFileMessage(IDS_FILE_LOAD_ERROR, name, nullptr);
      return score;
    default:
      host.ShowFileMessage(IDS_FILE_OPEN_FAILED, name, nullptr);
      return nullptr;
  }
}
