#include "editor/win32/NtnPropSignPages.h"

#include <algorithm>

#include "editor/win32/NtnPropExpressionPages.h"
#include "foundation/VocabularyLists.h"
#include "framework/ComboBox.h"
#include "framework/EditNumber.h"
#include "framework/ListBox.h"
#include "framework/ResponseTable.h"

namespace {

constexpr int kClef = 101;
constexpr int kOctaveShift = 102;
constexpr int kPresets = 121;
constexpr int kBeats = 100;
constexpr int kBeatValue = 101;
constexpr int kTimeStyle = 102;
constexpr int kFirstEnding = 100;

using RK = TResponse<TNtnPropKeySigPage>;
constexpr RK kKeyResponses[] = {RK::Notify(kPresets, LBN_SELCHANGE, &TNtnPropKeySigPage::EvPreset)};
using RT = TResponse<TNtnPropTimeSigPage>;
constexpr RT kTimeResponses[] = {RT::Notify(kTimeStyle, CBN_SELCHANGE, &TNtnPropTimeSigPage::EvStyle)};

}  // namespace

TNtnPropClefPage::TNtnPropClefPage(TQVKPropertyDlg* sheet, TNtnPropClef& group)
    : TQVKPropertyPage(sheet, kResourceId), g_(group) {
  clef_ = new TComboBox(this, kClef);
  shift_ = new TComboBox(this, kOctaveShift);
}

void TNtnPropClefPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  FillVocabularyCombo(clef_, kVocabClefs, g_.clef);
  FillVocabularyCombo(shift_, kVocabOctaveShifts, g_.octaveShift);
}

bool TNtnPropClefPage::Apply() {
  g_.clef = std::max(clef_->GetSelIndex(), 0);
  g_.octaveShift = std::max(shift_->GetSelIndex(), 0);
  return TQVKPropertyPage::Apply();
}

TNtnPropKeySigPage::TNtnPropKeySigPage(TQVKPropertyDlg* sheet, TNtnPropKey& group)
    : TQVKPropertyPage(sheet, kResourceId), g_(group) {
  presets_ = new TListBox(this, kPresets);
}

bool TNtnPropKeySigPage::Find(TEvent& ev) { return ev.Dispatch(this, kKeyResponses) || TQVKPropertyPage::Find(ev); }

void TNtnPropKeySigPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  for (int i = 0; i < kKeyPresets; ++i) presets_->AddString(KeyPresetName(i));
  presets_->SetSelIndex(0);
  Show(KeyButtonsOf(g_.flats, g_.sharps));
}

void TNtnPropKeySigPage::Show(const TKeyButtons& buttons) {
  for (int letter = 0; letter < kKeyLetters; ++letter) {
    const int first = KeyPageButton(letter, TLetterMark::Sharp);
    CheckRadioButton(GetHandle(), first, first + 2, KeyPageButton(letter, buttons.mark[letter]));
  }
}

TKeyButtons TNtnPropKeySigPage::Shown() const {
  TKeyButtons b;
  for (int letter = 0; letter < kKeyLetters; ++letter) {
    const auto on = [&](TLetterMark m) { return IsDlgButtonChecked(GetHandle(), KeyPageButton(letter, m)) == BST_CHECKED; };
    b.mark[letter] = on(TLetterMark::Sharp) ? TLetterMark::Sharp : on(TLetterMark::Flat) ? TLetterMark::Flat : TLetterMark::Neither;
  }
  return b;
}

LRESULT TNtnPropKeySigPage::EvPreset(WPARAM, LPARAM) {
  Show(KeyPresetButtons(presets_->GetSelIndex(), Shown()));
  return 0;
}

bool TNtnPropKeySigPage::Apply() {
  KeyMasksOf(Shown(), g_.flats, g_.sharps);
  return TQVKPropertyPage::Apply();
}

TNtnPropTimeSigPage::TNtnPropTimeSigPage(TQVKPropertyDlg* sheet, TNtnPropTimeSig& group)
    : TQVKPropertyPage(sheet, kResourceId), g_(group) {
  beats_ = new TEditNumber(this, kBeats, TNumberRange{kBeatsMin, kBeatsMax, 1});
  value_ = new TComboBox(this, kBeatValue);
  style_ = new TComboBox(this, kTimeStyle);
}

bool TNtnPropTimeSigPage::Find(TEvent& ev) { return ev.Dispatch(this, kTimeResponses) || TQVKPropertyPage::Find(ev); }

void TNtnPropTimeSigPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  beats_->SetValue(std::clamp(g_.beats, kBeatsMin, kBeatsMax));
  for (const char* name : kBeatValueNames) value_->AddString(name);
  value_->SetSelIndex(g_.beatCode >= 0 && g_.beatCode < kBeatValues ? g_.beatCode : 2);
  FillVocabularyCombo(style_, kVocabTimeSignatureStyles, g_.style);
  FollowStyle();
}

void TNtnPropTimeSigPage::FollowStyle() {
  int beats = 0, code = 0;
  const bool fixed = TimeSigStyleFixes(style_->GetSelIndex(), beats, code);
  if (fixed) {
    beats_->SetValue(beats);
    value_->SetSelIndex(code);
  }
  beats_->EnableWindow(!fixed);
  value_->EnableWindow(!fixed);
}

LRESULT TNtnPropTimeSigPage::EvStyle(WPARAM, LPARAM) {
  FollowStyle();
  return 0;
}

bool TNtnPropTimeSigPage::Apply() {
  g_.beats = beats_->GetValue();
  g_.beatCode = std::max(value_->GetSelIndex(), 0);
  g_.style = std::max(style_->GetSelIndex(), 0);
  return TQVKPropertyPage::Apply();
}

TNtnPropSpclEndingPage::TNtnPropSpclEndingPage(TQVKPropertyDlg* sheet, TNtnPropEnding& group)
    : TQVKPropertyPage(sheet, kResourceId), g_(group) {}

void TNtnPropSpclEndingPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  for (int k = 0; k < kEndings; ++k)
    CheckDlgButton(GetHandle(), kFirstEnding + k, (g_.mask >> k) & 1 ? BST_CHECKED : BST_UNCHECKED);
}

uint32_t TNtnPropSpclEndingPage::Checked() const {
  uint32_t mask = 0;
  for (int k = 0; k < kEndings; ++k)
    if (IsDlgButtonChecked(GetHandle(), kFirstEnding + k) == BST_CHECKED) mask |= 1u << k;
  return mask;
}

bool TNtnPropSpclEndingPage::IsPageValid() {
  if (Checked() != 0) return true;
  MessageBox(kNoEndingText, kNoEndingCaption, MB_OK | MB_ICONEXCLAMATION);
  ::SetFocus(GetDlgItem(kFirstEnding));
  return false;
}

bool TNtnPropSpclEndingPage::Apply() {
  g_.mask = Checked();
  return TQVKPropertyPage::Apply();
}
