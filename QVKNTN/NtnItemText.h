// The one-line text form of an item ("|Kind|Field:value|...") that the clipboard puts out beside
// the binary form and Find searches, and the shorter value text of the find list.
#pragma once

class TQXTStream;
class TAuditNtnIdx;

// Writes the record of the item at the cursor; the cursor's context names the pitches of notes.
// Every piece goes out through the stream's bounded printf, one piece per field and per head, so
// a chord of any size or a long text never overruns a piece.
void NtnItemClipText(TQXTStream& stream, const TAuditNtnIdx& at);
// Writes the short value text (patch number, time signature, tempo text, expression names).
void NtnItemBriefText(TQXTStream& stream, const TAuditNtnIdx& at);
