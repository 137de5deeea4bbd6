// What the next printout prints, on which sheet, which pages, for whom: the menu's
// print selection, kept in the terminal's CONFIG record.
#pragma once
#include <array>
#include <string>

namespace vormel::shell {

struct PrintSelection {
  int QUEIMP = 1, QUEMOD = 1, QUEPAG = 1, QUECON = 1;
  int NRO_VIAS = 1;
  // MONTA_ITENS: clamps the sheet type and pages to what the chosen printout has and
  // rebuilds the summary lines ITEM[1..7] (CP850).
  void MONTA_ITENS(std::array<std::string, 8>& items);
  // Commands 41 to 44 with their option: the value, clamped.
  void choose(int kind, int option);
};

// The vocabulary of the selection, as stored (CP850).
const std::string& ALISTIMP(int what);   // 1..15
const std::string& NOMECON(int whom);    // 1..5
const std::string& NOMEPAGS(int page);   // 1..13, the page names the printout uses

}  // namespace vormel::shell
