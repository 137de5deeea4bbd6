// MENS: the one routine for the message line, message boxes, one-key questions and
// one-field input boxes.
#include <algorithm>

#include "core/cp850.h"
#include "core/text.h"
#include "screen/message_box.h"
#include "screen/ui.h"

namespace vormel::screen {

using core::Key;
using core::Value;

namespace {

int resolve_left(const Col& c, int width) {
  int left;
  if (c.value >= 0) left = c.value;
  else if (c.letter == 'E' || c.letter == 'e') left = 2;
  else if (c.letter == 'C' || c.letter == 'c') left = (80 - width) / 2;
  else left = 70 - width;
  return std::clamp(left, 0, Grid::kCols - 1);  // a long text must not start off the screen
}

// The message cut into `lines` pieces of `width`, one per row, from (row, left).
void write_pieces(Ui& ui, int window, const std::string& text, int row, int left, int width, int lines) {
  const TextWindow& w = ui.windows[window];
  const Attr a = attr_of(w.colour1);
  for (int i = 0; i < lines; ++i) {
    size_t from = static_cast<size_t>(i * width);
    std::string piece = from < text.size() ? text.substr(from, static_cast<size_t>(width)) : std::string();
    ui.con.grid().write(row + i, left, core::pad_right(piece, static_cast<size_t>(width)), a);
  }
  ui.windows[window].text = text;
}

}  // namespace

Value MENS(Ui& ui, int mode, std::string_view text_in, MensArgs a) {
  Console& con = ui.con;
  const int frame = mode / 10, action = mode % 10;
  con.cursor_on(false);
  std::string text(text_in);
  const int message_length = static_cast<int>(text.size());

  if (action == 0) {
    con.status_text(text.empty() ? std::string(100, ' ') : text);
    return Value(std::string());
  }

  if (action == 4 && a.var) {
    const int field = field_width(*a.var, a.picture, a.width);
    text += std::string(static_cast<size_t>(field), ' ');
  }
  const int lines = std::max(1, a.lines);
  int width = static_cast<int>(text.size()) + 1;
  if (lines > 1) {
    width = (static_cast<int>(text.size()) + 1) / lines + 1;
    text = core::pad_right(text, static_cast<size_t>(lines * width));
  }
  const int left = resolve_left(a.col, width);
  if (frame == 7) ++width;
  const int row = a.row;
  const std::string c1 = ACHACOR(ui.colours.COR_TEL1), c2 = ACHACOR(ui.colours.COR_TEL2);
  const int attr3 = frame == 7 ? ui.colours.COR_TEL3 : ui.colours.COR_TEL2;

  if (action == 3) {
    DEFINEJAN(ui, a.window, ui.colours.COR_TEL1, ui.colours.COR_TEL2, attr3, row, left, row + lines + 1,
              left + width + 2, frame);
    ABREJAN(ui, a.window);
    const TextWindow& w = ui.windows[a.window];
    const Rect area = text_area(w);
    ui.con.grid().fill(Rect{area.top, area.left, area.top + lines - 1, area.right}, ' ', attr_of(w.colour1));
    if (frame == 7) ESCRJAN(ui, a.window, text);
    else write_pieces(ui, a.window, text, area.top, area.left, area.right - area.left + 1, lines);
    ui.TAM_OLD = width, ui.NL_OLD = lines, ui.CONT_OLD = frame;
    con.cursor_on(true);
    return Value(std::string());
  }

  // Every other action is a dialog with the window inside it.
  std::string title = "VORMEL - Zorn Informatica";
  if (action == 9) {
    title = a.zoom_title;
    text += std::string(16, ' ');
  }
  Dialog& dlg = con.show_dialog(Rect{row - 1, left - 1, row + lines, left + width}, title);
  dlg.status.emplace();
  dlg.status->add("");
  const int d = lines > 1 ? 0 : 1;
  DEFINEJAN(ui, a.window, ui.colours.COR_TEL1, ui.colours.COR_TEL2, attr3, row, left, row + lines + 1,
            left + width + d, frame);
  ABREJAN(ui, a.window);
  write_pieces(ui, a.window, text, row, left, width, lines);
  ui.TAM_OLD = width, ui.NL_OLD = lines, ui.CONT_OLD = frame;
  con.clear_typeahead();

  auto close = [&] {
    FECHAJAN(ui, a.window);
    con.close_dialog();
    con.cursor_on(true);
  };
  switch (action) {
    case 1:
      BEEP_ERRO(ui);
      con.wait_key();
      close();
      return Value(std::string());
    case 5:
    case 9:
      con.wait_key();
      close();
      return Value(std::string());
    case 2: {
      for (;;) {
        Key k = con.wait_key();
        unsigned char c = k.is_char() ? core::cp850::upper(k.byte()) : 0;
        if (c && a.letters.find(static_cast<char>(c)) != std::string::npos) {
          close();
          return Value(std::string(1, static_cast<char>(c)));
        }
      }
    }
    case 4: {
      if (!a.var) {
        close();
        return Value(std::string());
      }
      FieldSpec f;
      f.var = a.var;
      f.picture = a.picture;
      f.width = a.width;
      f.decimals = a.decimals;
      f.valid = a.valid;
      f.colour = colour_part(ui.colours.CORNORM, 1);
      if (lines == 1) {
        f.row = row;
        f.col = left + message_length + 1;
      } else {
        f.row = row + lines - 1;
        f.col = left + width - (message_length % width);
      }
      Key k = edit_field(ui, f);
      if (k == Key(Key::Esc)) *a.var = core::empty_like(*a.var);
      Value result = *a.var;
      close();
      return result;
    }
    default:
      return Value(std::string());  // the box stays open for the caller
  }
}

}  // namespace vormel::screen
