// The base of the editor's plain modal dialogs: the Help button (id 9), F1 and context help
// through a table of control ids and help contexts, the optional light font, centring on the
// screen, and the application's idle step while the dialog waits.
#pragma once
#include "framework/Dialog.h"
#include "framework/PropertyPage.h"

class TMCTDialog : public TDialog {
public:
  static constexpr int kHelpButton = 9;

  TMCTDialog(TWindow* parent, int resourceId, HINSTANCE module = nullptr);
  // Owned by the main frame (none while there is no frame), from the program's resources.
  explicit TMCTDialog(int resourceId);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;

  int GetHelpId() const { return helpId_; }
  // Set: the dialog stays where its resource puts it.
  void SetKeepPosition(bool keep) { keepPosition_ = keep; }
  bool GetKeepPosition() const { return keepPosition_; }
  // Pairs ending with {0, 0}; an empty table unless the dialog sets its own.
  void SetHelpTable(const THelpPair* table);
  const THelpPair* GetHelpTable() const { return helpTable_; }

  void CmHelp();
  LRESULT EvEnterIdle(WPARAM, LPARAM);
  LRESULT EvHelp(WPARAM, LPARAM);
  LRESULT EvContextMenu(WPARAM, LPARAM);

private:
  int helpId_;
  bool keepPosition_ = false;
  const THelpPair* helpTable_;
};

// The dialogs' shared help and look, also used by the property-sheet bases.
namespace dialog_base {
// The status bar shows the help id as its hint, opens help for it and restores its hint.
void ShowHelpForId(int helpId);
const char* HelpFile();
// "DlgUseLightFont": every child window of the dialog, recursively, gets the light font.
bool UseLightFont();
void ApplyLightFont(HWND dialog);
void CentreOnScreen(HWND dialog);
}  // namespace dialog_base
