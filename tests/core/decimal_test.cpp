#include "core/decimal.h"

#include <gtest/gtest.h>

#include "core/fixed.h"

namespace vormel::core {
namespace {

Decimal D(std::string_view text) {
  auto d = Decimal::parse(text);
  EXPECT_TRUE(d.has_value()) << text;
  return d.value_or(Decimal{});
}

TEST(Decimal, ParseKeepsTheWrittenScale) {
  struct Case {
    std::string_view text;
    long long units;
    int scale;
  };
  const Case cases[] = {
      {"12", 12, 0},         {"-12.3456", -123456, 4}, {"+0.5", 5, 1},
      {".5", 5, 1},          {"  7.10  ", 710, 2},     {"-0.001", -1, 3},
      {"5.", 5, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Decimal d = D(c.text);
    EXPECT_EQ(d.units(), c.units);
    EXPECT_EQ(d.scale(), c.scale);
  }
  for (std::string_view bad : {"", " ", "-", ".", "1,5", "12a", "1 2", "--1", "1.2.3"})
    EXPECT_FALSE(Decimal::parse(bad).has_value()) << bad;
}

TEST(Decimal, TextForms) {
  EXPECT_EQ(D("-12.30").to_string(), "-12.30");
  EXPECT_EQ(D("0.05").to_string(), "0.05");
  EXPECT_EQ(D("-0.05").to_string(), "-0.05");
  EXPECT_EQ(Decimal(42).to_string(), "42");
  EXPECT_EQ(D("2.345").to_string(2), "2.35");
  EXPECT_EQ(D("-2.345").to_string(2), "-2.35");
  EXPECT_EQ(D("2.344").to_string(2), "2.34");
  EXPECT_EQ(D("2.5").to_string(0), "3");
  EXPECT_EQ(D("7").to_string(2), "7.00");
}

TEST(Decimal, RescaleTruncatesTowardZeroOrRoundsHalfAwayFromZero) {
  struct Case {
    std::string_view in;
    int scale;
    Rounding rounding;
    std::string_view out;
  };
  const Case cases[] = {
      {"12.349", 2, Rounding::Truncate, "12.34"}, {"-12.349", 2, Rounding::Truncate, "-12.34"},
      {"12.345", 2, Rounding::HalfUp, "12.35"},   {"-12.345", 2, Rounding::HalfUp, "-12.35"},
      {"12.3449", 2, Rounding::HalfUp, "12.34"},  {"0.999", 0, Rounding::Truncate, "0"},
      {"-0.5", 0, Rounding::HalfUp, "-1"},        {"1.5", 3, Rounding::Truncate, "1.500"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(D(c.in).rescaled(c.scale, c.rounding).to_string(), c.out);
  }
  EXPECT_EQ(D("-12.99").to_int(), -12);
  EXPECT_EQ(D("12.99").to_int(), 12);
}

TEST(Decimal, Arithmetic) {
  EXPECT_EQ((D("1.5") + D("2.25")).to_string(), "3.75");
  EXPECT_EQ((D("1.5") - D("2.25")).to_string(), "-0.75");
  EXPECT_EQ((D("1.5") * D("2.00")).to_string(), "3.000");  // scales add up
  EXPECT_EQ((D("-0.1") * D("0.1")).to_string(), "-0.01");
  // Over 18 decimals: trailing zeros go first, then the rest is truncated.
  Decimal a = D("0.1000000000"), b = D("0.3000000000");  // 10 decimals each
  Decimal p = a * b;
  EXPECT_EQ(p.to_string(), "0.030000000000000000");
  EXPECT_EQ(p.scale(), 18);
  Decimal third = D("0.333333333333");  // 12 decimals
  EXPECT_EQ((third * third).to_string(), "0.111111111110888888");
  EXPECT_EQ((-third * third).to_string(), "-0.111111111110888888");
}

TEST(Decimal, DivideIsExactLongDivision) {
  struct Case {
    std::string_view a, b;
    int scale;
    Rounding rounding;
    std::string_view out;
  };
  const Case cases[] = {
      {"10", "3", 2, Rounding::Truncate, "3.33"},      {"2", "3", 2, Rounding::HalfUp, "0.67"},
      {"-2", "3", 2, Rounding::Truncate, "-0.66"},     {"-2", "3", 2, Rounding::HalfUp, "-0.67"},
      {"2", "-3", 2, Rounding::HalfUp, "-0.67"},       {"1", "8", 2, Rounding::HalfUp, "0.13"},
      {"1234.56", "0.12", 4, Rounding::Truncate, "10288.0000"},
      {"1", "3", 18, Rounding::Truncate, "0.333333333333333333"},
      {"0.000001", "1000", 2, Rounding::HalfUp, "0.00"},
      {"100", "0.0001", 0, Rounding::Truncate, "1000000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + std::string(c.b));
    auto q = Decimal::divide(D(c.a), D(c.b), c.scale, c.rounding);
    ASSERT_TRUE(q.has_value());
    EXPECT_EQ(q->to_string(), c.out);
  }
  EXPECT_FALSE(Decimal::divide(D("1"), D("0.00"), 2).has_value());
}

TEST(Decimal, ComparesValuesAcrossScales) {
  EXPECT_EQ(D("1.50"), D("1.5"));
  EXPECT_EQ(D("0.000"), Decimal(0));
  EXPECT_NE(D("1.51"), D("1.5"));
  EXPECT_LT(D("1.499"), D("1.5"));
  EXPECT_GT(D("-1.4"), D("-1.45"));
  EXPECT_LT(D("-100"), D("0.01"));
}

TEST(Decimal, DesprezaRoundsAtTwoGuardDigitsThenTruncates) {
  struct Case {
    std::string_view in;
    std::string_view out;
  };
  const Case cases[] = {
      {"12.3456", "12.34"}, {"12.349", "12.34"}, {"-12.349", "-12.34"},
      {"1.15", "1.15"},     {"12.34996", "12.35"}, {"123.4599", "123.45"},
      {"7", "7.00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(DESPREZA(D(c.in), 10).to_string(), c.out);
  }
  EXPECT_EQ(DESPREZA(D("12.34567"), 14, 2, 1).to_string(), "12.3457");  // guard digits kept
  EXPECT_EQ(DESPREZA(D("5.6789"), 14, 0).to_string(), "5");
  // Wider than the width: the value is kept, never zeroed.
  Decimal wide = D("12345678901234567.891");
  EXPECT_EQ(DESPREZA(wide, 14).to_string(), "12345678901234567.89");
}

TEST(Decimal, CarToValReadsBrazilianText) {
  struct Case {
    std::string_view in;
    std::string_view out;
  };
  const Case cases[] = {
      {"1.234,56", "1234.56"},  {"", "0"},          {"   ", "0"},     {"12,5", "12.5"},
      {"-3,10", "-3.10"},       {"  1.000.000  ", "1000000"},       {"abc", "0"},
      {"12,5 kg", "12.5"},      {"1,2,3", "1.2"},   {",75", "0.75"},  {"-", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(CAR_TO_VAL(c.in).to_string(), c.out);
  }
}

TEST(Money, FromDecimalTruncatesUnlessAskedToRound) {
  EXPECT_EQ(Money::from(D("12.349")).units(), 1234);
  EXPECT_EQ(Money::from(D("-12.349")).units(), -1234);
  EXPECT_EQ(Money::from(D("12.345"), Rounding::HalfUp).units(), 1235);
  EXPECT_EQ(Money::from(D("3")).to_string(), "3.00");
  EXPECT_EQ(Money::parse("0.005")->units(), 1);
  EXPECT_FALSE(Money::parse("x").has_value());
}

}  // namespace
}  // namespace vormel::core
