// The small dialogs of the staff tools: Staff Transpose, the respelling warning that walks the
// places a transposition or an enharmonic audit cannot spell, Find and Goto Measure.
#pragma once

#include "app/win32/MCTDialog.h"
#include "editor/FindRules.h"
#include "editor/StaffCommands.h"

class TComboBox;
class TEdit;
class TEditNumber;
class TCheckBox;
class TScoreEdit;

class TStaffTransposeDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 552;

  TStaffTransposeDlg(TWindow* parent, TTransposeSettings& settings);
  void SetupWindow() override;
  void CmOk() override;

private:
  TTransposeSettings& settings_;
  TEditNumber* semitones_;
  TCheckBox* playback_;
};

// Opens on the first problem after index 0; Show Next searches on from the current one.
// IDOK proceeds, IDCANCEL leaves the caret on the problem.
class TRespellWarnDlg : public TMCTDialog {
public:
  static constexpr int kTransposeWarning = 606;
  static constexpr int kSpellingWarning = 553;
  static constexpr int kShowNext = 101;

  TRespellWarnDlg(int resourceId, TScoreEdit& view, int semitones);
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  void CmShowNext();
  int GetProblem() const { return problem_; }

private:
  int Search(int after) const;
  void ShowProblem();
  void PlaceBesideCaret();

  int resourceId_;
  TScoreEdit& view_;
  int semitones_;
  int problem_ = 0;
};

// The first problem of the staff after index 0, as the warning would show it; 0 when none.
int FirstRespellProblem(int resourceId, TScoreEdit& view, int semitones);

class TFindDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 607;

  TFindDlg(TWindow* parent, TQVEditFindData& data);
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  void CmOk() override;
  void CmModeChanged();

private:
  void EnableForMode(bool byCategory);

  TQVEditFindData& data_;
  TEdit* text_;
  TComboBox* categories_;
};

class TGotoMeasureDlg : public TMCTDialog {
public:
  static constexpr int kResourceId = 562;

  TGotoMeasureDlg(TWindow* parent, int first, int& number);
  void SetupWindow() override;
  void CmOk() override;

private:
  int& number_;
  TEditNumber* edit_;
};
