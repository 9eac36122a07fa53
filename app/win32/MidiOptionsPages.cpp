#include "app/win32/MidiOptionsPages.h"

#include <string>
#include <vector>

#include "app/win32/PageControls.h"
#include "framework/EditNumber.h"
#include "framework/SpinButton.h"
#include "midi/win32/MidiManager.h"

using namespace page_controls;

namespace {

std::vector<std::string> ListLines(HWND list) {
  std::vector<std::string> lines;
  char text[kMidiDeviceNameSize * 2];
  for (LRESULT i = 0, n = ::SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
    if (::SendMessageA(list, LB_GETTEXTLEN, WPARAM(i), 0) >= LRESULT(sizeof text)) {
      lines.emplace_back();
      continue;
    }
    ::SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
    lines.emplace_back(text);
  }
  return lines;
}

// Ports are opened now unless they are opened for each play only.
void OpenPortsUnlessPerPlay(TOptionsHost& host) {
  if (gMidiManager && host.Options()[kOptMidiPortUsage] != 1) gMidiManager->AcquireDevices(true);
}

}  // namespace

// Midi page.

TMidiOptionsDlg::TMidiOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host)
    : TQVKPropertyPage(sheet, kOptionPages[int(TOptionPage::kMidi)].dialogId), host_(host) {}

void TMidiOptionsDlg::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  HWND page = GetHandle();
  FillList(GetDlgItem(kPlayFrom), kPlayFromNames);
  FillList(GetDlgItem(kPortUsage), kPortUsageNames);
  const TMidiPageState state = LoadMidiPage(host_);
  Select(page, kPlayFrom, state.playFrom);
  Select(page, kPortUsage, state.portUsage);
  if (gMidiManager) gMidiManager->FillOutPortLists(GetDlgItem(kAvailable), GetDlgItem(kChosen));
  UpdateButtons();
}

void TMidiOptionsDlg::UpdateButtons() {
  ::EnableWindow(GetDlgItem(kAdd), ::SendDlgItemMessageA(GetHandle(), kAvailable, LB_GETCURSEL, 0, 0) >= 0);
  ::EnableWindow(GetDlgItem(kRemove), ::SendDlgItemMessageA(GetHandle(), kChosen, LB_GETCURSEL, 0, 0) >= 0);
}

void TMidiOptionsDlg::MoveSelected(int from, int to) {
  HWND source = GetDlgItem(from);
  const LRESULT at = ::SendMessageA(source, LB_GETCURSEL, 0, 0);
  if (at < 0) return;
  const LRESULT length = ::SendMessageA(source, LB_GETTEXTLEN, WPARAM(at), 0);
  if (length < 0) return;
  std::string text(size_t(length) + 1, '\0');
  ::SendMessageA(source, LB_GETTEXT, WPARAM(at), reinterpret_cast<LPARAM>(text.data()));
  ::SendMessageA(source, LB_DELETESTRING, WPARAM(at), 0);
  // The available list sorts itself; the chosen list keeps the order of the ports.
  ::SendMessageA(GetDlgItem(to), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  UpdateButtons();
}

LRESULT TMidiOptionsDlg::EvCommand(UINT id, HWND control, UINT notifyCode) {
  if ((id == kAvailable || id == kChosen) && (notifyCode == LBN_SELCHANGE || notifyCode == LBN_SELCANCEL)) {
    UpdateButtons();
    return 0;
  }
  if (notifyCode == BN_CLICKED) {
    switch (id) {
    case kAdd: MoveSelected(kAvailable, kChosen); return 0;
    case kRemove: MoveSelected(kChosen, kAvailable); return 0;
    case kTimer: {
      TMidiAdvConfigDlg dialog(this);
      RunChildDialog(dialog);
      return 0;
    }
    default: break;
    }
  }
  return TQVKPropertyPage::EvCommand(id, control, notifyCode);
}

bool TMidiOptionsDlg::CanClose() {
  HWND chosen = GetDlgItem(kChosen);
  const uint16_t failed = gMidiManager ? gMidiManager->TestOutPorts(chosen) : 0;
  if (failed) {
    const std::string text = PlayDeviceFailureText(failed, ListLines(chosen));
    ::MessageBoxA(GetHandle(), text.c_str(), kPlayDeviceFailureCaption, MB_OK | MB_ICONINFORMATION);
    ::SetFocus(chosen);
    return false;
  }
  return TQVKPropertyPage::CanClose();
}

bool TMidiOptionsDlg::Apply() {
  HWND page = GetHandle();
  ApplyMidiPage({Selection(page, kPlayFrom), Selection(page, kPortUsage)}, host_);
  if (!gMidiManager) return true;
  // A port that now names another device must not keep the old device open: the devices are
  // given up and opened again by their new names.
  const bool acquired = gMidiManager->AreDevicesAcquired();
  if (acquired) gMidiManager->AcquireDevices(false);
  gMidiManager->SetOutPortsFromList(GetDlgItem(kChosen));
  OpenPortsUnlessPerPlay(host_);
  host_.SaveSettings();
  gMidiManager->SavePortSettings();
  return true;
}

// Record page.

TRecordOptionsDlg::TRecordOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host)
    : TQVKPropertyPage(sheet, kOptionPages[int(TOptionPage::kRecord)].dialogId), host_(host) {}

void TRecordOptionsDlg::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  HWND page = GetHandle();
  HWND channels = GetDlgItem(kEchoChannel);
  for (const std::string& name : EchoChannelNames())
    ::SendMessageA(channels, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  FillList(GetDlgItem(kImportAction), kRecImportNames);
  if (gMidiManager) {
    gMidiManager->FillInPortCombo(GetDlgItem(kInput));
    gMidiManager->FillPortNameList(GetDlgItem(kEchoPort));
    ::CheckDlgButton(page, kEcho, gMidiManager->IsEchoEnabled() ? BST_CHECKED : BST_UNCHECKED);
    Select(page, kEchoPort, gMidiManager->GetEchoPort());
    Select(page, kEchoChannel, EchoChannelIndex(gMidiManager->GetEchoChannel()));
  }
  Select(page, kImportAction, LoadRecordPage(host_).importAction);
}

bool TRecordOptionsDlg::CanClose() {
  HWND input = GetDlgItem(kInput);
  if (gMidiManager && !gMidiManager->TestInPort(input)) {
    ::MessageBoxA(GetHandle(), kRecordDeviceFailureText, kRecordDeviceFailureCaption, MB_OK | MB_ICONINFORMATION);
    ::SetFocus(input);
    return false;
  }
  return TQVKPropertyPage::CanClose();
}

bool TRecordOptionsDlg::Apply() {
  HWND page = GetHandle();
  if (gMidiManager) {
    gMidiManager->ClearEcho();
    if (::IsDlgButtonChecked(page, kEcho) == BST_CHECKED)
      gMidiManager->SetEcho(Selection(page, kEchoPort), Selection(page, kEchoChannel));
    gMidiManager->SetInPortFromControl(GetDlgItem(kInput));
  }
  ApplyRecordPage({Selection(page, kImportAction)}, host_);
  if (!gMidiManager) return true;
  gMidiManager->SavePortSettings();
  OpenPortsUnlessPerPlay(host_);
  return true;
}

// "Configure MIDI Timer".

TMidiAdvConfigDlg::TMidiAdvConfigDlg(TWindow* parent)
    : TMCTDialog(parent, kResourceId),
      period_(new TEditNumber(this, kPeriod,
                              TNumberRange{TMidiManager::kMinTimerPeriod, TMidiManager::kMaxTimerPeriod, 1})),
      resolution_(new TEditNumber(
          this, kResolution, TNumberRange{TMidiManager::kMinTimerResolution, TMidiManager::kMaxTimerResolution, 1})) {
  new TSpinButton(period_);
  new TSpinButton(resolution_);
}

void TMidiAdvConfigDlg::SetupWindow() {
  TMCTDialog::SetupWindow();
  period_->SetValue(gMidiManager ? gMidiManager->GetTimerPeriod() : TMidiManager::kDefaultTimerPeriod);
  resolution_->SetValue(gMidiManager ? gMidiManager->GetTimerResolution() : TMidiManager::kDefaultTimerResolution);
}

void TMidiAdvConfigDlg::CmOk() {
  if (!CanClose()) return;
  if (gMidiManager) {
    gMidiManager->SetTimerSettings(period_->GetValue(), resolution_->GetValue());
    gMidiManager->SaveTimerSettings();
  }
  Destroy(IDOK);
}

LRESULT TMidiAdvConfigDlg::EvCommand(UINT id, HWND control, UINT notifyCode) {
  if (id == kSuggest && notifyCode == BN_CLICKED) {
    period_->SetValue(TMidiManager::kDefaultTimerPeriod);
    resolution_->SetValue(TMidiManager::kDefaultTimerResolution);
    return 0;
  }
  return TMCTDialog::EvCommand(id, control, notifyCode);
}
