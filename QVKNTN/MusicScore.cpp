#include "QVKNTN/MusicScore.h"

#include <cstdio>
#include <cstring>

#include "QVKNTN/MusicFontsData.h"
#include "QVKNTN/MusicStaff.h"

namespace {

constexpr float kDefaultMargin = 0.5f;
constexpr int kChannels = 16;
// Staff names are cut so that the name and its "-n" suffix fit the name field.
constexpr int kNameChars = TMusicStaff::kNameSize - 1;

}  // namespace

TMusicScore::TMusicScore() : selection_(kSelectionSize), fonts_(new TMusicFontsData) {
  staves_.reserve(6);
  std::memset(&info_, 0, sizeof info_);
  ClearSettings();
}

TMusicScore::TMusicScore(const TScoreInfoBlock& info) : TMusicScore() { info_ = info; }

TMusicScore::~TMusicScore() {
  for (int i = StaffCount() - 1; i >= 0; --i) delete staves_[static_cast<size_t>(i)];
  delete fonts_;
}

void TMusicScore::ClearSettings() {
  selection_.SetAll(false);
  selection_.SetBit(0, true);
  measureStyle_ = 0;
  measureStart_ = 1;
  for (float& m : margins_) m = kDefaultMargin;
  mirrorMargins_ = 0;
  zoom_ = kDefaultZoom;
  pageNumberingFrom_ = 0;
  staffLabels_ = 0;
  flags_ = kFlagCompressed | kFlagTitlePageInfo | kFlagDurationSpacing | kFlagAllowLayering;
}

TMusicStaff* TMusicScore::GetStaff(int i) const {
  if (i < 0 || i >= StaffCount()) return nullptr;
  return staves_[static_cast<size_t>(i)];
}

void TMusicScore::AppendStaff(TMusicStaff* staff) {
  if (!staff) return;
  staves_.push_back(staff);
  // Staves past the selection's size keep no selection entry.
  if (StaffCount() <= kSelectionSize) selection_.SetBit(StaffCount() - 1, true);
}

void TMusicScore::InsertStaff(TMusicStaff* staff, int i) {
  if (!staff) return;
  if (i < 0 || i > StaffCount()) i = StaffCount();
  staves_.insert(staves_.begin() + i, staff);
  // Staves past the selection's size keep no selection entry.
  if (i < kSelectionSize) selection_.InsertBit(i, true);
}

TMusicStaff* TMusicScore::RemoveStaff(int i) {
  TMusicStaff* staff = GetStaff(i);
  if (!staff) return nullptr;
  staves_.erase(staves_.begin() + i);
  if (i < kSelectionSize) selection_.RemoveBit(i);
  return staff;
}

int TMusicScore::IndexOfStaff(const TMusicStaff* staff) const {
  for (int i = 0; i < StaffCount(); ++i)
    if (staves_[static_cast<size_t>(i)] == staff) return i;
  return -1;
}

int TMusicScore::FirstStaffNamed(const char* name) const {
  for (int i = 0; i < StaffCount(); ++i)
    if (std::strcmp(staves_[static_cast<size_t>(i)]->GetName(), name) == 0) return i;
  return -1;
}

int TMusicScore::LastStaffNamed(const char* name) const {
  for (int i = StaffCount() - 1; i >= 0; --i)
    if (std::strcmp(staves_[static_cast<size_t>(i)]->GetName(), name) == 0) return i;
  return -1;
}

bool TMusicScore::NeedsExperimentalFeatures() const {
  if (GetAllowLayering()) return true;
  for (int i = StaffCount() - 1; i >= 0; --i)
    if (staves_[static_cast<size_t>(i)]->NeedsExperimentalFeatures()) return true;
  return false;
}

bool TMusicScore::AnyStaffModified() const {
  // A staff edited since its last whole-staff audit counts as a change of the score.
  for (const TMusicStaff* staff : staves_)
    if (staff->IsChanged()) return true;
  return false;
}

void TMusicScore::MakeStaffNameUnique(TMusicStaff* staff) const {
  if (!staff) return;
  char name[TMusicStaff::kNameSize];
  std::snprintf(name, sizeof name, "%s", staff->GetName());
  if (!name[0]) std::snprintf(name, sizeof name, "%s", "Staff");
  char base[TMusicStaff::kNameSize];
  std::snprintf(base, sizeof base, "%s", name);
  auto takenByOther = [&](const char* candidate) {
    const int first = FirstStaffNamed(candidate);
    const int last = LastStaffNamed(candidate);
    const int self = IndexOfStaff(staff);
    return (first >= 0 && first != self) || (last >= 0 && last != self);
  };
  for (int n = 2; takenByOther(name) && n < 100000; ++n) {
    char suffix[12];
    const int suffixLength = std::snprintf(suffix, sizeof suffix, "-%d", n);
    const int keep = kNameChars - suffixLength;
    std::snprintf(name, sizeof name, "%.*s%s", keep, base, suffix);
  }
  staff->SetName(name);
}

void TMusicScore::NewStaffName(char* buffer, int size) const {
  if (!buffer || size <= 0) return;
  for (int n = 1;; ++n) {
    std::snprintf(buffer, static_cast<size_t>(size), "Staff-%d", n);
    if (FirstStaffNamed(buffer) < 0) return;
  }
}

void TMusicScore::GetMutedStaves(TQVBoolArray& muted) const {
  muted.SetAll(false);
  for (int i = 0; i < StaffCount(); ++i)
    if (staves_[static_cast<size_t>(i)]->IsMuted()) muted.SetBit(i, true);
}

void TMusicScore::SetMutedStaves(const TQVBoolArray& muted) {
  for (int i = 0; i < StaffCount(); ++i) staves_[static_cast<size_t>(i)]->SetMuted(muted.GetBit(i));
}

int TMusicScore::GetLastStaffPort() const {
  return StaffCount() ? staves_.back()->GetPort() : 0;
}

int TMusicScore::CountStavesOn(int port, int channel) const {
  int n = 0;
  for (const TMusicStaff* staff : staves_)
    if (staff->GetPort() == port && staff->GetChannel() == channel) ++n;
  return n;
}

int TMusicScore::NextFreeChannel(int port) const {
  int channel = StaffCount() ? staves_.back()->GetChannel() : 0;
  for (int step = 0; step < kChannels; ++step) {
    channel = ((channel + 1) % kChannels + kChannels) % kChannels;
    if (CountStavesOn(port, channel) == 0) return channel;
  }
  return channel;
}

int TMusicScore::FillGroupList(TStringListSink& list) const {
  list.ClearStrings();
  for (int i = 0; i < StaffCount(); ++i) {
    const char* group = staves_[static_cast<size_t>(i)]->GetGroupName();
    bool listed = false;
    for (int j = 0; j < i && !listed; ++j)
      listed = std::strcmp(staves_[static_cast<size_t>(j)]->GetGroupName(), group) == 0;
    if (!listed) list.AddString(group);
  }
  return StaffCount();
}

void TMusicScore::SelectGroupStaves(const char* group, TQVBoolArray& selection) const {
  selection.SetAll(false);
  if (!group) return;
  for (int i = 0; i < StaffCount(); ++i)
    if (std::strcmp(staves_[static_cast<size_t>(i)]->GetGroupName(), group) == 0) selection.SetBit(i, true);
}
