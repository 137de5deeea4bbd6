// The list's colours and that it leaves its work area on the order and row it found.
#include <gtest/gtest.h>

#include <deque>

#include "../storage/temp_folder.h"
#include "screen/browse_list.h"
#include "storage/database.h"

namespace {

using namespace vormel;
using core::Key;

// Keys from a list; the grid as it was when each key was read.
class ScriptedBackend : public screen::Backend {
 public:
  std::deque<Key> keys;
  std::vector<screen::Frame> seen;
  screen::Frame last;
  void present(const screen::Frame& f) override { last = f; }
  std::optional<Key> read_key(int, bool idle) override {
    if (keys.empty()) {
      if (idle) throw screen::ScriptExhausted{};
      return std::nullopt;
    }
    seen.push_back(last);
    Key k = keys.front();
    keys.pop_front();
    return k;
  }
  void bell() override {}
  void clear_typeahead() override {}
  void clipboard_set(const std::string&) override {}
  std::optional<std::string> clipboard_get() override { return std::nullopt; }
};

struct Hbrowse : ::testing::Test {
  ScriptedBackend backend;
  core::Clock clock;
  screen::Console con{backend, clock};
  screen::Ui ui{con};
  storage::testing::TempFolder dir;
  storage::QuietReporter reporter;
  storage::Database db{reporter, {dir.path(), dir.path(), "00"}};
  screen::BrowseSpec spec;

  void SetUp() override {
    ASSERT_TRUE(db.ABERTURA(46));  // asset codes
    spec.rect = {8, 6, 21, 57};
    spec.columns = {{"Cod.", "CODBEM", "", 0, {}, {}}, {"Bens e Direitos", "DESCBENS", "", 0, {}, {}}};
  }
  screen::Attr attr_at(size_t key, int grid_row) { return backend.seen[key].cells[size_t(grid_row + 1)][6].attr; }
};

TEST_F(Hbrowse, CursorRowColourAndTheAreaLeftAsFound) {
  storage::WorkArea& a = db.area(46);
  a.set_order(0);
  a.go_to(3);
  backend.keys = {Key::Down, Key::F1, Key::Esc};
  EXPECT_FALSE(screen::HBROWSE(ui, a, spec).has_value());
  // The list starts on the current row, at the top; Down moves the cursor below it.
  EXPECT_EQ(attr_at(0, 10), screen::attr_of(ui.colours.COR_ESC_CL));
  EXPECT_EQ(attr_at(1, 10), screen::attr_of(ui.colours.COR_CLI_HE));
  EXPECT_EQ(attr_at(1, 11), screen::attr_of(ui.colours.COR_ESC_CL));
  EXPECT_EQ(a.active_order(), 0u);
  EXPECT_EQ(a.recno(), 3u);

  // With the cursor colour the same as the list's, the cursor takes COR_2_CLI.
  ui.colours.COR_ESC_CL = ui.colours.COR_CLI_HE;
  backend.seen.clear();
  backend.keys = {Key::Down, Key::Enter};
  EXPECT_EQ(screen::HBROWSE(ui, a, spec), std::optional<uint32_t>(4));
  EXPECT_EQ(attr_at(1, 11), screen::attr_of(ui.colours.COR_2_CLI));
  EXPECT_EQ(a.recno(), 3u);
}

}  // namespace
