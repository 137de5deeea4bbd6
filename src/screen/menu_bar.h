// Drawing and running the pull-down menu bar of the main window.
#pragma once
#include "screen/grid.h"
#include "screen/menu.h"

namespace vormel::screen {

class Console;

void draw_menu_bar(Frame& f, const Menu& menu, bool inactive, int open_pad = -1);
// The pad under a column of the bar, -1 when none.
int menu_pad_at(const Menu& menu, int col);
int menu_pad_column(const Menu& menu, int pad);

class MenuBarRunner {
 public:
  MenuBarRunner(Console& con, Menu& menu) : con_(con), menu_(menu) {}
  // Opens pad `pad` and reads keys until an item is chosen (its action then runs, after
  // the menu has closed) or the menu is left.
  void run(int pad);

 private:
  struct Level {
    std::vector<MenuItem>* items;
    int selected = 0;
    int row = 1, col = 0, width = 0;  // frame coordinates of the box
  };
  void open_pad(int pad);
  void open_sub(MenuItem& item);
  void paint(Frame& f) const;
  int item_row(const Level& lv, int index) const;
  int item_at(const Level& lv, int row) const;
  void move(int delta);
  MenuItem* choose(MenuItem& item);  // an item to run, or nullptr when a submenu opened

  Console& con_;
  Menu& menu_;
  int pad_ = 0;
  std::vector<Level> levels_;
};

}  // namespace vormel::screen
