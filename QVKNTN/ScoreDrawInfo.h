// One system: up to 64 shown staves stacked vertically, each laid out as a line of cells, with
// simultaneous items aligned across the staves, the system broken at bar lines and justified to a
// width; draws the staff names, the staves and the grand-staff braces.
#pragma once
#include <memory>
#include <vector>

#include "QVKNTN/StaffDrawInfo.h"

class TMusicPrimitives;
class TMusicScore;
class TMusicStaff;
class TQVBoolArray;

class TScoreDrawInfo {
public:
  static constexpr int kMaxStaves = 64;
  // Alignment rounds in which the target x may stand still before the merge gives up.
  static constexpr int kStallRounds = 100;
  // A system is squeezed when its content is wider than the width by less than this ratio.
  static constexpr double kSqueezeLimit = 1.2;
  static constexpr int kMinSqueezedCell = 10;
  // A safety bound on justification passes; a pass that changes nothing ends them sooner.
  static constexpr int kMaxJustifyRounds = 1000;

  TScoreDrawInfo(TMusicScore* score, TMusicPrimitives* fonts, int n);
  ~TScoreDrawInfo();
  TScoreDrawInfo(const TScoreDrawInfo&) = delete;
  TScoreDrawInfo& operator=(const TScoreDrawInfo&) = delete;

  // --- staff selection ---
  void ClearStaves();
  void AddStaff(int scoreStaffIndex);
  void AddStaffByPtr(TMusicStaff* staff);
  void AddStavesFrom(const int* list, int count, int start, int heightLimit);
  void AddStavesUpTo(const TQVBoolArray& selection, int heightLimit);
  void AddConsecutiveStaves(int first, int heightLimit);

  // --- queries ---
  int GetCount() const { return shown_; }
  TMusicStaff* GetMusicStaff(int i) const;
  TStaffDrawInfo* GetStaffInfo(int i) const;
  int FindStaff(const TMusicStaff* staff) const;
  int FindStaffByIndex(int scoreIndex) const;
  int GetTotalHeight() const { return totalHeight_; }
  int GetFirstGroupEnd() const { return firstGroupEnd_; }
  TStaffBounds GetStaffBounds(int i) const;
  int PositionToY(int i, int position) const;
  // Answers the position; remainder (may be null) gets what is left of the division.
  int YToPosition(int i, int y, int* remainder = nullptr) const;
  bool IsEditView() const { return editView_; }
  void SetEditView(bool on) { editView_ = on; }
  void SetActiveStaff(int i) { active_ = i; }
  // The earlier line's view colours its staves itself: every shown staff and the system take the
  // colour index given.
  void SetStaffColors(int color);
  int GetColorIndex() const { return colorIndex_; }
  int GetActiveStaff() const { return active_; }
  TMusicScore* GetScore() const { return score_; }
  TMusicPrimitives* GetFonts() const { return fonts_; }
  // Any shown staff of the orchestral style (the leading bar of every line opens a section then).
  bool AnyOrchestral() const;

  // --- layout ---
  void LayoutView(long tick, int width);
  void LayoutViewKeepingMode(long tick, int width);
  void LayoutLineFrom(const int* starts, int width);
  void LayoutLine(int width);
  void LayoutNextLine(int width);
  void GetResumeIndexes(int* out) const;
  void AlignStaves();
  void JustifyLine(int width);
  // Rounds the last justification took (tests and benchmarks check that they stay bounded).
  int LastJustifyRounds() const { return justifyRounds_; }
  int LastJustifySteps() const { return justifySteps_; }
  int LastAlignRounds() const { return alignRounds_; }

  // --- labels and drawing ---
  int GetBraceWidth() const;
  int GetStaffLabelWidth() const;
  void DrawStaffLabels(int x, int y, int columnWidth);
  void Draw(int x, int y, int targetLeft, int targetRight);

private:
  void EnsureAllocated(int n);
  void Restack();
  bool Full() const { return shown_ >= kMaxStaves; }
  bool CanAddUnder(int heightLimit) const { return !Full() && totalHeight_ < heightLimit; }
  int HalfSpacing() const;
  int FindBreakTick(int width);
  void CloseLines();
  void SpreadRounds(int width, bool squeeze, int& widest);

  TMusicScore* score_;
  TMusicPrimitives* fonts_;
  std::vector<std::unique_ptr<TStaffDrawInfo>> staves_;
  int shown_ = 0;
  int firstGroupEnd_ = -1;
  int stacking_ = 0;
  bool editView_ = true;
  int active_ = 0;
  int colorIndex_ = 0;
  int totalHeight_ = 0;
  int justifyRounds_ = 0;
  int justifySteps_ = 0;
  int alignRounds_ = 0;
  // Working state of the alignment and justification, per staff.
  int cellCounter_[kMaxStaves] = {};
  int runX_[kMaxStaves] = {};
  long runTick_[kMaxStaves] = {};
  int current_[kMaxStaves] = {};
};
