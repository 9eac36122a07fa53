// The private clipboard block of copied items (an int16 item count in front of the item range of
// the score file) and the edits behind Cut, Clear and Paste. A block is read whole before the
// staff changes, so a foreign or damaged block is refused before anything is recorded, and a
// paste records exactly the items it really inserts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "QVKNTN/NotatedItem.h"

class TMusicStaff;
class TQXTStream;
class TScoreEditing;

// The bytes of the block of items first..last: the item range plus its leading count and room
// to spare.
uint32_t ClipBlockSize(const TMusicStaff& staff, int first, int last);
// False when the stream failed (a block too small, say).
bool WriteClipBlock(const TMusicStaff& staff, int first, int last, TQXTStream& out);

enum class TClipRead {
  Whole,    // every item was read
  Partial,  // the block broke off part way: the items before the break are kept
  Refused,  // not a block of ours (counts disagree, newer format, more than a staff holds)
};

struct TClipItems {
  std::vector<std::unique_ptr<TNotatedItem>> items;
  TClipRead read = TClipRead::Refused;
};

// Reads a block; the leading count must match the count of the item range it leads.
TClipItems ReadClipBlock(TQXTStream& in);

enum class TPasteResult {
  Pasted,   // the block's items are in the staff
  Partial,  // only the items read before a damaged record went in (the error is reported)
  Refused,  // nothing changed and no record was pushed (the error is reported)
  Empty,    // a block without items: nothing to do
};

// Paste at the caret, replacing the selection: one record of the command (34) counting the items
// that really go in; refused when the staff has no room for them all.
TPasteResult PasteClipItems(TScoreEditing& edit, TClipItems& clip, int command);

// Cut (after the copy) and Clear: the selection goes under one record of the command.
bool DeleteSelectionRecorded(TScoreEditing& edit, int command);

// The one-line text form of item `index` of the staff, at most size - 1 characters and always
// terminated; answers the length. The text of a copy is kept within a fixed buffer.
constexpr std::size_t kClipTextSize = 4096;
std::size_t ClipItemText(TMusicStaff& staff, int index, char* buffer, std::size_t size);
