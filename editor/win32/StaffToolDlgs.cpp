#include "editor/win32/StaffToolDlgs.h"

#include <algorithm>

#include "QVKNTN/MusicStaff.h"
#include "editor/win32/ScoreEdit.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Edit.h"
#include "framework/EditNumber.h"
#include "framework/SpinButton.h"

namespace {

constexpr int kSemitones = 101;
constexpr int kUpdatePlayback = 102;
constexpr int kFirstPreference = 110;

constexpr int kByExpression = 100;
constexpr int kByCategory = 101;
constexpr int kFindText = 200;
constexpr int kCategoryList = 210;

constexpr int kMeasureNumber = 101;
// Goto reaches this many bars past the first.
constexpr int kGotoBars = 5000;

// The warning keeps this far from the screen's top and bottom.
constexpr int kScreenMargin = 10;

using RWarn = TResponse<TRespellWarnDlg>;
constexpr RWarn kWarnResponses[] = {RWarn::Command(TRespellWarnDlg::kShowNext, &TRespellWarnDlg::CmShowNext)};

using RFind = TResponse<TFindDlg>;
constexpr RFind kFindResponses[] = {
    RFind::Command(kByExpression, &TFindDlg::CmModeChanged),
    RFind::Command(kByCategory, &TFindDlg::CmModeChanged),
};

}  // namespace

TStaffTransposeDlg::TStaffTransposeDlg(TWindow* parent, TTransposeSettings& settings)
    : TMCTDialog(parent, kResourceId), settings_(settings) {
  semitones_ = new TEditNumber(this, kSemitones, TNumberRange{-12, 12, 1});
  new TSpinButton(semitones_);
  playback_ = new TCheckBox(this, kUpdatePlayback);
}

void TStaffTransposeDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  semitones_->SetValue(std::clamp(settings_.semitones, -12, 12));
  playback_->SetCheck(settings_.updatePlayback ? BST_CHECKED : BST_UNCHECKED);
  const int preference = std::clamp(settings_.preference, 0, 2);
  CheckRadioButton(GetHandle(), kFirstPreference, kFirstPreference + 2, kFirstPreference + preference);
}

void TStaffTransposeDlg::CmOk() {
  if (!semitones_->CanClose()) return;
  settings_.semitones = semitones_->GetValue();
  settings_.updatePlayback = playback_->GetCheck() == BST_CHECKED;
  for (int i = 0; i < 3; ++i) {
    if (IsDlgButtonChecked(GetHandle(), kFirstPreference + i) == BST_CHECKED) settings_.preference = i;
  }
  TMCTDialog::CmOk();
}

int FirstRespellProblem(int resourceId, TScoreEdit& view, int semitones) {
  TMusicStaff* staff = view.GetCurrentStaff();
  if (!staff) return 0;
  return resourceId == TRespellWarnDlg::kSpellingWarning ? NextChordClash(*staff, 0)
                                                          : NextTransposeProblem(*staff, semitones, 0);
}

TRespellWarnDlg::TRespellWarnDlg(int resourceId, TScoreEdit& view, int semitones)
    : TMCTDialog(&view, resourceId), resourceId_(resourceId), view_(view), semitones_(semitones) {
  SetKeepPosition(true);
}

bool TRespellWarnDlg::Find(TEvent& ev) { return ev.Dispatch(this, kWarnResponses) || TMCTDialog::Find(ev); }

int TRespellWarnDlg::Search(int after) const {
  TMusicStaff* staff = view_.GetCurrentStaff();
  if (!staff) return 0;
  return resourceId_ == kSpellingWarning ? NextChordClash(*staff, after) : NextTransposeProblem(*staff, semitones_, after);
}

void TRespellWarnDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  problem_ = Search(0);
  ShowProblem();
}

void TRespellWarnDlg::CmShowNext() {
  const int next = Search(problem_);
  if (next > 0) problem_ = next;
  ShowProblem();
}

void TRespellWarnDlg::ShowProblem() {
  if (problem_ > 0) {
    view_.MoveCaretTo(problem_, false);
    view_.MoveCaretTo(problem_ + 1, true);
    view_.ScrollToCaret();
  }
  const bool more = problem_ > 0 && Search(problem_) > 0;
  ::EnableWindow(GetDlgItem(kShowNext), more);
  PlaceBesideCaret();
}

void TRespellWarnDlg::PlaceBesideCaret() {
  RECT box;
  ::GetWindowRect(GetHandle(), &box);
  const int width = box.right - box.left;
  const int height = box.bottom - box.top;
  const int screenW = GetSystemMetrics(SM_CXSCREEN);
  const int screenH = GetSystemMetrics(SM_CYSCREEN);
  POINT caret{0, screenH / 2};
  if (view_.GetHandle() && GetCaretPos(&caret)) ClientToScreen(view_.GetHandle(), &caret);
  const int caretY = static_cast<int>(caret.y);
  int top;
  if (caretY > screenH / 2) {
    // Lower half: centred between the screen's top and the caret.
    top = std::max((caretY - height) / 2, kScreenMargin);
  } else {
    top = std::min(caretY + (screenH - caretY - height) / 2, screenH - kScreenMargin - height);
  }
  SetWindowPos(GetHandle(), nullptr, (screenW - width) / 2, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TFindDlg::TFindDlg(TWindow* parent, TQVEditFindData& data) : TMCTDialog(parent, kResourceId), data_(data) {
  text_ = new TEdit(this, kFindText, TQVEditFindData::kTextSize - 1);
  categories_ = new TComboBox(this, kCategoryList);
}

bool TFindDlg::Find(TEvent& ev) { return ev.Dispatch(this, kFindResponses) || TMCTDialog::Find(ev); }

void TFindDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  for (int i = 0; i < kFindCategoryCount; ++i) categories_->AddString(FindCategoryName(i));
  categories_->SetSelIndex(std::clamp(data_.category, 0, kFindCategoryCount - 1));
  text_->SetText(data_.text);
  const bool byCategory = data_.mode == TQVEditFindData::kByCategory;
  CheckRadioButton(GetHandle(), kByExpression, kByCategory, byCategory ? kByCategory : kByExpression);
  EnableForMode(byCategory);
}

void TFindDlg::EnableForMode(bool byCategory) {
  text_->EnableWindow(!byCategory);
  categories_->EnableWindow(byCategory);
  if (byCategory)
    categories_->SetFocus();
  else
    text_->SetFocus();
}

void TFindDlg::CmModeChanged() { EnableForMode(IsDlgButtonChecked(GetHandle(), kByCategory) == BST_CHECKED); }

void TFindDlg::CmOk() {
  if (IsDlgButtonChecked(GetHandle(), kByCategory) == BST_CHECKED) {
    data_.SetCategory(std::max(categories_->GetSelIndex(), 0));
  } else {
    data_.SetExpression(text_->GetWindowTextString().c_str());
  }
  TMCTDialog::CmOk();
}

TGotoMeasureDlg::TGotoMeasureDlg(TWindow* parent, int first, int& number)
    : TMCTDialog(parent, kResourceId), number_(number) {
  edit_ = new TEditNumber(this, kMeasureNumber, TNumberRange{first, first + kGotoBars, 1});
}

void TGotoMeasureDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  edit_->SetValue(number_);
}

void TGotoMeasureDlg::CmOk() {
  if (!edit_->CanClose()) return;
  number_ = edit_->GetValue();
  TMCTDialog::CmOk();
}
