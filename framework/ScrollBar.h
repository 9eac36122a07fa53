// A scroll bar control. Transfer moves the position as a 32-bit value. Range and position are
// virtual so that owner-drawn sliders built on it keep their own.
#pragma once
#include "framework/Control.h"

class TScrollBar : public TControl {
public:
  TScrollBar(TWindow* parent, int id, int x, int y, int w, int h, bool horizontal, HINSTANCE module = nullptr);
  TScrollBar(TWindow* parent, int resourceId, HINSTANCE module = nullptr);

  const char* GetClassName() const override { return "SCROLLBAR"; }

  virtual void GetRange(int& min, int& max) const;
  virtual int GetPosition() const;
  virtual void SetRange(int min, int max);
  virtual void SetPosition(int position);
  int LineMagnitude = 1;
  int PageMagnitude = 10;
  UINT Transfer(void* buffer, TTransferDirection direction) override;
};
