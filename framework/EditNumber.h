// An integer edit with a range, a step and an optional empty state, stepped by keys, wheel and
// its spin button; it refuses to let its dialog close on a number outside the range.
#pragma once
#include <cstdint>
#include <string>
#include "foundation/EditValueRules.h"
#include "framework/QXTEditValue.h"

struct TNumberRange {
  int32_t minimum = 0;
  int32_t maximum = 100;
  int32_t step = 1;
};

class TEditNumber : public TQXTEditValue {
public:
  static constexpr int32_t kEmptyValue = kEmptyNumberValue;
  static constexpr UINT kTextLimit = 7;

  TEditNumber(TWindow* parent, int id, const char* text, int x, int y, int w, int h, const TNumberRange& range,
              HINSTANCE module = nullptr);
  TEditNumber(TWindow* parent, int resourceId, const TNumberRange& range, HINSTANCE module = nullptr);

  bool Find(TEvent& ev) override;
  void Increment(int direction) override;
  int Step(int amount) override { return TQXTEditValue::Step(amount); }
  virtual void SetValue(int32_t value);
  virtual int32_t GetValue() const;
  // The validity test the dialog asks on OK: shows "Value is out of range" when it fails.
  bool CanClose() override;
  UINT Transfer(void* buffer, TTransferDirection direction) override;
  // The ordinary test, then only 2, 4, 8, 16, 32 or 64 ("Value is not valid" otherwise).
  bool IsValidPowerOfTwo();

  void SetRange(int32_t minimum, int32_t maximum, int32_t step);
  void SetStep(int32_t step) { range_.step = step < 1 ? 1 : step; }
  void SetAllowEmpty(bool allow) { allowEmpty_ = allow; }
  const TNumberRange& GetRange() const { return range_; }

  LRESULT EvChar(WPARAM, LPARAM);

private:
  bool Refuse(const char* text);

  TNumberRange range_;
  bool allowEmpty_ = false;
  std::string title_;  // the caption of the validation message
};

// Shows the validation message for a control that refuses its value: the message box (owned by
// the control's dialog frame, the control's title as caption), then the first characters of
// the text selected and the focus on the control.
void ReportInvalidValue(TWindow& control, const std::string& title, const char* text, int selectChars);
