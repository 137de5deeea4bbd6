// The terminal's screen colours and the colour sets derived from them. The stored
// per-terminal record loads into this; until then these are the initial values.
#pragma once
#include <string>

#include "screen/colour.h"

namespace vormel::screen {

struct Colours {
  int COR_TEL1 = 30;    // text of text windows
  int COR_TEL2 = 31;    // frame of text windows
  int COR_TEL3 = 63;    // shadow, third colour
  int COR_MENS = 112;   // message window
  int COR_PEGA = 15;    // input fields
  int COR_HELP = 112;   // help and warning screens
  int COR_FERID = 28;   // highlight inside chosen items
  int COR_ESCOL = 79;   // chosen item of bar choosers
  int COR_ENCHE = 31;   // background fill
  std::string COR_1_CLI = "GR+/B";
  std::string COR_2_CLI = "W+/B";
  std::string COR_INI = "W+/B";
  std::string COR_SAY = "N/W+";
  std::string COR_GET = "W/N";
  std::string COR_CLI_HE = "N/W";
  std::string COR_ESC_CL = "W/R+";
  std::string COR_ENCH_C = "W+/B";

  // Derived sets, rebuilt by rebuild_sets() after every change.
  std::string CORNORM, CORLIMP, CORSELE, CORMENU;
  std::string INVISIVEL = "W/W,W/W,N/N,N/N,W/W";
  std::string CORATEN = "R/W*";
  // The current colour set (SET COLOR).
  std::string current;

  Colours() { rebuild_sets(); current = CORNORM; }
  void rebuild_sets() {
    CORNORM = COR_SAY + "," + COR_GET + ",N/N,N/N," + COR_SAY;
    CORLIMP = COR_1_CLI + "," + COR_GET + ",N/N,N/N," + COR_SAY;
    CORSELE = COR_CLI_HE + "," + COR_GET + ",N/N,N/N," + COR_SAY;
    CORMENU = COR_1_CLI + "," + COR_ESC_CL + "," + COR_ENCH_C + "," + COR_ENCH_C + "," + COR_2_CLI + "," + COR_2_CLI;
  }
  // Every text-window write puts these three back (the windows' own convention).
  void reset_window_colours() {
    COR_1_CLI = "GR+/B";
    COR_2_CLI = "W+/B";
    COR_INI = "W+/B";
  }
};

}  // namespace vormel::screen
