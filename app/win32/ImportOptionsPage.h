// The "Import" options: the controls that show the eight import options (shared by the options
// sheet's "Import" page and the import wizard's first two steps, with the same control ids), and
// the page itself, which reads and writes the "Import" section.
#pragma once
#include "app/win32/QVKPropertyPage.h"
#include "midi/SMFImportInstructions.h"

class TEditNumber;
class TWindow;

// Control ids; a page holds the ones it shows.
enum TImportOptionControl {
  kImportPedalMarks = 101,
  kImportPatchChanges = 102,
  kImportAutoBeam = 103,
  kImportCompoundTime = 104,
  kImportNoteResolution = 105,
  kImportRestResolution = 106,
  kImportExtractChannels = 107,
  kImportMaxChordSize = 108,
};

// The number edit (2 to 127) with its spin button, when the page has control 108; null otherwise.
TEditNumber* AddChordSizeEdit(TWindow& page);
// Fills the two duration lists; then the controls that the page has show / give the options.
void SetupImportOptionControls(HWND page);
void ShowImportOptions(HWND page, const TMidiImportOptions& options, TEditNumber* chordSize);
void TakeImportOptions(HWND page, TMidiImportOptions& options, const TEditNumber* chordSize);

constexpr int kImportOptionsPageId = 603;

class TImportOptionsDlg : public TQVKPropertyPage {
public:
  explicit TImportOptionsDlg(TQVKPropertyDlg* sheet);
  void SetupWindow() override;
  bool Apply() override;

private:
  TEditNumber* chordSize_;
};
