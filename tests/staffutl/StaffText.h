// A compact text for test staves: tokens separated by blanks, written and read back, so a table
// row shows a whole staff before and after an operation.
//   q h w e s t x      quarter, half, whole, eighth, sixteenth, thirty-second, sixty-fourth note
//   prefixes           r rest, g grace note, 3 triplet member, c two-head chord (positions p, p-2)
//   suffixes           . dotted, ~ tied on, @n staff position (notes; default 0)
//   |  ||  E           single bar, double bar, special ending
//   T3/4  K2  K-1      time signature, key signature with that many sharps (+) or flats (-)
//   P  p  D            sustain pedal down, pedal up, dynamic
// Written back, beamed items carry [ (first), - (middle) or ] (last) after the token when asked,
// and a rest with an explicit length carries =ticks.
#pragma once
#include <string>

#include "QVKNTN/MusicStaff.h"

void FillStaff(TMusicStaff& staff, const std::string& text);
std::string StaffText(const TMusicStaff& staff, bool beams = false);
// The staff that the text gives, after op(staff), written back.
template <class Op>
std::string TextAfter(const std::string& before, Op op, bool beams = false) {
  TMusicStaff staff;
  FillStaff(staff, before);
  op(staff);
  return StaffText(staff, beams);
}
// Sum of the durations of the inner items.
long StaffTicks(const TMusicStaff& staff);
// Installs the audit pass behind hooks that count the audits that reach it.
struct TAuditCount {
  TAuditCount();
  ~TAuditCount();
  long Total() const;
};
