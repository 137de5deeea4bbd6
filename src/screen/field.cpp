// One input field: a variable edited in place with its picture and check, with copy
// (Ctrl+C), paste (Alt+V) and the calculator (Alt+A).
#include "core/cp850.h"
#include "core/picture.h"
#include "core/text.h"
#include "screen/ui.h"

namespace vormel::screen {

using core::Key;
using core::Value;

int field_width(const Value& v, const std::string& picture, int width) {
  core::EditBuffer probe(v, picture, width, 0);
  return probe.display_width();
}

namespace {

bool leaves_field(const Key& k) {
  switch (k.code) {
    case Key::Enter: case Key::Tab: case Key::Tab | Key::Shift: case Key::Up: case Key::Down:
    case Key::PgUp: case Key::PgDn: case Key::Enter | Key::Ctrl:
      return true;
    default:
      return false;
  }
}

// The clipboard text as a value of the field's type; nullopt leaves the field as it is.
std::optional<Value> pasted_value(const Value& current, const std::string& text) {
  if (core::trim(text).empty()) return std::nullopt;
  if (core::is_number(current)) return Value(core::CAR_TO_VAL(text));
  if (core::is_date(current)) {
    auto d = core::CTOD(core::trim(text));
    if (!d || d->is_empty()) return std::nullopt;
    return Value(*d);
  }
  if (core::is_logical(current)) {
    unsigned char c = core::cp850::upper(static_cast<unsigned char>(core::trim(text)[0]));
    return Value(c == 'S' || c == 'T' || c == 'Y');
  }
  std::string line = text.substr(0, text.find_first_of("\r\n"));
  return Value(line);
}

}  // namespace

Key edit_field(Ui& ui, const FieldSpec& f) {
  Console& con = ui.con;
  core::EditBuffer buf(*f.var, f.picture, f.width, f.decimals);
  const Attr attr = attr_of(f.colour.empty() ? colour_part(con.colour, 1) : f.colour);
  const bool cursor_was = con.cursor_is_on();
  con.cursor_on(true);
  const bool editing_was = ui.editing_field;
  ui.editing_field = true;
  auto finish = [&](Key k) {
    con.cursor_on(cursor_was);
    ui.editing_field = editing_was;
    return k;
  };
  for (;;) {
    con.grid().write(f.row, f.col, buf.display(), attr);
    con.set_cursor(f.row, f.col + buf.cursor());
    con.set_cursor_shape(buf.insert_mode() ? 2 : 1);
    Key k = con.read_key();
    if (k == Key::ctrl('C')) {
      con.clipboard_set(buf.clipboard_text());
      continue;
    }
    if (k == Key::alt('V')) {
      if (auto v = pasted_value(*f.var, con.clipboard_get())) buf.set_value(*v);
      continue;
    }
    if ((k == Key::alt('A') || k == Key(Key::Calculator)) && ui.calculator) {
      if (auto r = ui.calculator()) {
        if (core::is_number(*f.var)) {
          buf.set_value(Value(*r));
        } else if (core::is_text(*f.var)) {
          auto cur = buf.value();
          std::string t = cur && core::is_text(*cur) ? core::rtrim(std::get<std::string>(*cur)) : std::string();
          buf.set_value(Value(t + " " + core::trim(core::TRANSFORM(Value(*r), "@Ez 99,999,999,999.9999"))));
        }
      }
      continue;
    }
    const bool leaves = leaves_field(k) || (f.also_leaves && f.also_leaves(k));
    if (k == Key(Key::F1) && ui.help && !leaves) {
      ui.help();
      continue;
    }
    switch (buf.handle(k)) {
      case core::EditBuffer::Outcome::Handled: continue;
      case core::EditBuffer::Outcome::Rejected: con.bell(); continue;
      case core::EditBuffer::Outcome::NotMine: break;
    }
    if (k == Key(Key::Esc)) {
      con.grid().write(f.row, f.col, core::EditBuffer(*f.var, f.picture, f.width, f.decimals).display(), attr);
      return finish(k);
    }
    if (!leaves) continue;
    auto v = buf.value();
    if (!v) {
      con.bell();
      continue;
    }
    if (f.valid && !f.valid(*v)) continue;
    *f.var = *v;
    con.grid().write(f.row, f.col, core::EditBuffer(*f.var, f.picture, f.width, f.decimals).display(), attr);
    return finish(k);
  }
}

}  // namespace vormel::screen
