#include <gtest/gtest.h>

#include "tax/selic_interest.h"

namespace {

using vormel::core::Decimal;
using vormel::tax::selic_interest;

TEST(SelicInterest, OnePercentPlusTheMonthsInBetween) {
  const std::vector<vormel::tax::SelicMonth> rates = {
      {201604, *Decimal::parse("1.06")}, {201605, *Decimal::parse("1.11")}, {201606, *Decimal::parse("1.16")}};
  struct Case {
    int start, end;
    const char* percent;
  };
  for (const Case& c : {Case{201604, 201605, "1"},      // paid the month after: 1% only
                        Case{201604, 201607, "3.27"},   // May and June in between
                        Case{201604, 201604, "1"},      // the due month itself
                        Case{201605, 201604, "0"},      // paid before it was due
                        Case{201512, 201702, "4.33"}})  // months missing from the list add nothing
  {
    SCOPED_TRACE(c.end);
    EXPECT_EQ(selic_interest(c.start, c.end, rates), *Decimal::parse(c.percent));
  }
}

}  // namespace
