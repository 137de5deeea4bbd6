// The progressive tables: annual, monthly (carnê-leão, RRA) and partial-year (final
// declaration of an estate, exit declaration). Every tax is truncated to cents.
#pragma once
#include <array>

#include "core/decimal.h"
#include "core/fixed.h"
#include "tax/year_constants.h"

namespace vormel::tax {

// A base up to bounds[0] pays nothing. Bracket k (1..4) holds the bases above
// bounds[k-1] and up to bounds[k] (no upper bound for k = 4) and pays
// base × rates[k-1] − deductions[k-1].
struct ProgressiveTable {
  std::array<Money, 4> bounds;
  std::array<Money, 4> deductions;
  std::array<Decimal, 4> rates;
};

ProgressiveTable annual_table(const YearConstants& year = base_year_2015());
// Months 1 to 3 use the first table of the year, 4 to 13 (13 = thirteenth salary) the second.
ProgressiveTable monthly_table(int month, const YearConstants& year = base_year_2015());
// Bounds and deductions summed over months 1..months; fewer than 1 month counts as 1,
// more than 12 as 12.
ProgressiveTable partial_year_table(int months, const YearConstants& year = base_year_2015());
// The same over the months first..last (a residence that began during the year).
ProgressiveTable partial_year_table(int first, int last, const YearConstants& year = base_year_2015());

// The tax of a base by a table: base × rate truncated to cents, less the deduction,
// never below 0.
Money tax_by_table(const ProgressiveTable& table, Money base);

Money annual_tax(Money base, const YearConstants& year = base_year_2015());
Money monthly_tax(Money base, int month, const YearConstants& year = base_year_2015());
Money partial_year_tax(Money base, int months, const YearConstants& year = base_year_2015());

// Any computed tax to cents: rounded at the fourth decimal, then the last two dropped.
Money truncate_to_cents(const Decimal& amount);

}  // namespace vormel::tax

namespace vormel::tax {

// The names the screens call the tables by: CALC_IMPOS with kind 1 is the annual table,
// with kind 12 the monthly table of `month`; CALC_PARCIAL the table of the first
// `months` months.
inline Money CALC_IMPOS(int kind, Money base, int month = 12) {
  return kind == 12 ? monthly_tax(base, month) : annual_tax(base);
}
inline Money CALC_PARCIAL(Money base, int months) { return partial_year_tax(base, months); }

}  // namespace vormel::tax
