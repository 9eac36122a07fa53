// Conversions between staff positions and MIDI pitches under a clef and a key.
#pragma once

// The position of the A that anchors letter and octave counting under a clef: bass 17, alto 23,
// tenor 21, otherwise (treble) 29.
int NtnClefBasePosition(int clef);

// The letter (A = 0 .. G = 6) written at a staff position under a clef.
int NtnLetterAtPosition(int clef, int position);

// The MIDI key of a natural head at a staff position under a clef and its octave shift.
int NtnNaturalPitchAtPosition(int clef, int octaveShift, int position);

// Folds a pitch into 0..127: below 0 into the lowest octave, above 127 into the highest.
int NtnFoldPitch(int pitch);

// Spells MIDI key m in a key of keyCount sharps (positive) or flats (negative): the staff position
// under the clef and the accidental code (sharp, flat or natural; the key's spelling of 6 or 7
// accidentals uses C flat, F flat, E sharp and B sharp).
void NtnPitchToStaffPosition(int clef, int keyCount, int midiKey, int& position, int& accidental);
