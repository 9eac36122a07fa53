#pragma once
// One staff of a score: its name, group, MIDI and layout settings, its lyrics and the ordered list
// of its items, framed by two bar-line sentinels that are never stored in a file.

#include <memory>
#include <vector>

#include "QVKNTN/EditorLine.h"
#include "QVKNTN/StaffInstrument.h"

class TAuditCheckpoints;
class TMidiEventSink;
class TMusicNote;
class TNotatedItem;
class TStaffContext;
class TStaffLyrics;
class TQXTStream;
class TReadAheadStream;

class TMusicStaff {
public:
  // The most items a staff holds, sentinels included, and the count past which it is nearly full.
  static constexpr int kMaxItems = 12000;
  static constexpr int kNearlyFullCount = 11899;
  static constexpr int kNameSize = 25;
  static constexpr int kGroupSize = 11;
  static constexpr int kMaxLines = 32;
  static constexpr int kDefaultLines = 5;
  static constexpr int kMaxExtent = 100;

  enum EndBarStyle { kEndSectionClose, kEndMasterRepeatClose, kEndSingle, kEndDouble, kEndOpen };
  enum StaffStyle { kStyleStandard, kStyleUpperGrand, kStyleLowerGrand, kStyleOrchestral };

  TMusicStaff();
  ~TMusicStaff();
  TMusicStaff(const TMusicStaff&) = delete;
  TMusicStaff& operator=(const TMusicStaff&) = delete;

  // Items.
  // Null outside 0..LastIndex. Inline: walks ask it for every item they pass.
  TNotatedItem* GetItem(int i) const {
    return static_cast<unsigned>(i) < items_.size() ? items_[static_cast<std::size_t>(i)] : nullptr;
  }
  int ItemCount() const { return static_cast<int>(items_.size()); }
  int LastIndex() const { return ItemCount() - 1; }
  int FreeItemSlots() const;
  bool IsNearlyFull() const { return ItemCount() > kNearlyFullCount; }
  // Inserts at i (1..LastIndex, before the trailing sentinel at the latest) without further work;
  // refuses (answers false) an index outside that range or a full staff. The staff then owns it.
  bool InsertItem(TNotatedItem* item, int i);
  // Inserts and runs the local audit from i.
  bool InsertNotify(TNotatedItem* item, int i);
  // Removes item i without deleting it and runs the local audit; null for the sentinels.
  TNotatedItem* DetachItem(int i);
  // Deletes item i without an audit; 0 for the sentinels.
  int DeleteItem(int i);
  // Deletes first..last; the sentinels always stay.
  void DeleteItems(int first, int last);
  // Appends just before the trailing sentinel; the loaders build staves with it.
  bool AppendItem(TNotatedItem* item);
  // The whole item array (index 0 the leading sentinel), as walks and views take it.
  TNotatedItem* const* Items() const { return items_.data(); }
  void ReserveItems(int capacity);

  // Items from index first on were inserted, removed or rewritten in place: the audit cursors
  // saved past first no longer describe the staff and are dropped. The item-list operations call
  // it themselves; code that rewrites items through their pointers calls it before the change.
  void TouchItems(int first);
  // Only what item i adds to a walk's running counts changed (its duration, bar or syllable; the
  // audit's rewrite of the item it stands on): cursors kept across edits count again from i.
  void TouchCounts(int i) { LogTouch(i); }
  // Cursors kept across edits (the view's line cursor) remember the touch count they last saw and
  // ask for the lowest index touched since: kNothingTouched when none, -1 when too many touches
  // went by to tell.
  static constexpr int kNothingTouched = 1 << 30;
  unsigned TouchCount() const { return touches_; }
  int LowestTouchSince(unsigned count) const;
  // The audit's saved cursors (made on first use).
  TAuditCheckpoints& AuditCheckpoints();
  const TAuditCheckpoints* SavedAuditCursors() const { return checkpoints_.get(); }

  // The staff's changed flag: set by every edit of the item list, cleared by the whole-staff audit.
  bool IsChanged() const { return changed_; }
  void SetChanged(bool on = true) { changed_ = on; }

  // Settings.
  const char* GetName() const { return name_; }
  void SetName(const char* name);
  const char* GetGroupName() const { return group_; }
  void SetGroupName(const char* group);
  int IsMuted() const { return muted_; }
  void SetMuted(int muted) { muted_ = muted ? 1 : 0; }
  int GetChannel() const { return channel_; }
  void SetChannel(int channel) { channel_ = channel; }
  int GetPort() const { return port_; }
  void SetPort(int port) { port_ = port; }
  int GetTransposition() const { return transposition_; }
  void SetTransposition(int semitones) { transposition_ = semitones; }
  const TStaffInstrument& GetInstrument() const { return instrument_; }
  void SetInstrument(const TStaffInstrument& instrument) { instrument_ = instrument; }
  int GetVolume() const { return volume_; }
  void SetVolume(int volume) { volume_ = volume; }
  int GetPan() const { return pan_; }
  void SetPan(int pan) { pan_ = pan; }
  int GetStyle() const { return style_; }
  void SetStyle(int style) { style_ = style; }
  int GetEndBarStyle() const { return endBarStyle_; }
  void SetEndBarStyle(int style);
  int GetUpperSize() const { return upperSize_; }
  int GetLowerSize() const { return lowerSize_; }
  void SetVerticalSize(int lower, int upper);
  // The extents above (negative) and below (positive) the middle line, whatever order the line's
  // SetVerticalSize takes them in: the earlier line's takes the one above first.
  void SetExtents(int above, int below) {
    if (kEarlierLine)
      SetVerticalSize(above, below);
    else
      SetVerticalSize(below, above);
  }
  // Whether the staff uses experimental program features: layering with the next staff, extra
  // accidental or note space on a song note, or a rest moved off its place.
  bool NeedsExperimentalFeatures() const;
  int GetLayerWithNext() const { return layerWithNext_; }
  void SetLayerWithNext(int layer) { layerWithNext_ = layer; }
  int GetColor() const { return color_; }
  void SetColor(int color) { color_ = static_cast<unsigned char>(color); }
  int GetLineCount() const { return lines_; }
  void SetLineCount(int lines);

  // Lyrics: the staff owns them; SetLyrics deletes the previous ones.
  TStaffLyrics* GetLyrics() const { return lyrics_; }
  void SetLyrics(TStaffLyrics* lyrics);

  // Queries.
  int CountItemsOfKind(int type) const;
  bool HasNoteOrChord() const;
  bool LiesHigh() const;

  // Searches.
  int FindNextOfType(int type, int i, int direction) const;
  int FindNextNote(int i, int direction) const;
  int FindNextNoteOrChord(int i, int direction) const;
  int FindNextBar(int i, int direction) const;
  int FindBarClamped(int i, int direction) const;
  int IndexOfBar(int n) const;
  int FindNoteHeadAt(int position, int i, int direction) const;

  // Ticks.
  long GetTicksBetween(int a, int b) const;
  int SeekTick(long target, int startIndex, long startTick) const;

  // The musical state at an index, walked the way playback walks.
  void BuildContextAt(int i, TStaffContext& context) const;
  void FindLastSignatures(int i, int& clef, int& key, int& timeSig) const;
  int FindLastOfSameType(int i) const;
  void GetTimeSignatureAt(int i, int& beats, int& beatCode) const;

  static int VelocityForDynamic(int level);

  // --- Operations on many items at once ---
  // Inserts where the durations from index 1 reach the tick, first splitting the note that holds
  // the tick into tied pieces; false (the caller keeps the item) when the staff is full.
  bool InsertAtTick(TNotatedItem* item, long tick);
  bool InsertAtTickNotify(TNotatedItem* item, long tick);
  // Splits song note i, which starts at startTick, at tick into tied pieces; answers the pieces
  // added after it (0: not split).
  int SplitAtTick(int i, long startTick, long tick);
  // Merges the note into the note, chord, rest or rest chord at i: 1 when merged (the staff then
  // owns the note), 0 when refused (the caller keeps it and the staff is as it was).
  int MergeIntoChord(TMusicNote* note, int i);
  // Takes the head at the position out of the chord or rest chord at i; the caller owns it.
  TMusicNote* RemoveFromChord(int i, int position);
  // Clears the beam (kind 0) or triplet (kind 1) group around item i.
  void UngroupAt(int kind, int i);
  // Gives item i (and its group) the stem sign, 0 choosing it from the positions.
  void ApplyAutoStem(int i, int sign);
  void ApplyAutoStems();
  // The earlier line's stems and groups (earlier/QVKNTN): the index where a group of the kind
  // (0 beam, 1 triplet) stops when walked from i by direction, passing its non-first members;
  // the stem sign an earlier two-voice note forces on i; the automatic stem of i and its group
  // (1 when given); clearing the group of a kind around i; and item i rewritten as tied pieces
  // lasting ticks (answers the pieces inserted before it).
  int GroupBound(int kind, int i, int direction) const;
  int EarlierForcedStemSign(int i) const;
  int AutoStem(int sign, int index);
  void UngroupEarlier(int kind, int i);
  int RewriteAsTiedPieces(int index, long ticks);
  // Clean-ups after reading a Standard MIDI File.
  void RemoveRedundantItems();
  void ConsolidateNotes(bool compound, int limit);
  void MergeFullBarRests();
  // Writes the context's accidentals into the heads (resolve) or takes the redundant ones out.
  void ResolveAccidentals(bool resolve);
  void AuditAccidentals();
  // The first note or chord from `from` whose heads clash; 0 when none.
  int FindChordClash(int from);
  int FindUntransposable(int interval, int after);
  void Transpose(int interval, int preference);
  void TruncateAtTick(long tick);
  void Rebar();
  void AutoBeam(bool compound);
  // Playing the staff into an event list.
  void InitContext(TStaffContext& context) const;
  void PlayPreamble(TMidiEventSink& list, TStaffContext& context) const;
  void Play(TMidiEventSink& list, TStaffContext& context) const;

  // The settings part of the staff record (name to colour), as written to a file.
  void WriteInfo(TQXTStream& s) const;
  void ReadInfo(TQXTStream& s, int version);
  void ReadInfo(TReadAheadStream& s, int version);
  // The whole staff record; Load reads one into a new staff, then audits it.
  void Load(TQXTStream& s, int version, class TScoreLoadProgress* progress);
  void Load(TReadAheadStream& s, int version, class TScoreLoadProgress* progress);
  // As Load, but hands the staff to the queue for its audit instead of auditing it here.
  void Load(TReadAheadStream& s, int version, class TStaffAuditQueue& audits);
  void Write(TQXTStream& s) const;
  // Copies the settings of another staff through their file form.
  void CopyInfo(const TMusicStaff& other);

private:
  template <class In>
  void ReadInfoRecord(In& s, int version);
  template <class In>
  void LoadRecord(In& s, int version, class TScoreLoadProgress* progress, class TStaffAuditQueue* audits);
  void ApplyEndBarToSentinel();
  void ClampSizes();
  void ResetItems();
  bool IsInnerIndex(int i) const { return i >= 1 && i < LastIndex(); }

  TStaffLyrics* lyrics_ = nullptr;
  // The earlier line's extents: what SetVerticalSize gives at least, and how stored ones are mended.
  static constexpr int kEarlierLeastSize = 7;
  static constexpr int kEarlierSmallStored = 3;
  static constexpr int kEarlierStoredDefault = 10;
  static constexpr int kEarlierLargestStored = 150;
  void ClampStoredSizesEarlier();

  std::vector<TNotatedItem*> items_;
  std::unique_ptr<TAuditCheckpoints> checkpoints_;
  void LogTouch(int first);
  static constexpr unsigned kTouchLog = 16;
  unsigned touches_ = 0;
  int touchLog_[kTouchLog] = {};
  char name_[kNameSize];
  char group_[kGroupSize];
  int muted_ = 0;
  int channel_ = 0;
  int port_ = 0;
  int transposition_ = 0;
  TStaffInstrument instrument_{};
  int volume_ = 127;
  int pan_ = 64;
  int style_ = kStyleStandard;
  int endBarStyle_ = kEndSectionClose;
  int upperSize_ = -12;
  int lowerSize_ = 12;
  int layerWithNext_ = 0;
  unsigned char color_ = 0;
  unsigned char lines_ = kDefaultLines;
  bool changed_ = false;

};
