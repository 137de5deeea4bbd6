// The reference tables made from the text sources under data/.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/cp850.h"
#include "core/text.h"
#include "storage/database.h"
#include "storage/error.h"
#include "storage/paths.h"
#include "storage/reference_data.h"
#include "temp_folder.h"

namespace vormel::storage {
namespace {

class ReferenceTables : public ::testing::Test {
 protected:
  void SetUp() override { setenv("VORMEL_DATA", SOURCE_DATA, 1); }
  void TearDown() override { unsetenv("VORMEL_DATA"); }
  testing::TempFolder folder;
  QuietReporter reporter;
};

TEST_F(ReferenceTables, EverySourceOpensWithItsIndexOrders) {
  Database db(reporter, {folder.path(), folder.path(), "00"});
  for (int n : {45, 46, 47, 48, 49, 51, 54, 55, 58, 59, 60, 61, 62, 64, 65, 66, 69, 75}) {
    EXPECT_TRUE(db.ABERTURA(n)) << n << " " << (reporter.messages.empty() ? "" : reporter.messages.back());
    const TableDef* def = table_def(n);
    auto source = read_reference_source(std::string(SOURCE_DATA) + "/" + def->name + ".txt");
    EXPECT_EQ(source.table, def->name);
    EXPECT_EQ(db.area(n).record_count(), source.rows.size()) << def->name;
  }
  EXPECT_TRUE(reporter.messages.empty());
  EXPECT_TRUE(file_exists(folder.path(), "OCUPACAB.CDX"));
  EXPECT_TRUE(file_exists(folder.path(), "CODNATB.CDX"));
  EXPECT_TRUE(file_exists(folder.path(), "BANCOSB.CDX"));
}

TEST_F(ReferenceTables, LookupsFindTheirCodes) {
  Database db(reporter, {folder.path(), folder.path(), "00"});
  ASSERT_TRUE(db.ABERTURA(46));
  ASSERT_TRUE(db.area(46).seek(core::Decimal(11)));
  EXPECT_EQ(core::cp850::to_utf8(core::trim(db.area(46).text("DESCBENS"))), "Apartamento");
  ASSERT_TRUE(db.ABERTURA(51));
  ASSERT_TRUE(db.area(51).seek(std::string("201501")));
  EXPECT_EQ(db.area(51).number("TJM"), *core::Decimal::parse("0.94"));
  ASSERT_TRUE(db.ABERTURA(45));
  db.area(45).go_top();
  EXPECT_FALSE(core::trim(db.area(45).text("TEXTO")).empty());  // the memo is read
}

TEST_F(ReferenceTables, AMalformedSourceIsReportedWithItsLine) {
  std::string source = folder / "BROKEN.txt";
  testing::write_file(source, "# test\n@table BROKEN\n@fields A C2, B N3\nxx\t1\nyyy\t2\n");
  try {
    read_reference_source(source);
    FAIL();
  } catch (const StorageError& e) {
    EXPECT_NE(std::string(e.what()).find("linha 5"), std::string::npos) << e.what();
  }
  testing::write_file(source, "@table BROKEN\n@fields A C2, B N3\nxx\n");
  EXPECT_THROW(read_reference_source(source), StorageError);
}

}  // namespace
}  // namespace vormel::storage
