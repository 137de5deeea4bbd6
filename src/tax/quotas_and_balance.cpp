// The quotas of the tax to pay, the patrimonial variation and the balance of the year.
#include <algorithm>

#include "core/cp850_literal.h"
#include "tax/computation.h"

namespace vormel::tax {

using namespace core::literals;

void Computation::FQTD_QUOTA() {
  const Money tax = v_.money("I13_36");
  if (tax <= Money()) {
    v_.set_number("QTD_QUOTA", 0);
    v_.set_money("I13_37", Money());
    v_.set_money("QUOTA1", Money());
    v_.set_text("DEBITAUT", " ");
    return;
  }
  // Each quota is at least 50.00, at most eight.
  const int most = int(std::clamp<int64_t>(tax.units() / 5000, 1, 8));
  int n = v_.integer("QTD_QUOTA");
  if (n <= 0 || n > most) n = most;
  const bool final_with_date = v_.text("DECFINAL") == "S" &&
                               ((v_.text("DECJUDI") == "S" && !v_.date("DATAPARTI").is_empty()) ||
                                (v_.text("DECJUDI") == "N" && !v_.date("DATALAVRA").is_empty()));
  if (final_with_date && n > 1) {
    notice({" ATENÇÃO! Não é permitido o"_cp.data(), "parcelamento em declaração final"_cp.data()});
    n = 1;
  }
  if (n == 1) v_.set_text("DEBITAUT", " ");
  v_.set_number("QTD_QUOTA", n);
  const Money quota = Money::from_units(tax.units() / n);
  v_.set_money("I13_37", quota);
  // The cents the division leaves go with the first quota, so the quotas add up to the
  // tax to pay.
  v_.set_money("QUOTA1", quota + Money::from_units(tax.units() - quota.units() * n));
}

void Computation::FI10_1() {
  Money assets_start, assets_end, debts_start, debts_end;
  for (const auto& a : d_.assets) {
    assets_start += a.money("I7_3");
    assets_end += a.money("I7_4");
  }
  for (const auto& b : d_.debts) {
    debts_start += b.money("I8_3");
    debts_end += b.money("I8_4");
  }
  const Money variation = (assets_end + debts_start) - (assets_start + debts_end);
  v_.set_money("I10_1", variation > Money() ? variation : Money());
  const Money d_assets = assets_end - assets_start, d_debts = debts_end - debts_start;
  Money loans, reduction;
  if (d_assets >= Money() && d_debts >= Money()) {
    loans = d_debts - d_assets > Money() ? d_debts - d_assets : Money();
  } else if (d_assets < Money() && d_debts >= Money()) {
    loans = d_debts;
    reduction = -d_assets;
  } else if (d_assets <= Money() && d_debts <= Money()) {
    reduction = std::max(Money(), -d_assets + d_debts);
  }
  v_.set_money("EMPREST", loans);
  v_.set_money("I10_2", reduction);
}

Money Computation::TOTALDESP() {
  Money monthly;
  for (const auto& row : d_.upkeep) monthly += row.money("VALODESP");
  Money yearly = Money::from_units(monthly.units() * 12);
  v_.set_money("DESPNAO", yearly);
  return yearly;
}

Money Computation::FCALPOUPA() {
  Money losses;
  for (const auto& row : d_.losses) losses += row.money("PREJUIZO");
  v_.set_money("PREJVEN1", losses);
  return losses;
}

Money Computation::VE_SALDO() {
  auto m = [&](const char* n) { return v_.money(n); };
  const bool deferred_counts = v_.text("SOMAG") != "N";
  Money receipts = m("I9_2") + (m("I9_3") - m("I9_2")) + m("I10_2") + m("EMPREST") + m("EMPRUR") + m("OUTREC") +
                   m("ENTRADGP") - m("ISENTNAO") + m("EXGSUSP") + m("I13_08") + m("I13_44") + m("I13_45") -
                   m("I4_03") + m("LUCRRVA") + (deferred_counts ? m("VALFUTUR") : Money()) + m("I13_34");
  Money declared;
  if (!simplified()) declared = m("DESPDECLA") + m("I13_09") + m("I13_12") + m("I13_18");
  else if (v_.text("SO_SIMPLES") != "N") declared = m("DESPADRAO") + m("DESPSIMP");
  else declared = m("DESPDECLA") + m("I13_09") + m("I13_18");
  Money expenses = m("IMPOANTER") + m("I13_35") + m("I13_46") + m("I13_47") + m("I13_48") + m("I10_1") +
                   m("AMORUR") + m("PREJRVA") + m("PREJVEN1") + m("PREJRUR") + m("DESPNAO") + m("OUTRDES") +
                   m("CUSTOANO") + m("CUSTOANT") + declared;
  v_.set_money("RECEITA", receipts);
  v_.set_money("DESPESA", expenses);
  Money balance = receipts - expenses;
  const Money floor = Money::from_units(-9'999'999'999);
  core::Decimal index = 0;
  if (!receipts.is_zero())
    index = core::Decimal::divide(balance.to_decimal() * core::Decimal(100), receipts.to_decimal(), 2,
                                  core::Rounding::HalfUp)
                .value_or(core::Decimal(0));
  // The index is stored in six places with two decimals.
  if (index < *core::Decimal::parse("-99.99")) index = *core::Decimal::parse("-99.99");
  if (index > *core::Decimal::parse("999.99")) index = core::Decimal(999);
  v_.set_number("INDGAS", index.rescaled(2));
  balance = std::max(balance, floor);
  v_.set_money("SALDO", balance);
  return balance;
}

void Computation::BALANCO() {
  NRODP();
  CALC(4);
  CALC(1);
  CALC(3);
  FI10_1();
  CALC(7);
}

}  // namespace vormel::tax
