#include "earlier/editor/win32/TransposeDialogs.h"

#include <windows.h>

#include "QVKNTN/MusicStaff.h"
#include "app/win32/MCTDialog.h"
#include "earlier/editor/EarlierEditRules.h"
#include "editor/ScoreUndo.h"
#include "editor/win32/ScoreEdit.h"
#include "foundation/QVBusyCursor.h"
#include "framework/EditNumber.h"
#include "framework/ResponseTable.h"

namespace {

constexpr int kTransposeDialog = 552;
constexpr int kWarningDialog = 553;
constexpr int kShowNext = 101;

class TStaffTransposeDlg : public TMCTDialog {
public:
  TStaffTransposeDlg(TWindow* parent, int& semitones, bool& follow)
      : TMCTDialog(parent, kTransposeDialog), semitones_(semitones), follow_(follow) {
    edit_ = new TEditNumber(this, 101, TNumberRange{-12, 12, 1});
  }
  void SetupWindow() override {
    TMCTDialog::SetupWindow();
    edit_->SetValue(0);
    CheckDlgButton(GetHandle(), 102, BST_CHECKED);
  }
  void CmOk() override {
    if (!CanClose()) return;
    semitones_ = edit_->GetValue();
    follow_ = IsDlgButtonChecked(GetHandle(), 102) == BST_CHECKED;
    Destroy(IDOK);
  }

private:
  int& semitones_;
  bool& follow_;
  TEditNumber* edit_;
};

// Holds the view, its staff, the semitones and the chord shown; the view's caret marks the chord.
class TTransposeWarnDlg : public TMCTDialog {
public:
  TTransposeWarnDlg(TScoreEdit& view, TMusicStaff& staff, int semitones, int chord)
      : TMCTDialog(&view, kWarningDialog), view_(view), staff_(staff), semitones_(semitones), chord_(chord) {
    SetKeepPosition(true);
  }
  bool Find(TEvent& ev) override { return ev.Dispatch(this, kResponses) || TMCTDialog::Find(ev); }
  void SetupWindow() override {
    TMCTDialog::SetupWindow();
    Show(chord_);
  }
  void CmShowNext() { Show(staff_.FindUntransposable(semitones_, chord_)); }

private:
  void Show(int chord) {
    if (chord <= 0) {
      // Nothing further: the chord shown stays, and the button can do no more.
      ::EnableWindow(TWindow::GetDlgItem(kShowNext), FALSE);
      return;
    }
    chord_ = chord;
    view_.MoveCaretTo(chord, false);
    view_.MoveCaretTo(chord + 1, true);
    view_.ScrollToCaret();
    view_.RefreshAll();
    if (staff_.FindUntransposable(semitones_, chord_) == 0) ::EnableWindow(TWindow::GetDlgItem(kShowNext), FALSE);
    Place();
  }
  void Place() {
    POINT caret{0, 0};
    GetCaretPos(&caret);
    ClientToScreen(view_.GetHandle(), &caret);
    RECT r;
    ::GetWindowRect(GetHandle(), &r);
    const earlier_rules::TPoint2 at = earlier_rules::TransposeWarningPosition(
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), caret.y, r.right - r.left, r.bottom - r.top);
    SetWindowPos(GetHandle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  using R = TResponse<TTransposeWarnDlg>;
  static constexpr R kResponses[] = {R::Command(kShowNext, &TTransposeWarnDlg::CmShowNext)};
  TScoreEdit& view_;
  TMusicStaff& staff_;
  int semitones_;
  int chord_;
};

}  // namespace

void RunEarlierTransposeCommand(TScoreEdit& view) {
  TMusicStaff* staff = view.GetCurrentStaff();
  if (!staff) return;
  int semitones = 0;
  bool follow = true;
  TStaffTransposeDlg ask(&view, semitones, follow);
  if (ask.Execute() != IDOK) return;
  if (const int chord = staff->FindUntransposable(semitones, 0)) {
    TTransposeWarnDlg warn(view, *staff, semitones, chord);
    if (warn.Execute() != IDOK) return;
  }
  TQVBusyCursor busy;
  if (!view.Editing().RecordUndo(TUndoKind::StaffContent, kUndoCmdTransposeStaff, 0)) return;
  staff->Transpose(semitones, 0);
  // Playback sounds as before: the staff's own transposition takes the difference back.
  if (follow) staff->SetTransposition(staff->GetTransposition() - semitones);
  view.RefreshAll();
}
