// The item editor's row operations: delete (Del), insert (Ins, Alt+L), renumber (Alt+R)
// and a temporary order on a column (Alt+O).
#include <algorithm>

#include "core/cp850_literal.h"
#include "entry/item_editor_browser.h"

namespace vormel::entry::editor {

using core::Decimal;
using core::Key;
using core::Value;
using namespace core::literals;

namespace {

bool confirmed(screen::Ui& ui, std::string_view question) { return screen::AVISOSN(ui, question, 1).yes; }

void notice(screen::Ui& ui, std::string_view text) { screen::AVISOSN(ui, text, 0); }

const std::string* numbered_field(const Section& s, Numbering which) {
  for (const Column& c : s.columns)
    if (c.numbering == which) return &c.field;
  return nullptr;
}

// The largest whole number a numeric field holds (line numbers are N4: 9999).
long largest(const storage::Field* f) {
  long n = 1;
  for (int i = 0; i < std::min(f ? f->width - (f->decimals ? f->decimals + 1 : 0) : 4, 9); ++i) n *= 10;
  return n - 1;
}

// A record written over another one under its lock.
void overwrite(storage::Database& db, storage::WorkArea& area, uint32_t recno, const std::string& record) {
  area.go_to(recno);
  if (!db.REC_LOCK()) return;
  area.replace_record(record);
  area.unlock();
}

}  // namespace

void Browser::delete_row() {
  if (append_mode()) return;
  if (!confirmed(ui_, "Confirma a Exclusão dessa linha?"_cp)) return;
  go_current();
  db_.select(section_.area);
  if (!db_.REC_LOCK()) return;
  area_.erase();
  area_.unlock();
  changed(std::nullopt);
  // The row below takes the cursor; after the last one, the one above. The only row
  // gone, the list is on its blank line.
  if (!rows_.empty() && cur_ >= long(rows_.size())) cur_ = long(rows_.size()) - 1;
}

void Browser::insert_row() {
  if (section_.insert == InsertRule::None || append_mode()) return;
  if (!confirmed(ui_, section_.insert_question)) return;
  if (section_.insert == InsertRule::AfterNumbered) insert_numbered(cur_, 1);
  else insert_before(cur_, 1);
}

void Browser::insert_lines() {
  if (!section_.keys.lines || section_.insert == InsertRule::None || append_mode()) return;
  Value n = Decimal(0);
  constexpr int kWindow = 10;
  screen::MensArgs a;
  a.window = kWindow;
  screen::MENS(ui_, 13, std::string("Insere    linhas após esse Item."_cp), a);
  const screen::Rect t = screen::text_area(ui_.windows[kWindow]);
  // The one-digit count goes into the gap after "Insere ".
  const Key k = screen::edit_field(ui_, screen::FieldSpec::at(t.top, t.left + 7, &n, "9", 0, 0));
  screen::FECHAJAN(ui_, kWindow);
  const int count = k == Key(Key::Esc) ? 0 : int(std::get<Decimal>(n).to_int());
  if (count <= 0) return;
  if (section_.insert == InsertRule::AfterNumbered) insert_numbered(cur_, count);
  else insert_before(cur_ + 1, count);
}

// New rows after row `after`, numbered after it one by one; the rows that follow are
// numbered on from the last new one in steps of ten.
void Browser::insert_numbered(long after, int count) {
  const std::string* line = numbered_field(section_, Numbering::Line);
  if (!line) return;
  const storage::Field* f = area_.table().field(*line);
  const long cap = largest(f);
  area_.go_to(rows_[size_t(after)]);
  long next = long(area_.number(*line).to_int());
  const std::vector<uint32_t> following(rows_.begin() + after + 1, rows_.end());
  uint32_t first_new = 0;
  for (int i = 0; i < count; ++i) {
    const uint32_t r = ADIC_REG();
    if (r == 0) break;
    if (first_new == 0) first_new = r;
    area_.go_to(r);
    F_TROCA(*line, Value(Decimal(std::min(++next, cap))));
  }
  if (first_new == 0) return;
  for (uint32_t r : following) {
    next += 10;
    area_.go_to(r);
    F_TROCA(*line, Value(Decimal(std::min(next, cap))));
  }
  changed(first_new);
}

// New blank rows at position `at` of the list: each row from there down moves `count`
// places (its contents are copied into the next slot), and the slots freed become blank
// but for the fields that keep the row in its list.
void Browser::insert_before(long at, int count) {
  std::vector<uint32_t> slots = rows_;
  const long old = long(rows_.size());
  for (int i = 0; i < count; ++i) {
    const uint32_t r = ADIC_REG();
    if (r == 0) break;
    slots.push_back(r);
  }
  const long added = long(slots.size()) - old;
  if (added == 0) return;
  db_.select(section_.area);
  storage::Table& table = area_.table();
  for (long i = old - 1; i >= at; --i) {
    area_.go_to(slots[size_t(i)]);
    const std::string moved = area_.record_bytes();
    overwrite(db_, area_, slots[size_t(i + added)], moved);
  }
  if (at < old) {
    area_.go_to(slots[size_t(at)]);
    const std::string displaced = area_.record_bytes();
    std::string blank = table.blank_record();
    std::vector<std::string> keeps = section_.insert_keeps;
    if (section_.declaration_rows) keeps.push_back("CPF");
    if (section_.activity_rows) keeps.push_back("ATV_BRASIL");
    for (const std::string& name : keeps)
      if (const storage::Field* f = table.field(name)) table.put(*f, blank, table.get(*f, displaced));
    for (long j = 0; j < added; ++j) overwrite(db_, area_, slots[size_t(at + j)], blank);
  }
  changed(slots[size_t(at)]);
}

void Browser::renumber() {
  if (!section_.keys.renumber || append_mode()) return;
  const Column& c = current_column();
  if (c.numbering == Numbering::None) {
    notice(ui_, "Posicione o cursor sobre a coluna Item ou Linha");
    return;
  }
  go_current();
  const long current = long(area_.number(c.field).to_int());
  long step = 10;
  if (c.numbering == Numbering::Item) {
    if (current == 0) {
      notice(ui_, "Só é possível reorganizar a partir de um item diferente de Zero"_cp);
      return;
    }
    if (!confirmed(ui_, "Reorganiza os nros dos Bens/dividas após esse Item?"_cp)) return;
    step = 1;
  } else if (!confirmed(ui_, "Reorganiza os nros das Linhas após esse Item?"_cp)) {
    return;
  }
  const long cap = largest(field_of(c));
  const uint32_t here = rows_[size_t(cur_)];
  long next = current;
  for (size_t i = size_t(cur_) + 1; i < rows_.size(); ++i) {
    area_.go_to(rows_[i]);
    if (area_.number(c.field).is_zero()) continue;
    next += step;
    F_TROCA(c.field, Value(Decimal(std::min(next, cap))));
  }
  changed(here);
}

void Browser::order_by_column() {
  const Column& c = current_column();
  if (c.order.empty()) return;
  order_ = c.order;
  cur_ = top_ = 0;
  load_rows(std::nullopt);
}

}  // namespace vormel::entry::editor
