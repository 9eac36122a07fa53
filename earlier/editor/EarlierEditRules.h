// Small rules of the earlier line's score window and view: which items the Selection command
// edits, duration steps from a MIDI controller, the window's tracking limits, the room lyric
// lines take on a staff, the staff playback page's texts and where the transpose warning stands.
#pragma once
#include <string>

#include "QVKNTN/StaffInstrument.h"

class TMusicStaff;

namespace earlier_rules {

// Command 39 on the one selected item: notes, rests and chords (types 8 to 10) only while
// experimental features are on, for the program or for the score.
bool CanEditItemType(int type, bool experimental);

// Duration tool index 0 (whole) to 6; with grace set the longest allowed is 2.
int DurationLonger(int index, bool grace);
int DurationShorter(int index, bool grace);

struct TTrackLimits {
  int minWidth, minHeight, maxWidth, maxHeight;
};
struct TTrackMetrics {
  int lineSpacing;      // the view's staff line spacing, pixels
  int vScrollWidth;     // a vertical scroll bar's width
  int hScrollHeight;    // a horizontal scroll bar's height
  int systemMinWidth;   // the system's smallest window
  int systemMinHeight;
  int frameClientWidth;
  int screenWidth, screenHeight;
};
TTrackLimits ScoreWindowLimits(const TTrackMetrics& m);

// The staff's lyrics go from oldLines lines to newLines lines (placement 1: above the staff,
// else below); the room is lines x lineHeight. The boundary moves once, by the difference, so a
// staff's extent that the staff's own limits would clamp part way is not lost.
void ApplyLyricsRoom(TMusicStaff& staff, int oldLines, int oldPlacement, int newLines, int newPlacement,
                     int lineHeight);

// The staff playback page's "Bank Select:" and "Patch Select:" texts.
std::string BankSelectText(const TStaffInstrument& instrument);
std::string PatchSelectText(const TStaffInstrument& instrument);

// The transpose warning dialog: centred across the screen; above the caret when the caret is in
// the screen's lower half, else below it, kept 10 pixels inside the screen.
struct TPoint2 {
  int x, y;
};
TPoint2 TransposeWarningPosition(int screenWidth, int screenHeight, int caretY, int width, int height);

}  // namespace earlier_rules
