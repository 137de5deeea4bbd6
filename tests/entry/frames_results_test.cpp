#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/cp850.h"
#include "frame_golden.h"
#include "entry/screen_frames.h"

namespace vormel::entry {
namespace {

core::Record vars(std::initializer_list<std::pair<const char*, const char*>> texts, int kind = 0) {
  core::Record r;
  for (const auto& [name, value] : texts) r.set_text(name, value);
  if (kind) r.set_number("TIPO_BEM", core::Decimal(kind));
  return r;
}

std::string row_text(const Frame& f, int row) { return core::cp850::to_utf8(f.rows().at(row)); }

struct Golden {
  const char* name;
  std::function<Frame()> build;
};

const std::vector<Golden>& goldens() {
  static const std::vector<Golden> cases = {
      {"results_screen07_simplified", [] { return calculation_frame(vars({{"USAPADRAO", "S"}})); }},
      {"results_screen07_complete", [] { return calculation_frame(vars({{"USAPADRAO", "N"}})); }},
      {"results_screen08_property", [] { return capital_gain_frame(81, vars({}, 1)); }},
      {"results_screen08_movable", [] { return capital_gain_frame(82, vars({}, 2)); }},
      {"results_screen08_holding", [] { return capital_gain_frame(83, vars({}, 3)); }},
      {"results_screen08_property_nonresident", [] { return capital_gain_frame(81, vars({{"DECSAIDA", "S"}}, 1)); }},
      {"results_screen08_holding_dependant", [] { return capital_gain_frame(86, vars({}, 3)); }},
      {"results_screen10", [] { return balance_frame(vars({})); }},
      {"results_screen10_final_estate", [] { return balance_frame(vars({{"DECFINAL", "S"}})); }},
      {"results_simulator", [] { return simulator_frame(); }},
      {"results_converter_r05c40", [] { return dollar_converter_frame(5, 40); }},
      {"results_converter_r20c10", [] { return dollar_converter_frame(20, 10); }},
      {"results_gain_summary", [] { return capital_gain_summary_frame(); }},
  };
  return cases;
}

TEST(ResultsFrames, MatchTheirReviewedCopies) {
  for (const Golden& g : goldens()) {
    SCOPED_TRACE(g.name);
    const Frame f = g.build();
    EXPECT_EQ(f.overflow(), 0);
    frame_golden::expect_matches(g.name, f);
  }
}

// The cells where the forms put their fields stay blank in the frames.
TEST(ResultsFrames, FieldsFallOnBlankCells) {
  struct Field {
    const char* what;
    std::function<Frame()> build;
    int row, col, length;
  };
  const auto simple = [] { return calculation_frame(vars({{"USAPADRAO", "S"}})); };
  const auto complete = [] { return calculation_frame(vars({{"USAPADRAO", "N"}})); };
  const auto balance = [] { return balance_frame(vars({})); };
  std::vector<Field> fields = {
      {"simplified I13_31", simple, 16, 49, 14},   {"simplified I13_33", simple, 17, 49, 14},
      {"simplified quotas", simple, 21, 24, 1},    {"simplified NSIMPOSTO", simple, 3, 66, 11},
      {"simplified switch", simple, 22, 76, 1},    {"complete I13_31", complete, 13, 65, 14},
      {"complete I13_32", complete, 14, 65, 14},   {"complete I13_33", complete, 15, 65, 14},
      {"complete quotas", complete, 19, 44, 1},    {"complete simulator", complete, 22, 11, 1},
      {"complete switch", complete, 22, 76, 1},    {"balance SO_SIMPLES", balance, 3, 60, 1},
      {"balance OUTREC", balance, 13, 25, 14},     {"balance SOMAG", balance, 14, 22, 1},
      {"balance IMPOANTER", balance, 2, 64, 14},   {"balance DESPNAO", balance, 5, 64, 14},
      {"balance PREJVEN1", balance, 6, 64, 14},    {"balance OUTRDES", balance, 12, 64, 14},
      {"balance INDALERTA", balance, 18, 74, 2},   {"balance time", balance, 19, 13, 8},
      {"balance size", balance, 19, 29, 7},        {"balance fee", balance, 19, 61, 13},
      {"balance VALOREC", balance, 20, 61, 13},    {"balance CCONFERE", balance, 21, 31, 1},
      {"simulator NSDEDUCAO", simulator_frame, 3, 5, 11},
      {"simulator NSIMPOSTO", simulator_frame, 8, 5, 11},
  };
  for (int line = 1; line <= 22; ++line) fields.push_back({"simplified line", simple, line, 49, 14});
  for (int row = 1; row <= 16; ++row) {
    fields.push_back({"receipt", balance, row, 25, 14});
    fields.push_back({"expense", balance, row, 64, 14});
  }
  for (int row = 1; row <= 4; ++row) {
    fields.push_back({"gain summary typed", capital_gain_summary_frame, row, 37, 14});
    fields.push_back({"gain summary computed", capital_gain_summary_frame, row, 52, 14});
  }
  for (const Field& fd : fields) frame_golden::expect_blank(fd.build(), fd.row, fd.col, fd.length, fd.what);
}

TEST(ResultsFrames, CalculationByModel) {
  const Frame simple = calculation_frame(vars({{"USAPADRAO", "S"}}));
  const Frame complete = calculation_frame(vars({{"USAPADRAO", "N"}}));
  EXPECT_EQ(simple.width(), 79);
  EXPECT_EQ(complete.width(), 80);
  EXPECT_TRUE(simple.uses_tel3() && complete.uses_tel3());
  EXPECT_NE(row_text(simple, 0).find("Declaração Simplificada"), std::string::npos);
  EXPECT_NE(row_text(simple, 21).find(" Mudar para o  "), std::string::npos);
  EXPECT_NE(row_text(complete, 22).find("Mudar para Simples"), std::string::npos);
  // Line n of the simplified summary is row n, with its number before the value.
  EXPECT_EQ(simple.rows()[16].substr(1, 20), "Imposto complementar");
  EXPECT_EQ(simple.rows()[16].substr(46, 2), "16");
}

TEST(ResultsFrames, CapitalGainTitles) {
  struct Case {
    int item, kind;
    const char* saida;
    const char* title;
  };
  const Case cases[] = {
      {81, 1, "N", " Cálculo do Ganho de Capital de Bem Imóvel "},
      {81, 1, "S", " Cálculo do Ganho de Capital de Bem Imóvel para não residente no país "},
      {82, 2, "S", " Cálculo do Ganho de Capital de Bem Móvel "},
      {84, 1, "S", " Cálculo do Ganho de Capital de Bem Imóvel de dependente "},
      {85, 2, "N", " Cálculo do Ganho de Capital de Bem Móvel de dependente "},
      {83, 0, "N", " Cálculo do Ganho de Capital de Participação Societária "},  // kind from the item
  };
  for (const Case& c : cases) {
    const Frame f = capital_gain_frame(c.item, vars({{"DECSAIDA", c.saida}}, c.kind));
    EXPECT_EQ(row_text(f, 1).substr(std::string_view("│").size(), std::string(c.title).size()), c.title)
        << "item " << c.item;
  }
}

TEST(ResultsFrames, BalanceOfAFinalEstate) {
  const Frame normal = balance_frame(vars({{"DECFINAL", "N"}}));
  const Frame estate = balance_frame(vars({{"DECFINAL", "S"}}));
  EXPECT_NE(row_text(normal, 5).find("Renda oficial Cônjuge(5)"), std::string::npos);
  EXPECT_EQ(row_text(estate, 5).find("Cônjuge"), std::string::npos);
  EXPECT_EQ(row_text(estate, 6).find("Cônjuge"), std::string::npos);
  EXPECT_NE(row_text(normal, 12).find("Despesas Pessoais"), std::string::npos);
  EXPECT_NE(row_text(estate, 12).find("Despesas do Espólio"), std::string::npos);
}

TEST(ResultsFrames, ConverterFollowsTheCursor) {
  struct Case {
    int row, col, top, left;
  };
  const Case cases[] = {{5, 40, 6, 20}, {17, 20, 18, 0}, {18, 19, 12, 0}, {20, 10, 14, 0}, {0, 65, 1, 45}};
  for (const Case& c : cases) {
    const Frame f = dollar_converter_frame(c.row, c.col);
    EXPECT_EQ(f.top(), c.top) << c.row << "," << c.col;
    EXPECT_EQ(f.left(), c.left) << c.row << "," << c.col;
    EXPECT_EQ(f.window(), 5);
    EXPECT_EQ(f.window_type(), 7);
  }
}

}  // namespace
}  // namespace vormel::entry
