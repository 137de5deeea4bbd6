// The limits applied while rows are typed.
#include <gtest/gtest.h>

#include "core/cp850.h"
#include "tax/row_limits.h"

namespace vormel::tax {
namespace {

Money M(const char* text) { return *Money::parse(text); }

// Answers every question with `yes` and keeps what was said, in UTF-8.
struct Talk {
  bool yes = true;
  std::vector<std::string> told, asked;
  Dialogue dialogue() {
    return {[this](const std::vector<std::string>& l) { told.push_back(join(l)); },
            [this](const std::vector<std::string>& l) {
              asked.push_back(join(l));
              return yes;
            }};
  }
  static std::string join(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) out += core::cp850::to_utf8(l) + "|";
    return out;
  }
};

DeclarationData retired(int year, int month, const char* code = "61") {
  DeclarationData d;
  d.vars.set("NASCIMENTO", *core::Date::from_ymd(year, month, 10));
  d.vars.set_text("CODAT", code);
  Record row;
  row.set_text("I1_1", "J");
  row.set_money("I1_4", M("10000"));
  d.income.push_back(row);
  return d;
}

TEST(RowLimits, ExemptRetirementPortionFromAge65) {
  struct Case {
    int year, month;
    const char *typed, *kept, *taxable;
  } cases[] = {
      {1940, 5, "20000", "20000", "10000"},       // within 24,403.11
      {1940, 5, "30000", "24403.11", "15596.89"},  // the excess moved to the taxable income
      {1950, 3, "25000", "20827.57", "14172.43"},  // 65 in March: 1,787.77 + 10 × 1,903.98
      {1950, 12, "1000", "1000", "10000"},         // 65 on the last month still counts
      {1951, 1, "1000", "0", "10000"},             // under 65
  };
  for (const auto& c : cases) {
    DeclarationData d = retired(c.year, c.month);
    Talk talk;
    EXPECT_EQ(LIMIT3(M(c.typed), d, 0, talk.dialogue()), M(c.kept)) << c.year << "/" << c.month << " " << c.typed;
    EXPECT_EQ(d.income[0].money("I1_4"), M(c.taxable)) << c.year;
  }
  DeclarationData march = retired(1950, 3);
  Talk talk;
  LIMIT3(M("25000"), march, 0, talk.dialogue());
  ASSERT_EQ(talk.asked.size(), 1u);
  EXPECT_EQ(talk.asked[0],
            "O limite para esse ano é de R$ 20.827,57 e o excedente|de R$ 4.172,43 deve ser somado ao rendimento "
            "tributável|Deseja que o programa faça isso?|Obs. O limite é menor pois o contribuinte fez 65 anos no mês 3|");

  DeclarationData young = retired(1960, 1);
  Talk refused;
  LIMIT3(M("1000"), young, 0, refused.dialogue());
  EXPECT_EQ(refused.told.at(0), "O contribuinte tem menos de 65 anos|e não pode usar desse benefício!|");

  DeclarationData wrong_code = retired(1940, 1, "11");
  Talk no;
  no.yes = false;
  EXPECT_EQ(LIMIT3(M("1000"), wrong_code, 0, no.dialogue()), Money());
}

TEST(RowLimits, FifaBenefitsAcrossTheRowsOfTheSameKind) {
  DeclarationData d;
  for (const char* amount : {"40000", "0"}) {
    Record row;
    row.set_text("I1_1", "J");
    row.set_money("I1_25", M(amount));
    d.income.push_back(row);
  }
  Talk talk;
  // 40,000 + 5,000 is 1,560.00 over the limit: that goes to the taxable income.
  EXPECT_EQ(LIMITFIFA(M("5000"), d, 1, talk.dialogue()), M("3440"));
  EXPECT_EQ(d.income[1].money("I1_4"), M("1560"));
  EXPECT_EQ(talk.asked.at(0).rfind("O limite isento para esse Benefício é de R$ 43.440,00 e o excedente|de R$ 1.560,00", 0), 0u);
  EXPECT_EQ(LIMITFIFA(M("3000"), d, 1, talk.dialogue()), M("3000"));
}

TEST(RowLimits, PaymentParts) {
  struct Case {
    int code;
    const char *amount, *part;
  } cases[] = {{1, "5000", "1438.50"}, {3, "3000", "0"}, {50, "1500", "317.80"}, {10, "9000", "0"}};
  for (const auto& c : cases) {
    Record p;
    p.set_number("I6_3", c.code);
    p.set_money("I6_4", M(c.amount));
    Talk talk;
    FDOAPAG(p, Record(), talk.dialogue());
    EXPECT_EQ(p.money("I6_5"), M(c.part)) << c.code;
  }
  Record medical;
  medical.set_number("I6_3", 10);
  medical.set_money("I6_4", M("100"));
  Talk talk;
  EXPECT_EQ(FCONFNDEDU(medical, M("40"), talk.dialogue()), M("40"));
  EXPECT_EQ(FCONFNDEDU(medical, M("140"), talk.dialogue()), Money());
  Record rent = medical;
  rent.set_number("I6_3", 70);
  EXPECT_EQ(FCONFNDEDU(rent, M("10"), talk.dialogue()), Money());
  EXPECT_EQ(talk.told.size(), 2u);

  Record school;
  school.set_number("I6_3", 1);
  for (int m = 1; m <= 12; ++m) school.set_money("I6_4" + std::string(m < 10 ? "0" : "") + std::to_string(m), M("400"));
  FI7_13(school);
  EXPECT_EQ(school.money("I6_4"), M("4800"));
  EXPECT_EQ(school.money("I6_5"), M("1238.50"));
}

}  // namespace
}  // namespace vormel::tax
