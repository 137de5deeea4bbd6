// The item editor on the real program: the assets of screen 5 typed, changed, deleted and
// totalled, saved and read back; the notes of screen 11; the folder list ("Pastas") with a
// new folder made, marked and used.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "harness.h"
#include "storage/database.h"

namespace {

using scenario::Program;
using scenario::run;
using scenario::with_client;
using vormel::core::Decimal;
using vormel::core::trim;

using scenario::contains;

TEST(Lists, AssetsAreTypedChangedDeletedTotalledAndSaved) {
  Program p = with_client("assets");
  auto r = run(p,
               "<Alt+I>11144477735<Enter><Esc><F5>"
               "1<Enter>CASA<Enter>1000,00<Enter>2000,00<Enter>11<Enter><Enter>"  // the code's name is shown
               "2<Enter>CARRO<Enter>500,00<Enter>400,00<Enter>21<Enter><Enter>"
               "<Up><Right><Right><Right><Enter>450,00<Enter><Dump typed>"
               "<Up><Del><Dump confirm><Enter><Dump deleted><Esc><Alt+F><Enter><Wait 100>");
  EXPECT_TRUE(contains(r.screen("typed"), "CASA")) << r.screen("typed");
  EXPECT_TRUE(contains(r.screen("typed"), "2.450,00")) << r.screen("typed");  // the total of 2015
  EXPECT_TRUE(contains(r.screen("confirm"), "Confirma a Exclusão dessa linha?")) << r.screen("confirm");
  EXPECT_FALSE(contains(r.screen("deleted"), "CASA")) << r.screen("deleted");

  vormel::storage::QuietReporter reporter;
  const std::string folder = p.cwd.string() + "/";
  vormel::storage::Database db(reporter, {folder, folder, "99"});
  ASSERT_TRUE(db.ABERTURA(4));
  int rows = 0;
  for (bool f = db.area(4).seek(std::string("11144477735")); f && !db.area(4).eof() && db.area(4).text("CPF") == "11144477735";
       db.area(4).skip()) {
    ++rows;
    EXPECT_EQ(trim(db.area(4).text("I7_2")), "CARRO");
    EXPECT_EQ(db.area(4).number("I7_3"), Decimal(500));
    EXPECT_EQ(db.area(4).number("I7_4"), Decimal(450));
  }
  EXPECT_EQ(rows, 1);
  ASSERT_TRUE(db.ABERTURA(1));
  ASSERT_TRUE(db.area(1).seek(std::string("11144477735")));
  EXPECT_EQ(db.area(1).number("I13_40"), Decimal(450));  // the total kept with the declaration
}

TEST(Lists, NotesFollowTheStatusOfScreen11) {
  Program p = with_client("notes");
  auto r = run(p, "<Alt+I>11144477735<Enter><Esc><F11>"
                  "<Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter><Enter>"
                  "<Dump notes>Falta o informe do banco<Enter><Dump typed><Esc><Alt+F><Enter><Wait 100>");
  EXPECT_TRUE(contains(r.screen("notes"), "Anote informações. INS=Inclui")) << r.screen("notes");
  vormel::storage::QuietReporter reporter;
  const std::string folder = p.cwd.string() + "/";
  vormel::storage::Database db(reporter, {folder, folder, "99"});
  ASSERT_TRUE(db.ABERTURA(11));
  ASSERT_TRUE(db.area(11).seek(std::string("11144477735"))) << r.screen("typed");
  EXPECT_EQ(trim(db.area(11).text("OBSERV")), "Falta o informe do banco");
}

// The work folder the terminal's settings keep.
std::string work_folder_of(const Program& p) {
  vormel::storage::QuietReporter reporter;
  const std::string folder = p.cwd.string() + "/";
  vormel::storage::Database db(reporter, {folder, folder, "07"});
  if (!db.ABERTURA(42)) return {};
  for (db.area(42).go_top(); !db.area(42).eof(); db.area(42).skip())
    if (trim(db.area(42).text("NRO_TERM")) == "07") return trim(db.area(42).text("ROTADOANO"));
  return {};
}

TEST(Lists, AFolderIsAddedToTheListMarkedAndUsed) {
  Program p = with_client("folders");
  const std::string other = (p.cwd / "Outra" / "2016").string();  // kept as typed, case and all
  // "Pastas" from the Declaração pad: a new row with a folder that is made after asking,
  // then "S" on it.
  auto r = run(p, "<Alt+D>p<Dump list><Down><Right>" + other + "<Enter><Dump ask><Enter><Up>S<Enter><Dump marked><Esc>");
  EXPECT_TRUE(contains(r.screen("list"), "Drive e Pasta")) << r.screen("list");
  EXPECT_TRUE(contains(r.screen("ask"), "Pasta nova para  VORMEL?")) << r.screen("ask");
  EXPECT_TRUE(std::filesystem::is_directory(other));
  EXPECT_TRUE(contains(r.screen("marked"), "Outra")) << r.screen("marked");
  EXPECT_EQ(work_folder_of(p), other);
  // A client included now goes into the new work folder.
  run(p, "<Alt+I>52998224725<Enter><Enter><Esc><Esc><Alt+F><Enter><Wait 100>");
  {
    Program in_other = p;
    in_other.cwd = other;
    scenario::FolderTables tables(in_other);
    EXPECT_TRUE(tables.client("52998224725"));
  }
  // The client is not in the new work folder but in the first one of the list: found
  // there, that folder is the work folder again.
  auto back = run(p, "<Alt+I>11144477735<Enter><Dump bar><Esc><Alt+F><Enter><Wait 100>");
  EXPECT_TRUE(contains(back.line("bar", 0), "p.Jur  p.Fis")) << back.screen("bar");
  EXPECT_EQ(work_folder_of(p), p.cwd.string());
  // F7 in the client chooser shows the same list.
  auto chooser = run(p, "<Alt+I><F7><Dump pastas><Esc><Esc>");
  EXPECT_TRUE(contains(chooser.screen("pastas"), "Drive e Pasta")) << chooser.screen("pastas");
  EXPECT_TRUE(contains(chooser.screen("pastas"), "Outra")) << chooser.screen("pastas");
}

}  // namespace
