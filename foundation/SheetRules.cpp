#include "foundation/SheetRules.h"

#include <cstdio>

#include "foundation/PropertySheetStyle.h"

bool RunSheetOkPass(const std::vector<TOkPassPage*>& pages, uint32_t style) {
  return ValidateSheetPages(pages, style) && ApplySheetPages(pages);
}

bool ValidateSheetPages(const std::vector<TOkPassPage*>& pages, uint32_t style) {
  const bool checkUncreated = (style & psfDestroyOnLeave) && (style & psfValidateUncreated);
  for (TOkPassPage* page : pages) {
    if (!page) continue;
    bool created = false;
    if (!page->HasWindow()) {
      if (!checkUncreated) continue;
      if (!page->CreateForCheck()) continue;
      created = true;
    }
    const bool valid = page->ControlsValid() && page->IsPageValid();
    if (created) page->DestroyAfterCheck();
    if (!valid) {
      page->MakeCurrent();
      return false;
    }
  }
  return true;
}

bool ApplySheetPages(const std::vector<TOkPassPage*>& pages) {
  for (TOkPassPage* page : pages) {
    if (page && page->HasWindow() && !page->Apply()) return false;
  }
  return true;
}

TWizardButtons WizardButtonsFor(const std::vector<bool>& enabled, int index) {
  TWizardButtons b;
  const int n = static_cast<int>(enabled.size());
  for (int i = 0; i < n; ++i) {
    if (!enabled[i]) continue;
    if (i < index) b.back = true;
    if (i > index) b.last = false;
  }
  b.defaultId = b.last ? 1 : 501;
  return b;
}

TSheetStep SheetStepForKey(unsigned vk, bool ctrl, bool shift, bool alt) {
  constexpr unsigned kTab = 0x09, kPrior = 0x21, kNext = 0x22, kHome = 0x24;
  if (ctrl) {
    if (vk == kTab) return shift ? TSheetStep::Previous : TSheetStep::Next;
    if (vk == kNext) return TSheetStep::Next;
    if (vk == kPrior) return TSheetStep::Previous;
    return TSheetStep::None;
  }
  if (alt && vk == kHome) return TSheetStep::First;
  return TSheetStep::None;
}

void TabHistoryKey(int sheetId, char (&key)[12]) {
  std::snprintf(key, sizeof key, "%x", static_cast<unsigned>(sheetId));
}
