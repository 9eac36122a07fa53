#include "editor/win32/StaffPropDlg.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "app/win32/QVKPropertyPage.h"
#include "framework/CheckBox.h"
#include "framework/ColorComboBox.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/EditNumber.h"
#include "QVKNTN/win32/StaffColorHandles.h"
#include "app/win32/VellichordApp.h"
#include "app/win32/ShellGlobals.h"

namespace {

constexpr int kGeneralPage = 586;
constexpr int kVisualPage = 587;

constexpr const char* kEndBarNames[] = {"Section Close", "Master Repeat Close", "Single", "Double", "Open (hidden)"};
constexpr const char* kStyleNames[] = {"Standard", "Upper Grand Staff", "Lower Grand Staff", "Orchestral"};
constexpr const char* kColorNames[] = {"Default", "Highlight 1", "Highlight 2", "Highlight 3"};

class TStaffPropGeneralTab : public TQVKPropertyPage {
public:
  TStaffPropGeneralTab(TQVKPropertyDlg* sheet, const TMusicScore& score, TMusicStaff& copy, int index)
      : TQVKPropertyPage(sheet, kGeneralPage), score_(score), copy_(copy), index_(index) {
    name_ = new TEdit(this, 100, TMusicStaff::kNameSize - 1);
    group_ = new TComboBox(this, 101, TMusicStaff::kGroupSize - 1);
    endBar_ = new TComboBox(this, 102);
  }
  void SetupWindow() override {
    TQVKPropertyPage::SetupWindow();
    name_->SetText(copy_.GetName());
    struct TGroups : TStringListSink {
      TComboBox* combo;
      void ClearStrings() override { combo->ClearList(); }
      void AddString(const char* text) override { combo->AddString(text); }
    } groups;
    groups.combo = group_;
    score_.FillGroupList(groups);
    group_->SetText(copy_.GetGroupName());
    for (const char* name : kEndBarNames) endBar_->AddString(name);
    endBar_->SetSelIndex(copy_.GetEndBarStyle());
  }
  bool IsPageValid() override {
    const std::string name = TrimStaffName(name_->GetWindowTextString().c_str());
    const TStaffNameCheck check = CheckStaffName(score_, index_, name);
    if (check == TStaffNameCheck::Ok) return true;
    MessageBox(check == TStaffNameCheck::Empty
                   ? "Please specify a name for this staff."
                   : "The specified staff name is already in use by another staff.\n\nPlease give it a unique name.",
               "Staff Name Problem", MB_OK | MB_ICONEXCLAMATION);
    name_->SetFocus();
    return false;
  }
  bool CanLeave() override { return IsPageValid() && TQVKPropertyPage::CanLeave(); }
  bool Apply() override {
    copy_.SetName(TrimStaffName(name_->GetWindowTextString().c_str()).c_str());
    copy_.SetGroupName(group_->GetText().c_str());
    const int bar = endBar_->GetSelIndex();
    if (bar >= 0) copy_.SetEndBarStyle(bar);
    return TQVKPropertyPage::Apply();
  }

private:
  const TMusicScore& score_;
  TMusicStaff& copy_;
  int index_;
  TEdit* name_;
  TComboBox* group_;
  TComboBox* endBar_;
};

class TStaffPropVisualTab : public TQVKPropertyPage {
public:
  TStaffPropVisualTab(TQVKPropertyDlg* sheet, TMusicStaff& copy) : TQVKPropertyPage(sheet, kVisualPage), copy_(copy) {
    style_ = new TComboBox(this, 109);
    lines_ = new TEditNumber(this, 110, TNumberRange{0, TMusicStaff::kMaxLines, 1});
    upper_ = new TEditNumber(this, 106, TNumberRange{1, TMusicStaff::kMaxExtent, 1});
    lower_ = new TEditNumber(this, 107, TNumberRange{1, TMusicStaff::kMaxExtent, 1});
    layer_ = new TCheckBox(this, 108);
    color_ = new TQVColorComboBox(this, 115);
  }
  void SetupWindow() override {
    TQVKPropertyPage::SetupWindow();
    const TStaffVisualValues v = StaffVisualOf(copy_);
    for (const char* name : kStyleNames) style_->AddString(name);
    style_->SetSelIndex(v.style);
    lines_->SetValue(v.lines);
    upper_->SetValue(v.upper);
    lower_->SetValue(v.lower);
    layer_->SetCheck(v.layer ? BST_CHECKED : BST_UNCHECKED);
    // The highlights are drawn in the staff colours 5 to 7.
    for (int i = 0; i < 4; ++i) {
      const COLORREF c = i && gApp ? gApp->StaffColors().GetColor(4 + i) : GetSysColor(COLOR_WINDOWTEXT);
      color_->AddColor(kColorNames[i], c);
    }
    color_->SetSelIndex(v.color);
  }
  TStaffVisualValues Values() const {
    TStaffVisualValues v;
    v.style = std::max(style_->GetSelIndex(), 0);
    v.lines = lines_->GetValue();
    v.upper = upper_->GetValue();
    v.lower = lower_->GetValue();
    v.layer = layer_->GetCheck() == BST_CHECKED ? 1 : 0;
    v.color = std::max(color_->GetSelIndex(), 0);
    return v;
  }
  bool IsPageValid() override {
    const TStaffVisualValues v = Values();
    switch (CheckStaffVisual(v.style, v.lines, v.upper, v.lower)) {
      case TStaffVisualCheck::Ok: return true;
      case TStaffVisualCheck::GrandNeedsFiveLines:
        MessageBox("Members of a Grand Staff must use 5 lines per staff.", "Problem", MB_OK | MB_ICONEXCLAMATION);
        lines_->SetFocus();
        return false;
      case TStaffVisualCheck::SizeBelowLines:
        MessageBox("The staff vertical size cannot be less than the number of staff lines.", "Problem",
                   MB_OK | MB_ICONEXCLAMATION);
        upper_->SetFocus();
        return false;
    }
    return false;
  }
  bool CanLeave() override { return IsPageValid() && TQVKPropertyPage::CanLeave(); }
  bool Apply() override {
    StoreStaffVisual(copy_, Values());
    return TQVKPropertyPage::Apply();
  }

private:
  TMusicStaff& copy_;
  TComboBox* style_;
  TEditNumber* lines_;
  TEditNumber* upper_;
  TEditNumber* lower_;
  TCheckBox* layer_;
  TQVColorComboBox* color_;
};

}  // namespace

TStaffPropDialog::TStaffPropDialog(TWindow* parent, const TMusicScore& score, TMusicStaff& copy, int index)
    : TQVKPropertyDlg(parent, kResourceId, kResourceId, kStandardStyle),
      copy_(copy),
      opened_(InstrumentRecordOf(copy.GetInstrument())),
      instrument_(opened_) {
  AddPage("General", new TStaffPropGeneralTab(this, score, copy, index));
  AddPage("Visual", new TStaffPropVisualTab(this, copy));
  AddLinePages(copy);
}

void TStaffPropDialog::SetupWindow() {
  TQVKPropertyDlg::SetupWindow();
  char title[64];
  std::snprintf(title, sizeof title, "Properties for %s", copy_.GetName());
  SetWindowText(title);
}

void TStaffPropDialog::StoreInstrument() {
  if (instrument_.bankSelect == opened_.bankSelect && instrument_.bank == opened_.bank &&
      instrument_.patch == opened_.patch)
    return;
  copy_.SetInstrument(InstrumentOf(instrument_));
}
