// A flow direction: Coda, Segno, Fine, To Coda and the D.C. and D.S. jumps.
#pragma once
#include "QVKNTN/NtnGeneralExpression.h"

class TFlowDirection final : public TNtnGeneralExpression {
 public:
  void GetText(TExpressionText& text, bool editView) const override;
  enum {
    fdCoda = 0,
    fdSegno = 1,
    fdFine = 2,
    fdToCoda = 3,
    fdDaCapo = 4,
    fdDCAlCoda = 5,
    fdDCAlFine = 6,
    fdDalSegno = 7,
    fdDSAlCoda = 8,
    fdDSAlFine = 9,
  };

  explicit TFlowDirection(int style = fdCoda);
  int GetDefaultVisibility() const override { return visOnTopStaff; }
  void UpdateContext(TStaffContext& context) const override;
  int Perform(TStaffContext& context, const TStaffItems& items, int index) const override;

  int GetStyle() const { return fStyle; }
  void SetStyle(int style) { fStyle = (style >= fdCoda && style <= fdDSAlFine) ? style : fdCoda; }
  bool IsDaCapo() const { return fStyle >= fdDaCapo && fStyle <= fdDCAlFine; }
  bool IsDalSegno() const { return fStyle >= fdDalSegno && fStyle <= fdDSAlFine; }

 private:
  int32_t fStyle;
};
