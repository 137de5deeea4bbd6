// The lookup lists by field name: which table, which columns, where, and what Enter
// hands back.
#include <algorithm>

#include "core/cp850.h"
#include "core/picture.h"
#include "core/text.h"
#include "screen/lookups.h"

namespace vormel::screen {

using namespace core::literals;
using core::Value;
using storage::Database;
using storage::WorkArea;

namespace {

constexpr const char* kCpfPicture = "@R 999.999.999-99";

LookupColumn col(std::string_view header, std::string field, std::string picture = "") {
  return LookupColumn{std::string(header), std::move(field), std::move(picture), 0, {}};
}

// The first n characters of a text field.
LookupColumn left_of(std::string_view header, std::string field, int n) {
  LookupColumn c{std::string(header), field, "", n, {}};
  c.value = [field, n](WorkArea& row, Database&) { return Value(core::pad_right(row.text(field), size_t(n))); };
  return c;
}

// Enter puts the row's `source` into the field asked about.
auto gives(std::string source) {
  return [source](WorkArea& row, const LookupRequest& r) { return Assignments{{variable_name(r.field), row.get(source)}}; };
}

// Enter puts fields of the row into variables of those names.
auto gives_each(std::vector<std::pair<std::string, std::string>> pairs) {
  return [pairs](WorkArea& row, const LookupRequest&) {
    Assignments a;
    for (const auto& [var, source] : pairs) a[var] = row.get(source);
    return a;
  };
}

std::string trimmed(WorkArea& row, std::string_view field) { return core::trim(row.text(field)); }

// The status description of a client from STATUS (blank when it has none).
Value status_text(WorkArea& row, Database& db) {
  constexpr int kStatus = 66;
  WorkArea& st = db.area(kStatus);
  std::string text(13, ' ');
  if (st.used() && st.order_count() >= 1) {
    st.set_order(1);
    if (st.seek(row.get("ESTATUS"), storage::Seek::Exact)) text = st.text("DESCRICAO");
  }
  return Value(text);
}

// Counts over the whole folder, shown under the client list.
std::vector<std::string> client_footers(WorkArea& a) {
  int simple = 0, complete = 0, rural = 0;
  for (a.go_top(); !a.eof(); a.skip()) {
    const std::string model = trimmed(a, "USAPADRAO");
    if (model == "S") ++simple;
    else if (model == "N") ++complete;
    if (trimmed(a, "TEMRURAL") == "S") ++rural;
  }
  const int total = simple + complete;
  auto percent = [total](int n) {
    if (total == 0) return core::Decimal(0);
    return *core::Decimal::divide(core::Decimal(n) * 100, total, 2, core::Rounding::HalfUp);
  };
  // "999.99": a folder of one model only is 100%, which "99.99" cannot show.
  return {
      core::TRANSFORM(Value(core::Decimal(total)), "@e 9999") + std::string(" Declarações"_cp),
      core::TRANSFORM(Value(percent(simple)), "@Z 999.99") + "% Simples",
      core::TRANSFORM(Value(percent(complete)), "@Z 999.99") + "% Compl",
      core::TRANSFORM(Value(core::Decimal(rural)), "@e 999"),
      core::TRANSFORM(Value(core::Decimal(simple)), "@e 999"),
      "simp. " + core::TRANSFORM(Value(core::Decimal(complete)), "@e 999") + " comp.",
  };
}

std::vector<LookupColumn> client_columns() {
  LookupColumn status = col("Descrição"_cp, "", "@S13");
  status.value = status_text;
  return {
      col("Nome do Contribuinte", "NOMECONTR", "@S21"),
      col("CPF", "CPF", kCpfPicture),
      status,
      col("AAR", "TEMRURAL", "@!"),
      col("Sim", "USAPADRAO", "@!"),
      col("Impo/Rest.", "IMPPGRE", "@Ez 9999,999.99"),
      col(" % ->", "INDGAS", "@z 999.99"),
      col("Qt", "NRQUOTA", "@Z9"),
      col("Quota IR", "DFQUOTA", "@Ez 9999,999.99"),
      col("Qt", "NRCLEAO", "@Z99"),
      col("Carnê Leao"_cp, "DFCLEAO", "@Ez 9999,999.99"),
      col("Qt", "NRGCAPIT", "@Z99"),
      col("Gan.Capital", "DFGCAPIT", "@Ez 9999,999.99"),
      col("Qt", "NRRVARIV", "@Z99"),
      col("R.Variável"_cp, "DFRVARIV", "@Ez 9999,999.99"),
      col("Operador", "NOMEAG", "@!"),
  };
}

Assignments client_enter(WorkArea& row, const LookupRequest& r) {
  const std::string name = variable_name(r.field);
  const Value cpf = row.get("CPF");
  if (name == "CPF1" || name == "CPF2") return {{name, cpf}};
  if (name == "CPFEMAIL") return {{"CPFEMAIL", cpf}, {"CEMAIL_ENV", row.get("EMAIL")}};
  if (name == "DIRCONJU") return {{"CPFCONJU", cpf}, {"DIRCONJU", row.get("DIRCONJU")}};
  return {{"CPF", cpf}};
}

// Municipalities, or the states when a state field asks: a state row ("SP - SAO
// PAULO") gives its two letters to the state field.
Assignments municipality_enter(WorkArea& row, const LookupRequest& r) {
  const std::string name = row.text("NOMEMUNI");
  if (!r.state_field.empty() && name.size() >= 4 && name[3] == '-')
    return {{variable_name(r.state_field), Value(name.substr(0, 2))}};
  const std::string var = variable_name(r.field);
  Assignments a{{var, Value(name)}};
  if (var == "MUNICIPIO") a["CODMUNI"] = row.get("NROMUNI");
  else if (var == "MUNICIMO") a["CODMIMO"] = row.get("NROMUNI");
  return a;
}

std::vector<LookupDef> make_table() {
  std::vector<LookupDef> t;
  auto add = [&t](LookupDef d) { t.push_back(std::move(d)); };
  LookupDef d;

  // The chooser's name search: the plain name list of the folder's clients.
  d = {};
  d.fields = {"M->CPF", "M->NOMECONTR"};
  d.mode = 1;
  d.table = 9;
  d.columns = {col("Nome do Contribuinte", "NOMECONTR", "@S53"), col("CPF", "CPF", kCpfPicture)};
  d.rect = {3, 1, 16, 69};
  d.letter_jump = d.client = true;
  d.enter = gives_each({{"CPF", "CPF"}});
  add(d);

  d = {};
  d.fields = {"M->CPF", "M->CPF1", "M->CPF2", "M->NOMECONTR", "M->DIRCONJU", "M->CPFEMAIL"};
  d.table = 9;
  d.columns = client_columns();
  d.rect = {3, 1, 16, 78};
  d.letter_jump = d.client = d.refresh = true;
  d.also_open = {66};
  d.footers = client_footers;
  d.enter = client_enter;
  add(d);

  d = {};
  d.fields = {"M->CPFSAC"};
  d.table = 9;
  d.columns = {col("Nome do Contribuinte", "NOMECONTR", "@S30"), col("CPF", "CPF", kCpfPicture),
               col("Cobrar", "VALOREC", "@EZ 999,999.99")};
  d.rect = {8, 1, 21, 57};
  d.from_top = d.letter_jump = d.client = true;
  d.enter = [](WorkArea& row, const LookupRequest&) {
    return Assignments{{"CPFSAC", row.get("CPF")},
                       {"NOMESAC", Value(core::pad_right(row.text("NOMECONTR"), 30))},
                       {"VALORDOC", row.get("VALOREC")}};
  };
  add(d);

  // Paying sources already typed in the declaration (legal entities).
  d = {};
  d.fields = {"M->CGCPAGADOR"};
  d.columns = {left_of(" Firma pagadora ", "I1_2", 28), col("CGC/CPF", "I1_3"), col("Valor", "I1_4", "@E 999,999,999.99")};
  d.rect = {8, 6, 18, 70};
  d.filter = [](WorkArea& row) { return row.text("I1_1") == "J"; };
  d.enter = gives("I1_3");
  add(d);

  d = {};
  d.fields = {"M->CDPRO", "M->OCUPACAO"};
  d.table = 58;
  d.columns = {col("Cód"_cp, "CDPRO"), col(" Nome da Ocupacao ", "OCUPACAO", "@S69")};
  d.rect = {8, 1, 18, 76};
  d.letter_jump = d.refresh = true;
  d.enter = gives_each({{"CDPRO", "CDPRO"}, {"OCUPACAO", "OCUPACAO"}});
  add(d);

  // The declaration's dependants; for an income row the CPF goes into the row.
  LookupDef dependants;
  dependants.columns = {left_of("Nome Dependente ", "NOMEDEPEN", 28), col("CPF", "CPFDEPEN", kCpfPicture)};
  dependants.rect = {8, 6, 18, 50};
  dependants.enter = gives("CPFDEPEN");
  d = dependants;
  d.fields = {"I1_8"};
  d.into_row = true;
  add(d);
  d = dependants;
  d.fields = {"M->CPFDEPEN", "M->CPFALIEN"};
  add(d);

  d = {};
  d.fields = {"I1_3"};
  d.table = 55;
  d.order = 2;
  d.columns = {col("Nro.", "NUMBAN"), col(" Nome do Banco ", "NOMEBAN", "@S48"), col("CNPJ", "CNPJBAN")};
  d.rect = {8, 6, 18, 78};
  d.into_row = true;
  d.enter = gives_each({{"I1_3", "CNPJBAN"}, {"I1_2", "NOMEBAN"}});
  add(d);

  d = {};
  d.fields = {"M->CODAT", "M->DESCRAT"};
  d.table = 59;
  d.columns = {col("Cód"_cp, "CODAT"), col(" Nome da Ocupacao ", "DESCRAT", "@S58")};
  d.rect = {8, 1, 21, 66};
  d.refresh = true;
  d.enter = gives_each({{"CODAT", "CODAT"}, {"DESCRAT", "DESCRAT"}});
  add(d);

  d = {};
  d.fields = {"M->BANCO"};
  d.table = 55;
  d.order = 2;
  d.columns = {col("Nro.", "NUMBAN"), col(" Nome do Banco ", "NOMEBAN")};
  d.rect = {8, 6, 21, 64};
  d.enter = gives_each({{"BANCO", "NUMBAN"}});
  add(d);

  d = {};
  d.fields = {"CODIDEPEN"};
  d.table = 47;
  d.columns = {col("Cod.", "CODDEP"), col("Relação de dependência"_cp, "DESCRICAO")};
  d.rect = {8, 6, 22, 72};
  d.enter = gives("CODDEP");
  add(d);

  d = {};
  d.fields = {"I7_5", "nDesIni", "nDesFim"};
  d.table = 46;
  d.columns = {col("Cod.", "CODBEM"), col("Bens e Direitos", "DESCBENS")};
  d.rect = {8, 6, 21, 57};
  d.enter = gives("CODBEM");
  add(d);

  d = {};
  d.fields = {"I8_5"};
  d.table = 48;
  d.columns = {col("Cod.", "CODDIV"), col("Dividas e Onus", "DESCDIV")};
  d.enter = gives("CODDIV");
  add(d);

  d = {};
  d.fields = {"I6_3", "CODIGO"};
  d.table = 49;
  d.columns = {col("Cod.", "CODDES"), col("Doação ou Pagamento"_cp, "DESCDOA")};
  d.rect = {8, 6, 21, 77};
  d.enter = gives("CODDES");
  add(d);

  d = {};
  d.fields = {"M->ORIGEM", "M->DESTINO"};
  d.table = 50;
  d.columns = {col("Nome dos diretórios"_cp, "DIRETOR", "@S40")};
  d.enter = gives("DIRETOR");
  add(d);

  d = {};
  d.fields = {"M->TIPO_BEM", "M->I3_04"};
  d.capital_gains = true;
  add(d);

  d = {};
  d.fields = {"I7_8", "CODPAIS", "I8R_3"};
  d.table = 60;
  d.columns = {col("Cod.", "CODPAIS"), col("Nome do País"_cp, "NOMPAIS")};
  d.enter = gives("CODPAIS");
  add(d);

  d = {};
  d.fields = {"M->CODEMB"};
  d.table = 61;
  d.columns = {col("Cod.", "CD_EX"), col("Cidade", "NM_CIDADE"), col("Nome do País"_cp, "NM_PAIS"),
               col("Representaçao"_cp, "NM_REP")};
  d.enter = gives_each({{"CODEMB", "CD_EX"}});
  add(d);

  d = {};
  d.fields = {"M->ESTATUS", "M->OPC_TRAN"};
  d.table = 66;
  d.columns = {col("Cod.", "COD"), col("Estatus", "DESCRICAO")};
  d.rect = {8, 6, 21, 25};
  d.enter = gives("COD");
  add(d);

  d = {};
  d.fields = {"M->TIPOEND", "M->RUAIMO"};
  d.table = 65;
  d.columns = {col("Tipo Endereço"_cp, "NOMELOGRA")};
  d.rect = {8, 16, 21, 29};
  d.letter_jump = true;
  d.enter = gives("NOMELOGRA");
  add(d);

  d = {};
  d.fields = {"M->MUNICIPIO", "M->MUNICIMO", "MUNICIMO", "M->CID_SOCIE"};
  d.table = 64;
  d.columns = {col("Nome dos municípios"_cp, "NOMEMUNI", "@S30")};
  d.state_header = "Nome dos Estados";
  d.letter_jump = true;
  d.enter = municipality_enter;
  add(d);

  d = {};
  d.fields = {"M->CIDDOA"};
  d.table = 75;
  d.columns = {col("Nome dos municípios"_cp, "CIDADE")};
  d.refresh = true;
  d.enter = gives_each({{"CIDDOA", "CIDADE"}, {"CNJPDOA", "CNPJ"}});
  add(d);

  d = {};
  d.fields = {"M->CDCONTA", "CDCONTA"};
  d.table = 62;
  d.columns = {col("Código"_cp, "CDCONTA"), col("Descriçao"_cp, "NMDESCRICA")};
  d.rect = {6, 8, 19, 76};
  d.enter = gives("CDCONTA");
  add(d);

  d = {};
  d.fields = {"CODIGOA"};
  d.table = 69;
  d.columns = {col("Cod.", "CODBEM"), col("  Tipo  ", "DESCBENS")};
  d.rect = {5, 20, 19, 71};
  d.into_row = true;
  d.enter = gives_each({{"CODIGO", "CODBEM"}});
  add(d);

  return t;
}

}  // namespace

std::string variable_name(std::string_view field) {
  std::string name = core::cp850::upper(core::trim(field));
  if (name.rfind("M->", 0) == 0) name.erase(0, 3);
  return name;
}

const std::vector<LookupDef>& lookup_table() {
  static const std::vector<LookupDef> table = make_table();
  return table;
}

const LookupDef* find_lookup(std::string_view field, int mode) {
  const std::string wanted = core::cp850::upper(core::trim(field));
  for (const LookupDef& d : lookup_table()) {
    if (d.mode != 0 && d.mode != mode) continue;
    for (const std::string& f : d.fields)
      if (core::cp850::upper(f) == wanted) return &d;
  }
  return nullptr;
}

}  // namespace vormel::screen
