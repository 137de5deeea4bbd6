#include "screen/console.h"

#include <algorithm>

#include "core/cp850.h"
#include "core/text.h"
#include "screen/colour.h"
#include "screen/menu_bar.h"

namespace vormel::screen {

using core::Key;

Console::Console(Backend& backend, const core::Clock& clock) : backend_(backend), clock_(clock) {
  auto main = std::make_unique<Dialog>();
  main->rect = Rect{0, 0, Grid::kRows - 1, Grid::kCols - 1};
  main->main = true;
  main->menu = std::make_unique<Menu>();
  main->status.emplace();
  windows_.push_back(std::move(main));
  next_tick_ = std::chrono::steady_clock::now() + std::chrono::seconds(1);
}

Menu& Console::menu() { return *main_window().menu; }

Dialog& Console::show_dialog(Rect client, std::string title) {
  auto d = std::make_unique<Dialog>();
  d->rect = client;
  d->title = std::move(title);
  const int caption_row = std::max(client.top - 1, 0);
  d->under = grid_.save(Rect{caption_row, client.left, client.bottom, client.right});
  d->saved_colour = colour;
  d->saved_cursor = cursor_visible_;
  d->saved_cursor_shape = cursor_shape_;
  windows_.push_back(std::move(d));
  draw_dialog(*windows_.back());
  return *windows_.back();
}

void Console::close_dialog() {
  if (!dialog_open()) return;  // the main window is never closed
  Dialog& d = *windows_.back();
  grid_.restore(d.under);
  colour = d.saved_colour;
  cursor_visible_ = d.saved_cursor;
  cursor_shape_ = d.saved_cursor_shape;
  windows_.pop_back();
}

void Console::draw_dialog(const Dialog& d) {
  const Rect& r = d.rect;
  const int caption_row = std::max(r.top - 1, 0);
  grid_.fill(Rect{r.top, r.left, r.bottom, r.right}, ' ', attr_of(d.colour));
  const int width = r.right - r.left + 1;
  if (width > 0) grid_.write(caption_row, r.left, core::pad_center(d.title, static_cast<size_t>(width)), 0x1F);
  draw_buttons(d);
}

void Console::draw_buttons(const Dialog& d) {
  for (size_t i = 0; i < d.buttons.size(); ++i) {
    const Button& b = d.buttons[i];
    const bool focused = static_cast<int>(i) == d.focus;
    const Attr normal = b.enabled ? 0x70 : 0x78;
    const std::string face = b.face();
    grid_.write(b.row, b.col, face, focused ? 0x1F : normal);
    if (!focused && b.enabled) {
      unsigned char hot = b.hot_letter();
      for (size_t k = 1; k + 1 < face.size(); ++k)
        if (core::cp850::upper(static_cast<unsigned char>(face[k])) == hot) {
          grid_.set_attr(b.row, b.col + static_cast<int>(k), 0x74);
          break;
        }
    }
  }
}

int Console::activate(Dialog& d, const std::function<bool(const Key&)>& own_keys) {
  auto press = [&](size_t i) {
    d.focus = static_cast<int>(i);
    d.last_button = d.buttons[i].number;
    if (d.buttons[i].action) d.buttons[i].action();
    return d.last_button;
  };
  for (;;) {
    draw_buttons(d);
    Key k = read_key();
    if (own_keys && own_keys(k)) continue;
    const int n = static_cast<int>(d.buttons.size());
    if (k == Key(Key::Esc) && d.exit_esc) return d.last_button = 0;
    if (n == 0) continue;
    switch (k.code) {
      case Key::Tab: case Key::Right: case Key::Down:
        d.focus = (d.focus + 1) % n;
        continue;
      case Key::Tab | Key::Shift: case Key::Left: case Key::Up:
        d.focus = (d.focus + n - 1) % n;
        continue;
      case Key::Enter: case ' ':
        if (d.buttons[static_cast<size_t>(d.focus)].enabled) return press(static_cast<size_t>(d.focus));
        continue;
      default: break;
    }
    if (k.is_mouse()) {
      for (size_t i = 0; i < d.buttons.size(); ++i) {
        const Button& b = d.buttons[i];
        if (b.enabled && k.row - 1 == b.row && k.col >= b.col && k.col < b.col + b.width()) return press(i);
      }
      continue;
    }
    unsigned char c = k.is_char() ? core::cp850::upper(k.byte()) : (k.is_alt_char() ? static_cast<unsigned char>(k.base()) : 0);
    if (c)
      for (size_t i = 0; i < d.buttons.size(); ++i)
        if (d.buttons[i].enabled && d.buttons[i].hot_letter() == c) return press(i);
  }
}

void Console::status_text(const std::string& cp850_text) {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if ((*it)->status) {
      (*it)->status->set_text(cp850_text);
      return;
    }
}

std::string Console::status_line() const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if ((*it)->status) return (*it)->status->line(Frame::kCols);
  return std::string(Frame::kCols, ' ');
}

std::string Console::status_message() const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if ((*it)->status) return (*it)->status->parts.empty() ? std::string() : (*it)->status->parts.front().text;
  return {};
}

Frame Console::compose() const {
  Frame f;
  draw_menu_bar(f, *windows_.front()->menu, dialog_open());
  for (int row = 0; row < Grid::kRows; ++row)
    for (int col = 0; col < Grid::kCols; ++col) f.cells[row + 1][col] = grid_.get(row, col);
  f.write(Frame::kRows - 1, 0, status_line(), 0x70);
  for (const auto& p : painters_) p(f);
  if (cursor_visible_ && Grid::inside(cur_row_, cur_col_)) {
    f.cursor_row = cur_row_ + 1;
    f.cursor_col = cur_col_;
    f.cursor_shape = cursor_shape_;
  }
  return f;
}

void Console::present() { backend_.present(compose()); }

int Console::ms_to_tick() const {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(next_tick_ - std::chrono::steady_clock::now());
  return static_cast<int>(std::clamp<long long>(left.count(), 0, 1000));
}

void Console::tick() {
  auto now = std::chrono::steady_clock::now();
  next_tick_ += std::chrono::seconds(1);
  if (next_tick_ <= now) next_tick_ = now + std::chrono::seconds(1);
  auto handlers = tick_handlers_;  // a handler may add another
  for (auto& h : handlers)
    if (h) h();
}

void Console::set_key(Key k, std::function<void()> handler) {
  if (handler) hot_keys_[k.code] = std::move(handler);
  else hot_keys_.erase(k.code);
}

bool Console::handle_special(const Key& k) {
  if (hot_keys_suspended_ == 0) {
    auto it = hot_keys_.find(k.code);
    if (it != hot_keys_.end() && !running_keys_[k.code]) {
      auto handler = it->second;  // the handler may replace its own entry
      running_keys_[k.code] = true;
      last_key_ = k;
      try {
        handler();
      } catch (...) {
        running_keys_[k.code] = false;
        throw;
      }
      running_keys_[k.code] = false;
      return true;
    }
  }
  if (dialog_open() || !menu_enabled || menu().empty()) return false;
  if (k == Key(Key::F10)) {
    run_menu(0);
    return true;
  }
  if (int pad = menu().pad_for(k); pad >= 0) {
    run_menu(pad);
    return true;
  }
  if (k.is_mouse() && k.row == 0) {
    int pad = menu_pad_at(menu(), k.col);
    if (pad >= 0) run_menu(pad);
    return true;
  }
  if (MenuItem* item = menu().find_accelerator(k)) {
    if (item->enabled && item->action) item->action();
    return true;
  }
  return false;
}

Key Console::wait_key() {
  for (;;) {
    Key k;
    if (!pushed_.empty()) {
      k = pushed_.front();
      pushed_.pop_front();
    } else {
      present();
      auto r = backend_.read_key(ms_to_tick(), true);
      if (!r) {
        tick();
        continue;
      }
      k = *r;
      if (k.base() != Key::Resize) last_typed_ = clock_.now();
    }
    if (k.base() == Key::Resize) continue;
    last_key_ = k;
    return k;
  }
}

Key Console::read_key() {
  for (;;) {
    Key k = wait_key();
    if (!handle_special(k)) return k;
  }
}

std::optional<Key> Console::inkey(int ms) {
  if (!pushed_.empty()) {
    Key k = pushed_.front();
    pushed_.pop_front();
    return last_key_ = k;
  }
  present();
  auto r = backend_.read_key(ms, false);
  if (r && r->base() != Key::Resize) {
    last_key_ = *r;
    last_typed_ = clock_.now();
  }
  return r;
}

void Console::clear_typeahead() {
  pushed_.clear();
  backend_.clear_typeahead();
}

void Console::run_menu(int pad) { MenuBarRunner(*this, menu()).run(pad); }

void Console::clipboard_set(const std::string& cp850_text) {
  own_clipboard_ = cp850_text;
  backend_.clipboard_set(cp850_text);
}

std::string Console::clipboard_get() {
  if (auto sys = backend_.clipboard_get()) return *sys;
  return own_clipboard_;
}

}  // namespace vormel::screen
