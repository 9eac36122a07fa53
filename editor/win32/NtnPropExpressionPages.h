// The notation properties pages of one dynamic, dynamic variance, sustain pedal or text
// expression: each edits its group of the property record, which the sheet writes back on OK.
#pragma once

#include "app/win32/QVKPropertyPage.h"
#include "editor/NtnPropExpressions.h"

class TCheckBox;
class TComboBox;
class TEdit;
class TEditNumber;

class TNtnPropDynamicPage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 538;
  TNtnPropDynamicPage(TQVKPropertyDlg* sheet, TNtnPropDynamic& group);
  void SetupWindow() override;
  bool Find(TEvent& ev) override;
  bool Apply() override;
  LRESULT EvOverrideClicked(WPARAM, LPARAM);

private:
  void EnableValues();
  TNtnPropDynamic& g_;
  TComboBox* style_;
  TCheckBox* velocityOn_;
  TEditNumber* velocity_;
  TCheckBox* volumeOn_;
  TEditNumber* volume_;
};

// A page of one list choice (the style of a dynamic variance, pedal, performance style or flow
// direction): the stored value is
// the entry's index in a vocabulary list; no choice leaves the item as it is.
class TNtnPropListPage : public TQVKPropertyPage {
public:
  static constexpr int kDynamicVarianceId = 560;
  static constexpr int kPedalId = 540;
  static constexpr int kPerformanceStyleId = 559;
  static constexpr int kFlowDirectionId = 541;
  TNtnPropListPage(TQVKPropertyDlg* sheet, int resourceId, int vocabularyList, int& value);
  void SetupWindow() override;
  bool Apply() override;

private:
  int list_;
  int& value_;
  TComboBox* style_;
};

class TNtnPropTextPage : public TQVKPropertyPage {
public:
  static constexpr int kResourceId = 561;
  TNtnPropTextPage(TQVKPropertyDlg* sheet, TNtnPropText& group);
  void SetupWindow() override;
  bool Apply() override;

private:
  TNtnPropText& g_;
  TEdit* text_;
  TComboBox* font_;
};

// A list of the vocabulary lists with the stored value chosen (nothing when out of range); the
// controller page fills its lists the same way.
void FillVocabularyCombo(TComboBox* combo, int list, int value);
