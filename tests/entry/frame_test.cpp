// The frame engine: rows from the source, labels over them, colours, and drawing.
#include <gtest/gtest.h>

#include "core/cp850.h"
#include "entry/frame.h"
#include "entry/screen_frames.h"
#include "screen/colour.h"
#include "screen/ui.h"
#include "../support/scripted_backend.h"

namespace {

using namespace vormel;
using entry::Frame;

std::string utf8(const std::string& cp850) { return core::cp850::to_utf8(cp850); }
// Columns [col, col + n) of a screen row, as UTF-8.
std::string cells(screen::Console& con, int row, int col, int n) {
  return utf8(con.grid().row_text(row).substr(col, n));
}

TEST(Frame, RowsArePaddedLabelsOverwriteAndTooWideIsReported) {
  Frame f(2, 0, 13, {"┌───────────┐", "│CPF"});
  ASSERT_EQ(f.height(), 2);
  EXPECT_EQ(utf8(f.rows()[1]), "│CPF         ");
  f.put(1, 12, "│").put(1, 5, "Cônjuge");
  EXPECT_EQ(utf8(f.rows()[1]), "│CPF Cônjuge│");
  EXPECT_EQ(f.rows()[1].size(), 13u);  // one byte per character in CP850
  EXPECT_EQ(f.overflow(), 0);
  f.put(4, 0, "abc");  // the frame grows downwards
  EXPECT_EQ(f.height(), 5);
  f.put(0, 11, "xyz");
  EXPECT_EQ(f.overflow(), 14);
  EXPECT_EQ(utf8(f.rows()[0].substr(11)), "xy");
}

TEST(Frame, BoxLinesLabelsAndHighlightsTakeTheirColours) {
  Frame f(0, 0, 6, {"│ab ─│"});
  f.highlight(0, 2, 1);
  // 1 labels, 2 box lines, 3 highlights.
  EXPECT_EQ(f.window_text(), "\x01\x02\xB3\x01" "a\x03" "b\x01 \x02\xC4\xB3");
}

struct Drawing : ::testing::Test {
  test_support::ScriptedBackend backend;
  core::Clock clock;
  screen::Console con{backend, clock};
  screen::Ui ui{con};
};

TEST_F(Drawing, AScreenFrameGoesToItsOriginAndCloses) {
  const std::string before = con.grid().row_text(5);
  Frame f(4, 3, 10, {"┌────────┐", "│Nome    │", "└────────┘"});
  entry::draw_frame(ui, f);
  EXPECT_EQ(cells(con, 5, 3, 10), "│Nome    │");
  EXPECT_EQ(con.grid().get(5, 4).attr, screen::attr_of(screen::ACHACOR(ui.colours.COR_TEL1)));
  EXPECT_EQ(con.grid().get(5, 3).attr, screen::attr_of(screen::ACHACOR(ui.colours.COR_TEL2)));
  screen::FECHAJAN(ui, 3);
  EXPECT_EQ(con.grid().row_text(5), before);
}

TEST_F(Drawing, AFrameInItsOwnWindowGetsABorderAroundItsRows) {
  Frame f(3, 2, 5, {"Valor", "Mês"});
  f.in_window(4, 2);
  entry::draw_frame(ui, f);
  EXPECT_EQ(cells(con, 3, 2, 7), "┌─────┐");
  EXPECT_EQ(cells(con, 4, 2, 7), "│Valor│");
  EXPECT_EQ(cells(con, 5, 2, 7), "│Mês  │");
  EXPECT_EQ(cells(con, 6, 2, 7), "└─────┘");
}

TEST(ScreenFrames, ScreenNineDrawsNothing) {
  core::Record vars;
  EXPECT_EQ(entry::screen_frame(9, 91, vars).height(), 0);
}

}  // namespace
