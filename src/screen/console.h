// The console interface every screen is drawn on: the grid, the cursor, the desktop's
// windows (main window with menu bar and status bar, dialogs), keys with their hot-key
// handlers and menu picks, the one-second timer, the bell and the clipboard.
#pragma once
#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/keys.h"
#include "screen/backend.h"
#include "screen/dialog.h"
#include "screen/grid.h"

namespace vormel::screen {

// Thrown to end the program from wherever it is (the exit question answered Yes, a
// refused start-up check); main() catches it and returns the status.
struct ProgramExit {
  int status = 0;
};

class Console {
 public:
  Console(Backend& backend, const core::Clock& clock);

  Grid& grid() { return grid_; }
  const core::Clock& clock() const { return clock_; }
  Backend& backend() { return backend_; }

  // Cursor (grid coordinates).
  void set_cursor(int row, int col) { cur_row_ = row; cur_col_ = col; }
  void cursor_on(bool on) { cursor_visible_ = on; }
  bool cursor_is_on() const { return cursor_visible_; }
  void set_cursor_shape(int shape) { cursor_shape_ = shape; }
  int cursor_row() const { return cur_row_; }
  int cursor_col() const { return cur_col_; }

  // The current colour set (SET COLOR); its first colour draws plain text.
  std::string colour = "N/W";

  // --- windows of the desktop ---
  Dialog& main_window() { return *windows_.front(); }
  Dialog& active() { return *windows_.back(); }
  bool dialog_open() const { return windows_.size() > 1; }
  // LDLGSHOW: a dialog at those text coordinates with that title, made the active window.
  Dialog& show_dialog(Rect client, std::string title);
  // LDLGCLOSE: closes the active dialog (never the main window).
  void close_dialog();
  void draw_dialog(const Dialog& d);
  void draw_buttons(const Dialog& d);
  // LACTIVATE: reads keys for the active dialog until one of its buttons is pressed (its
  // number, also in last_button) or, when it may, Esc (0). `own_keys`, when given, sees
  // each key first and takes the ones it returns true for.
  int activate(Dialog& d, const std::function<bool(const core::Key&)>& own_keys = {});

  // Message line: the first part of the status bar that is shown.
  void status_text(const std::string& cp850_text);
  std::string status_line() const;
  std::string status_message() const;  // the text of that first part

  // --- keys ---
  // Waits for a key. Menu picks, accelerators and hot keys are carried out inside the
  // wait; mouse clicks on the bars too. The key is also remembered as last_key().
  core::Key read_key();
  // Waits for a key with the timer running, but no hot keys and no menus (menus and
  // message boxes read their own keys with it).
  core::Key wait_key();
  // INKEY: a key within `ms` milliseconds (0 = only what is already typed), without
  // hot keys or menus.
  std::optional<core::Key> inkey(int ms);
  core::Key last_key() const { return last_key_; }
  void push_key(core::Key k) { pushed_.push_back(k); }  // KEYBOARD
  void clear_typeahead();

  // SET KEY: a handler that runs when the key is pressed in any wait for a key.
  void set_key(core::Key k, std::function<void()> handler);
  void clear_key(core::Key k) { hot_keys_.erase(k.code); }
  bool has_key(core::Key k) const { return hot_keys_.count(k.code) > 0; }
  // The handler bound to a key (empty when none), to bind it back after a while.
  std::function<void()> key_handler(core::Key k) const {
    auto it = hot_keys_.find(k.code);
    return it == hot_keys_.end() ? std::function<void()>() : it->second;
  }
  // While suspended (message boxes), hot keys are ordinary keys.
  void suspend_hot_keys(bool s) { hot_keys_suspended_ += s ? 1 : -1; }

  // The menu bar of the main window; F10 and Alt+hot letter open it while the main
  // window is active.
  Menu& menu();
  void run_menu(int pad);
  bool menu_enabled = true;

  // One-second timer: status-bar parts with blocks are redrawn, then these run. The
  // number given back takes a handler off again.
  size_t on_tick(std::function<void()> fn) {
    tick_handlers_.push_back(std::move(fn));
    return tick_handlers_.size() - 1;
  }
  void remove_tick(size_t id) {
    if (id < tick_handlers_.size()) tick_handlers_[id] = nullptr;
  }
  // When the last key came from the keyboard (keys the program pushes do not count).
  core::DateTime last_typed() const { return last_typed_; }

  // Screen painters drawn over the frame (the open pull-down menus).
  using Painter = std::function<void(Frame&)>;
  void push_painter(Painter p) { painters_.push_back(std::move(p)); }
  void pop_painter() { painters_.pop_back(); }

  void present();
  Frame compose() const;
  void bell() { backend_.bell(); }

  // The clipboard: the system's where the back end has one, else the program's own.
  void clipboard_set(const std::string& cp850_text);
  std::string clipboard_get();

 private:
  bool handle_special(const core::Key& k);
  int ms_to_tick() const;
  void tick();

  Backend& backend_;
  const core::Clock& clock_;
  Grid grid_;
  int cur_row_ = 0, cur_col_ = 0;
  bool cursor_visible_ = false;
  int cursor_shape_ = 1;
  std::vector<std::unique_ptr<Dialog>> windows_;
  std::deque<core::Key> pushed_;
  core::Key last_key_;
  core::DateTime last_typed_{};
  std::map<uint32_t, std::function<void()>> hot_keys_;
  std::map<uint32_t, bool> running_keys_;
  int hot_keys_suspended_ = 0;
  std::vector<std::function<void()>> tick_handlers_;
  std::vector<Painter> painters_;
  std::chrono::steady_clock::time_point next_tick_;
  std::string own_clipboard_;
};

}  // namespace vormel::screen
