// The numbered text windows: definition, opening with the saved screen under them,
// closing, writing texts with colour switches and repeats, recolouring, moving.
#include <algorithm>

#include "screen/ui.h"

namespace vormel::screen {

Ui::Ui(Console& c) : con(c) {
  // Windows 1 to 10 exist from the start over the whole screen.
  for (int n = 1; n <= 10; ++n) DEFINEJAN(*this, n, 48, 112, 7, 1, 1, 25, 80, 0);
}

namespace {

TextWindow* find(Ui& ui, int n) {
  auto it = ui.windows.find(n);
  return it == ui.windows.end() ? nullptr : &it->second;
}

// Text width of a window line: the whole rectangle without a frame, inside it with one.
int line_width(const TextWindow& w) { return w.type == 0 ? w.right - w.left + 1 : w.right - w.left - 1; }

Rect saved_rect(const TextWindow& w) {
  switch (w.type) {
    case 1: return Rect{w.top - 1, w.left - 1, w.bottom, w.right};
    case 7: return Rect{w.top, w.left, w.bottom + 2, w.right + 1};
    default: return Rect{w.top, w.left, w.bottom, w.right};
  }
}

// The repeats expanded; colour switches kept for the writer.
std::string expand_repeats(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == 4 && i + 2 < text.size()) {
      out.append(static_cast<unsigned char>(text[i + 1]), text[i + 2]);
      i += 2;
      continue;
    }
    out += text[i];
  }
  return out;
}

void drop_saved(Ui& ui, int n) {
  ui.saved.erase(std::remove_if(ui.saved.begin(), ui.saved.end(), [n](const SavedScreen& s) { return s.number == n; }),
                 ui.saved.end());
}

}  // namespace

Rect text_area(const TextWindow& w) {
  // A frame drawn on the rectangle (type 2) leaves its inside for the text.
  if (w.type == 2) return Rect{w.top + 1, w.left + 1, w.bottom - 1, w.right - 1};
  return Rect{w.top, w.left, w.bottom, w.left + line_width(w) - 1};
}

void DEFINEJAN(Ui& ui, int n, int attr1, int attr2, int attr3, int top, int left, int bottom, int right, int type) {
  TextWindow w;
  w.colour1 = ACHACOR(attr1);
  w.colour2 = ACHACOR(attr2);
  w.colour3 = ACHACOR(attr3);
  w.top = top;
  w.left = left;
  w.bottom = type == 7 ? bottom + 2 : bottom;
  w.right = right;
  w.type = type;
  ui.windows[n] = w;
}

void REDEFJAN(Ui& ui, int n, int attr1, int attr2, int attr3, int top, int left, int bottom, int right, int type) {
  DEFINEJAN(ui, n, attr1, attr2, attr3, top, left, bottom, right, type);
}

void REDFATR(Ui& ui, int n, int which, int attr) {
  TextWindow* w = find(ui, n == 0 ? 10 : n);
  if (!w) return;
  std::string c = ACHACOR(attr);
  if (which == 1) w->colour1 = c;
  else if (which == 2) w->colour2 = c;
  else if (which == 3) w->colour3 = c;
}

void ABREJAN(Ui& ui, int n) {
  TextWindow* w = find(ui, n);
  if (!w) return;
  for (const SavedScreen& s : ui.saved)
    if (s.number == n) ui.con.grid().restore(s.snap);
  drop_saved(ui, n);
  ui.saved.push_back(SavedScreen{n, ui.con.grid().save(saved_rect(*w))});
  const Attr frame = attr_of(w->colour2);
  if (w->type == 1) ui.con.grid().box(Rect{w->top - 1, w->left - 1, w->bottom - 1, w->right - 1}, frame);
  else if (w->type == 2) ui.con.grid().box(Rect{w->top, w->left, w->bottom, w->right}, frame);
}

void FECHAJAN(Ui& ui, int n) {
  for (auto it = ui.saved.begin(); it != ui.saved.end(); ++it)
    if (it->number == n) {
      ui.con.grid().restore(it->snap);
      ui.saved.erase(it);
      return;
    }
}

void LIMPAJAN(Ui& ui, int n) {
  TextWindow* w = find(ui, n);
  if (!w) return;
  Rect r = text_area(*w);
  if (w->type == 1) r.bottom = w->bottom - 2;  // the frame's bottom line is the rectangle's last row but one
  if (w->type == 7) r.bottom = w->bottom - 2;
  ui.con.grid().fill(r, ' ', attr_of(w->colour1));
}

void ESCRJAN(Ui& ui, int n, std::string_view text) {
  ui.colours.reset_window_colours();
  std::string full = expand_repeats(text);
  Grid& g = ui.con.grid();
  if (n == 0) {  // the message row of the screen
    Attr colours[3] = {attr_of("GR+/B"), attr_of("W+/B"), attr_of("W+/B")};
    Attr cur = colours[0];
    int col = 0;
    for (char ch : full) {
      if (ch >= 1 && ch <= 3) { cur = colours[ch - 1]; continue; }
      g.put(24, col++, static_cast<unsigned char>(ch), cur);
    }
    return;
  }
  TextWindow* w = find(ui, n);
  if (!w) return;
  const Attr colours[3] = {attr_of(w->colour1), attr_of(w->colour2), attr_of(w->colour3)};
  const Rect area = text_area(*w);
  const int width = std::max(1, area.right - area.left + 1);
  Attr cur = colours[0];
  int row = area.top, col = 0;
  std::string stored;
  for (char ch : full) {
    if (ch >= 1 && ch <= 3) { cur = colours[ch - 1]; continue; }
    if (col >= width) {
      if (w->type == 7 && row > area.top) g.write(row, area.left + width, "\xB0\xB0", colours[2]);
      ++row;
      col = 0;
    }
    g.put(row, area.left + col, static_cast<unsigned char>(ch), cur);
    stored += ch;
    ++col;
  }
  if (w->type == 7 && !stored.empty()) {  // the shade at the right and under the text
    g.write(row, area.left + width, "\xB0\xB0", colours[2]);
    g.write(row + 1, area.left + 1, std::string(static_cast<size_t>(width + 2), '\xB0'), colours[2]);
  }
  w->text = stored;
}

void ESCRLCOL(Ui& ui, int n, int row, int col, std::string_view text) {
  ui.colours.reset_window_colours();
  if (n == 0) {
    ui.con.grid().write_keep(24, col, text);
    return;
  }
  TextWindow* w = find(ui, n);
  if (!w) return;
  ui.con.grid().write_keep(w->top + row - 1, w->left + col - 1, text);
}

void ESCRATR(Ui& ui, int n, int row, int col, int attr, int length) {
  TextWindow* w = find(ui, n);
  if (!w || length <= 0) return;
  const Rect area = text_area(*w);
  const int width = area.right - area.left + 1;
  const long offset = static_cast<long>(width) * (row - 1) + col - 1;
  if (offset < 0 || offset >= static_cast<long>(w->text.size())) return;
  std::string part = w->text.substr(static_cast<size_t>(offset), static_cast<size_t>(length));
  ui.con.grid().write(area.top + row - 1, area.left + col - 1, part, static_cast<Attr>(attr));
}

namespace {
void move_window(Ui& ui, int n, int drow, int dcol) {
  TextWindow* w = find(ui, n);
  if (!w) return;
  std::string text = w->text;
  FECHAJAN(ui, n);
  w->top += drow;
  w->bottom += drow;
  w->left += dcol;
  w->right += dcol;
  ABREJAN(ui, n);
  ESCRJAN(ui, n, text);
}
}  // namespace

void MOVEVER(Ui& ui, int n, core::Key key) {
  TextWindow* w = find(ui, n);
  if (!w) return;
  if (key == core::Key(core::Key::Up)) {
    if (w->top > 0) move_window(ui, n, -1, 0);
  } else if (w->bottom < Grid::kRows - 1) {
    move_window(ui, n, 1, 0);
  }
}

void MOVEHOR(Ui& ui, int n, core::Key key) {
  TextWindow* w = find(ui, n);
  if (!w) return;
  if (key == core::Key(core::Key::Left)) {
    if (w->left > 0) move_window(ui, n, 0, -1);
  } else if (w->right < Grid::kCols - 1) {
    move_window(ui, n, 0, 1);
  }
}

void ENCHETELA(Ui& ui, unsigned char ch, const std::string& colour) {
  ui.con.grid().fill(Rect{0, 0, Grid::kRows - 1, Grid::kCols - 1}, ch, attr_of(colour));
}

std::string REP(int n) {
  std::string s(1, '\x04');
  s += static_cast<char>(n);
  return s;
}

void BEEP_ERRO(Ui& ui, int n) {
  for (int i = 0; i < n; ++i) ui.con.bell();
}

}  // namespace vormel::screen
