// The item editor's clipboard keys: the editor's own CLIPTEX (Alt+M copies a cell, Alt+C
// pastes it, Alt+J appends it to a description, Alt+Up adds a line to it), the system
// clipboard (Alt+End puts CLIPTEX there, Alt+Down makes rows of its lines).
#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"
#include "entry/item_editor_browser.h"

namespace vormel::entry::editor {

using core::Value;
using namespace core::literals;

namespace {

std::string text_of(const Value& v) {
  if (core::is_text(v)) return std::get<std::string>(v);
  if (core::is_number(v)) return core::trim(core::STR(std::get<core::Decimal>(v), 20, 2));
  if (core::is_date(v)) return core::DTOC(std::get<core::Date>(v));
  return std::get<bool>(v) ? "S" : "N";
}

// Several lines pasted into one cell become one line.
std::string one_line(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

// The lines of a pasted text, without control characters or trailing blanks; empty
// lines give nothing; a line longer than `piece` gives several.
std::vector<std::string> pasted_pieces(const std::string& text, size_t piece) {
  std::vector<std::string> out;
  size_t from = 0;
  while (from <= text.size()) {
    size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    std::string line;
    for (size_t i = from; i < end; ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if (c == '\t') line += ' ';
      else if (c >= 32 && c != 127) line += char(c);
    }
    line = core::rtrim(line);
    for (size_t p = 0; p < line.size(); p += piece) out.push_back(line.substr(p, piece));
    from = end + 1;
  }
  return out;
}

}  // namespace

void Browser::copy_cell() {
  const Column& c = current_column();
  if (append_mode() || !field_of(c)) return;
  Value v = cell_value(c);
  if (core::is_text(v)) v = Value(core::rtrim(std::get<std::string>(v)));
  ctx_.CLIPTEX = v;
}

void Browser::paste_cell() {
  const Column& c = current_column();
  if (!field_of(c)) return;
  const Value target = cell_value(c);
  if (ctx_.CLIPTEX.index() != target.index()) return;  // only between cells of one type
  if (core::is_text(ctx_.CLIPTEX) && std::get<std::string>(ctx_.CLIPTEX).empty()) return;
  const Value v = core::is_text(ctx_.CLIPTEX) ? Value(one_line(std::get<std::string>(ctx_.CLIPTEX))) : ctx_.CLIPTEX;
  write_cell(c, v);
}

void Browser::append_clip() {
  if (!section_.clip_append || section_.clip_field.empty() || append_mode()) return;
  const std::string clip = core::trim(one_line(text_of(ctx_.CLIPTEX)));
  if (clip.empty()) return;
  const std::vector<std::string> question{std::string("Essa opção acrescenta os dados copiados com ALT M"_cp),
                                          std::string(" para o fim dessa descrição.Confirma?"_cp)};
  if (!screen::AVISOSN(ui_, question, 1).yes) return;
  go_current();
  const std::string now = core::rtrim(area_.text(section_.clip_field));
  const uint32_t here = rows_[size_t(cur_)];
  F_TROCA(section_.clip_field, Value(now.empty() ? clip : now + " " + clip));
  changed(here);
}

void Browser::add_clip_line() {
  if (section_.clip_field.empty() || append_mode()) return;
  go_current();
  std::string line;
  const Column& c = current_column();
  const storage::Field* f = field_of(c);
  if (f && f->type == 'N' && f->decimals > 0) line = core::STR(area_.number(c.field), 12, 2);  // a value column
  else line = core::trim(area_.text(section_.clip_field));
  if (line.empty()) return;
  const std::string clip = core::is_text(ctx_.CLIPTEX) ? std::get<std::string>(ctx_.CLIPTEX) : std::string();
  ctx_.CLIPTEX = Value(clip.empty() ? line : clip + "\n" + line);
}

void Browser::clip_to_system() {
  const std::string text = text_of(ctx_.CLIPTEX);
  if (text.empty()) return;
  ui_.con.clipboard_set(text);
  ctx_.CLIPTEX = Value(std::string());
}

void Browser::paste_lines() {
  if (section_.clip_field.empty()) return;
  const storage::Field* f = area_.table().field(section_.clip_field);
  if (!f) return;
  const size_t piece = size_t(section_.clip_piece > 0 ? section_.clip_piece : f->width);
  // Every line a new row (the blank line, when the cursor is on it, is the first of them).
  uint32_t last = 0;
  for (const std::string& p : pasted_pieces(ui_.con.clipboard_get(), piece)) {
    const uint32_t r = ADIC_REG();
    if (r == 0) break;
    area_.go_to(r);
    F_TROCA(section_.clip_field, Value(p));
    last = r;
  }
  if (last != 0) changed(last);
}

}  // namespace vormel::entry::editor
