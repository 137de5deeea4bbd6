// The item editor's loop: the window it runs in, the keys of the list, and the way out.
#include <algorithm>

#include "entry/item_editor.h"
#include "entry/item_editor_browser.h"
#include "screen/colour.h"

namespace vormel::entry {

using core::Key;

SectionKeys keys_for(int n) {
  SectionKeys k;
  if (n < 40) k.function_keys = EndKeys::All;
  else if (n == 40 || (n >= 51 && n <= 56)) k.function_keys = EndKeys::None;  // the lists use F1-F3 otherwise
  else k.function_keys = EndKeys::FirstThree;
  k.rural = n < 40;
  k.calculator = n < 40;
  k.del = n < 51;
  const auto in = [n](std::initializer_list<int> set) { return std::find(set.begin(), set.end(), n) != set.end(); };
  k.renumber = in({5, 6, 8, 9, 22, 23, 35, 36});
  k.lines = k.renumber || n == 11;
  k.zoom = in({5, 6, 30, 31});
  return k;
}

namespace editor {

namespace {

// While a list runs, Alt+S is its own: the result goes into the cell. Lists opened from
// a list take it over in turn; when a list ends the key does again exactly what it did
// before (the declaration's own handler) or nothing.
class CalculatorBinding {
 public:
  CalculatorBinding(screen::Ui& ui, EditContext::KeyOwner& owner, std::function<void()> handler, bool active)
      : ui_(ui), owner_(owner), active_(active) {
    if (!active_) return;
    before_ = ui_.con.key_handler(Key::alt('S'));
    owner_.handlers.push_back(handler);
    ui_.con.set_key(Key::alt('S'), std::move(handler));
  }
  ~CalculatorBinding() {
    if (!active_) return;
    owner_.handlers.pop_back();
    if (before_) ui_.con.set_key(Key::alt('S'), before_);
    else ui_.con.clear_key(Key::alt('S'));
  }
  CalculatorBinding(const CalculatorBinding&) = delete;
  CalculatorBinding& operator=(const CalculatorBinding&) = delete;

 private:
  std::function<void()> before_;
  screen::Ui& ui_;
  EditContext::KeyOwner& owner_;
  bool active_;
};

// The window around the list: a dialog, or a box (put back afterwards in mode 1).
class ListWindow {
 public:
  ListWindow(screen::Ui& ui, const Section& s) : con_(ui.con) {
    const screen::Rect& r = s.window;
    if (!s.dialog.empty()) {
      con_.show_dialog(r, s.dialog);
      dialog_ = true;
    } else if (s.frame == 1 || s.frame == 6) {
      const screen::Rect box{r.top - 1, r.left - 1, r.bottom + 1, r.right + 1};
      if (s.frame == 1) under_ = con_.grid().save(box);
      con_.grid().box(box, screen::attr_of(screen::ACHACOR(ui.colours.COR_TEL2)));
    }
  }
  ~ListWindow() {
    if (dialog_) con_.close_dialog();
    if (under_) con_.grid().restore(*under_);
  }
  ListWindow(const ListWindow&) = delete;
  ListWindow& operator=(const ListWindow&) = delete;

 private:
  screen::Console& con_;
  bool dialog_ = false;
  std::optional<screen::Snapshot> under_;
};

}  // namespace

Browser::Browser(screen::Ui& ui, storage::Database& db, const Section& section, EditContext& context)
    : ui_(ui), db_(db), section_(section), ctx_(context), area_(db.area(section.area)), order_(section.order) {
  const screen::Colours& c = ui.colours;
  // Inside a screen's frame the list takes the frame's text colour; on its own, the lists'.
  const bool on_screen = section.frame == 0 && section.dialog.empty();
  const std::string normal = on_screen ? screen::ACHACOR(c.COR_TEL1) : c.COR_CLI_HE;
  normal_ = screen::attr_of(normal);
  cursor_ = screen::attr_of(c.COR_ESC_CL);
  if (cursor_ == normal_) cursor_ = screen::attr_of(c.COR_2_CLI);
  const screen::Rect& r = section.window;
  width_ = std::max(1, r.right - r.left + 1);
  for (const auto& col : section.columns) footing_ = footing_ || !col.footing.empty() || col.footing_sum;
  first_row_ = r.top + 2;
  const int last_row = r.bottom - (footing_ ? 2 : 0);
  page_ = std::max(1, last_row - first_row_ + 1);
}

Key Browser::run() {
  ListWindow window(ui_, section_);
  if (!section_.message.empty()) ui_.con.status_text(section_.message);
  CalculatorBinding calculator(ui_, ctx_.calculator_key, [this] { calculator_key(); },
                               section_.keys.calculator && !section_.display_only);
  if (section_.totals) section_.totals(ui_, db_, ctx_);
  load_rows(std::nullopt);
  measure();
  set_column(std::max(section_.first_column, section_.frozen));
  if (section_.display_only) {
    draw();
    return Key();
  }
  for (;;) {
    draw();
    if (handle(ui_.con.read_key())) break;
  }
  if (!append_mode()) go_current();
  return ended_;
}

bool Browser::ends_section(const Key& k) const {
  switch (k.code) {
    case Key::Esc: case Key::Tab: case Key::Tab | Key::Shift: return true;
    case Key::F12: case Key::F2 | Key::Alt: return section_.keys.rural && ctx_.rural;
    default: break;
  }
  if (k == Key::alt('Z') || k == Key::alt('X')) return section_.keys.zoom;
  if (k.code < Key::F1 || k.code > Key::F11) return false;
  switch (section_.keys.function_keys) {
    case EndKeys::All: return true;
    case EndKeys::FirstThree: return k.code <= Key::F3;
    case EndKeys::None: return false;
  }
  return false;
}

bool Browser::handle(const Key& k) {
  const long n = long(rows_.size());
  switch (k.code) {
    case Key::Up: move_row(append_mode() ? n - 1 : cur_ - 1); break;
    case Key::Down: down(1); break;
    case Key::PgUp: move_row(cur_ - page_); break;
    case Key::PgDn: down(page_); break;
    case Key::PgUp | Key::Ctrl: move_row(0); break;
    case Key::PgDn | Key::Ctrl: move_row(n - 1); break;
    case Key::Left: set_column(col_ - 1); break;
    case Key::Right: set_column(col_ + 1); break;
    case Key::Home: set_column(left_); break;  // the first column shown after the frozen ones
    case Key::End: set_column(last_whole()); break;
    case Key::Home | Key::Ctrl: left_ = section_.frozen; set_column(section_.frozen); break;
    case Key::End | Key::Ctrl: set_column(int(section_.columns.size()) - 1); break;
    case Key::Left | Key::Ctrl: pan(-1); break;
    case Key::Right | Key::Ctrl: pan(1); break;
    case Key::Enter: edit_cell(Key()); break;
    case Key::Del: if (section_.keys.del) delete_row(); break;
    case Key::Ins: insert_row(); break;
    case Key::Up | Key::Alt: add_clip_line(); break;
    case Key::End | Key::Alt: clip_to_system(); break;
    case Key::Down | Key::Alt: paste_lines(); break;
    default:
      if (ends_section(k)) {
        ended_ = k;
        return true;
      }
      if (k == Key::alt('O')) order_by_column();
      else if (k == Key::alt('R')) renumber();
      else if (k == Key::alt('L')) insert_lines();
      else if (k == Key::alt('M')) copy_cell();
      else if (k == Key::alt('C')) paste_cell();
      else if (k == Key::alt('J')) append_clip();
      else if (k.is_mouse()) click(k);
      else if (k.is_char()) edit_cell(k);
      break;
  }
  return false;
}

}  // namespace editor

Key EDITA(screen::Ui& ui, storage::Database& db, const Section& section, EditContext& context) {
  if (section.area <= 0 || section.area > storage::Database::kAreas || !db.area(section.area).used() ||
      section.columns.empty())
    return Key();
  db.select(section.area);
  return editor::Browser(ui, db, section, context).run();
}

Key EDITA(screen::Ui& ui, storage::Database& db, int section, EditContext& context, int mode) {
  std::optional<Section> s = section_definition(section, context, mode);
  if (!s) return Key();
  return EDITA(ui, db, *s, context);
}

}  // namespace vormel::entry
