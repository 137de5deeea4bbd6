#include "core/check_digits.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace vormel::core {
namespace {

struct Case {
  std::string_view number;
  bool valid;
};

TEST(CheckDigits, Cpf) {
  EXPECT_EQ(cpf_check_digits("111444777"), "35");
  EXPECT_EQ(cpf_check_digits("100000001"), "08");  // first sum leaves 10: it becomes 0
  EXPECT_EQ(cpf_check_digits("11144477"), "");
  EXPECT_EQ(cpf_check_digits("11144477a"), "");
  const Case cases[] = {
      {"11144477735", true},  {"52998224725", true}, {"10000000108", true},
      {"11111111111", true},  {"00000000000", true},  // repeated digits pass the rule
      {"11144477736", false}, {"1114447773", false},  {"111444777355", false},
      {"111.444.777-35", false}, {"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(is_valid_cpf(c.number), c.valid);
  }
}

// The sums S1/S2 must give the digits of the tax authority's own rule (weights 10..2,
// then 11..2 over the base and the first digit).
TEST(CheckDigits, CpfAgreesWithTheAuthorityRule) {
  auto official = [](const char* base) {
    auto dv = [](int sum) { return sum % 11 < 2 ? 0 : 11 - sum % 11; };
    int s = 0;
    for (int i = 0; i < 9; ++i) s += (base[i] - '0') * (10 - i);
    int first = dv(s);
    s = 2 * first;
    for (int i = 0; i < 9; ++i) s += (base[i] - '0') * (11 - i);
    return std::string{static_cast<char>('0' + first), static_cast<char>('0' + dv(s))};
  };
  char base[16];
  for (long n = 0; n < 1'000'000'000; n += 99'991) {
    std::snprintf(base, sizeof base, "%09ld", n);
    ASSERT_EQ(cpf_check_digits(base), official(base)) << base;
  }
}

TEST(CheckDigits, Cnpj) {
  EXPECT_EQ(cnpj_check_digits("112223330001"), "81");
  EXPECT_EQ(cnpj_check_digits("100000000003"), "07");  // remainder 0 gives 0
  EXPECT_EQ(cnpj_check_digits("11222333000"), "");
  const Case cases[] = {
      {"11222333000181", true},  {"19091798000152", true}, {"10000000000307", true},
      {"11222333000182", false}, {"11222333000180", false}, {"1122233300018", false},
      {"11.222.333/0001-81", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(is_valid_cnpj(c.number), c.valid);
  }
}

TEST(CheckDigits, Nit) {
  EXPECT_EQ(nit_check_digit("1234567890"), "0");
  EXPECT_EQ(nit_check_digit("1000000013"), "0");  // remainder 1 gives 0
  EXPECT_EQ(nit_check_digit("1111111111"), "6");
  const Case cases[] = {
      {"12345678900", true},  {"11111111116", true},  {"11144477730", true},
      {"12345678901", false}, {"11144477735", false}, {"1234567890", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(is_valid_nit(c.number), c.valid);
  }
}

TEST(CheckDigits, Modulo11) {
  struct M {
    std::string_view digits, check;
  };
  const M cases[] = {
      {"1234567890", "9"}, {"12345678909", "1"}, {"1", "9"}, {"12", "4"},
      {"6", "0"},   // 11 − 1 = 10 becomes 0
      {"0", "0"},   // 11 − 0 = 11 becomes 0
      {"", ""},     {"12a", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.digits);
    EXPECT_EQ(MODULO_11(c.digits), c.check);
  }
}

TEST(CheckDigits, Receipt) {
  EXPECT_EQ(receipt_check_digits("1234567890"), "91");
  EXPECT_EQ(receipt_check_digits("123456789"), "");
  const Case cases[] = {
      {"123456789091", true}, {"123456789092", false}, {"12345678909", false},
      {"1234567890  ", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(is_valid_receipt(c.number), c.valid);
  }
}

}  // namespace
}  // namespace vormel::core
