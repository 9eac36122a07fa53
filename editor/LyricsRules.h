// The lyrics sheet's rules without its window: the line-count list, the staff room the lyric
// lines need above or below the staff as the count, placement and offset change, and the store
// of the configuration into the staff (its lyric lines, settings and vertical size).
#pragma once

#include <string>

class TMusicStaff;
class TScoreEditing;

constexpr int kLyricSheetLines = 8;

// "<None>" for 0, else "%d Lyric Line" with an "s" after counts above 1.
std::string LyricCountText(int count);

// What decides the room the lyrics take: placement 1 puts the lines above the staff.
struct TLyricRoom {
  int count = 0;
  int placement = 0;
  int offset = 0;
  bool operator==(const TLyricRoom&) const = default;
};

// Moves the shown Upper and Lower sizes by the change of the lyric room on each side; a side
// that shrinks does not go below the smaller of its size and lines + 5. Both stay in 1..100.
void AdjustLyricRoom(const TLyricRoom& before, const TLyricRoom& after, int lineHeight, int staffLines, int& upper,
                     int& lower);

// The configuration page's values; sizes as magnitudes, Upper the extent above the staff.
struct TLyricConfig {
  int count = 0;
  int alignment = 1;
  int placement = 0;
  int offset = 0;
  int upper = 8;
  int lower = 8;
};
TLyricConfig LyricConfigOf(const TMusicStaff& staff);
// Lyrics made, trimmed or padded with empty lines to the count (deleted for 0), the settings and
// the vertical size stored.
void StoreLyricConfig(TMusicStaff& staff, const TLyricConfig& config);
// The Lyrics command's undo step (the staff's lyrics and vertical size), before any change.
bool RecordLyricsUndo(TScoreEditing& edit);
