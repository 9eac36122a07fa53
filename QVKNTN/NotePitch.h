// Conversions between staff positions and MIDI pitches under a clef and a key.
#pragma once
#include "QVKNTN/NtnHelpers.h"  // NtnClefBasePosition, NtnPitchToStaffPosition

// The letter (A = 0 .. G = 6) written at a staff position under a clef.
int NtnLetterAtPosition(int clef, int position);

// The MIDI key of a natural head at a staff position under a clef and its octave shift.
int NtnNaturalPitchAtPosition(int clef, int octaveShift, int position);

// Folds a pitch into 0..127: below 0 into the lowest octave, above 127 into the highest.
int NtnFoldPitch(int pitch);
