// Message boxes of the desktop frame: OK, Yes/No, and the box with any buttons.
#pragma once
#include <string>
#include <vector>

#include "screen/console.h"

namespace vormel::screen {

// MSGALERT: a box with the lines (at most 16 shown at once; Up/Down scroll the rest) and
// a row of buttons; gives the number of the button pressed, 0 when left with Esc (only
// when `exit_esc`). Hot keys are ordinary keys while it waits.
int MSGALERT(Console& con, const std::vector<std::string>& lines, const std::vector<std::string>& buttons,
             const std::string& colour, const std::string& title, bool exit_esc);
// The lines of a text: split at ";" (button boxes) or at line breaks (OK and Yes/No boxes,
// whose ";" are dropped).
std::vector<std::string> split_semicolons(const std::string& text);
std::vector<std::string> split_lines_drop_semicolons(const std::string& text);

// LMSGBOX: the OK box. Enter, Esc and the button close it.
void LMSGBOX(Console& con, const std::string& text, const std::string& title = "Aviso");
// LMSGYN: the Yes/No question; Esc answers No.
bool LMSGYN(Console& con, const std::string& text, const std::string& title = "Aviso");

}  // namespace vormel::screen
