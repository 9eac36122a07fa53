#include "app/PageSetupMargins.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

double ShownFromInches(double inches, TMarginUnits units) {
  return units == TMarginUnits::Centimeters ? inches * kCentimetresPerInch : inches;
}

// Back to inches by the same factor, so a value shown in centimetres returns unchanged.
double InchesFromShown(double shown, TMarginUnits units) {
  return units == TMarginUnits::Centimeters ? shown / kCentimetresPerInch : shown;
}

std::string FormatMargin(double shown) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", shown);
  return text;
}

bool ParseMargin(const std::string& text, double& shown) {
  const char* begin = text.c_str();
  while (*begin == ' ') ++begin;
  if (!*begin) return false;
  char* end = nullptr;
  const double v = std::strtod(begin, &end);
  while (end && *end == ' ') ++end;
  if (!end || *end || !std::isfinite(v)) return false;
  if (v < 0.0 || v > kLargestShownMargin) return false;
  shown = v;
  return true;
}

void TPageSetupMargins::Load(const TPageMargins& m, TMarginUnits units) {
  const double values[kFields] = {m.top, m.inside, m.outside, m.bottom};
  units_ = units;
  mirror_ = m.mirror;
  for (int i = 0; i < kFields; ++i) {
    inches_[i] = values[i];
    shown_[i] = FormatMargin(ShownFromInches(values[i], units));
    texts_[i] = shown_[i];
  }
}

bool TPageSetupMargins::FieldInches(int i, double& inches) const {
  double shown = 0;
  if (!ParseMargin(texts_[i], shown)) return false;
  inches = texts_[i] == shown_[i] ? inches_[i] : InchesFromShown(shown, units_);
  return true;
}

void TPageSetupMargins::SetUnits(TMarginUnits units) {
  if (units == units_) return;
  for (int i = 0; i < kFields; ++i) {
    double inches = 0;
    if (!FieldInches(i, inches)) continue;
    inches_[i] = inches;
    shown_[i] = FormatMargin(ShownFromInches(inches, units));
    texts_[i] = shown_[i];
  }
  units_ = units;
}

int TPageSetupMargins::FirstInvalidField() const {
  for (int i = 0; i < kFields; ++i) {
    double inches = 0;
    if (!FieldInches(i, inches)) return i;
  }
  return -1;
}

bool TPageSetupMargins::Apply(TPageMargins& m) const {
  double v[kFields];
  for (int i = 0; i < kFields; ++i) {
    if (!FieldInches(i, v[i])) return false;
  }
  m.top = static_cast<float>(v[0]);
  m.inside = static_cast<float>(v[1]);
  m.outside = static_cast<float>(v[2]);
  m.bottom = static_cast<float>(v[3]);
  m.mirror = mirror_;
  return true;
}
