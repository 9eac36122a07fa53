#include "midi/ScoreMidiPlayer.h"

#include "QVKNTN/MusicScore.h"
#include "QVKNTN/ScoreAuditHooks.h"
#include "foundation/QVBusyCursor.h"
#include "midi/MidiFileBuf.h"
#include "midi/MidiListSink.h"

namespace {

constexpr int kStartTempo = 120;
// The lead-in pass keeps only what moves time: tempo and holds.
constexpr int16_t kLeadInFilter = 1 << kMidiEventShort | 1 << kMidiEventTimeSig | 1 << kMidiEventKeySig;

}  // namespace

void TScoreMidiPlayer::SetScore(TMusicScore* score) {
  score_ = score;
  const int staves = score ? score->StaffCount() : 0;
  while (StaffCount() < staves) cursors_.push_back(std::make_unique<TStaffMidiPlayerIndex>());
  if (score) RunScoreAudit(score, 1);
  for (int i = 0; i < StaffCount(); ++i) cursors_[size_t(i)]->Attach(i < staves ? score->GetStaff(i) : nullptr);
}

void TScoreMidiPlayer::StartAll(TMidiFileBuf& list) {
  TMidiListSink sink(list);
  for (auto& cursor : cursors_) {
    cursor->Restart();
    cursor->StartStaff(sink);
  }
}

bool TScoreMidiPlayer::Perform(TMidiFileBuf& list, int32_t startTick) {
  TQVBusyCursor busy;
  TMidiListSink sink(list);
  // The caller's filter stays: an export that drops signatures here adds them itself later.
  const int16_t filter = list.TypeFilter();
  list.Reset();
  list.SetTypeFilter(filter);
  startTick_ = startTick > 0 ? startTick : 0;
  leadInMs_ = 0;
  list.AddTempoEvent(0, kStartTempo);
  if (startTick_ > 0) {
    list.SetTypeFilter(int16_t(filter | kLeadInFilter));
    StartAll(list);
    for (auto& cursor : cursors_) cursor->PerformUntil(sink, startTick_);
    list.AddTempoEvent(startTick_, kStartTempo);
    leadInMs_ = list.DurationMs();
    list.Reset();
    list.SetTypeFilter(filter);
    list.SetStartTick(startTick_);
    list.AddTempoEvent(0, kStartTempo);
  }
  StartAll(list);
  for (int32_t limit = kPassTicks;; limit += kPassTicks) {
    bool more = false;
    for (auto& cursor : cursors_) more = cursor->PerformUntil(sink, limit) || more;
    if (!more || list.IsOverflowed()) break;
  }
  totalMs_ = list.DurationMs() + leadInMs_;
  return !list.IsOverflowed();
}

bool TScoreMidiPlayer::SeekAll(int32_t tick) {
  bool moved = false;
  for (auto& cursor : cursors_) moved = cursor->SeekTo(tick) || moved;
  return moved;
}

TItemTickPos TScoreMidiPlayer::GetStaffPosition(int i) const {
  const TStaffMidiPlayerIndex* cursor = Cursor(i);
  return cursor ? cursor->GetPosition() : TItemTickPos{-1, 0};
}

TItemTickPos TScoreMidiPlayer::GetStaffLastPosition(int i) const {
  const TStaffMidiPlayerIndex* cursor = Cursor(i);
  return cursor ? cursor->GetLastPosition() : TItemTickPos{-1, 0};
}

int32_t TScoreMidiPlayer::PerformedLength() const {
  int32_t longest = 0;
  for (const auto& cursor : cursors_) {
    if (cursor->Context().GetTick() > longest) longest = cursor->Context().GetTick();
  }
  return longest;
}
