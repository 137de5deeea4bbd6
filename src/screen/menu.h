// A pull-down menu bar: pads, items, submenus, separators, command numbers in creation
// order (1001, 1002, …), hot letters marked with "&", accelerators and status messages.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/keys.h"

namespace vormel::screen {

struct MenuItem {
  std::string caption;  // CP850, "&" before the hot letter
  std::function<void()> action;
  std::vector<MenuItem> items;  // a pull-down or submenu when not empty / is_submenu
  bool is_submenu = false;
  bool enabled = true;
  bool separator_after = false;
  int number = 0;            // command number
  std::string shortcut;      // shown at the right of the item ("F1", "Alt+F")
  core::Key accelerator;     // runs the item from any key read while the bar is active
  std::string message;       // status-line text while the item is highlighted
  int identifier = 0;        // the caller's own number for the item

  std::string label() const;        // caption without "&"
  unsigned char hot_letter() const;  // upper-case hot letter, 0 when none
  int hot_index() const;             // position of the hot letter in label(), -1 when none
  bool selectable() const { return enabled && !caption.empty(); }
};

class Menu {
 public:
  // Building, in the order the bar reads: sub_menu enters a level, end_menu leaves it.
  MenuItem& sub_menu(const std::string& caption);
  MenuItem& item(const std::string& caption, std::function<void()> action = {}, bool enabled = true);
  void separator();  // the last item of the current level is followed by a line
  void end_menu();

  // Runs the item with that command number (depth-first); false when there is none.
  bool event(int number);
  MenuItem* find(int number);
  MenuItem* find_accelerator(core::Key key);
  // The enabled pad whose hot letter an Alt+letter key names, -1 when none.
  int pad_for(core::Key key) const;
  int last_number() const { return count_; }

  std::vector<MenuItem>& pads() { return pads_; }
  const std::vector<MenuItem>& pads() const { return pads_; }
  bool empty() const { return pads_.empty(); }

 private:
  std::vector<MenuItem>& current_level();
  std::vector<MenuItem> pads_;
  std::vector<std::vector<int>> path_;  // indexes down to the level being built
  int count_ = 1000;
};

}  // namespace vormel::screen
