// Folders of the previous release: outdated tables found by their marker field and
// rebuilt with the current layout.
#include <gtest/gtest.h>

#include "core/text.h"
#include "probe_process.h"
#include "storage/layout_text.h"
#include "storage/paths.h"
#include "storage/version_update.h"
#include "temp_folder.h"

namespace vormel::storage {
namespace {

class VersionUpdate : public ::testing::Test {
 protected:
  VersionUpdate() : db(reporter, {program.path(), work.path(), "00"}) {}

  // IMP01 as the previous release had it: without the newest fields.
  void write_old_imp01() {
    Layout old = parse_layout("CPF C11, I3_01 N10.2, I13_50 N12.2, DESPINST C1, GONE C5");
    Table::create(work / "IMP0116.DBF", old);
    auto t = Table::open(work / "IMP0116.DBF");
    t->lock_append();
    const char* cpfs[] = {"11111111111", "22222222222", "33333333333"};
    for (int i = 0; i < 3; ++i) {
      std::string r = t->blank_record();
      t->put(t->fields()[0], r, std::string(cpfs[i]));
      t->put(t->fields()[1], r, core::Decimal(100 * (i + 1)));
      t->put(t->fields()[2], r, *core::Decimal::parse("-1.25"));
      t->put(t->fields()[3], r, std::string("S"));
      t->put(t->fields()[4], r, std::string("xx"));
      if (i == 1) r[0] = '*';
      t->append(r);
    }
    t->unlock_append();
  }

  testing::TempFolder program, work;
  QuietReporter reporter;
  Database db;
};

TEST_F(VersionUpdate, AnOldTableIsRebuiltKeepingItsValues) {
  write_old_imp01();
  ASSERT_TRUE(db.ABERTURA(1));  // builds an index for the old table too
  db.close_all();
  EXPECT_TRUE(VER_ATUAZ(db, 1));
  EXPECT_EQ(first_outdated_table(db), 1);

  CORRECAO(db, 0);
  EXPECT_FALSE(VER_ATUAZ(db, 1));
  EXPECT_EQ(first_outdated_table(db), 0);
  EXPECT_FALSE(file_exists(work.path(), "ACERTO00.DBF"));

  ASSERT_TRUE(db.ABERTURA(1));
  WorkArea& a = db.area(1);
  EXPECT_EQ(a.table().fields().size(), 154u);
  EXPECT_EQ(a.record_count(), 2u);  // the deleted record stayed behind
  ASSERT_TRUE(a.seek(std::string("33333333333")));
  EXPECT_EQ(a.number("I3_01"), core::Decimal(300));
  EXPECT_EQ(a.number("I13_50"), *core::Decimal::parse("-1.25"));
  EXPECT_EQ(a.text("DESPINST"), "S");
  EXPECT_TRUE(a.number("I13_51").is_zero());
  EXPECT_FALSE(a.seek(std::string("22222222222")));
  ASSERT_TRUE(a.seek(std::string("11111111111")));
  EXPECT_EQ(a.number("I3_01"), core::Decimal(100));
}

TEST_F(VersionUpdate, ACurrentFolderIsNotRewritten) {
  for (int n = 1; n <= 20; ++n) ASSERT_TRUE(db.ABERTURA(n));
  db.close_all();
  const std::string before = testing::read_file(work / "IMP0916.DBF");
  EXPECT_EQ(first_outdated_table(db), 0);
  EXPECT_FALSE(CORRIGE(db, 9));
  EXPECT_EQ(testing::read_file(work / "IMP0916.DBF"), before);
}

TEST_F(VersionUpdate, EveryFolderOfTheListIsUpdatedAndVanishedOnesLeaveIt) {
  write_old_imp01();
  ASSERT_TRUE(db.ABERTURA(50));
  ASSERT_TRUE(db.ADD_REC(1));
  db.area(50).set("DIRETOR", work.path());
  ASSERT_TRUE(db.ADD_REC(1));
  db.area(50).set("DIRETOR", work.path() + "vanished");
  update_every_folder(db, program.path());
  EXPECT_EQ(db.folders.LOCARQ, program.path());
  db.folders.LOCARQ = work.path();
  EXPECT_EQ(first_outdated_table(db), 0);
  db.close_all();
  ASSERT_TRUE(db.ABERTURA(50));
  std::string listed;
  for (db.area(50).go_top(); !db.area(50).eof(); db.area(50).skip()) listed += core::trim(db.area(50).text("DIRETOR")) + ";";
  EXPECT_EQ(listed.find("vanished"), std::string::npos);
}

TEST_F(VersionUpdate, ATableAnotherTerminalUsesIsSkipped) {
  write_old_imp01();
  Layout old09 = parse_layout("CPF C11, NOMECONTR C53, ESTATUS N2");
  Table::create(work / "IMP0916.DBF", old09);
  testing::ProbeProcess other({"hold-exclusive", work.path(), program.path(), "60"});
  ASSERT_EQ(other.line(), "ready");
  const std::string before = testing::read_file(work / "IMP0916.DBF");
  EXPECT_TRUE(CORRIGE(db, 9));  // seconds of waiting, then given up
  EXPECT_EQ(testing::read_file(work / "IMP0916.DBF"), before);
}

}  // namespace
}  // namespace vormel::storage
