// Staves made from a recording join the score that played: each is named, grouped and made
// unique, takes the last staff's MIDI port and the next free channel there, and is appended and
// shown. Used by Import Recording and by the import that follows Stop.
#pragma once

class TMusicScore;
class TMusicStaff;

// Appends the staff (the score owns it after); answers its index, or -1 (with the staff deleted)
// when the score already holds as many staves as it can.
int AppendRecordedStaff(TMusicScore& score, TMusicStaff* staff, const char* name, const char* group);

// Moves the recorded parts of a score made from a recording into `score`, named "Import" in the
// group "Record"; the tempo staff the conversion puts last stays behind. Answers the index of the
// first staff moved, or -1 when none was.
int MoveRecordedStaves(TMusicScore& score, TMusicScore& recorded);
