// Linked into a test build of the editor in place of the score window, which the file opening
// hands its scores to: a plain MDI child that owns the score and shows in its caption what a test
// needs to see ("<file name> | <title> | <staves> staves | read" or "| imported").
#include <cstdio>
#include <memory>

#include "QVKNTN/MusicScore.h"
#include "app/win32/ScoreWindowSeam.h"
#include "app/win32/ShellGlobals.h"
#include "foundation/PathText.h"
#include "foundation/TextUtils.h"
#include "framework/MDIChild.h"
#include "framework/MDIClient.h"

namespace {

class TStandInScoreWindow : public TMDIChild, public TScoreWindowActions {
public:
  TStandInScoreWindow(TMDIClient& client, const char* caption, TMusicScore* score, const char* path)
      : TMDIChild(client, caption), score_(score) {
    StrCopyMax(path_, path, sizeof path_);
  }
  void FrameAction(int) override {}
  bool HasPath(const char* path) const override { return CompareNoCase(path_, path) == 0; }

private:
  std::unique_ptr<TMusicScore> score_;
  char path_[260];
};

bool OpenStandIn(TMusicScore* score, const char* path, bool imported) {
  if (!gMDIClient) {
    delete score;
    return false;
  }
  char caption[400];
  std::snprintf(caption, sizeof caption, "%s | %s | %d staves | %s", GetFileNamePart(path), score->Info().title,
                score->StaffCount(), imported ? "imported" : "read");
  auto* window = new TStandInScoreWindow(*gMDIClient, caption, score, path);
  if (window->Create()) return true;
  delete window;
  return false;
}

[[maybe_unused]] const bool registered = (gOpenDocumentWindow = OpenStandIn, true);

}  // namespace
