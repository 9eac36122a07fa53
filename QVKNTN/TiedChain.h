// Song notes rewritten to a length in ticks as a chain of tied pieces: what splitting at a tick,
// re-barring, padding and import consolidation share.
#pragma once
#include <vector>

class TNotatedItem;

// The shortest value a piece can have (a sixty-fourth); a remainder below it is not written.
constexpr long kNtnShortestPieceTicks = 12;

// Whether the item can be cut into tied pieces without losing what it is: a plain note, rest or
// single-stemmed chord that is neither a grace note nor a triplet member.
bool NtnCanSplit(const TNotatedItem* item);
// Gives the song note the longest value that fits into ticks and appends it to out, then appends
// continuation pieces (tied on for notes and chords) while at least the shortest value remains.
// Answers the ticks the appended pieces last.
long NtnAppendTiedChain(TNotatedItem* first, long ticks, std::vector<TNotatedItem*>& out);
// Appends the pieces of an item cut at `before` ticks from its start and lasting `total` ticks:
// the item itself up to the cut, then its continuation up to the end.
long NtnAppendSplitChain(TNotatedItem* item, long before, long total, std::vector<TNotatedItem*>& out);
// The earlier line's pieces: the item takes the longest value that fits into ticks and goes last;
// continuations of the same value are appended before it while ticks remain, at most `room` of
// them. Answers the ticks written.
long NtnAppendPiecesEndingWith(TNotatedItem* item, long ticks, std::vector<TNotatedItem*>& out, int room);
