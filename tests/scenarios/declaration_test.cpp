// Opening a declaration from the main screen: the CPF checked, a new client included,
// the declaration's bar and screens, saving, leaving, and the rows in the tables.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "core/text.h"
#include "harness.h"
#include "storage/database.h"

namespace {

using scenario::Program;
using scenario::run;
using scenario::vormel_in;

using scenario::contains;

using scenario::FolderTables;

TEST(Declaration, ANewClientIsIncludedWalkedSavedAndLeft) {
  Program p = vormel_in("declaration");
  auto r = run(p,
               "<Alt+I><Dump chooser>11144477735<Enter><Dump include><Enter><Dump bar><Esc>"
               "<F6><Dump identification><Tab><Dump incomes><Tab><Dump individuals><Tab><Shift+Tab><Esc>"
               "<Alt+W><Alt+F><Dump end><Enter><Wait 100><Dump main>");
  EXPECT_TRUE(contains(r.screen("chooser"), "C P F")) << r.screen("chooser");
  EXPECT_TRUE(contains(r.screen("chooser"), "F1=Nome F2=CPF F3=Stat F4=Rec.")) << r.screen("chooser");
  EXPECT_TRUE(contains(r.screen("include"), "Esse Contribuinte não está cadastrado")) << r.screen("include");
  EXPECT_TRUE(contains(r.line("bar", 0), "p.Jur  p.Fis  isEnto  dePendente  Bem  Iden.  Cálculo  Ganho  Rural  heLp  sAi"))
      << r.line("bar", 0);
  EXPECT_TRUE(contains(r.screen("bar"), "Identificação   F6")) << r.screen("bar");  // a new declaration opens on Iden.
  EXPECT_TRUE(contains(r.screen("identification"), "1=PJ 2=PF 3=Ise 4=Pgto")) << r.screen("identification");
  EXPECT_TRUE(contains(r.screen("identification"), "Tem Atividade Rural")) << r.screen("identification");
  // The first pass goes from the identification to the incomes.
  EXPECT_TRUE(contains(r.screen("incomes"), "RENDIMENTOS TRIBUTÁVEIS E ISENTOS RECEBIDOS DE PESSOAS JURÍDICAS"))
      << r.screen("incomes");
  EXPECT_TRUE(contains(r.screen("individuals"), "(3)Rend. Tribut.Recebido de P.Físicas")) << r.screen("individuals");
  EXPECT_TRUE(contains(r.screen("end"), "Termina a Declaração?")) << r.screen("end");
  EXPECT_TRUE(contains(r.line("main", 0), "Declaração  Opções  Selecão")) << r.line("main", 0);  // the main bar again

  FolderTables tables(p);
  vormel::storage::WorkArea* client = tables.client("11144477735");
  ASSERT_TRUE(client);
  EXPECT_EQ(client->text("NUSUAT"), "  ");
  EXPECT_EQ(client->number("ESTATUS"), vormel::core::Decimal(2));
  EXPECT_EQ(client->text("USAPADRAO"), "S");
  ASSERT_TRUE(tables.db.ABERTURA(1));
  EXPECT_TRUE(tables.db.area(1).seek(std::string("11144477735")));
  // The usage log has who worked on it and when.
  ASSERT_TRUE(tables.db.ABERTURA(73));
  tables.db.area(73).set_order(2);
  ASSERT_TRUE(tables.db.area(73).seek(std::string("11144477735")));
  EXPECT_EQ(vormel::core::trim(tables.db.area(73).text("NOMEAG")), "USUARIO DO TERMINAL 07");
  EXPECT_EQ(tables.db.area(73).text("INIUSO"), "10:00:00");
}

TEST(Declaration, AWrongCheckDigitIsRefusedWithTheRightOnes) {
  Program p = vormel_in("wrong-cpf");
  auto r = run(p, "<Alt+I>11144477736<Enter><Dump refused><Enter><Esc>");
  EXPECT_TRUE(contains(r.screen("refused"), "ATENÇÃO! CPF 111.444.777-36 está incorreto.")) << r.screen("refused");
  EXPECT_TRUE(contains(r.screen("refused"), "O dígito para esse número é:35")) << r.screen("refused");
}


TEST(Declaration, AClientOpenOnAnotherTerminalIsWarnedAbout) {
  Program first = scenario::with_client("in-use");
  auto running = std::async(std::launch::async, [&] { return run(first, "<Alt+I>11144477735<Enter><Wait 3000>"); });
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  Program second = first;
  second.args = {"08"};
  auto r = run(second, "<Alt+I>11144477735<Enter><Dump warned><Right><Enter><Esc>");
  EXPECT_TRUE(contains(r.screen("warned"), "A declaração desse contribuinte está ou ficou aberta no terminal 07"))
      << r.screen("warned");
  EXPECT_TRUE(contains(r.screen("warned"), "daquele que salvar por último")) << r.screen("warned");
  running.get();
}

TEST(Declaration, AnInterruptedDeclarationIsOfferedForRecovery) {
  Program p = scenario::with_client("recovery");
  // The program ends while the declaration is open (the script runs out).
  auto cut = run(p, "<Alt+I>11144477735<Enter><Esc>");
  EXPECT_EQ(cut.status, 3);
  auto r = run(p, "<Alt+I>11144477735<Enter><Dump offer><Enter><Esc><Alt+F><Enter><Wait 100><Dump done>");
  EXPECT_TRUE(contains(r.screen("offer"), "A declaração desse contribuinte não terminou corretamente.")) << r.screen("offer");
  EXPECT_TRUE(contains(r.screen("offer"), "Deseja recuperar as últimas informações trabalhadas?"));
  FolderTables tables(p);
  vormel::storage::WorkArea* client = tables.client("11144477735");
  ASSERT_TRUE(client);
  EXPECT_EQ(client->text("NUSUAT"), "  ");  // saved and free again
  EXPECT_EQ(vormel::core::trim(client->text("NOMECONTR")), "ANA");
}


TEST(Declaration, SavedByItselfAfterTheMinutesOfTheSetting) {
  Program p = scenario::with_client("autosave");
  {
    vormel::storage::QuietReporter reporter;
    std::string folder = p.cwd.string() + "/";
    vormel::storage::Database db(reporter, {folder, folder, "99"});
    ASSERT_TRUE(db.ABERTURA(43));
    db.area(43).go_top();
    db.select(43);
    ASSERT_TRUE(db.REC_LOCK(1));
    db.area(43).set("TEMP_SAL", vormel::core::Decimal(1));
  }
  // A screen stays open a little over a minute; when it closes the declaration is saved,
  // though nobody asked (the run then ends without leaving the declaration).
  run(p, "<Alt+I>11144477735<Enter><Esc><F6><Wait 61500><Esc>");
  FolderTables tables(p);
  vormel::storage::WorkArea* client = tables.client("11144477735");
  ASSERT_TRUE(client);
  EXPECT_GE(client->number("TEM_USO"), vormel::core::Decimal(60));  // the time spent, saved
  EXPECT_EQ(client->text("NUSUAT"), "07");                          // still open
}


TEST(Declaration, WithoutACpfTheClientIsSoughtByNameOrChosenFromTheList) {
  Program p = scenario::with_client("by-list");
  // A name not found exactly opens the list of names on the nearest one.
  auto r = run(p, "<Alt+I><Enter>AN<Enter><Dump list><Enter><Dump bar>");
  EXPECT_TRUE(contains(r.screen("list"), "Nome do Contribuinte")) << r.screen("list");
  EXPECT_TRUE(contains(r.screen("list"), "ANA")) << r.screen("list");
  EXPECT_TRUE(contains(r.screen("list"), "111.444.777-35")) << r.screen("list");
  EXPECT_TRUE(contains(r.line("bar", 0), "p.Jur  p.Fis")) << r.screen("bar");
  // The whole name opens the declaration at once; F2 in the CPF field lists by CPF.
  auto exact = run(scenario::with_client("by-name"), "<Alt+I><Enter>ana<Enter><Dump bar><Esc><Alt+T>");
  EXPECT_TRUE(contains(exact.line("bar", 0), "p.Jur  p.Fis")) << exact.screen("bar");
  auto by_cpf = run(scenario::with_client("by-cpf"), "<Alt+I><F2><Dump list><Enter><Dump bar><Esc><Alt+T>");
  EXPECT_TRUE(contains(by_cpf.screen("list"), "Declarações")) << by_cpf.screen("list");  // the footing
  EXPECT_TRUE(contains(by_cpf.line("bar", 0), "p.Jur  p.Fis")) << by_cpf.screen("bar");
}


TEST(Declaration, F4TakesBackTheDeclarationThisTerminalWasWorkingOn) {
  Program p = vormel_in("direct");
  auto none = run(p, "<Alt+I><F4><Dump nothing><Enter><Esc>");
  EXPECT_TRUE(contains(none.screen("nothing"), "Impossível recuperar o último CPF.")) << none.screen("nothing");
  run(p, "<Alt+I>11144477735<Enter><Enter><Esc>");  // a new declaration, then the run ends
  auto r = run(p, "<Alt+I><F4><Dump bar><Esc><Alt+F><Enter><Wait 100><Dump done>");
  EXPECT_TRUE(contains(r.line("bar", 0), "p.Jur  p.Fis")) << r.screen("bar");
  FolderTables tables(p);
  EXPECT_TRUE(tables.client("11144477735"));  // saved from the working copies
}


TEST(Declaration, ItsHotKeysWorkInsideAndAreGoneAfterwards) {
  Program p = scenario::with_client("hot-keys");
  auto r = run(p, "<Alt+I>11144477735<Enter><Esc><Alt+S><Dump calc><Esc><Alt+F><Enter><Wait 100><Alt+S><Dump after><Esc>");
  EXPECT_TRUE(contains(r.screen("calc"), "(C)lear")) << r.screen("calc");  // Alt+S: the calculator
  // Outside the declaration Alt+S is the selection pad again.
  EXPECT_TRUE(contains(r.screen("after"), "1- O que imprimir")) << r.screen("after");
  EXPECT_FALSE(contains(r.screen("after"), "(C)lear"));
}


TEST(Declaration, AClientOfAnotherFolderOfTheListIsOpenedThere) {
  Program p = vormel_in("main-folder");
  const std::string main_folder = p.cwd.string() + "/";
  const std::string other = scenario::fresh_dir("other-folder").string() + "/";
  {
    vormel::storage::QuietReporter reporter;
    vormel::storage::Database there(reporter, {other, other, "99"});
    ASSERT_TRUE(there.ABERTURA(9));
    there.select(9);
    ASSERT_TRUE(there.ADD_REC(1));
    there.area(9).set("CPF", std::string("11144477735"));
    there.area(9).set("NOMECONTR", std::string("DE OUTRA PASTA"));
    vormel::storage::Database list(reporter, {main_folder, main_folder, "07"});
    ASSERT_TRUE(list.ABERTURA(50));
    ASSERT_TRUE(list.ADD_REC(1));
    list.area(50).set("DIRETOR", vormel::core::BAR_FORA(other));
  }
  auto r = run(p, "<Alt+I>11144477735<Enter><Dump bar><Esc><Alt+F><Enter><Wait 100><Alt+T><Enter>");
  EXPECT_TRUE(contains(r.line("bar", 0), "p.Jur  p.Fis")) << r.screen("bar");  // no "Inclui?": it was found
  vormel::storage::QuietReporter reporter;
  vormel::storage::Database there(reporter, {other, other, "99"});
  ASSERT_TRUE(there.ABERTURA(9));
  ASSERT_TRUE(there.area(9).seek(std::string("11144477735")));
  EXPECT_EQ(there.area(9).text("NUSUAT"), "  ");
  vormel::storage::Database config(reporter, {main_folder, main_folder, "07"});
  ASSERT_TRUE(config.ABERTURA(42));
  ASSERT_TRUE(config.area(42).seek(std::string("07")));
  EXPECT_EQ(vormel::core::trim(config.area(42).text("ROTADOANO")), vormel::core::BAR_FORA(other));  // stays current
}

}  // namespace


// F5 in the chooser: the tax of every declaration corrected by the SELIC interest.
TEST(Declaration, F5CorrectsTheTaxOfEveryDeclarationOfTheFolder) {
  Program p = scenario::with_client("corrected");
  {
    vormel::storage::QuietReporter reporter;
    std::string folder = p.cwd.string() + "/";
    vormel::storage::Database db(reporter, {folder, folder, "99"});
    ASSERT_TRUE(db.ABERTURA(9));
    ASSERT_TRUE(db.area(9).seek(std::string("11144477735")));
    db.select(9);
    ASSERT_TRUE(db.REC_LOCK(1));
    db.area(9).set("IMPPGRE", vormel::core::Decimal(1000));
    db.area(9).set("QTD_QUOTA", vormel::core::Decimal(2));
    db.area(9).unlock();
    ASSERT_TRUE(db.ADD_REC(1));
    db.area(9).set("CPF", std::string("52998224725"));
    db.area(9).set("IMPPGRE", vormel::core::Decimal(-300));
    db.area(9).unlock();
    ASSERT_TRUE(db.ADD_REC(1));
    db.area(9).set("CPF", std::string("39053344705"));  // nothing to pay: not listed
  }
  auto early = run(p, "<Alt+I><F5><Dump early><Enter><Esc>");
  EXPECT_TRUE(contains(early.screen("early"), "Função só utilizavel após mês de Maio de 2016")) << early.screen("early");

  // Paid in July: 1% plus the rate of May.
  p.hoje = "15/07/2016-10:00:00";
  auto r = run(p, "<Alt+I><F5><Dump list><Esc><Esc>");
  EXPECT_TRUE(contains(r.screen("list"), "Imposto Corrigido")) << r.screen("list");
  EXPECT_TRUE(contains(r.screen("list"), "510,55")) << r.screen("list");
  vormel::storage::QuietReporter reporter;
  vormel::storage::Database db(reporter, {p.cwd.string() + "/", p.cwd.string() + "/", "99"});
  ASSERT_TRUE(db.ABERTURA(44, true));
  vormel::storage::WorkArea& list = db.area(44);
  ASSERT_EQ(list.record_count(), 2u);
  list.go_top();
  EXPECT_EQ(list.number("IMPOSTO"), vormel::core::Decimal::parse("500").value());
  EXPECT_EQ(list.number("CORRIGI"), vormel::core::Decimal::parse("510.55").value());
  list.skip();
  EXPECT_EQ(list.number("RESTITU"), vormel::core::Decimal(300));
  EXPECT_EQ(list.number("CORRIGI"), vormel::core::Decimal::parse("306.33").value());
  db.close_area(44);

  // Rates that stop long before last month are refused.
  p.hoje = "15/12/2026-10:00:00";
  auto outdated = run(p, "<Alt+I><F5><Dump outdated><Enter><Esc>");
  EXPECT_TRUE(contains(outdated.screen("outdated"), "Atenção! A tabela da Selic não está atualizada."))
      << outdated.screen("outdated");
}


// F11 in the chooser: the client's pending items, without touching the working copies.
TEST(Declaration, F11ShowsTheClientsPendingItems) {
  Program p = scenario::with_client("pending");
  {
    vormel::storage::QuietReporter reporter;
    std::string folder = p.cwd.string() + "/";
    vormel::storage::Database db(reporter, {folder, folder, "99"});
    ASSERT_TRUE(db.ABERTURA(11));
    db.select(11);
    for (const char* note : {"Falta o recibo do dentista", "Conferir o informe do banco"}) {
      ASSERT_TRUE(db.ADD_REC(1));
      db.area(11).set("CPF", std::string("11144477735"));
      db.area(11).set("OBSERV", std::string(note));
      db.area(11).unlock();
    }
    ASSERT_TRUE(db.ADD_REC(1));
    db.area(11).set("CPF", std::string("52998224725"));
    db.area(11).set("OBSERV", std::string("De outro cliente"));
  }
  auto r = run(p, "<Alt+I><F11><Dump pending><Esc><Esc>");
  EXPECT_TRUE(contains(r.screen("pending"), "Pendências")) << r.screen("pending");
  EXPECT_TRUE(contains(r.screen("pending"), "Falta o recibo do dentista")) << r.screen("pending");
  EXPECT_TRUE(contains(r.screen("pending"), "Conferir o informe do banco"));
  EXPECT_FALSE(contains(r.screen("pending"), "De outro cliente"));
}


// F6 in the chooser: the details of the client shown there, until Esc.
TEST(Declaration, F6ShowsTheClientsDetails) {
  Program p = scenario::with_client("details");
  auto r = run(p, "<Alt+I><F6><Dump details><Enter><Esc><Dump back><Esc>");
  EXPECT_TRUE(contains(r.screen("details"), "Detalhes")) << r.screen("details");
  EXPECT_TRUE(contains(r.screen("details"), "CPF 111.444.777-35")) << r.screen("details");
  EXPECT_TRUE(contains(r.screen("details"), "Nome ANA")) << r.screen("details");
  EXPECT_FALSE(contains(r.screen("back"), "Detalhes")) << r.screen("back");
  EXPECT_TRUE(contains(r.screen("back"), "C P F")) << r.screen("back");
}


// With "stay in the chooser" the chooser comes back after a declaration, on its client.
TEST(Declaration, TheChooserComesBackAfterADeclarationWhenSoSet) {
  Program p = scenario::with_client("stay");
  run(p, "<Esc>");  // the terminal's settings are made on the first start
  {
    vormel::storage::QuietReporter reporter;
    std::string folder = p.cwd.string() + "/";
    vormel::storage::Database db(reporter, {folder, folder, "99"});
    ASSERT_TRUE(db.ABERTURA(42));
    db.select(42);
    vormel::storage::WorkArea& config = db.area(42);
    bool found = false;
    for (config.go_top(); !config.eof(); config.skip())
      if (vormel::core::trim(config.text("NRO_TERM")) == "07") {
        ASSERT_TRUE(db.REC_LOCK(1));
        config.set("OPCFIM", vormel::core::Decimal(2));
        config.unlock();
        found = true;
      }
    ASSERT_TRUE(found);
  }
  auto r = run(p, "<Alt+I>11144477735<Enter><Esc><Alt+F><Enter><Wait 100><Dump again><Esc><Dump main>");
  EXPECT_TRUE(contains(r.screen("again"), "C P F")) << r.screen("again");
  EXPECT_TRUE(contains(r.screen("again"), "111.444.777-35")) << r.screen("again");
  EXPECT_TRUE(contains(r.screen("again"), "ANA")) << r.screen("again");
  EXPECT_FALSE(contains(r.screen("main"), "C P F")) << r.screen("main");
}


// Every pad of the declaration's bar, one after the other from F10.
TEST(Declaration, EveryPadOfTheBarOpens) {
  Program p = scenario::with_client("pads");
  std::string keys = "<Alt+I>11144477735<Enter><Esc><F10>";
  const std::vector<std::pair<std::string, std::string>> pads = {
      {"jur", "Acumulado  do titular"},   {"fis", "rendimento do Titular"},
      {"isento", "rendimentos Isentos e não tributáveis"}, {"dependente", "Alimentandos"},
      {"bem", "Saída definitiva"},         {"iden", "Notas e Obsv."},
      {"calculo", "Balanco"},              {"ganho", "RVar. Day-Trade"},
      {"rural", "Mov. Rebanho"},           {"help", "Funcoes"},
      {"sai", "Sai"}};
  for (const auto& [name, caption] : pads) keys += "<Dump " + name + "><Right>";
  keys += "<Esc><Alt+F><Enter><Wait 100>";
  auto r = run(p, keys);
  for (const auto& [name, caption] : pads) EXPECT_TRUE(contains(r.screen(name), caption)) << name << "\n" << r.screen(name);
  EXPECT_TRUE(contains(r.screen("fis"), "F2")) << r.screen("fis");
}
