// The start of the program: the terminal's records, the work-folder question, the
// update warning, the backup reminder, and the settings written back at the exit.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "harness.h"
#include "storage/database.h"
#include "storage/layout_text.h"

namespace {

using scenario::Program;
using scenario::run;
using vormel::core::Date;
using vormel::core::Decimal;
using vormel::storage::Database;
using vormel::storage::QuietReporter;

using scenario::contains;

Program in_folder(const std::string& name, const std::string& terminal = "07", const std::string& hoje = "15/04/2016-10:00:00") {
  Program p;
  p.binary = VORMEL_BIN;
  p.args = {terminal};
  p.cwd = scenario::fresh_dir(name);
  p.hoje = hoje;
  return p;
}

std::string folder_of(const Program& p) { return p.cwd.string() + "/"; }

// The terminal's CONFIG record as a test prepares or reads it.
struct ConfigRecord {
  explicit ConfigRecord(const Program& p, const std::string& terminal = "07")
      : db(reporter, {folder_of(p), folder_of(p), terminal}) {
    db.ABERTURA(42);
    found = db.area(42).seek(terminal, vormel::storage::Seek::Exact);
  }
  void create(const std::string& terminal = "07") {
    db.select(42);
    ASSERT_TRUE(db.ADD_REC(1));
    db.area(42).set("NRO_TERM", terminal);
    found = true;
  }
  QuietReporter reporter;
  Database db;
  bool found = false;
  vormel::storage::WorkArea& row() { return db.area(42); }
};

TEST(StartUp, AFirstStartCreatesTheTerminalsRecords) {
  Program p = in_folder("first");
  auto r = run(p, "<Dump s>");
  EXPECT_TRUE(contains(r.screen("s"), "USUARIO DO TERMINAL 07")) << r.screen("s");
  ConfigRecord config(p);
  ASSERT_TRUE(config.found);
  auto& c = config.row();
  EXPECT_EQ(vormel::core::trim(c.text("ROTADOANO")), p.cwd.string());
  EXPECT_EQ(c.number("QUEIMP"), Decimal(1));
  EXPECT_EQ(c.number("LINETI"), Decimal(6));
  EXPECT_EQ(c.number("NRO_LIN"), Decimal(60));
  EXPECT_EQ(c.number("OPC_TRAN"), Decimal(7));
  EXPECT_EQ(c.number("SOESTE"), Decimal(9));
  EXPECT_EQ(c.text("MOSIMP"), "S");
  EXPECT_EQ(c.text("OPCIRPF"), "J");
  EXPECT_EQ(c.get("ULTBACK"), vormel::core::Value(*Date::from_ymd(2016, 4, 15)));
  EXPECT_TRUE(vormel::core::trim(c.text("ROTARECEI")).ends_with("ProgramasRFB/IRPF2016/aplicacao/dados"));
  ASSERT_TRUE(config.db.ABERTURA(56));
  EXPECT_TRUE(config.db.area(56).seek(std::string("07")));
  EXPECT_EQ(config.db.area(56).number("COR_ESCOL"), Decimal(79));
}

TEST(StartUp, AMissingWorkFolderIsAskedAbout) {
  for (bool yes : {true, false}) {
    Program p = in_folder(yes ? "folder-yes" : "folder-no");
    {
      ConfigRecord config(p);
      config.create();
      config.row().set("ROTADOANO", p.cwd.string() + "/gone");
      config.row().set("DIRTRAB", p.cwd.string());
    }
    auto r = run(p, yes ? "<Dump ask><Enter><Dump after>" : "<Dump ask><Right><Enter>");
    EXPECT_TRUE(contains(r.screen("ask"), "A Pasta " + p.cwd.string() + "/gone não foi encontrada!")) << r.screen("ask");
    EXPECT_TRUE(contains(r.screen("ask"), "Sim - Assume: " + p.cwd.string()));
    EXPECT_TRUE(contains(r.screen("ask"), "Não - Sai do programa!"));
    ConfigRecord after(p);
    if (yes) {
      EXPECT_TRUE(contains(r.screen("after"), "Terminal 07")) << r.screen("after");
      EXPECT_EQ(vormel::core::trim(after.row().text("ROTADOANO")), p.cwd.string());
    } else {
      EXPECT_EQ(r.status, 0);
      EXPECT_EQ(vormel::core::trim(after.row().text("ROTADOANO")), p.cwd.string() + "/gone");
    }
  }
}

TEST(StartUp, TheBackupReminderFollowsItsDateRule) {
  struct Case {
    const char* last_backup;
    const char* hoje;
    bool reminds;
    const char* days;
  } cases[] = {{"14/04/2016", "15/04/2016", false, ""},
               {"13/04/2016", "15/04/2016", true, "  2 dias"},
               {"01/04/2016", "15/06/2016", false, ""},
               {"01/02/2016", "30/04/2016", true, " 89 dias"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hoje);
    Program p = in_folder("backup", "07", std::string(c.hoje) + "-10:00:00");
    {
      ConfigRecord config(p);
      config.create();
      config.row().set("ROTADOANO", p.cwd.string());
      config.row().set("DIRTRAB", p.cwd.string());
      config.row().set("ULTBACK", *vormel::core::CTOD(c.last_backup));
    }
    auto r = run(p, "<Dump s><Right><Enter><Dump after>");
    EXPECT_EQ(contains(r.screen("s"), "sem fazer o backup compactado."), c.reminds) << r.screen("s");
    if (c.reminds) {
      EXPECT_TRUE(contains(r.screen("s"), std::string(" Atenção ") + c.days)) << r.screen("s");
    }
  }
}

TEST(StartUp, AnOutdatedTableIsWarnedAbout) {
  Program p = in_folder("outdated");
  vormel::storage::Table::create(folder_of(p) + "IMP0116.DBF", vormel::storage::parse_layout("CPF C11, I13_50 N12.2"));
  auto r = run(p, "<Dump s><Enter><Dump after>");
  EXPECT_TRUE(contains(r.screen("s"), "ATENÇÃ0!!! Antes de usar o programa em qualquer")) << r.screen("s");
  EXPECT_TRUE(contains(r.screen("s"), "Vá no item Declaração/Atualiza base de dados"));
  // The menu's update brings the folder up to date; the next start says nothing.
  run(p, "<Enter><Alt+D>z<Dump done>");
  auto again = run(p, "<Dump s>");
  EXPECT_FALSE(contains(again.screen("s"), "ATENÇÃ0")) << again.screen("s");
}

TEST(StartUp, LeavingWritesTheSettingsBack) {
  struct Case {
    const char* keys;
  } cases[] = {{"<Alt+O>aj<Right><Enter><Esc><Enter>"},          // Esc, then Yes
               {"<Alt+O>aj<Right><Enter><Alt+T><Enter>"},        // Alt+T, then Yes
               {"<Alt+O>aj<Right><Enter><Alt+F><Enter><Enter>"}};  // the Fim pad
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    Program p = in_folder("exit");
    auto r = run(p, c.keys);
    EXPECT_EQ(r.status, 0) << r.final_screen();
    ConfigRecord config(p);
    EXPECT_EQ(config.row().text("OPCIRPF"), "N");  // "Tela inteira" was chosen
  }
}

TEST(StartUp, TheDaysAlarmComesWhenItsTimeHasCome) {
  Program p = in_folder("alarm", "07", "15/04/2016-10:00:58");
  {
    QuietReporter reporter;
    Database db(reporter, {folder_of(p), folder_of(p), "07"});
    ASSERT_TRUE(db.ABERTURA(72));
    auto add = [&](const char* time, const char* note, bool alarm) {
      db.select(72);
      ASSERT_TRUE(db.ADD_REC(1));
      db.area(72).set("NOMEAG", std::string("USUARIO DO TERMINAL 07"));
      db.area(72).set("HORAG", std::string(time));
      db.area(72).set("ANOTAG", std::string(note));
      db.area(72).set("DATAG", *Date::from_ymd(2016, 4, 15));
      db.area(72).set("AVISAG", alarm);
    };
    add("1001", "Ligar para o contador", true);
    add("1001", "Sem aviso", false);
    add("0930", "Passou", true);
  }
  // No key is pressed in that minute: the timer shows it.
  auto r = run(p, "<Wait 3500><Dump alarm><Enter><Wait 1500><Dump after>");
  EXPECT_TRUE(contains(r.screen("alarm"), "ATENÇÃO - 10:01 Ligar para o contador")) << r.screen("alarm");
  EXPECT_FALSE(contains(r.screen("after"), "ATENÇÃO")) << r.screen("after");  // once only
}

TEST(Menu, EachPadRunsACommand) {
  Program p = in_folder("pads");
  auto r = run(p,
               "<Alt+S>1d<Alt+S>2<Down><Down><Down><Down><Down><Enter><Alt+S>m<Dump selection><Enter>"
               // Impressão: its hot letter is Alt+I's, which opens a declaration, so from
               // the last item of the pad before it.
               "<Alt+S><Up><Right>m<Dump printing><Enter>"
               "<Alt+E><Down><Down><Down><Down><Right><Down><Enter><Dump sending><Enter>"
               "<Alt+B>i<Dump archiver><Right><Enter>"
               "<Alt+B><Up><Enter><Dump processor><Enter>");
  EXPECT_TRUE(contains(r.screen("selection"), "1-Darfes")) << r.screen("selection");
  EXPECT_TRUE(contains(r.screen("selection"), "2-Darf pré-impresso")) << r.screen("selection");
  EXPECT_TRUE(contains(r.screen("printing"), "Selecao para impressao")) << r.screen("printing");
  EXPECT_TRUE(contains(r.screen("sending"), "A partir de agora nenhuma declaração será transferida")) << r.screen("sending");
  EXPECT_TRUE(contains(r.screen("archiver"), "Para compactar esta configurado para utilizar")) << r.screen("archiver");
  // With the older archiver chosen, the processor cannot be changed.
  EXPECT_TRUE(contains(r.screen("processor"), "O programa ICE não funciona em 64 bits. Troque para o 7Z"))
      << r.screen("processor");
  ConfigRecord config(p);
  EXPECT_EQ(config.row().number("QUEIMP"), Decimal(5));
  EXPECT_EQ(config.row().number("QUEMOD"), Decimal(3));
}

}  // namespace
