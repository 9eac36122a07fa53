// The earlier line's staff properties have no Instrument page: the Midi page shows the staff's
// default instrument in two texts and changes it in the patch dialog ("Chan&ge...").
#include "QVKNTN/MusicStaff.h"
#include "earlier/editor/EarlierEditRules.h"
#include "earlier/editor/win32/ItemDialogs.h"
#include "editor/win32/StaffPropDlg.h"
#include "editor/win32/StaffPropMidiTab.h"
#include "framework/ResponseTable.h"
#include "framework/Static.h"

namespace {

constexpr int kBankText = 104;
constexpr int kPatchText = 105;
constexpr int kChangeButton = 111;

class TStaffPlaybackTab : public TStaffPropMidiTab {
public:
  TStaffPlaybackTab(TQVKPropertyDlg* sheet, TMusicStaff& copy) : TStaffPropMidiTab(sheet, copy) {
    bank_ = new TStatic(this, kBankText);
    patch_ = new TStatic(this, kPatchText);
  }
  void SetupWindow() override {
    TStaffPropMidiTab::SetupWindow();
    ShowInstrument();
  }
  bool Find(TEvent& ev) override;

  void CmChange() {
    TStaffInstrument transfer = copy_.GetInstrument();
    TPatchDlg dialog(this, transfer);
    if (dialog.Execute() != IDOK) return;
    copy_.SetInstrument(transfer);
    ShowInstrument();
  }

private:
  void ShowInstrument() {
    bank_->SetText(earlier_rules::BankSelectText(copy_.GetInstrument()).c_str());
    patch_->SetText(earlier_rules::PatchSelectText(copy_.GetInstrument()).c_str());
  }

  TStatic* bank_;
  TStatic* patch_;
};

using R = TResponse<TStaffPlaybackTab>;
constexpr R kResponses[] = {R::Command(kChangeButton, &TStaffPlaybackTab::CmChange)};

bool TStaffPlaybackTab::Find(TEvent& ev) { return ev.Dispatch(this, kResponses) || TStaffPropMidiTab::Find(ev); }

}  // namespace

void TStaffPropDialog::AddLinePages(TMusicStaff& copy) { AddPage("Midi", new TStaffPlaybackTab(this, copy)); }
