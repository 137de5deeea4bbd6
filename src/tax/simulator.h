// The simulator of the computation screen: the tax with a new deduction, and the
// inverse calculation, the income that gives a wanted tax.
#pragma once
#include <optional>
#include <string>

#include "tax/record.h"
#include "tax/year_constants.h"

namespace vormel::tax {

// Mode 1: what would be paid (positive) or refunded (negative) with `extra` more
// deductions, on the figures of a computed complete declaration.
Money simulate_new_deduction(const Record& vars, Money extra, const YearConstants& k = base_year_2015());
// Mode 4: the table tax of a simplified declaration with that income.
Money simplified_tax_of_income(Money income, const YearConstants& k = base_year_2015());

struct Inverse {
  std::optional<Money> income;  // nullopt: refused
  std::string refusal;          // the message when refused
};
// Mode 3: the income a complete declaration needs for `wanted` (to pay positive, to
// refund negative).
Inverse inverse_complete(const Record& vars, Money wanted, const YearConstants& k = base_year_2015());
// Mode 2: the same for a simplified declaration.
Inverse inverse_simplified(const Record& vars, Money wanted, const YearConstants& k = base_year_2015());

}  // namespace vormel::tax
