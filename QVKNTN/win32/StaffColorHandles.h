// The eight colours notation is drawn in, each with its solid one-unit pen, kept in the settings
// section "StaffColors" as keys "0".."7". Indexes: 0 printer default, 1 active staff, 2 inactive
// staff, 3 hidden notation, 4 play highlight, 5-7 highlights 1-3.
#pragma once

#include <windows.h>

#include <optional>

#include "QVKNTN/StaffColorText.h"
#include "framework/Pen.h"

class TSysInfo;

class TStaffColorHandles {
public:
  static constexpr int kCount = StaffColors::kCount;

  TStaffColorHandles();
  TStaffColorHandles(const TStaffColorHandles&) = delete;
  TStaffColorHandles& operator=(const TStaffColorHandles&) = delete;

  // Makes a new pen only when the colour changes. An index outside 0-7 is ignored.
  void SetColor(int i, COLORREF color);
  // Black for an index outside 0-7.
  COLORREF GetColor(int i) const;
  // The pen of colour i (of colour 0 for an index outside 0-7).
  const TPen& GetPen(int i) const;

  // Reads keys "0".."7" and stops at the first that does not hold three numbers, leaving that
  // colour and the ones after it as they were.
  void Load(const char* section);
  void Load(TSysInfo& settings, const char* section);
  void Save(const char* section) const;
  void Save(TSysInfo& settings, const char* section) const;

private:
  static bool IsIndex(int i) { return i >= 0 && i < kCount; }

  COLORREF colors_[kCount];
  std::optional<TPen> pens_[kCount];
};
