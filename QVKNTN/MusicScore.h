#pragma once
// One score in memory: its information block, page and view settings, its text-font table, its
// flags and the ordered list of its staves, which it owns.

#include <vector>

#include "foundation/QVBoolArray.h"

class TMusicFontsData;
class TMusicStaff;
class TQXTStream;
class TReadAheadStream;

// Title, author, two copyright lines and comments: 1320 bytes copied as a whole between scores,
// templates and the application's default information.
struct TScoreInfoBlock {
  static constexpr int kTitleSize = 64;
  static constexpr int kAuthorSize = 48;
  static constexpr int kCopyrightSize = 92;
  static constexpr int kCommentsSize = 1024;
  char title[kTitleSize];
  char author[kAuthorSize];
  char copyright1[kCopyrightSize];
  char copyright2[kCopyrightSize];
  char comments[kCommentsSize];
};
static_assert(sizeof(TScoreInfoBlock) == 1320, "the information block is 1320 bytes");

// A list that FillGroupList fills: a list or combo box adapts itself to it.
class TStringListSink {
public:
  virtual ~TStringListSink() = default;
  virtual void ClearStrings() = 0;
  virtual void AddString(const char* text) = 0;
};

// An item index with the tick at which it starts: where a staff's playback stood before a seek.
struct TItemTickPos {
  int index;
  long tick;
};

inline void SetItemTickPos(TItemTickPos& pair, int index, long tick) {
  pair.index = index;
  pair.tick = tick;
}

class TMusicScore {
public:
  static constexpr int kSelectionSize = 255;
  static constexpr int kSelectionBytes = 32;
  static constexpr int kDefaultZoom = 8;

  // Flag bits.
  enum : unsigned char {
    kFlagReserved = 0x01,
    kFlagConverted = 0x02,
    kFlagCompressed = 0x04,
    kFlagModified = 0x08,
    kFlagTitlePageInfo = 0x10,
    kFlagExtendLastSystem = 0x20,
    kFlagDurationSpacing = 0x40,
    kFlagAllowLayering = 0x80,
  };

  TMusicScore();
  explicit TMusicScore(const TScoreInfoBlock& info);
  ~TMusicScore();
  TMusicScore(const TMusicScore&) = delete;
  TMusicScore& operator=(const TMusicScore&) = delete;

  // Staves.
  int StaffCount() const { return static_cast<int>(staves_.size()); }
  TMusicStaff* GetStaff(int i) const;
  void AppendStaff(TMusicStaff* staff);
  void InsertStaff(TMusicStaff* staff, int i);
  TMusicStaff* RemoveStaff(int i);
  int IndexOfStaff(const TMusicStaff* staff) const;
  int FirstStaffNamed(const char* name) const;
  int LastStaffNamed(const char* name) const;

  // Information and settings.
  TScoreInfoBlock& Info() { return info_; }
  const TScoreInfoBlock& Info() const { return info_; }
  void SetInfo(const TScoreInfoBlock& info) { info_ = info; }
  int GetMeasureNumberStyle() const { return measureStyle_; }
  void SetMeasureNumberStyle(int style) { measureStyle_ = style; }
  int GetMeasureStart() const { return measureStart_; }
  void SetMeasureStart(int start) { measureStart_ = start; }
  // Margins in inches: 0 top, 1 inside, 2 outside, 3 bottom.
  float GetMargin(int i) const { return margins_[i & 3]; }
  void SetMargin(int i, float inches) { margins_[i & 3] = inches; }
  int GetMirrorMargins() const { return mirrorMargins_; }
  void SetMirrorMargins(int on) { mirrorMargins_ = on; }
  int GetZoomIndex() const { return zoom_; }
  void SetZoomIndex(int zoom) { zoom_ = zoom; }
  int GetPageNumberingFrom() const { return pageNumberingFrom_; }
  void SetPageNumberingFrom(int page) { pageNumberingFrom_ = page; }
  int GetStaffLabels() const { return staffLabels_; }
  void SetStaffLabels(int labels) { staffLabels_ = labels; }
  TMusicFontsData* GetFonts() const { return fonts_; }
  TQVBoolArray& Selection() { return selection_; }
  const TQVBoolArray& Selection() const { return selection_; }

  // Flags.
  unsigned char GetFlags() const { return flags_; }
  void SetFlags(unsigned char flags) { flags_ = flags; }
  bool IsConverted() const { return Flag(kFlagConverted); }
  void SetConverted(bool on) { SetFlag(kFlagConverted, on); }
  bool IsCompressed() const { return Flag(kFlagCompressed); }
  void SetCompressed(bool on) { SetFlag(kFlagCompressed, on); }
  bool IsModified() const { return Flag(kFlagModified); }
  void SetModified(bool on) { SetFlag(kFlagModified, on || AnyStaffModified()); }
  bool GetTitlePageInfo() const { return Flag(kFlagTitlePageInfo); }
  void SetTitlePageInfo(bool on) { SetFlag(kFlagTitlePageInfo, on); }
  bool GetExtendLastSystem() const { return Flag(kFlagExtendLastSystem); }
  void SetExtendLastSystem(bool on) { SetFlag(kFlagExtendLastSystem, on); }
  bool GetDurationSpacing() const { return Flag(kFlagDurationSpacing); }
  void SetDurationSpacing(bool on) { SetFlag(kFlagDurationSpacing, on); }
  bool GetAllowLayering() const { return Flag(kFlagAllowLayering); }
  void SetAllowLayering(bool on) { SetFlag(kFlagAllowLayering, on); }
  bool AnyStaffModified() const;
  // The header's reserved word as a file brought it (kept and written back by the earlier line).
  int GetReservedWord() const { return reservedWord_; }
  void SetReservedWord(int word) { reservedWord_ = word; }
  // Whether the score was read or written using experimental program features, and whether it
  // needs them now: layering allowed, or a staff that needs them.
  bool IsExperimental() const { return experimental_; }
  void SetExperimental(bool on) { experimental_ = on; }
  bool NeedsExperimentalFeatures() const;

  // Staff names.
  void MakeStaffNameUnique(TMusicStaff* staff) const;
  void NewStaffName(char* buffer, int size) const;

  // Staff sets.
  void GetMutedStaves(TQVBoolArray& muted) const;
  void SetMutedStaves(const TQVBoolArray& muted);
  int GetLastStaffPort() const;
  int CountStavesOn(int port, int channel) const;
  int NextFreeChannel(int port) const;
  int FillGroupList(TStringListSink& list) const;
  void SelectGroupStaves(const char* group, TQVBoolArray& selection) const;

  // The score information as the file holds it, at the given format version.
  void ReadInfo(TQXTStream& s, int version);
  void ReadInfo(TReadAheadStream& s, int version);
  void WriteInfo(TQXTStream& s) const;
  // The body: information, staff count and staff records.
  void Load(TQXTStream& s, int version, class TScoreLoadProgress* progress);
  void Load(TReadAheadStream& s, int version, class TScoreLoadProgress* progress);
  void Write(TQXTStream& s) const;
  // Copies the information of another score through its file form.
  void CopyInfo(const TMusicScore& other);

private:
  template <class In>
  void ReadInfoRecord(In& s, int version);
  template <class In>
  void LoadBody(In& s, int version, class TScoreLoadProgress* progress);
  bool Flag(unsigned char bit) const { return (flags_ & bit) != 0; }
  void SetFlag(unsigned char bit, bool on) { flags_ = on ? (flags_ | bit) : (flags_ & ~bit); }
  void ClearSettings();

  TQVBoolArray selection_;
  TMusicFontsData* fonts_;
  std::vector<TMusicStaff*> staves_;
  TScoreInfoBlock info_;
  int measureStyle_ = 0;
  int measureStart_ = 1;
  float margins_[4];
  int mirrorMargins_ = 0;
  int zoom_ = kDefaultZoom;
  int pageNumberingFrom_ = 0;
  int staffLabels_ = 0;
  unsigned char flags_ = 0;
  bool experimental_ = false;
  int reservedWord_ = 0;
};
