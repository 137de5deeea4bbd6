// Windows of the desktop frame: the main window (the grid, the menu bar, the status bar)
// and dialogs placed on text coordinates, with their caption row, buttons, key handlers
// and status bar. Opening a dialog saves what it covers; closing puts it back.
#pragma once
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/keys.h"
#include "screen/grid.h"
#include "screen/menu.h"
#include "screen/status_bar.h"

namespace vormel::screen {

struct Button {
  int row = 0, col = 0;
  std::string caption;  // CP850, "&" before the hot letter
  int number = 0;
  bool enabled = true;
  std::function<void()> action;

  std::string face() const;  // "[" + caption centred in 10 + "]"
  int width() const { return static_cast<int>(face().size()); }
  unsigned char hot_letter() const;
};

struct Dialog {
  Rect rect;             // the client area, in grid coordinates
  std::string title;     // shown on the caption row just above the client area
  std::string colour = "N/W";
  std::vector<Button> buttons;
  std::optional<StatusBar> status;
  std::unique_ptr<Menu> menu;  // only the main window has one here
  bool exit_esc = true;
  int last_button = 0;
  int focus = 0;  // index of the focused button
  bool main = false;

  // Saved when the dialog opened and put back when it closes.
  Snapshot under;
  std::string saved_colour;
  bool saved_cursor = false;
  int saved_cursor_shape = 1;

  int add_button(int row, int col, std::string caption, std::function<void()> action = {});
};

}  // namespace vormel::screen
