// The options sheet (569): seven pages, those whose bit of the caller's mask is clear added
// disabled; every page applies and saves its settings when OK takes it; Cancel reads "Close" once
// a page has been chosen.
#pragma once
#include "app/OptionPages.h"
#include "app/win32/QVKPropertyDlg.h"

class TVellichordFrame;

class TOptionsSheet : public TQVKPropertyDlg {
public:
  TOptionsSheet(TWindow* parent, unsigned mask, TOptionsHost& host);
};

// The options of the running editor: the application's option block, staff colours and folders,
// and the frame's score windows.
class TShellOptionsHost : public TOptionsHost {
public:
  explicit TShellOptionsHost(TVellichordFrame* frame) : frame_(frame) {}
  TAppOptions& Options() override;
  void SaveSettings() override;
  uint32_t GetStaffColor(int i) const override;
  void SetStaffColor(int i, uint32_t color) override;
  void SaveStaffColors() override;
  void ForEachScoreWindow(int action) override;
  bool GetFolder(int n, char (&out)[260]) override;
  void SetFolder(int n, const char* path) override;
  void SetRememberedFolder(int n, const char* folder) override;

private:
  TVellichordFrame* frame_;
  TAppOptions fallback_;  // while no application object exists
};

// Command 36 and the MIDI device warnings: the sheet on the frame, the status bar's hint the
// command's while it is open; a device question names the page it opens on. Answers how the
// sheet ended.
int ShowOptionsSheet(TVellichordFrame* frame, unsigned mask);
int ShowOptionsSheet(TVellichordFrame* frame, unsigned mask, TOptionPage startPage);
