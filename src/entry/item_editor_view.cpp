// The item editor's view: the rows shown and their order, the columns that fit beside
// the frozen ones, the moves of the cursor, and the drawing of the list.
#include <algorithm>

#include "core/picture.h"
#include "core/text.h"
#include "entry/item_editor_browser.h"
#include "storage/key_expression.h"

namespace vormel::entry::editor {

using core::Value;

namespace {

constexpr unsigned char kHeadSep = 0xCD;  // ═
constexpr unsigned char kColSep = 0xB3;   // │

}  // namespace

void Browser::load_rows(std::optional<uint32_t> keep) {
  rows_.clear();
  for (area_.go_top(); !area_.eof(); area_.skip())
    if (!section_.filter || section_.filter(area_)) rows_.push_back(area_.recno());
  if (!order_.empty()) {
    // A temporary order: the key of each row, equal keys in the area's order.
    const auto key = storage::KeyExpression::compile(order_, area_.table());
    std::vector<std::pair<std::string, uint32_t>> keyed;
    keyed.reserve(rows_.size());
    for (uint32_t r : rows_) {
      area_.go_to(r);
      keyed.emplace_back(key.evaluate(area_.record_bytes()), r);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i) rows_[i] = keyed[i].second;
  }
  if (keep) {
    auto it = std::find(rows_.begin(), rows_.end(), *keep);
    if (it != rows_.end()) cur_ = long(it - rows_.begin());
  }
  cur_ = std::clamp<long>(cur_, 0, long(rows_.size()));
}

const storage::Field* Browser::field_of(const Column& c) const { return area_.table().field(c.field); }

void Browser::measure() {
  widths_.clear();
  const std::string blank = area_.table().blank_record();
  for (const Column& c : section_.columns) {
    int w = int(c.heading.size());
    if (const storage::Field* f = field_of(c)) {
      const Value empty = area_.table().get(*f, blank);
      int cell;
      if (c.shown > 0) {
        cell = c.shown;
      } else if (f->type == 'C') {
        const core::Picture p = core::Picture::parse(c.picture);
        cell = p.scroll_width > 0 ? p.scroll_width : int(core::TRANSFORM(empty, c.picture).size());
      } else if (f->type == 'N' && c.picture.empty()) {
        cell = f->width;
      } else {
        cell = int(core::TRANSFORM(empty, c.picture).size());
      }
      w = std::max(w, cell);
    }
    widths_.push_back(std::clamp(w, 1, width_));
  }
}

std::string Browser::cell_text(int column) {
  const Column& c = section_.columns[size_t(column)];
  const size_t w = size_t(widths_[size_t(column)]);
  const storage::Field* f = field_of(c);
  if (!f) return std::string(w, ' ');
  const Value v = area_.get(*f);
  if (core::is_number(v)) {
    const auto& d = std::get<core::Decimal>(v);
    return core::pad_left(c.picture.empty() ? core::STR(d, f->width, f->decimals) : core::TRANSFORM(v, c.picture), w);
  }
  std::string t = core::TRANSFORM(v, c.picture);
  if (c.shown > 0 && int(t.size()) > c.shown) t.resize(size_t(c.shown));
  return core::pad_right(t, w);
}

// The frozen columns, then those from left_ that fit; a column too wide for what is left
// is cut when it is the last one or when it alone is wider than the list.
std::vector<Browser::Shown> Browser::shown() const {
  std::vector<Shown> out;
  int x = 0;
  const int n = int(widths_.size());
  auto fits = [&](int i, bool may_cut) {
    const int sep = out.empty() ? 0 : 1;
    const int room = width_ - x - sep;
    const int w = widths_[size_t(i)];
    if (w <= room) {
      out.push_back({i, x + sep, w});
      x += sep + w;
      return true;
    }
    if (room > 0 && (out.empty() || may_cut)) out.push_back({i, x + sep, room});
    x = width_;
    return false;
  };
  for (int i = 0; i < std::min(section_.frozen, n); ++i)
    if (!fits(i, false)) return out;
  for (int i = std::max(left_, section_.frozen); i < n; ++i)
    if (!fits(i, i + 1 == n)) break;
  if (out.empty()) out.push_back({left_, 0, width_});
  return out;
}

int Browser::last_whole() const {
  const auto s = shown();
  for (auto it = s.rbegin(); it != s.rend(); ++it)
    if (it->column >= section_.frozen && it->width == widths_[size_t(it->column)]) return it->column;
  return std::max(left_, section_.frozen);
}

int Browser::cell_col() const {
  for (const Shown& s : shown())
    if (s.column == col_) return section_.window.left + s.offset;
  return section_.window.left;
}

void Browser::set_column(int c) {
  const int n = int(section_.columns.size());
  if (n == 0) return;
  col_ = std::clamp(c, first_column(), n - 1);
  left_ = std::max(left_, section_.frozen);
  if (col_ < left_) left_ = col_;
  while (left_ < col_ && last_whole() < col_) ++left_;
}

void Browser::pan(int step) {
  const int n = int(section_.columns.size());
  if (step < 0 && left_ > section_.frozen) --left_;
  else if (step > 0 && shown().back().column < n - 1) ++left_;
  else return;
  col_ = std::clamp(col_, std::max(left_, first_column()), std::max(last_whole(), first_column()));
}

void Browser::move_row(long to) {
  if (rows_.empty()) return;  // only the blank line
  cur_ = std::clamp<long>(to, 0, long(rows_.size()) - 1);
}

void Browser::down(long step) {
  if (append_mode()) return;
  const long last = long(rows_.size()) - 1;
  cur_ = cur_ == last ? last + 1 : std::min(last, cur_ + step);
}

void Browser::keep_visible() {
  if (cur_ < top_) top_ = cur_;
  if (cur_ >= top_ + page_) top_ = cur_ - page_ + 1;
  top_ = std::clamp<long>(top_, 0, std::max<long>(0, long(rows_.size()) + 1 - page_));
  if (cur_ < top_) top_ = cur_;
}

void Browser::click(const core::Key& k) {
  const int row = k.row - 1;  // the grid starts under the menu bar
  if (row < first_row_ || row >= first_row_ + page_) return;
  const long index = top_ + (row - first_row_);
  if (index >= long(rows_.size())) return;
  cur_ = index;
  for (const Shown& s : shown()) {
    const int left = section_.window.left + s.offset;
    if (k.col >= left && k.col < left + s.width && s.column >= section_.frozen) set_column(s.column);
  }
}

void Browser::draw() {
  keep_visible();
  screen::Grid& g = ui_.con.grid();
  const screen::Rect& r = section_.window;
  g.fill(r, ' ', normal_);
  const auto cols = shown();
  for (const Shown& s : cols)
    g.write(r.top, r.left + s.offset, core::pad_right(section_.columns[size_t(s.column)].heading, size_t(s.width)),
            normal_);
  g.write(r.top + 1, r.left, std::string(size_t(width_), char(kHeadSep)), normal_);
  for (int i = 0; i < page_; ++i) {
    const long index = top_ + i;
    const int row = first_row_ + i;
    const bool has_row = index < long(rows_.size());
    if (has_row) area_.go_to(rows_[size_t(index)]);
    for (const Shown& s : cols) {
      if (s.offset > 0) g.put(row, r.left + s.offset - 1, kColSep, normal_);
      const bool marked = index == cur_ && (s.column == col_ || section_.display_only);
      if (!has_row && !marked) continue;
      const std::string text = has_row ? cell_text(s.column) : std::string(size_t(s.width), ' ');
      g.write(row, r.left + s.offset, text.substr(0, size_t(s.width)), marked ? cursor_ : normal_);
    }
  }
  if (footing_) draw_footings(cols);
  if (!append_mode()) go_current();
  ui_.con.cursor_on(false);
}

void Browser::draw_footings(const std::vector<Shown>& cols) {
  screen::Grid& g = ui_.con.grid();
  const screen::Rect& r = section_.window;
  g.write(r.bottom - 1, r.left, std::string(size_t(width_), char(kHeadSep)), normal_);
  for (const Shown& s : cols) {
    const Column& c = section_.columns[size_t(s.column)];
    std::string text = c.footing;
    if (c.footing_sum) {
      core::Decimal sum(0);
      for (uint32_t rec : rows_) {
        area_.go_to(rec);
        sum = sum + area_.number(c.field);
      }
      text = core::pad_left(core::TRANSFORM(Value(sum), c.picture), size_t(s.width));
    }
    g.write(r.bottom, r.left + s.offset, core::pad_right(text, size_t(s.width)), normal_);
  }
}

}  // namespace vormel::entry::editor
