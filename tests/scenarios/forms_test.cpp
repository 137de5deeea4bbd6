// The declaration's forms typed on the real program: the identification from empty to
// saved, its checks refused with their messages, and the values read back from IMP09.
#include <gtest/gtest.h>

#include "core/text.h"
#include "harness.h"
#include "storage/database.h"

namespace {

using scenario::Program;
using scenario::run;
using scenario::with_client;
using vormel::core::trim;

using scenario::contains;

using Client = scenario::FolderTables;

// A new client: the identification comes first; every field by Enter, from the rural mark
// to the NIT; then the first pass goes on to the incomes, and the declaration is saved.
const char* kIdentification =
    "<Alt+I>11144477735<Enter><Enter>"  // included
    "<Enter>"                             // Iden. > Identificação
    "<Enter>"                             // rural annex: N
    "MARIA DA SILVA<Enter>15031980<Enter><Enter>52998224725<Enter>"
    "<Enter><Enter><Enter>"               // rectifying, receipts
    "<Enter><Enter><Enter><Enter>"        // bank, branch, account, disabled
    "<Enter><Enter>"                      // Brazil S, abroad N
    "rua<Enter>DAS FLORES<Enter><Enter>10<Enter><Enter>CENTRO<Enter>"
    "01001000<Enter>SP<Enter>SAO PAULO<Enter>"
    "11<Enter>912345678<Enter>maria@exemplo.com.br<Enter>"
    "<Enter><Enter><Enter><Enter><Enter>"  // occupation, NIT
    "<Dump incomes><Esc><Alt+F><Enter><Wait 100>";

TEST(Forms, TheIdentificationTypedFromEmptyIsSavedInTheClientsRow) {
  Program p = scenario::vormel_in("identification");
  auto r = run(p, kIdentification);
  EXPECT_TRUE(contains(r.screen("incomes"), "RENDIMENTOS TRIBUTÁVEIS E ISENTOS")) << r.screen("incomes");
  Client c(p);
  vormel::storage::WorkArea* row = c.client("11144477735");
  ASSERT_TRUE(row);
  EXPECT_EQ(trim(row->text("NOMECONTR")), "MARIA DA SILVA");
  EXPECT_EQ(vormel::core::DTOS(std::get<vormel::core::Date>(row->get("NASCIMENTO"))), "19800315");
  EXPECT_EQ(row->text("CPFCONJU"), "52998224725");
  EXPECT_EQ(trim(row->text("TIPOEND")), "Rua");  // the street type from its table
  EXPECT_EQ(trim(row->text("ENDERECO")), "DAS FLORES");
  EXPECT_EQ(trim(row->text("CEP")), "01001000");
  EXPECT_EQ(row->text("UF"), "SP");
  EXPECT_EQ(trim(row->text("MUNICIPIO")), "SAO PAULO");
  EXPECT_EQ(trim(row->text("CODMUNI")), "7107");  // the municipality's code came with it
  EXPECT_EQ(trim(row->text("EMAIL")), "maria@exemplo.com.br");
  EXPECT_EQ(row->text("EBRASIL"), "S");
  EXPECT_EQ(row->text("EXTERIOR"), "N");
}

TEST(Forms, ChecksOfTheIdentificationRefuseWithTheirMessages) {
  Program p = with_client("identification-checks");
  // To the spouse's CPF with a wrong digit, then Brazil/abroad with a wrong letter.
  auto r = run(p,
               "<Alt+I>11144477735<Enter><Esc><F6>"
               "<Enter><Enter><Enter><Enter>52998224726<Enter><Dump cpf><Enter>"
               "<Home>52998224725<Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter>"
               "X<Enter><Dump letter><Enter><Home>N<Enter><Dump abroad><Esc><Alt+F><Enter><Wait 100>");
  EXPECT_TRUE(contains(r.screen("cpf"), "ATENÇÃO! CPF 529.982.247-26 está incorreto.")) << r.screen("cpf");
  EXPECT_TRUE(contains(r.screen("letter"), "Informe com 'S'(Sim) ou 'N'(Não)")) << r.screen("letter");
  // "N" in Brazil makes it abroad: the other mark follows at once.
  EXPECT_TRUE(contains(r.screen("abroad"), "N Brasil S Exterior")) << r.screen("abroad");
  Client c(p);
  vormel::storage::WorkArea* row = c.client("11144477735");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->text("EBRASIL"), "N");
  EXPECT_EQ(row->text("EXTERIOR"), "S");
  EXPECT_EQ(row->text("CPFCONJU"), "52998224725");  // the right one, typed over the wrong one
}

}  // namespace

namespace {

// ANA in her folder with BRUNO as spouse; BRUNO's declaration in another folder of the list.
struct Spouses {
  Program p;
  std::string here, there;
};

Spouses spouses(const std::string& name, const std::string& spouse_in_use, const std::string& spouse_fetches) {
  Spouses s{with_client(name + "-here"), "", ""};
  s.here = s.p.cwd.string() + "/";
  s.there = scenario::fresh_dir(name + "-there").string() + "/";
  vormel::storage::QuietReporter reporter;
  vormel::storage::Database own(reporter, {s.here, s.here, "99"});
  own.ABERTURA(9);
  own.area(9).seek(std::string("11144477735"));
  own.select(9);
  own.REC_LOCK(1);
  own.area(9).set("CPFCONJU", std::string("52998224725"));
  own.area(9).unlock();
  vormel::storage::Database other(reporter, {s.there, s.there, "99"});
  other.ABERTURA(9);
  other.select(9);
  other.ADD_REC(1);
  vormel::storage::WorkArea& b = other.area(9);
  b.set("CPF", std::string("52998224725"));
  b.set("NOMECONTR", std::string("BRUNO"));
  b.set("USAPADRAO", std::string("N"));
  b.set("I13_20", vormel::core::Decimal(50000));
  b.set("I13_35", vormel::core::Decimal(3000));
  b.set("I13_44", vormel::core::Decimal(1000));
  b.set("I13_45", vormel::core::Decimal(500));
  b.set("NUSUAT", spouse_in_use);
  b.set("I9_4", spouse_fetches);
  b.unlock();
  vormel::storage::Database list(reporter, {s.here, s.here, "07"});
  list.ABERTURA(50);
  list.ADD_REC(1);
  list.area(50).set("DIRETOR", vormel::core::BAR_FORA(s.there));
  return s;
}

TEST(Forms, TheSpousesFiguresComeFromAnotherFolderAndBothRememberWhere) {
  auto [p, here, there] = spouses("spouse", "  ", "N");
  auto r = run(p, "<Alt+I>11144477735<Enter><Esc><Alt+B>i<Enter>S<Enter><Dump fetched><Esc><Esc><Esc>"
                  "<Alt+F><Enter><Wait 100>");
  EXPECT_TRUE(contains(r.screen("fetched"), "50.000,00")) << r.screen("fetched");
  EXPECT_TRUE(contains(r.screen("fetched"), "48.500,00")) << r.screen("fetched");  // base + exempt + exclusive - paid
  Client own(p);
  vormel::storage::WorkArea* row = own.client("11144477735");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->text("I9_4"), "S");
  EXPECT_EQ(row->number("I13_1C"), vormel::core::Decimal(50000));
  EXPECT_EQ(trim(row->text("DIRCONJU")), vormel::core::BAR_FORA(there));
  vormel::storage::QuietReporter reporter;
  vormel::storage::Database other(reporter, {there, there, "99"});
  ASSERT_TRUE(other.ABERTURA(9));
  ASSERT_TRUE(other.area(9).seek(std::string("52998224725")));
  EXPECT_EQ(trim(other.area(9).text("DIRCONJU")), vormel::core::BAR_FORA(here));

  // BRUNO's declaration changes; opening ANA's brings the new figures.
  other.select(9);
  ASSERT_TRUE(other.REC_LOCK(1));
  other.area(9).set("I13_20", vormel::core::Decimal(60000));
  other.area(9).unlock();
  other.close_all();
  run(p, "<Alt+I>11144477735<Enter><Esc><Alt+F><Enter><Wait 100>");
  Client again(p);
  row = again.client("11144477735");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->number("I13_1C"), vormel::core::Decimal(60000));
}

TEST(Forms, ASpousesDeclarationOpenElsewhereIsNotChanged) {
  // BRUNO's declaration also fetches ANA's figures, and it is open on terminal 05.
  auto [p, here, there] = spouses("spouse-busy", "05", "S");
  auto r = run(p, "<Alt+I>11144477735<Enter><Esc><Alt+B>i<Enter>S<Enter><Dump asked><Enter><Dump refused><Enter>"
                  "<Esc><Esc><Esc><Alt+F><Enter><Wait 100>");
  EXPECT_TRUE(contains(r.screen("asked"), "Deseja que o programa retire a marca da outra declaração?")) << r.screen("asked");
  EXPECT_TRUE(contains(r.screen("refused"), "A declaração do cônjuge está aberta no terminal 05.")) << r.screen("refused");
  vormel::storage::QuietReporter reporter;
  vormel::storage::Database other(reporter, {there, there, "99"});
  ASSERT_TRUE(other.ABERTURA(9));
  ASSERT_TRUE(other.area(9).seek(std::string("52998224725")));
  EXPECT_EQ(other.area(9).text("I9_4"), "S");  // BRUNO's mark stays
  EXPECT_EQ(trim(other.area(9).text("DIRCONJU")), "");
}

TEST(Forms, TheCalculatorPutsItsResultIntoTheField) {
  Program p = with_client("calculator");
  // The spouse's figures typed by hand; the first one comes from Alt+S.
  auto r = run(p, "<Alt+I>11144477735<Enter><Esc><Alt+B>i52998224725<Enter>N<Enter>S<Enter><Enter>"
                  "<Alt+S>1000+234<Ctrl+Enter><Enter><Dump typed><Esc><Esc><Esc><Alt+F><Enter><Wait 100>");
  EXPECT_TRUE(contains(r.screen("typed"), "1.234,00")) << r.screen("typed");
  Client c(p);
  vormel::storage::WorkArea* row = c.client("11144477735");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->number("I13_1C"), vormel::core::Decimal(1234));
  EXPECT_EQ(row->text("I9_5"), "S");
}

TEST(Forms, TheSaidaTakesOnlyDatesOf2015) {
  Program p = with_client("departure");
  auto r = run(p,
               "<Alt+I>11144477735<Enter><Esc>"
               "<Alt+B>sS<Enter><Enter><Enter><Enter>10102014<Enter><Dump refused><Enter>"
               "<Home>10102015<Enter><Enter><Esc><Esc><Alt+F><Enter><Wait 100>");
  EXPECT_TRUE(contains(r.screen("refused"), "O programa destina-se apenas a saída Definitiva ocorrida em 2015"))
      << r.screen("refused");
  Client c(p);
  vormel::storage::WorkArea* row = c.client("11144477735");
  ASSERT_TRUE(row);
  ASSERT_TRUE(c.db.ABERTURA(1));
  ASSERT_TRUE(c.db.area(1).seek(std::string("11144477735")));
  EXPECT_EQ(c.db.area(1).text("DECSAIDA"), "S");
  EXPECT_EQ(vormel::core::DTOS(std::get<vormel::core::Date>(c.db.area(1).get("DATASAIDA"))), "20151010");
}

TEST(Forms, AFinalEspolioGrowsItsForm) {
  Program p = with_client("espolio");
  auto r = run(p, "<Alt+I>11144477735<Enter><Esc><Alt+B>e52998224725<Enter>INVENTARIANTE<Enter><Enter>S<Enter>"
                  "<Dump final><Esc><Dump date><Enter><Esc><Esc>");
  // Marked final, the espólio form is drawn again with the closing of the estate, and it
  // is not left without the date of the partition.
  EXPECT_TRUE(contains(r.screen("final"), "Informações sobre o Encerramento do Espólio")) << r.screen("final");
  EXPECT_TRUE(contains(r.screen("date"), "Informe a data da partilha. Sem ela o cálculo estará errado")) << r.screen("date");
  // Leaving the declaration (Alt+T) is not held up by the missing date.
  auto left = run(with_client("espolio-left"), "<Alt+I>11144477735<Enter><Esc><Alt+B>e52998224725<Enter>INV<Enter>"
                                               "<Enter>S<Enter><Alt+T><Wait 100><Dump main>");
  EXPECT_FALSE(contains(left.screen("main"), "Informe a data")) << left.screen("main");
  EXPECT_TRUE(contains(left.line("main", 0), "Declaração  Opções")) << left.screen("main");
}

}  // namespace

namespace {

TEST(Forms, AFieldIsCopiedWithCtrlCAndPastedWithAltV) {
  Program p = with_client("clipboard");
  auto r = run(p, "<Alt+I>11144477735<Enter><Esc><F6><Enter><Ctrl+C>"
                  "<Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter>"
                  "<Alt+V><Dump pasted><Enter><Esc><Alt+F><Enter><Wait 100>");
  Client c(p);
  vormel::storage::WorkArea* row = c.client("11144477735");
  ASSERT_TRUE(row);
  EXPECT_EQ(trim(row->text("ENDERECO")), "ANA") << r.screen("pasted");  // the name, pasted into the street
}

}  // namespace

namespace {

TEST(Forms, AnAcceptedFieldSurvivesAnInterruption) {
  Program p = with_client("interrupted-form");
  // The name is typed and accepted, then the program stops with the declaration open.
  auto cut = run(p, "<Alt+I>11144477735<Enter><Esc><F6><Enter><Ctrl+Y>BEATRIZ<Enter>");
  EXPECT_EQ(cut.status, 3);
  auto r = run(p, "<Alt+I>11144477735<Enter><Dump offer><Enter><Esc><Alt+F><Enter><Wait 100>");
  EXPECT_TRUE(contains(r.screen("offer"), "Deseja recuperar as últimas informações trabalhadas?")) << r.screen("offer");
  Client c(p);
  vormel::storage::WorkArea* row = c.client("11144477735");
  ASSERT_TRUE(row);
  EXPECT_EQ(trim(row->text("NOMECONTR")), "BEATRIZ");
}

}  // namespace

namespace {

TEST(Forms, ARectifyingDeclarationTakesTheLastReceiptAndCode81HasNoOccupation) {
  Program p = with_client("rectify");
  {
    Client c(p);
    vormel::storage::WorkArea* row = c.client("11144477735");
    ASSERT_TRUE(row);
    c.db.select(9);
    ASSERT_TRUE(c.db.REC_LOCK(1));
    row->set("RECIBOATU", std::string("1234567890"));
    row->set("UF", std::string("SP"));
    row->set("MUNICIPIO", std::string("SAO PAULO"));
    row->set("CDPRO", std::string("225"));
    row->set("OCUPACAO", std::string("MEDICO"));
    row->unlock();
  }
  auto r = run(p, "<Alt+I>11144477735<Enter><Esc><F6>"
                  "<Enter><Enter><Enter><Enter><Enter>S<Enter><Dump moved>"
                  "<Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter>"  // receipts .. Brazil, abroad
                  "<Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter>"  // address .. e-mail
                  "81<Enter><Dump code81><Enter><Enter><Esc><Alt+F><Enter><Wait 100>");
  EXPECT_TRUE(contains(r.screen("moved"), "1234567890-")) << r.screen("moved");
  EXPECT_TRUE(contains(r.screen("code81"), "O código 81 não tem a ocupação principal")) << r.screen("code81");
  Client c(p);
  vormel::storage::WorkArea* row = c.client("11144477735");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->text("RETIFICA"), "S");
  EXPECT_EQ(row->text("NRORECIBO").substr(0, 10), "1234567890");
  EXPECT_EQ(trim(row->text("RECIBOATU")), "");
  EXPECT_EQ(trim(row->text("CODAT")), "81");
  EXPECT_EQ(trim(row->text("CDPRO")), "");
  EXPECT_EQ(trim(row->text("OCUPACAO")), "");
}

}  // namespace
