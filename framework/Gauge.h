// A progress gauge: a bar filling a sunken frame in proportion to its value, either solid or
// drawn as separate segments (LED mode). A title containing "%d" shows the percentage.
#pragma once
#include "framework/Control.h"

class TGauge : public TControl {
public:
  TGauge(TWindow* parent, const char* title, int id, int x, int y, int w, int h, bool horizontal = true,
         int margin = 1, HINSTANCE module = nullptr);

  const char* GetClassName() const override { return "VcGauge"; }
  void GetWindowClass(WNDCLASSA& wc) override;

  // A minimum that is not below the maximum makes the maximum minimum + 1.
  void SetRange(int min, int max);
  void GetRange(int& min, int& max) const {
    min = min_;
    max = max_;
  }
  // Clamped to the range; repaints only when the value changes.
  void SetValue(int value);
  int GetValue() const { return value_; }
  // Segments every `spacing` value units, each `thicknessPercent` of that step; spacing 0 is solid.
  void SetLed(int spacing, int thicknessPercent);
  int GetLedSpacing() const { return ledSpacing_; }
  int GetLedThickness() const { return ledThick_; }

  void Paint(TDC& dc, bool erase, const TRect& rect) override;

private:
  // The pixel offset of a value along the bar's length.
  int Offset(int value, int length) const;

  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
  int margin_;
  bool horizontal_;
  int ledSpacing_ = 0;
  int ledThick_ = 0;
};
