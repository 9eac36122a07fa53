#include "app/win32/MusicStatusBar.h"

#include <cstdarg>
#include <cstdio>

#include "app/StatusTexts.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordApp.h"
#include "midi/win32/MidiManager.h"

namespace {

HFONT MakeBarFont() {
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

bool IsPlaying() { return gPlayingWindow != nullptr; }

}  // namespace

TMusicStatusBar::TMusicStatusBar(TWindow* parent, bool shading) : TStatusBar95(parent, nullptr), ownFont_(MakeBarFont()) {
  SetFont(ownFont_);
  const TBorder border = shading ? TBorder::Recessed : TBorder::Plain;
  InsertTextGadget(kModePane, 4, TAlign::Center, border);
  InsertTextGadget(kTimePane, 11, TAlign::Center, border);
  InsertTextGadget(kStaffPane, 28, TAlign::Left, border);
}

TMusicStatusBar::~TMusicStatusBar() {
  if (ownFont_) DeleteObject(ownFont_);
}

void TMusicStatusBar::SetShading(bool on) {
  const TBorder border = on ? TBorder::Recessed : TBorder::Plain;
  for (int id : {kModePane, kTimePane, kStaffPane}) SetGadgetBorder(id, border);
}

void TMusicStatusBar::SetupWindow() {
  TStatusBar95::SetupWindow();
  ClearStatusText();
  UpdateTimePane();
}

// Where a formatted text goes: the hint operation, a pane, or the message pane as it is.
void TMusicStatusBar::PutText(TTextTarget target, const char* format, va_list args) {
  char text[kStatusTextSize];
  FormatPaneText(text, target == TTextTarget::Hint ? kStatusTextSize : kPaneTextSize, format, args);
  switch (target) {
    case TTextTarget::Hint:
      SetHintText(text);
      break;
    case TTextTarget::StaffPane:
      SetGadgetText(kStaffPane, text);
      break;
    case TTextTarget::TimePane:
      SetGadgetText(kTimePane, text);
      return;  // the caller repaints
    case TTextTarget::PlainMessage:
      SetMessagePaneText(text);
      break;
  }
  UpdateWindow();
}

void TMusicStatusBar::ShowStatusText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  PutText(TTextTarget::Hint, format, args);
  va_end(args);
}

void TMusicStatusBar::ClearStatusText() {
  SetHintText(nullptr);
  UpdateWindow();
}

void TMusicStatusBar::SetStaffPaneText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  PutText(TTextTarget::StaffPane, format, args);
  va_end(args);
}

void TMusicStatusBar::SetTimePaneText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  PutText(TTextTarget::TimePane, format, args);
  va_end(args);
}

void TMusicStatusBar::SetPlainMessageText(const char* format, ...) {
  va_list args;
  va_start(args, format);
  PutText(TTextTarget::PlainMessage, format, args);
  va_end(args);
}

void TMusicStatusBar::SetMessageText(const char* text) {
  if (text && *text) {
    ShowStatusText("%s", text);
  } else {
    ClearStatusText();
  }
}

void TMusicStatusBar::SetPlayLength(uint32_t lengthMs, uint32_t startPositionMs) {
  playLength_ = lengthMs;
  playStartPosition_ = startPositionMs;
}

void TMusicStatusBar::StartPlayClock() {
  playStart_ = timeGetTime();
  UpdatePlayMode();
}

void TMusicStatusBar::UpdatePlayMode() {
  SetGadgetText(kModePane, PlayModeText(IsPlaying(), gMidiManager && gMidiManager->IsRecording()));
}

void TMusicStatusBar::UpdateTimePane() {
  char text[64];
  if (IsPlaying()) {
    FormatPlayTime(playLength_, playStartPosition_, timeGetTime(), playStart_, text, sizeof text);
  } else {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FormatWallClock(now.wHour, now.wMinute, text, sizeof text);
  }
  SetTimePaneText("%s", text);
  UpdateWindow();
}

void TMusicStatusBar::SetHintId(int id) {
  if (id == 0) {
    ClearHint();
    return;
  }
  hintId_ = id;
}

void TMusicStatusBar::ClearHint() {
  hintId_ = 0;
  ClearStatusText();
}

void TMusicStatusBar::ShowHelpForHint() {
  if (!gApp) return;
  TWindow* main = gApp->GetMainWindow();
  HWND owner = main ? main->GetHandle() : nullptr;
  const int context = HelpContextForHint(hintId_);
  if (context != 0) {
    WinHelpA(owner, gApp->GetHelpFile(), HELP_CONTEXT, static_cast<ULONG_PTR>(context));
  } else {
    WinHelpA(owner, gApp->GetHelpFile(), HELP_CONTENTS, 0);
  }
}
