// The age and birthday notice of the identification screens.
#include <gtest/gtest.h>

#include "core/cp850.h"
#include "screen/age_notice.h"

namespace {

using namespace vormel;
using namespace vormel::core::literals;

core::Date d(int day, int month, int year) { return *core::Date::from_ymd(year, month, day); }

TEST(Dizanos, AgeAndNotice) {
  struct Case {
    core::Date birth, today;
    std::string years, months, notice;
    bool attention;
  };
  const Case cases[] = {
      {d(5, 3, 1980), d(15, 4, 2016), " 35", " 9", "", false},
      {core::Date(), d(15, 4, 2016), "   ", "  ", "", false},
      {d(1, 1, 2016), d(15, 4, 2016), "   ", "  ", "", false},           // after the base year
      {d(31, 12, 2015), d(15, 4, 2016), "  0", " 0", "", false},
      {d(15, 4, 1970), d(15, 4, 2016), " 45", " 8", std::string("Faz Aniversário Hoje  "_cp), true},
      {d(16, 4, 1970), d(15, 4, 2016), " 45", " 8", std::string("Faz Aniversário Amanha"_cp), true},
      {d(17, 4, 1970), d(15, 4, 2016), " 45", " 8", std::string("Aniversário no Domingo"_cp), false},
      {d(20, 4, 1970), d(15, 4, 2016), " 45", " 8", std::string("Aniversário na Quarta "_cp), false},
      {d(21, 4, 1970), d(15, 4, 2016), " 45", " 8", "", false},          // 6 days ahead
      {d(14, 4, 1970), d(15, 4, 2016), " 45", " 8", "", false},          // yesterday
      {d(1, 4, 1970), d(31, 3, 2016), " 45", " 8", "", false},           // tomorrow, but next month
      {d(29, 2, 1980), d(28, 2, 2017), " 35", "10", std::string("Faz Aniversário Hoje  "_cp), true},
      {d(29, 2, 1980), d(24, 2, 2017), " 35", "10", std::string("Aniversário na Terça  "_cp), false},
      {d(29, 2, 1980), d(28, 2, 2016), " 35", "10", std::string("Faz Aniversário Amanha"_cp), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(core::DTOC(c.birth) + " on " + core::DTOC(c.today));
    auto a = screen::DIZANOS(c.birth, c.today);
    EXPECT_EQ(a.years, c.years);
    EXPECT_EQ(a.months, c.months);
    EXPECT_EQ(a.notice, c.notice);
    EXPECT_EQ(a.attention, c.attention);
  }
}

}  // namespace
