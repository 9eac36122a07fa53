#include "editor/win32/NtnPropDlg.h"

#include <algorithm>
#include <string>

#include "QVKNTN/win32/StaffColorHandles.h"
#include "app/win32/QVKPropertyPage.h"
#include "app/win32/VellichordApp.h"
#include "app/win32/ShellGlobals.h"
#include "editor/win32/NtnPropExpressionPages.h"
#include "editor/win32/NtnPropInstrumentPage.h"
#include "editor/win32/NtnPropMPCPage.h"
#include "editor/win32/NtnPropSignPages.h"
#include "editor/win32/NtnPropTempoPages.h"
#include "foundation/VocabularyLists.h"
#include "framework/CheckBox.h"
#include "framework/ColorComboBox.h"
#include "framework/ComboBox.h"
#include "framework/EditNumber.h"

namespace {

constexpr const char* kBarStyles[] = {"Single", "Double", "Section Open", "Section Close", "Local Repeat Open",
                                      "Local Repeat Close", "Master Repeat Open", "Master Repeat Close"};
constexpr int kRepeatStyle = 5;
constexpr const char* kJustifications[] = {"Left", "Center", "Right"};
constexpr const char* kPlacements[] = {"best fit", "before other staff signatures", "after other staff signatures",
                                       "at next note/bar"};
constexpr const char* kDirections[] = {"Default", "Upward", "Downward"};
constexpr const char* kSyllables[] = {"Default", "Always", "Never"};
constexpr const char* kShowOnPage[] = {"Default", "Always", "On Top Staff", "Never"};
constexpr const char* kItemColors[] = {"Default", "Highlight 1", "Highlight 2", "Highlight 3"};

template <std::size_t N>
void FillChoice(TComboBox* combo, const char* const (&names)[N], int value) {
  for (const char* name : names) combo->AddString(name);
  combo->SetSelIndex(value >= 0 && value < static_cast<int>(N) ? value : -1);
}

int ReadChoice(const TComboBox* combo) {
  const int i = combo->GetSelIndex();
  return i < 0 ? kNtnPropMixed : i;
}

void ShowFlag(TCheckBox* box, int value) {
  box->SetCheck(value == kNtnPropMixedFlag ? BST_INDETERMINATE : value ? BST_CHECKED : BST_UNCHECKED);
}

int ReadFlag(const TCheckBox* box) {
  const UINT state = box->GetCheck();
  return state == BST_INDETERMINATE ? kNtnPropMixedFlag : state == BST_CHECKED ? 1 : 0;
}

// Numbers: blank when mixed, and a blank edit leaves the items as they are.
TEditNumber* NumberEdit(TWindow* page, int id, int minimum, int maximum) {
  auto* edit = new TEditNumber(page, id, TNumberRange{minimum, maximum, 1});
  edit->SetAllowEmpty(true);
  return edit;
}

void ShowNumber(TEditNumber* edit, int value, int mixed) {
  if (value == mixed)
    edit->SetWindowText("");
  else
    edit->SetValue(value);
}

int ReadNumber(const TEditNumber* edit, int mixed) {
  if (edit->GetWindowTextString().find_first_not_of(" ") == std::string::npos) return mixed;
  return edit->GetValue();
}

class TNtnPropBarLinePage : public TQVKPropertyPage {
public:
  TNtnPropBarLinePage(TQVKPropertyDlg* sheet, TNtnPropData::TBarLines& g) : TQVKPropertyPage(sheet, 539), g_(g) {
    style_ = new TComboBox(this, 101);
    repeat_ = NumberEdit(this, 103, 2, 250);
    systemBreak_ = new TCheckBox(this, 104);
  }
  bool Find(TEvent& ev) override {
    if (ev.msg == WM_COMMAND && !ev.probe && LOWORD(ev.wParam) == 101 && HIWORD(ev.wParam) == CBN_SELCHANGE) {
      EnableRepeat();
      return true;
    }
    return TQVKPropertyPage::Find(ev);
  }
  void SetupWindow() override {
    TQVKPropertyPage::SetupWindow();
    FillChoice(style_, kBarStyles, g_.style);
    ShowNumber(repeat_, g_.repeatCount == kNtnPropMixed ? kNtnPropMixed : std::clamp(g_.repeatCount, 2, 250),
               kNtnPropMixed);
    ShowFlag(systemBreak_, g_.systemBreak);
    EnableRepeat();
  }
  bool Apply() override {
    g_.style = ReadChoice(style_);
    // The count belongs to the local repeat's close only.
    g_.repeatCount = g_.style == kRepeatStyle ? ReadNumber(repeat_, kNtnPropMixed) : kNtnPropMixed;
    g_.systemBreak = ReadFlag(systemBreak_);
    return TQVKPropertyPage::Apply();
  }

private:
  void EnableRepeat() { repeat_->EnableWindow(style_->GetSelIndex() == kRepeatStyle); }
  TNtnPropData::TBarLines& g_;
  TComboBox* style_;
  TEditNumber* repeat_;
  TCheckBox* systemBreak_;
};

class TNtnPropPlacementPage : public TQVKPropertyPage {
public:
  TNtnPropPlacementPage(TQVKPropertyDlg* sheet, TNtnPropData::TExpressions& g) : TQVKPropertyPage(sheet, 604), g_(g) {
    position_ = NumberEdit(this, 101, -100, 100);
    wide_ = new TCheckBox(this, 102);
    justify_ = new TComboBox(this, 103);
    placement_ = new TComboBox(this, 104);
  }
  void SetupWindow() override {
    TQVKPropertyPage::SetupWindow();
    ShowNumber(position_, g_.position, kNtnPropMixedSigned);
    ShowFlag(wide_, g_.wide);
    FillChoice(justify_, kJustifications, g_.justify);
    FillChoice(placement_, kPlacements, g_.placement);
  }
  bool Apply() override {
    g_.position = ReadNumber(position_, kNtnPropMixedSigned);
    g_.wide = ReadFlag(wide_);
    g_.justify = ReadChoice(justify_);
    g_.placement = ReadChoice(placement_);
    return TQVKPropertyPage::Apply();
  }

private:
  TNtnPropData::TExpressions& g_;
  TEditNumber* position_;
  TCheckBox* wide_;
  TComboBox* justify_;
  TComboBox* placement_;
};

class TNtnPropNotesPage : public TQVKPropertyPage {
public:
  TNtnPropNotesPage(TQVKPropertyDlg* sheet, TNtnPropData::TNotes& g) : TQVKPropertyPage(sheet, 544), g_(g) {
    accidental_ = NumberEdit(this, 101, 0, 15);
    spacing_ = NumberEdit(this, 102, 0, 15);
    slur_ = new TComboBox(this, 103);
    tie_ = new TComboBox(this, 104);
    syllable_ = new TComboBox(this, 105);
    muted_ = new TCheckBox(this, 106);
    noLegers_ = new TCheckBox(this, 107);
  }
  void SetupWindow() override {
    TQVKPropertyPage::SetupWindow();
    ShowNumber(accidental_, g_.accidentalSpace, kNtnPropMixed);
    ShowNumber(spacing_, g_.noteSpace, kNtnPropMixed);
    FillChoice(slur_, kDirections, g_.slur);
    FillChoice(tie_, kDirections, g_.tie);
    FillChoice(syllable_, kSyllables, g_.syllable);
    ShowFlag(muted_, g_.muted);
    ShowFlag(noLegers_, g_.noLegers);
  }
  bool Apply() override {
    g_.accidentalSpace = ReadNumber(accidental_, kNtnPropMixed);
    g_.noteSpace = ReadNumber(spacing_, kNtnPropMixed);
    g_.slur = ReadChoice(slur_);
    g_.tie = ReadChoice(tie_);
    g_.syllable = ReadChoice(syllable_);
    g_.muted = ReadFlag(muted_);
    g_.noLegers = ReadFlag(noLegers_);
    return TQVKPropertyPage::Apply();
  }

private:
  TNtnPropData::TNotes& g_;
  TEditNumber* accidental_;
  TEditNumber* spacing_;
  TComboBox* slur_;
  TComboBox* tie_;
  TComboBox* syllable_;
  TCheckBox* muted_;
  TCheckBox* noLegers_;
};

class TNtnPropRestsPage : public TQVKPropertyPage {
public:
  TNtnPropRestsPage(TQVKPropertyDlg* sheet, TNtnPropData::TRests& g) : TQVKPropertyPage(sheet, 592), g_(g) {
    offset_ = NumberEdit(this, 101, -15, 15);
    slur_ = new TComboBox(this, 103);
    syllable_ = new TComboBox(this, 105);
  }
  void SetupWindow() override {
    TQVKPropertyPage::SetupWindow();
    ShowNumber(offset_, g_.offset, kNtnPropMixedSigned);
    FillChoice(slur_, kDirections, g_.slur);
    FillChoice(syllable_, kSyllables, g_.syllable);
  }
  bool Apply() override {
    g_.offset = ReadNumber(offset_, kNtnPropMixedSigned);
    g_.slur = ReadChoice(slur_);
    g_.syllable = ReadChoice(syllable_);
    return TQVKPropertyPage::Apply();
  }

private:
  TNtnPropData::TRests& g_;
  TEditNumber* offset_;
  TComboBox* slur_;
  TComboBox* syllable_;
};

class TNtnPropVisibilityPage : public TQVKPropertyPage {
public:
  TNtnPropVisibilityPage(TQVKPropertyDlg* sheet, TNtnPropData::TVisibility& g)
      : TQVKPropertyPage(sheet, 602), g_(g) {
    show_ = new TComboBox(this, 101);
    color_ = new TQVColorComboBox(this, 102);
  }
  void SetupWindow() override {
    TQVKPropertyPage::SetupWindow();
    FillChoice(show_, kShowOnPage, g_.visibility);
    // The highlights are drawn in the staff colours 5 to 7.
    for (int i = 0; i < 4; ++i) {
      const COLORREF c = i && gApp ? gApp->StaffColors().GetColor(4 + i) : GetSysColor(COLOR_WINDOWTEXT);
      color_->AddColor(kItemColors[i], c);
    }
    color_->SetSelIndex(g_.color >= 0 && g_.color < 4 ? g_.color : -1);
  }
  bool Apply() override {
    g_.visibility = ReadChoice(show_);
    g_.color = ReadChoice(color_);
    return TQVKPropertyPage::Apply();
  }

private:
  TNtnPropData::TVisibility& g_;
  TComboBox* show_;
  TQVColorComboBox* color_;
};

}  // namespace

TNtnPropDialog::TNtnPropDialog(TWindow* parent, TNtnPropData& data)
    : TQVKPropertyDlg(parent, kResourceId, kResourceId, kStandardStyle) {
  if (data.ShowsSingle(ntClef)) AddPage("Clef", new TNtnPropClefPage(this, data.clef));
  if (data.ShowsSingle(ntKey)) AddPage("Key Signature", new TNtnPropKeySigPage(this, data.key));
  if (data.ShowsSingle(ntTimeSignature)) AddPage("Time Sig", new TNtnPropTimeSigPage(this, data.timeSig));
  if (data.bar.count > 0) AddPage("Bar Line", new TNtnPropBarLinePage(this, data.bar));
  if (data.ShowsSingle(ntSpecialEnding)) AddPage("Special Ending", new TNtnPropSpclEndingPage(this, data.ending));
  if (data.ShowsSingle(ntTempo)) AddPage("Tempo", new TNtnPropTempoPage(this, data.tempo));
  if (data.ShowsSingle(ntTempoVariance))
    AddPage("Tempo Variance", new TNtnPropTempoVariancePage(this, data.tempoVariance));
  if (data.ShowsSingle(ntPerformanceStyle))
    AddPage("Performance Style", new TNtnPropListPage(this, TNtnPropListPage::kPerformanceStyleId,
                                                      kVocabPerformanceStyles, data.performanceStyle.style));
  if (data.ShowsSingle(ntFlowDirection))
    AddPage("Flow Direction",
            new TNtnPropListPage(this, TNtnPropListPage::kFlowDirectionId, kVocabFlowDirections, data.flow.style));
  if (data.ShowsSingle(ntDynamicLevel)) AddPage("Dynamic", new TNtnPropDynamicPage(this, data.dynamic));
  if (data.ShowsSingle(ntDynamicVariance))
    AddPage("Dynamic Variance", new TNtnPropListPage(this, TNtnPropListPage::kDynamicVarianceId, kVocabDynamicVariances,
                                                     data.dynamicVariance.style));
  if (data.ShowsSingle(ntSustainPedal))
    AddPage("Pedal", new TNtnPropListPage(this, TNtnPropListPage::kPedalId, kVocabPedalMarks, data.pedal.choice));
  if (data.ShowsSingle(ntPatch)) AddPage("Instrument", new TNtnPropInstrumentPage(this, data.patch.record));
  if (data.ShowsSingle(ntGenericControl)) AddPage("MPC", new TNtnPropMPCPage(this, data.controller));
  if (data.ShowsSingle(ntTextExpression)) AddPage("Text Expression", new TNtnPropTextPage(this, data.text));
  if (data.expression.count > 0) AddPage("Expression Placement", new TNtnPropPlacementPage(this, data.expression));
  if (data.notes.count > 0) AddPage("Notes", new TNtnPropNotesPage(this, data.notes));
  if (data.rests.count > 0) AddPage("Rests", new TNtnPropRestsPage(this, data.rests));
  if (data.visibility.count > 0) AddPage("Visibility", new TNtnPropVisibilityPage(this, data.visibility));
}
