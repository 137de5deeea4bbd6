// Whole declarations computed by hand: both models, the hints, the limits, the quotas,
// the balance and the simulator.
#include <gtest/gtest.h>

#include "core/cp850.h"
#include "tax/computation.h"
#include "tax/simulator.h"

namespace vormel::core {
void PrintTo(const Money& m, std::ostream* os) { *os << m.to_string(); }
}  // namespace vormel::core

namespace vormel::tax {
namespace {

Money M(const char* text) { return *Money::parse(text); }

// A declaration built line by line.
struct Builder {
  DeclarationData d;
  Builder() {
    // The rows handed out by reference stay where they are.
    d.income.reserve(32);
    d.payments.reserve(32);
    d.dependants.reserve(32);
    d.monthly.reserve(32);
    d.today = *core::Date::from_ymd(2016, 3, 15);
    d.vars.set_text("USAPADRAO", "N");
    d.vars.set_number("CAL_AUTO", 1);
  }
  Record& income(const char* kind, const char* amount, const char* withheld = "0", const char* inss = "0") {
    Record r;
    r.set_text("I1_1", kind);
    r.set_text("I1_11", std::string(kind) == "D" ? "N" : "S");
    r.set_money("I1_4", M(amount));
    r.set_money("I1_5", M(withheld));
    r.set_money("I1_6", M(inss));
    d.income.push_back(r);
    return d.income.back();
  }
  Record& payment(int code, const char* amount, int person = 0, const char* part = "0") {
    Record r;
    r.set_number("I6_3", code);
    r.set_money("I6_4", M(amount));
    r.set_money("I6_5", M(part));
    r.set_number("I6_6", person);
    d.payments.push_back(r);
    return d.payments.back();
  }
  void dependant(int code = 21) {
    Record r;
    r.set_number("CODIDEPEN", code);
    d.dependants.push_back(r);
  }
  Record& monthly(const std::string& cpf = "") {
    Record r;
    r.set_text("CPFDEPEN", cpf);
    d.monthly.push_back(r);
    return d.monthly.back();
  }
  Record& vars() { return d.vars; }
  // Computes as the batch does and returns the declaration's variables.
  Record& compute(bool simplified = false) {
    d.vars.set_text("USAPADRAO", simplified ? "S" : "N");
    Computation c(d);
    c.BALANCO();
    last_hint_simplified = c.simplified_is_better();
    last_hint_complete = c.complete_is_better();
    notices = c.notices();
    return d.vars;
  }
  bool last_hint_simplified = false, last_hint_complete = false;
  std::vector<std::vector<std::string>> notices;
};

TEST(Declaration, SalaryWithSocialSecurityADependantAndEducation) {
  Builder b;
  b.income("J", "60000", "0", "6000");
  b.dependant();
  b.payment(1, "4000");
  Record& complete = b.compute(false);
  EXPECT_EQ(complete.money("I13_08"), M("60000"));
  EXPECT_EQ(complete.money("I13_12"), M("2275.08"));
  EXPECT_EQ(complete.money("I13_13"), M("3561.50"));
  EXPECT_EQ(complete.money("I13_20"), M("48163.42"));
  EXPECT_EQ(complete.money("I13_26"), M("3302.74"));
  EXPECT_EQ(complete.money("DESPADRAO"), Money());
  EXPECT_TRUE(b.last_hint_simplified);  // the simplified model pays 3,265.98
  // Nothing withheld: all to pay, in the most quotas; the first quota takes the cents.
  EXPECT_EQ(complete.money("I13_36"), M("3302.74"));
  EXPECT_EQ(complete.integer("QTD_QUOTA"), 8);
  EXPECT_EQ(complete.money("I13_37"), M("412.84"));
  EXPECT_EQ(complete.money("QUOTA1"), M("412.86"));

  Record& simple = b.compute(true);
  EXPECT_EQ(simple.money("DESPADRAO"), M("12000"));
  EXPECT_EQ(simple.money("I13_20"), M("48000"));
  EXPECT_EQ(simple.money("I13_26"), M("3265.98"));
  EXPECT_FALSE(b.last_hint_complete);
}

TEST(Declaration, EveryDeductionWithItsLimitInBothModels) {
  Builder b;
  b.income("J", "100000", "15000", "5000");
  Record& rra = b.income("A", "10000", "500", "1000");
  rra.set_text("TIPOCR", "S");
  b.payment(10, "8000");    // medical
  b.payment(30, "6000");    // judicial alimony
  b.payment(36, "15000");   // private pension: limited to 12%
  Record& culture = b.payment(40, "2000");
  Record& children = b.payment(39, "500");
  b.payment(50, "1500", 0, "317.80");  // domestic employer
  Record& leao = b.monthly();
  leao.set_money("I2_101", M("3000"));
  leao.set_money("I2_501", M("100"));
  leao.set_money("I2_601", M("115"));
  b.vars().set("SO_REC", false);

  Record& c = b.compute(false);
  EXPECT_EQ(c.money("I13_08"), M("113000"));
  EXPECT_EQ(c.money("I13_09"), M("5000"));
  EXPECT_EQ(c.money("I13_10"), M("1000"));
  EXPECT_EQ(c.money("I13_11"), M("13560"));
  EXPECT_EQ(c.money("I13_14"), M("8000"));
  EXPECT_EQ(c.money("I13_15"), M("6000"));
  EXPECT_EQ(c.money("I13_19"), M("33560"));
  EXPECT_EQ(c.money("I13_20"), M("79440"));
  EXPECT_EQ(c.money("I13_21"), M("11543.30"));
  EXPECT_EQ(c.money("I13_22"), M("692.59"));  // 6% of the tax, all taken by code 40
  EXPECT_EQ(culture.money("I6_5"), M("1307.41"));
  EXPECT_EQ(children.money("I6_5"), M("500"));  // nothing left for the children's fund
  EXPECT_EQ(c.money("I13_23"), M("10850.71"));
  EXPECT_EQ(c.money("I13_24"), M("1182.20"));
  EXPECT_EQ(c.money("I13_26"), M("9668.51"));
  EXPECT_EQ(c.money("I13_27"), M("15500"));
  EXPECT_EQ(c.money("I13_29"), M("115"));  // the larger of paid and due
  EXPECT_EQ(c.money("I13_35"), M("15615"));
  EXPECT_EQ(c.money("IMPPGRE"), M("-5946.49"));
  EXPECT_EQ(c.money("I13_38"), M("5946.49"));
  EXPECT_EQ(c.integer("QTD_QUOTA"), 0);

  Record& s = b.compute(true);
  EXPECT_EQ(s.money("DESPADRAO"), M("16754.34"));
  EXPECT_EQ(s.money("I13_20"), M("96245.66"));
  EXPECT_EQ(s.money("I13_26"), M("16164.85"));
  EXPECT_EQ(s.money("I13_22"), Money());
  EXPECT_EQ(culture.money("I6_5"), M("2000"));  // no incentives in the simplified model
  EXPECT_EQ(s.money("IMPPGRE"), M("549.85"));
  EXPECT_TRUE(b.last_hint_complete);

  b.vars().set("SO_REC", true);  // only what was paid counts as carnê-leão
  EXPECT_EQ(b.compute(false).money("I13_29"), M("100"));
}

TEST(Declaration, IncomeReceivedCumulativelyTaxedApart) {
  Builder b;
  Record& rra = b.income("A", "60000", "0", "6000");
  rra.set_text("TIPOCR", "N");
  rra.set_number("I1_21", 20);
  rra.set_text("I1_36", "12");
  Computation(b.d).CALC_RAA(rra, 1);
  EXPECT_EQ(rra.money("I1_20"), M("1194.00"));  // 59.70 a month for 20 months
  Record& c = b.compute(false);
  EXPECT_EQ(c.money("I4_05"), M("54000"));
  EXPECT_EQ(c.money("I13_25"), M("1194.00"));
  EXPECT_EQ(c.money("I13_26"), M("1194.00"));
  EXPECT_EQ(c.money("I13_08"), Money());

  Record incomplete;
  incomplete.set_text("TIPOCR", "N");
  DeclarationData empty;
  Computation check(empty);
  EXPECT_FALSE(check.CALC_RAA(incomplete, 1));
  EXPECT_EQ(core::cp850::to_utf8(check.notices().at(0).at(0)), "É necessário informar a quantidade de meses");
}

TEST(Declaration, TaxPaidAbroadCountsUpToWhatTheForeignIncomeAdded) {
  Builder b;
  b.income("J", "50000");
  b.monthly().set_money("I2_201", M("20000"));  // income from abroad in January
  b.vars().set_money("I13_32", M("6000"));
  Record& c = b.compute(false);
  EXPECT_EQ(c.money("I13_49"), M("20000"));
  EXPECT_EQ(c.money("I13_26"), M("8947.30"));
  EXPECT_EQ(c.money("I13_32"), M("5231.32"));  // 8,947.30 with it, 3,715.98 without
  ASSERT_EQ(b.notices.size(), 1u);
  EXPECT_EQ(core::cp850::to_utf8(b.notices[0][0]), "O imposto pago no exterior não pode execeder a diferença");
  b.vars().set_money("I13_32", M("1000"));
  EXPECT_EQ(b.compute(false).money("I13_32"), M("1000"));
  b.d.monthly.clear();  // no foreign income: the field holds nothing
  EXPECT_EQ(b.compute(false).money("I13_32"), Money());
}

TEST(Declaration, FinalAndExitDeclarationsUseThePartialYearTable) {
  Builder b;
  b.income("J", "30000");
  b.vars().set_text("DECFINAL", "S");
  b.vars().set("DATAPARTI", *core::Date::from_ymd(2015, 6, 15));
  EXPECT_EQ(b.compute(false).money("I13_21"), M("3163.47"));

  b.vars().set("DATAPARTI", core::Date());
  b.compute(false);  // no date: the whole year, with the notice
  EXPECT_EQ(b.vars().money("I13_21"), M("562.57"));
  ASSERT_FALSE(b.notices.empty());
  EXPECT_EQ(core::cp850::to_utf8(b.notices[0][0]), "Na declaração final o cálculo do Imposto");

  Builder exit;
  exit.income("J", "30000");
  exit.vars().set_text("DECSAIDA", "S");
  exit.vars().set("DATASAIDA", *core::Date::from_ymd(2015, 9, 30));
  exit.vars().set("DATADECIS", *core::Date::from_ymd(2015, 4, 1));
  // Resident April to September: six months of the April table.
  // Bounds 6 × (1,903.99 / 2,826.66 / 3,751.06 / 4,664.68), 30,000 in the top bracket:
  // 8,250.00 − 6 × 869.36 = 3,033.84.
  EXPECT_EQ(exit.compute(false).money("I13_21"), M("3033.84"));
  exit.vars().set("DATADECIS", *core::Date::from_ymd(2012, 4, 1));  // arrived years ago
  // January to September then: 30,000 × 15% − (3 × 335.03 + 6 × 354.80) = 1,366.11.
  EXPECT_EQ(exit.compute(false).money("I13_21"), M("1366.11"));
}

TEST(Declaration, EducationIsLimitedPerPerson) {
  struct Case {
    int first, second;
    const char* total;
  } cases[] = {{1, 1, "3561.50"}, {1, 2, "6000"}, {0, 0, "3561.50"}, {0, 5, "3000"}};
  for (const auto& c : cases) {
    Builder b;
    b.income("J", "100000");
    b.dependant();
    b.dependant();
    b.payment(1, "3000", c.first);
    b.payment(2, "3000", c.second);
    EXPECT_EQ(b.compute(false).money("I13_13"), M(c.total)) << c.first << " " << c.second;
  }
}

TEST(Declaration, EachHealthProgrammeHasItsOwnOnePercent) {
  Builder b;
  b.income("J", "100000");
  Record& pronon = b.payment(45, "5000");
  Record& pronas = b.payment(46, "5000");
  Record& c = b.compute(false);
  const Money one = percent_of(c.money("I13_21"), 1);
  EXPECT_EQ(pronon.money("I6_4") - pronon.money("I6_5"), one);
  EXPECT_EQ(pronas.money("I6_4") - pronas.money("I6_5"), one);
  EXPECT_EQ(c.money("I13_22"), one + one);
}

TEST(Quotas, SplitAndTheirLimits) {
  struct Case {
    const char* tax;
    int chosen, quotas;
    const char *each, *first;
  } cases[] = {
      {"99.99", 0, 1, "99.99", "99.99"},   {"100.00", 0, 2, "50.00", "50.00"}, {"100.01", 2, 2, "50.00", "50.01"},
      {"1000.00", 9, 8, "125.00", "125.00"}, {"1000.00", 3, 3, "333.33", "333.34"}, {"1602.18", 0, 8, "200.27", "200.29"},
      {"0", 4, 0, "0", "0"},
  };
  for (const auto& c : cases) {
    DeclarationData d;
    d.vars.set_money("I13_36", M(c.tax));
    d.vars.set_number("QTD_QUOTA", c.chosen);
    Computation(d).FQTD_QUOTA();
    EXPECT_EQ(d.vars.integer("QTD_QUOTA"), c.quotas) << c.tax;
    EXPECT_EQ(d.vars.money("I13_37"), M(c.each)) << c.tax;
    EXPECT_EQ(d.vars.money("QUOTA1"), M(c.first)) << c.tax;
  }
  DeclarationData final;
  final.vars.set_money("I13_36", M("1000"));
  final.vars.set_number("QTD_QUOTA", 3);
  final.vars.set_text("DECFINAL", "S");
  final.vars.set_text("DECJUDI", "S");
  final.vars.set("DATAPARTI", *core::Date::from_ymd(2015, 8, 1));
  Computation c(final);
  c.FQTD_QUOTA();
  EXPECT_EQ(final.vars.integer("QTD_QUOTA"), 1);
  EXPECT_EQ(core::cp850::to_utf8(c.notices().at(0).at(1)), "parcelamento em declaração final");
}

TEST(Balance, CashIndexAndItsBounds) {
  struct Case {
    const char *income, *expenses, *index;
  } cases[] = {{"0", "0", "0"}, {"100000", "20000", "80.00"}, {"1000", "16000", "-99.99"}};
  for (const auto& c : cases) {
    DeclarationData d;
    d.vars.set_text("USAPADRAO", "N");
    d.vars.set_money("I13_08", M(c.income));
    d.vars.set_money("OUTRDES", M(c.expenses));
    Computation(d).VE_SALDO();
    EXPECT_EQ(d.vars.number("INDGAS"), *core::Decimal::parse(c.index)) << c.income;
    EXPECT_EQ(d.vars.money("SALDO"), M(c.income) - M(c.expenses));
  }
  DeclarationData big;
  big.vars.set_text("USAPADRAO", "N");
  big.vars.set_money("I13_08", M("1000"));
  big.vars.set_money("OUTREC", M("-1000"));   // receipts 0
  big.vars.set_money("OUTRDES", M("-15000"));  // a typed negative expense: index 1,500%
  big.vars.set_money("OUTREC", M("0"));
  Computation(big).VE_SALDO();
  EXPECT_EQ(big.vars.number("INDGAS"), core::Decimal(999));
}

TEST(Balance, UpkeepAndSmallGoodsLossesFromTheirLists) {
  DeclarationData d;
  for (const char* v : {"100", "50.50"}) {
    Record r;
    r.set_money("VALODESP", M(v));
    d.upkeep.push_back(r);
  }
  Record loss;
  loss.set_money("PREJUIZO", M("300"));
  d.losses.push_back(loss);
  Computation c(d);
  EXPECT_EQ(c.TOTALDESP(), M("1806"));
  EXPECT_EQ(c.FCALPOUPA(), M("300"));
}

TEST(Simulator, InverseCalculations) {
  Record v;
  Inverse s = inverse_simplified(v, M("8127.07"));
  ASSERT_TRUE(s.income);
  EXPECT_EQ(*s.income, M("83771.69"));
  EXPECT_EQ(simplified_tax_of_income(M("83771.70")), M("8127.07"));
  // Below the cap: the income whose simplified tax is the one asked.
  Inverse low = inverse_simplified(v, M("3265.98"));
  ASSERT_TRUE(low.income);
  EXPECT_EQ(simplified_tax_of_income(*low.income), M("3265.98"));

  Record complete;
  complete.set_money("I13_19", M("10000"));
  Inverse c = inverse_complete(complete, M("1801.74"));
  ASSERT_TRUE(c.income);
  EXPECT_EQ(*c.income, M("50000"));  // 40,000 of base pays 1,801.74
  complete.set_money("I13_35", M("100"));
  Inverse refused = inverse_complete(complete, M("-200"));
  EXPECT_FALSE(refused.income);
  EXPECT_EQ(core::cp850::to_utf8(refused.refusal).rfind("O valor máximo da restituição de imposto é R$", 0), 0u);

  Record computed;
  computed.set_money("I13_20", M("48163.42"));
  EXPECT_EQ(simulate_new_deduction(computed, M("163.42")), M("3265.98"));
}

}  // namespace
}  // namespace vormel::tax
