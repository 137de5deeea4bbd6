#include "screen/browse_list.h"

#include <algorithm>

#include "core/cp850.h"
#include "core/picture.h"
#include "core/text.h"

namespace vormel::screen {

using core::Key;
using core::Value;
using storage::WorkArea;

namespace {

constexpr unsigned char kHeadSep = 0xCD;  // ═
constexpr unsigned char kColSep = 0xB3;   // │

// A column's text for the current record: through its picture, or the field as it is
// stored (numbers at their stored width, right-aligned in the column).
struct Cell {
  std::string text;
  bool number = false;
};

Cell cell_of(WorkArea& area, const BrowseColumn& c) {
  if (c.value) {
    Value v = c.value(area);
    return {core::TRANSFORM(v, c.picture), core::is_number(v)};
  }
  const storage::Field* f = area.table().field(c.field);
  if (!f) return {};
  Value v = area.get(*f);
  if (c.picture.empty() && core::is_number(v)) return {core::STR(std::get<core::Decimal>(v), f->width, f->decimals), true};
  return {core::TRANSFORM(v, c.picture), core::is_number(v)};
}

struct Shown {
  int column = 0;  // index among the list's columns
  int offset = 0;  // from the list's left edge
  int width = 0;   // may be cut at the right edge
};

class Browser {
 public:
  Browser(Ui& ui, WorkArea& area, const BrowseSpec& spec) : ui_(ui), area_(area), spec_(spec) {
    const Colours& c = ui.colours;
    std::string normal = spec.colour.empty() ? c.COR_CLI_HE : spec.colour;
    std::string cursor = spec.cursor_colour;
    if (cursor.empty()) cursor = attr_of(c.COR_ESC_CL) == attr_of(c.COR_CLI_HE) ? c.COR_2_CLI : c.COR_ESC_CL;
    normal_ = attr_of(normal);
    cursor_ = attr_of(cursor);
    const Rect& r = spec.rect;
    width_ = std::max(1, r.right - r.left + 1);
    for (const auto& col : spec.columns) footer_ = footer_ || !col.footer.empty();
    first_row_ = r.top + 2;
    const int last_row = r.bottom - (footer_ ? 2 : 0);
    page_ = std::max(1, last_row - first_row_ + 1);
  }

  std::optional<uint32_t> run() {
    const size_t order = area_.active_order();
    const uint32_t recno = area_.eof() ? 0 : area_.recno();
    load_rows(recno);
    measure();
    top_ = std::clamp<long>(cur_, 0, std::max<long>(0, long(rows_.size()) - page_));
    std::optional<uint32_t> chosen;
    for (bool done = false; !done;) {
      draw();
      Key k = ui_.con.read_key();
      done = handle(k, chosen);
    }
    area_.set_order(order);
    area_.go_to(recno);
    return chosen;
  }

 private:
  bool handle(const Key& k, std::optional<uint32_t>& chosen) {
    const long last = long(rows_.size()) - 1;
    switch (k.code) {
      case Key::Esc: case Key::Enter | Key::Ctrl: return true;
      case Key::Enter:
        if (!rows_.empty()) chosen = rows_[size_t(cur_)];
        return true;
      case Key::F1: switch_order(2); break;
      case Key::F2: switch_order(1); break;
      case Key::F3: switch_order(3); break;
      case Key::F6: run_hook(spec_.on_f6); break;
      case Key::F11: run_hook(spec_.on_f11); break;
      case Key::Up: move_to(cur_ - 1); break;
      case Key::Down: move_to(cur_ + 1); break;
      case Key::PgUp: top_ -= page_; move_to(cur_ - page_); break;
      case Key::PgDn: top_ += page_; move_to(cur_ + page_); break;
      case Key::PgUp | Key::Ctrl: move_to(0); break;
      case Key::PgDn | Key::Ctrl: move_to(last); break;
      case Key::Left: set_column(col_ - 1); break;
      case Key::Right: set_column(col_ + 1); break;
      case Key::Home: col_ = shown().front().column; break;
      case Key::End: col_ = last_whole(); break;
      case Key::Home | Key::Ctrl: left_ = 0; set_column(0); break;
      case Key::End | Key::Ctrl: set_column(int(spec_.columns.size()) - 1); break;
      case Key::Left | Key::Ctrl: pan(-1); break;
      case Key::Right | Key::Ctrl: pan(1); break;
      default:
        if (spec_.letter_jump && k.is_char()) jump(k.byte());
        break;
    }
    return false;
  }

  bool accepts() { return !spec_.filter || spec_.filter(area_); }

  // The rows of the active order; the cursor stays on `keep` when it is listed.
  void load_rows(uint32_t keep) {
    rows_.clear();
    for (area_.go_top(); !area_.eof(); area_.skip())
      if (accepts()) rows_.push_back(area_.recno());
    auto it = std::find(rows_.begin(), rows_.end(), keep);
    cur_ = it == rows_.end() ? 0 : long(it - rows_.begin());
  }

  void measure() {
    widths_.clear();
    if (!rows_.empty()) area_.go_to(rows_[size_t(cur_)]);
    for (const auto& c : spec_.columns) {
      int w = c.width;
      if (w <= 0) {
        w = std::max<int>(int(c.header.size()), int(c.footer.size()));
        if (!rows_.empty()) w = std::max<int>(w, int(cell_of(area_, c).text.size()));
      }
      widths_.push_back(std::clamp(w, 1, width_));
    }
  }

  // The columns that fit from the first one shown; a column too wide for what is left is
  // cut when it is the last one or when it alone is wider than the list.
  std::vector<Shown> shown() const {
    std::vector<Shown> out;
    int x = 0;
    for (int i = left_; i < int(widths_.size()); ++i) {
      const int sep = out.empty() ? 0 : 1;
      const int room = width_ - x - sep;
      if (widths_[size_t(i)] <= room) {
        out.push_back({i, x + sep, widths_[size_t(i)]});
        x += sep + widths_[size_t(i)];
        continue;
      }
      if (room > 0 && (out.empty() || i + 1 == int(widths_.size()))) out.push_back({i, x + sep, room});
      break;
    }
    if (out.empty()) out.push_back({left_, 0, width_});
    return out;
  }

  int last_whole() const {
    auto s = shown();
    for (auto it = s.rbegin(); it != s.rend(); ++it)
      if (it->width == widths_[size_t(it->column)]) return it->column;
    return s.front().column;
  }

  void set_column(int c) {
    if (spec_.columns.empty()) return;
    col_ = std::clamp(c, 0, int(spec_.columns.size()) - 1);
    if (col_ < left_) left_ = col_;
    while (left_ < col_ && last_whole() < col_) ++left_;
  }

  void pan(int step) {
    const int n = int(spec_.columns.size());
    if (step < 0 && left_ > 0) --left_;
    else if (step > 0 && shown().back().column < n - 1) ++left_;
    else return;
    auto s = shown();
    col_ = std::clamp(col_, s.front().column, last_whole());
  }

  void move_to(long index) {
    if (rows_.empty()) return;
    cur_ = std::clamp<long>(index, 0, long(rows_.size()) - 1);
    const long max_top = std::max<long>(0, long(rows_.size()) - page_);
    top_ = std::clamp<long>(top_, 0, max_top);
    if (cur_ < top_) top_ = cur_;
    if (cur_ >= top_ + page_) top_ = cur_ - page_ + 1;
  }

  void switch_order(size_t n) {
    if (n > area_.order_count()) return;
    const uint32_t keep = rows_.empty() ? 0 : rows_[size_t(cur_)];
    area_.set_order(n);
    load_rows(keep);
    top_ = cur_;
    move_to(cur_);
  }

  void jump(unsigned char c) {
    if (rows_.empty()) return;
    const unsigned char up = core::cp850::upper(c);
    const bool digit = c >= '0' && c <= '9';
    size_t order = digit ? spec_.digit_order : spec_.letter_order;
    if (order > area_.order_count()) order = area_.order_count() >= 1 ? 1 : 0;
    if (order == 0) {
      // No order to seek in: the first row whose first column starts with it.
      for (size_t i = 0; i < rows_.size(); ++i) {
        area_.go_to(rows_[i]);
        std::string t = core::cp850::upper(core::ltrim(cell_of(area_, spec_.columns.front()).text));
        if (!t.empty() && static_cast<unsigned char>(t[0]) == up) return place(long(i));
      }
      return place(long(rows_.size()) - 1);
    }
    if (order != area_.active_order()) {
      area_.set_order(order);
      load_rows(0);
    }
    area_.seek(Value(std::string(1, static_cast<char>(up))), storage::Seek::Soft);
    while (!area_.eof() && !accepts()) area_.skip();
    if (area_.eof()) return place(long(rows_.size()) - 1);
    auto it = std::find(rows_.begin(), rows_.end(), area_.recno());
    place(it == rows_.end() ? long(rows_.size()) - 1 : long(it - rows_.begin()));
  }

  // A jump shows the row reached at the top of the list.
  void place(long index) {
    top_ = index;
    move_to(index);
  }

  void run_hook(const std::function<void(WorkArea&)>& hook) {
    if (!hook || rows_.empty()) return;
    area_.go_to(rows_[size_t(cur_)]);
    hook(area_);
  }

  void draw() {
    Grid& g = ui_.con.grid();
    const Rect& r = spec_.rect;
    g.fill(r, ' ', normal_);
    const auto cols = shown();
    for (const Shown& s : cols)
      g.write(r.top, r.left + s.offset, core::pad_right(spec_.columns[size_t(s.column)].header, size_t(s.width)),
              normal_);
    g.write(r.top + 1, r.left, std::string(size_t(width_), char(kHeadSep)), normal_);
    const int used = cols.back().offset + cols.back().width;
    for (int i = 0; i < page_; ++i) {
      const long index = top_ + i;
      const int row = first_row_ + i;
      const bool has_row = index < long(rows_.size());
      const Attr attr = has_row && index == cur_ ? cursor_ : normal_;
      if (has_row) {
        area_.go_to(rows_[size_t(index)]);
        g.write(row, r.left, std::string(size_t(used), ' '), attr);
      }
      for (const Shown& s : cols) {
        if (s.offset > 0) g.put(row, r.left + s.offset - 1, kColSep, attr);
        if (!has_row) continue;
        Cell c = cell_of(area_, spec_.columns[size_t(s.column)]);
        const size_t w = size_t(widths_[size_t(s.column)]);
        std::string text = c.number ? core::pad_left(c.text, w) : core::pad_right(c.text, w);
        g.write(row, r.left + s.offset, text.substr(0, size_t(s.width)), attr);
      }
    }
    if (footer_) {
      g.write(r.bottom - 1, r.left, std::string(size_t(width_), char(kHeadSep)), normal_);
      for (const Shown& s : cols)
        g.write(r.bottom, r.left + s.offset, core::pad_right(spec_.columns[size_t(s.column)].footer, size_t(s.width)),
                normal_);
    }
  }

  Ui& ui_;
  WorkArea& area_;
  const BrowseSpec& spec_;
  std::vector<uint32_t> rows_;
  std::vector<int> widths_;
  long cur_ = 0, top_ = 0;
  int col_ = 0, left_ = 0;
  int width_ = 1, first_row_ = 0, page_ = 1;
  bool footer_ = false;
  Attr normal_ = 7, cursor_ = 7;
};

}  // namespace

std::optional<uint32_t> HBROWSE(Ui& ui, WorkArea& area, const BrowseSpec& spec) {
  if (!area.used() || spec.columns.empty()) return std::nullopt;
  return Browser(ui, area, spec).run();
}

}  // namespace vormel::screen
