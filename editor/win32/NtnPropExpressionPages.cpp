#include "editor/win32/NtnPropExpressionPages.h"

#include <algorithm>

#include "foundation/VocabularyLists.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/EditNumber.h"
#include "framework/ResponseTable.h"

namespace {

constexpr int kStyle = 101;
constexpr int kVelocityCheck = 102;
constexpr int kVelocity = 103;
constexpr int kVolumeCheck = 104;
constexpr int kVolume = 105;
constexpr int kText = 101;
constexpr int kFont = 102;

using R = TResponse<TNtnPropDynamicPage>;
constexpr R kDynamicResponses[] = {
    R::Notify(kVelocityCheck, BN_CLICKED, &TNtnPropDynamicPage::EvOverrideClicked),
    R::Notify(kVolumeCheck, BN_CLICKED, &TNtnPropDynamicPage::EvOverrideClicked),
};

bool Checked(const TCheckBox* box) { return box->GetCheck() == BST_CHECKED; }

}  // namespace

void FillVocabularyCombo(TComboBox* combo, int list, int value) {
  const int n = GetListEntryCount(list);
  for (int i = 0; i < n; ++i) combo->AddString(GetListEntry(list, i));
  combo->SetSelIndex(value >= 0 && value < n ? value : -1);
}

TNtnPropDynamicPage::TNtnPropDynamicPage(TQVKPropertyDlg* sheet, TNtnPropDynamic& group)
    : TQVKPropertyPage(sheet, kResourceId), g_(group) {
  style_ = new TComboBox(this, kStyle);
  velocityOn_ = new TCheckBox(this, kVelocityCheck);
  velocity_ = new TEditNumber(this, kVelocity, TNumberRange{1, 127, 1});
  volumeOn_ = new TCheckBox(this, kVolumeCheck);
  volume_ = new TEditNumber(this, kVolume, TNumberRange{0, 127, 1});
}

bool TNtnPropDynamicPage::Find(TEvent& ev) { return ev.Dispatch(this, kDynamicResponses) || TQVKPropertyPage::Find(ev); }

void TNtnPropDynamicPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  FillVocabularyCombo(style_, kVocabDynamicLevels, g_.style);
  velocityOn_->SetCheck(g_.velocityOverride ? BST_CHECKED : BST_UNCHECKED);
  volumeOn_->SetCheck(g_.volumeOverride ? BST_CHECKED : BST_UNCHECKED);
  // A value never given shows a usable start: mezzo forte's velocity, full volume.
  velocity_->SetValue(g_.velocityOverride ? std::clamp(g_.velocity, 1, 127) : 80);
  volume_->SetValue(g_.volumeOverride ? std::clamp(g_.volume, 0, 127) : 127);
  EnableValues();
}

void TNtnPropDynamicPage::EnableValues() {
  velocity_->EnableWindow(Checked(velocityOn_));
  volume_->EnableWindow(Checked(volumeOn_));
}

LRESULT TNtnPropDynamicPage::EvOverrideClicked(WPARAM, LPARAM) {
  EnableValues();
  return 0;
}

bool TNtnPropDynamicPage::Apply() {
  g_.style = std::max(style_->GetSelIndex(), 0);
  g_.velocityOverride = Checked(velocityOn_);
  g_.velocity = g_.velocityOverride ? velocity_->GetValue() : kNoVelocity;
  g_.volumeOverride = Checked(volumeOn_);
  g_.volume = g_.volumeOverride ? volume_->GetValue() : kNoVolume;
  return TQVKPropertyPage::Apply();
}

TNtnPropListPage::TNtnPropListPage(TQVKPropertyDlg* sheet, int resourceId, int vocabularyList, int& value)
    : TQVKPropertyPage(sheet, resourceId), list_(vocabularyList), value_(value) {
  style_ = new TComboBox(this, kStyle);
}

void TNtnPropListPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  FillVocabularyCombo(style_, list_, value_);
}

bool TNtnPropListPage::Apply() {
  value_ = style_->GetSelIndex();
  return TQVKPropertyPage::Apply();
}

TNtnPropTextPage::TNtnPropTextPage(TQVKPropertyDlg* sheet, TNtnPropText& group)
    : TQVKPropertyPage(sheet, kResourceId), g_(group) {
  // The edit's limit counts the terminating zero.
  text_ = new TEdit(this, kText, TNtnPropText::kTextLimit + 1);
  font_ = new TComboBox(this, kFont);
}

void TNtnPropTextPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  text_->SetWindowText(g_.text.substr(0, TNtnPropText::kTextLimit).c_str());
  FillVocabularyCombo(font_, kVocabTextFonts, g_.font);
}

bool TNtnPropTextPage::Apply() {
  g_.text = text_->GetWindowTextString().substr(0, TNtnPropText::kTextLimit);
  g_.font = std::max(font_->GetSelIndex(), 0);
  return TQVKPropertyPage::Apply();
}
