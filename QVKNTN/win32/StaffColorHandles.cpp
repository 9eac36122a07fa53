#include "QVKNTN/win32/StaffColorHandles.h"

#include <cstdint>

#include "QVKNTN/StaffColorSection.h"
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
  StaffColors::LoadSection(settings, section, [this](int i, std::uint32_t color) { SetColor(i, color); });
}

void TStaffColorHandles::Save(const char* section) const { Save(GetSysInfo(), section); }

void TStaffColorHandles::Save(TSysInfo& settings, const char* section) const {
  std::uint32_t colors[kCount];
  for (int i = 0; i < kCount; ++i) colors[i] = colors_[i];
  StaffColors::SaveSection(settings, section, colors);
}
