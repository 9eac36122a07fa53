#include "app/win32/ImportOptionsPage.h"

#include "foundation/SysInfo.h"
#include "framework/EditNumber.h"
#include "framework/SpinButton.h"
#include "midi/ImportWizardRules.h"

namespace {

struct TFlagControl {
  int id;
  bool TMidiImportOptions::*field;
};
constexpr TFlagControl kFlagControls[] = {
    {kImportPedalMarks, &TMidiImportOptions::pedalMarks},
    {kImportPatchChanges, &TMidiImportOptions::patchChanges},
    {kImportAutoBeam, &TMidiImportOptions::autoBeam},
    {kImportCompoundTime, &TMidiImportOptions::compoundTime},
    {kImportExtractChannels, &TMidiImportOptions::extractChannels},
};

void FillDurations(HWND list, const char* const (&names)[kImportDurationCount]) {
  if (!list) return;
  ::SendMessageA(list, CB_RESETCONTENT, 0, 0);
  for (const char* name : names) ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

void ShowDuration(HWND list, int durationClass) {
  if (list) ::SendMessageA(list, CB_SETCURSEL, WPARAM(durationClass), 0);
}

void TakeDuration(HWND list, int& durationClass) {
  if (!list) return;
  const LRESULT at = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (at >= 0 && at < kImportDurationCount) durationClass = int(at);
}

}  // namespace

TEditNumber* AddChordSizeEdit(TWindow& page) {
  auto* edit = new TEditNumber(&page, kImportMaxChordSize, TNumberRange{kMinMaxChordSize, kMaxMaxChordSize, 1});
  new TSpinButton(edit);
  return edit;
}

void SetupImportOptionControls(HWND page) {
  FillDurations(GetDlgItem(page, kImportNoteResolution), kImportNoteNames);
  FillDurations(GetDlgItem(page, kImportRestResolution), kImportRestNames);
}

void ShowImportOptions(HWND page, const TMidiImportOptions& options, TEditNumber* chordSize) {
  for (const TFlagControl& c : kFlagControls) {
    if (GetDlgItem(page, c.id)) ::CheckDlgButton(page, c.id, options.*c.field ? BST_CHECKED : BST_UNCHECKED);
  }
  ShowDuration(GetDlgItem(page, kImportNoteResolution), options.noteResolution);
  ShowDuration(GetDlgItem(page, kImportRestResolution), options.restResolution);
  if (chordSize) chordSize->SetValue(options.maxChordSize);
}

void TakeImportOptions(HWND page, TMidiImportOptions& options, const TEditNumber* chordSize) {
  for (const TFlagControl& c : kFlagControls) {
    if (GetDlgItem(page, c.id)) options.*c.field = ::IsDlgButtonChecked(page, c.id) == BST_CHECKED;
  }
  TakeDuration(GetDlgItem(page, kImportNoteResolution), options.noteResolution);
  TakeDuration(GetDlgItem(page, kImportRestResolution), options.restResolution);
  if (chordSize) options.maxChordSize = chordSize->GetValue();
}

TImportOptionsDlg::TImportOptionsDlg(TQVKPropertyDlg* sheet)
    : TQVKPropertyPage(sheet, kImportOptionsPageId), chordSize_(AddChordSizeEdit(*this)) {}

void TImportOptionsDlg::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  SetupImportOptionControls(GetHandle());
  TMidiImportOptions options;
  options.Read(GetSysInfo());
  ShowImportOptions(GetHandle(), options, chordSize_);
}

bool TImportOptionsDlg::Apply() {
  TMidiImportOptions options;
  options.Read(GetSysInfo());
  TakeImportOptions(GetHandle(), options, chordSize_);
  options.Write(GetSysInfo());
  return true;
}
