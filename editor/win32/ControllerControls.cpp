#include "editor/win32/ControllerControls.h"

#include <algorithm>
#include <string>

#include "foundation/VocabularyLists.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/EditNumber.h"
#include "framework/ResponseTable.h"
#include "framework/Slider.h"
#include "framework/Window.h"

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

void FillList(TComboBox* combo, int list, int count, int value) {
  for (int i = 0; i < count; ++i) combo->AddString(GetListEntry(list, i));
  combo->SetSelIndex(value >= 0 && value < count ? value : -1);
}

}  // namespace

TControllerControls::TControllerControls(TWindow* parent, int types)
    : parent_(parent), types_(std::clamp(types, 1, TNtnPropController::kTypes)) {
  type_ = new TComboBox(parent, kType);
  style_ = new TComboBox(parent, kStyle);
  time_ = new TComboBox(parent, kTimeResolution);
  sweep_ = new TEditNumber(parent, kSweepResolution, TNumberRange{1, 16383, 1});
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    if (i > 0) on_[i] = new TCheckBox(parent, kSecondCheck + i - 1);
    offsets_[i] = new TEditNumber(parent, kFirstOffset + i, TNumberRange{i == 0 ? 0 : 1, kMaxOffset, 1});
    values_[i] = new TQVHSlider(parent, kFirstSlider + i, kThumbBitmap);
  }
}

void TControllerControls::Show(const TNtnPropController& g) {
  FillList(type_, kVocabControllers, std::min(types_, GetListEntryCount(kVocabControllers)), g.type);
  FillList(style_, kVocabControlShapes, GetListEntryCount(kVocabControlShapes), g.style);
  FillList(time_, kVocabDurations, GetListEntryCount(kVocabDurations), g.timeResolution);
  ShowRecord(g);
}

// Everything that follows the controller type: scale, labels, settings.
void TControllerControls::ShowRecord(const TNtnPropController& g) {
  const TControllerScale scale = ControllerScaleOf(g.type);
  for (int k = 0; k < 3; ++k) SetDlgItemTextA(parent_->GetHandle(), kFirstLabel + k, ControllerScaleLabel(g.type, k));
  sweep_->SetValue(g.sweepResolution);
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    if (on_[i]) on_[i]->SetCheck(g.points[i].enabled ? BST_CHECKED : BST_UNCHECKED);
    offsets_[i]->SetValue(g.points[i].offset);
    values_[i]->SetRange(scale.minimum, scale.maximum);
    values_[i]->SetPosition(g.points[i].value);
    ShowValue(g.type, i);
  }
  EnableSettings();
}

void TControllerControls::ShowValue(int type, int point) {
  const int shown = ShownControllerValue(type, values_[point]->GetPosition());
  SetDlgItemTextA(parent_->GetHandle(), kFirstNumber + point, std::to_string(shown).c_str());
}

void TControllerControls::EnableSettings() {
  for (int i = 1; i < TNtnPropController::kPoints; ++i) {
    const bool on = on_[i]->GetCheck() == BST_CHECKED;
    offsets_[i]->EnableWindow(on);
    values_[i]->EnableWindow(on);
  }
}

void TControllerControls::ReadChecks(TNtnPropController& g) const {
  for (int i = 1; i < TNtnPropController::kPoints; ++i) g.points[i].enabled = on_[i]->GetCheck() == BST_CHECKED;
}

bool TControllerControls::Find(TEvent& ev, TNtnPropController& g) {
  if (ev.msg == WM_HSCROLL) {
    if (!ev.probe) Scrolled(ev.wParam, ev.lParam, g.type);
    ev.result = 0;
    return true;
  }
  if (ev.msg != WM_COMMAND) return false;
  const int id = LOWORD(ev.wParam);
  const int code = HIWORD(ev.wParam);
  const bool typeChange = id == kType && code == CBN_SELCHANGE;
  const bool settingClick = id >= kSecondCheck && id < kSecondCheck + TNtnPropController::kPoints - 1 && code == BN_CLICKED;
  if (!typeChange && !settingClick) return false;
  if (ev.probe) return true;
  if (typeChange)
    TypeChanged(g);
  else
    EnableSettings();
  ev.result = 0;
  return true;
}

void TControllerControls::TypeChanged(TNtnPropController& g) {
  const int type = type_->GetSelIndex();
  if (type < 0 || type == g.type) return;
  ResetController(type, g);
  ShowRecord(g);
}

void TControllerControls::Scrolled(WPARAM wParam, LPARAM lParam, int type) {
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    if (reinterpret_cast<HWND>(lParam) != values_[i]->GetHandle()) continue;
    // The slider reports where it was taken; it moves only when told.
    if (LOWORD(wParam) == SB_ENDSCROLL) return;
    values_[i]->SetPosition(static_cast<int>(HIWORD(wParam)));
    ShowValue(type, i);
    return;
  }
}

bool TControllerControls::Validate(const TNtnPropController& g) {
  TNtnPropController shown = g;
  ReadChecks(shown);
  const int setting = FirstDiscontinuousSetting(shown);
  if (setting < 0) return true;
  // Owned by the sheet or dialog that holds the controls.
  ::MessageBoxA(GetAncestor(parent_->GetHandle(), GA_ROOT), DiscontinuousSettingText(setting).c_str(),
                kDiscontinuousCaption, MB_OK | MB_ICONEXCLAMATION);
  on_[setting]->SetFocus();
  return false;
}

void TControllerControls::Read(TNtnPropController& g) const {
  g.type = std::max(type_->GetSelIndex(), 0);
  g.style = std::max(style_->GetSelIndex(), 0);
  g.timeResolution = std::max(time_->GetSelIndex(), 0);
  g.sweepResolution = sweep_->GetValue();
  ReadChecks(g);
  for (int i = 0; i < TNtnPropController::kPoints; ++i) {
    g.points[i].offset = offsets_[i]->GetValue();
    g.points[i].value = values_[i]->GetPosition();
  }
}
