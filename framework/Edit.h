// An edit control. Transfer moves the text as a buffer of the text limit (limit - 1 characters
// and a terminating zero).
#pragma once
#include "framework/Static.h"

class TEdit : public TStatic {
public:
  TEdit(TWindow* parent, int id, const char* text, int x, int y, int w, int h, UINT textLimit = 0,
        bool multiline = false, HINSTANCE module = nullptr);
  TEdit(TWindow* parent, int resourceId, UINT textLimit = 0, HINSTANCE module = nullptr);

  const char* GetClassName() const override { return "EDIT"; }
  void SetupWindow() override;

  void SetSelection(int start, int end) { SendMessage(EM_SETSEL, start, end); }
  void GetSelection(int& start, int& end) const;
  void SetTextLimit(UINT limit);
  bool IsModified() const { return SendMessage(EM_GETMODIFY) != 0; }
  void ClearModify() { SendMessage(EM_SETMODIFY, FALSE); }
  void Insert(const char* text) { SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text)); }
};
