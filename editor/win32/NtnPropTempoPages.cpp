#include "editor/win32/NtnPropTempoPages.h"

#include <algorithm>

#include "editor/win32/NtnPropExpressionPages.h"
#include "foundation/VocabularyLists.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/EditNumber.h"
#include "framework/ResponseTable.h"

namespace {

constexpr int kStyle = 101;
constexpr int kBase = 101;
constexpr int kTempo = 102;
constexpr int kText = 103;
constexpr int kDelay = 102;

using RT = TResponse<TNtnPropTempoPage>;
constexpr RT kTempoResponses[] = {RT::Notify(kBase, CBN_SELCHANGE, &TNtnPropTempoPage::EvBase)};
using RV = TResponse<TNtnPropTempoVariancePage>;
constexpr RV kVarianceResponses[] = {RV::Notify(kStyle, CBN_SELCHANGE, &TNtnPropTempoVariancePage::EvStyle)};

}  // namespace

TNtnPropTempoPage::TNtnPropTempoPage(TQVKPropertyDlg* sheet, TNtnPropTempo& group)
    : TQVKPropertyPage(sheet, kResourceId), g_(group) {
  base_ = new TComboBox(this, kBase);
  tempo_ = new TEditNumber(this, kTempo, TNumberRange{kTempoMin, kTempoMax, 1});
  // The edit's limit counts the terminating zero.
  text_ = new TEdit(this, kText, kTempoTextLimit + 1);
}

bool TNtnPropTempoPage::Find(TEvent& ev) { return ev.Dispatch(this, kTempoResponses) || TQVKPropertyPage::Find(ev); }

void TNtnPropTempoPage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  shownBase_ = g_.base;
  FillVocabularyCombo(base_, kVocabBeatUnits, g_.base);
  tempo_->SetValue(std::clamp(g_.tempo, kTempoMin, kTempoMax));
  text_->SetWindowText(g_.text.c_str());
}

LRESULT TNtnPropTempoPage::EvBase(WPARAM, LPARAM) {
  const int base = base_->GetSelIndex();
  if (base < 0 || base == shownBase_) return 0;
  tempo_->SetValue(std::clamp(ConvertTempo(tempo_->GetValue(), shownBase_, base), kTempoMin, kTempoMax));
  shownBase_ = base;
  return 0;
}

bool TNtnPropTempoPage::Apply() {
  g_.base = base_->GetSelIndex() < 0 ? g_.base : base_->GetSelIndex();
  g_.tempo = tempo_->GetValue();
  g_.text = text_->GetWindowTextString().substr(0, kTempoTextLimit);
  return TQVKPropertyPage::Apply();
}

TNtnPropTempoVariancePage::TNtnPropTempoVariancePage(TQVKPropertyDlg* sheet, TNtnPropTempoVariance& group)
    : TQVKPropertyPage(sheet, kResourceId), g_(group) {
  style_ = new TComboBox(this, kStyle);
  delay_ = new TEditNumber(this, kDelay, TNumberRange{kDelayMin, kDelayMax, 1});
}

bool TNtnPropTempoVariancePage::Find(TEvent& ev) {
  return ev.Dispatch(this, kVarianceResponses) || TQVKPropertyPage::Find(ev);
}

void TNtnPropTempoVariancePage::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  FillVocabularyCombo(style_, kVocabTempoVariances, g_.style);
  delay_->SetValue(std::clamp(g_.delay, kDelayMin, kDelayMax));
  EnableDelay();
}

void TNtnPropTempoVariancePage::EnableDelay() { delay_->EnableWindow(TempoVarianceHasDelay(style_->GetSelIndex())); }

LRESULT TNtnPropTempoVariancePage::EvStyle(WPARAM, LPARAM) {
  EnableDelay();
  return 0;
}

bool TNtnPropTempoVariancePage::Apply() {
  g_.style = style_->GetSelIndex();
  g_.delay = delay_->GetValue();
  return TQVKPropertyPage::Apply();
}
