#include "screen/menu_bar.h"

#include <algorithm>

#include "core/cp850.h"
#include "screen/console.h"

namespace vormel::screen {

using core::Key;

namespace {

constexpr Attr kBar = 0x70, kHot = 0x74, kSel = 0x1F, kSelHot = 0x1E, kOff = 0x78;

int level_width(const std::vector<MenuItem>& items) {
  int w = 0;
  for (const auto& it : items) {
    int lw = static_cast<int>(it.label().size());
    if (!it.shortcut.empty()) lw += 2 + static_cast<int>(it.shortcut.size());
    if (it.is_submenu) lw += 2;
    w = std::max(w, lw);
  }
  return w + 2;  // one blank each side
}

int level_height(const std::vector<MenuItem>& items) {
  int h = 0;
  for (const auto& it : items) h += 1 + (it.separator_after ? 1 : 0);
  if (!items.empty() && items.back().separator_after) --h;
  return h;
}

void write_label(Frame& f, int row, int col, const MenuItem& it, Attr attr, Attr hot_attr) {
  std::string label = it.label();
  f.write(row, col, label, attr);
  int hot = it.hot_index();
  if (hot >= 0 && col + hot < Frame::kCols) f.cells[row][col + hot].attr = hot_attr;
}

}  // namespace

int menu_pad_column(const Menu& menu, int pad) {
  int col = 1;
  for (int i = 0; i < pad && i < static_cast<int>(menu.pads().size()); ++i)
    col += static_cast<int>(menu.pads()[static_cast<size_t>(i)].label().size()) + 2;
  return col;
}

int menu_pad_at(const Menu& menu, int col) {
  for (size_t i = 0; i < menu.pads().size(); ++i) {
    int start = menu_pad_column(menu, static_cast<int>(i));
    int end = start + static_cast<int>(menu.pads()[i].label().size()) + 2;
    if (col >= start && col < end) return static_cast<int>(i);
  }
  return -1;
}

void draw_menu_bar(Frame& f, const Menu& menu, bool inactive, int open_pad) {
  f.write(0, 0, std::string(Frame::kCols, ' '), kBar);
  for (size_t i = 0; i < menu.pads().size(); ++i) {
    const MenuItem& pad = menu.pads()[i];
    const int col = menu_pad_column(menu, static_cast<int>(i));
    const bool open = static_cast<int>(i) == open_pad;
    const Attr a = open ? kSel : ((inactive || !pad.enabled) ? kOff : kBar);
    f.write(0, col, " ", a);
    write_label(f, 0, col + 1, pad, a, open ? kSelHot : (inactive ? kOff : kHot));
    f.write(0, col + 1 + static_cast<int>(pad.label().size()), " ", a);
  }
}

void MenuBarRunner::open_pad(int pad) {
  pad_ = pad;
  levels_.clear();
  MenuItem& p = menu_.pads()[static_cast<size_t>(pad)];
  if (!p.is_submenu) return;
  Level lv{&p.items, 0, 1, menu_pad_column(menu_, pad), level_width(p.items)};
  lv.col = std::min(lv.col, Frame::kCols - lv.width - 2);
  levels_.push_back(lv);
}

void MenuBarRunner::open_sub(MenuItem& item) {
  const Level& parent = levels_.back();
  Level lv{&item.items, 0, item_row(parent, parent.selected) - 1, parent.col + parent.width + 2,
           level_width(item.items)};
  if (lv.col + lv.width + 2 > Frame::kCols) lv.col = std::max(0, parent.col - lv.width - 2);
  const int h = level_height(item.items) + 2;
  if (lv.row + h > Frame::kRows) lv.row = std::max(1, Frame::kRows - h);
  levels_.push_back(lv);
}

int MenuBarRunner::item_row(const Level& lv, int index) const {
  int row = lv.row + 1;
  for (int i = 0; i < index; ++i) row += 1 + ((*lv.items)[static_cast<size_t>(i)].separator_after ? 1 : 0);
  return row;
}

int MenuBarRunner::item_at(const Level& lv, int row) const {
  for (int i = 0; i < static_cast<int>(lv.items->size()); ++i)
    if (item_row(lv, i) == row) return i;
  return -1;
}

void MenuBarRunner::paint(Frame& f) const {
  draw_menu_bar(f, menu_, false, pad_);
  for (const Level& lv : levels_) {
    const auto& items = *lv.items;
    const int right = lv.col + lv.width + 1;
    // The box: ┌─┐ │ │ ├─┤ └─┘ in CP850.
    f.write(lv.row, lv.col, "\xDA" + std::string(static_cast<size_t>(lv.width), '\xC4') + "\xBF", kBar);
    int row = lv.row + 1;
    for (size_t i = 0; i < items.size(); ++i) {
      const MenuItem& it = items[i];
      const bool sel = static_cast<int>(i) == lv.selected;
      const Attr a = sel ? kSel : (it.enabled ? kBar : kOff);
      f.write(row, lv.col, "\xB3", kBar);
      f.write(row, lv.col + 1, std::string(static_cast<size_t>(lv.width), ' '), a);
      write_label(f, row, lv.col + 2, it, a, it.enabled ? (sel ? kSelHot : kHot) : a);
      std::string tail = it.shortcut + (it.is_submenu ? std::string(" \xAF") : std::string());
      f.write(row, right - 1 - static_cast<int>(tail.size()), tail, a);
      f.write(row, right, "\xB3", kBar);
      ++row;
      if (it.separator_after && i + 1 < items.size()) {
        f.write(row, lv.col, "\xC3" + std::string(static_cast<size_t>(lv.width), '\xC4') + "\xB4", kBar);
        ++row;
      }
    }
    f.write(row, lv.col, "\xC0" + std::string(static_cast<size_t>(lv.width), '\xC4') + "\xD9", kBar);
  }
}

void MenuBarRunner::move(int delta) {
  Level& lv = levels_.back();
  const int n = static_cast<int>(lv.items->size());
  if (n == 0) return;
  lv.selected = (lv.selected + delta + n) % n;
}

MenuItem* MenuBarRunner::choose(MenuItem& item) {
  if (item.is_submenu) {
    if (item.enabled && !item.items.empty()) open_sub(item);
    return nullptr;
  }
  return &item;
}

void MenuBarRunner::run(int pad) {
  if (menu_.pads().empty()) return;
  open_pad(pad);
  MenuItem* picked = nullptr;
  if (levels_.empty()) picked = &menu_.pads()[static_cast<size_t>(pad)];  // a pad that is a command

  const std::string saved_status = con_.status_message();
  {
  con_.push_painter([this](Frame& f) { paint(f); });
  struct PopPainter {
    Console& c;
    ~PopPainter() { c.pop_painter(); }
  } pop{con_};

  auto show_message = [&] {
    if (levels_.empty()) return;
    const Level& lv = levels_.back();
    if (lv.selected < static_cast<int>(lv.items->size())) {
      const std::string& m = (*lv.items)[static_cast<size_t>(lv.selected)].message;
      if (!m.empty()) con_.status_text(m);
    }
  };

  while (!picked) {
    show_message();
    Key k = con_.wait_key();
    const int npads = static_cast<int>(menu_.pads().size());
    if (k == Key(Key::Esc)) {
      if (levels_.size() > 1) {
        levels_.pop_back();
        continue;
      }
      break;
    }
    if (k == Key(Key::F10)) break;
    if (k == Key(Key::Left)) {
      if (levels_.size() > 1) levels_.pop_back();
      else open_pad((pad_ + npads - 1) % npads);
      continue;
    }
    if (k == Key(Key::Right)) {
      if (!levels_.empty()) {
        MenuItem& it = (*levels_.back().items)[static_cast<size_t>(levels_.back().selected)];
        if (it.is_submenu && it.enabled && !it.items.empty()) {
          open_sub(it);
          continue;
        }
      }
      open_pad((pad_ + 1) % npads);
      continue;
    }
    if (int p = menu_.pad_for(k); p >= 0) {  // another pad by its letter; a command pad runs
      open_pad(p);
      if (levels_.empty()) picked = &menu_.pads()[static_cast<size_t>(p)];
      continue;
    }
    if (levels_.empty()) {  // a command pad highlighted: Enter runs it
      if (k == Key(Key::Enter) || k == Key(Key::Down)) picked = &menu_.pads()[static_cast<size_t>(pad_)];
      continue;
    }
    if (k == Key(Key::Down)) { move(1); continue; }
    if (k == Key(Key::Up)) { move(-1); continue; }
    if (k == Key(Key::Home)) { levels_.back().selected = 0; continue; }
    if (k == Key(Key::End)) { levels_.back().selected = static_cast<int>(levels_.back().items->size()) - 1; continue; }
    if (k == Key(Key::Enter)) {
      Level& lv = levels_.back();
      if (lv.items->empty()) continue;
      picked = choose((*lv.items)[static_cast<size_t>(lv.selected)]);
      continue;
    }
    if (k.is_mouse()) {
      if (k.row == 0) {
        int p = menu_pad_at(menu_, k.col);
        if (p < 0) break;
        if (p == pad_ && levels_.size() <= 1) break;  // a click on the open pad closes it
        open_pad(p);
        if (levels_.empty()) picked = &menu_.pads()[static_cast<size_t>(p)];
        continue;
      }
      bool hit = false;
      for (size_t li = levels_.size(); li-- > 0;) {
        Level& lv = levels_[li];
        if (k.col <= lv.col || k.col > lv.col + lv.width) continue;
        int idx = item_at(lv, k.row);
        if (idx < 0) continue;
        levels_.resize(li + 1);
        levels_.back().selected = idx;
        picked = choose((*lv.items)[static_cast<size_t>(idx)]);
        hit = true;
        break;
      }
      if (!hit) break;  // a click outside closes the menu
      continue;
    }
    if (k.is_char()) {
      const unsigned char c = core::cp850::upper(k.byte());
      Level& lv = levels_.back();
      // The marked hot letter; an item without one answers to its first letter.
      auto first_letter = [](const MenuItem& it) -> unsigned char {
        std::string l = it.label();
        size_t p = l.find_first_not_of(' ');
        return p == std::string::npos ? 0 : core::cp850::upper(static_cast<unsigned char>(l[p]));
      };
      int found = -1;
      for (size_t i = 0; i < lv.items->size() && found < 0; ++i)
        if ((*lv.items)[i].enabled && (*lv.items)[i].hot_letter() == c) found = static_cast<int>(i);
      for (size_t i = 0; i < lv.items->size() && found < 0; ++i) {
        const MenuItem& it = (*lv.items)[i];
        if (it.enabled && it.hot_index() < 0 && first_letter(it) == c) found = static_cast<int>(i);
      }
      if (found >= 0) {
        lv.selected = found;
        picked = choose((*lv.items)[static_cast<size_t>(found)]);
      }
    }
  }
  }
  con_.status_text(saved_status);
  // The menu has closed before the command runs, as a native menu does.
  if (picked && picked->enabled && !picked->is_submenu && picked->action) {
    auto action = picked->action;  // the command may rebuild the menu it came from
    action();
  }
}

}  // namespace vormel::screen
