// An independent DBF library (Debian's python3-dbf) reads every table we write whose
// fields fit the classic limits, field by field, and rows it appends are read by us.
#include <gtest/gtest.h>

#include <sstream>

#include "core/cp850.h"
#include "core/text.h"
#include "run_program.h"
#include "storage/catalogue.h"
#include "storage/database.h"
#include "temp_folder.h"

namespace vormel::storage {
namespace {

const std::string kPeer = std::string(SOURCE_DATA) + "/../tests/storage/interop/dbf_peer.py";

// A value for each field that fills it as far as it goes.
core::Value sample_value(const FieldSpec& f) {
  switch (f.type) {
    case 'N': {
      int whole = f.width - (f.decimals ? f.decimals + 1 : 0) - 1;
      if (whole < 1) return core::Decimal(7);
      whole = std::min(whole, 15 - f.decimals);  // what a double keeps exactly
      std::string text = "-" + std::string(size_t(whole), '9') + (f.decimals ? "." + std::string(size_t(f.decimals), '8') : "");
      return *core::Decimal::parse(text);
    }
    case 'D': return *core::Date::from_ymd(2015, 12, 31);
    case 'L': return true;
    default: return (std::string("\xC7") + f.name + " \x87\xA0 valor").substr(0, size_t(f.width));  // Ç ç á
  }
}

std::string shown(const Table& table, const Field& f, const std::string& record) {
  core::Value v = table.get(f, record);
  if (auto* n = std::get_if<core::Decimal>(&v)) return n->to_string(f.decimals);
  if (auto* d = std::get_if<core::Date>(&v)) return core::trim(core::DTOS(*d));
  if (auto* b = std::get_if<bool>(&v)) return *b ? "T" : "F";
  return core::cp850::to_utf8(core::rtrim(std::get<std::string>(v)));
}

std::vector<std::string> split(const std::string& text, char by) {
  std::vector<std::string> out;
  std::stringstream in(text);
  for (std::string part; std::getline(in, part, by);) out.push_back(part);
  return out;
}

TEST(Interoperability, TheIndependentLibraryReadsEveryClassicTableFieldByField) {
  testing::TempFolder folder;
  QuietReporter reporter;
  Database db(reporter, {folder.path(), folder.path(), "00"});
  int checked = 0;
  for (const auto& def : all_tables()) {
    if (!def.layout) continue;
    Layout layout = layout_of(def.number);
    bool classic = true;
    for (const auto& f : layout) classic = classic && f.width <= 254;
    if (!classic) continue;  // the wide-field extension is ours
    std::string path = folder / (def.name + ".DBF");
    ASSERT_TRUE(Table::create(path, layout));
    auto table = Table::open(path);
    std::string record = table->blank_record();
    for (const auto& f : table->fields()) table->put(f, record, sample_value(f));
    table->lock_append();
    table->append(record);
    table->append(table->blank_record());
    table->unlock_append();

    std::string output;
    ASSERT_EQ(testing::run_program({"/usr/bin/python3", kPeer, "read", path}, &output), 0) << def.name;
    auto lines = split(output, '\n');
    ASSERT_EQ(lines.size(), 2u) << def.name << "\n" << output;
    for (uint32_t r = 1; r <= 2; ++r) {
      table->read(r, record);
      auto fields = split(lines[r - 1], '\t');
      ASSERT_EQ(fields.size(), table->fields().size()) << def.name;
      for (size_t i = 0; i < fields.size(); ++i) {
        const Field& f = table->fields()[i];
        std::string expected = f.name + "=" + shown(*table, f, record);
        // A blank number or logical is "no value" to the library; to us it reads 0 or false.
        if (r == 2 && (f.type == 'N' || f.type == 'L')) expected = f.name + "=";
        EXPECT_EQ(fields[i], expected) << def.name << " record " << r;
      }
    }
    ++checked;
  }
  EXPECT_GE(checked, 25);
}

TEST(Interoperability, RowsTheIndependentLibraryAppendsAreFoundThroughOurIndexes) {
  testing::TempFolder folder;
  QuietReporter reporter;
  Database db(reporter, {folder.path(), folder.path(), "00"});
  ASSERT_TRUE(db.ABERTURA(9));
  ASSERT_TRUE(db.ADD_REC(1));
  db.area(9).set("CPF", std::string("22222222222"));
  db.area(9).set("NOMECONTR", std::string("BEATRIZ"));
  db.close_all();

  std::string output;
  ASSERT_EQ(testing::run_program({"/usr/bin/python3", kPeer, "append", folder / "IMP0916.DBF", "CPF=11111111111",
                                  "NOMECONTR=ANTÔNIO", "ESTATUS=4", "NASCIMENTO=19700215"},
                                 &output),
            0)
      << output;

  ASSERT_TRUE(db.ABERTURA(9));
  WorkArea& clients = db.area(9);
  EXPECT_EQ(clients.record_count(), 2u);
  ASSERT_TRUE(clients.seek(std::string("11111111111")));
  EXPECT_EQ(core::cp850::to_utf8(core::trim(clients.text("NOMECONTR"))), "ANTÔNIO");
  EXPECT_EQ(clients.get("NASCIMENTO"), core::Value(*core::Date::from_ymd(1970, 2, 15)));
  clients.set_order(2);
  clients.go_top();
  EXPECT_EQ(clients.recno(), 2u);  // ANTÔNIO before BEATRIZ
  clients.set_order(3);
  ASSERT_TRUE(clients.seek(core::Decimal(4)));
  EXPECT_EQ(clients.recno(), 2u);
}

}  // namespace
}  // namespace vormel::storage
