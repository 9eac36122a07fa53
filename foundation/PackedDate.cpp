#include "foundation/PackedDate.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "foundation/TextUtils.h"

const char kMonthAbbreviations[] =
    "###\0Jan\0Feb\0Mar\0Apr\0May\0Jun\0Jul\0Aug\0Sep\0Oct\0Nov\0Dec\0";
const char kMonthNames[] =
    "#err#\0January\0February\0March\0April\0May\0June\0July\0August\0September\0October\0"
    "November\0December\0";

void TPackedDate::Set(int year, int month, int day) {
  Raw = 0;
  SetYear(year);
  SetMonth(month);
  SetDay(day);
}

void TPackedDate::SetYear(int year) {
  Raw = static_cast<uint16_t>((Raw & 0x01FF) | (((year - kFirstYear) & 0x7F) << 9));
}

void TPackedDate::SetMonth(int month) {
  Raw = static_cast<uint16_t>((Raw & ~0x01E0) | ((month & 0x0F) << 5));
}

void TPackedDate::SetDay(int day) { Raw = static_cast<uint16_t>((Raw & ~0x001F) | (day & 0x1F)); }

int TPackedDate::GetTwoDigitYear() const {
  const int year = GetYear();
  return year < 2000 ? year - 1900 : year - 2000;
}

void TPackedDate::SetTwoDigitYear(int yy) { SetYear(yy >= 80 && yy <= 99 ? 1900 + yy : 2000 + yy); }

void TPackedDate::SetToday() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local) Set(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
}

bool TPackedDate::IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int TPackedDate::DaysInMonth(int month, int year) {
  switch (month) {
    case 2: return IsLeapYear(year) ? 29 : 28;
    case 4: case 6: case 9: case 11: return 30;
    default: return 31;
  }
}

bool TPackedDate::NextDay() {
  int year = GetYear(), month = GetMonth(), day = GetDay();
  if (++day > DaysInMonth(month, year)) {
    day = 1;
    if (++month > 12) {
      month = 1;
      if (++year > kLastYear) return false;
    }
  }
  Set(year, month, day);
  return true;
}

bool TPackedDate::PreviousDay() {
  int year = GetYear(), month = GetMonth(), day = GetDay();
  if (--day < 1) {
    if (--month < 1) {
      month = 12;
      if (--year < kFirstYear) return false;
    }
    day = DaysInMonth(month, year);
  }
  Set(year, month, day);
  return true;
}

int TPackedDate::Format(char* buffer, size_t size, int style) const {
  if (!buffer || size == 0) return 0;
  buffer[0] = '\0';
  const int year = GetYear(), month = GetMonth(), day = GetDay();
  int n = -1;
  switch (style) {
    case 0: n = std::snprintf(buffer, size, "%02d/%02d/%04d", month, day, year); break;
    case 1: n = std::snprintf(buffer, size, "%02d %s %04d", day, GetNthMultiString(kMonthNames, month), year); break;
    case 2: n = std::snprintf(buffer, size, "%02d-%s-%04d", day, GetNthMultiString(kMonthAbbreviations, month), year); break;
    case 3: n = std::snprintf(buffer, size, "%02d/%02d/%02d", month, day, GetTwoDigitYear()); break;
    default: return 0;
  }
  if (n < 0 || static_cast<size_t>(n) >= size) {
    buffer[0] = '\0';
    return 0;
  }
  return 1;
}

// A part that passed IsNumberText, read with overflow clamped far outside every valid range.
static long ReadNumberPart(const char* text) {
  errno = 0;
  const long value = std::strtol(text, nullptr, 10);
  return errno == ERANGE ? -1 : value;
}

int TPackedDate::Parse(const char* text, int style) {
  if (!text || std::strlen(text) >= 41 || style < 0 || style > 3) return 0;
  static const char kSeparators[] = {'/', ' ', '-', '/'};
  char copy[41];
  std::strcpy(copy, text);
  char* first = copy;
  char* second = std::strchr(first, kSeparators[style]);
  if (!second) return 0;
  *second++ = '\0';
  char* third = std::strchr(second, kSeparators[style]);
  if (!third) return 0;
  *third++ = '\0';
  if (!*third) return 0;

  if (!IsNumberText(first, false) || !IsNumberText(third, false)) return 0;
  long month = 0, day = 0;
  if (style == 0) {
    if (!IsNumberText(second, false)) return 0;
    month = ReadNumberPart(first);
    day = ReadNumberPart(second);
  } else {
    day = ReadNumberPart(first);
    StrTrim(second);
    month = FindMultiStringIndex(style == 1 ? kMonthNames : kMonthAbbreviations, second, true, 0);
  }
  long year = ReadNumberPart(third);
  if (month < 1 || month > 12 || day < 1 || day > 31 || year <= 0) return 0;

  TPackedDate parsed;
  if (year >= 100) {
    if (year < kFirstYear || year > kLastYear) return 0;
    parsed.SetYear(static_cast<int>(year));
  } else {
    parsed.SetTwoDigitYear(static_cast<int>(year));
  }
  // The packed layout stores any day 1-31 in any month; a date the calendar does not have
  // would step and compare wrongly, so it is refused here.
  if (day > DaysInMonth(static_cast<int>(month), parsed.GetYear())) return 0;
  parsed.SetMonth(static_cast<int>(month));
  parsed.SetDay(static_cast<int>(day));
  Raw = parsed.Raw;
  return 1;
}
