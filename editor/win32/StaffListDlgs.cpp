#include "editor/win32/StaffListDlgs.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "editor/StaffListRows.h"
#include "framework/ColumnHeader.h"
#include "framework/ColumnListBox.h"
#include "framework/MultiSelListBox.h"

namespace {

constexpr int kMuteList = 101;
constexpr int kPlayAll = 110;
constexpr int kMuteAll = 111;
constexpr int kReverseAll = 112;
constexpr int kMoveName = 101;
constexpr int kMoveList = 102;
// The name is shown in at most 60 characters.
constexpr int kMoveNameLimit = 60;

using RMute = TResponse<TMuteListDlg>;
constexpr RMute kMuteResponses[] = {
    RMute::Command(kPlayAll, &TMuteListDlg::CmPlayAll),
    RMute::Command(kMuteAll, &TMuteListDlg::CmMuteAll),
    RMute::Command(kReverseAll, &TMuteListDlg::CmReverseAll),
};

constexpr int kReviewHeader = 100;
constexpr int kReviewList = 101;
constexpr const char* kReviewColumns[] = {"Name", "Partition", "Mute", "Port", "Channel", "Patch", "Trans"};
constexpr int kReviewColumnWidth = 100;
// Column widths follow the header text and the rows' contents.
constexpr int kAutoSizeToContent = 1;


}  // namespace

void TQVKStaffNameList::Fill(const TMusicScore& score) {
  ClearList();
  if (tabMode_) {
    const int stops[5] = {100, 116, 132, 148, 170};
    SendMessage(LB_SETTABSTOPS, 5, reinterpret_cast<LPARAM>(stops));
  }
  for (int i = 0; i < score.StaffCount(); ++i) AddString(StaffNameRowText(*score.GetStaff(i), tabMode_).c_str());
}

TMuteListDlg::TMuteListDlg(TWindow* parent, const TMusicScore& score, std::vector<bool>& muted)
    : TMCTDialog(parent, kResourceId), score_(score), muted_(muted) {
  list_ = new TQXTMultiSelListBox(this, kMuteList);
}

bool TMuteListDlg::Find(TEvent& ev) { return ev.Dispatch(this, kMuteResponses) || TMCTDialog::Find(ev); }

void TMuteListDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  list_->ClearList();
  for (int i = 0; i < score_.StaffCount(); ++i) {
    list_->AddString(score_.GetStaff(i)->GetName());
    if (static_cast<std::size_t>(i) < muted_.size()) list_->SetSel(i, muted_[static_cast<std::size_t>(i)]);
  }
}

void TMuteListDlg::SelectRows(int how) {
  for (int i = 0; i < list_->GetCount(); ++i) list_->SetSel(i, how == 2 ? !list_->GetSel(i) : how == 1);
}

void TMuteListDlg::CmOk() {
  muted_.assign(static_cast<std::size_t>(score_.StaffCount()), false);
  for (int i = 0; i < list_->GetCount() && i < score_.StaffCount(); ++i) muted_[static_cast<std::size_t>(i)] = list_->GetSel(i);
  TMCTDialog::CmOk();
}

bool TStaffRowDlg::Find(TEvent& ev) {
  if (ev.msg == WM_COMMAND && LOWORD(ev.wParam) == listId_ && HIWORD(ev.wParam) == LBN_DBLCLK) {
    if (!ev.probe) CmOk();
    ev.result = 0;
    return true;
  }
  return TMCTDialog::Find(ev);
}

void TStaffRowDlg::CmOk() {
  const int chosen = rows_ ? rows_->GetSelIndex() : -1;
  if (chosen >= 0) chosen_ = chosen;
  TMCTDialog::CmOk();
}

TMoveStaffDlg::TMoveStaffDlg(TWindow* parent, const TMusicScore& score, int staff)
    : TStaffRowDlg(parent, kResourceId, score, staff, kMoveList) {
  list_ = new TQVKStaffNameList(this, kMoveList, false);
  SetRows(list_);
}

void TMoveStaffDlg::SetupWindow() {
  TStaffRowDlg::SetupWindow();
  const TMusicStaff* staff = score_.GetStaff(chosen_);
  char name[kMoveNameLimit + 1] = {};
  std::snprintf(name, sizeof name, "%s", staff ? staff->GetName() : "");
  SetDlgItemTextA(GetHandle(), kMoveName, name);
  list_->Fill(score_);
  list_->SetSelIndex(chosen_);
}


TScoreReviewDlg::TScoreReviewDlg(TWindow* parent, const TMusicScore& score, int staff)
    : TStaffRowDlg(parent, kResourceId, score, staff, kReviewList) {
  // Made by the dialog, not its template: the header's window class is registered when the
  // control is created. SetupWindow puts it above the list.
  header_ = new TQVColumnHeader(this, kReviewHeader, 0, 0, 10, 10);
  for (const char* name : kReviewColumns) header_->AddItem(new TQVHdrItem(name, nullptr, kReviewColumnWidth));
  list_ = new TQVColumnListBox(header_, kReviewList);
  SetRows(list_);
}

void TScoreReviewDlg::SetupWindow() {
  TStaffRowDlg::SetupWindow();
  RECT box;
  ::GetWindowRect(list_->GetHandle(), &box);
  MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT*>(&box), 2);
  const int height = std::max(GetSystemMetrics(SM_CYMENU), 16);
  ::MoveWindow(header_->GetHandle(), box.left, box.top - height, box.right - box.left, height, TRUE);
  list_->ClearList();
  for (int i = 0; i < score_.StaffCount(); ++i) list_->AddString(StaffColumnRowText(*score_.GetStaff(i)).c_str());
  list_->SetSelIndex(chosen_);
  list_->AutoSizeColumns(kAutoSizeToContent);
}
