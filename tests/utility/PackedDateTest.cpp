#include <gtest/gtest.h>

#include <string>

#include "foundation/PackedDate.h"

static std::string Formatted(const TPackedDate& date, int style) {
  char text[41];
  EXPECT_EQ(date.Format(text, sizeof text, style), 1);
  return text;
}

TEST(PackedDate, FieldsUseTheDosLayout) {
  const TPackedDate date(2003, 1, 12);
  EXPECT_EQ(date.GetRaw(), ((2003 - 1980) << 9) | (1 << 5) | 12);
  EXPECT_EQ(date.GetYear(), 2003);
  EXPECT_EQ(date.GetMonth(), 1);
  EXPECT_EQ(date.GetDay(), 12);
  EXPECT_EQ(date.GetTwoDigitYear(), 3);
  EXPECT_EQ(TPackedDate(1999, 5, 5).GetTwoDigitYear(), 99);
  EXPECT_TRUE(TPackedDate(1999, 12, 31) < TPackedDate(2000, 1, 1));
  EXPECT_TRUE(TPackedDate(2000, 1, 2) > TPackedDate(2000, 1, 1));

  TPackedDate yy;
  yy.SetTwoDigitYear(85);
  EXPECT_EQ(yy.GetYear(), 1985);
  yy.SetTwoDigitYear(7);
  EXPECT_EQ(yy.GetYear(), 2007);
}

TEST(PackedDate, CalendarRules) {
  EXPECT_TRUE(TPackedDate::IsLeapYear(2000));
  EXPECT_FALSE(TPackedDate::IsLeapYear(1900));
  EXPECT_TRUE(TPackedDate::IsLeapYear(1996));
  EXPECT_EQ(TPackedDate::DaysInMonth(2, 2001), 28);
  EXPECT_EQ(TPackedDate::DaysInMonth(2, 2004), 29);
  EXPECT_EQ(TPackedDate::DaysInMonth(9, 2004), 30);
  EXPECT_EQ(TPackedDate::DaysInMonth(12, 2004), 31);
}

TEST(PackedDate, StepsRollOverMonthAndYear) {
  TPackedDate d(2000, 2, 28);
  d.NextDay();
  EXPECT_EQ(Formatted(d, 0), "02/29/2000");
  d.NextDay();
  EXPECT_EQ(Formatted(d, 0), "03/01/2000");
  d.PreviousDay();
  EXPECT_EQ(Formatted(d, 0), "02/29/2000");

  TPackedDate y(1999, 12, 31);
  y.NextDay();
  EXPECT_EQ(Formatted(y, 0), "01/01/2000");
  y.PreviousDay();
  EXPECT_EQ(Formatted(y, 0), "12/31/1999");
}

TEST(PackedDate, StepsStopAtTheEndsOfThePackedRange) {
  TPackedDate last(2107, 12, 31);
  EXPECT_FALSE(last.NextDay());
  EXPECT_EQ(Formatted(last, 0), "12/31/2107");
  TPackedDate first(1980, 1, 1);
  EXPECT_FALSE(first.PreviousDay());
  EXPECT_EQ(Formatted(first, 0), "01/01/1980");
}

TEST(PackedDate, FormatStyles) {
  const TPackedDate d(2003, 1, 12);
  EXPECT_EQ(Formatted(d, 0), "01/12/2003");
  EXPECT_EQ(Formatted(d, 1), "12 January 2003");
  EXPECT_EQ(Formatted(d, 2), "12-Jan-2003");
  EXPECT_EQ(Formatted(d, 3), "01/12/03");

  char small[5] = "xxxx";
  EXPECT_EQ(d.Format(small, sizeof small, 0), 0) << "a buffer too small is refused, not overrun";
  EXPECT_STREQ(small, "");
  char text[20];
  EXPECT_EQ(d.Format(text, sizeof text, 9), 0);
}

TEST(PackedDate, ParseStyles) {
  struct Case {
    const char* text;
    int style;
    const char* expected;  // style 0 form, or null when refused
  };
  const Case cases[] = {
      {"12-Jan-2003", 2, "01/12/2003"},
      {"12-jan-03", 2, "01/12/2003"},
      {"01/12/2003", 0, "01/12/2003"},
      {"5 MARCH 1999", 1, "03/05/1999"},
      {"12/Jan/03", 3, "01/12/2003"},    // style 3 reads day, month abbreviation, year
      {"01/12/03", 3, nullptr},          // so it does not read back its own format
      {"13/01/2003", 0, nullptr},        // month 13
      {"01/32/2003", 0, nullptr},
      {"01/12", 0, nullptr},             // one separator
      {"01/12/", 0, nullptr},            // no third part
      {"0a/12/2003", 0, nullptr},
      {"01/12/-5", 0, nullptr},
      {"12-Foo-2003", 2, nullptr},
      {"12-###-2003", 2, nullptr},
      {nullptr, 0, nullptr},
      {"01/01/2000                                ", 0, nullptr},  // 41 characters or longer
      // Impossible dates and years outside 1980-2107 are refused.
      {"02/30/2001", 0, nullptr},
      {"02/29/2001", 0, nullptr},
      {"02/29/2004", 0, "02/29/2004"},
      {"04/31/2004", 0, nullptr},
      {"01/01/1979", 0, nullptr},
      {"01/01/2108", 0, nullptr},
      {"12/31/2107", 0, "12/31/2107"},
      {"01/01/99999999999999999999", 0, nullptr},
  };
  for (const Case& c : cases) {
    TPackedDate d(1990, 6, 6);
    const int ok = d.Parse(c.text, c.style);
    EXPECT_EQ(ok, c.expected ? 1 : 0) << (c.text ? c.text : "(null)");
    EXPECT_EQ(Formatted(d, 0), c.expected ? c.expected : "06/06/1990") << (c.text ? c.text : "(null)");
  }
}

TEST(PackedDate, SetTodayGivesAValidDate) {
  TPackedDate d;
  d.SetToday();
  EXPECT_GE(d.GetYear(), 2020);
  EXPECT_GE(d.GetMonth(), 1);
  EXPECT_LE(d.GetMonth(), 12);
  EXPECT_GE(d.GetDay(), 1);
  EXPECT_LE(d.GetDay(), TPackedDate::DaysInMonth(d.GetMonth(), d.GetYear()));
}
