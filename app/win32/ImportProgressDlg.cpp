#include "app/win32/ImportProgressDlg.h"

TImportProgressDlg::~TImportProgressDlg() {
  if (dialog_ && dialog_->GetHandle()) dialog_->CloseDialog();
}

void TImportProgressDlg::Start(int steps, const char* message) {
  if (!dialog_) {
    auto dialog = std::make_unique<TLongTaskDlg>(parent_, kResourceId, 1, 1);
    // Without its window the conversion still runs, only unseen and not cancellable.
    if (!dialog->Create()) return;
    dialog_ = std::move(dialog);
  }
  done_ = 0;
  dialog_->SetMessage("%s", message);
  dialog_->StartGauge(steps);
}

void TImportProgressDlg::Advance(int steps) {
  if (!dialog_) return;
  done_ += steps;
  dialog_->SetGaugeValue(done_);
}
