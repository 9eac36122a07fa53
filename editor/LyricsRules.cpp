#include "editor/LyricsRules.h"

#include <algorithm>
#include <cstdio>

#include "QVKNTN/LyricText.h"
#include "QVKNTN/MusicStaff.h"
#include "QVKNTN/StaffLyrics.h"
#include "editor/ScoreEditing.h"
#include "editor/ScoreUndo.h"

namespace {

// The room one side needs: the lines and the offset, nothing when that is not positive.
int Room(const TLyricRoom& r, int lineHeight, bool upperSide) {
  if (r.count <= 0 || (r.placement == 1) != upperSide) return 0;
  const long room = static_cast<long>(r.count) * lineHeight + r.offset;
  return room > 0 ? static_cast<int>(std::min(room, 100000L)) : 0;
}

int Moved(int size, int delta, int staffLines) {
  int moved = size + delta;
  if (delta < 0) moved = std::max(moved, std::min(size, staffLines + 5));
  return std::clamp(moved, std::max(1, staffLines), TMusicStaff::kMaxExtent);
}

}  // namespace

std::string LyricCountText(int count) {
  if (count <= 0) return "<None>";
  char text[32];
  std::snprintf(text, sizeof text, "%d Lyric Line%s", count, count == 1 ? "" : "s");
  return text;
}

void AdjustLyricRoom(const TLyricRoom& before, const TLyricRoom& after, int lineHeight, int staffLines, int& upper,
                     int& lower) {
  if (before == after) return;
  upper = Moved(upper, Room(after, lineHeight, true) - Room(before, lineHeight, true), staffLines);
  lower = Moved(lower, Room(after, lineHeight, false) - Room(before, lineHeight, false), staffLines);
}

TLyricConfig LyricConfigOf(const TMusicStaff& staff) {
  TLyricConfig c;
  if (const TStaffLyrics* lyrics = staff.GetLyrics()) {
    c.count = std::min(lyrics->GetLineCount(), kLyricSheetLines);
    c.alignment = lyrics->GetFirstSetting();
    c.placement = lyrics->GetSecondSetting();
    c.offset = lyrics->GetOffset();
  }
  c.upper = -staff.GetUpperSize();
  c.lower = staff.GetLowerSize();
  return c;
}

void StoreLyricConfig(TMusicStaff& staff, const TLyricConfig& config) {
  const int count = std::clamp(config.count, 0, kLyricSheetLines);
  if (count == 0) {
    staff.SetLyrics(nullptr);
  } else {
    if (!staff.GetLyrics()) staff.SetLyrics(new TStaffLyrics);
    TStaffLyrics& lyrics = *staff.GetLyrics();
    while (lyrics.GetLineCount() > count) delete lyrics.RemoveLine(lyrics.GetLineCount() - 1);
    while (lyrics.GetLineCount() < count) lyrics.AddLine(new TLyricText);
    lyrics.SetFirstSetting(config.alignment);
    lyrics.SetSecondSetting(config.placement);
    lyrics.SetOffset(std::clamp(config.offset, -100, 100));
  }
  staff.SetExtents(-config.upper, config.lower);
  staff.SetChanged(true);
}

bool RecordLyricsUndo(TScoreEditing& edit) {
  return edit.CurrentStaff() && edit.RecordUndo(TUndoKind::StaffContent, kUndoCmdLyrics, 0);
}
