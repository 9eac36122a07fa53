// A wizard: a property sheet whose tab row lies outside the dialog, so the pages are walked with
// Back (500) and Next (501) and the wizard ends with Finish (IDOK).
#pragma once
#include "framework/PropertyDialog.h"

class TWizardDialog : public TQVPropertyDialog {
public:
  static constexpr int kBackId = 500;
  static constexpr int kNextId = 501;

  TWizardDialog(TWindow* parent, int resourceId, uint32_t style = psfNormal, HINSTANCE module = nullptr);

  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool NextPage() override;
  bool PreviousPage() override;
  void PageChanged(int index) override { UpdateButtons(index); }
  // Back, Next and Finish after a page change.
  void UpdateButtons(int index);

  bool IsNextEnabled() const { return nextEnabled_; }
  bool IsBackEnabled() const { return backEnabled_; }
  void CmBack() { PreviousPage(); }
  void CmNext() { NextPage(); }

private:
  bool nextEnabled_ = true;
  bool backEnabled_ = true;
};
