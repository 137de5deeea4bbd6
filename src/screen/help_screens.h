// The help screens: the two boxes listing the program's keys (HELPGER, HELPFUN) and
// the help text of an input field from the help table HELPTXT.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "screen/ui.h"
#include "storage/database.h"

namespace vormel::screen {

// The lines of the two boxes (CP850).
const std::vector<std::string>& HELPGER_LINES();
const std::vector<std::string>& HELPFUN_LINES();

// OK box with the general keys.
void HELPGER(Ui& ui);
// OK box with the special keys of the declaration screens.
void HELPFUN(Ui& ui);

// The help text of a field ("M->CPF" and "cpf" both look up "CPF") in an OK box;
// false when the table has no text for it.
bool show_help_text(Ui& ui, storage::Database& db, std::string_view key);

// Lines longer than the box are broken at a blank; the continuation lines start with
// `indent` blanks.
std::vector<std::string> wrap_box_lines(const std::vector<std::string>& lines, size_t width = 76, size_t indent = 0);

}  // namespace vormel::screen
