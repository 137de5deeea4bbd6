// The lookup lists of the input fields (GERAL): on F1, or when a field's check cannot
// find the typed code, the rows that can go into the field are listed and Enter hands
// back what goes into the field (and sometimes into neighbouring ones). The list is
// chosen by the name of the field being edited (QUALHLP).
//
// A form asks for the list and applies the answer to its own variables or row:
//
//   LookupResult r = lookups.GERAL({"M->CDPRO"});
//   if (r.chosen) apply_assignments(r.values, {{"CDPRO", &cdpro}, {"OCUPACAO", &ocupacao}});
//
// Lists over the declaration's own rows (paying sources, dependants) take the work area
// of the working copy from the caller.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/value.h"
#include "screen/browse_list.h"
#include "screen/ui.h"
#include "storage/database.h"

namespace vormel::screen {

// Field name (without "M->") → value.
using Assignments = std::map<std::string, core::Value>;

struct LookupRequest {
  LookupRequest(std::string f = {}, int m = 0) : field(std::move(f)), mode(m) {}  // NOLINT: {"I7_5"}
  std::string field;  // QUALHLP: "M->CPF", "I7_5", …
  int mode = 0;       // 1: the plain name list of clients (the chooser's name search)
  int area = 0;       // work area of the declaration's rows, for the lists over them
  // Only these rows (the caller's own narrowing, on top of the list's).
  std::function<bool(storage::WorkArea&)> rows;
  int order = 0;  // client lists: 1 CPF, 2 name, 3 status; 0 = as the area is
  // Municipality list asked from a state field: that field's name ("M->UF").
  std::string state_field;
};

struct LookupResult {
  bool shown = false;   // a list was shown
  bool chosen = false;  // and left with Enter
  uint32_t recno = 0;   // the row chosen
  Assignments values;
  core::Value COD;          // the value for the field asked about (for check functions)
  bool into_row = false;    // the values go into the current row, appended when it is new
  bool refresh = false;     // the caller shows the fields again (chooser, identification)
};

struct LookupColumn {
  std::string header, field, picture;
  int width = 0;
  std::function<core::Value(storage::WorkArea& row, storage::Database& db)> value;
};

struct LookupDef {
  std::vector<std::string> fields;  // the QUALHLP names it serves
  int mode = 0;                     // 1: only for mode 1
  int table = 0;                    // table (= work area) number; 0 = the caller's area
  std::vector<LookupColumn> columns;
  Rect rect{8, 6, 21, 70};
  size_t order = 0;         // the order shown; 0 = as the area is
  bool from_top = false;    // starts on the first row instead of the current one
  bool letter_jump = false;
  bool client = false;      // F6 details and F11 pending items
  bool capital_gains = false;  // drawn by the capital-gains screens
  std::vector<int> also_open;  // tables the columns read
  std::string state_header;    // the first header when a state field asks
  std::function<bool(storage::WorkArea&)> filter;
  // Footer texts of the columns, counted over the whole table before the list opens.
  std::function<std::vector<std::string>(storage::WorkArea&)> footers;
  // What Enter hands back, for the row chosen and the field asked about.
  std::function<Assignments(storage::WorkArea& row, const LookupRequest& request)> enter;
  bool into_row = false, refresh = false;
};

const std::vector<LookupDef>& lookup_table();
// The list of that field (names compared in upper case); nullptr when it has none.
const LookupDef* find_lookup(std::string_view field, int mode = 0);
// "M->CPF" → "CPF".
std::string variable_name(std::string_view field);

// The lists, one at a time (PROG): a request while one is open does nothing.
class Lookups {
 public:
  Lookups(Ui& ui, storage::Database& db) : ui_(ui), db_(db) {}

  LookupResult GERAL(const LookupRequest& request);
  // A check function wants a code: the value chosen, or nothing.
  std::optional<core::Value> GERAL2(const LookupRequest& request);
  // The folder list for the origin field.
  LookupResult GERAL3() { return GERAL({"M->ORIGEM"}); }
  // The client list of the current folder in CPF, status and name order.
  LookupResult GERAL1() { return clients(1); }
  LookupResult GERAL4() { return clients(3); }
  LookupResult GERAL5() { return clients(2); }

  bool PROG = false;
  // F6 and F11 in the client lists (the details box and the pending items).
  std::function<void(storage::WorkArea&)> MOS_DETAL, MOS_PEND;
  // The capital-gains lists ("M->TIPO_BEM", "M->I3_04"), drawn by their own screens.
  std::function<LookupResult(const LookupRequest&)> capital_gains;

 private:
  LookupResult show(const LookupDef& def, const LookupRequest& request);
  LookupResult clients(int order) {
    LookupRequest r("M->CPF");
    r.order = order;
    return GERAL(r);
  }

  Ui& ui_;
  storage::Database& db_;
};

// Puts the values into the variables named (text cut or padded to the variable's
// width); gives how many were put.
int apply_assignments(const Assignments& values, const std::map<std::string, core::Value*>& variables);
// Writes the values into the fields of the current record that has them (locked by the
// caller); gives how many were written.
int write_assignments(const Assignments& values, storage::WorkArea& row);

}  // namespace vormel::screen
