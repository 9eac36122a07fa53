// One page of a property sheet: a child dialog inside the sheet's tab strip. It forwards OK and
// Cancel to its sheet, cancels the sheet on Escape in an edit, and carries context help.
#pragma once
#include <string>
#include "framework/Dialog.h"

class TQVPropertyDialog;
class TQVPropertyTab;

struct THelpPair {
  DWORD controlId;
  DWORD context;
};

class TQVPropertyPage : public TDialog {
public:
  TQVPropertyPage(TQVPropertyDialog* sheet, int resourceId, HINSTANCE module = nullptr);
  ~TQVPropertyPage() override;

  bool EvInitDialog(HWND) override { return false; }
  bool PreProcessMsg(MSG& msg) override;
  bool Find(TEvent& ev) override;
  void CmOk() override;
  void CmCancel() override;

  // -1 is this page.
  virtual bool SelectPage(int index);
  virtual bool NextPage();
  virtual bool PreviousPage();
  virtual void Activated() {}
  virtual void TabRightClicked(UINT keys, const POINT& point) {}
  virtual bool CanLeave() { return CanClose(); }
  virtual void LeaveRefused() {}
  virtual bool IsPageValid() { return true; }
  virtual void MakeCurrent();
  // Takes the controls' data into the transfer buffer.
  virtual bool Apply();

  void EnableTab(int index, bool enable);
  bool IsTabEnabled(int index) const;
  const char* GetTabCaption(int index) const;
  void SetTabCaption(int index, const char* text);

  int MessageBox(const char* text, const char* caption, UINT flags);
  // "Program Message" with the information icon.
  int MessageBoxF(const char* format, ...);
  HWND GetFrameWindow() const;

  TQVPropertyDialog* GetSheet() const { return sheet_; }
  int GetIndex() const { return index_; }
  void SetSheet(TQVPropertyDialog* sheet, int index) {
    sheet_ = sheet;
    index_ = index;
  }
  void SetHelp(const THelpPair* table, const char* file);
  const THelpPair* GetHelpTable() const { return helpTable_; }
  const char* GetHelpFile() const { return helpFile_.c_str(); }

  // The page's first tab stop (the one after its last child) and last (before its first child).
  static HWND FirstTabStop(HWND page);
  static HWND LastTabStop(HWND page);

  LRESULT EvSysCommand(WPARAM, LPARAM);
  LRESULT EvCtlColor(WPARAM, LPARAM);
  LRESULT EvContextMenu(WPARAM, LPARAM);

private:
  int Resolve(int index) const { return index < 0 ? index_ : index; }
  TQVPropertyTab* Strip() const;

  TQVPropertyDialog* sheet_;
  int index_ = -1;
  const THelpPair* helpTable_;
  std::string helpFile_ = "help.hlp";
};
