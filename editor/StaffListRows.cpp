#include "editor/StaffListRows.h"

#include <cstdio>

#include "QVKNTN/MusicStaff.h"

namespace {

char MutedLetter(const TMusicStaff& staff) { return staff.IsMuted() ? 'Y' : 'N'; }

std::string Row(const char* format, const char* first, const char* second, const TMusicStaff& staff) {
  // Name and group are bounded by the staff; the numbers are printed from whatever the staff
  // holds, so the buffer allows for the widest int in every column.
  char text[160];
  std::snprintf(text, sizeof text, format, first, second, MutedLetter(staff), staff.GetPort() + 1LL,
                staff.GetChannel() + 1LL, StaffPatchText(staff).c_str(), StaffTranspositionText(staff).c_str());
  return text;
}

}  // namespace

std::string StaffPatchText(const TMusicStaff& staff) {
  const int patch = staff.GetInstrument().patch;
  if (patch <= 0) return "---";
  char text[16];
  std::snprintf(text, sizeof text, "%03d", patch);
  return text;
}

std::string StaffTranspositionText(const TMusicStaff& staff) {
  const long long t = staff.GetTransposition();
  char text[24];
  std::snprintf(text, sizeof text, "%c%lld", t < 0 ? '-' : '+', t < 0 ? -t : t);
  return text;
}

std::string StaffNameRowText(const TMusicStaff& staff, bool tabMode) {
  if (!tabMode) return staff.GetName();
  return Row("%s:%s\t%c\t%02lld\t%02lld\t%s\t%s", staff.GetGroupName(), staff.GetName(), staff);
}

std::string StaffColumnRowText(const TMusicStaff& staff) {
  return Row("%s\t%s\t%c\t%02lld\t%02lld\t%s\t%s", staff.GetName(), staff.GetGroupName(), staff);
}
