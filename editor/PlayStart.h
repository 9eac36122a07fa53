// Where Play starts when it starts at the caret: the current staff is played from its start up to
// an index, and the tick playback reaches there (repeats and jumps followed) is the start.
#pragma once

class TMusicStaff;

// The index the staff is played up to. Without lead-in bars: the caret's item; the current line
// steps on from there to the next note, rest or chord, the earlier line stops at the caret
// itself. With lead-in bars: the item after the bar line before the caret (1 when there is none).
int PlayStartIndex(const TMusicStaff& staff, int caret, int leadInBars);

// The tick playback reaches at that index; with lead-in bars, less (lead-in - 1) bars of the time
// signature in force there, never below 0.
long PlayStartTick(const TMusicStaff& staff, int caret, int leadInBars);
