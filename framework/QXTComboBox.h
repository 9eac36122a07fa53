// A combo box with the extended user interface (Down opens the list), an item list given at
// construction, and transfer by selection index or as a number checked against a range.
#pragma once
#include <cstdint>
#include "framework/ComboBox.h"

enum class TComboTransfer { Framework = 0, Index = 1, Number = 2 };

struct TComboArgs {
  DWORD style = CBS_DROPDOWNLIST;
  UINT textLimit = 0;
  // Zero-terminated strings ending with an empty one ("a\0b\0\0"); read at set-up only.
  const char* items = nullptr;
};

class TQXTComboBox : public TComboBox {
public:
  TQXTComboBox(TWindow* parent, int id, int x, int y, int w, int h, const TComboArgs& args = {},
               HINSTANCE module = nullptr);
  // With an item list the transfer moves the selection index.
  TQXTComboBox(TWindow* parent, int resourceId, const TComboArgs& args = {}, HINSTANCE module = nullptr);

  void SetupWindow() override;
  bool CanClose() override;
  UINT Transfer(void* buffer, TTransferDirection direction) override;

  void SetTransferMode(TComboTransfer mode) { mode_ = mode; }
  TComboTransfer GetTransferMode() const { return mode_; }
  // Sets the number mode.
  void SetNumericRange(int32_t minimum, int32_t maximum);
  // "%d" of from, from + step, ... while not above to.
  void AddNumbers(int from, int to, int step);
  int32_t GetNumber() const;
  void SetNumber(int32_t value);
  bool IsNumberValid() const;

private:
  TComboTransfer mode_;
  int32_t minimum_ = 0;
  int32_t maximum_ = 0;
  const char* items_;
};
