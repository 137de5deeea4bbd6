// Opening tables by number: creation on first use, index orders built when missing or
// unsound, the folder list, the office settings record.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/cp850.h"
#include "core/text.h"
#include "storage/catalogue.h"
#include "storage/database.h"
#include "storage/paths.h"
#include "temp_folder.h"

namespace vormel::storage {
namespace {

using core::Date;
using core::Decimal;

class Opening : public ::testing::Test {
 protected:
  Opening() : db(reporter, {program.path(), work.path(), "03"}) {}
  std::string utf8(const std::string& cp850) { return core::cp850::to_utf8(cp850); }

  testing::TempFolder program, work;
  QuietReporter reporter;
  Database db;
};

TEST_F(Opening, AFreshWorkFolderGetsEveryDeclarationTableWithItsIndexes) {
  for (int n = 1; n <= 20; ++n) {
    ASSERT_TRUE(db.ABERTURA(n)) << n;
    WorkArea& a = db.area(n);
    ASSERT_TRUE(a.used());
    char name[16];
    std::snprintf(name, sizeof name, "IMP%02d16", n);
    EXPECT_EQ(a.alias(), name);
    EXPECT_TRUE(file_exists(work.path(), std::string(name) + ".DBF"));
    EXPECT_TRUE(file_exists(work.path(), std::string(name) + ".CDX"));
    EXPECT_EQ(a.table().fields().size(), layout_of(n).size());
  }
  EXPECT_EQ(db.area(9).order_count(), 3u);
  EXPECT_EQ(db.area(9).order(2).name(), "IMP0916B");
  EXPECT_EQ(db.area(20).order_count(), 2u);
  EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(Opening, ProgressBoxesOnlyWhileAskedFor) {
  ASSERT_TRUE(db.ABERTURA(4));
  EXPECT_EQ(reporter.last_progress, "Criando IMP04.DBF");  // creation always says so
  reporter.last_progress.clear();
  std::filesystem::remove(work / "IMP0516.DBF");
  db.MOS_MENS = true;
  ASSERT_TRUE(db.ABERTURA(5));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(utf8(reporter.messages[0]), work.path() + "IMP0516.dbf não localizado está sendo criado");
  EXPECT_EQ(reporter.last_progress, "Criando o indice IMP0516.CDX");
}

TEST_F(Opening, DefineIsCreatedWithItsOneRecord) {
  ASSERT_TRUE(db.ABERTURA(43));
  WorkArea& a = db.area(43);
  EXPECT_EQ(a.record_count(), 1u);
  a.go_top();
  const int days[] = {29, 31, 30, 29, 31, 30, 31, 30};
  for (int m = 0; m < 8; ++m)
    EXPECT_EQ(a.get("VCTO" + std::to_string(m + 1)), core::Value(*Date::from_ymd(2016, 4 + m, days[m])));
  EXPECT_EQ(a.number("VAL_DOLAR"), *Decimal::parse("2.6556"));
  EXPECT_EQ(a.number("VAL_MIN"), Decimal(120));
  EXPECT_EQ(a.number("TEMP_SAL"), Decimal(15));
  EXPECT_EQ(a.text("PROCESSA"), "N");
  EXPECT_EQ(core::trim(a.text("BOL_NOME")), "");
  db.close_all();
  ASSERT_TRUE(db.ABERTURA(43));  // a second open adds nothing
  EXPECT_EQ(db.area(43).record_count(), 1u);
}

TEST_F(Opening, AMissingIndexPacksAndRebuildsAnUnsoundOneOnlyRebuilds) {
  ASSERT_TRUE(db.ABERTURA(4, true));
  WorkArea& a = db.area(4);
  for (int i = 1; i <= 4; ++i) {
    ASSERT_TRUE(db.ADD_REC(1));
    a.set("CPF", std::string("11111111111"));
    a.set("I7_0", Decimal(5 - i));
  }
  a.go_to(2);
  a.erase();
  db.close_all();

  testing::write_file(work / "IMP0416.CDX", "garbage");
  ASSERT_TRUE(db.ABERTURA(4));
  EXPECT_EQ(db.area(4).record_count(), 4u);  // rebuilt, not packed
  std::string order;
  for (db.area(4).go_top(); !db.area(4).eof(); db.area(4).skip()) order += std::to_string(db.area(4).recno());
  EXPECT_EQ(order, "431");
  db.close_all();

  std::filesystem::remove(work / "IMP0416.CDX");
  ASSERT_TRUE(db.ABERTURA(4));
  EXPECT_EQ(db.area(4).record_count(), 3u);  // packed first
  EXPECT_TRUE(db.area(4).seek(std::string("11111111111   1")));
  db.close_all();

  db.REFAZ_IND = true;
  ASSERT_TRUE(db.ABERTURA(4));
  EXPECT_EQ(db.area(4).record_count(), 3u);
}

TEST_F(Opening, APackForAMissingFirstOrderRebuildsTheOthersToo) {
  ASSERT_TRUE(db.ABERTURA(9, true));
  WorkArea& a = db.area(9);
  for (const char* name : {"CARLA", "ANA", "BRUNO"}) {
    ASSERT_TRUE(db.ADD_REC(1));
    a.set("CPF", std::string(name) + "0");
    a.set("NOMECONTR", std::string(name));
  }
  a.go_to(1);
  a.erase();
  db.close_all();
  std::filesystem::remove(work / "IMP0916.CDX");
  ASSERT_TRUE(db.ABERTURA(9));
  WorkArea& b = db.area(9);
  b.set_order(2);
  std::string names;
  for (b.go_top(); !b.eof(); b.skip()) names += core::trim(b.text("NOMECONTR")) + ",";
  EXPECT_EQ(names, "ANA,BRUNO,");
}

TEST_F(Opening, TheFolderListStartsWithTheProgramFolderAndLosesVanishedFolders) {
  ASSERT_TRUE(db.ABERTURA(50));
  WorkArea& list = db.area(50);
  EXPECT_EQ(list.alias(), "DIRET03");
  ASSERT_EQ(list.record_count(), 1u);
  list.go_top();
  EXPECT_EQ(list.text("SELEC"), "S");
  EXPECT_EQ(core::trim(list.text("DIRETOR")), db.folders.ROTADEF());
  ASSERT_TRUE(db.ADD_REC(1));
  list.set("DIRETOR", work.path() + "gone");
  ASSERT_TRUE(db.ADD_REC(1));
  list.set("DIRETOR", work.path());

  ASSERT_TRUE(db.ABERTURA(0));
  EXPECT_TRUE(db.area(50).used());
  EXPECT_FALSE(db.area(46).used());  // the reference tables were checked and closed
  std::string folders;
  for (list.go_top(); !list.eof(); list.skip()) folders += core::trim(list.text("DIRETOR")) + ";";
  EXPECT_EQ(folders.find("gone"), std::string::npos);
  EXPECT_NE(folders.find(work.path() + ";"), std::string::npos);
  EXPECT_TRUE(file_exists(program.path(), "CODBENS.DBF"));
  EXPECT_TRUE(file_exists(program.path(), "CODBENS.CDX"));
}

TEST_F(Opening, ATableThatCannotBeCreatedFailsWithTheInstallationMessage) {
  EXPECT_FALSE(db.CRIA("71", work / "NADA.dbf"));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(utf8(reporter.messages[0]), "Arquivo " + work.path() + "NADA.dbf não foi criado! Reveja a instalação!");

  // A reference table whose source is not installed cannot be made either.
  setenv("VORMEL_DATA", work.path().c_str(), 1);
  reporter.messages.clear();
  EXPECT_FALSE(db.ABERTURA(46));
  unsetenv("VORMEL_DATA");
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(utf8(reporter.messages[0]),
            "Arquivo " + program.path() + "CODBENS.dbf não foi criado! Reveja a instalação!");
  EXPECT_FALSE(db.area(46).used());
}

TEST_F(Opening, AnUnsoundTableIsReportedAndLeftAlone) {
  testing::write_file(work / "IMP0916.DBF", "not a table");
  EXPECT_FALSE(db.ABERTURA(9));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_NE(utf8(reporter.messages[0]).find(work.path() + "IMP0916.DBF"), std::string::npos);
  EXPECT_EQ(testing::read_file(work / "IMP0916.DBF"), "not a table");
  EXPECT_FALSE(file_exists(work.path(), "IMP0916.CDX"));
}

TEST_F(Opening, FilesAreFoundWhateverTheirCase) {
  ASSERT_TRUE(db.ABERTURA(3));
  db.close_all();
  std::filesystem::rename(work / "IMP0316.DBF", work / "imp0316.dbf");
  std::filesystem::rename(work / "IMP0316.CDX", work / "Imp0316.cdx");
  ASSERT_TRUE(db.ABERTURA(3));
  EXPECT_FALSE(file_exists(work.path(), "IMP0316.DBF") && std::filesystem::exists(work / "IMP0316.DBF"));
}

TEST_F(Opening, ClosingGroupsOfAreas) {
  for (int n : {1, 9, 12}) ASSERT_TRUE(db.ABERTURA(n));
  ASSERT_TRUE(db.ABREARQ("29", false, work / "IMP0916", "CPF"));
  db.APELIDO = "";
  db.FECHA_TODO();
  EXPECT_FALSE(db.area(1).used());
  EXPECT_TRUE(db.area(9).used());
  EXPECT_FALSE(db.area(29).used());
  db.close_all();
  EXPECT_FALSE(db.area(9).used());
}

TEST_F(Opening, AReopenInTheOtherModeReallyChangesIt) {
  ASSERT_TRUE(db.ABERTURA(9));
  EXPECT_FALSE(db.area(9).exclusive());
  ASSERT_TRUE(db.ABERTURA(9, true));
  EXPECT_TRUE(db.area(9).exclusive());
}

}  // namespace
}  // namespace vormel::storage
