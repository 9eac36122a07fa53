// The options sheet's Midi and Record pages, which also hand the chosen devices to the MIDI
// device manager and refuse to close while a chosen device does not open, and the MIDI timer
// dialog that the Midi page opens.
#pragma once
#include "app/OptionPages.h"
#include "app/win32/MCTDialog.h"
#include "app/win32/QVKPropertyPage.h"

class TEditNumber;

class TMidiOptionsDlg : public TQVKPropertyPage {
public:
  static constexpr int kPlayFrom = 102, kPortUsage = 103, kAvailable = 110, kChosen = 111, kAdd = 120,
                       kRemove = 121, kTimer = 122;

  TMidiOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host);
  void SetupWindow() override;
  // Every chosen play device must open.
  bool CanClose() override;
  bool Apply() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;

private:
  void UpdateButtons();
  void MoveSelected(int from, int to);

  TOptionsHost& host_;
};

class TRecordOptionsDlg : public TQVKPropertyPage {
public:
  static constexpr int kInput = 101, kEcho = 102, kEchoPort = 103, kEchoChannel = 104, kImportAction = 109;

  TRecordOptionsDlg(TQVKPropertyDlg* sheet, TOptionsHost& host);
  void SetupWindow() override;
  // The input device named must open (none named is fine).
  bool CanClose() override;
  bool Apply() override;

private:
  TOptionsHost& host_;
};

// "Configure MIDI Timer" (547): the engine timer's period and resolution.
class TMidiAdvConfigDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 547, kPeriod = 101, kResolution = 102, kSuggest = 110;

  explicit TMidiAdvConfigDlg(TWindow* parent);
  void SetupWindow() override;
  // The numbers go to the device manager, which stores them.
  void CmOk() override;
  LRESULT EvCommand(UINT id, HWND control, UINT notifyCode) override;

private:
  TEditNumber* period_;
  TEditNumber* resolution_;
};
