// The dollar converter: reais to dollars and back by the month's rate.
#include <gtest/gtest.h>

#include "core/cp850.h"
#include "entry/dollar_converter.h"
#include "screen/ui.h"
#include "../support/scripted_backend.h"

namespace {

using namespace vormel;
using core::Decimal;
using core::Key;

struct Converter : ::testing::Test {
  test_support::ScriptedBackend backend;
  core::Clock clock;
  screen::Console con{backend, clock};
  screen::Ui ui{con};
  std::array<Decimal, 12> rates{};
  Converter() {
    for (size_t m = 0; m < 12; ++m) rates[m] = *Decimal::parse("2");
    rates[0] = *Decimal::parse("2.6623");
    rates[2] = *Decimal::parse("3.2080");
  }
  std::string screen_text() const { return backend.screens.empty() ? "" : backend.screens.back(); }
};

TEST_F(Converter, EachAmountFollowsTheOtherByTheRateOfTheMonth) {
  // 1.000,00 reais in January are 375,61 dollars (cut, not rounded); then 100 dollars
  // in March are 320,80 reais, and Esc gives them back.
  backend.type("1000,00\n");
  backend.keys.push_back(Key(Key::Down));
  backend.type("03\n");                    // round to the reais again
  backend.keys.push_back(Key(Key::Down));  // on to the dollars
  backend.type("100,00\n");
  backend.keys.push_back(Key(Key::Esc));
  const Decimal result = entry::MUDATEL13(ui, Decimal(0), 1, rates, 5, 40);
  EXPECT_EQ(result, *Decimal::parse("320.80"));
  EXPECT_TRUE(backend.showed("375,61"));
  EXPECT_TRUE(backend.showed("Março"));
}

TEST_F(Converter, ShowsTheMonthsNameAndPassingThroughChangesNothing) {
  backend.keys.push_back(Key(Key::Down));
  backend.keys.push_back(Key(Key::Down));
  backend.type("13\n");  // refused: the field stays
  backend.keys.push_back(Key(Key::Esc));
  const Decimal result = entry::MUDATEL13(ui, *Decimal::parse("26.62"), 1, rates, 5, 40);
  EXPECT_EQ(result, *Decimal::parse("26.62"));
  bool named = false, dollars = false;
  for (const std::string& s : backend.screens) {
    named = named || s.find("Janeiro") != std::string::npos;
    dollars = dollars || s.find("9,99") != std::string::npos;  // 26,62 / 2,6623, cut
  }
  EXPECT_TRUE(named);
  EXPECT_TRUE(dollars);
}

TEST_F(Converter, AMonthAboveTwelveGivesTheValueBackUnshown) {
  EXPECT_EQ(entry::MUDATEL13(ui, Decimal(7), 13, rates, 5, 40), Decimal(7));
  EXPECT_TRUE(backend.screens.empty());
}

}  // namespace
