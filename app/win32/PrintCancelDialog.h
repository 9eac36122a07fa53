// The modeless box shown while a score prints: the document's name and a Cancel button that
// stops the job at its next band. It greys its Close item and disables its owner meanwhile.
#pragma once
#include <windows.h>

#include "app/win32/MCTDialog.h"

class TPrintCancelDialog : public TMCTDialog {
public:
  static constexpr int kResourceId = 530;

  // Shown at once; the owner is disabled until the box goes.
  TPrintCancelDialog(HWND owner, const char* documentName, volatile bool* abortFlag);
  ~TPrintCancelDialog() override;
  TPrintCancelDialog(const TPrintCancelDialog&) = delete;
  TPrintCancelDialog& operator=(const TPrintCancelDialog&) = delete;

  void SetupWindow() override;
  // Cancel sets the abort flag; the print loop takes the box down.
  void CmCancel() override;

private:
  HWND owner_;
  const char* name_;
  volatile bool* abort_;
};

// Lets the application work off its waiting messages (the cancel box's among them).
void PumpWaitingMessages(HWND dialog);
