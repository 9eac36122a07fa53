// The MDI child that holds one open score: it owns the score, its undo ring and the editing view,
// and carries the file commands of that score (Save, Save As with the MIDI export, Revert, Close,
// Info, Refresh), the close confirmation, auto-save and the frame's actions on score windows.
#pragma once

#include <memory>
#include <string>

#include "app/win32/ScoreWindowSeam.h"
#include "foundation/QVBoolArray.h"
#include "editor/PlayPreparation.h"
#include "editor/ScoreEditing.h"
#include "framework/MDIChild.h"

class TMusicScore;
class TScoreMidiPlayer;
class TScoreEdit;
class TUndoActionMgr;

class TScoreWindow : public TMDIChild, public TScoreWindowActions, private TScoreEditing::TModifiedSink {
public:
  TScoreWindow(TMDIClient& client, const char* path, TMusicScore* score);
  ~TScoreWindow() override;

  const char* GetClassName() const override { return "TQVK17ScoreWindow"; }
  void GetWindowClass(WNDCLASSA& wc) override;
  void SetupWindow() override;
  void CleanupWindow() override;
  bool CanClose() override;
  bool Find(TEvent& ev) override;

  void FrameAction(int action) override;
  // Whether the window shows this file (compared without regard to case).
  bool HasPath(const char* path) const override;
  void SetModified() override;
  bool IsModified() const { return modified_; }
  bool IsUntitled() const { return untitled_; }
  const char* GetPath() const { return path_; }
  const char* GetAutoSavePath() const { return autoSavePath_.c_str(); }
  TMusicScore* GetScore() const { return score_; }
  TScoreEdit* GetView() const { return view_; }

  bool Save();
  bool SaveAs();
  void AutoSave();
  void DiscardAutoSave();

  // Play following: the frame hands over the engine's song position while this window plays.
  void FollowPlay(long songPosition);
  void EndPlayFollow();
  // A recording that ended in this window: its parts join the score in the group "Record".
  void ImportRecordingOnStop();

  // Messages and commands.
  LRESULT EvMDIActivate(WPARAM, LPARAM);
  LRESULT EvNCHitTest(WPARAM, LPARAM);
  LRESULT EvSetFocus(WPARAM, LPARAM);
  LRESULT EvSize(WPARAM, LPARAM);
  LRESULT EvGetMinMaxInfo(WPARAM, LPARAM);
  LRESULT EvInit(WPARAM, LPARAM);
  LRESULT EvEnterIdle(WPARAM, LPARAM);
  void CmSave() { Save(); }
  void CmSaveAs() { SaveAs(); }
  void CmExport();
  void CmRevert();
  void CmClose();
  void CmInfo();
  void CmRefresh();
  void CmPageSetup();
  void CmPrint();
  void CmPrintPreview();
  void CmPlay() { Play(TPlayKind::Play); }
  void CmRecord() { Play(TPlayKind::Record); }
  void CmStaffPlay() { Play(TPlayKind::StaffPlay); }
  void CmImportRecording();
  // The window the long-task dialog of a recording's conversion disables.
  TWindow* ProgressOwner();
  void CePlay(TCommandEnabler& ce);
  void CeStaffPlay(TCommandEnabler& ce);
  void CeRevert(TCommandEnabler& ce);
  void CeViewUsable(TCommandEnabler& ce);
  void CeAlways(TCommandEnabler& ce);
  void CeNotPlayingHere(TCommandEnabler& ce);

private:
  // Plays the score (or only the current staff) from the caret or the start; Record plays from
  // the start and records the input meanwhile.
  void Play(TPlayKind kind);
  void StartPlayFollow();
  // Staves added outside the undo ring: the history is cleared, the view shows `current`.
  void TakeNewStaves(int current);
  long PlayStartTick() const;
  bool ConfirmFormatChange();
  void ReportAutoSaveFailure(const char* reason);
  bool ExportMidi(const char* path, int format);
  void SetTitleFromPath();
  void ShowStatus(const char* format, const char* name);

  bool untitled_ = false;
  bool fromAutoSave_ = false;
  bool active_ = false;
  bool minimised_ = false;
  bool maximised_ = false;
  char path_[260] = {};
  std::string autoSavePath_;
  bool changedSinceAutoSave_ = false;
  bool autoSaveWarned_ = false;
  TMusicScore* score_;
  TScoreEdit* view_ = nullptr;
  std::unique_ptr<TUndoActionMgr> undo_;
  // The performance of the last play; its staff cursors follow the song position.
  std::unique_ptr<TScoreMidiPlayer> player_;
  bool following_ = false;
  // The staves that print and preview: every staff until the page setup chooses.
  TQVBoolArray printStaves_;
  bool modified_ = false;
};

// Opens a new score window that owns the score; false (with the score deleted) when no window
// could be made. `recovered` numbers a recovered auto-save copy (1, 2, ...), else 0.
bool OpenScoreWindow(TMusicScore* score, const char* path, int recovered);
