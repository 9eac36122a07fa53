#pragma once
// Item records: an int16 type code followed by the item's payload, the one form of an item in
// score files, clipboard blocks, undo records and clones.

class TNotatedItem;
class TQXTStream;
class TReadAheadStream;

// Reads one record written at the given format version; 1 with the item, or 0 with null (the
// stream has failed: a short record or an unknown type code).
int LoadNotatedItem(int version, TQXTStream& s, TNotatedItem*& item);
// The same through the score reader's read-ahead buffer.
int LoadNotatedItem(int version, TReadAheadStream& s, TNotatedItem*& item);
void WriteNotatedItem(TQXTStream& s, const TNotatedItem& item);
// A copy made through the record form; null when the item cannot be copied.
TNotatedItem* CloneNotatedItem(const TNotatedItem* item);
