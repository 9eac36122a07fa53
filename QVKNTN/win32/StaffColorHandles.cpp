#include "QVKNTN/win32/StaffColorHandles.h"

#include <cstdio>

#include "foundation/SysInfo.h"

TStaffColorHandles::TStaffColorHandles() {
  for (int i = 0; i < kCount; ++i) {
    colors_[i] = StaffColors::kDefaults[i];
    pens_[i].emplace(colors_[i]);
  }
}

void TStaffColorHandles::SetColor(int i, COLORREF color) {
  if (!IsIndex(i) || colors_[i] == color) return;
  colors_[i] = color;
  pens_[i].reset();
  pens_[i].emplace(color);
}

COLORREF TStaffColorHandles::GetColor(int i) const { return IsIndex(i) ? colors_[i] : 0; }

const TPen& TStaffColorHandles::GetPen(int i) const { return *pens_[IsIndex(i) ? i : 0]; }

void TStaffColorHandles::Load(const char* section) { Load(GetSysInfo(), section); }

void TStaffColorHandles::Load(TSysInfo& settings, const char* section) {
  for (int i = 0; i < kCount; ++i) {
    char key[4], text[64];
    std::snprintf(key, sizeof key, "%d", i);
    settings.ReadString(section, key, "", text, sizeof text);
    std::uint32_t color;
    if (!StaffColors::ParseColor(text, color)) return;
    SetColor(i, color);
  }
}

void TStaffColorHandles::Save(const char* section) const { Save(GetSysInfo(), section); }

void TStaffColorHandles::Save(TSysInfo& settings, const char* section) const {
  for (int i = 0; i < kCount; ++i) {
    char key[4], text[32];
    std::snprintf(key, sizeof key, "%d", i);
    if (StaffColors::FormatColor(colors_[i], text, sizeof text)) settings.WriteString(section, key, text);
  }
}
