// The batch recomputation: a work folder built here, `vormel calcula` on it, its lines.
#include <gtest/gtest.h>

#include "core/text.h"
#include "harness.h"
#include "storage/database.h"

namespace {

using vormel::core::Decimal;
using vormel::storage::Database;
using vormel::storage::QuietReporter;

Decimal D(const char* text) { return *Decimal::parse(text); }

// Two clients: a complete declaration with a dependant and education, and a simplified
// one with tax withheld.
void build_folder(const std::string& folder) {
  QuietReporter reporter;
  Database db(reporter, {folder, folder, "00"});
  for (int n : {9, 1, 2, 3, 6}) ASSERT_TRUE(db.ABERTURA(n, true));
  auto add = [&](int area, std::initializer_list<std::pair<const char*, vormel::core::Value>> fields) {
    db.select(area);
    ASSERT_TRUE(db.ADD_REC(1));
    for (const auto& [name, value] : fields) db.area(area).set(name, value);
  };
  add(9, {{"CPF", std::string("11144477735")}, {"NOMECONTR", std::string("ANA")}, {"USAPADRAO", std::string("N")}});
  add(2, {{"CPF", std::string("11144477735")}, {"I1_1", std::string("J")}, {"I1_11", std::string("S")},
          {"I1_4", D("60000")}, {"I1_6", D("6000")}});
  add(3, {{"CPF", std::string("11144477735")}, {"CODIDEPEN", D("21")}, {"NOMEDEPEN", std::string("BIA")}});
  add(6, {{"CPF", std::string("11144477735")}, {"I6_3", D("1")}, {"I6_4", D("4000")}});
  add(9, {{"CPF", std::string("00000000191")}, {"NOMECONTR", std::string("CAIO")}, {"USAPADRAO", std::string("S")}});
  add(2, {{"CPF", std::string("00000000191")}, {"I1_1", std::string("J")}, {"I1_11", std::string("S")},
          {"I1_4", D("30000")}, {"I1_5", D("500")}});
}

std::string expected_simplified() {
  std::string line = "CPF=00000000191 USAPADRAO=S";
  const char* values[39] = {nullptr,   "30000.00", "0.00", "0.00", "0.00",   "0.00", "0.00", "0.00", "30000.00",
                            "0.00",     "0.00",     "0.00", "0.00", "0.00",   "0.00", "0.00", "0.00", "0.00",
                            "0.00",     "0.00",     "24000.00", "112.57", "0.00", "112.57", "0.00", "0.00",
                            "112.57",   "500.00",   "0.00", "0.00", "0.00",   "0.00", "0.00", "0.00", "0.00",
                            "500.00",   "0.00",     "0.00", "387.43"};
  for (int n = 1; n <= 38; ++n)
    line += " I13_" + vormel::core::pad_left(std::to_string(n), 2, '0') + "=" + values[n];
  return line +
         " IMPPGRE=-387.43 DESPADRAO=6000.00 QTD_QUOTA=0 COMPLETO_I13_20=30000.00 COMPLETO_I13_26=562.57"
         " COMPLETO_IMPPGRE=62.57 SIMPLES_I13_20=24000.00 SIMPLES_I13_26=112.57 SIMPLES_IMPPGRE=-387.43";
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t at; (at = text.find('\n', start)) != std::string::npos; start = at + 1)
    out.push_back(text.substr(start, at - start));
  return out;
}

TEST(Calcula, PrintsTheFiguresOfEveryDeclarationOfTheFolder) {
  const std::string folder = scenario::fresh_dir("calcula").string() + "/";
  build_folder(folder);
  std::string out;
  ASSERT_EQ(scenario::run_command({VORMEL_BIN, "calcula", "--pasta", folder}, &out), 0) << out;
  auto lines = lines_of(out);
  ASSERT_EQ(lines.size(), 2u) << out;
  EXPECT_EQ(lines[0], expected_simplified());
  const std::string& complete = lines[1];
  for (const char* part : {"CPF=11144477735 USAPADRAO=N ", " I13_08=60000.00 ", " I13_12=2275.08 ",
                           " I13_13=3561.50 ", " I13_20=48163.42 ", " I13_26=3302.74 ", " I13_36=3302.74 ",
                           " I13_37=412.84 ", " QTD_QUOTA=8 ", " DESPADRAO=0.00 ", " COMPLETO_I13_26=3302.74 ",
                           " SIMPLES_I13_20=48000.00 ", " SIMPLES_I13_26=3265.98 "})
    EXPECT_NE(complete.find(part), std::string::npos) << part << "\n" << complete;
}

TEST(Calcula, OneCpfStoredAndAnUnknownOneReported) {
  const std::string folder = scenario::fresh_dir("calcula-grava").string() + "/";
  build_folder(folder);
  std::string out;
  int status = scenario::run_command(
      {VORMEL_BIN, "calcula", "--pasta", folder, "--cpf", "000.000.001-91", "--cpf", "99999999999", "--grava"}, &out);
  EXPECT_EQ(status, 1);  // the unknown CPF
  EXPECT_EQ(lines_of(out), std::vector<std::string>{expected_simplified()});

  QuietReporter reporter;
  Database db(reporter, {folder, folder, "00"});
  ASSERT_TRUE(db.ABERTURA(9));
  ASSERT_TRUE(db.area(9).seek(std::string("00000000191")));
  EXPECT_EQ(db.area(9).number("IMPPGRE"), D("-387.43"));
  EXPECT_EQ(db.area(9).number("I13_27"), D("500.00"));
  ASSERT_TRUE(db.ABERTURA(1));
  ASSERT_TRUE(db.area(1).seek(std::string("00000000191")));  // the summary row was added
  EXPECT_EQ(db.area(1).number("I13_38"), D("387.43"));
  EXPECT_EQ(db.area(1).number("DESPADRAO"), D("6000.00"));
  EXPECT_FALSE(db.area(1).seek(std::string("11144477735")));  // not asked for: untouched
}

TEST(Calcula, AFolderWithoutDeclarationsIsAnError) {
  std::string out;
  EXPECT_EQ(scenario::run_command({VORMEL_BIN, "calcula", "--pasta", "/nonexistent/folder"}, &out), 1);
  EXPECT_EQ(scenario::run_command({VORMEL_BIN, "calcula", "--pasta", scenario::fresh_dir("empty").string()}, &out), 1);
  EXPECT_EQ(scenario::run_command({VORMEL_BIN, "calcula", "--bogus"}, &out), 2);
  EXPECT_TRUE(out.empty());
}

}  // namespace
