#include "screen/message_box.h"

#include <algorithm>

#include "core/cp850.h"
#include "core/text.h"

namespace vormel::screen {

using core::Key;
using namespace core::literals;

std::vector<std::string> split_semicolons(const std::string& text) {
  std::vector<std::string> out(1);
  for (char c : text) {
    if (c == ';') out.emplace_back();
    else out.back() += c;
  }
  return out;
}

std::vector<std::string> split_lines_drop_semicolons(const std::string& text) {
  std::vector<std::string> out(1);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == ';') continue;
    if (c == '\r') continue;
    if (c == '\n') { out.emplace_back(); continue; }
    out.back() += c;
  }
  while (out.size() > 1 && out.back().empty()) out.pop_back();
  return out;
}

int MSGALERT(Console& con, const std::vector<std::string>& lines, const std::vector<std::string>& buttons,
             const std::string& colour, const std::string& title, bool exit_esc) {
  constexpr int kScreenWidth = 80, kLastRow = Grid::kRows - 1, kMaxLines = 16;
  std::vector<Button> faces;
  for (const auto& b : buttons) faces.push_back(Button{0, 0, b, 0, true, {}});
  int widest = static_cast<int>(title.size());
  for (const auto& l : lines) widest = std::max(widest, static_cast<int>(l.size()));
  int buttons_width = 0;
  for (const auto& f : faces) buttons_width += f.width() + 1;
  const int width = std::min(std::max(widest, buttons_width) + 3, kScreenWidth - 4);
  const int shown = std::min(static_cast<int>(lines.size()), kMaxLines);
  const int height = shown + 3;
  const int top = std::max(1, kLastRow / 2 - height / 2 - 1);  // the caption sits on the row above
  const int left = kScreenWidth / 2 - width / 2 - 1;
  int bottom = top + height;
  const int right = left + width + 1;

  // Buttons on the row above the bottom, centred; those that do not fit go two rows lower.
  std::vector<std::vector<size_t>> rows(1);
  int used = 0;
  for (size_t i = 0; i < faces.size(); ++i) {
    const int w = faces[i].width() + 1;
    if (used > 0 && used + w > right - left - 1) {
      rows.emplace_back();
      used = 0;
    }
    rows.back().push_back(i);
    used += w;
  }
  bottom += 2 * (static_cast<int>(rows.size()) - 1);
  int button_row = top + height - 1;
  for (const auto& r : rows) {
    int total = -1;
    for (size_t i : r) total += faces[i].width() + 1;
    int col = std::max(left + 1, left + (right - left + 1 - total) / 2);
    for (size_t i : r) {
      faces[i].row = button_row;
      faces[i].col = col;
      col += faces[i].width() + 1;
    }
    button_row += 2;
  }

  con.suspend_hot_keys(true);
  struct Resume {
    Console& c;
    ~Resume() { c.suspend_hot_keys(false); c.close_dialog(); }
  };
  Dialog& d = con.show_dialog(Rect{top, left, bottom, right}, title);
  Resume resume{con};
  d.colour = colour;
  d.exit_esc = exit_esc;
  for (auto& f : faces) d.add_button(f.row, f.col, f.caption);
  for (size_t i = 0; i < faces.size(); ++i) d.buttons[i].row = faces[i].row, d.buttons[i].col = faces[i].col;
  con.draw_dialog(d);

  const Attr text_attr = attr_of(colour);
  int first = 0;
  auto draw_text = [&] {
    for (int i = 0; i < shown; ++i) {
      size_t li = static_cast<size_t>(first + i);
      std::string l = li < lines.size() ? lines[li] : std::string();
      con.grid().write(top + 1 + i, left + 1, core::pad_right(l, static_cast<size_t>(right - left - 1)), text_attr);
    }
  };
  const int max_first = std::max(0, static_cast<int>(lines.size()) - shown);
  draw_text();
  // Up/Down and PgUp/PgDn scroll the text; the buttons take every other key.
  return con.activate(d, [&](const Key& k) {
    if (k == Key(Key::Up) || k == Key(Key::PgUp)) first = std::max(0, first - (k == Key(Key::Up) ? 1 : shown));
    else if (k == Key(Key::Down) || k == Key(Key::PgDn)) first = std::min(max_first, first + (k == Key(Key::Down) ? 1 : shown));
    else return false;
    draw_text();
    return true;
  });
}

void LMSGBOX(Console& con, const std::string& text, const std::string& title) {
  MSGALERT(con, split_lines_drop_semicolons(text), {"OK"}, "N/W", title, true);
}

bool LMSGYN(Console& con, const std::string& text, const std::string& title) {
  return MSGALERT(con, split_lines_drop_semicolons(text), {"&Sim", std::string("&Não"_cp)}, "N/W",
                  title, true) == 1;
}

}  // namespace vormel::screen
