// Key expressions, index orders and moving through a work area in key order.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/cp850.h"
#include "core/text.h"
#include "storage/error.h"
#include "storage/index_order.h"
#include "storage/layout_text.h"
#include "storage/work_area.h"
#include "temp_folder.h"

namespace vormel::storage {
namespace {

using core::Date;
using core::Decimal;
using core::Value;

const char* kLayout = "CPF C11, ITEM N4, NAME C20, DT D8, HORA C5, AMOUNT N12.2";

class Orders : public ::testing::Test {
 protected:
  void SetUp() override { Table::create(path(), parse_layout(kLayout)); }
  std::string path() const { return folder / "ROWS.DBF"; }

  // A work area on the table with the orders given, open exclusively.
  WorkArea open(const std::vector<std::pair<std::string, std::string>>& orders) {
    WorkArea area;
    auto table = Table::open(path());
    EXPECT_TRUE(table->lock_open_mode(true));
    area.attach(std::move(table), "ROWS", true);
    for (const auto& [expression, file] : orders) {
      std::string index = folder / (file + ".CDX");
      std::string why;
      auto order = IndexOrder::open(index, expression, area.table(), &why);
      if (!order) {
        IndexOrder::build(index, expression, area.table());
        order = IndexOrder::open(index, expression, area.table(), &why);
      }
      EXPECT_TRUE(order) << why;
      area.add_order(std::move(order));
    }
    area.set_order(orders.empty() ? 0 : 1);
    return area;
  }

  static void add(WorkArea& area, const std::string& cpf, int item, const std::string& name = "",
                  Date dt = Date(), const std::string& hora = "", const char* amount = "0") {
    ASSERT_TRUE(area.try_append_blank());
    area.set("CPF", cpf);
    area.set("ITEM", Decimal(item));
    area.set("NAME", name);
    area.set("DT", dt);
    area.set("HORA", hora);
    area.set("AMOUNT", *Decimal::parse(amount));
  }

  static std::string walk(WorkArea& area, const char* field = "NAME") {
    std::string out;
    for (area.go_top(); !area.eof(); area.skip()) out += core::rtrim(area.text(field)) + ",";
    return out;
  }

  testing::TempFolder folder;
};

TEST_F(Orders, KeyExpressionsOfTheTables) {
  WorkArea area = open({});
  add(area, "12345678901", 7, "joão", *Date::from_ymd(2015, 3, 9), "0930", "-12.5");
  const Table& t = area.table();
  std::string record;
  t.read(1, record);
  struct Case {
    const char* expression;
    std::string key;
  } cases[] = {
      {"CPF", "12345678901"},
      {"CPF+str(ITEM,4)", "12345678901   7"},
      {"cpf + STR(item, 2)", "12345678901 7"},
      {"UPPER(NAME)", core::pad_right(core::cp850::upper("joão"), 20)},
      {"CPF+DTOS(DT)", "1234567890120150309"},
      {"HORA+DTOC(DT)", "0930 09/03/2015"},
  };
  for (const auto& c : cases) {
    auto key = KeyExpression::compile(c.expression, t);
    EXPECT_EQ(key.evaluate(record), c.key) << c.expression;
    EXPECT_EQ(key.length(), int(c.key.size())) << c.expression;
  }
  for (const char* wrong : {"NOPE", "CPF+ITEM", "UPPER(ITEM)", "LEFT(CPF,3)", "STR(CPF)", "CPF+"})
    EXPECT_THROW(KeyExpression::compile(wrong, t), StorageError) << wrong;
}

TEST_F(Orders, NumericKeysSortByValue) {
  WorkArea area = open({{"AMOUNT", "ROWS"}});
  const char* amounts[] = {"10", "-3.5", "2", "-100", "0", "99999999.99"};
  for (const char* a : amounts) add(area, "1", 0, a, Date(), "", a);
  EXPECT_EQ(walk(area), "-100,-3.5,0,2,10,99999999.99,");
  EXPECT_TRUE(area.seek(Decimal(2)));
  EXPECT_EQ(core::rtrim(area.text("NAME")), "2");
  EXPECT_FALSE(area.seek(Decimal(3)));
  EXPECT_TRUE(area.eof());
}

TEST_F(Orders, SeeksExactPrefixAndSoft) {
  WorkArea area = open({{"CPF+str(ITEM,4)", "ROWS"}});
  add(area, "22222222222", 2, "b2");
  add(area, "11111111111", 1, "a1");
  add(area, "22222222222", 1, "b1");
  add(area, "33333333333", 1, "c1");

  EXPECT_TRUE(area.seek(std::string("22222222222")));
  EXPECT_EQ(core::rtrim(area.text("NAME")), "b1");
  area.skip();
  EXPECT_EQ(core::rtrim(area.text("NAME")), "b2");

  EXPECT_TRUE(area.seek(std::string("22222222222   2"), Seek::Exact));
  EXPECT_FALSE(area.seek(std::string("22222222222"), Seek::Exact));  // exact means the whole key
  EXPECT_FALSE(area.seek(std::string("15")));
  EXPECT_TRUE(area.eof());
  EXPECT_FALSE(area.seek(std::string("15"), Seek::Soft));
  EXPECT_EQ(core::rtrim(area.text("NAME")), "b1");  // on the next greater key
  EXPECT_FALSE(area.seek(std::string("9"), Seek::Soft));
  EXPECT_TRUE(area.eof());
}

TEST_F(Orders, EqualKeysKeepRecordOrderAndDeletedRecordsAreHidden) {
  WorkArea area = open({{"CPF", "ROWS"}});
  for (const char* name : {"x1", "y1", "x2", "x3", "y2"}) add(area, name[0] == 'x' ? "X" : "Y", 0, name);
  EXPECT_EQ(walk(area), "x1,x2,x3,y1,y2,");
  ASSERT_TRUE(area.seek(std::string("X")));
  area.skip();
  ASSERT_TRUE(area.try_lock_record());
  area.erase();  // x2
  area.go_to(1);
  ASSERT_TRUE(area.try_lock_record());
  area.erase();  // x1
  EXPECT_EQ(walk(area), "x3,y1,y2,");
  EXPECT_TRUE(area.seek(std::string("X")));
  EXPECT_EQ(core::rtrim(area.text("NAME")), "x3");
  area.go_bottom();
  EXPECT_EQ(core::rtrim(area.text("NAME")), "y2");
  area.skip(-1);
  area.skip(-1);
  EXPECT_EQ(core::rtrim(area.text("NAME")), "x3");
  area.skip(-1);
  EXPECT_TRUE(area.bof());
  EXPECT_EQ(core::rtrim(area.text("NAME")), "x3");
  area.set_order(0);
  EXPECT_EQ(walk(area), "y1,x3,y2,");
}

TEST_F(Orders, EveryWriteKeepsEveryOrderRight) {
  WorkArea area = open({{"CPF", "ROWS"}, {"UPPER(NAME)", "ROWSB"}});
  add(area, "3", 0, "carla");
  add(area, "1", 0, "bruno");
  add(area, "2", 0, "ana");
  area.go_to(2);
  area.set("CPF", std::string("9"));
  area.set("NAME", std::string("zeca"));
  EXPECT_EQ(walk(area), "ana,carla,zeca,");
  area.set_order(2);
  EXPECT_EQ(walk(area), "ana,carla,zeca,");
  EXPECT_TRUE(area.seek(std::string("ZE")));
  EXPECT_EQ(area.recno(), 2u);

  // The orders on disk say the same after a reopen.
  area.close();
  WorkArea again = open({{"CPF", "ROWS"}, {"UPPER(NAME)", "ROWSB"}});
  EXPECT_EQ(walk(again), "ana,carla,zeca,");
}

TEST_F(Orders, AnotherAreaSeesTheChangesWithoutReopening) {
  WorkArea writer = open({{"CPF", "ROWS"}});
  add(writer, "5", 0, "e");
  WorkArea reader;
  {
    auto table = Table::open(path());
    reader.attach(std::move(table), "ROWS", true);
    std::string why;
    reader.add_order(IndexOrder::open(folder / "ROWS.CDX", "CPF", reader.table(), &why));
    reader.set_order(1);
  }
  EXPECT_EQ(walk(reader), "e,");
  add(writer, "1", 0, "a");
  writer.set("CPF", std::string("0"));
  EXPECT_EQ(walk(reader), "a,e,");
  EXPECT_TRUE(reader.seek(std::string("0")));
}

TEST_F(Orders, AnOrderThatDoesNotMatchItsTableIsNotTrusted) {
  {
    WorkArea area = open({{"CPF", "ROWS"}});
    for (int i = 0; i < 20; ++i) add(area, std::to_string(100 + i), i, "n" + std::to_string(i));
    IndexOrder::build(folder / "ROWS.CDX", "CPF", area.table());  // the entries in the base
  }
  const std::string index = folder / "ROWS.CDX";
  const std::string good = testing::read_file(index);
  auto table = Table::open(path());
  auto opens = [&](const std::string& bytes, const char* expression = "CPF") {
    testing::write_file(index, bytes);
    std::string why;
    return IndexOrder::open(index, expression, *table, &why) != nullptr;
  };
  EXPECT_TRUE(opens(good));
  EXPECT_FALSE(opens(good, "NAME"));           // built for another key
  EXPECT_FALSE(opens("CDX of somebody else"));  // foreign
  EXPECT_FALSE(opens(good.substr(0, good.size() - 3)));
  std::string flipped = good;
  flipped[520] ^= 0x20;  // a key byte in the base
  EXPECT_FALSE(opens(flipped));
  std::string header = good;
  header[12] = 3;  // key length
  EXPECT_FALSE(opens(header));
}

TEST_F(Orders, RowsAppendedByAnotherProgramAreAddedToTheOrder) {
  {
    WorkArea area = open({{"CPF", "ROWS"}});
    add(area, "2", 0, "b");
  }
  {
    // Append behind the index's back, as a program that knows nothing of it would.
    auto table = Table::open(path());
    std::string record = table->blank_record();
    table->put(*table->field("CPF"), record, std::string("1"));
    table->put(*table->field("NAME"), record, std::string("a"));
    table->lock_append();
    table->append(record);
    table->unlock_append();
  }
  WorkArea area = open({{"CPF", "ROWS"}});
  EXPECT_EQ(walk(area), "a,b,");
  EXPECT_TRUE(area.seek(std::string("1")));
}

TEST_F(Orders, WritesNeedALockUnlessTheTableIsOurs) {
  WorkArea exclusive = open({});
  add(exclusive, "1", 0);
  exclusive.close();
  WorkArea shared;
  auto table = Table::open(path());
  ASSERT_TRUE(table->lock_open_mode(false));
  shared.attach(std::move(table), "ROWS", false);
  shared.go_top();
  EXPECT_THROW(shared.set("NAME", std::string("x")), StorageError);
  ASSERT_TRUE(shared.try_lock_record());
  shared.set("NAME", std::string("x"));
  EXPECT_EQ(core::rtrim(shared.text("NAME")), "x");
}

TEST_F(Orders, ALongJournalIsFoldedIntoTheBaseWhenAlone) {
  {
    WorkArea area = open({{"CPF", "ROWS"}});
    for (int i = 0; i < 3000; ++i) add(area, std::to_string(i % 97), i);
  }
  WorkArea area = open({{"CPF", "ROWS"}});
  EXPECT_LT(area.order(1).journal_length(), 100u);
  EXPECT_EQ(area.order(1).size(), 3000u);
  EXPECT_TRUE(area.seek(std::string("96")));
}

}  // namespace
}  // namespace vormel::storage
