#include "entry/frame.h"

#include <algorithm>

#include "core/cp850.h"
#include "screen/grid.h"
#include "screen/ui.h"

namespace vormel::entry {

namespace {

// The code points of a UTF-8 text; a broken sequence counts as one '?'.
std::vector<char32_t> code_points(std::string_view s) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = s[i];
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) {
      out.push_back('?');
      ++i;
      continue;
    }
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(cp);
    i += extra + 1;
  }
  return out;
}

// Box lines and shades take the frame colour; everything else is a label.
bool is_line(char32_t cp) { return cp >= 0x2500 && cp <= 0x259F; }

}  // namespace

Frame::Frame(int top, int left, int width, std::initializer_list<std::string_view> utf8_rows)
    : top_(top), left_(left), width_(width) {
  add(utf8_rows);
}

void Frame::ensure_row(int row) {
  while (height() <= row) {
    rows_.emplace_back(width_, ' ');
    colours_.emplace_back(width_, '1');
  }
}

Frame& Frame::add(std::string_view utf8_row) {
  const int row = height();
  ensure_row(row);
  return put(row, 0, utf8_row);
}

Frame& Frame::add(std::initializer_list<std::string_view> utf8_rows) {
  for (std::string_view r : utf8_rows) add(r);
  return *this;
}

Frame& Frame::put(int row, int col, std::string_view utf8_text) {
  if (row < 0 || col < 0) return *this;
  ensure_row(row);
  const std::vector<char32_t> cps = code_points(utf8_text);
  const int end = col + static_cast<int>(cps.size());
  if (end > width_) overflow_ = std::max(overflow_, end);
  for (size_t i = 0; i < cps.size() && col + static_cast<int>(i) < width_; ++i) {
    const int b = core::cp850::from_unicode(cps[i]);
    rows_[row][col + i] = static_cast<char>(b < 0 ? '?' : b);
    colours_[row][col + i] = is_line(cps[i]) ? '2' : '1';
  }
  return *this;
}

Frame& Frame::highlight(int row, int col, int length) {
  if (row < 0 || row >= height()) return *this;
  for (int c = std::max(0, col); c < std::min(width_, col + length); ++c) colours_[row][c] = '3';
  return *this;
}

std::string Frame::window_text() const {
  std::string out;
  char current = '1';
  out += '\x01';
  for (size_t r = 0; r < rows_.size(); ++r)
    for (int c = 0; c < width_; ++c) {
      if (colours_[r][c] != current) {
        current = colours_[r][c];
        out += static_cast<char>(current - '0');
      }
      out += rows_[r][c];
    }
  return out;
}

void draw_frame(screen::Ui& ui, const Frame& frame) {
  // The window is the frame's rectangle (its text area, inside a border when it has one);
  // rows below the screen are dropped by the grid.
  const screen::Colours& c = ui.colours;
  // A border (type 2) or a shade (type 7) goes round the frame's rows.
  const int type = frame.window_type();
  const int side = type == 0 ? 0 : 2;
  const int top = frame.top(), left = frame.left();
  const int bottom = std::min(screen::Grid::kRows - 1, top + frame.height() - 1 + (type == 2 ? 2 : 0));
  const int right = std::min(screen::Grid::kCols - 1, left + frame.width() - 1 + side);
  const int n = frame.window();
  screen::DEFINEJAN(ui, n, c.COR_TEL1, c.COR_TEL2, frame.uses_tel3() ? c.COR_TEL3 : c.COR_ENCHE, top, left, bottom,
                    right, type);
  screen::ABREJAN(ui, n);
  screen::ESCRJAN(ui, n, frame.window_text());
}

}  // namespace vormel::entry
