#pragma once
// The item range: the common form of a run of items in clipboard blocks and undo records
// (int16 format version, int16 count, that many item records).

class TMusicStaff;
class TQXTStream;

// Writes items first..last of the staff (clamped to the staff); answers 1 when the stream is good.
int WriteItemRange(const TMusicStaff& staff, int first, int last, TQXTStream& s);
// Inserts the stored items at `first`, one after the other; `last` becomes the index of the last
// item inserted. Answers 1 when every record was read; a range that the staff has no room for,
// or of a newer version, is refused (0) before anything is inserted.
int ReadItemRange(TMusicStaff& staff, int first, int& last, TQXTStream& s);
