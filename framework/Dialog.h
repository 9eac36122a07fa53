// A dialog box from a dialog resource, modal (Execute, run in the application's modal loop) or
// modeless (Create). Its controls can be taken over by control objects constructed with the
// control's resource id; their data moves between the controls and the transfer buffer when the
// dialog is set up and when it ends with OK.
#pragma once
#include "framework/Window.h"

class TDialog : public TWindow {
public:
  TDialog(TWindow* parent, LPCSTR resource, HINSTANCE module = nullptr);
  TDialog(TWindow* parent, int resourceId, HINSTANCE module = nullptr)
      : TDialog(parent, MAKEINTRESOURCEA(resourceId), module) {}

  // Runs the dialog modally; answers the value it ended with, -1 when it could not be created.
  virtual int Execute();
  bool Create() override;
  bool IsModal() const { return modal_; }

  // OK: asks CanClose, takes the controls' data into the transfer buffer, then ends with IDOK.
  virtual void CmOk();
  virtual void CmCancel();
  // Ends the dialog with the value after CanClose (IDOK also transfers the data).
  virtual void CloseWindow(int retValue = IDCANCEL);
  // Ends a modal dialog with the value, or destroys a modeless one.
  void Destroy(int retVal = IDCANCEL) override;

  bool Find(TEvent& ev) override;
  bool PreProcessMsg(MSG& msg) override;
  // Answer of WM_INITDIALOG: true lets the system put the focus on the first control.
  virtual bool EvInitDialog(HWND defaultFocus) { return true; }

protected:
  LRESULT ReceiveMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  HWND PerformCreate() override;

private:
  LPCSTR resource_;
  bool modal_ = false;
};
