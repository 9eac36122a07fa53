// A check box. Transfer moves its state (BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE) as a
// 32-bit value.
#pragma once
#include "framework/Button.h"

class TCheckBox : public TButton {
public:
  TCheckBox(TWindow* parent, int id, const char* text, int x, int y, int w, int h, HINSTANCE module = nullptr);
  TCheckBox(TWindow* parent, int resourceId, HINSTANCE module = nullptr);

  UINT GetCheck() const { return static_cast<UINT>(SendMessage(BM_GETCHECK)); }
  void SetCheck(UINT state) { SendMessage(BM_SETCHECK, state); }
  void Check() { SetCheck(BST_CHECKED); }
  void Uncheck() { SetCheck(BST_UNCHECKED); }
  void Toggle() { SetCheck(GetCheck() == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED); }
  UINT Transfer(void* buffer, TTransferDirection direction) override;
};
