// The 25 × 80 text grid the screens are drawn on, and the 27-line picture the user sees
// (menu bar, the grid, status bar). Every write is clipped to the grid.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "screen/colour.h"

namespace vormel::screen {

struct Cell {
  unsigned char ch = ' ';
  Attr attr = 7;
  friend bool operator==(const Cell&, const Cell&) = default;
};

struct Rect {
  int top = 0, left = 0, bottom = 0, right = 0;  // inclusive
};

// A saved part of the grid; only the cells inside the grid are kept.
struct Snapshot {
  Rect rect;
  std::vector<Cell> cells;
};

class Grid {
 public:
  static constexpr int kRows = 25;
  static constexpr int kCols = 80;

  static bool inside(int row, int col) { return row >= 0 && row < kRows && col >= 0 && col < kCols; }

  Cell get(int row, int col) const { return inside(row, col) ? cells_[row][col] : Cell{}; }
  void put(int row, int col, unsigned char ch, Attr attr) {
    if (inside(row, col)) cells_[row][col] = Cell{ch, attr};
  }
  void set_attr(int row, int col, Attr attr) {
    if (inside(row, col)) cells_[row][col].attr = attr;
  }
  // Writes CP850 text from (row, col) on one row; what passes the right edge is dropped.
  void write(int row, int col, std::string_view text, Attr attr);
  // Writes keeping the colours already there.
  void write_keep(int row, int col, std::string_view text);
  void fill(const Rect& r, unsigned char ch, Attr attr);
  void box(const Rect& r, Attr attr, bool double_line = false);

  Snapshot save(const Rect& r) const;
  void restore(const Snapshot& s);

  // The text of one row (CP850), for tests and dumps.
  std::string row_text(int row) const;

 private:
  std::array<std::array<Cell, kCols>, kRows> cells_{};
};

// What the back end shows: frame row 0 is the menu bar, rows 1–25 the grid, row 26 the
// status bar.
struct Frame {
  static constexpr int kRows = 27;
  static constexpr int kCols = 80;
  std::array<std::array<Cell, kCols>, kRows> cells{};
  int cursor_row = -1, cursor_col = -1;  // frame coordinates; -1 = hidden
  int cursor_shape = 1;                  // 1 normal, 2 block

  void write(int row, int col, std::string_view text, Attr attr);
  std::string row_text(int row) const;  // CP850
  // The dump form: 27 lines of UTF-8, trailing blanks removed.
  std::string dump_utf8() const;
};

}  // namespace vormel::screen
