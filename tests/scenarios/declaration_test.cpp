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

bool contains(const std::string& hay, const std::string& needle) { return hay.find(needle) != std::string::npos; }

Program vormel_in(const std::string& name) {
  Program p;
  p.binary = VORMEL_BIN;
  p.args = {"07"};
  p.cwd = scenario::fresh_dir(name);
  return p;
}

// The tables of a program's folder, as the test reads them afterwards.
struct FolderTables {
  explicit FolderTables(const Program& p, const std::string& terminal = "99")
      : folder(p.cwd.string() + "/"), db(reporter, {folder, folder, terminal}) {}
  // The client's identification row, current in area 9; nullptr when there is none.
  vormel::storage::WorkArea* client(const std::string& cpf) {
    if (!db.ABERTURA(9) || !db.area(9).seek(cpf)) return nullptr;
    return &db.area(9);
  }
  std::string folder;
  vormel::storage::QuietReporter reporter;
  vormel::storage::Database db;
};

TEST(Declaration, ANewClientIsIncludedWalkedSavedAndLeft) {
  Program p = vormel_in("declaration");
  auto r = run(p,
               "<Alt+I><Dump chooser>11144477735<Enter><Dump include><Enter><Dump bar><Esc>"
               "<F6><Dump identification><Tab><Dump incomes><Tab><Dump individuals><Tab><Shift+Tab><Esc>"
               "<Alt+W><Alt+F><Dump end><Enter><Wait 100><Dump main>");
  EXPECT_TRUE(contains(r.screen("chooser"), "CPF:")) << r.screen("chooser");
  EXPECT_TRUE(contains(r.screen("include"), "Esse Contribuinte não está cadastrado")) << r.screen("include");
  EXPECT_TRUE(contains(r.line("bar", 0), "p.Jur  p.Fis  isEnto  dePendente  Bem  Iden.  Cálculo  Ganho  Rural  heLp  sAi"))
      << r.line("bar", 0);
  EXPECT_TRUE(contains(r.screen("bar"), "Identificação   F6")) << r.screen("bar");  // a new declaration opens on Iden.
  EXPECT_TRUE(contains(r.screen("identification"), "1=PJ 2=PF 3=Ise 4=Pgto")) << r.screen("identification");
  EXPECT_TRUE(contains(r.screen("identification"), "Tela 6 (61)"));
  EXPECT_TRUE(contains(r.screen("incomes"), "Tela 1 (11)")) << r.screen("incomes");  // the first pass
  EXPECT_TRUE(contains(r.screen("individuals"), "Tela 2 (21)")) << r.screen("individuals");
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


// A folder with one client already saved.
Program folder_with_client(const std::string& name) {
  Program p = vormel_in(name);
  vormel::storage::QuietReporter reporter;
  std::string folder = p.cwd.string() + "/";
  vormel::storage::Database db(reporter, {folder, folder, "99"});
  db.ABERTURA(9);
  db.select(9);
  db.ADD_REC(1);
  db.area(9).set("CPF", std::string("11144477735"));
  db.area(9).set("NOMECONTR", std::string("ANA"));
  return p;
}

TEST(Declaration, AClientOpenOnAnotherTerminalIsWarnedAbout) {
  Program first = folder_with_client("in-use");
  auto running = std::async(std::launch::async, [&] { return run(first, "<Alt+I>11144477735<Enter><Wait 3000>"); });
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  Program second = first;
  second.args = {"08"};
  auto r = run(second, "<Alt+I>11144477735<Enter><Dump warned><Right><Enter><Esc>");
  EXPECT_TRUE(contains(r.screen("warned"), "A declaração desse contribuinte está ou ficou aberta no terminal 07"))
      << r.screen("warned");
  running.get();
}

TEST(Declaration, AnInterruptedDeclarationIsOfferedForRecovery) {
  Program p = folder_with_client("recovery");
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
  Program p = folder_with_client("autosave");
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


TEST(Declaration, WithoutACpfTheClientIsChosenFromTheList) {
  Program p = folder_with_client("by-list");
  auto r = run(p, "<Alt+I><Enter><Dump list><Enter><Dump bar>");
  EXPECT_TRUE(contains(r.screen("list"), "ANA")) << r.screen("list");
  EXPECT_TRUE(contains(r.screen("list"), "111.444.777-35")) << r.screen("list");
  EXPECT_TRUE(contains(r.line("bar", 0), "p.Jur  p.Fis")) << r.screen("bar");
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
  Program p = folder_with_client("hot-keys");
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
