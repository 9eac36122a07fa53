// The editor's status bar: the message pane, the play-mode pane (101), the time pane (102: song
// time while playing, else the wall clock) and the staff pane (103); it also keeps the hint id
// that selects the help topic for F1.
#pragma once
#include <cstdarg>
#include <cstdint>
#include "app/win32/StatusBar95.h"
#include "foundation/MessageBarSink.h"

class TMusicStatusBar : public TStatusBar95, public TMessageBarSink {
public:
  static constexpr int kModePane = 101;
  static constexpr int kTimePane = 102;
  static constexpr int kStaffPane = 103;

  TMusicStatusBar(TWindow* parent, bool shading);
  ~TMusicStatusBar() override;

  void ShowStatusText(const char* format, ...);
  void ClearStatusText();
  void SetStaffPaneText(const char* format, ...);
  void SetTimePaneText(const char* format, ...);
  void SetPlainMessageText(const char* format, ...);
  void SetShading(bool on);

  // Play state of the time pane: the performance length and the position playback started at.
  void SetPlayLength(uint32_t lengthMs, uint32_t startPositionMs);
  void StartPlayClock();
  void UpdatePlayMode();
  void UpdateTimePane();
  uint32_t GetPlayStartTime() const { return playStart_; }

  void SetHintId(int id);
  void ClearHint();
  int GetHintId() const { return hintId_; }
  // Opens help on the topic of the hint id (the contents when there is none).
  void ShowHelpForHint();

  // The settings store's status texts.
  void SetMessageText(const char* text) override;
  void RepaintNow() override { UpdateWindow(); }

  void SetupWindow() override;

private:
  enum class TTextTarget { Hint, StaffPane, TimePane, PlainMessage };
  void PutText(TTextTarget target, const char* format, va_list args);

  HFONT ownFont_;
  uint32_t playStart_ = 0;
  uint32_t playLength_ = 0;
  uint32_t playStartPosition_ = 0;
  int hintId_ = 0;
};
