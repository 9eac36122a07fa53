// The style word of property sheets and wizards: 32 flag bits, one word per sheet; the tab strip
// keeps an adjusted copy.
#pragma once

#include <cstdint>

constexpr uint32_t psfNormal = 0x0;
constexpr uint32_t psfDefault = 0x0;
constexpr uint32_t psfTwoLineTabs = 0x1;
constexpr uint32_t psfFixedWidthTabs = 0x2;
constexpr uint32_t psfColorSelectedTab = 0x4;
constexpr uint32_t psfHideDisabledTabs = 0x8;
constexpr uint32_t psfStretchTabs = 0x10;
constexpr uint32_t psfMultiRow = 0x20;
constexpr uint32_t psfKeepCreatedPages = 0x40;
constexpr uint32_t psfDestroyOnLeave = 0x80;
constexpr uint32_t psfTabPadding = 0x100;
constexpr uint32_t psfResizeWithDialog = 0x200;
constexpr uint32_t psfButtonsAtRight = 0x400;
constexpr uint32_t psfAnsiVarFont = 0x800;
constexpr uint32_t psfApplyOnLeave = 0x1000;
constexpr uint32_t psfNoOkCancel = 0x2000;
constexpr uint32_t psfWizard = 0x4000;
constexpr uint32_t psfTabImages = 0x8000;
constexpr uint32_t psfCenter = 0x10000;
constexpr uint32_t psfCreateOnShow = 0x20000;
constexpr uint32_t psfFocusPage = 0x40000;
constexpr uint32_t psfValidateUncreated = 0x80000;

// The strip's copy: a wizard has no multi-row, stretched or two-line tabs; multi-row rows are
// stretched and never hide disabled tabs.
constexpr uint32_t AdjustTabStripStyle(uint32_t style) {
  if (style & psfWizard) style &= ~(psfMultiRow | psfStretchTabs | psfTwoLineTabs);
  if (style & psfMultiRow) style = (style & ~psfHideDisabledTabs) | psfStretchTabs;
  return style;
}
