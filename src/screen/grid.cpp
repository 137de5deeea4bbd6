#include "screen/grid.h"

#include <algorithm>

#include "core/cp850.h"

namespace vormel::screen {

void Grid::write(int row, int col, std::string_view text, Attr attr) {
  for (size_t i = 0; i < text.size(); ++i)
    put(row, col + static_cast<int>(i), static_cast<unsigned char>(text[i]), attr);
}

void Grid::write_keep(int row, int col, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    int c = col + static_cast<int>(i);
    if (inside(row, c)) cells_[row][c].ch = static_cast<unsigned char>(text[i]);
  }
}

void Grid::fill(const Rect& r, unsigned char ch, Attr attr) {
  for (int row = r.top; row <= r.bottom; ++row)
    for (int col = r.left; col <= r.right; ++col) put(row, col, ch, attr);
}

void Grid::box(const Rect& r, Attr attr, bool double_line) {
  // CP850 box characters: single ┌┐└┘─│, double ╔╗╚╝═║.
  const unsigned char tl = double_line ? 0xC9 : 0xDA, tr = double_line ? 0xBB : 0xBF;
  const unsigned char bl = double_line ? 0xC8 : 0xC0, br = double_line ? 0xBC : 0xD9;
  const unsigned char h = double_line ? 0xCD : 0xC4, v = double_line ? 0xBA : 0xB3;
  for (int col = r.left + 1; col < r.right; ++col) {
    put(r.top, col, h, attr);
    put(r.bottom, col, h, attr);
  }
  for (int row = r.top + 1; row < r.bottom; ++row) {
    put(row, r.left, v, attr);
    put(row, r.right, v, attr);
  }
  put(r.top, r.left, tl, attr);
  put(r.top, r.right, tr, attr);
  put(r.bottom, r.left, bl, attr);
  put(r.bottom, r.right, br, attr);
}

Snapshot Grid::save(const Rect& r) const {
  Snapshot s;
  s.rect = Rect{std::max(r.top, 0), std::max(r.left, 0), std::min(r.bottom, kRows - 1),
                std::min(r.right, kCols - 1)};
  for (int row = s.rect.top; row <= s.rect.bottom; ++row)
    for (int col = s.rect.left; col <= s.rect.right; ++col) s.cells.push_back(cells_[row][col]);
  return s;
}

void Grid::restore(const Snapshot& s) {
  size_t i = 0;
  for (int row = s.rect.top; row <= s.rect.bottom; ++row)
    for (int col = s.rect.left; col <= s.rect.right; ++col)
      if (i < s.cells.size()) cells_[row][col] = s.cells[i++];
}

std::string Grid::row_text(int row) const {
  std::string s;
  if (row < 0 || row >= kRows) return s;
  for (const Cell& c : cells_[row]) s += static_cast<char>(c.ch);
  return s;
}

void Frame::write(int row, int col, std::string_view text, Attr attr) {
  if (row < 0 || row >= kRows) return;
  for (size_t i = 0; i < text.size(); ++i) {
    int c = col + static_cast<int>(i);
    if (c >= 0 && c < kCols) cells[row][c] = Cell{static_cast<unsigned char>(text[i]), attr};
  }
}

std::string Frame::row_text(int row) const {
  std::string s;
  if (row < 0 || row >= kRows) return s;
  for (const Cell& c : cells[row]) s += static_cast<char>(c.ch);
  return s;
}

std::string Frame::dump_utf8() const {
  std::string out;
  for (int row = 0; row < kRows; ++row) {
    std::string line = row_text(row);
    for (char& c : line)
      if (static_cast<unsigned char>(c) < 32) c = ' ';  // control bytes never reach a dump
    size_t end = line.find_last_not_of(' ');
    line.resize(end == std::string::npos ? 0 : end + 1);
    out += core::cp850::to_utf8(line);
    out += '\n';
  }
  return out;
}

}  // namespace vormel::screen
