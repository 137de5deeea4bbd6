// HBROWSE: the scrollable list the lookups and the client lists are shown in. It runs
// over the rows of one work area in its active order (deleted rows hidden, optionally
// only some rows), with a header, a "═" line under it, "│" between the columns and an
// optional footer of totals. It leaves the work area on the order and record it found.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/value.h"
#include "screen/grid.h"
#include "screen/ui.h"
#include "storage/work_area.h"

namespace vormel::screen {

struct BrowseColumn {
  std::string header;   // CP850
  std::string field;    // shown through `picture` when `value` is not given
  std::string picture;  // "" = the field as stored
  int width = 0;        // 0 = the widest of header, footer and the first row's text
  std::function<core::Value(storage::WorkArea&)> value;
  std::string footer;
};

struct BrowseSpec {
  Rect rect{8, 6, 21, 70};  // LI, CI, LIF, CF
  std::vector<BrowseColumn> columns;
  // Only the rows this accepts are listed (all when not given).
  std::function<bool(storage::WorkArea&)> filter;
  // A typed character jumps: digits seek in `digit_order`, anything else in
  // `letter_order` (order 1 when the area has no such order), with near matches; past
  // the end, the last row. Without any order, the first row whose first column starts
  // with the character.
  bool letter_jump = false;
  size_t digit_order = 1, letter_order = 2;
  // F6 and F11 (the client's details and pending items), run on the highlighted row.
  std::function<void(storage::WorkArea&)> on_f6, on_f11;
  // "" = COR_CLI_HE and COR_ESC_CL (COR_2_CLI when the two are the same).
  std::string colour, cursor_colour;
};

// The list in the rectangle (whatever is under it is the caller's to save): Enter gives
// the highlighted record number; Esc and Ctrl+Enter leave with nothing. F1, F2 and F3
// show orders 2, 1 and 3; arrows, PgUp/PgDn and Ctrl+PgUp/Ctrl+PgDn move the row;
// Left/Right, Home/End, Ctrl+Left/Ctrl+Right and Ctrl+Home/Ctrl+End the column.
std::optional<uint32_t> HBROWSE(Ui& ui, storage::WorkArea& area, const BrowseSpec& spec);

}  // namespace vormel::screen
