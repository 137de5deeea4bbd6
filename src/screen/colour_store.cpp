#include "screen/colour_store.h"

#include <array>

#include "core/text.h"
#include "screen/colour.h"

namespace vormel::screen {

namespace {

constexpr int kArea = 56;

// The 17 stored fields and the variables they hold.
struct Attribute {
  const char* field;
  int Colours::*member;
};
struct Text {
  const char* field;
  std::string Colours::*member;
};
constexpr std::array<Attribute, 9> kAttributes{{{"COR_TEL1", &Colours::COR_TEL1},
                                                {"COR_TEL2", &Colours::COR_TEL2},
                                                {"COR_TEL3", &Colours::COR_TEL3},
                                                {"COR_MENS", &Colours::COR_MENS},
                                                {"COR_PEGA", &Colours::COR_PEGA},
                                                {"COR_HELP", &Colours::COR_HELP},
                                                {"COR_FERID", &Colours::COR_FERID},
                                                {"COR_ESCOL", &Colours::COR_ESCOL},
                                                {"COR_ENCHE", &Colours::COR_ENCHE}}};
const std::array<Text, 8> kTexts{{{"COR_1_CLI", &Colours::COR_1_CLI},
                                  {"COR_2_CLI", &Colours::COR_2_CLI},
                                  {"COR_INI", &Colours::COR_INI},
                                  {"COR_SAY", &Colours::COR_SAY},
                                  {"COR_GET", &Colours::COR_GET},
                                  {"COR_CLI_HE", &Colours::COR_CLI_HE},
                                  {"COR_ESC_CL", &Colours::COR_ESC_CL},
                                  {"COR_ENCH_C", &Colours::COR_ENCH_C}}};

void write_record(storage::WorkArea& a, const Colours& c, const std::string& terminal) {
  a.set("NRO_TERM", terminal);
  for (const auto& f : kAttributes) a.set(f.field, core::Decimal(c.*f.member));
  for (const auto& f : kTexts) a.set(f.field, c.*f.member);
}

// The terminal's record current in the colour table; appended (and left locked) when
// there is none. False when the table cannot be had.
bool find_or_add(storage::Database& db, const Colours& initial, bool* added) {
  storage::WorkArea& a = db.area(kArea);
  *added = false;
  if (a.seek(db.folders.NUSU, storage::Seek::Exact)) return true;
  db.select(kArea);
  if (!db.ADD_REC(5)) return false;
  write_record(a, initial, db.folders.NUSU);
  *added = true;
  return true;
}

}  // namespace

void CRIACOR(Ui& ui, storage::Database& db) {
  if (!db.ABERTURA(kArea)) return;
  storage::WorkArea& a = db.area(kArea);
  bool added = false;
  if (find_or_add(db, Colours(), &added)) {
    Colours& c = ui.colours;
    for (const auto& f : kAttributes) {
      int v = int(a.number(f.field).to_int());
      if (v >= 0 && v <= 255) c.*f.member = v;  // a damaged value keeps the initial one
    }
    for (const auto& f : kTexts) {
      std::string v = core::trim(a.text(f.field));
      if (!v.empty()) c.*f.member = v;
    }
    c.rebuild_sets();
    c.current = c.CORNORM;
    a.unlock();
  }
  db.close_area(kArea);
}

bool GRAVACOR(Ui& ui, storage::Database& db) {
  if (!db.ABERTURA(kArea)) return false;
  storage::WorkArea& a = db.area(kArea);
  bool added = false, stored = false;
  if (find_or_add(db, ui.colours, &added)) {
    db.select(kArea);
    if (added || db.REC_LOCK(5)) {
      write_record(a, ui.colours, db.folders.NUSU);
      stored = true;
    }
    a.unlock();
  }
  db.close_area(kArea);
  return stored;
}

void MODCOR(Ui& ui, storage::Database& db, int kind, const std::function<void()>& draw_logo) {
  Colours& c = ui.colours;
  Grid& grid = ui.con.grid();
  auto refill = [&] {
    ENCHETELA(ui, ' ', c.COR_ENCH_C);
    if (draw_logo) draw_logo();
  };
  refill();
  const bool dialog = kind >= 1 && kind <= 6;
  if (dialog) ui.con.show_dialog(Rect{4, 2, 21, 21}, "Ajuste de cores");

  int* element = nullptr;
  switch (kind) {
    case 1: element = &c.COR_TEL1; break;
    case 2: element = &c.COR_TEL2; break;
    case 3: element = &c.COR_ESCOL; break;
    case 4: element = &c.COR_PEGA; break;
    case 5: element = &c.COR_MENS; break;
    case 6: element = &c.COR_HELP; break;
    default: element = &c.COR_ENCHE; break;
  }
  int fg = *element % 16, bg = (*element / 16) % 8;

  constexpr unsigned char kSquare = 0xFE;
  auto draw = [&] {
    DEFINEJAN(ui, 4, c.COR_TEL1, c.COR_TEL2, c.COR_TEL3, 4, 2, 14, 19, 0);
    ABREJAN(ui, 4);
    grid.fill(Rect{4, 2, 14, 19}, ' ', Attr(c.COR_TEL1));
    grid.box(Rect{4, 2, 13, 19}, Attr(c.COR_TEL2));
    for (int b = 0; b < 8; ++b)
      for (int a = 0; a < 16; ++a) grid.put(5 + b, 3 + a, kSquare, Attr(a + 16 * b));
    DEFINEJAN(ui, 6, c.COR_TEL1, c.COR_TEL2, c.COR_TEL3, 15, 2, 22, 19, 0);
    ABREJAN(ui, 6);
    grid.fill(Rect{15, 2, 22, 19}, ' ', Attr(c.COR_TEL1));
    grid.write(16, 2, " Cor do texto   ", Attr(c.COR_TEL1));
    grid.write(18, 3, "Item Escolhido", attr_of(c.COR_ESC_CL));
    grid.write(19, 3, "Entrada Dados ", attr_of(c.COR_GET));
    grid.write(20, 3, "Mensagens     ", attr_of(c.COR_SAY));
    grid.write(21, 3, "Telas de Help ", attr_of(c.COR_CLI_HE));
  };
  int marked_fg = -1, marked_bg = -1;
  auto mark = [&] {
    if (marked_fg >= 0) grid.put(5 + marked_bg, 3 + marked_fg, kSquare, Attr(marked_fg + 16 * marked_bg));
    grid.put(5 + bg, 3 + fg, '*', Attr(fg + 16 * bg));
    marked_fg = fg, marked_bg = bg;
  };
  auto close_palette = [&] {
    FECHAJAN(ui, 6);
    FECHAJAN(ui, 4);
  };
  draw();
  mark();

  for (;;) {
    core::Key k = ui.con.wait_key();
    if (k == core::Key(core::Key::Esc) || k == core::Key(core::Key::Enter)) break;
    int nfg = fg, nbg = bg;
    if (k == core::Key(core::Key::Right)) nfg = std::min(15, fg + 1);
    else if (k == core::Key(core::Key::Left)) nfg = std::max(0, fg - 1);
    else if (k == core::Key(core::Key::Down)) nbg = std::min(7, bg + 1);
    else if (k == core::Key(core::Key::Up)) nbg = std::max(0, bg - 1);
    else continue;
    if (nfg == fg && nbg == bg) continue;
    fg = nfg, bg = nbg;
    const int attr = fg + 16 * bg;
    *element = attr;
    bool redraw = false;
    switch (kind) {
      case 1: c.COR_1_CLI = ACHACOR(attr); redraw = true; break;
      case 2: c.COR_2_CLI = ACHACOR(attr); redraw = true; break;
      case 3:
        c.COR_ESC_CL = ACHACOR(attr);
        c.COR_FERID = (bg == 4 ? 15 : 12) + 16 * bg;
        redraw = true;
        break;
      case 4: c.COR_GET = ACHACOR(attr); break;
      case 5:
        c.COR_SAY = ACHACOR(attr);
        REDFATR(ui, 10, 1, attr);
        break;
      case 6: c.COR_CLI_HE = ACHACOR(attr); break;
      default:
        c.COR_ENCH_C = ACHACOR(attr);
        close_palette();
        for (int w : {1, 2, 3, 5, 7, 8}) FECHAJAN(ui, w);
        refill();
        redraw = true;
        break;
    }
    if (redraw || kind >= 4) {
      if (kind != 7) close_palette();
      marked_fg = -1;
      draw();
    }
    mark();
  }

  REDFATR(ui, 10, 1, c.COR_MENS);
  REDFATR(ui, 10, 2, c.COR_TEL2);
  REDFATR(ui, 10, 3, c.COR_TEL3);
  c.rebuild_sets();
  c.current = c.CORNORM;
  ui.con.colour = c.CORNORM;
  GRAVACOR(ui, db);
  close_palette();
  FECHAJAN(ui, 10);
  ui.con.cursor_on(true);
  ui.POSVER = 1;
  // Only the kinds that opened the dialog close it.
  if (dialog) ui.con.close_dialog();
}

}  // namespace vormel::screen
