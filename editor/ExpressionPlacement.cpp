#include "editor/ExpressionPlacement.h"

#include "QVKNTN/FlowDirection.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/NtnGeneralExpression.h"
#include "QVKNTN/TempoVariance.h"
#include "QVKNTN/TextExpression.h"

namespace {

// Two expressions stand for the same mark: the same kind, and for tempo variances the same pause
// (breaths and fermatas match only themselves), for texts the same words in the same font.
bool SameMark(const TNotatedItem* a, const TNtnGeneralExpression& b) {
  if (!a || !a->IsExpression() || a->GetType() != b.GetType()) return false;
  if (b.GetType() == ntTempoVariance) {
    const auto& x = static_cast<const TTempoVariance&>(*a);
    const auto& y = static_cast<const TTempoVariance&>(b);
    return (!x.HasPause() && !y.HasPause()) || x.GetStyle() == y.GetStyle();
  }
  if (b.GetType() == ntTextExpression) {
    const auto& x = static_cast<const TTextExpression&>(*a);
    const auto& y = static_cast<const TTextExpression&>(b);
    return x.GetText() == y.GetText() && x.GetFont() == y.GetFont();
  }
  return true;
}

const TNtnGeneralExpression* FindMatch(const TMusicScore& score, int staffIndex, int caret,
                                       const TNtnGeneralExpression& item) {
  if (const TMusicStaff* staff = score.GetStaff(staffIndex)) {
    for (int i = caret - 1; i >= 1; --i)
      if (SameMark(staff->GetItem(i), item)) return static_cast<const TNtnGeneralExpression*>(staff->GetItem(i));
  }
  for (int s = 0; s < score.StaffCount(); ++s) {
    const TMusicStaff* staff = score.GetStaff(s);
    for (int i = 1; i < staff->LastIndex(); ++i)
      if (SameMark(staff->GetItem(i), item)) return static_cast<const TNtnGeneralExpression*>(staff->GetItem(i));
  }
  return nullptr;
}

// Without a neighbour to follow: controllers keep their place and their width; flow directions
// and pauses have places of their own.
void PlaceByKind(TNtnGeneralExpression& e) {
  bool wide = false;
  int justify = 0, placement = 0;
  switch (e.GetType()) {
    case ntPatch:
    case ntSustainPedal:
    case ntGenericControl:
      wide = true;
      break;
    case ntFlowDirection: {
      const int style = static_cast<const TFlowDirection&>(e).GetStyle();
      if (style == 0) e.SetPosition(-7);
      if (style == 2) e.SetPosition(8);
      if (style >= 4 && style <= 6) e.SetPosition(-10);
      break;
    }
    case ntTempoVariance: {
      const int style = static_cast<const TTempoVariance&>(e).GetStyle();
      if (style == TTempoVariance::tvFermata) {
        e.SetPosition(-9);
        justify = TNtnGeneralExpression::jsCenter;
        placement = TNtnGeneralExpression::plAtNextNote;
      } else if (style == TTempoVariance::tvBreathMark) {
        e.SetPosition(-8);
      }
      break;
    }
    default:
      break;
  }
  e.SetWide(wide);
  e.SetJustify(justify);
  e.SetPlacement(placement);
}

}  // namespace

void PlaceNewItem(TMusicScore& score, int staffIndex, int caret, TNotatedItem& item) {
  if (item.IsExpression()) {
    auto& e = static_cast<TNtnGeneralExpression&>(item);
    if (const TNtnGeneralExpression* match = FindMatch(score, staffIndex, caret, e)) {
      e.SetPosition(match->GetPosition());
      e.SetWide(match->IsWide());
      e.SetJustify(match->GetJustify());
      e.SetPlacement(match->GetPlacement());
    } else {
      PlaceByKind(e);
    }
  }
  item.SetVisibility(item.GetDefaultVisibility());
  item.SetColor(0);
}
