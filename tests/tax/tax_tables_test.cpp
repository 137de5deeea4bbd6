#include "tax/tax_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "tax/year_constants.h"

namespace vormel::tax {
namespace {

Money R(const char* text) {
  auto m = Money::parse(text);
  EXPECT_TRUE(m.has_value()) << text;
  return m.value_or(Money{});
}

struct Case {
  const char* base;
  const char* tax;
};

// Expected figures worked out independently with exact fractions.
TEST(AnnualTax, AtAndAroundEveryBracketEdge) {
  const Case cases[] = {
      {"-5.00", "0.00"},       {"0.00", "0.00"},
      {"22499.12", "0.00"},    {"22499.13", "0.00"},    {"22499.14", "0.00"},
      {"25000.00", "187.57"},  {"30000.00", "562.57"},
      {"33477.71", "823.39"},  {"33477.72", "823.39"},  {"33477.73", "823.39"},
      {"33478.00", "823.44"},  {"40000.00", "1801.74"},
      // The tax drops a cent on crossing this edge: the 22.5% deduction is rounded up.
      {"44476.73", "2473.24"}, {"44476.74", "2473.25"}, {"44476.75", "2473.24"},
      {"50000.00", "3715.98"},
      {"55373.54", "4925.02"}, {"55373.55", "4925.02"}, {"55373.56", "4925.02"},
      {"60000.00", "6197.30"}, {"100000.00", "17197.30"}, {"200000.00", "44697.30"},
  };
  for (const auto& c : cases) EXPECT_EQ(annual_tax(R(c.base)), R(c.tax)) << c.base;
}

TEST(MonthlyTax, AtAndAroundEveryBracketEdgeOfBothTables) {
  struct MonthCase {
    int month;
    const char* base;
    const char* tax;
  };
  const MonthCase cases[] = {
      {1, "1787.77", "0.00"},   {2, "1787.78", "0.00"},   {3, "1787.79", "0.00"},
      {1, "2000.00", "15.92"},
      {1, "2679.29", "66.86"},  {2, "2679.30", "66.86"},  {3, "2679.31", "66.86"},
      {1, "3000.00", "114.97"},
      {1, "3572.43", "200.83"}, {2, "3572.44", "200.83"}, {3, "3572.45", "200.84"},
      {1, "4463.80", "401.39"}, {2, "4463.81", "401.39"}, {3, "4463.82", "401.40"},
      {3, "5000.00", "548.85"},
      {4, "1903.98", "0.00"},   {8, "1903.99", "0.00"},   {12, "1904.00", "0.00"},
      {4, "2000.00", "7.20"},
      {4, "2826.65", "69.19"},  {8, "2826.66", "69.19"},  {12, "2826.67", "69.20"},
      {4, "3000.00", "95.20"},
      {4, "3751.05", "207.85"}, {8, "3751.06", "207.85"}, {12, "3751.07", "207.86"},
      {4, "4664.67", "413.42"}, {8, "4664.68", "413.42"}, {13, "4664.69", "413.42"},
      {4, "5000.00", "505.64"}, {13, "10000.00", "1880.64"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(monthly_tax(R(c.base), c.month), R(c.tax)) << c.base << " month " << c.month;
}

TEST(PartialYearTax, SumsTheMonthlyTablesOfTheMonthsElapsed) {
  // Partition in June: three months of the first table and three of the second.
  const ProgressiveTable six = partial_year_table(6);
  EXPECT_EQ(six.bounds[0], R("1787.78") + R("1787.78") + R("1787.78") + R("1903.99") +
                               R("1903.99") + R("1903.99"));
  const Money bounds[] = {R("11075.31"), R("16517.88"), R("21970.50"), R("27385.47")};
  const Money deductions[] = {R("830.64"), R("2069.49"), R("3717.27"), R("5086.53")};
  for (size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(six.bounds[k], bounds[k]) << k;
    EXPECT_EQ(six.deductions[k], deductions[k]) << k;
  }

  struct MonthsCase {
    int months;
    const char* base;
    const char* tax;
  };
  const MonthsCase cases[] = {
      {6, "11075.31", "0.00"},    {6, "11075.32", "0.00"},   {6, "16517.88", "408.20"},
      {6, "16517.89", "408.19"},  {6, "27385.48", "2444.47"}, {6, "30000.00", "3163.47"},
      {1, "2679.30", "66.86"},    {1, "30000.00", "7423.85"},
      // Twelve summed months are not the annual table: bounds and deductions drift.
      {12, "30000.00", "562.56"}, {12, "55373.56", "4925.03"},
      // Out of range counts as the nearest possible number of months.
      {0, "30000.00", "7423.85"}, {13, "30000.00", "562.56"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(partial_year_tax(R(c.base), c.months), R(c.tax)) << c.base << " in " << c.months;
}

// The tables' rule in integer arithmetic: cents × per mille, rounded at the fourth
// decimal, truncated to cents, less the deduction, never negative.
int64_t reference_tax(const ProgressiveTable& t, int64_t base) {
  static const int64_t per_mille[] = {75, 150, 225, 275};
  if (base <= t.bounds[0].units()) return 0;
  int k = 0;
  while (k < 3 && base > t.bounds[k + 1].units()) ++k;
  const int64_t product = base * per_mille[k];  // in 1/100000 of a real
  const int64_t cents = (product + 5) / 10 / 100;
  return std::max<int64_t>(0, cents - t.deductions[k].units());
}

TEST(TaxTables, AgreeWithIntegerArithmeticOverAWideRange) {
  const ProgressiveTable tables[] = {annual_table(), monthly_table(1), monthly_table(4),
                                     partial_year_table(6)};
  for (const auto& t : tables) {
    const int64_t top = t.bounds[3].units() + 100000;
    const int64_t step = std::max<int64_t>(1, top / 200000);
    for (int64_t base = 0; base <= top; base += step)
      ASSERT_EQ(tax_by_table(t, Money::from_units(base)).units(), reference_tax(t, base)) << base;
  }
}

// Each deduction makes the tax continuous at the bracket's lower edge:
// deduction_k = deduction_k-1 + bound_k × (rate_k − rate_k-1), rounded to the cent.
void expect_deductions_continuous(const ProgressiveTable& t, const char* which) {
  Money previous;
  Decimal previous_rate;
  for (size_t k = 0; k < 4; ++k) {
    const Decimal exact = previous.to_decimal() + t.bounds[k] * (t.rates[k] - previous_rate);
    EXPECT_EQ(Money::from(exact, core::Rounding::HalfUp), t.deductions[k])
        << which << " deduction " << k + 1 << " exact " << exact.to_string();
    previous = t.deductions[k];
    previous_rate = t.rates[k];
  }
}

TEST(YearConstants, DeductionsFollowFromBoundsAndRates) {
  expect_deductions_continuous(annual_table(), "annual");
  expect_deductions_continuous(monthly_table(1), "January-March");
  expect_deductions_continuous(monthly_table(4), "April-December");
}

TEST(YearConstants, AgreeWithEachOther) {
  const YearConstants& y = base_year_2015();
  const Money cent = Money::from_units(1);
  // The annual bounds are three months of the first table and nine of the second, summed
  // on the last amount of each bracket (the monthly bounds 1..3 are the next bracket's first).
  auto year_of = [](Money first, Money second) {
    Money sum;
    for (int m = 1; m <= 12; ++m) sum += m < 4 ? first : second;
    return sum;
  };
  EXPECT_EQ(y.NBASEAN1, year_of(y.NBASEME1[0] - cent, y.NBASEME1[1] - cent));
  EXPECT_EQ(y.NBASEAN2, year_of(y.NBASEME2[0] - cent, y.NBASEME2[1] - cent));
  EXPECT_EQ(y.NBASEAN3, year_of(y.NBASEME3[0] - cent, y.NBASEME3[1] - cent));
  EXPECT_EQ(y.NBASEAN4, year_of(y.NBASEME4[0], y.NBASEME4[1]));
  // The exempt portion from 65 is the exempt bracket, the thirteenth included.
  EXPECT_EQ(y.NVALAPOSE[0], y.NBASEME1[0] - cent);
  EXPECT_EQ(y.NVALAPOSE[1], y.NBASEME1[1] - cent);
  EXPECT_EQ(y.NVALAPOSA, y.NBASEAN1 + y.NVALAPOSE[1]);
  // The annual dependant deduction is twelve months at the new monthly value.
  EXPECT_EQ(y.NVALDEPANO, year_of(y.NVALDEPEN[1], y.NVALDEPEN[1]));
}

TEST(YearConstants, ListingShowsEveryConstantWithItsSource) {
  const auto list = constant_listing(base_year_2015());
  auto find = [&](const std::string& name) -> const NamedConstant* {
    for (const auto& c : list)
      if (c.name == name) return &c;
    return nullptr;
  };
  const std::pair<const char*, const char*> expected[] = {
      {"NBASEAN1", "22.499,13"},        {"NDEDUAN4", "10.302,70"},
      {"NBASEME1", "1.787,78 / 1.903,99"}, {"NDEDUME1", "134,08 / 142,80"},
      {"NVALDEPANO", "2.275,08"},       {"NVALDEPEN", "179,71 / 189,59"},
      {"NVALESCOL", "3.561,50"},        {"NVALAPOSE", "1.787,77 / 1.903,98"},
      {"NVALAPOSA", "24.403,11"},       {"NDESCPRAD", "16.754,34"},
      {"NMAXINSS", "1.182,20"},         {"TAB_DOLAR[1]", "2,6623"},
      {"TAB_DOLAR[12]", "3,9048"},      {"bracket_rates[1]", "7,5%"},
      {"bracket_rates[4]", "27,5%"},    {"simplified_discount_rate", "20%"},
      {"health_programme_rate", "1%"},  {"fifa_exempt_limit", "43.440,00"},
  };
  for (const auto& [name, value] : expected) {
    const NamedConstant* c = find(name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_EQ(c->value, value) << name;
  }
  EXPECT_EQ(list.size(), 23u + 12u + 4u + 6u);
  for (const auto& c : list) EXPECT_FALSE(c.source.empty()) << c.name;
}

}  // namespace
}  // namespace vormel::tax
