#include "QVKNTN/StaffLyrics.h"

#include <cstddef>
#include <cstdint>

#include "QVKNTN/ReadAheadStream.h"
#include "foundation/QXTStream.h"

TStaffLyrics::TStaffLyrics() { lines_.reserve(3); }

TStaffLyrics::~TStaffLyrics() {
  for (TLyricText* line : lines_) delete line;
}

TLyricText* TStaffLyrics::GetLine(int i) const {
  if (i < 0 || i >= GetLineCount()) return nullptr;
  return lines_[static_cast<size_t>(i)];
}

void TStaffLyrics::AddLine(TLyricText* line) {
  if (line) lines_.push_back(line);
}

void TStaffLyrics::InsertLine(TLyricText* line, int i) {
  if (!line) return;
  if (i < 0 || i > GetLineCount()) i = GetLineCount();
  lines_.insert(lines_.begin() + i, line);
}

TLyricText* TStaffLyrics::RemoveLine(int i) {
  TLyricText* line = GetLine(i);
  if (line) lines_.erase(lines_.begin() + i);
  return line;
}

bool TStaffLyrics::Load(TQXTStream& s, int version) { return LoadRecord(s, version); }

bool TStaffLyrics::Load(TReadAheadStream& s, int version) { return LoadRecord(s, version); }

template <class In>
bool TStaffLyrics::LoadRecord(In& s, int version) {
  const int count = static_cast<int16_t>(s.ReadUInt16());
  if (version > 7) {
    int flags = static_cast<int16_t>(s.ReadUInt16());
    offset_ = static_cast<int16_t>(s.ReadUInt16());
    if (version == 15 && flags == -1) flags = 0;
    firstSetting_ = flags & 1;
    secondSetting_ = (version > 14) ? ((flags >> 1) & 1) : 0;
  }
  if (s.IsFailed()) return false;
  if (count < 0) {
    s.SetFail();
    return false;
  }
  for (int i = 0; i < count && !s.IsFailed(); ++i) {
    if (GetLineCount() >= kMaxLines) {
      TLyricText::Skip(s);
      continue;
    }
    auto* line = new TLyricText;
    if (!line->Read(s)) {
      delete line;
      break;
    }
    lines_.push_back(line);
  }
  return !s.IsFailed();
}

void TStaffLyrics::Save(TQXTStream& s) const {
  s.WriteInt16(static_cast<int16_t>(GetLineCount()));
  s.WriteInt16(static_cast<int16_t>((secondSetting_ << 1) | firstSetting_));
  s.WriteInt16(static_cast<int16_t>(offset_));
  for (const TLyricText* line : lines_) line->Write(s);
}
