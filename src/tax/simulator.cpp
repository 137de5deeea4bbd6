#include "tax/simulator.h"

#include <algorithm>
#include <array>

#include "core/cp850_literal.h"
#include "core/picture.h"
#include "tax/computation.h"
#include "tax/tax_tables.h"

namespace vormel::tax {

using namespace core::literals;

namespace {

Money max0(Money m) { return m > Money() ? m : Money(); }

std::string shown(Money m) { return core::TRANSFORM(m.to_decimal(), "@E 999,999,999.99"); }

// (tax + deduction) / rate, to the cent.
Money solve(Money tax, Money deduction, const core::Decimal& rate) {
  return Money::from(*core::Decimal::divide((tax + deduction).to_decimal(), rate, 6), core::Rounding::HalfUp);
}

// The base whose annual tax is `tax`: bracket by bracket from the top, the first whose
// solution has that tax, or lies within its bracket; else the 7.5% one.
Money base_for_tax(Money tax, const YearConstants& k, const core::Decimal& share) {
  const std::array<Money, 4> deductions{k.NDEDUAN1, k.NDEDUAN2, k.NDEDUAN3, k.NDEDUAN4};
  const std::array<Money, 5> lower{k.NBASEAN1, k.NBASEAN2, k.NBASEAN3, k.NBASEAN4, Money::from_units(INT64_MAX / 4)};
  Money last;
  for (int b = 3; b >= 0; --b) {
    const core::Decimal rate = k.bracket_rates[size_t(b)] * share;
    Money income = solve(tax, deductions[size_t(b)], rate);
    Money base = Money::from(income * share, core::Rounding::HalfUp);
    if (annual_tax(base) == tax || (base > lower[size_t(b)] && base <= lower[size_t(b) + 1])) return income;
    last = income;
  }
  return last;
}

}  // namespace

Money simulate_new_deduction(const Record& v, Money extra, const YearConstants& k) {
  const Money tax = annual_tax(max0(v.money("I13_20") - extra));
  const Money incentives = std::min(v.money("I13_22T"), percent_of(tax, 6));
  Money domestic = std::min(v.money("I13_24T"), tax - incentives);
  if (domestic > Money()) domestic = std::min(domestic, k.NMAXINSS);
  return tax - incentives - max0(domestic) - v.money("I13_35") + v.money("I13_25");
}

Money simplified_tax_of_income(Money income, const YearConstants& k) {
  return annual_tax(max0(income - std::min(percent_of(income, 20), k.NDESCPRAD)));
}

Inverse inverse_complete(const Record& v, Money wanted, const YearConstants& k) {
  if (wanted < Money() && -wanted > v.money("I13_35"))
    return {std::nullopt, "O valor máximo da restituição de imposto é R$"_cp.data() + shown(v.money("I13_35"))};
  const Money tax = wanted + v.money("I13_22") + v.money("I13_24") - v.money("I13_25") + v.money("I13_35");
  // With a private pension the 12% limit depends on the income sought: start without
  // it and recompute the limit from the income found until it settles.
  const Money others = v.money("I13_19") - v.money("I13_11");
  Money pension;
  Money income;
  for (int round = 0; round < 30; ++round) {
    const Money deductions = others + pension;
    income = base_for_tax(tax, k, core::Decimal(1)) + deductions;
    if (v.money("I13_11").is_zero()) break;
    const Money next = std::min(v.money("I13_11T"), percent_of(income, 12));
    if (next == pension) break;
    pension = next;
  }
  return {income, ""};
}

Inverse inverse_simplified(const Record& v, Money wanted, const YearConstants& k) {
  if (wanted < Money() && -wanted > v.money("I13_35"))
    return {std::nullopt, "O valor máximo de restituição de imposto é R$"_cp.data() + shown(v.money("I13_35"))};
  const Money tax = wanted + v.money("I13_35");
  // Where the 20% discount reaches its cap, the income is the capped base plus the cap.
  const core::Decimal twenty = *core::Decimal::parse("0.2");
  const Money cap_income = Money::from(*core::Decimal::divide(k.NDESCPRAD.to_decimal(), twenty, 6));
  const Money cap_tax = simplified_tax_of_income(cap_income, k);
  if (tax >= cap_tax) {
    const core::Decimal top = k.bracket_rates[3];
    Money income = Money::from(*core::Decimal::divide((tax + k.NDEDUAN4).to_decimal() + k.NDESCPRAD * top, top, 6),
                               core::Rounding::HalfUp);
    return {income, ""};
  }
  return {base_for_tax(tax, k, *core::Decimal::parse("0.8")), ""};
}

}  // namespace vormel::tax
