#include "tax/year_constants.h"

#include <cstdint>

#include "core/picture.h"
#include "core/text.h"

namespace vormel::tax {
namespace {

// Amounts written in cents with the cents as the last group: 1'787'78 is 1,787.78.
constexpr Money cents(int64_t n) { return Money::from_units(n); }
Decimal per_mille(int64_t n) { return Decimal::from_units(n, 3); }
Decimal rate4(int64_t n) { return Decimal::from_units(n, 4); }

// The legal sources, as listed.
constexpr const char* kAnnualTable =
    "Lei 11.482/2007, art. 1, par. unico (soma das tabelas mensais de 2015)";
constexpr const char* kMonthlyTables =
    "Lei 11.482/2007, art. 1, VIII (jan-mar, tabela de 2014) e IX (abr-dez, Lei 13.149/2015)";
constexpr const char* kDependantYear = "Lei 9.250/1995, art. 8, II, c (Lei 13.149/2015)";
constexpr const char* kDependantMonth = "Lei 9.250/1995, art. 4, III (Lei 13.149/2015)";
constexpr const char* kEducation = "Lei 9.250/1995, art. 8, II, b (Lei 13.149/2015)";
constexpr const char* kRetirement65 = "Lei 7.713/1988, art. 6, XV (Lei 13.149/2015)";
constexpr const char* kSimplified = "Lei 9.250/1995, art. 10 (Lei 13.149/2015)";
constexpr const char* kDomesticInss = "Lei 9.250/1995, art. 12, VII (Lei 11.324/2006)";
constexpr const char* kDollar = "Lei 9.250/1995, art. 6 (cotacao de compra do Banco Central)";
constexpr const char* kRates = "Lei 11.482/2007, art. 1";
constexpr const char* kPension = "Lei 9.532/1997, art. 11";
constexpr const char* kIncentives = "Lei 9.532/1997, art. 22";
constexpr const char* kChildrenFund = "Lei 8.069/1990, art. 260-A";
constexpr const char* kHealthProgrammes = "Lei 12.715/2012 (Pronon e Pronas/PCD)";
constexpr const char* kFifa = "Lei 12.350/2010";

YearConstants make_2015() {
  YearConstants y;
  y.base_year = 2015;

  y.NBASEAN1 = cents(22'499'13);
  y.NBASEAN2 = cents(33'477'72);
  y.NBASEAN3 = cents(44'476'74);
  y.NBASEAN4 = cents(55'373'55);
  y.NDEDUAN1 = cents(1'687'43);
  y.NDEDUAN2 = cents(4'198'26);
  y.NDEDUAN3 = cents(7'534'02);
  y.NDEDUAN4 = cents(10'302'70);

  y.NBASEME1 = {cents(1'787'78), cents(1'903'99)};
  y.NBASEME2 = {cents(2'679'30), cents(2'826'66)};
  y.NBASEME3 = {cents(3'572'44), cents(3'751'06)};
  y.NBASEME4 = {cents(4'463'81), cents(4'664'68)};
  y.NDEDUME1 = {cents(134'08), cents(142'80)};
  y.NDEDUME2 = {cents(335'03), cents(354'80)};
  y.NDEDUME3 = {cents(602'96), cents(636'13)};
  y.NDEDUME4 = {cents(826'15), cents(869'36)};

  y.NVALDEPANO = cents(2'275'08);
  y.NVALDEPEN = {cents(179'71), cents(189'59)};
  y.NVALESCOL = cents(3'561'50);
  y.NVALAPOSE = {cents(1'787'77), cents(1'903'98)};
  y.NVALAPOSA = cents(24'403'11);
  y.NDESCPRAD = cents(16'754'34);
  y.NMAXINSS = cents(1'182'20);
  y.TAB_DOLAR = {rate4(26623), rate4(28782), rate4(32080), rate4(29936),
                 rate4(31788), rate4(31026), rate4(33940), rate4(36467),
                 rate4(39729), rate4(39328), rate4(38506), rate4(39048)};

  y.bracket_rates = {per_mille(75), per_mille(150), per_mille(225), per_mille(275)};
  y.simplified_discount_rate = per_mille(200);
  y.private_pension_rate = per_mille(120);
  y.incentive_rate = per_mille(60);
  y.children_fund_rate = per_mille(30);
  y.health_programme_rate = per_mille(10);
  y.fifa_exempt_limit = cents(43'440'00);
  return y;
}

std::string shown(const Decimal& d, const char* picture) {
  return core::trim(core::TRANSFORM(core::Value{d}, picture));
}
std::string shown(Money m) { return shown(m.to_decimal(), "@E 999,999,999.99"); }
std::string shown(const MonthlyPair& p) { return shown(p[0]) + " / " + shown(p[1]); }

// "7,5%": the rate in percent with no trailing zeros.
std::string shown_percent(const Decimal& rate) {
  std::string text = (rate * Decimal(100)).to_string();
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  for (char& c : text)
    if (c == '.') c = ',';
  return text + "%";
}

}  // namespace

const YearConstants& base_year_2015() {
  static const YearConstants year = make_2015();
  return year;
}

std::vector<NamedConstant> constant_listing(const YearConstants& y) {
  std::vector<NamedConstant> list = {
      {"NBASEAN1", shown(y.NBASEAN1), kAnnualTable},
      {"NBASEAN2", shown(y.NBASEAN2), kAnnualTable},
      {"NBASEAN3", shown(y.NBASEAN3), kAnnualTable},
      {"NBASEAN4", shown(y.NBASEAN4), kAnnualTable},
      {"NDEDUAN1", shown(y.NDEDUAN1), kAnnualTable},
      {"NDEDUAN2", shown(y.NDEDUAN2), kAnnualTable},
      {"NDEDUAN3", shown(y.NDEDUAN3), kAnnualTable},
      {"NDEDUAN4", shown(y.NDEDUAN4), kAnnualTable},
      {"NBASEME1", shown(y.NBASEME1), kMonthlyTables},
      {"NBASEME2", shown(y.NBASEME2), kMonthlyTables},
      {"NBASEME3", shown(y.NBASEME3), kMonthlyTables},
      {"NBASEME4", shown(y.NBASEME4), kMonthlyTables},
      {"NDEDUME1", shown(y.NDEDUME1), kMonthlyTables},
      {"NDEDUME2", shown(y.NDEDUME2), kMonthlyTables},
      {"NDEDUME3", shown(y.NDEDUME3), kMonthlyTables},
      {"NDEDUME4", shown(y.NDEDUME4), kMonthlyTables},
      {"NVALDEPANO", shown(y.NVALDEPANO), kDependantYear},
      {"NVALDEPEN", shown(y.NVALDEPEN), kDependantMonth},
      {"NVALESCOL", shown(y.NVALESCOL), kEducation},
      {"NVALAPOSE", shown(y.NVALAPOSE), kRetirement65},
      {"NVALAPOSA", shown(y.NVALAPOSA), kRetirement65},
      {"NDESCPRAD", shown(y.NDESCPRAD), kSimplified},
      {"NMAXINSS", shown(y.NMAXINSS), kDomesticInss},
  };
  for (size_t m = 0; m < y.TAB_DOLAR.size(); ++m)
    list.push_back({"TAB_DOLAR[" + std::to_string(m + 1) + "]", shown(y.TAB_DOLAR[m], "@E 9.9999"),
                    kDollar});
  for (size_t k = 0; k < y.bracket_rates.size(); ++k)
    list.push_back({"bracket_rates[" + std::to_string(k + 1) + "]", shown_percent(y.bracket_rates[k]),
                    kRates});
  list.push_back({"simplified_discount_rate", shown_percent(y.simplified_discount_rate), kSimplified});
  list.push_back({"private_pension_rate", shown_percent(y.private_pension_rate), kPension});
  list.push_back({"incentive_rate", shown_percent(y.incentive_rate), kIncentives});
  list.push_back({"children_fund_rate", shown_percent(y.children_fund_rate), kChildrenFund});
  list.push_back({"health_programme_rate", shown_percent(y.health_programme_rate), kHealthProgrammes});
  list.push_back({"fifa_exempt_limit", shown(y.fifa_exempt_limit), kFifa});
  return list;
}

}  // namespace vormel::tax
