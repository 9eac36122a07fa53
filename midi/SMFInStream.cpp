#include "midi/SMFInStream.h"

#include <cstdio>
#include <cstring>

#include "foundation/QXTStream.h"

namespace {

constexpr int kLogLine = 256;
constexpr const char* kPastEnd = "Attempt to read past end of record";
constexpr const char* kPremature = "Premature error detected";

// Data bytes that follow a channel status, by its high nibble less 8.
constexpr int kChannelDataBytes[8] = {2, 2, 2, 2, 1, 1, 2, 0};

// Meta events whose payload has a fixed size; a shorter payload cannot be read as the event.
struct TFixedMeta {
  int type;
  uint32_t size;
};
constexpr TFixedMeta kFixedMetas[] = {
    {TSMFInStream::kMetaSequenceNumber, 2}, {TSMFInStream::kMetaPort, 1},
    {TSMFInStream::kMetaTempo, 3},          {TSMFInStream::kMetaSmpteOffset, 5},
    {TSMFInStream::kMetaTimeSignature, 4},  {TSMFInStream::kMetaKeySignature, 2},
};

// System real-time bytes that may stray into a track and carry no data.
bool IsSkippedRealTime(uint8_t b) { return b == 0xF8 || b == 0xFA || b == 0xFB || b == 0xFC || b == 0xFE; }

}  // namespace

TSMFInStream::TSMFInStream(TQXTStream& in, TQXTStream* log) : in_(in), log_(log) {}

void TSMFInStream::Log(bool error, const char* format, va_list args) {
  char message[kLogLine];
  message[0] = '\0';
  if (format) std::vsnprintf(message, sizeof message, format, args);
  char line[kLogLine];
  std::snprintf(line, sizeof line, "%s[%lu]: %s", error ? "Error" : "Warning",
                static_cast<unsigned long>(in_.Tell()), message[0] ? message : "Miscellaneous");
  if (log_) {
    log_->Write(line, uint32_t(std::strlen(line)));
    log_->PutByte('\n');
  }
  if (error) {
    SetError(line);
  } else {
    AddWarning(line);
  }
}

void TSMFInStream::Warn(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Log(false, format, args);
  va_end(args);
}

void TSMFInStream::Fail(const char* format, ...) {
  va_list args;
  va_start(args, format);
  Log(true, format, args);
  va_end(args);
}

bool TSMFInStream::ReadRawByte(uint8_t& byte) {
  if (atEnd_) return false;
  byte = in_.GetByte();
  if (in_.IsFailed()) {
    atEnd_ = true;
    return false;
  }
  return true;
}

bool TSMFInStream::ReadRawLength(uint32_t& length) {
  length = 0;
  for (int i = 0; i < 4; ++i) {
    uint8_t b;
    if (!ReadRawByte(b)) return false;
    length = length << 8 | b;
  }
  return true;
}

uint8_t TSMFInStream::ReadByte() {
  if (budget_ == 0) {
    Warn(kPastEnd);
    return 0;
  }
  uint8_t b = 0;
  if (!ReadRawByte(b)) {
    if (budget_ > 1) {
      Fail(kPremature);
    } else {
      Warn(kPremature);
    }
    budget_ = 0;
    return 0;
  }
  --budget_;
  return b;
}

int TSMFInStream::ReadWord() {
  const int high = ReadByte();
  return high << 8 | ReadByte();
}

uint32_t TSMFInStream::ReadVarLen() {
  uint32_t value = 0;
  // Five bytes hold every 32-bit value; a longer run is damage, and the value stays bounded.
  for (int i = 0; i < 5 && budget_ > 0 && !HasError(); ++i) {
    const uint8_t b = ReadByte();
    value = value << 7 | (b & 0x7F);
    if (!(b & 0x80)) break;
  }
  return value;
}

uint32_t TSMFInStream::ReadMessage(uint32_t length, const char* what) {
  if (length > budget_) {
    Warn("%s length %lu clamped to the %lu bytes left in the track", what,
         static_cast<unsigned long>(length), static_cast<unsigned long>(budget_));
    length = budget_;
  }
  // Grows as bytes really arrive: a huge length on a short input allocates nothing.
  for (uint32_t i = 0; i < length && budget_ > 0; ++i) message_.push_back(ReadByte());
  return uint32_t(message_.size());
}

void TSMFInStream::SkipBudget() {
  uint8_t b;
  while (budget_ > 0 && ReadRawByte(b)) --budget_;
  budget_ = 0;
}

bool TSMFInStream::ReadMidiFile() {
  if (!ReadHeader()) {
    OnEnd();
    return false;
  }
  bool ok = true;
  for (int i = 0; i < trackCount_ && ok; ++i) {
    if (Cancelled()) {
      ok = false;
      break;
    }
    ok = ReadTrack();
    // A header that announces more tracks than follow: what is there has been read.
    if (!ok && noMoreData_ && !HasError()) {
      Warn("Header announces %d tracks, the file holds %d", trackCount_, i);
      ok = true;
      break;
    }
  }
  OnEnd();
  return ok && !HasError();
}

bool TSMFInStream::ReadHeader() {
  uint8_t tag[4] = {};
  for (int i = 0; i < 4; ++i) {
    if (!ReadRawByte(tag[i])) return false;
  }
  while (std::memcmp(tag, "MThd", 4) != 0) {
    uint8_t b;
    if (!ReadRawByte(b)) return false;
    std::memmove(tag, tag + 1, 3);
    tag[3] = b;
  }
  uint32_t length;
  if (!ReadRawLength(length)) {
    Fail(kPremature);
    return false;
  }
  budget_ = length;
  const int format = ReadWord();
  const int tracks = ReadWord();
  const int division = ReadWord();
  SkipBudget();
  if (HasError()) return false;
  // Ticks per quarter note are the only time base the score can take; a division of 0 would
  // divide by zero and an SMPTE division counts frames, not beats.
  if (division & 0x8000) {
    Fail("SMPTE time division (%d frames per second) is not supported", 256 - (division >> 8));
    return false;
  }
  if (division == 0) {
    Fail("Bad division (0 ticks per quarter note)");
    return false;
  }
  format_ = format;
  trackCount_ = tracks;
  division_ = division;
  OnHeader(format, tracks, division);
  return true;
}

bool TSMFInStream::FindTrackTag() {
  uint8_t b = 0;
  int skipped = 0;
  while (ReadRawByte(b) && b != 'M') ++skipped;
  noMoreData_ = atEnd_ && skipped == 0;
  if (noMoreData_) return false;
  if (atEnd_) {
    Warn("Expected string [%s] not found in proper place", "MTrk");
    return false;
  }
  if (skipped > 0) Warn("Expected string [%s] not found in proper place", "MTrk");
  uint8_t rest[3] = {};
  for (uint8_t& r : rest) {
    if (!ReadRawByte(r)) break;
  }
  if (std::memcmp(rest, "Trk", 3) != 0) {
    Fail("Expected string [%s] not found", "MTrk");
    return false;
  }
  return true;
}

bool TSMFInStream::ReadTrack() {
  if (!FindTrackTag()) return false;
  uint32_t length;
  if (!ReadRawLength(length)) {
    Fail(kPremature);
    return false;
  }
  budget_ = length;
  trackTick_ = 0;
  runningStatus_ = 0;
  OnTrackStart();
  bool cancelled = false;
  while (budget_ > 0 && !HasError()) {
    trackTick_ += ReadVarLen();
    if (budget_ == 0 || HasError()) break;
    if (Cancelled()) {
      cancelled = true;
      break;
    }
    uint8_t b = ReadByte();
    bool dataFirst = false;
    if (b & 0x80) {
      if (b < 0xF0) runningStatus_ = b;
    } else if (runningStatus_ == 0) {
      Warn("unexpected running status detected");
      continue;
    } else {
      dataFirst = true;
    }
    if (dataFirst || b < 0xF0) {
      ReadChannelMessage(runningStatus_, b, dataFirst);
    } else if (b == 0xF0 || b == 0xF7) {
      message_.clear();
      if (b == 0xF0) message_.push_back(0xF0);
      const uint32_t n = ReadMessage(ReadVarLen(), "SysEx");
      if (b == 0xF0) {
        OnSysEx(message_.data(), n);
      } else {
        OnSysExEscape(message_.data(), n);
      }
    } else if (b == 0xFF) {
      ReadMetaEvent();
    } else if (!IsSkippedRealTime(b)) {
      Warn("Bad byte (%d) found", b);
    }
  }
  OnTrackEnd();
  if (budget_ > 0 && !cancelled) SkipBudget();
  return !HasError() && !cancelled;
}

void TSMFInStream::ReadChannelMessage(uint8_t status, uint8_t first, bool firstRead) {
  const int count = kChannelDataBytes[(status >> 4) & 7];
  const uint8_t d1 = firstRead ? first : ReadByte();
  const uint8_t d2 = count == 2 ? ReadByte() : 0;
  const int channel = status & 0x0F;
  OnChannelMessage(status, d1, d2);
  switch (status >> 4) {
    case 0x8: OnNoteOff(channel, d1); break;
    case 0x9:
      if (d2 == 0) {
        OnNoteOff(channel, d1);
      } else {
        OnNoteOn(channel, d1, d2);
      }
      break;
    case 0xA: OnPolyPressure(channel, d1, d2); break;
    case 0xB: OnControlChange(channel, d1, d2); break;
    case 0xC: OnProgramChange(channel, d1); break;
    case 0xD: OnChannelPressure(channel, d1); break;
    case 0xE: OnPitchBend(channel, d1, d2); break;
    default: break;
  }
}

bool TSMFInStream::HasFixedSize(int type, uint32_t length) {
  for (const TFixedMeta& m : kFixedMetas) {
    if (m.type != type) continue;
    if (length >= m.size) return true;
    Warn("Meta event 0x%02X of %lu bytes is shorter than its %lu: skipped", type,
         static_cast<unsigned long>(length), static_cast<unsigned long>(m.size));
    return false;
  }
  return true;
}

void TSMFInStream::ReadMetaEvent() {
  const int type = ReadByte();
  message_.clear();
  const uint32_t length = ReadMessage(ReadVarLen(), "Meta event");
  message_.push_back(0);  // texts end here
  const uint8_t* data = message_.data();
  OnMetaEvent(type, data, length);
  DispatchMeta(type, data, length);
}

void TSMFInStream::DispatchMeta(int type, const uint8_t* data, uint32_t length) {
  if (!HasFixedSize(type, length)) return;
  if (type >= kMetaText && type <= kMetaLastText) {
    OnTextEvent(type, reinterpret_cast<const char*>(data));
    return;
  }
  switch (type) {
    case kMetaSequenceNumber: OnSequenceNumber(data[0] << 8 | data[1]); break;
    case kMetaPort: OnMidiPort(data[0]); break;
    case kMetaEndOfTrack: OnEndOfTrack(); break;
    case kMetaTempo: {
      const uint32_t tempo = uint32_t(data[0]) << 16 | uint32_t(data[1]) << 8 | data[2];
      if (tempo == 0) {
        Warn("Tempo of 0 microseconds per quarter note ignored");
        break;
      }
      OnTempo(tempo);
      break;
    }
    case kMetaSmpteOffset: OnSmpteOffset(data); break;
    case kMetaTimeSignature: OnTimeSignature(data[0], data[1], data[2], data[3]); break;
    case kMetaKeySignature: OnKeySignature(int8_t(data[0]), data[1]); break;
    case kMetaSequencerSpecific: OnSequencerSpecific(data, length); break;
    default: OnUnknownMeta(type, data, length); break;
  }
}
