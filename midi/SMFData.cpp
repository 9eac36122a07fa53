#include "midi/SMFData.h"

#include <cstring>
#include <string>

namespace {

constexpr uint16_t kTextSegment = 2048;
constexpr int kTrackGrowth = 5;

void SetCut(TQVMultiField& fields, int i, const char* text, int size) {
  fields.SetField(i, std::string(text, strnlen(text, size_t(size - 1))).c_str());
}

}  // namespace

TSMFTrackData::TSMFTrackData() : events_(kTrackGrowth), texts_(kTextSegment), names_(2, 2 * kNameSize) {
  events_.Allocate(1);
}

void TSMFTrackData::Reset() {
  events_.Reset();
  texts_.Reset();
  textCount_ = 0;
  port_ = 0;
  names_.SetField(kTrackName, "");
  names_.SetField(kInstrumentName, "");
}

void TSMFTrackData::SetName(TNameField field, const char* text) { SetCut(names_, field, text, kNameSize); }

void TSMFTrackData::AddText(int32_t tick, int type, const char* text) {
  texts_.WriteInt32(tick);
  texts_.PutByte(uint8_t(type));
  texts_.WriteString(text);
  ++textCount_;
}

bool TSMFTrackData::HasTextOf(int type, bool skipAtSign) {
  const uint32_t end = texts_.Tell();
  texts_.Seek(0);
  bool found = false;
  char text[2];
  for (int i = 0; i < textCount_ && !found; ++i) {
    const int32_t tick = texts_.ReadInt32();
    const int t = texts_.GetByte();
    // Only the first character matters; the rest of the text is passed over.
    text[0] = char(texts_.GetByte());
    for (char c = text[0]; c != '\0' && !texts_.IsFailed(); c = char(texts_.GetByte())) {
    }
    found = t == type && tick > 0 && !(skipAtSign && text[0] == '@');
  }
  texts_.Seek(end);
  return found;
}

bool TSMFTrackData::HasLyrics() { return HasTextOf(5, false); }
bool TSMFTrackData::HasText() { return HasTextOf(1, true); }

TSMFData::TSMFData() : texts_(4, 4 * kSongTextSize), sysEx_(kTextSegment) {}

void TSMFData::SetText(TSongText field, const char* text) { SetCut(texts_, field, text, kSongTextSize); }

void TSMFData::SetTrackCount(int n) {
  sysEx_.Reset();
  sysExCount_ = 0;
  for (int i = 0; i < 4; ++i) texts_.SetField(i, "");
  if (n < 0) n = 0;
  while (TrackCount() > n) tracks_.pop_back();
  while (TrackCount() < n) tracks_.push_back(std::make_unique<TSMFTrackData>());
  for (auto& track : tracks_) track->Reset();
}

void TSMFData::AddSysEx(uint8_t kind, int32_t tick, const uint8_t* data, uint32_t length) {
  sysEx_.PutByte(kind);
  sysEx_.WriteInt32(tick);
  sysEx_.WriteInt32(int32_t(length));
  sysEx_.Write(data, length);
  ++sysExCount_;
}
