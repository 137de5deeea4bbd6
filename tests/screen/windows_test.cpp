// Colours, the window table and the menu numbering, on a console with a scripted back end.
#include <gtest/gtest.h>

#include <deque>

#include "screen/colour.h"
#include "screen/menu.h"
#include "screen/message_box.h"
#include "screen/ui.h"
#include "../support/scripted_backend.h"

namespace {

using namespace vormel;
using screen::Grid;

using test_support::ScriptedBackend;

struct Fixture : ::testing::Test {
  ScriptedBackend backend;
  core::Clock clock;
  screen::Console con{backend, clock};
  screen::Ui ui{con};
};

TEST(Colour, AchacorAndBackAgain) {
  struct Case {
    int attr;
    const char* text;
  };
  for (const Case& c : {Case{30, "GR+/B"}, Case{31, "W+/B"}, Case{63, "W+/BG"}, Case{79, "W+/R"}, Case{112, "N/W"},
                        Case{48, "N/BG"}, Case{7, "W/N"}, Case{248, "N+/W+"}, Case{71, "W/R"}}) {
    SCOPED_TRACE(c.attr);
    EXPECT_EQ(screen::ACHACOR(c.attr), c.text);
    EXPECT_EQ(screen::attr_of(c.text), c.attr);
  }
  // "*" means bright on either side; a colour set gives its first colour.
  EXPECT_EQ(screen::attr_of("N/W*"), 0xF0);
  EXPECT_EQ(screen::attr_of("W*/B"), 0x1F);
  EXPECT_EQ(screen::attr_of("GR+/B,W+/B,N/N"), 30);
  EXPECT_EQ(screen::colour_part("a,b,c", 2), "c");
}

TEST_F(Fixture, WindowTextRepeatsAndColourSwitches) {
  screen::DEFINEJAN(ui, 3, 30, 31, 63, 2, 10, 3, 19, 0);
  screen::ABREJAN(ui, 3);
  screen::ESCRJAN(ui, 3, "\x02" + screen::REP(5) + "-\x01" + "abcde" + "0123456789");
  EXPECT_EQ(con.grid().row_text(2).substr(10, 10), "-----abcde");
  EXPECT_EQ(con.grid().row_text(3).substr(10, 10), "0123456789");  // wrapped at the inner width
  EXPECT_EQ(con.grid().get(2, 10).attr, 31);
  EXPECT_EQ(con.grid().get(2, 15).attr, 30);
  EXPECT_EQ(ui.windows[3].text, "-----abcde0123456789");
  // Recolouring takes the stored text: row 2, column 1, five characters.
  screen::ESCRATR(ui, 3, 2, 1, 79, 5);
  EXPECT_EQ(con.grid().get(3, 10).attr, 79);
  EXPECT_EQ(con.grid().row_text(3).substr(10, 5), "01234");
}

TEST_F(Fixture, OpeningSavesAndClosingRestoresEvenPastTheEdges) {
  con.grid().fill(screen::Rect{0, 0, 24, 79}, '.', 7);
  const std::string before = con.grid().row_text(24);
  // Windows 1–10 start as rows 1–25, columns 1–80: partly outside the grid.
  screen::DEFINEJAN(ui, 4, 30, 31, 63, 20, 70, 26, 85, 1);
  screen::ABREJAN(ui, 4);
  screen::ESCRJAN(ui, 4, std::string(100, 'x'));
  screen::ABREJAN(ui, 4);  // opened twice: the older save comes back first
  screen::FECHAJAN(ui, 4);
  for (int r = 0; r < Grid::kRows; ++r) EXPECT_EQ(con.grid().row_text(r), std::string(80, '.')) << r;
  screen::FECHAJAN(ui, 4);  // nothing saved any more: nothing happens
  EXPECT_EQ(con.grid().row_text(24), before);
}

TEST_F(Fixture, MovingAWindowKeepsItInsideTheGrid) {
  screen::DEFINEJAN(ui, 9, 30, 31, 63, 0, 0, 2, 5, 0);
  screen::ABREJAN(ui, 9);
  screen::ESCRJAN(ui, 9, "abcdef");
  screen::MOVEVER(ui, 9, core::Key(core::Key::Up));  // already at the top
  EXPECT_EQ(ui.windows[9].top, 0);
  screen::MOVEHOR(ui, 9, core::Key(core::Key::Right));
  EXPECT_EQ(ui.windows[9].left, 1);
  EXPECT_EQ(con.grid().row_text(0).substr(0, 7), " abcdef");
}

TEST(Menu, CommandNumbersInCreationOrderAndEvents) {
  screen::Menu m;
  int ran = 0;
  for (int pad = 0; pad < 3; ++pad) {
    m.sub_menu("&Pad" + std::to_string(pad));
    for (int i = 0; i < 4; ++i) m.item("Item", [&ran, n = pad * 4 + i] { ran = n + 1; });
    m.end_menu();
  }
  EXPECT_EQ(m.last_number(), 1015);
  EXPECT_EQ(m.pads()[0].number, 1001);
  EXPECT_EQ(m.pads()[1].items[2].number, 1009);
  EXPECT_TRUE(m.event(1009));
  EXPECT_EQ(ran, 7);  // the seventh item created
  EXPECT_FALSE(m.event(1006));  // a pad is no command
  EXPECT_FALSE(m.event(2000));
  EXPECT_EQ(m.pads()[2].hot_letter(), 'P');
}

TEST_F(Fixture, MessageBoxShowsSixteenLinesAndScrollsTheRest) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 20; ++i) lines.push_back("linha " + std::to_string(i));
  backend.keys = {core::Key(core::Key::Down), core::Key(core::Key::Down), core::Key(core::Key::Down),
                  core::Key(core::Key::Down), core::Key('1')};
  int seen_last = 0;
  con.on_tick([] {});
  EXPECT_EQ(screen::MSGALERT(con, lines, {"1", "2"}, "W+/B", "Aviso", false), 1);
  // After four rows of scrolling the last line was on screen.
  for (int r = 0; r < screen::Frame::kRows; ++r)
    if (backend.last.row_text(r).find("linha 20") != std::string::npos) seen_last = r;
  EXPECT_GT(seen_last, 0);
  EXPECT_EQ(con.grid().row_text(12), std::string(80, ' '));  // closed: the screen is back
}

TEST_F(Fixture, EscClosesOnlyTheBoxesThatAllowIt) {
  backend.keys = {core::Key(core::Key::Esc), core::Key('2')};
  EXPECT_EQ(screen::MSGALERT(con, {"x"}, {"1", "2"}, "W+/B", "Aviso", false), 2);
  backend.keys = {core::Key(core::Key::Esc)};
  EXPECT_EQ(screen::MSGALERT(con, {"x"}, {"1", "2"}, "W+/B", "Aviso", true), 0);
}

}  // namespace
