// The margins page of page setup: four margins shown in inches or centimetres with two decimals,
// the units switch and the checks on apply. The exact values stay behind the texts, so opening
// and closing the page, or switching units back and forth, never changes a margin by rounding.
#pragma once

#include <string>

#include "app/PrinterMetrics.h"

enum class TMarginUnits { Inches = 0, Centimeters = 1 };

constexpr double kCentimetresPerInch = 2.54;
constexpr double kLargestShownMargin = 20.0;
constexpr double kMarginStep = 0.2;

double ShownFromInches(double inches, TMarginUnits units);
double InchesFromShown(double shown, TMarginUnits units);
// A margin as the edit shows it: two decimals.
std::string FormatMargin(double shown);
// The text as a number in the allowed range (0 to 20 shown units); false otherwise.
bool ParseMargin(const std::string& text, double& shown);

class TPageSetupMargins {
public:
  static constexpr int kFields = 4;  // top, inside, outside, bottom

  void Load(const TPageMargins& inches, TMarginUnits units);
  TMarginUnits GetUnits() const { return units_; }
  bool GetMirror() const { return mirror_; }
  void SetMirror(bool on) { mirror_ = on; }
  const std::string& Text(int field) const { return texts_[Index(field)]; }
  // What the user typed.
  void SetText(int field, const std::string& text) { texts_[Index(field)] = text; }
  // Shows the margins in other units; a field whose text is not a valid margin keeps its text.
  void SetUnits(TMarginUnits units);
  // The first field whose text is not a valid margin, or -1.
  int FirstInvalidField() const;
  // The margins in inches; false (and nothing changed) when a field is invalid.
  bool Apply(TPageMargins& inches) const;

private:
  static int Index(int field) { return field < 0 ? 0 : (field >= kFields ? kFields - 1 : field); }
  // The exact inches behind field i: what was loaded while the text is the one shown for it.
  bool FieldInches(int i, double& inches) const;

  TMarginUnits units_ = TMarginUnits::Inches;
  bool mirror_ = false;
  double inches_[kFields] = {};
  std::string shown_[kFields];
  std::string texts_[kFields];
};
