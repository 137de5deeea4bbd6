// ESC_OPCAO, the highlighted-bar chooser over the lines of a window, and CREATESUBMENU.
#include <algorithm>

#include "core/cp850.h"
#include "screen/ui.h"

namespace vormel::screen {

using core::Key;

int ESC_OPCAO(Ui& ui, int window, int last_item, int col, int width, int line_offset, int close, bool with_help) {
  Console& con = ui.con;
  if (last_item < 1) return 0;
  // A position left by another chooser may lie past this one's items.
  int pos = std::clamp(ui.POSVER, 1, last_item);
  auto highlight = [&](int item, int attr) { ESCRATR(ui, window, item + line_offset, col, attr, width); };
  auto help_line = [&](int item) -> std::string {
    return item < static_cast<int>(ui.MENSMENU.size()) ? ui.MENSMENU[static_cast<size_t>(item)] : std::string();
  };
  auto leave = [&](int result) {
    con.cursor_on(true);
    FECHAJAN(ui, 10);
    if (close == 1) FECHAJAN(ui, window);
    ui.POSVER = pos;
    ui.ULTPOS = pos;
    return result;
  };
  auto item_at_row = [&](int grid_row) -> int {
    auto it = ui.windows.find(window);
    if (it == ui.windows.end()) return 0;
    int item = grid_row - text_area(it->second).top + 1 - line_offset;
    return item >= 1 && item <= last_item ? item : 0;
  };

  for (;;) {
    highlight(pos, ui.colours.COR_ESCOL);
    if (with_help) {
      FECHAJAN(ui, 10);
      MensArgs a;
      a.row = 1;
      a.col = 'C';
      MENS(ui, 13, help_line(pos), a);
    } else {
      MENS(ui, 0, "");
    }
    con.cursor_on(false);
    Key k = con.read_key();
    int next = pos;
    switch (k.code) {
      case Key::Enter: return leave(pos);
      case Key::Esc: return leave(0);
      case Key::Home: next = 1; break;
      case Key::End: next = last_item; break;
      case Key::Down: next = std::min(pos + 1, last_item); break;
      case Key::Up: next = std::max(pos - 1, 1); break;
      default: break;
    }
    if (k == Key::alt('A') && ui.calculator) {
      ui.calculator();
      continue;
    }
    if (k.is_mouse()) {
      int item = item_at_row(k.row - 1);
      if (item) {
        highlight(pos, ui.colours.COR_TEL1);
        pos = item;
        highlight(pos, ui.colours.COR_ESCOL);
        return leave(pos);
      }
      continue;
    }
    if (k.is_char()) {
      const unsigned char c = core::cp850::upper(k.byte());
      const size_t at = ui.OPCOES.find(static_cast<char>(c));
      if (at != std::string::npos && static_cast<int>(at) < last_item) {
        highlight(pos, ui.colours.COR_TEL1);
        pos = static_cast<int>(at) + 1;
        highlight(pos, ui.colours.COR_ESCOL);
        if (with_help) MENS(ui, 0, help_line(pos));
        return leave(pos);
      }
      continue;
    }
    if (next != pos) {
      highlight(pos, ui.colours.COR_TEL1);
      pos = next;
    }
  }
}

void CREATESUBMENU(Menu& menu, const std::string& caption, std::function<void(int identifier)> action,
                   const std::vector<SubMenuItem>& items) {
  menu.sub_menu(caption);
  for (const SubMenuItem& it : items) {
    if (it.caption.empty() || static_cast<unsigned char>(it.caption[0]) == 0xC4) {  // "─" is a separator line
      menu.separator();
      continue;
    }
    const int id = it.identifier;
    MenuItem& m = menu.item(it.caption, [action, id] { action(id); });
    m.shortcut = it.shortcut;
    m.message = it.message;
    m.identifier = id;
    if (auto k = core::parse_key_name(it.shortcut)) m.accelerator = *k;
  }
  menu.end_menu();
}

}  // namespace vormel::screen
