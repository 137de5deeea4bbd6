// The payments and donations: deduction totals by code, education per person, the
// incentive limits, and the declared expenses the balance counts.
#include <algorithm>
#include <vector>

#include "tax/computation.h"

namespace vormel::tax {

namespace {

bool in(int code, int from, int to) { return code >= from && code <= to; }

// The domestic employee's yearly cost estimated from the employer's contribution.
Money domestic_cost(const Record& p) {
  const core::Decimal factor = *core::Decimal::parse("8.333335");
  Money paid = p.money("I6_4"), part = p.money("I6_5");
  if (paid.is_zero() && !part.is_zero())
    return Money::from(*core::Decimal::divide(part.to_decimal(), factor, 6)) + part;
  return Money::from(paid * factor) + paid;
}

}  // namespace

void Computation::FDE_TUDO() {
  Money pension, education, medical, reimbursed, judicial, deed, children, incentives, health, domestic, funpresp;
  Money declared, simplified_expenses;
  std::string despinst = v_.text("DESPINST");
  for (const auto& p : d_.payments) {
    const int code = p.integer("I6_3");
    const Money paid = p.money("I6_4"), part = p.money("I6_5");
    if (in(code, 1, 2)) {
      education += paid;
      despinst = paid > Money() ? "X" : despinst;
    } else if (in(code, 8, 26)) {
      medical += paid - part;
      if (paid > Money()) reimbursed += part;
    } else if (in(code, 30, 31)) {
      judicial += paid;
    } else if (in(code, 33, 34)) {
      deed += paid;
    } else if (code == 36 || code == 38) {
      pension += paid;
    } else if (code == 37) {
      funpresp += paid;
    } else if (code == 39) {
      children += paid;
    } else if (in(code, 40, 44)) {
      incentives += paid;
    } else if (code == 45 || code == 46) {
      health += paid;
    } else if (code == 50) {
      domestic += paid;
    }
    // What the balance counts as declared expenses.
    if (in(code, 91, 97)) continue;
    if (code == 72) {
      declared -= paid;
      simplified_expenses -= paid;
    } else if (code == 50) {
      declared += domestic_cost(p);
    } else {
      declared += paid;
    }
    if (in(code, 51, 71) || code == 76 || code == 80 || code == 81 || code == 90 || code == 98 || code == 99)
      simplified_expenses += paid;
  }
  v_.set_money("I13_11T", pension);
  v_.set_money("I13_13T", education);
  v_.set_money("I13_14", medical);
  v_.set_money("I13_14D", reimbursed);
  v_.set_money("I13_15", judicial);
  v_.set_money("I13_16", deed);
  v_.set_money("I13_22C", children);
  v_.set_money("I13_22T", incentives);
  v_.set_money("I13_22P", health);
  v_.set_money("I13_24T", domestic);
  v_.set_money("NFUNPRESP", funpresp);
  v_.set_money("DESPDECLA", declared);
  v_.set_money("DESPSIMP", simplified_expenses);
  v_.set_text("DESPINST", despinst);
}

Money Computation::FI13_13() {
  // One accumulator per person, capped after each addition: the holder first, then the
  // dependants and alimony recipients by their number.
  const size_t places = size_t(std::max(0, v_.integer("N_DEPEN") + v_.integer("DESPALIM"))) + 1;
  std::vector<Money> person(places);
  for (const auto& p : d_.payments) {
    const int code = p.integer("I6_3");
    if (code != 1 && code != 2) continue;
    const int who = p.integer("I6_6");
    if (who < 0 || size_t(who) >= places) continue;
    person[size_t(who)] = std::min(person[size_t(who)] + p.money("I6_4"), k_.NVALESCOL);
  }
  Money total;
  for (Money m : person) total += m;
  v_.set_money("I13_13", total);
  return total;
}

Money Computation::FI13_22() {
  // The incentive limits over the rows in table order; what does not fit becomes the
  // row's non-deductible part. The simplified model has no room for any.
  const bool none = simplified();
  const Money tax = v_.money("I13_21");
  auto pass = [&](auto&& takes, Money room) {
    for (auto& p : d_.payments) {
      if (!takes(p.integer("I6_3"))) continue;
      const Money paid = p.money("I6_4");
      if (room > paid) {
        p.set_money("I6_5", Money());
        room -= paid;
      } else {
        p.set_money("I6_5", paid - room);
        room = Money();
      }
    }
    return room;
  };
  Money six = none ? Money() : percent_of(tax, 6), three = none ? Money() : percent_of(tax, 3);
  Money one = none ? Money() : percent_of(tax, 1);
  Money left = pass([](int c) { return in(c, 40, 44); }, six);
  pass([](int c) { return c == 39; }, std::min(left, three));
  pass([](int c) { return c == 45; }, one);
  pass([](int c) { return c == 46; }, one);
  Money deductible;
  for (const auto& p : d_.payments)
    if (in(p.integer("I6_3"), 39, 46)) deductible += p.money("I6_4") - p.money("I6_5");
  deductible = std::min(deductible, tax);
  v_.set_money("I13_22", deductible);
  return deductible;
}

}  // namespace vormel::tax
