// The annual computation: the lines of the complete and the simplified model, the
// table of the declaration, the tax paid abroad, and the RRA tax of a row.
#include <algorithm>

#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"
#include "tax/computation.h"
#include "tax/tax_tables.h"

namespace vormel::tax {

using namespace core::literals;

namespace {

Money max0(Money m) { return m > Money() ? m : Money(); }

std::string shown(Money m) { return core::TRANSFORM(m.to_decimal(), "@E 999,999,999.99"); }

}  // namespace

Money percent_of(Money amount, int percent) {
  return Money::from_units(amount.units() * percent / 100);
}

Computation::Computation(DeclarationData& data, const YearConstants& constants)
    : d_(data), v_(data.vars), k_(constants) {}

bool Computation::simplified() const { return v_.text("USAPADRAO") != "N"; }

Computation::Months Computation::taxed_months() {
  // A final declaration of an estate runs to the partition (or the deed); an exit
  // declaration to the day of leaving, from the day of arriving when that was in the
  // year. Months outside 1..12 are brought inside: a date of another year never gives
  // an empty or negative period.
  auto month_in_year = [](const core::Date& d, int fallback) {
    if (d.is_empty()) return fallback;
    if (d.year() < 2015) return 1;
    if (d.year() > 2015) return 12;
    return d.month();
  };
  Months m;
  if (v_.text("DECFINAL") == "S") {
    core::Date end = v_.date("DATAPARTI");
    if (end.is_empty()) end = v_.date("DATALAVRA");
    if (end.is_empty())
      notice({"Na declaração final o cálculo do Imposto"_cp.data(), "depende da data Partilha ou Lavratura",
              "O cálculo apresentado corresponde ao mês 12"_cp.data()});
    m.last = month_in_year(end, 12);
  } else if (v_.text("DECSAIDA") == "S") {
    core::Date end = v_.date("DATASAIDA");
    if (end.is_empty())
      notice({"Na declaração de saída o cálculo do Imposto"_cp.data(), "depende da data da saída. Informe-a"_cp.data(),
              "O cálculo apresentado corresponde ao mês 12"_cp.data()});
    m.last = month_in_year(end, 12);
    core::Date start = v_.date("DATADECIS");
    if (!start.is_empty() && start.year() == 2015) m.first = std::min(start.month(), m.last);
  }
  return m;
}

Money Computation::table_tax(Money base) {
  Months m = taxed_months();
  // A whole year is the annual table itself, not the sum of twelve monthly ones.
  if (m.first == 1 && m.last == 12) return annual_tax(base);
  return tax_by_table(partial_year_table(m.first, m.last, k_), base);
}

bool Computation::CALC(int kind) {
  switch (kind) {
    case 1:
    case 2:
      // The carnê-leão is taken from the monthly table as it is stored.
      FI1_T();
      monthly_totals();
      FI13_08();
      break;
    case 3: SOMA_TRIBENAO(); break;
    case 4: FDE_TUDO(); break;
    case 5: {
      Money typed = v_.money("I3_04GCPV") + v_.money("I3_04UNIC") + v_.money("I3_04REDU") + v_.money("I3_04EXTR");
      Money computed = v_.money("I3_04GCPVC") + v_.money("I3_04UNICC") + v_.money("I3_04REDUC");
      v_.set_money("I3_04D", typed);
      v_.set_money("I3_04C", computed);
      v_.set_money("I3_04", typed + computed);
      break;
    }
    case 6:
      v_.set_money("I13_09", v_.money("CARNEINSS") + v_.money("CARNEDEPEN") + v_.money("NPREVTIT") +
                                 v_.money("NPREVDEP") + v_.money("NFUNPRESP"));
      break;
    case 7: {
      annual_lines();
      FQTD_QUOTA();
      SOMA_TRIBENAO();
      VE_SALDO();
      compare_models();
      break;
    }
    default: break;
  }
  return true;
}

Money Computation::FI13_08() {
  Money total;
  for (const char* n : {"I13_01", "I13_02", "I13_03", "I13_04", "I13_05", "I13_06", "I13_07", "I13_49", "I13_50"})
    total += v_.money(n);
  v_.set_money("I13_08", total);
  return total;
}

Money Computation::FI13_11() {
  Money m = std::min(v_.money("I13_11T"), percent_of(v_.money("I13_08"), 12));
  v_.set_money("I13_11", m);
  return m;
}

Money Computation::FI13_12() {
  Money m = Money::from_units(k_.NVALDEPANO.units() * std::max(0, v_.integer("N_DEPEN")));
  v_.set_money("I13_12", m);
  return m;
}

Money Computation::FI13_19() {
  Money total;
  for (const char* n : {"I13_09", "I13_10", "I13_11", "I13_12", "I13_13", "I13_14", "I13_15", "I13_16", "I13_17", "I13_18"})
    total += v_.money(n);
  v_.set_money("I13_19", total);
  return total;
}

Money Computation::FI13_20() {
  const Money income = v_.money("I13_08");
  Money discount = std::min(percent_of(income, 20), k_.NDESCPRAD);
  if (simplified()) {
    // No discount on no income; the base is never negative.
    if (income <= Money()) discount = Money();
    v_.set_money("DESPADRAO", discount);
    v_.set(("LTEMPRAD"), true);
    v_.set_money("I13_20", max0(income - discount));
  } else {
    v_.set_money("DESPADRAO", Money());
    v_.set("LTEMPRAD", false);
    v_.set_money("I13_20", max0(income - v_.money("I13_19")));
  }
  return v_.money("I13_20");
}

Money Computation::FI13_23() {
  Money m = simplified() ? v_.money("I13_21") : v_.money("I13_21") - v_.money("I13_22");
  v_.set_money("I13_23", m);
  return m;
}

Money Computation::FI13_24() {
  Money m = std::min({v_.money("I13_24T"), v_.money("I13_23"), k_.NMAXINSS});
  m = max0(m);
  v_.set_money("I13_24", m);
  return m;
}

Money Computation::FI13_26() {
  Money m = simplified() ? v_.money("I13_23") + v_.money("I13_25")
                         : max0(v_.money("I13_23") + v_.money("I13_25") - v_.money("I13_24"));
  v_.set_money("I13_26", m);
  return m;
}

Money Computation::deductions_without_foreign(Money income) const {
  Money pension = std::min(v_.money("I13_11T"), percent_of(income, 12));
  Money total = pension;
  for (const char* n : {"I13_09", "I13_10", "I13_12", "I13_13", "I13_14", "I13_15", "I13_16", "I13_17", "I13_18"})
    total += v_.money(n);
  return total;
}

Money Computation::FI13_32() {
  // Tax paid abroad counts up to what the income from abroad added to the tax: the tax
  // computed with it less the tax computed the same way without it. Both go through
  // the same steps (the table, the incentives, the domestic employer, the RRA tax), so
  // only the foreign income makes the difference.
  Money typed = v_.money("I13_32");
  if (simplified()) return typed;  // kept for the complete model, not counted here
  if ((v_.money("I13_49") + v_.money("I13_50")).is_zero()) {
    v_.set_money("I13_32", Money());
    return Money();
  }
  const Money with = v_.money("I13_26");
  const Money income = v_.money("I13_08") - v_.money("I13_49") - v_.money("I13_50");
  const Money tax = table_tax(max0(income - deductions_without_foreign(income)));
  const Money incentives = std::min(v_.money("I13_22"), percent_of(tax, 6));
  const Money domestic = max0(std::min({v_.money("I13_24T"), tax - incentives, k_.NMAXINSS}));
  const Money without = max0(tax - incentives + v_.money("I13_25") - domestic);
  const Money limit = with - without;
  if (limit <= Money()) {
    typed = Money();
  } else if (typed > limit) {
    notice({"O imposto pago no exterior não pode execeder a diferença"_cp.data(),
            "entre o imposto devido com esses rendimentos: " + shown(with), "e sem eles: " + shown(without),
            "Esse limite é de R$"_cp.data() + shown(limit) + ". O programa irá assumí-lo."_cp.data()});
    typed = limit;
  }
  v_.set_money("I13_32", typed);
  return typed;
}

Money Computation::FI13_35() {
  Money total;
  for (const char* n : {"I13_27", "I13_28", "I13_29", "I13_30", "I13_31", "I13_32", "I13_33", "I13_34"})
    if (!(simplified() && std::string(n) == "I13_32")) total += v_.money(n);
  v_.set_money("I13_35", total);
  return total;
}

Money Computation::FI13_3526() {
  Money balance = v_.money("I13_26") - v_.money("I13_35");
  v_.set_money("IMPPGRE", balance);
  v_.set_money("I13_36", max0(balance));
  v_.set_money("I13_38", max0(-balance));
  return balance;
}

void Computation::annual_lines() {
  CALC_LEAOTOTAL();
  CALC(6);
  core::Date april = *core::Date::from_ymd(2016, 4, 1);
  if (v_.integer("QTD_QUOTA") == 1 && !d_.today.is_empty() && d_.today > april) v_.set_text("DEBITAUT", " ");
  // Both models work out every line; each routine knows what its model takes (the
  // simplified one: the discount instead of the deductions, no incentives, no domestic
  // employer, no tax paid abroad).
  FI13_08();
  FI13_11();
  FI13_12();
  FI13_13();
  FI13_19();
  FI13_20();
  v_.set_money("I13_21", table_tax(v_.money("I13_20")));
  FI13_22();
  FI13_23();
  FI13_24();
  FI13_26();
  FI13_32();
  FI13_35();
  FI13_3526();
}

struct Computation::Both {
  ModelFigures complete, simple;
};

const ModelFigures& Computation::complete_figures() const {
  static const ModelFigures none{};
  return models_ ? models_->complete : none;
}

const ModelFigures& Computation::simplified_figures() const {
  static const ModelFigures none{};
  return models_ ? models_->simple : none;
}

void Computation::compare_models() {
  // The hints compare the finished figures of both models, never those of an earlier
  // computation. The declaration's own model is the one just computed.
  models_ = std::make_shared<Both>();
  ModelFigures own{v_.money("I13_20"), v_.money("I13_26"), v_.money("IMPPGRE")};
  // The other model runs on the declaration itself; what it changes (the variables and
  // the payments' non-deductible parts) is put back afterwards.
  Record vars = v_;
  std::vector<Money> parts;
  for (const auto& p : d_.payments) parts.push_back(p.money("I6_5"));
  const bool was_simplified = simplified();
  v_.set_text("USAPADRAO", was_simplified ? "N" : "S");
  annual_lines();
  ModelFigures other{v_.money("I13_20"), v_.money("I13_26"), v_.money("IMPPGRE")};
  v_ = std::move(vars);
  for (size_t i = 0; i < parts.size(); ++i) d_.payments[i].set_money("I6_5", parts[i]);
  models_->complete = was_simplified ? other : own;
  models_->simple = was_simplified ? own : other;
  const ModelFigures& complete = models_->complete;
  const ModelFigures& simple = models_->simple;
  const bool final_or_exit = v_.text("DECFINAL") == "S" || v_.text("DECSAIDA") == "S";
  const bool rural_allows =
      v_.text("TEMRURAL") != "S" || (v_.money("I4R_04").is_zero() && v_.money("I4R_07") >= Money());
  hint_simplified_ = !simplified() && simple.I13_26 < complete.I13_26 && !final_or_exit && rural_allows;
  hint_complete_ = simplified() && simple.I13_26 > complete.I13_26 && v_.money("I13_08") > Money();
}

bool Computation::CALC_RAA(Record& row, int mode) {
  if (row.text("TIPOCR") != "N") {
    row.set_money("I1_20", Money());
    return true;
  }
  const core::Decimal months = row.number("I1_21");
  if (months.is_zero()) {
    if (mode == 1) notice({"É necessário informar a quantidade de meses"_cp.data()});
    return mode != 1;
  }
  const int month = row.integer("I1_36");
  if (month < 1 || month > 12) {
    notice({"É necessário informar o mês do recebimento"_cp.data()});
    return false;
  }
  const Money net = row.money("I1_4") - row.money("I1_6") - row.money("I1_12");
  Money monthly_base = Money::from(*core::Decimal::divide(net.to_decimal(), months, 6));
  Money monthly = monthly_tax(monthly_base, month);
  row.set_money("I1_20", Money::from(monthly * months));
  return true;
}


}  // namespace vormel::tax
