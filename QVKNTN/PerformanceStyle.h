// A performance style (legato, staccato and the others of its list): sets how long notes sound.
#pragma once
#include "QVKNTN/NtnGeneralExpression.h"
#include "foundation/VocabularyLists.h"

class TPerformanceStyle final : public TNtnGeneralExpression {
 public:
  void GetText(TExpressionText& text, bool editView) const override;
  enum { kStyles = 23, psDefault = 20 };

  explicit TPerformanceStyle(int style = psDefault);
  void UpdateContext(TStaffContext& context) const override;

  int GetStyle() const { return fStyle; }
  void SetStyle(int style) { fStyle = uint8_t((style >= 0 && style < kStyles) ? style : 0); }
  const char* GetStyleName() const { return GetListEntry(kVocabPerformanceStyleMarks, fStyle); }

 private:
  uint8_t fStyle;
};
