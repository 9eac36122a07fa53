// A calendar date packed into 16 bits in the MS-DOS layout: bits 0-4 day, 5-8 month,
// 9-15 year - 1980, so it covers 1980 to 2107.
#pragma once

#include <cstddef>
#include <cstdint>

// Month names as double-NUL lists indexed by month (entry 0 is the error mark).
extern const char kMonthAbbreviations[];
extern const char kMonthNames[];

class TPackedDate {
 public:
  static constexpr int kFirstYear = 1980;
  static constexpr int kLastYear = 1980 + 127;

  TPackedDate() = default;
  explicit TPackedDate(uint16_t raw) : Raw(raw) {}
  TPackedDate(int year, int month, int day) { Set(year, month, day); }

  void Set(int year, int month, int day);
  uint16_t GetRaw() const { return Raw; }
  int GetYear() const { return (Raw >> 9) + kFirstYear; }
  int GetMonth() const { return (Raw >> 5) & 0x0F; }
  int GetDay() const { return Raw & 0x1F; }
  void SetYear(int year);
  void SetMonth(int month);
  void SetDay(int day);
  int GetTwoDigitYear() const;
  void SetTwoDigitYear(int yy);
  void SetToday();

  static bool IsLeapYear(int year);
  static int DaysInMonth(int month, int year);

  // Step one day, rolling over month and year ends; a step past either end of the packed range
  // leaves the date unchanged and answers false.
  bool NextDay();
  bool PreviousDay();

  bool operator<(const TPackedDate& other) const { return Raw < other.Raw; }
  bool operator>(const TPackedDate& other) const { return Raw > other.Raw; }
  bool operator==(const TPackedDate& other) const { return Raw == other.Raw; }

  // Styles: 0 "mm/dd/yyyy", 1 "dd Monthname yyyy", 2 "dd-Mon-yyyy", 3 "mm/dd/yy".
  // Format answers 0 for an unknown style or a buffer too small for the whole text.
  int Format(char* buffer, size_t size, int style) const;
  // Answers 1 and sets the date, or 0 and leaves it unchanged.
  int Parse(const char* text, int style);

 private:
  uint16_t Raw = 0;
};
