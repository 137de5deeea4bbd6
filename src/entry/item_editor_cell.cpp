// The item editor's cells: DOGET (one cell edited in place with its picture and check),
// the move after it (EXITKEY), the writes under a record lock (F_TROCA), new rows with
// the section's defaults (ADIC_REG) and the calculator into the cell.
#include <algorithm>

#include "core/picture.h"
#include "core/text.h"
#include "entry/item_editor_browser.h"

namespace vormel::entry::editor {

using core::Key;
using core::Value;

namespace {

constexpr int kBoxWindow = 10;  // the message window the description box uses
constexpr int kBoxPiece = 70, kBoxLines = 7;

// The whole description in a box near the cell: two rows below it, or nine rows above it
// when the cell is low on the screen.
void open_description_box(screen::Ui& ui, const std::string& text, int cell_row) {
  const int lines = std::clamp(int(text.size() + kBoxPiece - 1) / kBoxPiece, 1, kBoxLines);
  screen::MensArgs a;
  a.row = cell_row > 11 ? cell_row - 9 : cell_row + 2;
  a.col = 5;
  a.lines = lines;
  a.window = kBoxWindow;
  screen::MENS(ui, 13, text.substr(0, size_t(lines * kBoxPiece)), a);
}

}  // namespace

Value Browser::cell_value(const Column& c) {
  const storage::Field* f = field_of(c);
  if (append_mode()) return area_.table().get(*f, area_.table().blank_record());
  go_current();
  return area_.get(*f);
}

void Browser::edit_cell(Key replay) {
  const Column& c = current_column();
  const storage::Field* f = field_of(c);
  if (!f) return;
  const bool was_new = append_mode();
  keep_visible();
  const int row = cell_row(), col = cell_col();
  Value value = cell_value(c);

  bool box = false;
  if (c.description_box && replay.is_none() && core::is_text(value)) {
    const std::string whole = core::rtrim(std::get<std::string>(value));
    if (!whole.empty()) {
      open_description_box(ui_, whole, row);
      box = true;
    }
  }
  Value accepted = value;
  screen::FieldSpec field = screen::FieldSpec::at(row, col, &value, c.picture, f->type == 'C' ? f->width : 0, f->decimals);
  const int column = col_;
  field.valid = [&](const Value& typed) {
    accepted = typed;
    if (!c.check) return true;
    if (!was_new) go_current();
    CellEdit e{ui_, db_, area_, section_, ctx_, column, was_new, typed, row, col};
    const bool ok = c.check(e);
    if (ok) accepted = e.value;
    return ok;
  };
  if (!replay.is_none()) ui_.con.push_key(replay);
  struct Editing {
    Browser& b;
    bool box;
    ~Editing() {
      b.editing_ = false;
      if (box) screen::FECHAJAN(b.ui_, kBoxWindow);
    }
  } editing{*this, box};
  editing_ = true;
  const Key k = screen::edit_field(ui_, field);
  if (k == Key(Key::Esc)) return;
  if (!write_cell(c, accepted)) return;
  after_edit(k, was_new);
}

void Browser::after_edit(const Key& k, bool was_new) {
  switch (k.code) {
    case Key::Enter: case Key::Tab:
      if (section_.wrap > 0 && col_ + 1 == section_.wrap) {
        // After the wrap column: the first column of the next row.
        left_ = section_.frozen;
        set_column(section_.frozen);
        down(1);
      } else {
        set_column(col_ + 1);
      }
      break;
    case Key::Tab | Key::Shift: set_column(col_ - 1); break;
    // A row up or down; an edit that appended the row stays on it.
    case Key::Up: case Key::PgUp: if (!was_new) move_row(cur_ - 1); break;
    case Key::Down: case Key::PgDn: if (!was_new) down(1); break;
    default: break;
  }
}

bool Browser::write_cell(const Column& c, const Value& value) {
  if (append_mode()) {
    const uint32_t r = ADIC_REG();
    if (r == 0) return false;
    rows_.push_back(r);
    cur_ = long(rows_.size()) - 1;
  }
  go_current();
  const uint32_t recno = rows_[size_t(cur_)];
  const bool ok = F_TROCA(c.field, value);
  changed(recno);
  return ok;
}

uint32_t Browser::ADIC_REG() {
  db_.select(section_.area);
  if (!db_.ADD_REC(5)) return 0;
  const uint32_t r = area_.recno();
  if (section_.declaration_rows && area_.table().field("CPF")) area_.set("CPF", Value(ctx_.cpf));
  if (section_.activity_rows && area_.table().field("ATV_BRASIL")) area_.set("ATV_BRASIL", Value(ctx_.activity));
  if (section_.defaults) section_.defaults(area_, ctx_);
  area_.unlock();
  return r;
}

bool Browser::F_TROCA(const std::string& field, const Value& value) {
  db_.select(section_.area);
  if (!db_.REC_LOCK()) return false;  // REC_LOCK told the operator; nothing is written
  area_.set(field, value);
  if (section_.declaration_rows && area_.table().field("CPF")) area_.set("CPF", Value(ctx_.cpf));
  area_.unlock();
  return true;
}

void Browser::changed(std::optional<uint32_t> keep) {
  if (section_.totals) section_.totals(ui_, db_, ctx_);
  load_rows(keep);
}

void Browser::calculator_key() {
  if (!ui_.calculator) return;
  if (editing_) {
    // Inside a cell the field has its own calculator key; this one only shows it.
    ui_.calculator();
    return;
  }
  const std::optional<core::Decimal> result = ui_.calculator();
  if (result) {
    const Column& c = current_column();
    if (field_of(c)) {
      const Value v = cell_value(c);
      if (core::is_number(v)) {
        write_cell(c, Value(*result));
      } else if (core::is_text(v)) {
        const std::string shown = core::trim(core::TRANSFORM(Value(*result), "@EZ 9,999,999,999.99"));
        write_cell(c, Value(core::rtrim(std::get<std::string>(v)) + " " + shown));
      }
    }
  }
  draw();  // the key ran inside the wait: the list must be current when the wait goes on
}

}  // namespace vormel::entry::editor
