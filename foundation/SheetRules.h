// The decisions of property sheets and wizards that need no window: the OK pass over the pages,
// the wizard's Back/Next/Finish states, and the sheet keys the keyboard hook turns into steps.
#pragma once

#include <cstdint>
#include <vector>

// One page as the OK pass sees it.
class TOkPassPage {
public:
  virtual ~TOkPassPage() = default;
  virtual bool HasWindow() const = 0;
  // Creates the page's window at the page rectangle; answers success.
  virtual bool CreateForCheck() = 0;
  virtual void DestroyAfterCheck() = 0;
  // The controls' own validity tests (they report what is wrong themselves).
  virtual bool ControlsValid() = 0;
  virtual bool IsPageValid() = 0;
  virtual bool Apply() = 0;
  virtual void MakeCurrent() = 0;
};

// OK over the pages in order: every page with a window (and, with psfDestroyOnLeave and
// psfValidateUncreated, every page without one, created for the check and destroyed again) is
// validated before any page takes its data; the first invalid page is brought forward and the
// pass stops. Then each page with a window is applied exactly once, stopping on the first
// refusal. Answers whether the sheet may close.
bool RunSheetOkPass(const std::vector<TOkPassPage*>& pages, uint32_t style);
// The two halves of the pass.
bool ValidateSheetPages(const std::vector<TOkPassPage*>& pages, uint32_t style);
bool ApplySheetPages(const std::vector<TOkPassPage*>& pages);

// The wizard buttons for the current page, from the pages' tab-enabled flags.
struct TWizardButtons {
  bool back = false;   // some page before has an enabled tab
  bool last = true;    // no page after has an enabled tab
  int defaultId = 0;   // 501 (Next) or 1 (Finish)
};
TWizardButtons WizardButtonsFor(const std::vector<bool>& enabled, int index);

// The page steps the sheet keys ask for.
enum class TSheetStep { None, First, Previous, Next };
TSheetStep SheetStepForKey(unsigned vk, bool ctrl, bool shift, bool alt);

// The key under which a sheet remembers its last page: the sheet id in lower-case hex.
void TabHistoryKey(int sheetId, char (&key)[12]);
