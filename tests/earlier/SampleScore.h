#pragma once
// A sample score that both editor lines can build and store, and a text digest of its musical
// content: the same digest from a score one line wrote and the other read shows nothing was lost.

#include <memory>
#include <string>

class TMusicScore;
class TMusicStaff;

// Two staves with every item kind whose content the version-9 record keeps, lyrics included.
std::unique_ptr<TMusicScore> BuildSampleScore();
// One line per item (type and the fields that carry music), after the staff's settings.
std::string DigestStaff(const TMusicStaff& staff);
std::string DigestScore(const TMusicScore& score);
// The digest of items first..last of a staff.
std::string DigestItems(const TMusicStaff& staff, int first, int last);
