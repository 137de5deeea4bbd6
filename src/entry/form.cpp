#include "entry/form.h"

#include <optional>

#include "core/picture.h"
#include "core/text.h"
#include "screen/colour.h"
#include "storage/catalogue.h"

namespace vormel::entry {

using core::Key;
using core::Value;

namespace {

bool goes_back(const Key& k) { return k == Key(Key::Up) || k == Key(Key::Tab | Key::Shift); }

bool ends_reading(const Key& k) {
  return k == Key(Key::Esc) || k == Key(Key::PgUp) || k == Key(Key::PgDn) || k == Key(Key::Enter | Key::Ctrl);
}

}  // namespace

namespace {

// The field of a declaration table a variable comes from.
std::optional<storage::FieldSpec> declaration_field(const std::string& var) {
  for (int table : {9, 1, 12, 15, 3})
    for (const storage::FieldSpec& f : storage::layout_of(table))
      if (f.name == var) return f;
  return std::nullopt;
}

}  // namespace

int declaration_field_width(const std::string& var) {
  auto f = declaration_field(var);
  return f ? f->width : 0;
}

Form& Form::add(FormField f) {
  if (f.width == 0)
    if (auto field = declaration_field(f.var)) {
      f.width = field->width;
      f.decimals = field->decimals;
    }
  fields_.push_back(std::move(f));
  return *this;
}

Value Form::value_of(const FormField& f) const {
  if (const Value* v = vars_.find(f.var)) return *v;
  // A variable not loaded yet starts empty, of its field's type.
  if (auto field = declaration_field(f.var)) {
    if (field->type == 'N') return Value(core::Decimal(0));
    if (field->type == 'D') return Value(core::Date());
    if (field->type == 'L') return Value(false);
  }
  return Value(std::string(static_cast<size_t>(std::max(1, width_of(f))), ' '));
}

int Form::width_of(const FormField& f) const { return f.width ? f.width : declaration_field_width(f.var); }

void Form::show(const std::string& var) const {
  const screen::Attr attr = screen::attr_of(screen::colour_part(ui_.con.colour, 1));
  for (const FormField& f : fields_) {
    if (f.var != var) continue;
    core::EditBuffer shown(value_of(f), f.picture, width_of(f), f.decimals);
    ui_.con.grid().write(top_ + f.row, left_ + f.col, shown.display(), attr);
    return;  // fields sharing a place show the first one's way
  }
}

void Form::show() const {
  for (const FormField& f : fields_)
    if (editable(f)) show(f.var);
}

Key Form::read(size_t start) {
  stop_ = false;
  size_t i = start;
  Key last(Key::Enter);
  for (;;) {
    while (i < fields_.size() && !editable(fields_[i])) ++i;
    if (i >= fields_.size()) return last;  // past the last field
    const FormField& f = fields_[i];
    Value value = value_of(f);
    const Value before = value;
    Value checked;
    bool has_checked = false;
    screen::FieldSpec spec = screen::FieldSpec::at(top_ + f.row, left_ + f.col, &value, f.picture, width_of(f), f.decimals);
    spec.also_leaves = ending_keys;
    spec.valid = [&](const Value& v) {
      // Going back over an untouched field needs no check.
      if (goes_back(ui_.con.last_key()) && v == before) return true;
      if (!f.valid) return true;
      checked = v;
      has_checked = f.valid(checked);
      return has_checked;
    };
    last = screen::edit_field(ui_, spec);
    if (last == Key(Key::Esc)) return last;
    if (has_checked) value = checked;
    vars_.set(f.var, value);
    show(f.var);
    if (accepted) accepted(f.var);
    if (stop_ || (ending_keys && ending_keys(last)) || ends_reading(last)) return last;
    if (goes_back(last)) {
      // The previous editable field; the first one stays.
      for (size_t j = i; j > 0;)
        if (editable(fields_[--j])) {
          i = j;
          break;
        }
      continue;
    }
    ++i;
  }
}

}  // namespace vormel::entry
