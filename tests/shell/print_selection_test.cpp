// The print selection's clamps and summary lines.
#include <gtest/gtest.h>

#include "core/cp850.h"
#include "shell/print_selection.h"

namespace vormel::shell {
namespace {

TEST(PrintSelection, SheetAndPagesFollowWhatIsPrinted) {
  PrintSelection p;
  std::array<std::string, 8> items;
  struct Step {
    int kind, option;
    int what, sheet, pages;
  } steps[] = {
      {1, 5, 5, 1, 1},    // Darfes
      {2, 3, 5, 3, 1},    // on pre-printed DARF paper
      {1, 12, 12, 2, 1},  // Cadastro: at most two sheet types
      {1, 1, 1, 1, 1},    // IRenda modo Receita
      {2, 4, 1, 1, 1},    // has a single sheet type
      {3, 9, 1, 1, 9},    // "Resumo c/Balanço"
      {1, 3, 3, 1, 3},    // the rural annex has three page choices
  };
  for (const auto& s : steps) {
    p.choose(s.kind, s.option);
    p.MONTA_ITENS(items);
    EXPECT_EQ(p.QUEIMP, s.what) << s.kind << "," << s.option;
    EXPECT_EQ(p.QUEMOD, s.sheet) << s.kind << "," << s.option;
    EXPECT_EQ(p.QUEPAG, s.pages) << s.kind << "," << s.option;
  }
  EXPECT_EQ(core::cp850::to_utf8(items[1]), "1-Atividade Rural    ");
  EXPECT_EQ(core::cp850::to_utf8(items[3]), "3-página 2   ");
  p.choose(1, 5);
  p.choose(2, 2);
  p.MONTA_ITENS(items);
  EXPECT_EQ(core::cp850::to_utf8(items[2]), "2-Formulário Contínuo");
  p.NRO_VIAS = 0;
  p.MONTA_ITENS(items);
  EXPECT_EQ(items[7], "7- Nro de Vias 1");
}

}  // namespace
}  // namespace vormel::shell
