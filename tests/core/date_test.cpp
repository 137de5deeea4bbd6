#include "core/date.h"

#include <gtest/gtest.h>

#include "core/clock.h"

namespace vormel::core {
namespace {

Date ymd(int y, int m, int d) { return Date::from_ymd(y, m, d).value(); }

TEST(Date, CalendarRules) {
  EXPECT_TRUE(Date::from_ymd(2016, 2, 29).has_value());
  EXPECT_FALSE(Date::from_ymd(2015, 2, 29).has_value());
  EXPECT_TRUE(Date::from_ymd(2000, 2, 29).has_value());
  EXPECT_FALSE(Date::from_ymd(1900, 2, 29).has_value());
  EXPECT_FALSE(Date::from_ymd(2015, 4, 31).has_value());
  EXPECT_FALSE(Date::from_ymd(2015, 13, 1).has_value());
  EXPECT_FALSE(Date::from_ymd(2015, 0, 1).has_value());
  EXPECT_FALSE(Date::from_ymd(2015, 1, 0).has_value());

  EXPECT_EQ(ymd(1, 1, 1).serial(), 1);
  Date d = ymd(2016, 2, 29);
  EXPECT_EQ(d.year(), 2016);
  EXPECT_EQ(d.month(), 2);
  EXPECT_EQ(d.day(), 29);
  EXPECT_EQ(d + 1, ymd(2016, 3, 1));
  EXPECT_EQ(ymd(2016, 1, 1) - 1, ymd(2015, 12, 31));
  EXPECT_EQ(ymd(2017, 1, 1) - ymd(2016, 1, 1), 366);
  EXPECT_LT(ymd(2015, 12, 31), ymd(2016, 1, 1));
}

TEST(Date, WeekdayCountsFromSunday) {
  EXPECT_EQ(ymd(2016, 1, 1).weekday(), 6);  // a Friday
  EXPECT_EQ(ymd(2016, 1, 3).weekday(), 1);  // Sunday
  EXPECT_EQ(ymd(2016, 1, 9).weekday(), 7);  // Saturday
  EXPECT_EQ(ymd(1970, 1, 1).weekday(), 5);  // Thursday
  EXPECT_EQ(Date{}.weekday(), 0);
}

TEST(Date, TextFormsAndRoundTrips) {
  Date d = ymd(2016, 3, 7);
  EXPECT_EQ(DTOC(d), "07/03/2016");
  EXPECT_EQ(DTOS(d), "20160307");
  EXPECT_EQ(STOD("20160307"), d);
  EXPECT_EQ(CTOD(DTOC(d)), d);
  EXPECT_EQ(DTOC(ymd(987, 6, 5)), "05/06/0987");

  EXPECT_EQ(DTOC(Date{}), "  /  /    ");
  EXPECT_EQ(DTOS(Date{}), "        ");
  for (std::string_view empty : {"        ", "", "2016030", "2016023x", "20150229"})
    EXPECT_TRUE(STOD(empty).is_empty()) << empty;
}

TEST(Date, CtodReadsDayMonthYear) {
  struct Case {
    std::string_view text;
    std::optional<Date> date;
  };
  const Case cases[] = {
      {"07/03/16", ymd(1916, 3, 7)},      // two-digit years are in the 1900s
      {"31/12/99", ymd(1999, 12, 31)},
      {"07/03/2016", ymd(2016, 3, 7)},
      {"1/2/2015", ymd(2015, 2, 1)},
      {" 29/02/2016 ", ymd(2016, 2, 29)},
      {"", Date{}},
      {"  /  /    ", Date{}},
      {"  /  /  ", Date{}},
      {"29/02/2015", std::nullopt},
      {"32/01/2015", std::nullopt},
      {"01/13/2015", std::nullopt},
      {"01/01", std::nullopt},
      {"01/01/2015/1", std::nullopt},
      {"ab/01/2015", std::nullopt},
      {"01/  /2015", std::nullopt},
      {"01/01/215", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CTOD(c.text), c.date);
  }
}

TEST(Clock, ParseHoje) {
  auto morning = parse_hoje("29/02/2016");
  ASSERT_TRUE(morning.has_value());
  EXPECT_EQ(morning->date, ymd(2016, 2, 29));
  EXPECT_EQ(morning->seconds, 8 * 3600);

  auto late = parse_hoje("31/12/2015-23:59:58");
  ASSERT_TRUE(late.has_value());
  EXPECT_EQ(late->date, ymd(2015, 12, 31));
  EXPECT_EQ(late->seconds, 23 * 3600 + 59 * 60 + 58);

  for (std::string_view bad : {"", "29/02/2015", "1/2/2016", "31/12/15", "31/12/2015 10:00:00",
                               "31/12/2015-24:00:00", "31/12/2015-10:60:00", "31/12/2015-10:00"})
    EXPECT_FALSE(parse_hoje(bad).has_value()) << bad;
}

TEST(Clock, StartsAtTheChosenInstant) {
  // Elapsed time is real, so a second may pass during the test.
  Clock c = Clock::starting_at({ymd(2015, 12, 31), 23 * 3600 + 59 * 60 + 59});
  DateTime t = c.now();
  EXPECT_TRUE((t.date == ymd(2015, 12, 31) && t.seconds == 86399) ||
              (t.date == ymd(2016, 1, 1) && t.seconds <= 1));
  EXPECT_EQ(c.time_text().size(), 8u);

  DateTime local = Clock().now();
  EXPECT_FALSE(local.date.is_empty());
  EXPECT_GE(local.seconds, 0);
  EXPECT_LT(local.seconds, 86400);
}

}  // namespace
}  // namespace vormel::core
