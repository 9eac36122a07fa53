// A static text control. Transfer (off by default) moves the text as a buffer of the text limit.
#pragma once
#include "framework/Control.h"

class TStatic : public TControl {
public:
  TStatic(TWindow* parent, int id, const char* title, int x, int y, int w, int h, UINT textLimit = 0,
          HINSTANCE module = nullptr);
  TStatic(TWindow* parent, int resourceId, UINT textLimit = 0, HINSTANCE module = nullptr);

  const char* GetClassName() const override { return "STATIC"; }
  UINT GetTextLimit() const { return textLimit_; }
  void SetText(const char* text) { SetWindowText(text); }
  // Copies at most size - 1 characters and a terminating zero; answers the length copied.
  int GetText(char* buffer, int size) const;
  void Clear() { SetText(""); }
  UINT Transfer(void* buffer, TTransferDirection direction) override;

private:
  UINT textLimit_;
};
