#include "QVKNTN/ScoreDrawInfo.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "QVKNTN/BarLineData.h"
#include "QVKNTN/MusicGlyphs.h"
#include "QVKNTN/MusicPrimitives.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnItemAccess.h"
#include "foundation/QVBoolArray.h"

namespace {

void Widen(TItemDrawInfo& cell, long by) {
  cell.width = static_cast<int16_t>(std::clamp<long>(cell.width + by, 0, SHRT_MAX));
}

bool HasItemCell(const TStaffDrawInfo& s) {
  for (int c = 0; c < s.GetCellCount(); ++c) {
    if (s.Cell(c).IsItem()) return true;
  }
  return false;
}

}  // namespace

TScoreDrawInfo::TScoreDrawInfo(TMusicScore* score, TMusicPrimitives* fonts, int n)
    : score_(score), fonts_(fonts) {
  EnsureAllocated(std::clamp(n, 0, kMaxStaves));
}

TScoreDrawInfo::~TScoreDrawInfo() = default;

void TScoreDrawInfo::EnsureAllocated(int n) {
  while (static_cast<int>(staves_.size()) < n && static_cast<int>(staves_.size()) < kMaxStaves) {
    staves_.push_back(std::make_unique<TStaffDrawInfo>(this, static_cast<int>(staves_.size())));
  }
}

// --- staff selection ------------------------------------------------------------------------

void TScoreDrawInfo::ClearStaves() {
  shown_ = 0;
  Restack();
}

void TScoreDrawInfo::AddStaff(int scoreStaffIndex) {
  if (Full() || !score_ || !score_->GetStaff(scoreStaffIndex)) return;
  // More are made two at a time.
  if (shown_ >= static_cast<int>(staves_.size())) EnsureAllocated(shown_ + 2);
  staves_[static_cast<std::size_t>(shown_)]->SetStaff(scoreStaffIndex);
  ++shown_;
  Restack();
}

void TScoreDrawInfo::AddStaffByPtr(TMusicStaff* staff) {
  if (Full() || !staff) return;
  if (shown_ >= static_cast<int>(staves_.size())) EnsureAllocated(shown_ + 2);
  const int index = score_ ? score_->IndexOfStaff(staff) : -1;
  staves_[static_cast<std::size_t>(shown_)]->SetStaffPtr(staff, index);
  ++shown_;
  Restack();
}

void TScoreDrawInfo::AddStavesFrom(const int* list, int count, int start, int heightLimit) {
  for (int i = std::max(start, 0); i < count && CanAddUnder(heightLimit); ++i) AddStaff(list[i]);
}

void TScoreDrawInfo::AddStavesUpTo(const TQVBoolArray& selection, int heightLimit) {
  for (int i = 0; score_ && i < score_->StaffCount() && CanAddUnder(heightLimit); ++i) {
    if (selection.GetBit(i)) AddStaff(i);
  }
}

void TScoreDrawInfo::AddConsecutiveStaves(int first, int heightLimit) {
  for (int i = std::max(first, 0); score_ && i < score_->StaffCount() && CanAddUnder(heightLimit); ++i) {
    AddStaff(i);
  }
}

int TScoreDrawInfo::HalfSpacing() const { return fonts_->GetSpacing() / 2; }

void TScoreDrawInfo::Restack() {
  const int half = HalfSpacing();
  const bool layering = score_ && score_->GetAllowLayering();
  int y = 0;
  firstGroupEnd_ = -1;
  for (int i = 0; i < shown_;) {
    int last = i;
    if (layering) {
      while (last + 1 < shown_ && GetMusicStaff(last) && GetMusicStaff(last)->GetLayerWithNext()) ++last;
    }
    int upper = 0, lower = 0;
    for (int j = i; j <= last; ++j) {
      const TMusicStaff* staff = GetMusicStaff(j);
      upper = std::max(upper, staff ? std::abs(staff->GetUpperSize()) : 0);
      lower = std::max(lower, staff ? std::abs(staff->GetLowerSize()) : 0);
    }
    y += upper * half;
    for (int j = i; j <= last; ++j) {
      stacking_ = j;
      staves_[static_cast<std::size_t>(j)]->SetY(y);
      staves_[static_cast<std::size_t>(j)]->SetShownIndex(j);
    }
    y += lower * half;
    if (firstGroupEnd_ < 0) firstGroupEnd_ = last;
    i = last + 1;
  }
  totalHeight_ = y;
}

// --- queries --------------------------------------------------------------------------------

TStaffDrawInfo* TScoreDrawInfo::GetStaffInfo(int i) const {
  return i >= 0 && i < shown_ ? staves_[static_cast<std::size_t>(i)].get() : nullptr;
}

TMusicStaff* TScoreDrawInfo::GetMusicStaff(int i) const {
  const TStaffDrawInfo* s = GetStaffInfo(i);
  return s ? s->GetStaff() : nullptr;
}

int TScoreDrawInfo::FindStaff(const TMusicStaff* staff) const {
  for (int i = 0; i < shown_; ++i) {
    if (GetMusicStaff(i) == staff) return i;
  }
  return -1;
}

int TScoreDrawInfo::FindStaffByIndex(int scoreIndex) const {
  for (int i = 0; i < shown_; ++i) {
    if (staves_[static_cast<std::size_t>(i)]->GetScoreStaffIndex() == scoreIndex) return i;
  }
  return -1;
}

TStaffBounds TScoreDrawInfo::GetStaffBounds(int i) const {
  const TStaffDrawInfo* s = GetStaffInfo(i);
  return s ? s->GetBounds() : TStaffBounds{0, 0, INT_MAX, 0};
}

int TScoreDrawInfo::PositionToY(int i, int position) const {
  const TStaffDrawInfo* s = GetStaffInfo(i);
  return position * HalfSpacing() + (s ? s->GetY() : 0);
}

int TScoreDrawInfo::YToPosition(int i, int y, int* remainder) const {
  const TStaffDrawInfo* s = GetStaffInfo(i);
  const int spacing = fonts_->GetSpacing();
  const int twice = 2 * y - 2 * (s ? s->GetY() : 0);
  if (remainder) *remainder = twice % spacing;
  return twice / spacing;
}

bool TScoreDrawInfo::AnyOrchestral() const {
  for (int i = 0; i < shown_; ++i) {
    const TMusicStaff* staff = GetMusicStaff(i);
    if (staff && staff->GetStyle() == TMusicStaff::kStyleOrchestral) return true;
  }
  return false;
}

// --- layout ---------------------------------------------------------------------------------

void TScoreDrawInfo::LayoutView(long tick, int width) {
  editView_ = true;
  LayoutViewKeepingMode(tick, width);
}

void TScoreDrawInfo::LayoutViewKeepingMode(long tick, int width) {
  for (int i = 0; i < shown_; ++i) staves_[static_cast<std::size_t>(i)]->LayoutView(tick, width);
}

void TScoreDrawInfo::LayoutLineFrom(const int* starts, int width) {
  editView_ = false;
  for (int i = 0; i < shown_; ++i) staves_[static_cast<std::size_t>(i)]->LayoutLine(starts[i], width);
}

void TScoreDrawInfo::LayoutLine(int width) {
  int starts[kMaxStaves] = {};
  LayoutLineFrom(starts, width);
}

void TScoreDrawInfo::LayoutNextLine(int width) {
  int starts[kMaxStaves];
  GetResumeIndexes(starts);
  LayoutLineFrom(starts, width);
}

void TScoreDrawInfo::GetResumeIndexes(int* out) const {
  for (int i = 0; i < shown_; ++i) out[i] = staves_[static_cast<std::size_t>(i)]->GetLastItemIndex() + 1;
}

void TScoreDrawInfo::AlignStaves() {
  const int h = fonts_->GetGlyphWidth(MusicGlyphs::kFilledHead);
  const int a = fonts_->GetAccidentalWidth();
  for (int s = 0; s < shown_; ++s) {
    current_[s] = 0;
    runX_[s] = 0;
    runTick_[s] = 0;
    cellCounter_[s] = staves_[static_cast<std::size_t>(s)]->GetCellCount();
  }
  int target = 0, lastTarget = -1, still = 0;
  alignRounds_ = 0;
  for (;;) {
    ++alignRounds_;
    long minTick = LONG_MAX;
    for (int s = 0; s < shown_; ++s) {
      TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
      while (current_[s] < cellCounter_[s] && line.Cell(current_[s]).Kind() == TCellKind::Unset) {
        runX_[s] += line.Cell(current_[s]).width;
        runTick_[s] += line.Cell(current_[s]).duration;
        ++current_[s];
      }
      if (current_[s] < cellCounter_[s]) minTick = std::min(minTick, runTick_[s]);
    }
    if (minTick == LONG_MAX) break;
    auto atMin = [&](int s) { return current_[s] < cellCounter_[s] && runTick_[s] == minTick; };
    int kind = INT_MAX;
    for (int s = 0; s < shown_; ++s) {
      if (atMin(s)) kind = std::min(kind, int(staves_[static_cast<std::size_t>(s)]->Cell(current_[s]).Kind()));
    }
    auto chosen = [&](int s) { return atMin(s) && int(staves_[static_cast<std::size_t>(s)]->Cell(current_[s]).Kind()) == kind; };
    int columns = 0;
    for (int s = 0; s < shown_; ++s) {
      if (!chosen(s)) continue;
      target = std::max(target, runX_[s]);
      columns = std::max(columns, int(staves_[static_cast<std::size_t>(s)]->Cell(current_[s]).accidentalColumns));
    }
    int nextTarget = target;
    for (int s = 0; s < shown_; ++s) {
      if (!chosen(s)) continue;
      TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
      TItemDrawInfo& cell = line.Cell(current_[s]);
      if (kind == int(TCellKind::Note) && cell.accidentalColumns < columns) {
        Widen(cell, long(columns - cell.accidentalColumns) * a);
        cell.accidentalColumns = static_cast<uint8_t>(columns);
      }
      if (runX_[s] < target && current_[s] > 0) {
        Widen(line.Cell(current_[s] - 1), target - runX_[s]);
        runX_[s] = target;
      }
      const int before = runX_[s];
      runX_[s] += cell.width;
      runTick_[s] += cell.duration;
      ++current_[s];
      if (kind == int(TCellKind::Note)) {
        nextTarget = std::max(nextTarget, before + (cell.extraHeads + 1) * h + cell.accidentalColumns * a);
      }
    }
    still = target == lastTarget ? still + 1 : 0;
    lastTarget = target;
    target = nextTarget;
    if (still > kStallRounds) {
      for (int s = 0; s < shown_; ++s) staves_[static_cast<std::size_t>(s)]->CutToCells(current_[s]);
      break;
    }
  }
}

int TScoreDrawInfo::FindBreakTick(int width) {
  int fixedBars = 1024, fixedRun = 1024;
  long smallest = LONG_MAX;
  for (int s = 0; s < shown_; ++s) {
    const TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
    if (!HasItemCell(line)) continue;
    long x = 0, tick = 0, sinceBar = 0;
    int bars = 0, emptyRun = 0;
    long at = -1;
    for (int c = 0; c < line.GetCellCount(); ++c) {
      const TItemDrawInfo& cell = line.Cell(c);
      const TNotatedItem* item = line.CellItem(c);
      const long anchor = x + (item && cell.IsItem() ? item->GetWidth(line, c) : 0);
      if (bars > 0 && anchor > width) {
        at = tick;
        break;
      }
      x += cell.width;
      tick += cell.duration;
      sinceBar += cell.duration;
      if (cell.Kind() != TCellKind::Bar || c == 0) continue;
      if (sinceBar > 0) ++bars; else ++emptyRun;
      sinceBar = 0;
      if (s == 0 && fixedBars == 1024 && item && item->GetType() == ntBarLine &&
          static_cast<const TBarLineData*>(item)->HasSystemBreak()) {
        fixedBars = bars;
        fixedRun = emptyRun;
      }
      if (bars >= fixedBars && (emptyRun >= fixedRun || !NtnIsEmptyBar(item))) {
        at = tick;
        break;
      }
    }
    if (at < 0) at = tick;
    smallest = std::min(smallest, at);
  }
  return smallest == LONG_MAX ? INT_MAX : static_cast<int>(std::min<long>(smallest, INT_MAX));
}

void TScoreDrawInfo::CloseLines() {
  for (int s = 0; s < shown_; ++s) {
    TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
    const int last = line.GetCellCount() - 1;
    if (last < 1 || line.Cell(last).Kind() != TCellKind::Bar) continue;
    const TNotatedItem* item = line.CellItem(last);
    const int style = item ? NtnBarStyle(item) : 0;
    if (style == TBarLineData::blSectionOpen || style == TBarLineData::blLocalRepeatOpen ||
        style == TBarLineData::blMasterRepeatOpen) {
      line.Cell(last).SetSubstitute(true);
    }
    const TNotatedItem* shown = line.CellItem(last);
    line.Cell(last).width = static_cast<int16_t>(shown ? shown->GetWidth(line, last) : 0);
  }
}

void TScoreDrawInfo::SpreadRounds(int width, bool squeeze, int& widest) {
  int widths[kMaxStaves];
  int pos[kMaxStaves], before[kMaxStaves];
  long tickAt[kMaxStaves];
  bool part[kMaxStaves];
  for (int s = 0; s < shown_; ++s) {
    const TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
    part[s] = HasItemCell(line);
    widths[s] = line.SumWidths(0, line.GetCellCount());
  }
  auto widestNow = [&] {
    int w = 0;
    for (int s = 0; s < shown_; ++s) {
      if (part[s]) w = std::max(w, widths[s]);
    }
    return w;
  };
  // Moves a staff's cursor past cell `from` to its next spacing point: a note or rest, or a bar
  // line that does not follow another bar line.
  auto advance = [&](int s, int from) {
    const TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
    for (int c = from; c < line.GetCellCount(); ++c) {
      const TCellKind k = line.Cell(c).Kind();
      const bool point = c > 0 && (k == TCellKind::Note ||
                                   (k == TCellKind::Bar && line.Cell(c - 1).Kind() != TCellKind::Bar));
      if (point) {
        pos[s] = c;
        return;
      }
      if (k == TCellKind::Note || k == TCellKind::Grace || IsSignatureCell(k)) before[s] = c;
      tickAt[s] += line.Cell(c).duration;
    }
    pos[s] = line.GetCellCount();
  };
  auto restart = [&] {
    for (int s = 0; s < shown_; ++s) {
      tickAt[s] = 0;
      before[s] = -1;
      advance(s, 0);
    }
  };
  auto goal = [&] { return squeeze ? widest <= width : widest >= width; };
  justifyRounds_ = 0;
  justifySteps_ = 0;
  restart();
  int atPassStart = widest;
  // After a pass of one unit per step, a step moves by the share of what is left that lets the
  // next pass reach the goal: a width far from the content takes a few passes, not one per unit.
  int unit = 1, stepsThisPass = 0;
  bool stop = false;
  while (!goal() && !stop) {
    long minTick = LONG_MAX;
    for (int s = 0; s < shown_; ++s) {
      if (part[s] && pos[s] < staves_[static_cast<std::size_t>(s)]->GetCellCount()) minTick = std::min(minTick, tickAt[s]);
    }
    if (minTick == LONG_MAX) {
      // A round is one pass over every cursor; a pass that changed nothing ends the rounds.
      ++justifyRounds_;
      if (widest == atPassStart || justifyRounds_ >= kMaxJustifyRounds) break;
      unit = std::max(1, std::abs(widest - width) / std::max(1, stepsThisPass));
      stepsThisPass = 0;
      atPassStart = widest;
      restart();
      continue;
    }
    ++justifySteps_;
    ++stepsThisPass;
    const int move = std::min(unit, std::abs(widest - width));
    // Every staff changes the cell that spans the moment, so that simultaneous items stay aligned;
    // only the staves whose spacing point lies at the moment move on.
    for (int s = 0; s < shown_ && !stop; ++s) {
      TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
      if (!part[s] || pos[s] >= line.GetCellCount() || before[s] < 0) continue;
      TItemDrawInfo& cell = line.Cell(before[s]);
      const int change = squeeze ? -(widths[s] - widest + move) : move;
      if (squeeze && cell.width + change < kMinSqueezedCell) {
        stop = true;
        break;
      }
      const int old = cell.width;
      Widen(cell, change);
      widths[s] += cell.width - old;
    }
    for (int s = 0; s < shown_ && !stop; ++s) {
      TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
      if (!part[s] || pos[s] >= line.GetCellCount() || tickAt[s] != minTick) continue;
      const int at = pos[s];
      before[s] = at;
      tickAt[s] += line.Cell(at).duration;
      advance(s, at + 1);
    }
    widest = widestNow();
  }
}

void TScoreDrawInfo::JustifyLine(int width) {
  AlignStaves();
  const int breakTick = FindBreakTick(width);
  for (int s = 0; s < shown_; ++s) {
    TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
    line.CutAtTick(breakTick);
    line.TrimToLastBar();
  }
  CloseLines();
  int widest = 0;
  for (int s = 0; s < shown_; ++s) {
    const TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
    if (HasItemCell(line)) widest = std::max(widest, line.SumWidths(0, line.GetCellCount()));
  }
  const bool squeeze = width < widest && widest < kSqueezeLimit * width;
  const TStaffDrawInfo* first = GetStaffInfo(0);
  if (first && first->IsAtStaffEnd() && !squeeze && !(score_ && score_->GetExtendLastSystem())) {
    width = widest;
  }
  justifyRounds_ = 0;
  justifySteps_ = 0;
  if (squeeze || widest < width) SpreadRounds(width, squeeze, widest);
  for (int s = 0; s < shown_; ++s) {
    TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(s)];
    if (!HasItemCell(line) || line.GetCellCount() < 2) continue;
    const int w = line.SumWidths(0, line.GetCellCount());
    if (w < widest) Widen(line.Cell(line.GetCellCount() - 2), widest - w);
  }
}

// --- labels and drawing ---------------------------------------------------------------------

int TScoreDrawInfo::GetBraceWidth() const {
  for (int i = 0; i < shown_; ++i) {
    const TMusicStaff* staff = GetMusicStaff(i);
    if (staff && staff->GetStyle() == TMusicStaff::kStyleUpperGrand) return 2 * fonts_->GetSpacing() + 1;
  }
  return 0;
}

int TScoreDrawInfo::GetStaffLabelWidth() const {
  const int s = fonts_->GetSpacing();
  const bool layering = score_ && score_->GetAllowLayering();
  int widest = 0;
  for (int i = 0; i < shown_; ++i) {
    const TMusicStaff* staff = GetMusicStaff(i);
    if (!staff) continue;
    if (layering && i > 0 && GetMusicStaff(i - 1) && GetMusicStaff(i - 1)->GetLayerWithNext()) continue;
    int w = fonts_->GetBoldTextWidth(staff->GetName());
    if (staff->GetStyle() == TMusicStaff::kStyleUpperGrand || staff->GetStyle() == TMusicStaff::kStyleLowerGrand) {
      w += 4 * s;
    }
    widest = std::max(widest, w);
  }
  return widest + 3 * s;
}

void TScoreDrawInfo::DrawStaffLabels(int x, int y, int columnWidth) {
  const bool layering = score_ && score_->GetAllowLayering();
  for (int i = 0; i < shown_; ++i) {
    const TStaffDrawInfo& line = *staves_[static_cast<std::size_t>(i)];
    const TMusicStaff* staff = line.GetStaff();
    if (!staff) continue;
    if (layering && i > 0 && GetMusicStaff(i - 1) && GetMusicStaff(i - 1)->GetLayerWithNext()) continue;
    fonts_->SetYOrigin(y + line.GetY());
    fonts_->SelectColor(line.GetColor());
    const int w = fonts_->GetBoldTextWidth(staff->GetName());
    fonts_->DrawBoldText(x + (columnWidth - w) / 2, 0, staff->GetName());
  }
}

void TScoreDrawInfo::Draw(int x, int y, int targetLeft, int targetRight) {
  for (int i = 0; i < shown_; ++i) staves_[static_cast<std::size_t>(i)]->Draw(x, y, targetLeft, targetRight);
  const int brace = GetBraceWidth();
  for (int i = 0; i + 1 < shown_; ++i) {
    const TMusicStaff* upper = GetMusicStaff(i);
    if (!upper || upper->GetStyle() != TMusicStaff::kStyleUpperGrand) continue;
    for (int j = i + 1; j < shown_; ++j) {
      const TMusicStaff* lower = GetMusicStaff(j);
      if (!lower || lower->GetStyle() != TMusicStaff::kStyleLowerGrand) continue;
      fonts_->SetYOrigin(y);
      fonts_->SelectColor(staves_[static_cast<std::size_t>(j)]->GetColor());
      fonts_->DrawBrace(x - brace, y + PositionToY(i, -4), y + PositionToY(j, 4));
      break;
    }
  }
}
