// A combo box. Transfer moves the selected index (-1 for none) as a 32-bit value.
#pragma once
#include <string>
#include "framework/Control.h"

class TComboBox : public TControl {
public:
  TComboBox(TWindow* parent, int id, int x, int y, int w, int h, DWORD style = CBS_DROPDOWN, UINT textLimit = 0,
            HINSTANCE module = nullptr);
  TComboBox(TWindow* parent, int resourceId, UINT textLimit = 0, HINSTANCE module = nullptr);

  const char* GetClassName() const override { return "COMBOBOX"; }
  void SetupWindow() override;

  int AddString(const char* s) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
  int InsertString(const char* s, int index) {
    return static_cast<int>(SendMessage(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(s)));
  }
  int DeleteString(int index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
  void ClearList() { SendMessage(CB_RESETCONTENT); }
  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  std::string GetString(int index) const;
  int FindExactString(const char* s, int start = -1) const {
    return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, start, reinterpret_cast<LPARAM>(s)));
  }
  LPARAM GetItemData(int index) const { return SendMessage(CB_GETITEMDATA, index); }
  void SetItemData(int index, LPARAM data) { SendMessage(CB_SETITEMDATA, index, data); }
  int GetSelIndex() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  void SetSelIndex(int index) { SendMessage(CB_SETCURSEL, index); }
  void SetText(const char* text) { SetWindowText(text); }
  std::string GetText() const { return GetWindowTextString(); }
  void SetEditSel(int start, int end) { SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end)); }
  void ShowList(bool show = true) { SendMessage(CB_SHOWDROPDOWN, show); }
  UINT GetTextLimit() const { return textLimit_; }
  UINT Transfer(void* buffer, TTransferDirection direction) override;

private:
  UINT textLimit_;
};
