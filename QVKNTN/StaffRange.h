// A staff and an inclusive run of its item indexes: the unit that editing commands, MIDI import
// and the staff's own operations work on (grouping, attributes, durations, stems, deletion).
// Every operation that changes items ends by auditing the range.
#pragma once

class TMusicStaff;
class TNotatedItem;
class TSimpleNtnIdx;
class TSongNote;

class TStaffRange {
public:
  TStaffRange() = default;
  TStaffRange(TMusicStaff* staff, int a, int b);
  explicit TStaffRange(const TSimpleNtnIdx& at);
  TStaffRange(const TSimpleNtnIdx& from, const TSimpleNtnIdx& to);
  TStaffRange(const TStaffRange& other) = default;
  TStaffRange& operator=(const TStaffRange& other) = default;

  // --- set-up ---
  void SetStaff(TMusicStaff* staff);
  void SetRange(int a, int b);
  void SetEmpty() { last_ = -1; }
  bool IsValid() const { return staff_ && last_ >= first_; }
  int GetCount() const { return IsValid() ? last_ - first_ + 1 : 0; }
  void ShrinkEnd(int n) { last_ -= n; }
  void SetToBar(int i);
  void ExpandToBars();

  TMusicStaff* GetStaff() const { return staff_; }
  int GetFirst() const { return first_; }
  int GetLast() const { return last_; }

  // --- queries ---
  // Highest (most negative) and lowest staff positions over the items, or over song notes only.
  bool GetPositionExtent(int& high, int& low, bool songNotesOnly = false) const;
  void GetGroupPositionExtent(int kind, int& high, int& low) const;
  bool GetCommonForcedStem(int& sign) const;
  bool AnyInGroup(int kind) const;
  bool IsRestRun() const;
  long SumDurations() const;
  // Bytes the range takes written as an item range (clipboard and undo records).
  long GetSavedSize() const;
  bool GetCommonDuration(int& durationClass) const;
  bool GetCommonAccidental(int& code) const;
  bool GetCommonStem(int& code) const;
  bool CutsGroup(int kind) const;
  // The earlier line's test, whatever the kind: the first song note continues a beam or triplet
  // group, or the last one is its first or a middle member.
  bool CutsGroupEarlier() const;
  int GetStemExtent(int dir) const;

  // --- changes ---
  bool CanGroup(int kind) const;
  bool MakeGroup(int kind);
  // MakeGroup without the audit, for operations that make many groups and audit the staff once.
  bool MakeGroupUnaudited(int kind);
  void Ungroup(int kind);
  bool GetAttributeState(int attribute, bool& anySet) const;
  bool ToggleAttribute(int attribute);
  void ChangeDuration(int delta);
  void SetDuration(int durationClass);
  void SetAccidental(int code);
  void SetStem(int code);
  void ShiftPositions(int delta);
  void HideItems();
  void MuteNotes();
  bool MergeRests();
  void DeleteItems();

private:
  TNotatedItem* At(int i) const;
  TSongNote* SongNoteAt(int i) const;
  static void SyncItem(TNotatedItem* item);
  void MarkChanged();
  // Marks the staff changed, then audits the range.
  void Audit();
  // Applies fn(item, song note) to every song note of the range, synchronising chords after.
  template <class Fn> void EachSongNote(Fn fn, bool sync = true);
  // The members of a prospective group: counted song notes, their grace state and duration sum.
  bool ScanGroup(int kind, int& members, long& sum) const;
  bool EdgeMemberInState(int kind, int from, int dir, int stateA, int stateB) const;
  // Group changes without the audit, so one command audits once.
  void ApplyGroup(int kind);
  void ClearGroups(int kind);

  TMusicStaff* staff_ = nullptr;
  int first_ = 0;
  int last_ = -1;
};

template <class Fn>
void TStaffRange::EachSongNote(Fn fn, bool sync) {
  for (int i = first_; IsValid() && i <= last_; ++i) {
    TNotatedItem* item = At(i);
    TSongNote* note = SongNoteAt(i);
    if (!note) continue;
    fn(item, note);
    if (sync) SyncItem(item);
  }
}

// Ticks of one beat of a time-signature item (compound: dotted beats of 6/8, 9/8, ...).
int NtnTimeSigBeatTicks(const TNotatedItem* timeSignature, bool compound);
// Gives the song note the longest plain or dotted duration that fits into t (> 0) ticks and
// answers that duration; callers repeat for the remainder.
int NtnSetDurationFromTicks(TNotatedItem* songNote, int ticks);
// A note tied to the next, or a chord with such a member.
bool NtnHasTieOut(const TNotatedItem* item);
// The item that continues a note, rest or chord split at a bar line (ties set on both sides).
// Any other kind is a caller error: raises the "Bad Notation" precondition failure.
TNotatedItem* NtnMakeContinuation(TNotatedItem* item);
