#include "QVKNTN/MusicStaff.h"

#include <algorithm>
#include <cstring>

#include "QVKNTN/AuditCheckpoints.h"
#include "QVKNTN/BarLineData.h"
#include "QVKNTN/EditorLine.h"
#include "QVKNTN/RestNote.h"
#include "QVKNTN/SongNote.h"
#include "QVKNTN/NotatedItem.h"
#include "QVKNTN/NotatedItemFactory.h"
#include "QVKNTN/NotationTypes.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "QVKNTN/StaffContext.h"
#include "QVKNTN/StaffItems.h"
#include "QVKNTN/StaffLyrics.h"
#include "QVKNTN/TimeSignatureData.h"

namespace {

// Playback walks follow repeats and jumps; a hostile staff could make them circle, so a walk
// gives up after this many steps per item.
constexpr long kWalkStepsPerItem = 64;

// Dynamic level (ppp .. fff) to MIDI velocity.
constexpr int kDynamicVelocity[] = {10, 30, 45, 60, 75, 92, 108, 127};

// Bar-line styles the sentinels take, and the visibility of an open end.
constexpr int kBarSingle = 0;
constexpr int kBarDouble = 1;
constexpr int kBarSectionClose = 3;
constexpr int kBarMasterRepeatClose = 7;
constexpr int kVisibilityNever = 3;

constexpr int kDefaultBeats = 4;
constexpr int kDefaultBeatCode = 2;

void CopyText(char* dst, int size, const char* src) {
  if (!src) src = "";
  std::strncpy(dst, src, static_cast<size_t>(size) - 1);
  dst[size - 1] = 0;
}

TBarLineData* NewSentinel(int style) {
  auto* bar = static_cast<TBarLineData*>(NewNotatedItem(ntBarLine));
  bar->SetStyle(style);
  return bar;
}

}  // namespace

TMusicStaff::TMusicStaff() {
  CopyText(name_, kNameSize, "Staff");
  CopyText(group_, kGroupSize, "Standard");
  items_.reserve(1025);
  ResetItems();
}

TMusicStaff::~TMusicStaff() {
  for (int i = LastIndex(); i >= 0; --i) delete items_[static_cast<size_t>(i)];
  delete lyrics_;
}

void TMusicStaff::ResetItems() {
  TouchItems(0);
  items_.push_back(NewSentinel(kBarSingle));
  items_.push_back(NewSentinel(kBarSectionClose));
  ApplyEndBarToSentinel();
}

void TMusicStaff::TouchItems(int first) {
  LogTouch(first);
  if (checkpoints_) checkpoints_->DropAfter(first);
}

void TMusicStaff::LogTouch(int first) {
  touchLog_[touches_ % kTouchLog] = first;
  ++touches_;
}

int TMusicStaff::LowestTouchSince(unsigned count) const {
  const unsigned since = touches_ - count;
  if (since == 0) return kNothingTouched;
  if (since > kTouchLog) return -1;
  int lowest = kNothingTouched;
  for (unsigned k = 1; k <= since; ++k) lowest = std::min(lowest, touchLog_[(touches_ - k) % kTouchLog]);
  return lowest;
}

TAuditCheckpoints& TMusicStaff::AuditCheckpoints() {
  if (!checkpoints_) checkpoints_ = std::make_unique<TAuditCheckpoints>();
  return *checkpoints_;
}

void TMusicStaff::ReserveItems(int capacity) {
  if (capacity > 0) items_.reserve(static_cast<size_t>(capacity));
}

int TMusicStaff::FreeItemSlots() const {
  const int free = kMaxItems - ItemCount();
  return free < 0 ? 0 : free;
}

bool TMusicStaff::InsertItem(TNotatedItem* item, int i) {
  if (!item || i < 1 || i > LastIndex() || FreeItemSlots() == 0) return false;
  TouchItems(i);
  items_.insert(items_.begin() + i, item);
  changed_ = true;
  return true;
}

bool TMusicStaff::AppendItem(TNotatedItem* item) { return InsertItem(item, LastIndex()); }

bool TMusicStaff::InsertNotify(TNotatedItem* item, int i) {
  if (!InsertItem(item, i)) return false;
  RunStaffAuditAround(this, i, i);
  return true;
}

TNotatedItem* TMusicStaff::DetachItem(int i) {
  if (!IsInnerIndex(i)) return nullptr;
  TNotatedItem* item = items_[static_cast<size_t>(i)];
  TouchItems(i);
  items_.erase(items_.begin() + i);
  changed_ = true;
  RunStaffAuditAround(this, i, i);
  return item;
}

int TMusicStaff::DeleteItem(int i) {
  if (!IsInnerIndex(i)) return 0;
  TouchItems(i);
  delete items_[static_cast<size_t>(i)];
  items_.erase(items_.begin() + i);
  changed_ = true;
  return 1;
}

void TMusicStaff::DeleteItems(int first, int last) {
  if (first <= 0) return;
  if (last > LastIndex() - 1) last = LastIndex() - 1;
  if (last < first) return;
  TouchItems(first);
  for (int i = last; i >= first; --i) delete items_[static_cast<size_t>(i)];
  items_.erase(items_.begin() + first, items_.begin() + last + 1);
  changed_ = true;
}

void TMusicStaff::SetName(const char* name) { CopyText(name_, kNameSize, name); }

void TMusicStaff::SetGroupName(const char* group) { CopyText(group_, kGroupSize, group); }

void TMusicStaff::SetLyrics(TStaffLyrics* lyrics) {
  if (lyrics == lyrics_) return;
  delete lyrics_;
  lyrics_ = lyrics;
}

void TMusicStaff::SetEndBarStyle(int style) {
  endBarStyle_ = style;
  if (!items_.empty()) ApplyEndBarToSentinel();
}

void TMusicStaff::ApplyEndBarToSentinel() {
  auto* bar = static_cast<TBarLineData*>(items_.back());
  bar->SetVisibility(0);
  switch (endBarStyle_) {
    case kEndSectionClose: bar->SetStyle(kBarSectionClose); break;
    case kEndMasterRepeatClose: bar->SetStyle(kBarMasterRepeatClose); break;
    case kEndSingle: bar->SetStyle(kBarSingle); break;
    case kEndDouble: bar->SetStyle(kBarDouble); break;
    case kEndOpen:
      bar->SetStyle(kBarSingle);
      bar->SetVisibility(kVisibilityNever);
      break;
    default: break;
  }
}

void TMusicStaff::ClampSizes() {
  if (upperSize_ < -kMaxExtent) upperSize_ = -kMaxExtent;
  if (upperSize_ > -lines_) upperSize_ = -lines_;
  if (lowerSize_ < lines_) lowerSize_ = lines_;
  if (lowerSize_ > kMaxExtent) lowerSize_ = kMaxExtent;
}

void TMusicStaff::SetVerticalSize(int lower, int upper) {
  if (kEarlierLine) {
    // The earlier line's first argument is the extent above the staff (stored first), its second
    // the extent below; each is at least 7 and has no outer bound.
    upperSize_ = lower < -kEarlierLeastSize + 1 ? lower : -kEarlierLeastSize;
    lowerSize_ = upper > kEarlierLeastSize - 1 ? upper : kEarlierLeastSize;
    return;
  }
  lowerSize_ = lower;
  upperSize_ = upper;
  ClampSizes();
}

void TMusicStaff::ClampStoredSizesEarlier() {
  if (upperSize_ >= -kEarlierSmallStored) upperSize_ = -kEarlierStoredDefault;
  if (upperSize_ < -kEarlierLargestStored) upperSize_ = -kEarlierLargestStored;
  if (lowerSize_ <= kEarlierSmallStored) lowerSize_ = kEarlierStoredDefault;
  if (lowerSize_ > kEarlierLargestStored) lowerSize_ = kEarlierLargestStored;
}

bool TMusicStaff::NeedsExperimentalFeatures() const {
  if (layerWithNext_ != 0) return true;
  for (int i = LastIndex(); i >= 1; --i) {
    const TNotatedItem* item = items_[static_cast<size_t>(i)];
    if (!item->IsSongNote()) continue;
    const auto* note = static_cast<const TSongNote*>(item);
    if (note->GetExtraAccidentalSpace() != 0 || note->GetExtraNoteSpace() != 0) return true;
    if (item->GetType() == ntRest && static_cast<const TRestNote*>(item)->GetVerticalOffset() != 0) return true;
  }
  return false;
}

void TMusicStaff::SetLineCount(int lines) {
  if (lines < 1 || lines > kMaxLines) lines = kDefaultLines;
  lines_ = static_cast<unsigned char>(lines);
  ClampSizes();
}

int TMusicStaff::CountItemsOfKind(int type) const {
  int n = 0;
  for (const TNotatedItem* item : items_)
    if (item->GetType() == type) ++n;
  return n;
}

bool TMusicStaff::HasNoteOrChord() const {
  for (const TNotatedItem* item : items_)
    if (item->IsNoteOrChord()) return true;
  return false;
}

bool TMusicStaff::LiesHigh() const {
  long sum = 0;
  for (const TNotatedItem* item : items_)
    if (item->IsNoteOrChord()) sum += item->GetHighPosition() - 8;
  return sum > 0;
}

int TMusicStaff::FindNextOfType(int type, int i, int direction) const {
  const int step = direction < 0 ? -1 : 1;
  int j = i + step;
  while (IsInnerIndex(j) && items_[static_cast<size_t>(j)]->GetType() != type) j += step;
  return j;
}

int TMusicStaff::FindNextNote(int i, int direction) const {
  const int step = direction < 0 ? -1 : 1;
  for (int j = i + step; j >= 0 && j <= LastIndex(); j += step)
    if (items_[static_cast<size_t>(j)]->IsSongNote()) return j;
  if (i < 0) return 0;
  return i > LastIndex() ? LastIndex() : i;
}

int TMusicStaff::FindNextNoteOrChord(int i, int direction) const {
  const int step = direction < 0 ? -1 : 1;
  for (int j = i + step; j >= 0 && j <= LastIndex(); j += step)
    if (items_[static_cast<size_t>(j)]->IsNoteOrChord()) return j;
  return -1;
}

int TMusicStaff::FindNextBar(int i, int direction) const {
  const int step = direction < 0 ? -1 : 1;
  int j = i + step;
  while (j >= 0 && j <= LastIndex() && items_[static_cast<size_t>(j)]->GetType() != ntBarLine) j += step;
  return j;
}

int TMusicStaff::FindBarClamped(int i, int direction) const {
  int j = FindNextBar(i, direction);
  if (j < 1) j = 1;
  if (j > LastIndex()) j = LastIndex();
  return j;
}

int TMusicStaff::IndexOfBar(int n) const {
  int seen = 0;
  for (int j = 0; j <= LastIndex(); ++j) {
    if (items_[static_cast<size_t>(j)]->GetType() != ntBarLine) continue;
    if (seen == n) return j;
    ++seen;
  }
  return LastIndex();
}

int TMusicStaff::FindNoteHeadAt(int position, int i, int direction) const {
  const int step = direction < 0 ? -1 : 1;
  for (int j = i + step; j >= 0 && j <= LastIndex(); j += step) {
    TNotatedItem* item = items_[static_cast<size_t>(j)];
    if (item->IsNoteOrChord() && item->FindNoteAtPosition(position)) return j;
  }
  return -1;
}

long TMusicStaff::GetTicksBetween(int a, int b) const {
  // Both ends are clamped: callers pass cursor positions that may lie past either sentinel.
  if (b > LastIndex()) b = LastIndex();
  if (a > LastIndex()) a = LastIndex();
  if (b < 1) return 0;
  if (a < 0) a = 0;
  long sum = 0;
  if (a < b) {
    for (int j = a; j < b; ++j) sum += items_[static_cast<size_t>(j)]->GetDuration();
    return sum;
  }
  for (int j = b; j < a; ++j) sum += items_[static_cast<size_t>(j)]->GetDuration();
  return -sum;
}

int TMusicStaff::SeekTick(long target, int startIndex, long startTick) const {
  if (target <= 0) return 0;
  if (startIndex < 0) startIndex = 0;
  if (startIndex > LastIndex()) startIndex = LastIndex();
  if (target == startTick) return startIndex;
  int j = startIndex;
  long tick = startTick;
  if (startTick > target) {
    while (j > 0 && tick > target) {
      --j;
      tick -= items_[static_cast<size_t>(j)]->GetDuration();
    }
    return j;
  }
  while (j < LastIndex() && tick < target) {
    tick += items_[static_cast<size_t>(j)]->GetDuration();
    ++j;
  }
  return j;
}

namespace {

// Walks a staff from index 0 the way playback does, calling visit(index, item) for each item
// met before index `end`.
template <class Visit>
void PlaybackWalk(const TMusicStaff& staff, int end, TStaffContext& context, Visit visit) {
  context.Reset();
  const TStaffItems view{staff.Items(), staff.ItemCount()};
  long budget = kWalkStepsPerItem * (staff.ItemCount() + 1);
  int j = 0;
  while (j >= 0 && j < end && j <= staff.LastIndex() && budget-- > 0) {
    TNotatedItem* item = staff.GetItem(j);
    visit(j, item);
    const int next = item->Perform(context, view, j);
    item->UpdateContext(context);
    j = next;
  }
}

}  // namespace

void TMusicStaff::BuildContextAt(int i, TStaffContext& context) const {
  PlaybackWalk(*this, i, context, [](int, TNotatedItem*) {});
}

void TMusicStaff::FindLastSignatures(int i, int& clef, int& key, int& timeSig) const {
  clef = key = timeSig = -1;
  TStaffContext context;
  PlaybackWalk(*this, i, context, [&](int j, TNotatedItem* item) {
    switch (item->GetType()) {
      case ntClef: clef = j; break;
      case ntKey: key = j; break;
      case ntTimeSignature: timeSig = j; break;
      default: break;
    }
  });
}

int TMusicStaff::FindLastOfSameType(int i) const {
  const TNotatedItem* current = GetItem(i);
  if (!current) return -1;
  const int type = current->GetType();
  for (int j = i - 1; j >= 0; --j) {
    const int t = items_[static_cast<size_t>(j)]->GetType();
    if (t == ntSpecialEnding) break;
    if (t == type) return j;
  }
  int found = -1;
  TStaffContext context;
  PlaybackWalk(*this, i, context, [&](int j, TNotatedItem* item) {
    if (item->GetType() == type) found = j;
  });
  return found;
}

void TMusicStaff::GetTimeSignatureAt(int i, int& beats, int& beatCode) const {
  beats = kDefaultBeats;
  beatCode = kDefaultBeatCode;
  if (i <= 0) return;
  if (i > LastIndex() + 1) i = LastIndex() + 1;
  for (int j = i - 1; j >= 0; --j) {
    const TNotatedItem* item = items_[static_cast<size_t>(j)];
    const int t = item->GetType();
    if (t == ntTimeSignature) {
      const auto* sig = static_cast<const TTimeSignatureData*>(item);
      beats = sig->GetBeats();
      beatCode = sig->GetBeatCode();
      return;
    }
    if (t != ntSpecialEnding) continue;
    // Behind an ending the signature in force depends on the repeats taken: ask the walk.
    TStaffContext context;
    PlaybackWalk(*this, i, context, [&](int, TNotatedItem* walked) {
      if (walked->GetType() != ntTimeSignature) return;
      const auto* sig = static_cast<const TTimeSignatureData*>(walked);
      beats = sig->GetBeats();
      beatCode = sig->GetBeatCode();
    });
    return;
  }
}

int TMusicStaff::VelocityForDynamic(int level) {
  if (level < 0 || level >= static_cast<int>(sizeof kDynamicVelocity / sizeof kDynamicVelocity[0])) return 0;
  return kDynamicVelocity[level];
}
