#include "editor/win32/StaffPropMidiTab.h"

#include <algorithm>
#include <cstdio>

#include "QVKNTN/MusicStaff.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/EditNumber.h"
#include "midi/win32/MidiManager.h"

TStaffPropMidiTab::TStaffPropMidiTab(TQVKPropertyDlg* sheet, TMusicStaff& copy)
    : TQVKPropertyPage(sheet, kResourceId), copy_(copy) {
  port_ = new TComboBox(this, 101);
  channel_ = new TEditNumber(this, 102, TNumberRange{1, 16, 1});
  muted_ = new TCheckBox(this, 103);
  transposition_ = new TEditNumber(this, 112, TNumberRange{-24, 24, 1});
  volume_ = new TEditNumber(this, 120, TNumberRange{-1, 127, 1});
  pan_ = new TEditNumber(this, 121, TNumberRange{-1, 127, 1});
}

void TStaffPropMidiTab::SetupWindow() {
  TQVKPropertyPage::SetupWindow();
  if (gMidiManager) {
    gMidiManager->FillPortNameList(port_->GetHandle());
  } else {
    char name[16];
    for (int i = 1; i <= TMidiManager::kMaxPorts; ++i) {
      std::snprintf(name, sizeof name, "Port %d", i);
      port_->AddString(name);
    }
  }
  port_->SetSelIndex(copy_.GetPort());
  channel_->SetValue(std::clamp(copy_.GetChannel(), 0, 15) + 1);
  muted_->SetCheck(copy_.IsMuted() ? BST_CHECKED : BST_UNCHECKED);
  transposition_->SetValue(std::clamp(copy_.GetTransposition(), -24, 24));
  volume_->SetValue(std::clamp(copy_.GetVolume(), -1, 127));
  pan_->SetValue(std::clamp(copy_.GetPan(), -1, 127));
}

bool TStaffPropMidiTab::Apply() {
  const int port = port_->GetSelIndex();
  if (port >= 0) copy_.SetPort(port);
  copy_.SetChannel(channel_->GetValue() - 1);
  copy_.SetMuted(muted_->GetCheck() == BST_CHECKED);
  copy_.SetTransposition(transposition_->GetValue());
  copy_.SetVolume(volume_->GetValue());
  copy_.SetPan(pan_->GetValue());
  return TQVKPropertyPage::Apply();
}
