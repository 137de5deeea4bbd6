#include "shell/print_selection.h"

#include <algorithm>
#include <vector>

#include "core/cp850.h"

namespace vormel::shell {

namespace {

// Written in UTF-8 here and kept in CP850, the program's text.
std::vector<std::string> cp850(std::initializer_list<const char*> texts) {
  std::vector<std::string> out;
  for (const char* t : texts) out.push_back(core::cp850::from_utf8(t));
  return out;
}

const std::vector<std::string>& list_what() {
  static const auto v = cp850({"IRenda modo Receita", "IRenda modo  ZORN  ", "Atividade Rural    ", "Livro caixa Rural  ",
                               "Darfes             ", "Ganho de capital   ", "Renda variável     ", "carta Personalizada",
                               "Anotações especiais", "Livro caixa Normal ", "Valores a cobrar   ", "Cadastro           ",
                               "Comprovante rendime", "Etiquetas disquete ", "relatório do Usuário  "});
  return v;
}
const std::vector<std::string>& darf_sheets() {
  static const auto v = cp850({"folha Avulsa       ", "Formulário Contínuo", "Darf pré-impresso  "});
  return v;
}
const std::vector<std::string>& register_sheets() {
  static const auto v = cp850({"Etiquetas     ", "Folha avulsa  "});
  return v;
}
const std::vector<std::string>& cd_labels() {
  static const auto v = cp850({"8 Eti. 116x37 ", "12 Eti. 90x24 ", "2*5 Eti.70x50 ", "Pimaco 8296   "});
  return v;
}
const std::vector<std::string>& declaration_pages() {
  static const auto v = cp850({"Tudo na declaração ", "Tudo menos Balanço ", "Só IR s/Bal e Malha  ", "Só IR Sem a Malha  ",
                               "Rendimentos        ", "Rendimentos PFisica", "Pagamentos/Isentos ", "Bens e Dívidas     ",
                               "Resumo c/Balanço   ", "Resumo s/Balanço   ", "Só a Malha fina    "});
  return v;
}
const std::vector<std::string>& rural_pages() {
  static const auto v = cp850({"Todas pag. ", "página 1   ", "página 2   "});
  return v;
}
const std::vector<std::string>& whom() {
  static const auto v = cp850({"Individual  ", "Vários      ", "Todos       ", "todas Pastas", "Grupo selec."});
  return v;
}
const std::vector<std::string>& printout_pages() {
  static const auto v =
      cp850({"Toda a declaração", "Toda s/Balanço", "IR s/MF e Balanço", "IR  sem a Malha ", "Rendimentos     ",
             "Rendimentos P.Fisica", "Pagamentos/Isento", "Bens/Divida ", "Resumo c/Balanço", "Resumo s/Balanço",
             "Malha Fina  ", "Pag.1 Rural", "Pag.2 Rural"});
  return v;
}

const std::string kSingleSheet = "Folha avulsa  ";
const std::string kSinglePage = core::cp850::from_utf8("Folha única");

// The highest sheet type and page choice of each printout.
constexpr int kMostSheet[15] = {1, 1, 1, 1, 3, 1, 1, 1, 1, 1, 1, 2, 1, 4, 1};
constexpr int kMostPage[15] = {11, 11, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};

const std::string& at(const std::vector<std::string>& v, int i) { return v[size_t(std::clamp(i, 1, int(v.size())) - 1)]; }

}  // namespace

const std::string& ALISTIMP(int what) { return at(list_what(), what); }
const std::string& NOMECON(int w) { return at(whom(), w); }
const std::string& NOMEPAGS(int page) { return at(printout_pages(), page); }

void PrintSelection::choose(int kind, int option) {
  QUEIMP = std::clamp(QUEIMP, 1, 15);
  switch (kind) {
    case 1: QUEIMP = std::clamp(option, 1, 15); break;
    case 2: QUEMOD = std::clamp(option, 1, kMostSheet[QUEIMP - 1]); break;
    case 3: QUEPAG = std::clamp(option, 1, kMostPage[QUEIMP - 1]); break;
    case 4: QUECON = std::clamp(option, 1, 5); break;
    default: break;
  }
}

void PrintSelection::MONTA_ITENS(std::array<std::string, 8>& items) {
  QUEIMP = std::clamp(QUEIMP, 1, 15);
  QUECON = std::clamp(QUECON, 1, 5);
  std::string sheet = kSingleSheet, pages = kSinglePage;
  switch (QUEIMP) {
    case 1: case 2:
      QUEMOD = 1;
      QUEPAG = std::clamp(QUEPAG, 1, 11);
      pages = at(declaration_pages(), QUEPAG);
      break;
    case 3:
      QUEMOD = 1;
      QUEPAG = std::clamp(QUEPAG, 1, 3);
      pages = at(rural_pages(), QUEPAG);
      break;
    case 4:
      QUEMOD = 1;
      QUEPAG = std::clamp(QUEPAG, 1, 3);
      break;
    case 5:
      QUEMOD = std::clamp(QUEMOD, 1, 3);
      QUEPAG = 1;
      sheet = at(darf_sheets(), QUEMOD);
      break;
    case 12:
      QUEMOD = std::clamp(QUEMOD, 1, 2);
      QUEPAG = 1;
      sheet = at(register_sheets(), QUEMOD);
      break;
    case 14:
      // The label sheet is kept as chosen; only an impossible one is brought inside.
      QUEMOD = std::clamp(QUEMOD, 1, 4);
      QUEPAG = 1;
      sheet = at(cd_labels(), QUEMOD);
      break;
    default:
      QUEMOD = 1;
      QUEPAG = 1;
      break;
  }
  NRO_VIAS = std::clamp(NRO_VIAS, 1, 9);
  items[1] = "1-" + ALISTIMP(QUEIMP);
  items[2] = "2-" + sheet;
  items[3] = "3-" + pages;
  items[4] = "4-" + NOMECON(QUECON);
  items[5] = core::cp850::from_utf8("5-Seleção Impressora");
  items[6] = "6-Configura NAO DOS";
  items[7] = "7- Nro de Vias " + std::to_string(NRO_VIAS);
}

}  // namespace vormel::shell
