// The common part of child controls: built at a position, or taken over from a dialog template
// by its control id.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include "framework/Window.h"

class TControl : public TWindow {
public:
  TControl(TWindow* parent, int id, const char* title, int x, int y, int w, int h, HINSTANCE module = nullptr);
  // Takes over the control with this id when the parent dialog is set up.
  TControl(TWindow* parent, int resourceId, HINSTANCE module = nullptr);

protected:
  // Moves one 32-bit value between the transfer buffer and the control; answers its size.
  template <class Get, class Set>
  static UINT TransferInt32(void* buffer, TTransferDirection direction, Get get, Set set) {
    int32_t v;
    if (direction == TTransferDirection::Get) {
      v = static_cast<int32_t>(get());
      std::memcpy(buffer, &v, sizeof v);
    } else {
      std::memcpy(&v, buffer, sizeof v);
      set(v);
    }
    return sizeof v;
  }
  // The text of a list item through the control's length and text messages.
  std::string ItemText(UINT lengthMsg, UINT textMsg, int index) const;
};
