// A real-number edit with a range, a step and a number of decimals shown, stepped by keys,
// wheel and its spin button; it refuses to let its dialog close on a value outside the range.
#pragma once
#include <string>
#include "framework/QXTEditValue.h"

struct TRealRange {
  float minimum = 0.0f;
  float maximum = 100.0f;
  float step = 1.0f;
  int decimals = 1;
};

class TEditRealNumber : public TQXTEditValue {
public:
  static constexpr UINT kTextLimit = 20;

  TEditRealNumber(TWindow* parent, int id, const char* text, int x, int y, int w, int h, const TRealRange& range,
                  HINSTANCE module = nullptr);
  TEditRealNumber(TWindow* parent, int resourceId, const TRealRange& range, HINSTANCE module = nullptr);

  bool Find(TEvent& ev) override;
  void Increment(int direction) override;
  virtual void SetValue(float value);
  virtual float GetValue() const;
  bool CanClose() override;
  UINT Transfer(void* buffer, TTransferDirection direction) override;

  void SetStep(float step, int decimals);
  void SetRange(float minimum, float maximum);
  // Unit conversions: value x factor, value / factor (a zero factor leaves the value).
  void ScaleValue(float factor) { SetValue(GetValue() * factor); }
  void DivideValue(float factor);
  const TRealRange& GetRange() const { return range_; }

  LRESULT EvChar(WPARAM, LPARAM);

private:
  TRealRange range_;
  std::string title_;  // the caption of the validation message
};
