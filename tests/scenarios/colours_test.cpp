// The colour editor: the palette with its mark, the chosen colours stored in the
// terminal's record and loaded again at the next start.
#include <gtest/gtest.h>

#include "core/text.h"
#include "harness.h"
#include "storage/database.h"

namespace {

using scenario::Program;
using scenario::run;

std::string palette_row(int fg) {
  std::string row;
  for (int a = 0; a < 16; ++a) row += a == fg ? "*" : "■";
  return row;
}

TEST(Colours, TheChosenItemColourIsPickedOnThePaletteStoredAndLoadedAgain) {
  Program p;
  p.binary = VORMEL_BIN;
  p.args = {"5"};
  p.cwd = scenario::fresh_dir("colours");

  // Opções > Mudar as cores > Item Escolhido: white+ on red is marked; eight times
  // Left gives white on red; Up at the top row would change nothing more.
  std::string keys = "<Alt+O>m<Dump menu>i<Dump palette>";
  for (int i = 0; i < 8; ++i) keys += "<Left>";
  keys += "<Dump moved><Enter><Dump after>";
  auto r = run(p, keys);
  EXPECT_NE(r.screen("palette").find("Ajuste de cores"), std::string::npos) << r.screen("palette");
  EXPECT_NE(r.screen("palette").find("Item Escolhido"), std::string::npos);
  EXPECT_NE(r.line("palette", 10).find(palette_row(15)), std::string::npos) << r.line("palette", 10);
  EXPECT_NE(r.line("moved", 10).find(palette_row(7)), std::string::npos) << r.line("moved", 10);
  EXPECT_EQ(r.screen("after").find("Ajuste de cores"), std::string::npos);

  vormel::storage::QuietReporter reporter;
  vormel::storage::Database db(reporter, {p.cwd.string() + "/", p.cwd.string() + "/", "05"});
  ASSERT_TRUE(db.ABERTURA(56));
  auto& cores = db.area(56);
  ASSERT_TRUE(cores.seek(std::string("05")));
  EXPECT_EQ(cores.number("COR_ESCOL"), vormel::core::Decimal(71));
  EXPECT_EQ(vormel::core::trim(cores.text("COR_ESC_CL")), "W/R");
  EXPECT_EQ(cores.number("COR_FERID"), vormel::core::Decimal(79));
  EXPECT_EQ(cores.number("COR_TEL1"), vormel::core::Decimal(30));  // the others as they were
  db.close_all();

  // The next start loads the terminal's colours: the editor opens on white on red.
  auto again = run(p, "<Alt+O>mi<Dump palette><Up><Up><Up><Up><Up><Dump top><Esc>");
  EXPECT_NE(again.line("palette", 10).find(palette_row(7)), std::string::npos) << again.line("palette", 10);
  EXPECT_NE(again.line("top", 6).find(palette_row(7)), std::string::npos) << again.line("top", 6);
}

}  // namespace
