#include "app/win32/OptionsSheet.h"

#include "app/win32/ImportOptionsPage.h"
#include "app/win32/MidiOptionsPages.h"
#include "app/win32/MusicStatusBar.h"
#include "app/win32/OptionsPages.h"
#include "app/win32/ShellGlobals.h"
#include "app/win32/VellichordApp.h"
#include "app/win32/VellichordFrame.h"
#include "resources/CommandIds.h"

TOptionsSheet::TOptionsSheet(TWindow* parent, unsigned mask, TOptionsHost& host)
    : TQVKPropertyDlg(parent, kOptionsSheetId, kOptionsSheetId) {
  SetRenameCancel(true);
  auto enabled = [mask](TOptionPage page) { return IsOptionPageEnabled(page, mask); };
  auto caption = [](TOptionPage page) { return kOptionPages[static_cast<int>(page)].caption; };
  AddPage(caption(TOptionPage::kColor), new TColorOptionsDlg(this, host), enabled(TOptionPage::kColor));
  AddPage(caption(TOptionPage::kEditor), new TEditOptionsDlg(this, host), enabled(TOptionPage::kEditor));
  AddPage(caption(TOptionPage::kFile), new TFileOptionsDlg(this, host), enabled(TOptionPage::kFile));
  AddPage(caption(TOptionPage::kFolders), new TFoldersOptionsDlg(this, host), enabled(TOptionPage::kFolders));
  AddPage(caption(TOptionPage::kImport), new TImportOptionsDlg(this), enabled(TOptionPage::kImport));
  AddPage(caption(TOptionPage::kMidi), new TMidiOptionsDlg(this, host), enabled(TOptionPage::kMidi));
  AddPage(caption(TOptionPage::kRecord), new TRecordOptionsDlg(this, host), enabled(TOptionPage::kRecord));
}

TAppOptions& TShellOptionsHost::Options() { return gApp ? gApp->Options() : fallback_; }

void TShellOptionsHost::SaveSettings() {
  if (gApp) gApp->SaveSettings();
}

uint32_t TShellOptionsHost::GetStaffColor(int i) const { return gApp ? gApp->StaffColors().GetColor(i) : 0; }

void TShellOptionsHost::SetStaffColor(int i, uint32_t color) {
  if (gApp) gApp->StaffColors().SetColor(i, color);
}

void TShellOptionsHost::SaveStaffColors() {
  if (gApp) gApp->StaffColors().Save("StaffColors");
}

void TShellOptionsHost::ForEachScoreWindow(int action) {
  if (frame_) frame_->ForEachScoreWindow(nullptr, action);
}

bool TShellOptionsHost::GetFolder(int n, char (&out)[260]) { return gApp && gApp->GetFolder(n, out); }

void TShellOptionsHost::SetFolder(int n, const char* path) {
  if (gApp) gApp->SetFolder(n, path);
}

void TShellOptionsHost::SetRememberedFolder(int n, const char* folder) {
  if (gApp) gApp->SetRememberedFolder(n, folder);
}

namespace {
int RunOptionsSheet(TVellichordFrame* frame, unsigned mask, const TOptionPage* startPage) {
  TMusicStatusBar* bar = frame ? frame->GetStatusBar() : nullptr;
  const int previousHint = bar ? bar->GetHintId() : 0;
  if (bar) bar->SetHintId(CM_OPTIONS);
  TShellOptionsHost host(frame);
  TOptionsSheet sheet(frame, mask, host);
  if (startPage) sheet.SelectPage(static_cast<int>(*startPage));
  const int result = sheet.Execute();
  if (bar) bar->SetHintId(previousHint);
  return result;
}
}  // namespace

int ShowOptionsSheet(TVellichordFrame* frame, unsigned mask) { return RunOptionsSheet(frame, mask, nullptr); }

int ShowOptionsSheet(TVellichordFrame* frame, unsigned mask, TOptionPage startPage) {
  return RunOptionsSheet(frame, mask, &startPage);
}
