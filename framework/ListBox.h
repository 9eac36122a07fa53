// A list box. Transfer moves the selected index (-1 for none) as a 32-bit value.
#pragma once
#include <string>
#include "framework/Control.h"

class TListBox : public TControl {
public:
  TListBox(TWindow* parent, int id, int x, int y, int w, int h, HINSTANCE module = nullptr);
  TListBox(TWindow* parent, int resourceId, HINSTANCE module = nullptr);

  const char* GetClassName() const override { return "LISTBOX"; }

  int AddString(const char* s) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
  int InsertString(const char* s, int index) {
    return static_cast<int>(SendMessage(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(s)));
  }
  int DeleteString(int index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
  void ClearList() { SendMessage(LB_RESETCONTENT); }
  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  std::string GetString(int index) const;
  int FindExactString(const char* s, int start = -1) const {
    return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, start, reinterpret_cast<LPARAM>(s)));
  }
  LPARAM GetItemData(int index) const { return SendMessage(LB_GETITEMDATA, index); }
  void SetItemData(int index, LPARAM data) { SendMessage(LB_SETITEMDATA, index, data); }
  // Single-selection lists.
  int GetSelIndex() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  void SetSelIndex(int index) { SendMessage(LB_SETCURSEL, index); }
  // Multiple-selection lists.
  bool GetSel(int index) const { return SendMessage(LB_GETSEL, index) > 0; }
  void SetSel(int index, bool select) { SendMessage(LB_SETSEL, select, index); }
  int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
  int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
  UINT Transfer(void* buffer, TTransferDirection direction) override;
};
