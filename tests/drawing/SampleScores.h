// Three scores built item by item for the engraving pictures and the drawing tests: a piano piece
// (chords, beams, ties, slurs, dynamics, lyrics), a four-staff choral score with a brace and staff
// names, and a page with every item kind.
#pragma once

class TMusicScore;

enum class TSampleScore { Piano, Choral, EveryItem };

// A new audited score; the caller owns it. The audit pass must be installed.
TMusicScore* MakeSampleScore(TSampleScore kind);
// "piano", "choral", "every-item"; false for another name.
bool SampleScoreByName(const char* name, TSampleScore& kind);
