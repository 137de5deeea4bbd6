// The lookup lists by field name, and what Enter hands back from the reference tables.
#include <gtest/gtest.h>

#include "../storage/temp_folder.h"
#include "core/cp850.h"
#include "core/text.h"
#include "screen/lookups.h"
#include "storage/database.h"

namespace {

using namespace vormel;
using namespace vormel::core::literals;
using core::Value;
using screen::Rect;

std::vector<std::string> headers(const screen::LookupDef& d) {
  std::vector<std::string> out;
  for (const auto& c : d.columns) out.push_back(c.header);
  return out;
}

std::string cp(std::string_view utf8) { return core::cp850::from_utf8(utf8); }

TEST(Lookups, EveryFieldNameGivesItsList) {
  struct Case {
    std::string field;
    int mode, table;
    std::vector<std::string> headers;
    Rect rect;
  };
  const Rect def{8, 6, 21, 70};
  const Case cases[] = {
      {"M->CPF", 1, 9, {"Nome do Contribuinte", "CPF"}, {3, 1, 16, 69}},
      {"M->NOMECONTR", 1, 9, {"Nome do Contribuinte", "CPF"}, {3, 1, 16, 69}},
      {"M->CPF2", 1, 9, {}, {3, 1, 16, 78}},  // the name list is only for the chooser's fields
      {"M->CPFEMAIL", 0, 9, {}, {3, 1, 16, 78}},
      {"M->DIRCONJU", 0, 9, {}, {3, 1, 16, 78}},
      {"M->CPFSAC", 0, 9, {"Nome do Contribuinte", "CPF", "Cobrar"}, {8, 1, 21, 57}},
      {"M->CGCPAGADOR", 0, 0, {" Firma pagadora ", "CGC/CPF", "Valor"}, {8, 6, 18, 70}},
      {"m->ocupacao", 0, 58, {cp("Cód"), " Nome da Ocupacao "}, {8, 1, 18, 76}},
      {"I1_8", 0, 0, {"Nome Dependente ", "CPF"}, {8, 6, 18, 50}},
      {"M->CPFALIEN", 0, 0, {"Nome Dependente ", "CPF"}, {8, 6, 18, 50}},
      {"I1_3", 0, 55, {"Nro.", " Nome do Banco ", "CNPJ"}, {8, 6, 18, 78}},
      {"M->DESCRAT", 0, 59, {cp("Cód"), " Nome da Ocupacao "}, {8, 1, 21, 66}},
      {"M->BANCO", 0, 55, {"Nro.", " Nome do Banco "}, {8, 6, 21, 64}},
      {"CODIDEPEN", 0, 47, {"Cod.", cp("Relação de dependência")}, {8, 6, 22, 72}},
      {"nDesFim", 0, 46, {"Cod.", "Bens e Direitos"}, {8, 6, 21, 57}},
      {"I8_5", 0, 48, {"Cod.", "Dividas e Onus"}, def},
      {"CODIGO", 0, 49, {"Cod.", cp("Doação ou Pagamento")}, {8, 6, 21, 77}},
      {"M->DESTINO", 0, 50, {cp("Nome dos diretórios")}, def},
      {"I8R_3", 0, 60, {"Cod.", cp("Nome do País")}, def},
      {"M->CODEMB", 0, 61, {"Cod.", "Cidade", cp("Nome do País"), cp("Representaçao")}, def},
      {"M->OPC_TRAN", 0, 66, {"Cod.", "Estatus"}, {8, 6, 21, 25}},
      {"M->RUAIMO", 0, 65, {cp("Tipo Endereço")}, {8, 16, 21, 29}},
      {"MUNICIMO", 0, 64, {cp("Nome dos municípios")}, def},
      {"M->CIDDOA", 0, 75, {cp("Nome dos municípios")}, def},
      {"CDCONTA", 0, 62, {cp("Código"), cp("Descriçao")}, {6, 8, 19, 76}},
      {"CODIGOA", 0, 69, {"Cod.", "  Tipo  "}, {5, 20, 19, 71}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    const screen::LookupDef* d = screen::find_lookup(c.field, c.mode);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->table, c.table);
    if (!c.headers.empty()) {
      EXPECT_EQ(headers(*d), c.headers);
    }
    EXPECT_EQ(std::tie(d->rect.top, d->rect.left, d->rect.bottom, d->rect.right),
              std::tie(c.rect.top, c.rect.left, c.rect.bottom, c.rect.right));
  }
  const screen::LookupDef* clients = screen::find_lookup("M->CPF");
  ASSERT_EQ(clients->columns.size(), 16u);
  EXPECT_EQ(clients->columns[2].header, cp("Descrição"));
  EXPECT_EQ(clients->columns[15].header, "Operador");
  EXPECT_TRUE(clients->footers != nullptr);
  EXPECT_TRUE(screen::find_lookup("M->TIPO_BEM")->capital_gains);
  EXPECT_EQ(screen::find_lookup("M->I3_05"), nullptr);
}

// What Enter gives for a row of the reference tables made from data/.
class LookupEnter : public ::testing::Test {
 protected:
  storage::testing::TempFolder dir;
  storage::QuietReporter reporter;
  storage::Database db{reporter, {dir.path(), dir.path(), "00"}};

  screen::Assignments enter(const screen::LookupRequest& r, const std::string& key) {
    const screen::LookupDef* d = screen::find_lookup(r.field, r.mode);
    EXPECT_TRUE(db.ABERTURA(d->table));
    storage::WorkArea& a = db.area(d->table);
    a.set_order(d->order ? d->order : 1);
    if (key.empty()) a.go_top();
    else EXPECT_TRUE(a.seek(Value(key))) << key;
    return d->enter(a, r);
  }
};

TEST_F(LookupEnter, CopiesTheRowIntoTheFields) {
  auto bank = enter({"I1_3"}, "BANCO DO BRASIL");
  EXPECT_EQ(core::trim(std::get<std::string>(bank["I1_3"])), "00.000.000/0001-91");
  EXPECT_EQ(core::trim(std::get<std::string>(bank["I1_2"])), "Banco do Brasil S.A.");
  EXPECT_TRUE(screen::find_lookup("I1_3")->into_row);

  auto job = enter({"M->CDPRO"}, "241");
  EXPECT_EQ(std::get<std::string>(job["CDPRO"]), "241");
  EXPECT_EQ(core::trim(std::get<std::string>(job["OCUPACAO"])), "Advogado");

  auto asset = enter({"nDesIni"}, "");
  EXPECT_EQ(asset.count("NDESINI"), 1u);
  EXPECT_TRUE(core::is_number(asset["NDESINI"]));

  screen::LookupRequest from_state("M->MUNICIPIO");
  from_state.state_field = "M->UF";
  db.ABERTURA(64);
  storage::WorkArea& towns = db.area(64);
  for (towns.go_top(); !towns.eof() && core::trim(towns.text("NOMEMUNI")).rfind("SP -", 0) != 0;) towns.skip();
  ASSERT_FALSE(towns.eof());
  auto state = screen::find_lookup("M->MUNICIPIO")->enter(towns, from_state);
  EXPECT_EQ(state, (screen::Assignments{{"UF", Value(std::string("SP"))}}));
  for (towns.go_top(); !towns.eof() && core::trim(towns.text("NROMUNI")).empty();) towns.skip();
  auto town = screen::find_lookup("M->MUNICIPIO")->enter(towns, screen::LookupRequest("M->MUNICIPIO"));
  EXPECT_EQ(town["CODMUNI"], towns.get("NROMUNI"));
  EXPECT_EQ(town["MUNICIPIO"], towns.get("NOMEMUNI"));
}

TEST(Lookups, AssignmentsFitTheVariables) {
  Value cpf = std::string(11, ' '), name = std::string(5, ' '), code = core::Decimal(0), other = std::string("x");
  screen::Assignments got{{"CPF", Value(std::string("12345678909"))},
                          {"NOMESAC", Value(std::string("MARIA DA SILVA"))},
                          {"I7_5", Value(core::Decimal(11))}};
  EXPECT_EQ(screen::apply_assignments(got, {{"M->CPF", &cpf}, {"NOMESAC", &name}, {"i7_5", &code}, {"X", &other}}), 3);
  EXPECT_EQ(cpf, Value(std::string("12345678909")));
  EXPECT_EQ(name, Value(std::string("MARIA")));
  EXPECT_EQ(code, Value(core::Decimal(11)));
  EXPECT_EQ(other, Value(std::string("x")));
}

}  // namespace
