// EDITA: the multi-row item editor. A spreadsheet-like list over the rows of one work
// area, driven by a section: which table and rows, the columns (field, picture,
// heading, check), the window, the Enter wrap column, frozen columns, footings, the
// defaults of a new row and which keys the list takes. Every value is written straight
// into the row under a record lock, so what was typed survives the end of the section.
//
//   EditContext ctx;                     // one per declaration (it keeps CLIPTEX)
//   ctx.cpf = cpf;
//   ctx.vars = &workspace.vars;
//   Key k = EDITA(ui, db, 5, ctx);       // Esc, Tab, Shift+Tab, a function key, Alt+Z/X
//
// Sections are data: section_definition() builds the ones the program knows; a caller
// may take one and change it before running it (the folder list gets its checks so).
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/keys.h"
#include "core/record.h"
#include "core/value.h"
#include "screen/grid.h"
#include "screen/ui.h"
#include "storage/database.h"

namespace vormel::screen {
class Lookups;
}

namespace vormel::entry {

struct Section;

// What the checks, defaults and totals of a section work with. The caller keeps it for
// as long as the declaration (or the list) is open: CLIPTEX lives here between sections.
struct EditContext {
  core::Record* vars = nullptr;  // the declaration's memory variables; nullptr outside one
  std::string cpf;               // M->CPF: written into every row of a declaration table
  std::string activity = "S";    // ATV_BRASIL of the rural rows
  bool declaration = false;      // inside the declaration (command 11): its working copies
  bool rural = false;            // the declaration has the rural annex (F12, Alt+F2 end)
  screen::Lookups* lookups = nullptr;  // the code lists; a private one when not given
  core::Value CLIPTEX = std::string();  // the editor's own clipboard (Alt+M, Alt+Up, Alt+C)

  // The editor's own bookkeeping of the Alt+S key while lists are open inside lists.
  struct KeyOwner {
    std::vector<std::function<void()>> handlers;
  } calculator_key;
};

// One cell being confirmed, handed to its column's check.
struct CellEdit {
  screen::Ui& ui;
  storage::Database& db;
  storage::WorkArea& area;  // on the row edited (not yet there when `new_row`)
  const Section& section;
  EditContext& context;
  int column = 0;           // index into section.columns
  bool new_row = false;     // the blank line: the row is appended once the value is accepted
  core::Value value;        // as typed; the check may change it
  int row = 0, col = 0;     // where the cell is on the screen
};

// False refuses the value and keeps the cell in edit (the check shows its own message).
using Check = std::function<bool(CellEdit&)>;

// Which number a column holds, for Alt+R and the inserts of numbered lists.
enum class Numbering { None, Item, Line };

struct Column {
  std::string heading;  // TABDESC, CP850
  std::string field;    // TABCPOIN: the field shown and edited
  std::string picture;  // TABMASC
  int shown = 0;        // TABCAMPO as a substring: only the first characters of a long text
  Numbering numbering = Numbering::None;
  std::string order;    // Alt+O on this column: a key expression over the table ("" = none)
  bool description_box = false;  // Enter first shows the whole text in a box near the cell
  std::string footing;  // text under the column
  bool footing_sum = false;  // the footing is the sum of the column over the rows shown
  Check check;          // run when an edit of the cell is confirmed

  // A column of that heading over that field, edited with that picture.
  static Column of(std::string heading, std::string field, std::string picture, int shown = 0) {
    Column c;
    c.heading = std::move(heading);
    c.field = std::move(field);
    c.picture = std::move(picture);
    c.shown = shown;
    return c;
  }
};

// What Ins does.
enum class InsertRule {
  None,
  AfterNumbered,  // a row after the current one, numbered current + 1; the rest by tens
  Before,         // a blank row at the cursor, the others moved one place down
};

// Function keys that end a section and report the key.
enum class EndKeys { All, FirstThree, None };  // F1-F11; F1-F3; none

// The keys a section takes besides moving and editing.
struct SectionKeys {
  EndKeys function_keys = EndKeys::All;
  bool rural = false;       // F12 and Alt+F2 end towards the rural screens (with the annex)
  bool del = true;          // Del deletes the row
  bool calculator = true;   // Alt+S puts the calculator's result into the cell
  bool lines = false;       // Alt+L inserts n lines
  bool renumber = false;    // Alt+R
  bool zoom = false;        // Alt+Z and Alt+X end the list towards the zoomed screens
};
// The keys by the ranges of section numbers (sections 40 and above are the program's own
// lists; Del below 51; F4-F11, F12, Alt+S below 40; Alt+L and Alt+R on the numbered lists;
// the zoom keys on the lists of screen 5).
SectionKeys keys_for(int section);

struct Section {
  int number = 0;
  int area = 0;  // the work area browsed
  std::function<bool(storage::WorkArea&)> filter;  // the rows shown (all when empty)
  std::string order;  // key expression the rows are shown in; "" = the area's active order
  std::vector<Column> columns;

  // Where the list is drawn: the headings on the top row, then a "═" line, the rows, and
  // when a column has a footing another line and the footings at the bottom.
  screen::Rect window{1, 0, 23, 79};
  // 0: inside the screen's own frame; 1: a box around the window, the screen under it put
  // back afterwards; 6: a box around the window that stays.
  int frame = 0;
  std::string dialog;  // when given, a dialog of that title whose client area is the window
  std::string message;  // the message line while the list runs ("" leaves it)

  int wrap = 0;          // ULT_POS, 1-based: Enter after it goes to the next row; 0 = none
  int frozen = 0;        // columns that stay at the left; the cursor never rests on them
  int first_column = 0;  // 0-based column the cursor starts on (on a frozen one: the next)

  bool declaration_rows = false;  // CPF (and with activity_rows ATV_BRASIL) go into each row
  bool activity_rows = false;
  // ADIC_REG: the section's defaults of a row just appended (CPF is already written).
  std::function<void(storage::WorkArea&, EditContext&)> defaults;

  InsertRule insert = InsertRule::None;
  std::string insert_question;            // asked before Ins inserts
  std::vector<std::string> insert_keeps;  // Before: fields the new row copies from the one it displaces

  // Alt+Up, Alt+Down, Alt+J: the text field the clipboard lines come from and go into;
  // lines longer than clip_piece (0 = the field's width) become several rows.
  std::string clip_field;
  int clip_piece = 0;
  bool clip_append = false;  // Alt+J appends CLIPTEX to that field

  // Recomputed at the start and after every change of the rows (and drawn, when the
  // section shows them outside the list).
  std::function<void(screen::Ui&, storage::Database&, EditContext&)> totals;

  bool display_only = false;  // SO_MOS 0: draw once with the current row marked and return
  SectionKeys keys;
};

// Runs a section. Gives the key that ended it: Esc, Tab, Shift+Tab, a function key
// (F12 and Alt+F2 towards the rural screens), Alt+Z or Alt+X (zoom), or none after a
// display-only call or when the section cannot run (its area not open, no columns). The
// work area is left on the row the cursor was on. Hot keys bound on the console (Alt+W,
// Alt+H, Alt+T of the declaration) work inside the list as everywhere; Alt+S is the
// list's own while it runs.
core::Key EDITA(screen::Ui& ui, storage::Database& db, const Section& section, EditContext& context);
// The same for a section of the catalogue; an unknown number gives none at once.
core::Key EDITA(screen::Ui& ui, storage::Database& db, int section, EditContext& context, int mode = 0);

// --- the catalogue ---
// The section of that number with its columns, checks and window for the context
// (`mode` chooses a variant: the notes' windows); nullopt for a number not built.
std::optional<Section> section_definition(int number, const EditContext& context, int mode = 0);

// Section 5: the asset list of screen 5, numbered by tens, with the asset totals.
Section assets_section(const EditContext& context);
// Section 11: the notes and pending items; mode 0 on screen 11, 1 the framed view of the
// pending items; outside a declaration the folder's notes of the client, framed.
Section notes_section(const EditContext& context, int mode);
// Section 40: the terminal's folder list in the "Pastas" dialog. The list refuses a mark
// other than "S", "N" or blank and an empty path itself; `select` runs on a mark "S" (the
// folder becomes the current one) and `folder` on a path typed (it must exist or be
// created): both are the shell's, and a false from them keeps the cell in edit. Paths
// are stored as typed.
Section folder_list_section(Check select, Check folder);

// FI7_T: the asset totals I13_39, I13_40 and NTOTBANT1 of the declaration's asset rows
// (work area 24) into the variables.
void FI7_T(storage::Database& db, core::Record& vars);
// Draws them on the totals row of the screen frame (values at columns 20, 48 and 65; the
// previous-year total in the alert colour when it differs in a non-rectifying
// declaration, "0.00" at column 30 when it is zero).
void draw_asset_totals(screen::Ui& ui, const core::Record& vars, int row);

}  // namespace vormel::entry
