#include "tax/tax_tables.h"

#include <algorithm>

namespace vormel::tax {

ProgressiveTable annual_table(const YearConstants& y) {
  return {{y.NBASEAN1, y.NBASEAN2, y.NBASEAN3, y.NBASEAN4},
          {y.NDEDUAN1, y.NDEDUAN2, y.NDEDUAN3, y.NDEDUAN4},
          y.bracket_rates};
}

ProgressiveTable monthly_table(int month, const YearConstants& y) {
  const int p = period_of(month);
  return {{y.NBASEME1[p], y.NBASEME2[p], y.NBASEME3[p], y.NBASEME4[p]},
          {y.NDEDUME1[p], y.NDEDUME2[p], y.NDEDUME3[p], y.NDEDUME4[p]},
          y.bracket_rates};
}

ProgressiveTable partial_year_table(int months, const YearConstants& y) {
  return partial_year_table(1, std::clamp(months, 1, 12), y);
}

ProgressiveTable partial_year_table(int first, int last, const YearConstants& y) {
  ProgressiveTable sum{{}, {}, y.bracket_rates};
  for (int month = std::clamp(first, 1, 12); month <= std::clamp(last, 1, 12); ++month) {
    const ProgressiveTable t = monthly_table(month, y);
    for (size_t k = 0; k < sum.bounds.size(); ++k) {
      sum.bounds[k] += t.bounds[k];
      sum.deductions[k] += t.deductions[k];
    }
  }
  return sum;
}

Money truncate_to_cents(const Decimal& amount) {
  return Money::from(core::DESPREZA(amount, 14, 2));
}

// Truncating the product before subtracting a deduction in whole cents gives the same
// cents as truncating the difference, for every tax that is not negative.
Money tax_by_table(const ProgressiveTable& table, Money base) {
  if (base <= table.bounds[0]) return Money{};
  size_t k = 0;  // bracket k + 1
  while (k + 1 < table.bounds.size() && base > table.bounds[k + 1]) ++k;
  const Money tax = truncate_to_cents(base * table.rates[k]) - table.deductions[k];
  return std::max(tax, Money{});
}

Money annual_tax(Money base, const YearConstants& year) {
  return tax_by_table(annual_table(year), base);
}

Money monthly_tax(Money base, int month, const YearConstants& year) {
  return tax_by_table(monthly_table(month, year), base);
}

Money partial_year_tax(Money base, int months, const YearConstants& year) {
  return tax_by_table(partial_year_table(months, year), base);
}

}  // namespace vormel::tax
