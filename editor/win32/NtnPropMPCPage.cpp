#include "editor/win32/NtnPropMPCPage.h"

#include <algorithm>
#include <string>

#include "editor/win32/NtnPropExpressionPages.h"
#include "foundation/VocabularyLists.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/EditNumber.h"
#include "framework/ResponseTable.h"
#include "framework/Slider.h"

namespace {

constexpr int kType = 100;
constexpr int kStyle = 101;
constexpr int kTimeResolution = 102;
constexpr int kSweepResolution = 103;
constexpr int kFirstLabel = 105;
constexpr int kSecondCheck = 110;  // settings 2 to 4 have checks 110 to 112; setting 1 has none
constexpr int kFirstOffset = 120;
constexpr int kFirstSlider = 130;
constexpr int kFirstNumber = 140;
constexpr int kMaxOffset = 32767;

using R = TResponse<TNtnPropMPCPage>;
constexpr R kResponses[] = {
    R::Notify(kType, CBN_SELCHANGE, &TNtnPropMPCPage::EvTypeChange),
    R::Notify(kSecondCheck, BN_CLICKED, &TNtnPropMPCPage::EvSettingClicked),
    R::Notify(kSecondCheck + 1, BN_CLICKED, &TNtnPropMPCPage::EvSettingClicked),
    R::Notify(kSecondCheck + 2, BN_CLICKED, &TNtnPropMPCPage::EvSettingClicked),
    R::Message(WM_HSCROLL, &TNtnPropMPCPage::EvHScroll),
};

}  // namespace

TNtnPropMPCPage::TNtnPropMPCPage(TQVKPropertyDlg* sheet, TNtnPropController& group)
    : TQVKPropertyPage(sheet, kResourceId), g_(group) {
  type_ = new TComboBox(this, kType);
  style_ = new TComboBox(this, kStyle);
  time_ = new TComboBox(this, kTimeResolution);
  sweep_ = new TEditNumber(this, kSweepResolution, TNumberRange{1, 16383, 1});
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    if (i > 0) on_[i] = new TCheckBox(this, kSecondCheck + i - 1);
    offsets_[i] = new TEditNumber(this, kFirstOffset + i, TNumberRange{i == 0 ? 0 : 1, kMaxOffset, 1});
    values_[i] = new TQVHSlider(this, kFirstSlider + i, kThumbBitmap);
  }
}

bool TNtnPropMPCPage::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TQVKPropertyPage::Find(ev); }

void TNtnPropMPCPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  FillVocabularyCombo(type_, kVocabControllers, g_.type);
  FillVocabularyCombo(style_, kVocabControlShapes, g_.style);
  FillVocabularyCombo(time_, kVocabDurations, g_.timeResolution);
  ShowRecord();
}

// Everything that follows the controller type: scale, labels, settings.
void TNtnPropMPCPage::ShowRecord() {
  const TControllerScale scale = ControllerScaleOf(g_.type);
  for (int k = 0; k < 3; ++k) SetDlgItemTextA(GetHandle(), kFirstLabel + k, ControllerScaleLabel(g_.type, k));
  sweep_->SetValue(g_.sweepResolution);
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    if (on_[i]) on_[i]->SetCheck(g_.points[i].enabled ? BST_CHECKED : BST_UNCHECKED);
    offsets_[i]->SetValue(g_.points[i].offset);
    values_[i]->SetRange(scale.minimum, scale.maximum);
    values_[i]->SetPosition(g_.points[i].value);
    ShowValue(i);
  }
  EnableSettings();
}

void TNtnPropMPCPage::ShowValue(int point) {
  const int shown = ShownControllerValue(g_.type, values_[point]->GetPosition());
  SetDlgItemTextA(GetHandle(), kFirstNumber + point, std::to_string(shown).c_str());
}

void TNtnPropMPCPage::EnableSettings() {
  for (int i = 1; i < TNtnPropController::kPoints; ++i) {
    const bool on = on_[i]->GetCheck() == BST_CHECKED;
    offsets_[i]->EnableWindow(on);
    values_[i]->EnableWindow(on);
  }
}

void TNtnPropMPCPage::ReadChecks(TNtnPropController& g) const {
  for (int i = 1; i < TNtnPropController::kPoints; ++i) g.points[i].enabled = on_[i]->GetCheck() == BST_CHECKED;
}

LRESULT TNtnPropMPCPage::EvTypeChange(WPARAM, LPARAM) {
  const int type = type_->GetSelIndex();
  if (type < 0 || type == g_.type) return 0;
  ResetController(type, g_);
  ShowRecord();
  return 0;
}

LRESULT TNtnPropMPCPage::EvSettingClicked(WPARAM, LPARAM) {
  EnableSettings();
  return 0;
}

LRESULT TNtnPropMPCPage::EvHScroll(WPARAM wParam, LPARAM lParam) {
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    if (reinterpret_cast<HWND>(lParam) != values_[i]->GetHandle()) continue;
    // The slider reports where it was taken; it moves only when told.
    const int code = LOWORD(wParam);
    if (code == SB_ENDSCROLL) return 0;
    values_[i]->SetPosition(static_cast<int>(HIWORD(wParam)));
    ShowValue(i);
    return 0;
  }
  return 0;
}

bool TNtnPropMPCPage::IsPageValid() {
  TNtnPropController shown = g_;
  ReadChecks(shown);
  const int setting = FirstDiscontinuousSetting(shown);
  if (setting < 0) return true;
  MessageBox(DiscontinuousSettingText(setting).c_str(), kDiscontinuousCaption, MB_OK | MB_ICONEXCLAMATION);
  on_[setting]->SetFocus();
  return false;
}

bool TNtnPropMPCPage::Apply() {
  g_.type = std::max(type_->GetSelIndex(), 0);
  g_.style = std::max(style_->GetSelIndex(), 0);
  g_.timeResolution = std::max(time_->GetSelIndex(), 0);
  g_.sweepResolution = sweep_->GetValue();
  ReadChecks(g_);
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    g_.points[i].offset = offsets_[i]->GetValue();
    g_.points[i].value = values_[i]->GetPosition();
  }
  return TQVKPropertyPage::Apply();
}
