// The notation properties page of one multi-point controller: controller type, style, time and
// sweep resolution, and four settings (time offset and a value slider with its number), the
// first always on and the others by their check boxes.
#pragma once

#include "app/win32/QVKPropertyPage.h"
#include "editor/NtnPropExpressions.h"

class TCheckBox;
class TComboBox;
class TEditNumber;
class TQVHSlider;

class TNtnPropMPCPage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 549;
  // The slider thumb picture, under the page's number.
  static constexpr int kThumbBitmap = 549;

  TNtnPropMPCPage(TQVKPropertyDlg* sheet, TNtnPropController& group);
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  // A setting on after one that is off is refused with its box, and the focus goes to its check box.
  bool IsPageValid() override;
  bool Apply() override;

  LRESULT EvTypeChange(WPARAM, LPARAM);
  LRESULT EvSettingClicked(WPARAM, LPARAM);
  LRESULT EvHScroll(WPARAM, LPARAM);

private:
  void ShowRecord();
  void ShowValue(int point);
  void EnableSettings();
  void ReadChecks(TNtnPropController& g) const;

  TNtnPropController& g_;
  TComboBox* type_;
  TComboBox* style_;
  TComboBox* time_;
  TEditNumber* sweep_;
  TCheckBox* on_[TNtnPropController::kPoints] = {};  // the first setting has none
  TEditNumber* offsets_[TNtnPropController::kPoints];
  TQVHSlider* values_[TNtnPropController::kPoints];
};
