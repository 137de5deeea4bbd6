// Checks shared by the columns of several sections: codes and countries looked up in
// their reference tables, with the code lists when they are not found.
#pragma once
#include <string>

#include "entry/item_editor.h"

namespace vormel::entry {

// TES_COD: the code typed is sought in its reference table (work area `table`, by its
// first order): found, a notice with its `text_field` and the code is kept; not found,
// the code list `lookup` opens and its choice is stored (0 when none). 0 is taken as it is.
Check code_check(int table, std::string text_field, std::string lookup);

// TES_PAIS mode 1, the "Ext." column: blank or "S" (with a reminder to fill the country
// in); anything else is explained and becomes blank.
bool abroad_check(CellEdit& e);

// TES_PAIS on a country code: found in TABPAIS, a notice with the country's name; not
// found, the country list `lookup` and its choice (empty when none). Blank is taken.
Check country_check(std::string lookup);

}  // namespace vormel::entry
