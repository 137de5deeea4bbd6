// The dollar converter of the money fields (Alt+U): reais and dollars of one month of the
// year, each computed from the other by that month's rate.
#pragma once
#include <array>

#include "core/decimal.h"
#include "screen/ui.h"

namespace vormel::entry {

// MUDATEL13 / ATUAVAL: the form beside the cursor, starting from `reais` and `month`
// (0 counts as January). Esc ends it and gives the reais shown; a month above 12 gives
// `reais` back without showing anything.
core::Decimal MUDATEL13(screen::Ui& ui, const core::Decimal& reais, int month,
                        const std::array<core::Decimal, 12>& TAB_DOLAR, int cursor_row, int cursor_col);

}  // namespace vormel::entry
