// An edit with two options: the fixed system font, and a caret at the start (instead of the whole
// text selected) when the focus arrives.
#pragma once
#include <cstdint>
#include "framework/Edit.h"

class TQXTEdit : public TEdit {
public:
  static constexpr uint32_t kFixedFont = 0x1;
  static constexpr uint32_t kNoSelectOnFocus = 0x2;

  TQXTEdit(TWindow* parent, int id, const char* text, int x, int y, int w, int h, UINT textLimit = 0,
           bool multiline = false, HINSTANCE module = nullptr);
  TQXTEdit(TWindow* parent, int resourceId, UINT textLimit = 0, HINSTANCE module = nullptr);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;

  // Option bits are numbered from 0: bit 0 kFixedFont, bit 1 kNoSelectOnFocus.
  void SetOption(int bit);
  void ClearOption(int bit) { options_ &= ~(1u << bit); }
  bool HasOption(int bit) const { return (options_ & (1u << bit)) != 0; }
  // Clears the buffer, then reads the window text into it.
  int GetText(char* buffer, int size) const;

  LRESULT EvSetFocus(WPARAM, LPARAM);

private:
  void ApplyFont();

  uint32_t options_ = 0;
};
