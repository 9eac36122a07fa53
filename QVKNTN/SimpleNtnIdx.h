// A cursor over the item list of one staff: the base of every walk (layout, audit, playback,
// transposition). Derived cursors carry running state and override the stepping operations.
#pragma once

#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NtnWalkCount.h"

class TNotatedItem;
class TSongNote;
class TMusicNote;

// Group kinds and states of song notes.
enum { kNtnGroupBeam = 0, kNtnGroupTriplet = 1 };
enum { kNtnGroupNone = 0, kNtnGroupFirst = 1, kNtnGroupMiddle = 2, kNtnGroupLast = 3 };

class TSimpleNtnIdx {
public:
  TSimpleNtnIdx();
  explicit TSimpleNtnIdx(TMusicStaff* staff);
  TSimpleNtnIdx(TMusicStaff* staff, int index);
  TSimpleNtnIdx(const TSimpleNtnIdx& other) = default;
  TSimpleNtnIdx& operator=(const TSimpleNtnIdx& other) = default;
  virtual ~TSimpleNtnIdx() = default;

  void Attach(TMusicStaff* staff);

  virtual void Reset();
  virtual TNotatedItem* SetIndex(int i);
  virtual TNotatedItem* Next();
  virtual TNotatedItem* Prev();
  // Beats and beat-value code of the governing time signature; 4 and 2 where nothing is known.
  virtual void GetTimeSig(int& beats, int& beatValue) const;

  TNotatedItem* Refresh();
  // Reads the item at the index again, after items at or past it were replaced.
  TNotatedItem* RereadCurrent() { return item_ = staff_ ? staff_->GetItem(index_) : nullptr; }
  // Inline with LastIndex: every walk asks it once per step.
  bool CanStep(int dir) const {
    if (!staff_) return false;
    return dir <= 0 ? index_ > 0 : index_ < staff_->LastIndex();
  }
  TNotatedItem* Step(int n) { return SetIndex(index_ + n); }

  TMusicStaff* GetStaff() const { return staff_; }
  int GetIndex() const { return index_; }
  TNotatedItem* Current() const { return item_; }
  int LastIndex() const { return staff_ ? staff_->LastIndex() : 0; }

  // Typed accessors: the current item when it is of that kind, else null.
  TNotatedItem* AsExpression() const;
  TSongNote* AsSongNote() const;
  TMusicNote* AsNoteOrChord() const;
  TNotatedItem* AsKind(int type) const;
  TNotatedItem* AsGradualTempoVariance() const;
  // The note or chord itself, or the part a rest chord holds.
  TMusicNote* AsNoteBearing() const;

  // Searches: each tests CanStep, steps once, then tests; each stops where it cannot step.
  bool FindType(int type, int dir);
  bool StepToNote(int dir);
  bool StepToGraceState(int grace, int dir);
  bool StepToHeads(int dir);
  bool FindNoteAt(int position, int dir);
  bool StepInPassage(int dir);
  bool StepToHeadsInPassage(int dir);
  bool FindTieTarget(int position, int dir);
  bool FindSlurEnd(int dir);

  // Group tests on the current item.
  bool InGroup() const;
  bool InGroupOfKind(int kind) const;
  bool InGroupOfKind(int grace, int kind) const;
  bool HasGroupState(int grace, int kind, int state) const;
  bool GroupContinuesAfter(int kind) const;
  bool GroupContinuesBefore(int kind) const;
  bool IsGroupable(int grace, bool anyNote) const;
  static bool IsGroupableItem(const TNotatedItem* item, int grace, bool anyNote);

  void FindGroupEnd(int grace, int kind, int dir);
  bool NextGroupMember(int grace, int kind, int dir);
  bool NextMemberInState(int grace, int kind, int state, int dir);
  bool NextGrouped(int dir);
  bool NextWithGroupBit(int bit, int dir);

  int GetForcedStemSign() const;

  // Steps taken by the cursors this thread has finished with: lets tests and benchmarks check
  // walk costs. A live cursor's own steps: Steps().
  static long long StepsTaken() { return TNtnWalkCount::ThreadSteps(); }
  long long Steps() const { return walkCount_.Steps(); }

protected:
  // Moves without touching derived state; the derived cursors wrap it.
  TNotatedItem* MoveTo(int i);
  void CountStep() const { walkCount_.Step(); }
  void CountRewind() const { walkCount_.Rewind(); }

  TMusicStaff* staff_ = nullptr;
  int index_ = 0;
  TNotatedItem* item_ = nullptr;

private:
  template <class Test> bool SearchFor(int dir, Test test);
  mutable TNtnWalkCount walkCount_;
};
