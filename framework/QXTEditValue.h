// An edit bound to a value that is stepped up and down by the arrow keys, the mouse wheel and
// the spin button beside it.
#pragma once
#include "framework/QXTEdit.h"

class TSpinButton;

class TQXTEditValue : public TQXTEdit {
public:
  TQXTEditValue(TWindow* parent, int id, const char* text, int x, int y, int w, int h, UINT textLimit,
                HINSTANCE module = nullptr);
  TQXTEditValue(TWindow* parent, int resourceId, UINT textLimit, HINSTANCE module = nullptr);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;

  // One step in the direction (+1 up, -1 down).
  virtual void Increment(int direction) = 0;
  // A wheel or scroll amount: one step its way; answers 0.
  virtual int Step(int amount);

  TSpinButton* GetSpinButton() const { return spin_; }
  // Edit and spin button together.
  bool EnableWindow(bool enable) const;
  bool ShowWindow(int cmd) const;

  LRESULT EvSize(WPARAM, LPARAM);
  LRESULT EvKeyDown(WPARAM, LPARAM);
  LRESULT EvMouseWheel(WPARAM, LPARAM);

private:
  TSpinButton* spin_;
};
