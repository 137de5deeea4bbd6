// The item editor over real tables: rows typed in, changed, deleted, inserted and
// renumbered, pasted from the clipboard, and read back from the table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../storage/temp_folder.h"
#include "../support/scripted_backend.h"
#include "core/cp850.h"
#include "core/text.h"
#include "screen/colour.h"
#include "entry/item_editor.h"
#include "storage/catalogue.h"
#include "storage/database.h"

namespace {

using namespace vormel;
using core::Decimal;
using core::Key;
using core::Value;
using entry::EditContext;

constexpr const char* kCpf = "12345678909";

struct ItemEditor : ::testing::Test {
  test_support::ScriptedBackend backend;
  core::Clock clock;
  screen::Console con{backend, clock};
  screen::Ui ui{con};
  storage::testing::TempFolder dir;
  storage::QuietReporter reporter;
  storage::Database db{reporter, {dir.path(), dir.path(), "00"}};
  core::Record vars;
  EditContext ctx;

  void SetUp() override {
    ctx.cpf = kCpf;
    ctx.vars = &vars;
    ctx.declaration = true;
  }

  // A working copy of declaration table `table`, empty, in its area (table + 20).
  int copies = 0;
  storage::WorkArea& copy(int table) {
    const std::string base = dir / ("TMP_" + std::to_string(table) + "_" + std::to_string(++copies));
    EXPECT_TRUE(storage::Table::create(base + ".DBF", storage::layout_of(table)));
    EXPECT_TRUE(db.ABREARQ(std::to_string(table + 20), true, base, "CPF"));
    return db.area(table + 20);
  }
  void add(storage::WorkArea& a, const std::vector<std::pair<std::string, Value>>& fields) {
    ASSERT_TRUE(a.try_append_blank());
    a.set("CPF", Value(std::string(kCpf)));
    for (const auto& [name, value] : fields) a.set(name, value);
    a.unlock();
  }
  // The assets with these lines and items, in record order.
  storage::WorkArea& assets(const std::vector<std::pair<int, int>>& line_item) {
    storage::WorkArea& a = copy(4);
    for (auto [line, item] : line_item) add(a, {{"I7_0", Decimal(line)}, {"I7_1", Decimal(item)}});
    return a;
  }
  // A field of every row, deleted ones left out, in record order.
  static std::vector<std::string> column(storage::WorkArea& a, const std::string& field) {
    std::vector<std::string> out;
    for (uint32_t r = 1; r <= a.record_count(); ++r) {
      a.go_to(r);
      if (a.deleted()) continue;
      const Value v = a.get(field);
      out.push_back(core::is_number(v) ? std::to_string(std::get<Decimal>(v).to_int())
                                       : core::rtrim(std::get<std::string>(v)));
    }
    return out;
  }
  Key run(int section, std::vector<Key> keys) {
    backend.keys.assign(keys.begin(), keys.end());
    return entry::EDITA(ui, db, section, ctx);
  }
};

std::vector<Key> typed(const std::string& text) {
  std::vector<Key> keys;
  for (char c : text) keys.push_back(c == '\n' ? Key(Key::Enter) : Key::ch(static_cast<unsigned char>(c)));
  return keys;
}

std::vector<Key> operator+(std::vector<Key> a, const std::vector<Key>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(ItemEditor, AnEmptySectionStartsOnTheBlankLineAndADigitStartsTheEdit) {
  storage::WorkArea& a = copy(4);
  EXPECT_EQ(run(5, typed("5\n") + std::vector<Key>{Key::F5}), Key(Key::F5));
  // The digit was the first key of the edit of the first cell; confirming it appended the
  // row with the declaration's CPF and the line number of its place.
  EXPECT_EQ(column(a, "I7_1"), (std::vector<std::string>{"5"}));
  EXPECT_EQ(column(a, "I7_0"), (std::vector<std::string>{"10"}));
  EXPECT_EQ(column(a, "CPF"), (std::vector<std::string>{kCpf}));
  EXPECT_NE(con.grid().row_text(2).find("Item"), std::string::npos);
}

TEST_F(ItemEditor, RowsAreAddedEditedDeletedAndTotalled) {
  storage::WorkArea& a = copy(4);
  // Two rows typed across (the code column checks the code and wraps to the next row),
  // the first one's value changed, the second deleted.
  const std::vector<Key> keys = typed("1\nCasa\n100\n200\n11\n\n") + typed("2\nCarro\n50\n70\n") +
                                std::vector<Key>{Key::Up, Key::Left, Key::Left} + typed("150\n") +
                                std::vector<Key>{Key::Down, Key::Del, Key::ch('S'), Key::Esc};
  run(5, keys);
  EXPECT_TRUE(backend.showed("Apartamento"));
  EXPECT_TRUE(backend.showed("Confirma a Exclusão dessa linha?"));
  EXPECT_EQ(column(a, "I7_2"), (std::vector<std::string>{"Casa"}));
  EXPECT_EQ(column(a, "I7_3"), (std::vector<std::string>{"150"}));
  EXPECT_EQ(column(a, "I7_4"), (std::vector<std::string>{"200"}));
  EXPECT_EQ(column(a, "I7_5"), (std::vector<std::string>{"11"}));
  EXPECT_EQ(a.record_count(), 2u);
  EXPECT_EQ(vars.number("I13_39"), Decimal(150));
  EXPECT_EQ(vars.number("I13_40"), Decimal(200));
  // The totals row of the screen: this year's start at 48, its end at 65.
  EXPECT_EQ(con.grid().row_text(12).substr(48, 14), "        150,00");
  EXPECT_EQ(con.grid().row_text(12).substr(65, 14), "        200,00");
}

struct InsertCase {
  const char* name;
  std::vector<Key> keys;
  std::vector<std::string> lines;  // in record order
};

TEST_F(ItemEditor, InsertingAfterALineNumbersTheNewRowsAndTheRestByTens) {
  const std::vector<InsertCase> cases = {
      {"Ins after 30", {Key::Down, Key::Down, Key::Ins, Key::ch('S'), Key::Esc}, {"10", "20", "30", "41", "31"}},
      {"Ins refused", {Key::Down, Key::Down, Key::Ins, Key::ch('N'), Key::Esc}, {"10", "20", "30", "40"}},
      {"Alt+L 2 after 30",
       {Key::Down, Key::Down, Key::alt('L'), Key::ch('2'), Key::Enter, Key::Esc},
       {"10", "20", "30", "42", "31", "32"}},
      {"Alt+L 0", {Key::Down, Key::Down, Key::alt('L'), Key::ch('0'), Key::Enter, Key::Esc}, {"10", "20", "30", "40"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    db.close_area(24);
    storage::WorkArea& a = assets({{10, 1}, {20, 2}, {30, 3}, {40, 4}});
    run(5, c.keys);
    EXPECT_EQ(column(a, "I7_0"), c.lines);
  }
}

struct RenumberCase {
  const char* name;
  std::vector<std::pair<int, int>> rows;  // line, item
  std::vector<Key> keys;
  const char* field;
  std::vector<std::string> after;
  const char* message;
};

TEST_F(ItemEditor, RenumberingItemsAndLines) {
  const std::vector<RenumberCase> cases = {
      {"an item 0 is refused",
       {{10, 0}, {20, 0}, {30, 5}},
       {Key::alt('R'), Key::Enter, Key::Esc},
       "I7_1",
       {"0", "0", "5"},
       "Só é possível reorganizar a partir de um item diferente de Zero"},
      {"items after 1, zeros kept",
       {{10, 1}, {20, 0}, {30, 7}, {40, 9}},
       {Key::alt('R'), Key::ch('S'), Key::Esc},
       "I7_1",
       {"1", "0", "2", "3"},
       "Reorganiza os nros dos Bens/dividas após esse Item?"},
      {"lines by tens",
       {{10, 1}, {25, 2}, {26, 3}, {90, 4}},
       {Key(Key::End | Key::Ctrl), Key::Left, Key::alt('R'), Key::ch('S'), Key::Esc},
       "I7_0",
       {"10", "20", "30", "40"},
       "Reorganiza os nros das Linhas após esse Item?"},
      {"another column",
       {{10, 1}, {20, 5}},
       {Key::Right, Key::alt('R'), Key::Enter, Key::Esc},
       "I7_1",
       {"1", "5"},
       "Posicione o cursor sobre a coluna Item ou Linha"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    db.close_area(24);
    backend.screens.clear();
    storage::WorkArea& a = assets(c.rows);
    run(5, c.keys);
    EXPECT_EQ(column(a, c.field), c.after);
    EXPECT_TRUE(backend.showed(c.message));
  }
}

TEST_F(ItemEditor, AltDownWithATwoLineClipboardOnTheAssetsCreatesTwoAssetRows) {
  storage::WorkArea& a = assets({{10, 1}});
  con.clipboard_set("Casa na praia\r\nCarro\n\n");
  run(5, {Key(Key::Down | Key::Alt), Key::Esc});
  EXPECT_EQ(column(a, "I7_2"), (std::vector<std::string>{"", "Casa na praia", "Carro"}));
  EXPECT_EQ(column(a, "I7_0"), (std::vector<std::string>{"10", "20", "30"}));
  EXPECT_EQ(column(a, "CPF"), (std::vector<std::string>{kCpf, kCpf, kCpf}));
}

TEST_F(ItemEditor, CellClipboardAndCalculator) {
  storage::WorkArea& a = assets({{10, 1}});
  a.go_to(1);
  a.try_lock_record();
  a.set("I7_2", Value(std::string("Casa")));
  a.set("I7_3", Value(Decimal(100)));
  a.unlock();
  ui.calculator = [] { return std::optional<Decimal>(Decimal(1234)); };
  // Alt+M copies the description, Alt+C pastes it on the blank line (a new row), Alt+S
  // puts the calculator's result into its value; Alt+Up adds the new row's description
  // as a line, and Alt+End hands both lines to the system clipboard.
  run(5, {Key::Right, Key::alt('M'), Key::Down, Key::alt('C'), Key::Right, Key::alt('S'), Key::Left,
          Key(Key::Up | Key::Alt), Key(Key::End | Key::Alt), Key::Esc});
  EXPECT_EQ(column(a, "I7_2"), (std::vector<std::string>{"Casa", "Casa"}));
  EXPECT_EQ(column(a, "I7_3"), (std::vector<std::string>{"100", "1234"}));
  EXPECT_EQ(vars.number("I13_39"), Decimal(1334));
  EXPECT_EQ(con.clipboard_get(), "Casa\nCasa");
  EXPECT_EQ(ctx.CLIPTEX, Value(std::string()));
  EXPECT_FALSE(con.has_key(Key::alt('S')));  // the key was the list's only while it ran
}

TEST_F(ItemEditor, AssetHeadingsByTheKindOfDeclarationAndTheTotalsAlert) {
  struct Case {
    const char* final_estate;
    const char* departure;
    const char* a1;
    const char* a2;
  };
  for (const Case& c : {Case{"S", "", " Data Partilha", " Val. Transf. "}, Case{"", "S", "Em 31/12/2014", "Dt.Não Resid."},
                        Case{"", "", "Em 31/12/2014", "Em 31/12/2015"}}) {
    vars.set_text("DECFINAL", c.final_estate);
    vars.set_text("DECSAIDA", c.departure);
    const entry::Section s = entry::assets_section(ctx);
    EXPECT_EQ(s.columns[2].heading, core::cp850::from_utf8(c.a1));
    EXPECT_EQ(s.columns[3].heading, core::cp850::from_utf8(c.a2));
  }
  // The previous year's total differs from this year's start: alert colour, unless the
  // declaration is a rectifying one; zero shows as "0.00" at column 30.
  const screen::Attr alert = screen::attr_of(ui.colours.CORATEN);
  vars.set_number("I13_39", Decimal(100));
  vars.set_number("NTOTBANT1", Decimal(90));
  entry::draw_asset_totals(ui, vars, 12);
  EXPECT_EQ(con.grid().get(12, 30).attr, alert);
  vars.set_text("RETIFICA", "S");
  entry::draw_asset_totals(ui, vars, 12);
  EXPECT_NE(con.grid().get(12, 30).attr, alert);
  vars.set_text("RETIFICA", "N");
  vars.set_number("NTOTBANT1", Decimal(0));
  entry::draw_asset_totals(ui, vars, 12);
  EXPECT_EQ(con.grid().row_text(12).substr(20, 14), "          0.00");
  EXPECT_EQ(con.grid().get(12, 30).attr, alert);
}

TEST_F(ItemEditor, AltOOrdersTheRowsByTheCurrentColumn) {
  assets({{10, 3}, {20, 1}, {30, 2}});
  EXPECT_EQ(run(5, {Key::alt('O'), Key::alt('Z')}), Key::alt('Z'));  // the zoom keys end the list
  for (int i = 0; i < 3; ++i) EXPECT_EQ(con.grid().row_text(4 + i).substr(1, 4), "   " + std::to_string(i + 1));
}

TEST_F(ItemEditor, NotesInsertBeforeAndLongClipboardLinesInPieces) {
  storage::WorkArea& a = copy(11);
  for (const char* note : {"A", "B", "C"}) add(a, {{"OBSERV", Value(std::string(note))}});
  con.clipboard_set(std::string(130, 'x'));
  run(11, {Key::Down, Key::Ins, Key::ch('S'), Key(Key::Down | Key::Alt), Key::Esc});
  // The new note took B's place and B, C moved down; the pasted line became notes of 61.
  EXPECT_EQ(column(a, "OBSERV"), (std::vector<std::string>{"A", "", "B", "C", std::string(61, 'x'),
                                                           std::string(61, 'x'), std::string(8, 'x')}));
  EXPECT_EQ(column(a, "CPF"), std::vector<std::string>(7, kCpf));
  EXPECT_EQ(column(a, "PAGINA"), std::vector<std::string>(7, "0"));
}

TEST_F(ItemEditor, FolderListChecksAndPathsAsTyped) {
  ASSERT_TRUE(db.SAI_ABRE(50));
  int selected = 0;
  std::string created;
  entry::Section s = entry::folder_list_section(
      [&](entry::CellEdit&) { return ++selected, true; },
      [&](entry::CellEdit& e) { return created = core::rtrim(std::get<std::string>(e.value)), true; });
  // A wrong mark and an empty path are refused; the path is kept as typed and marking
  // it "S" hands it to the shell; F5 does nothing in this list.
  backend.keys = {Key::Down, Key::ch('X'), Key::Enter, Key::Enter, Key::Esc, Key::Right, Key::Enter, Key::Enter,
                  Key::Enter};
  for (Key k : typed("/tmp/Minha Pasta\n")) backend.keys.push_back(k);
  for (Key k : {Key(Key::Up), Key::ch('S'), Key(Key::Enter), Key(Key::F5), Key(Key::Esc)}) backend.keys.push_back(k);
  EXPECT_EQ(entry::EDITA(ui, db, s, ctx), Key(Key::Esc));
  EXPECT_TRUE(backend.showed("Pastas"));
  EXPECT_TRUE(backend.showed("Informe com 'S'(Sim)"));
  EXPECT_TRUE(backend.showed("É necessário preencher o nome da Pasta"));
  EXPECT_EQ(created, "/tmp/Minha Pasta");
  EXPECT_EQ(selected, 1);
  storage::WorkArea& list = db.area(50);
  EXPECT_EQ(column(list, "DIRETOR")[1], "/tmp/Minha Pasta");
  EXPECT_EQ(column(list, "SELEC")[1], "S");
}

}  // namespace
