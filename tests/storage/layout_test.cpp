// The layouts the program creates its tables with.
#include <gtest/gtest.h>

#include "storage/catalogue.h"
#include "storage/database.h"
#include "storage/dbf_table.h"
#include "storage/error.h"
#include "storage/layout_text.h"
#include "temp_folder.h"

namespace vormel::storage {
namespace {

int position(const Layout& layout, const std::string& name) {
  for (size_t i = 0; i < layout.size(); ++i)
    if (layout[i].name == name) return int(i);
  return -1;
}

TEST(Layouts, FieldCountsOfTheWideTables) {
  const std::pair<int, size_t> counts[] = {{1, 154}, {2, 81}, {7, 135}, {9, 107}, {12, 93}, {15, 66}};
  for (auto [number, count] : counts) EXPECT_EQ(layout_of(number).size(), count) << "table " << number;
}

TEST(Layouts, GeneratedFamiliesComeInCounterOrder) {
  Layout imp01 = layout_of(1);
  EXPECT_EQ(imp01[0].name, "CPF");
  EXPECT_EQ(imp01[1].name, "I3_01");
  EXPECT_EQ(imp01[2].name, "I4_01");
  EXPECT_EQ(position(imp01, "I3_11"), position(imp01, "I4_10") + 1);
  EXPECT_EQ(position(imp01, "I13_51") + 1, position(imp01, "QTD_QUOTA"));

  Layout imp12 = layout_of(12);
  EXPECT_EQ(imp12[2].name, "I2_101");
  EXPECT_EQ(imp12[8].name, "I2_701");
  EXPECT_EQ(imp12[9].name, "I2_102");
  EXPECT_EQ(imp12.back().name, "I2_713");

  Layout imp02 = layout_of(2);
  EXPECT_EQ(position(imp02, "I1_501"), position(imp02, "I1_401") + 1);
  EXPECT_EQ(position(imp02, "I1_601"), position(imp02, "I1_501") + 1);
  EXPECT_EQ(imp02.back().name, "I1_612");
  EXPECT_EQ(layout_of(7).back().name, "IMP_LEI12");
  EXPECT_GE(position(layout_of(7), "DIA_REC12"), 0);
  EXPECT_EQ(layout_of(15)[2].name, "I3_01OR");
  EXPECT_GE(position(layout_of(15), "I7_5V1"), 0);
}

TEST(Layouts, TypesWidthsAndDecimals) {
  struct Case {
    int table;
    const char* field;
    FieldSpec spec;
  } cases[] = {
      {4, "I7_2", {"I7_2", 'C', 512, 0}},      {7, "FR1", {"FR1", 'N', 18, 8}},
      {2, "I1_21", {"I1_21", 'N', 5, 1}},      {9, "NASCIMENTO", {"NASCIMENTO", 'D', 8, 0}},
      {1, "SO_REC", {"SO_REC", 'L', 1, 0}},    {6, "I6_412", {"I6_412", 'N', 14, 2}},
      {43, "VAL_DOLAR", {"VAL_DOLAR", 'N', 8, 4}}, {56, "COR_ENCH_C", {"COR_ENCH_C", 'C', 10, 0}},
  };
  for (const auto& c : cases) {
    Layout layout = layout_of(c.table);
    int at = position(layout, c.field);
    ASSERT_GE(at, 0) << c.field;
    EXPECT_EQ(layout[size_t(at)], c.spec) << c.field;
  }
}

TEST(Layouts, SecondCopiesUseTheLayoutOfTheirTable) {
  EXPECT_EQ(layout_of(29), layout_of(9));
  EXPECT_EQ(layout_of(40), layout_of(20));
  EXPECT_TRUE(layout_of(45).empty());  // reference tables are not created from a layout
  EXPECT_TRUE(layout_of(71).empty());
}

TEST(Layouts, EveryTableIsCreatedOnFirstOpenWithItsLayout) {
  testing::TempFolder program, work;
  QuietReporter reporter;
  Database db(reporter, {program.path(), work.path(), "00"});
  int created = 0;
  for (const auto& def : all_tables()) {
    if (!def.layout) continue;
    ASSERT_TRUE(db.ABERTURA(def.number)) << def.name;
    // Read the header back from the file itself, not from the open table.
    auto table = Table::open(db.area(def.number).path());
    Layout layout = layout_of(def.number);
    ASSERT_EQ(table->fields().size(), layout.size()) << def.name;
    int length = 1;
    for (size_t i = 0; i < layout.size(); ++i) {
      EXPECT_EQ(FieldSpec(table->fields()[i]), layout[i]) << def.name;
      length += layout[i].width;
    }
    EXPECT_EQ(table->record_length(), length) << def.name;
    if (def.number != 54) {  // the check's messages come with the program
      EXPECT_EQ(table->record_count(), def.number == 43 || def.number == 50 ? 1u : 0u) << def.name;
    }
    ++created;
  }
  EXPECT_EQ(created, 37);
  EXPECT_TRUE(reporter.messages.empty());
}

TEST(LayoutText, MalformedTextsAreRefused) {
  for (const char* text : {"CPF", "CPF X11", "NAME_TOO_LONG C1", "(n=1..3 A{n} C1", "(n=1..12: VERY_LONG{n} C1)"})
    EXPECT_THROW(parse_layout(text), StorageError) << text;
}

}  // namespace
}  // namespace vormel::storage
