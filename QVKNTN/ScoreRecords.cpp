// The score information and staff records of the score file, in every format version.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "QVKNTN/EditorLine.h"
#include "QVKNTN/ItemRecords.h"
#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicScore.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/ReadAheadStream.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/ScoreFile.h"
#include "QVKNTN/StaffAuditQueue.h"
#include "QVKNTN/StaffLyrics.h"
#include "foundation/QXTSegRamStream.h"

namespace {

constexpr int kTextFieldSize = 128;
constexpr int kFontsBeforeV15 = 10;
constexpr int kChannelCount = 16;
constexpr int kStaffColors = 4;
constexpr int kEndBarStyles = 5;
constexpr int kMaxZoomBeforeShift = 5;
constexpr uint16_t kCopySegment = 1024;
constexpr const char* kMarginFormat = "%2.8f %2.8f %2.8f %2.8f";

template <class In>
int16_t ReadInt16(In& s) {
  return static_cast<int16_t>(s.ReadUInt16());
}

// One-bit flags are stored as whole bytes; readers look at bit 0 only.
void WriteFlagByte(TQXTStream& s, bool on) { s.PutByte(on ? 0xFF : 0x00); }
template <class In>
bool ReadFlagByte(In& s) { return (s.GetByte() & 1) != 0; }

int ClampTo(int value, int count, int fallback) { return (value < 0 || value >= count) ? fallback : value; }

// Rounded multiply-divide, as font sizes are scaled.
int MulDivRounded(int a, int b, int c) {
  const int64_t p = static_cast<int64_t>(a) * b;
  const int64_t half = c / 2;
  return static_cast<int>(p >= 0 ? (p + half) / c : (p - half) / c);
}

template <class In>
void ReadFontTable(In& s, TMusicFontsData& fonts, int count) {
  int staffSize = ReadInt16(s);
  // The staff size divides every font size in drawing.
  if (staffSize <= 0) staffSize = TMusicFontsData::kDefaultStaffSize;
  fonts.SetStaffSize(staffSize);
  for (int i = 0; i < count && !s.IsFailed(); ++i) {
    TMusicFontsData::Font& f = fonts.GetFont(i);
    s.ReadString(f.face, TMusicFontsData::kFaceSize);
    f.style = s.GetByte();
    f.size = ReadInt16(s);
    f.charset = s.GetByte();
  }
}

// Version 9 stored ten text fonts; the earlier line writes those.
constexpr int kWrittenFonts = kEarlierLine ? kFontsBeforeV15 : TMusicFontsData::kFontCount;

void WriteFontTable(TQXTStream& s, const TMusicFontsData& fonts) {
  s.WriteInt16(fonts.GetStaffSize());
  for (int i = 0; i < kWrittenFonts; ++i) {
    const TMusicFontsData::Font& f = fonts.GetFont(i);
    s.WriteString(f.face);
    s.PutByte(f.style);
    s.WriteInt16(f.size);
    s.PutByte(f.charset);
  }
}

float SaneMargin(float inches, float fallback) { return std::isfinite(inches) && inches >= 0 ? inches : fallback; }

}  // namespace

// ---- score information ----

void TMusicScore::ReadInfo(TQXTStream& s, int version) { ReadInfoRecord(s, version); }

void TMusicScore::ReadInfo(TReadAheadStream& s, int version) { ReadInfoRecord(s, version); }

template <class In>
void TMusicScore::ReadInfoRecord(In& s, int version) {
  s.ReadString(info_.title, sizeof info_.title);
  s.ReadString(info_.author, sizeof info_.author);
  s.ReadString(info_.copyright1, sizeof info_.copyright1);
  s.ReadString(info_.copyright2, sizeof info_.copyright2);
  s.ReadString(info_.comments, sizeof info_.comments);

  SetExtendLastSystem(true);
  SetDurationSpacing(true);
  SetAllowLayering(false);
  selection_.SetAll(false);
  selection_.SetBit(0, true);
  char text[kTextFieldSize];
  s.ReadString(text, sizeof text);
  if (version > 5) {
    if (text[0] == 'N') SetExtendLastSystem(false);
    if (text[0] && text[1] == 'N') SetDurationSpacing(false);
  }
  s.ReadString(text, sizeof text);
  if (version > 3) {
    measureStyle_ = ReadInt16(s);
    measureStart_ = ReadInt16(s);
  }
  if (version < 6) return;

  s.ReadString(text, sizeof text);
  float m[4] = {margins_[0], margins_[1], margins_[2], margins_[3]};
  if (std::sscanf(text, "%f %f %f %f", &m[0], &m[1], &m[2], &m[3]) == 4)
    for (int i = 0; i < 4; ++i) margins_[i] = SaneMargin(m[i], margins_[i]);
  mirrorMargins_ = s.GetByte();
  zoom_ = ReadInt16(s);
  // The earlier line numbers its zoom levels as its files store them.
  if (!kEarlierLine && version < 15 && zoom_ > kMaxZoomBeforeShift) --zoom_;
  if (version > 7) {
    // A short read leaves the selection as cleared above, not whatever the buffer held.
    unsigned char bytes[kSelectionBytes] = {};
    if (s.Read(bytes, sizeof bytes) != sizeof bytes) {
      s.SetFail();
      std::memset(bytes, 0, sizeof bytes);
      bytes[0] = 1;
    }
    for (int i = 0; i < kSelectionSize; ++i) selection_.SetBit(i, (bytes[i / 8] >> (i % 8)) & 1);
    SetAllowLayering(ReadFlagByte(s));
  }
  if (version < 7) {
    const int size = ReadInt16(s);
    int staffSize = MulDivRounded(size, 8, 5);
    if (staffSize <= 0) staffSize = TMusicFontsData::kDefaultStaffSize;
    fonts_->ResetDefaults(staffSize);
  } else {
    ReadFontTable(s, *fonts_, version < 15 ? kFontsBeforeV15 : TMusicFontsData::kFontCount);
  }
  SetTitlePageInfo(ReadFlagByte(s));
  staffLabels_ = s.GetByte();
  pageNumberingFrom_ = ReadInt16(s);
}

void TMusicScore::WriteInfo(TQXTStream& s) const {
  s.WriteString(info_.title);
  s.WriteString(info_.author);
  s.WriteString(info_.copyright1);
  s.WriteString(info_.copyright2);
  s.WriteString(info_.comments);
  s.PutByte(GetExtendLastSystem() ? 'Y' : 'N');
  s.PutByte(GetDurationSpacing() ? 'Y' : 'N');
  s.WriteString("_");
  s.WriteString("F2");
  s.WriteInt16(measureStyle_);
  s.WriteInt16(measureStart_);
  char margins[160];
  std::snprintf(margins, sizeof margins, kMarginFormat, margins_[0], margins_[1], margins_[2], margins_[3]);
  s.WriteString(margins);
  s.PutByte(static_cast<unsigned char>(mirrorMargins_));
  s.WriteInt16(zoom_);
  const auto& bytes = selection_.GetBytes();
  for (int i = 0; i < kSelectionBytes; ++i)
    s.PutByte(i < static_cast<int>(bytes.size()) ? bytes[static_cast<size_t>(i)] : 0);
  WriteFlagByte(s, GetAllowLayering());
  WriteFontTable(s, *fonts_);
  WriteFlagByte(s, GetTitlePageInfo());
  s.PutByte(static_cast<unsigned char>(staffLabels_));
  s.WriteInt16(pageNumberingFrom_);
}

void TMusicScore::Load(TQXTStream& s, int version, TScoreLoadProgress* progress) { LoadBody(s, version, progress); }

void TMusicScore::Load(TReadAheadStream& s, int version, TScoreLoadProgress* progress) {
  LoadBody(s, version, progress);
}

template <class In>
void TMusicScore::LoadBody(In& s, int version, TScoreLoadProgress* progress) {
  ReadInfo(s, version);
  const int count = ReadInt16(s);
  // Opening a file reads through the read-ahead stream; there, unless progress is shown (whose
  // texts follow each staff's audit in turn), each staff is audited beside the next one's reading.
  TStaffAuditQueue audits;
  for (int i = 0; i < count && !s.IsFailed(); ++i) {
    auto* staff = new TMusicStaff;
    if constexpr (std::is_same<In, TReadAheadStream>::value) {
      if (!progress)
        staff->Load(s, version, audits);
      else
        staff->Load(s, version, progress);
    } else {
      staff->Load(s, version, progress);
    }
    // The stored selection stays as read: appending here must not select the staff.
    staves_.push_back(staff);
  }
  audits.Finish();
  if (AnyStaffModified()) SetModified(true);
  if (version < 8 && StaffCount() > 0) SelectGroupStaves(GetStaff(0)->GetGroupName(), selection_);
}

void TMusicScore::Write(TQXTStream& s) const {
  WriteInfo(s);
  s.WriteInt16(StaffCount());
  for (const TMusicStaff* staff : staves_) staff->Write(s);
}

void TMusicScore::CopyInfo(const TMusicScore& other) {
  TQXTSegRamStream copy(kCopySegment);
  other.WriteInfo(copy);
  copy.Rewind();
  ReadInfo(copy, kScoreFormatVersion);
}

// ---- staff record ----

void TMusicStaff::WriteInfo(TQXTStream& s) const {
  s.WriteString(name_);
  s.WriteString(group_);
  s.PutByte(static_cast<unsigned char>(endBarStyle_));
  s.WriteInt16(muted_);
  s.WriteInt16(channel_);
  s.WriteInt16(port_);
  s.WriteInt16(instrument_.bankSelect);
  s.WriteInt16(instrument_.bank);
  s.WriteInt16(instrument_.patch);
  s.WriteInt16(style_);
  s.WriteInt16(upperSize_);
  s.WriteInt16(lowerSize_);
  // Version 9 stored neither the number of staff lines nor the staff colour.
  if (!kEarlierLine) s.PutByte(lines_);
  s.WriteInt16(layerWithNext_);
  s.WriteInt16(transposition_);
  s.WriteInt16(volume_);
  s.WriteInt16(pan_);
  if (!kEarlierLine) s.PutByte(color_);
}

void TMusicStaff::ReadInfo(TQXTStream& s, int version) { ReadInfoRecord(s, version); }

void TMusicStaff::ReadInfo(TReadAheadStream& s, int version) { ReadInfoRecord(s, version); }

template <class In>
void TMusicStaff::ReadInfoRecord(In& s, int version) {
  s.ReadString(name_, kNameSize);
  s.ReadString(group_, kGroupSize);
  // Stored values that index tables are clamped to their defaults.
  endBarStyle_ = version >= 9 ? ClampTo(s.GetByte(), kEndBarStyles, kEndSectionClose) : kEndSectionClose;
  muted_ = ReadInt16(s) ? 1 : 0;
  channel_ = ClampTo(ReadInt16(s), kChannelCount, 0);
  port_ = ClampTo(ReadInt16(s), kChannelCount, 0);
  instrument_.bankSelect = ReadInt16(s);
  instrument_.bank = ReadInt16(s);
  instrument_.patch = ReadInt16(s);
  style_ = ReadInt16(s);
  upperSize_ = ReadInt16(s);
  lowerSize_ = ReadInt16(s);
  int lines = version >= 16 ? s.GetByte() : kDefaultLines;
  if (lines < 1 || lines > kMaxLines) lines = kDefaultLines;
  lines_ = static_cast<unsigned char>(lines);
  if (kEarlierLine)
    ClampStoredSizesEarlier();
  else
    ClampSizes();
  layerWithNext_ = version >= 8 ? ReadInt16(s) : 0;
  transposition_ = ReadInt16(s);
  volume_ = ReadInt16(s);
  pan_ = ReadInt16(s);
  color_ = static_cast<unsigned char>(version >= 10 ? ClampTo(s.GetByte(), kStaffColors, 0) : 0);
  if (!items_.empty()) ApplyEndBarToSentinel();
}

void TMusicStaff::Write(TQXTStream& s) const {
  WriteInfo(s);
  s.WriteInt16(lyrics_ ? 1 : 0);
  if (lyrics_) lyrics_->Save(s);
  s.WriteInt16(0);
  s.WriteInt16(0);
  s.WriteInt16(ItemCount());
  for (int i = 1; i < LastIndex(); ++i) WriteNotatedItem(s, *items_[static_cast<size_t>(i)]);
}

void TMusicStaff::CopyInfo(const TMusicStaff& other) {
  TQXTSegRamStream copy(kCopySegment);
  other.WriteInfo(copy);
  copy.Rewind();
  ReadInfo(copy, kScoreFormatVersion);
}

namespace {

// Reads one record and drops it: the sentinels that old files stored.
template <class In>
void SkipItemRecord(In& s, int version) {
  TNotatedItem* item = nullptr;
  if (LoadNotatedItem(version, s, item)) delete item;
}

void ShowProgress(TScoreLoadProgress* progress, const char* format, const char* a, const char* b, int n) {
  if (!progress) return;
  char text[96];
  if (b)
    std::snprintf(text, sizeof text, format, a, b, n);
  else
    std::snprintf(text, sizeof text, format, a);
  progress->ShowText(text);
}

}  // namespace

void TMusicStaff::Load(TQXTStream& s, int version, TScoreLoadProgress* progress) {
  LoadRecord(s, version, progress, nullptr);
}

void TMusicStaff::Load(TReadAheadStream& s, int version, TScoreLoadProgress* progress) {
  LoadRecord(s, version, progress, nullptr);
}

void TMusicStaff::Load(TReadAheadStream& s, int version, TStaffAuditQueue& audits) {
  LoadRecord(s, version, nullptr, &audits);
}

template <class In>
void TMusicStaff::LoadRecord(In& s, int version, TScoreLoadProgress* progress, TStaffAuditQueue* audits) {
  TMusicStaff& staff = *this;
  staff.ReadInfo(s, version);
  if (version >= 4 && ReadInt16(s) != 0 && !s.IsFailed()) {
    auto* lyrics = new TStaffLyrics;
    lyrics->Load(s, version);
    staff.SetLyrics(lyrics);
  }
  ReadInt16(s);
  ReadInt16(s);
  const int stored = ReadInt16(s);
  if (s.IsFailed()) return;
  // The count includes the two sentinels; anything a staff cannot hold is refused before the
  // item array is sized from it.
  if (stored < 2 || stored > TMusicStaff::kMaxItems) {
    s.SetFail();
    return;
  }
  const int count = stored - 2;
  ShowProgress(progress, " Loading %s:%s (%d items)", staff.GetGroupName(), staff.GetName(), count);
  staff.ReserveItems(stored / 100 * 100 + 101);
  if (version <= 8) SkipItemRecord(s, version);
  // The records go in between the sentinels in file order: the trailing sentinel steps aside
  // while they are appended (the count was checked against the staff's limit above).
  TouchItems(0);
  TNotatedItem* trailing = items_.back();
  items_.pop_back();
  for (int i = 0; i < count && !s.IsFailed(); ++i) {
    TNotatedItem* item = nullptr;
    if (!LoadNotatedItem(version, s, item)) break;
    items_.push_back(item);
  }
  items_.push_back(trailing);
  if (version <= 8 && !s.IsFailed()) SkipItemRecord(s, version);
  // What was just read is the staff's stored state, not an edit.
  staff.SetChanged(false);
  ShowProgress(progress, " Auditing %s", staff.GetName(), nullptr, 0);
  if (audits)
    audits->Add(&staff);
  else
    RunStaffAudit(&staff, -1, -1);
}
