// A screen's fixed frame: the box lines and labels that reproduce a page of the official
// form, row by row from the frame's origin. Frames are data: each is built from its rows
// as they look in the source (UTF-8), and the few labels that change with the
// declaration are put over them.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vormel::screen {
struct Ui;
}

namespace vormel::entry {

class Frame {
 public:
  Frame() = default;
  // A frame at (top, left) whose rows are `width` columns; shorter rows are padded.
  Frame(int top, int left, int width, std::initializer_list<std::string_view> utf8_rows = {});

  int top() const { return top_; }
  int left() const { return left_; }
  int width() const { return width_; }
  int height() const { return static_cast<int>(rows_.size()); }

  // Appends rows; a row wider than the frame is a fault of the data and is cut.
  Frame& add(std::string_view utf8_row);
  Frame& add(std::initializer_list<std::string_view> utf8_rows);
  // Writes a text over the frame from (row, col), growing it downwards as needed.
  Frame& put(int row, int col, std::string_view utf8_text);
  // Shows a stretch of a row in the third colour (titles, modes).
  Frame& highlight(int row, int col, int length);
  // The third colour is the window's own third colour instead of the fill colour.
  Frame& third_colour_tel3() {
    tel3_ = true;
    return *this;
  }
  bool uses_tel3() const { return tel3_; }
  // Frames inside screens go into their own window, often with a border (types of the
  // window table: 0 none, 1 outside the top-left, 2 on the rectangle, 7 shadowed).
  Frame& in_window(int window, int type) {
    window_ = window;
    type_ = type;
    return *this;
  }
  int window() const { return window_; }
  int window_type() const { return type_; }

  // The rows as CP850 text.
  const std::vector<std::string>& rows() const { return rows_; }
  // The window text: rows concatenated, with colour switches (1 labels, 2 box lines, 3 highlights).
  std::string window_text() const;
  // Widest source row that had to be cut, for the tests of the data (0 when none).
  int overflow() const { return overflow_; }

 private:
  void ensure_row(int row);
  int top_ = 0, left_ = 0, width_ = 80;
  std::vector<std::string> rows_;     // CP850, each width_ bytes
  std::vector<std::string> colours_;  // '1', '2' or '3' per byte
  bool tel3_ = false;
  int window_ = 3, type_ = 0;
  int overflow_ = 0;
};

// Draws a frame in its window (window 3 without a border for the screens), clipped to
// the screen; the window stays open until the caller closes it.
void draw_frame(screen::Ui& ui, const Frame& frame);

}  // namespace vormel::entry
