#include "midi/SMFImport.h"

#include <climits>
#include <cstring>
#include <string>

namespace {

constexpr int kScoreDivision = 192;

}  // namespace

TSMFImport::TSMFImport(TSMFData& data, TQXTStream& in, TQXTStream* log) : TSMFInStream(in, log), data_(data) {}

int32_t TSMFImport::ScoreTick(uint64_t t) const {
  const uint64_t d = uint64_t(fileDivision_);
  // Rounded as MulDiv rounds; every term is non-negative.
  const uint64_t part = ((t % d) * uint64_t(remainder_) + d / 2) / d;
  const uint64_t tick = uint64_t(quotient_) * t + part + (t / d) * uint64_t(remainder_);
  return tick > uint64_t(INT32_MAX) ? INT32_MAX : int32_t(tick);
}

void TSMFImport::OnHeader(int format, int trackCount, int division) {
  fileDivision_ = division;
  quotient_ = kScoreDivision / division;
  remainder_ = kScoreDivision % division;
}

void TSMFImport::OnTrackStart() {
  current_ = std::make_unique<TSMFTrackData>();
  trackTick_ = 0;
}

void TSMFImport::OnTrackEnd() {
  if (!current_) return;
  const bool empty = current_->Events().IsEmpty() && !current_->HasTexts();
  if (data_.TrackCount() == 0 || !empty) data_.AppendTrack(std::move(current_));
  current_.reset();
}

TSMFTrackData* TSMFImport::Conductor() { return data_.TrackCount() > 0 ? data_.Track(0) : current_.get(); }

void TSMFImport::OnChannelMessage(uint8_t status, uint8_t data1, uint8_t data2) {
  if (!current_) return;
  uint8_t cls = (status >> 4) & 7;
  if (cls == kMidiNoteOn && data2 == 0) cls = kMidiNoteOff;
  current_->Events().AddShortEvent(Now(), cls, 0, status & 0x0F, data1, data2);
}

void TSMFImport::OnMidiPort(int port) {
  if (current_) current_->SetPort(port);
}

void TSMFImport::OnTempo(uint32_t microsecondsPerQuarter) {
  TSMFTrackData* conductor = Conductor();
  if (conductor) conductor->Events().AddTempoEvent(Now(), int(60000000u / microsecondsPerQuarter));
}

void TSMFImport::OnTimeSignature(int nn, int dd, int cc, int bb) {
  TSMFTrackData* conductor = Conductor();
  if (conductor) conductor->Events().AddTimeSigEvent(Now(), uint8_t(nn), uint8_t(dd));
}

void TSMFImport::OnKeySignature(int sf, int mi) {
  if (current_) current_->Events().AddKeySigEvent(Now(), int16_t(sf), mi != 0);
}

void TSMFImport::OnSysEx(const uint8_t* data, uint32_t length) {
  if (length > 0) data_.AddSysEx(0xF0, Now(), data, length);
}

void TSMFImport::OnSysExEscape(const uint8_t* data, uint32_t length) {
  if (length > 0) data_.AddSysEx(0xF7, Now(), data, length);
}

void TSMFImport::TakeCopyright(const char* text) {
  if (data_.Text(TSMFData::kCopyright1)[0] == '\0') {
    const char* cr = std::strchr(text, '\r');
    if (!cr) {
      data_.SetText(TSMFData::kCopyright1, text);
      return;
    }
    data_.SetText(TSMFData::kCopyright1, std::string(text, cr).c_str());
    const char* second = cr + 1;
    if (*second == '\n') ++second;
    data_.SetText(TSMFData::kCopyright2, second);
    return;
  }
  if (data_.Text(TSMFData::kCopyright2)[0] == '\0') data_.SetText(TSMFData::kCopyright2, text);
}

void TSMFImport::OnTextEvent(int type, const char* text) {
  if (!current_ || text[0] == '\0') return;
  const int32_t tick = Now();
  switch (type) {
    case kMetaText:
      if (tick == 0 && data_.TrackCount() < 2 && std::strncmp(text, "By ", 3) == 0 &&
          data_.Text(TSMFData::kAuthor)[0] == '\0') {
        data_.SetText(TSMFData::kAuthor, text + 3);
      }
      break;
    case kMetaCopyright:
      TakeCopyright(text);
      break;
    case kMetaTrackName:
      if (current_->Name(TSMFTrackData::kTrackName)[0] == '\0') current_->SetName(TSMFTrackData::kTrackName, text);
      if (data_.TrackCount() == 0 && data_.Text(TSMFData::kTitle)[0] == '\0') data_.SetText(TSMFData::kTitle, text);
      break;
    case kMetaInstrument:
      if (current_->Name(TSMFTrackData::kInstrumentName)[0] == '\0') {
        current_->SetName(TSMFTrackData::kInstrumentName, text);
      }
      break;
    default:
      break;
  }
  current_->AddText(tick, type, text);
}

bool ImportMidiFile(TSMFData& data, TQXTStream& in, TQXTStream* log, bool (*cancelCheck)()) {
  data.SetTrackCount(0);
  TSMFImport import(data, in, log);
  import.SetCancelCheck(cancelCheck);
  return import.ReadMidiFile();
}
