// Free conversions between durations, ticks, pitches and staff positions that need no item:
// the musical arithmetic that editing, import and the items themselves share.
#pragma once
#include <cstddef>
#include "QVKNTN/NotationTypes.h"

// Staff position of the letter A in octave 0 under the clef: letters and octaves count down from it.
int NtnClefBasePosition(int clef);

// Ticks of one note of duration class 0 (whole) .. 6 (sixty-fourth); 0 for any other class.
int NtnDurationToTicks(int durationClass);
int NtnCountToTicks(int count, int durationClass);

// Ticks of one beat of a numerator/denominator-code time signature; with compound set, 6/8, 9/8,
// 12/8... beat in dotted values (three of the written beats).
int NtnBeatTicks(int numerator, int denominatorCode, bool compound);

// Spells MIDI key m for a clef and a signed key count (sharps positive, flats negative): the staff
// position and the accidental code (sharp, flat or natural) the key suggests.
void NtnPitchToStaffPosition(int clef, int keyCount, int midiKey, int& position, int& accidental);

// "C 5", "C#5": letter, sharp sign or blank, octave (key / 12). Keys outside 0..127 give "".
constexpr std::size_t kNtnMidiNoteNameSize = 5;
void NtnMidiNoteName(char* buffer, std::size_t size, int midiKey);

// All 128 names, each zero-terminated, the list ended by an empty string.
constexpr std::size_t kNtnMidiNoteNameListSize = 120 * 4 + 8 * 5 + 1;
void NtnMidiNoteNameList(char* buffer, std::size_t size);
