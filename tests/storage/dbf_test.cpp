// The table file: values in and out, the wide-field extension, and files that are not
// sound tables.
#include <gtest/gtest.h>

#include <filesystem>

#include "storage/dbf_table.h"
#include "storage/index_order.h"
#include "storage/file.h"
#include "core/cp850.h"
#include "core/text.h"
#include "storage/error.h"
#include "storage/layout_text.h"
#include "temp_folder.h"

namespace vormel::storage {
namespace {

using core::Date;
using core::Decimal;
using core::Value;

const char* kSample = "NAME C20, AMOUNT N12.2, RATE N18.8, WHEN D8, FLAG L1, LONG C512";

std::unique_ptr<Table> sample(const testing::TempFolder& folder) {
  std::string path = folder / "SAMPLE.DBF";
  Table::create(path, parse_layout(kSample));
  return Table::open(path);
}

TEST(DbfTable, ExtremeValuesRoundTrip) {
  testing::TempFolder folder;
  auto table = sample(folder);
  struct Row {
    Value name, amount, rate, when, flag, text;
  } rows[] = {
      {std::string("JOÃO"), *Decimal::parse("-99999999.99"), *Decimal::parse("1234567.12345678"), Date(), true,
       std::string(512, 'x')},
      {std::string(""), *Decimal::parse("999999999.99"), Decimal(0), *Date::from_ymd(2015, 12, 31), false,
       std::string("curto")},
  };
  for (const auto& row : rows) {
    std::string record = table->blank_record();
    const auto& f = table->fields();
    table->put(f[0], record, row.name);
    table->put(f[1], record, row.amount);
    table->put(f[2], record, row.rate);
    table->put(f[3], record, row.when);
    table->put(f[4], record, row.flag);
    table->put(f[5], record, row.text);
    table->lock_append();
    table->append(record);
    table->unlock_append();
  }
  auto reopened = Table::open(folder / "SAMPLE.DBF");
  ASSERT_EQ(reopened->record_count(), 2u);
  for (uint32_t r = 1; r <= 2; ++r) {
    std::string record;
    ASSERT_TRUE(reopened->read(r, record));
    const auto& row = rows[r - 1];
    const auto& f = reopened->fields();
    EXPECT_EQ(reopened->get(f[0], record), Value(core::pad_right(std::get<std::string>(row.name), 20)));
    EXPECT_EQ(reopened->get(f[1], record), row.amount);
    EXPECT_EQ(reopened->get(f[2], record), row.rate);
    EXPECT_EQ(reopened->get(f[3], record), row.when);
    EXPECT_EQ(reopened->get(f[4], record), row.flag);
    EXPECT_EQ(core::rtrim(std::get<std::string>(reopened->get(f[5], record))), std::get<std::string>(row.text));
  }
}

TEST(DbfTable, NumbersAreRightAlignedWithAPointAndNeverCut) {
  testing::TempFolder folder;
  auto table = sample(folder);
  const Field& amount = table->fields()[1];
  std::string record = table->blank_record();
  table->put(amount, record, *Decimal::parse("1234.5"));
  EXPECT_EQ(record.substr(size_t(amount.offset), 12), "     1234.50");
  EXPECT_THROW(table->put(amount, record, *Decimal::parse("1000000000.00")), StorageError);
  EXPECT_EQ(record.substr(size_t(amount.offset), 12), "     1234.50");  // left as it was
  try {
    table->put(amount, record, *Decimal::parse("-1000000000"));
  } catch (const StorageError& e) {
    EXPECT_NE(std::string(e.what()).find("AMOUNT"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("SAMPLE.DBF"), std::string::npos);
  }
}

TEST(DbfTable, WideTextKeepsTheHighByteOfItsWidthInTheDecimalsByte) {
  testing::TempFolder folder;
  sample(folder);
  std::string bytes = testing::read_file(folder / "SAMPLE.DBF");
  const size_t descriptor = 32 + 32 * 5;  // the sixth field, LONG C512
  EXPECT_EQ(bytes.substr(descriptor, 4), std::string("LONG"));
  EXPECT_EQ(bytes[descriptor + 11], 'C');
  EXPECT_EQ(uint8_t(bytes[descriptor + 16]), 0);  // 512 = 2 * 256 + 0
  EXPECT_EQ(uint8_t(bytes[descriptor + 17]), 2);
  EXPECT_EQ(uint8_t(bytes[32 + 32 * 2 + 16]), 18);  // RATE N18.8
  EXPECT_EQ(uint8_t(bytes[32 + 32 * 2 + 17]), 8);
  EXPECT_EQ(uint8_t(bytes[0]), 0x03);
  EXPECT_EQ(bytes.back(), '\x1A');
}

TEST(DbfTable, TheRecordCountFollowsTheFileNotACachedFigure) {
  testing::TempFolder folder;
  auto first = sample(folder);
  auto second = Table::open(folder / "SAMPLE.DBF");
  EXPECT_EQ(second->record_count(), 0u);
  first->lock_append();
  first->append(first->blank_record());
  first->unlock_append();
  EXPECT_EQ(second->record_count(), 1u);
}

TEST(DbfTable, PackRemovesDeletedRecordsThroughARename) {
  testing::TempFolder folder;
  auto table = sample(folder);
  for (int i = 0; i < 5; ++i) {
    std::string record = table->blank_record();
    table->put(table->fields()[0], record, std::string(1, char('A' + i)));
    table->lock_append();
    table->append(record);
    table->unlock_append();
  }
  table->write_deleted_mark(2, true);
  table->write_deleted_mark(4, true);
  ASSERT_TRUE(table->lock_open_mode(true));
  EXPECT_EQ(table->pack(), 2u);
  EXPECT_EQ(table->record_count(), 3u);
  std::string record, names;
  for (uint32_t r = 1; r <= 3; ++r) {
    table->read(r, record);
    names += record[1];
  }
  EXPECT_EQ(names, "ACE");
  EXPECT_EQ(Table::open(folder / "SAMPLE.DBF")->record_count(), 3u);
}

// Files that are not sound tables: each is refused with a message naming the file,
// and is left exactly as it was.
TEST(DbfTable, UnsoundFilesAreRefusedAndLeftAlone) {
  testing::TempFolder folder;
  auto table = sample(folder);
  for (int i = 0; i < 3; ++i) {
    table->lock_append();
    table->append(table->blank_record());
    table->unlock_append();
  }
  table.reset();
  const std::string good = testing::read_file(folder / "SAMPLE.DBF");
  const size_t header = 32 + 32 * 6 + 1;
  auto with = [&](auto change) {
    std::string bytes = good;
    change(bytes);
    return bytes;
  };
  struct Case {
    const char* what;
    std::string bytes;
    const char* says;
  } cases[] = {
      {"cut in the middle of a record", good.substr(0, header + 700), "truncado"},
      {"cut inside the header", good.substr(0, 20), "truncado"},
      {"count above the file size", with([](std::string& b) { b[4] = 10; }), "anuncia 10"},
      {"impossible width", with([](std::string& b) { b[32 + 32 + 16] = 0; }), "campo imposs"},
      {"numeric field of width 99", with([](std::string& b) { b[32 + 32 + 16] = 99; }), "campo imposs"},
      {"not a table at all", std::string("Isto nao e uma tabela, e um texto qualquer.\n"), "não é uma tabela"},
      {"empty file", std::string(), "truncado"},
  };
  for (const auto& c : cases) {
    std::string path = folder / "BAD.DBF";
    testing::write_file(path, c.bytes);
    try {
      Table::open(path);
      ADD_FAILURE() << c.what << ": opened";
    } catch (const StorageError& e) {
      std::string text = e.what();
      EXPECT_NE(text.find(path), std::string::npos) << c.what << ": " << text;
      EXPECT_NE(text.find(c.says), std::string::npos) << c.what << ": " << text;
    }
    EXPECT_EQ(testing::read_file(path), c.bytes) << c.what;
  }
}

TEST(DbfTable, CreateNeverReplacesAnExistingTable) {
  testing::TempFolder folder;
  std::string path = folder / "ONE.DBF";
  ASSERT_TRUE(Table::create(path, parse_layout("A C1"), {" x"}));
  EXPECT_FALSE(Table::create(path, parse_layout("B C5")));
  auto table = Table::open(path);
  EXPECT_EQ(table->fields()[0].name, "A");
  EXPECT_EQ(table->record_count(), 1u);
}

}  // namespace
}  // namespace vormel::storage

namespace vormel::storage {
namespace {

// A write that fails in the middle of a pack or an index build (a full disk, an I/O
// error, a write cut short) leaves the table and its order as they were, and no
// temporary file behind.
TEST(DbfTable, AFailedWriteInARewriteLeavesEverythingAsItWas) {
  testing::TempFolder folder;
  std::string path = folder / "T.DBF";
  Table::create(path, parse_layout("A C600"));
  {
    auto t = Table::open(path);
    t->lock_append();
    for (int i = 0; i < 4000; ++i) t->append(std::string(601, i % 2 ? '*' : ' '));
    t->unlock_append();
    IndexOrder::build(folder / "T.CDX", "A", *t);
  }
  const std::string table = testing::read_file(path), index = testing::read_file(folder / "T.CDX");
  for (int nth = 1; nth <= 3; ++nth) {
    for (bool cut : {false, true}) {
      auto t = Table::open(path);
      ASSERT_TRUE(t->lock_open_mode(true));
      cut ? WriteFaults::cut_write(nth) : WriteFaults::fail_write(nth);
      EXPECT_THROW(t->pack(), StorageError) << nth;
      cut ? WriteFaults::cut_write(1) : WriteFaults::fail_write(1);
      EXPECT_THROW(IndexOrder::build(folder / "T.CDX", "A", *t), StorageError) << nth;
      WriteFaults::clear();
      EXPECT_EQ(testing::read_file(path), table) << nth;
      EXPECT_EQ(testing::read_file(folder / "T.CDX"), index) << nth;
      size_t files = 0;
      for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.path())) ++files;
      EXPECT_EQ(files, 2u) << nth;
    }
  }
}

}  // namespace
}  // namespace vormel::storage
