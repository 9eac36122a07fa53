#include "app/win32/HistoryListDlg.h"

#include "app/FileHistory.h"
#include "app/FileTemplates.h"
#include "framework/ColumnHeader.h"
#include "framework/ColumnListBox.h"
#include "resources/NewFileIds.h"

namespace {
using R = TResponse<THistoryListDlg>;
constexpr R kResponses[] = {
    R::Command(IDC_HISTORY_CLEAR, &THistoryListDlg::CmClear),
    R::Notify(IDC_HISTORY_LIST, LBN_DBLCLK, &THistoryListDlg::EvDoubleClick),
};
const char* const kColumns[] = {"#", "Filename", "Song Title", "Location"};
constexpr int kColumnWidths[] = {24, 120, 150, 200};
}  // namespace

THistoryListDlg::THistoryListDlg(TWindow* parent, TFileHistory& history)
    : TMCTDialog(parent, kResourceId), history_(history) {
  header_ = new TQVColumnHeader(this, IDC_HISTORY_HEADER, 0, 0, 10, 10);
  for (int i = 0; i < 4; ++i) header_->AddItem(new TQVHdrItem(kColumns[i], nullptr, kColumnWidths[i]));
  list_ = new TQVColumnListBox(header_, IDC_HISTORY_LIST, 0, 0, 10, 10);
}

bool THistoryListDlg::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TMCTDialog::Find(ev); }

void THistoryListDlg::SetupWindow() {
  // The list fills the dialog above its buttons.
  RECT r = {6, 6, 314, 124};
  MapDialogRect(GetHandle(), &r);
  constexpr int kHeaderHeight = 18;
  header_->Attr.x = list_->Attr.x = r.left;
  header_->Attr.w = list_->Attr.w = r.right - r.left;
  header_->Attr.y = r.top;
  header_->Attr.h = kHeaderHeight;
  list_->Attr.y = r.top + kHeaderHeight;
  list_->Attr.h = r.bottom - r.top - kHeaderHeight;
  TMCTDialog::SetupWindow();
  for (int i = 0; i < TFileHistory::kCount && history_.Entry(i).path[0]; ++i) {
    list_->AddString(HistoryRowText(i, history_.Entry(i)).c_str());
  }
}

bool THistoryListDlg::CanClose() {
  if (list_->GetSelIndex() >= 0) return true;
  list_->SetFocus();
  return false;
}

void THistoryListDlg::CmOk() {
  if (!CanClose()) return;
  choice_ = list_->GetSelIndex();
  TMCTDialog::CmOk();
}

void THistoryListDlg::CmClear() {
  list_->ClearList();
  history_.Clear();
}

LRESULT THistoryListDlg::EvDoubleClick(WPARAM, LPARAM) {
  CmOk();
  return 0;
}

std::string THistoryListDlg::RunHistoryDialog(TWindow* parent, TFileHistory& history) {
  THistoryListDlg dialog(parent, history);
  if (dialog.Execute() != IDOK) return std::string();
  const int i = dialog.GetChoice();
  if (i < 0 || i >= TFileHistory::kCount) return std::string();
  return history.Entry(i).path;
}
