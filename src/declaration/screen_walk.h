// The walk through the declaration's screens: which screen (and menu item) comes after
// the key that ended the current one.
#pragma once
#include "core/keys.h"

namespace vormel::declaration {

struct Walk {
  int TELA = 0;      // screen to show; 0 = back to the menu bar
  int OPCIR_1 = 0;   // the menu item that led there
  bool PVEZ = false;       // first pass of a new declaration
  bool rural = false;      // the declaration has the rural annex
  bool abroad = false;     // ATV_BRASIL "N": the rural receipts screen is skipped
  bool TECLAMUDA = false;  // a hot key already chose the next screen
  int TELAMAX() const { return rural ? 17 : 11; }
};

// After the screen in `w` ended with `key`: the next screen and item.
void next_screen(Walk& w, core::Key key);

}  // namespace vormel::declaration
