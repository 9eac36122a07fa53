// The row texts of the two lists that show a score's staves (the Move Staff list and the Score
// Review columns): muted flag, port and channel from 1, patch and playback transposition.
#pragma once

#include <string>

class TMusicStaff;

// One row of the staff-name list: "group:name" and the MIDI columns separated by tabs, or, in
// plain mode, the staff's name alone.
std::string StaffNameRowText(const TMusicStaff& staff, bool tabMode);
// One row of the review columns: name, group, muted, port, channel, patch, transposition.
std::string StaffColumnRowText(const TMusicStaff& staff);
// The patch column: the 1-based patch number in three digits, "---" without a patch.
std::string StaffPatchText(const TMusicStaff& staff);
// The transposition column: a sign (always, "+0" for none) and the magnitude.
std::string StaffTranspositionText(const TMusicStaff& staff);
