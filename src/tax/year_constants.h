// The constants of one tax year: the progressive tables, the deduction limits and the
// dollar rates. A new year is a new table like base_year_2015(); no formula changes.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/fixed.h"

namespace vormel::tax {

using core::Decimal;
using core::Money;

// A monthly value: [0] January to March, [1] April to December and the thirteenth salary.
using MonthlyPair = std::array<Money, 2>;

// Which value of a MonthlyPair month 1..13 uses.
constexpr int period_of(int month) { return month < 4 ? 0 : 1; }

// Sources in short; constant_listing() gives them in full.
struct YearConstants {
  int base_year = 0;

  // Annual table, the sum of the year's monthly tables (Lei 11.482/2007, art. 1, sole
  // paragraph): upper bounds of the 0%, 7.5%, 15% and 22.5% brackets ...
  Money NBASEAN1, NBASEAN2, NBASEAN3, NBASEAN4;
  // ... and the amounts to deduct in the 7.5%, 15%, 22.5% and 27.5% brackets.
  Money NDEDUAN1, NDEDUAN2, NDEDUAN3, NDEDUAN4;

  // Monthly tables, shaped like the annual one. January to March 2015 still used the
  // 2014 table (Lei 11.482/2007, art. 1, VIII); from April the one of Lei 13.149/2015
  // (art. 1, IX). NBASEME1..3 hold the first amount of the next bracket, NBASEME4 the
  // last amount of the 22.5% one; a base equal to a bound is taxed by the bracket below.
  MonthlyPair NBASEME1, NBASEME2, NBASEME3, NBASEME4;
  MonthlyPair NDEDUME1, NDEDUME2, NDEDUME3, NDEDUME4;

  Money NVALDEPANO;       // per dependant, annual (Lei 9.250/1995, art. 8, II, c)
  MonthlyPair NVALDEPEN;  // per dependant, monthly carnê-leão (Lei 9.250/1995, art. 4, III)
  Money NVALESCOL;        // education limit per person (Lei 9.250/1995, art. 8, II, b)
  MonthlyPair NVALAPOSE;  // exempt retirement income from 65, monthly (Lei 7.713/1988, art. 6, XV)
  Money NVALAPOSA;        // the same, annual with the thirteenth (Lei 7.713/1988, art. 6, XV)
  Money NDESCPRAD;        // cap of the simplified discount (Lei 9.250/1995, art. 10)
  Money NMAXINSS;         // cap of the domestic employer's INSS (Lei 9.250/1995, art. 12, VII)
  // Reais per US dollar, January to December: the Central Bank's buying rate that
  // converts income from abroad (Lei 9.250/1995, art. 6).
  std::array<Decimal, 12> TAB_DOLAR;

  // Fixed rates.
  std::array<Decimal, 4> bracket_rates;  // 7.5%, 15%, 22.5%, 27.5% (Lei 11.482/2007, art. 1)
  Decimal simplified_discount_rate;      // 20% of the income (Lei 9.250/1995, art. 10)
  Decimal private_pension_rate;          // 12% of the income (Lei 9.532/1997, art. 11)
  Decimal incentive_rate;                // 6% of the tax, all donations (Lei 9.532/1997, art. 22)
  Decimal children_fund_rate;            // 3% of the tax, within the 6% (Lei 8.069/1990, art. 260-A)
  Decimal health_programme_rate;         // 1% of the tax each, Pronon and Pronas (Lei 12.715/2012)
  Money fifa_exempt_limit;               // FIFA benefits exempt up to (Lei 12.350/2010)
};

const YearConstants& base_year_2015();

// One line of the list of constants that the program shows and prints.
struct NamedConstant {
  std::string name;    // "NBASEAN1", "NBASEME1", "TAB_DOLAR[3]", "bracket_rates[1]"
  std::string value;   // as shown: "22.499,13", "1.787,78 / 1.903,99", "7,5%"
  std::string source;  // the law the value comes from
};

std::vector<NamedConstant> constant_listing(const YearConstants& year);

}  // namespace vormel::tax
