// The notation properties pages of one clef, key signature, time signature or special ending:
// each edits its group of the property record, which the sheet writes back on OK.
#pragma once

#include "app/win32/QVKPropertyPage.h"
#include "editor/NtnPropSingles.h"

class TComboBox;
class TEditNumber;
class TListBox;

class TNtnPropClefPage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 535;
  TNtnPropClefPage(TQVKPropertyDlg* sheet, TNtnPropClef& group);
  void SetupWindow() override;
  bool Apply() override;

private:
  TNtnPropClef& g_;
  TComboBox* clef_;
  TComboBox* shift_;
};

// Three radio buttons per letter (sharp, flat, neither) and the preset list, whose choice sets
// every button; "User Defined" keeps them.
class TNtnPropKeySigPage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 534;
  TNtnPropKeySigPage(TQVKPropertyDlg* sheet, TNtnPropKey& group);
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool Apply() override;
  LRESULT EvPreset(WPARAM, LPARAM);

private:
  void Show(const TKeyButtons& buttons);
  TKeyButtons Shown() const;
  TNtnPropKey& g_;
  TListBox* presets_;
};

// Common time and alla breve fix beats and beat value and disable both.
class TNtnPropTimeSigPage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 536;
  TNtnPropTimeSigPage(TQVKPropertyDlg* sheet, TNtnPropTimeSig& group);
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool Apply() override;
  LRESULT EvStyle(WPARAM, LPARAM);

private:
  void FollowStyle();
  TNtnPropTimeSig& g_;
  TEditNumber* beats_;
  TComboBox* value_;
  TComboBox* style_;
};

// Endings 1st to 7th and Default; OK with none checked is refused.
class TNtnPropSpclEndingPage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 542;
  TNtnPropSpclEndingPage(TQVKPropertyDlg* sheet, TNtnPropEnding& group);
  void SetupWindow() override;
  bool IsPageValid() override;
  bool Apply() override;

private:
  uint32_t Checked() const;
  TNtnPropEnding& g_;
};
