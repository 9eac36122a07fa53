// The modeless box shown while a score prints: the document's name and a Cancel button that
// stops the job at its next band. It greys its Close item and disables its owner meanwhile.
#pragma once
#include <windows.h>

class TPrintCancelDialog {
public:
  TPrintCancelDialog(HWND owner, const char* documentName, volatile bool* abortFlag);
  ~TPrintCancelDialog();
  TPrintCancelDialog(const TPrintCancelDialog&) = delete;
  TPrintCancelDialog& operator=(const TPrintCancelDialog&) = delete;

  HWND GetHandle() const { return hwnd_; }

private:
  static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND owner_;
  HWND hwnd_ = nullptr;
  volatile bool* abort_;
};

// Lets the application work off its waiting messages (the cancel box's among them).
void PumpWaitingMessages(HWND dialog);
