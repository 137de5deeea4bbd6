// Section 5: the asset list of screen 5 (the IMP04 copy in work area 24), in line order,
// numbered by tens, with the code and country checks and the asset totals.
#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"
#include "entry/item_editor.h"
#include "entry/sections_checks.h"
#include "screen/colour.h"

namespace vormel::entry {

using core::Decimal;
using core::Value;
using namespace core::literals;

namespace {

constexpr int kAssets = 24;  // the working copy of IMP04
constexpr const char* kValue = "@ez   999,999,999.99";
constexpr const char* kTotal = "@Ez 999,999,999.99";

// The headings of the two value columns by the kind of declaration.
std::pair<std::string, std::string> asset_headings(const core::Record* v) {
  if (v && v->text("DECFINAL") == "S") return {" Data Partilha", " Val. Transf. "};
  if (v && v->text("DECSAIDA") == "S") return {"Em 31/12/2014", std::string("Dt.Não Resid."_cp)};
  return {"Em 31/12/2014", "Em 31/12/2015"};
}

}  // namespace

void FI7_T(storage::Database& db, core::Record& vars) {
  storage::WorkArea& a = db.area(kAssets);
  Decimal before(0), start(0), end(0);
  if (a.used()) {
    for (a.go_top(); !a.eof(); a.skip()) {
      start += a.number("I7_3");
      end += a.number("I7_4");
      before += a.number("I7_9");
    }
  }
  vars.set_number("I13_39", start);
  vars.set_number("I13_40", end);
  vars.set_number("NTOTBANT1", before);
}

void draw_asset_totals(screen::Ui& ui, const core::Record& vars, int row) {
  screen::Grid& g = ui.con.grid();
  const screen::Attr normal = screen::attr_of(screen::ACHACOR(ui.colours.COR_TEL1));
  const Decimal before = vars.number("NTOTBANT1"), start = vars.number("I13_39");
  // Outside a rectifying declaration the previous year's total should be this year's start.
  const std::string rectifying = vars.text("RETIFICA");
  const bool alert = (rectifying.empty() || rectifying == "N") && !(before == start);
  const screen::Attr first = alert ? screen::attr_of(ui.colours.CORATEN) : normal;
  const std::string shown = core::TRANSFORM(Value(before), kTotal);
  if (before.is_zero()) {
    g.write(row, 20, std::string(shown.size(), ' '), normal);
    g.write(row, 30, "0.00", first);
  } else {
    g.write(row, 20, shown, first);
  }
  g.write(row, 48, core::TRANSFORM(Value(start), kTotal), normal);
  g.write(row, 65, core::TRANSFORM(Value(vars.number("I13_40")), kTotal), normal);
}

Section assets_section(const EditContext& context) {
  Section s;
  s.number = 5;
  s.area = kAssets;
  s.order = "I7_0";
  s.window = {2, 1, 10, 78};  // the upper box of screen 5; the totals are on row 12
  s.message = "Alt F5=Tela Aux. Ctrl Enter=Envia p/Tela Aux. Alt O=Organiza ";
  s.wrap = 5;
  s.declaration_rows = true;
  s.defaults = [](storage::WorkArea& a, EditContext&) {
    if (a.number("I7_0").is_zero()) a.set("I7_0", Value(Decimal(int64_t(a.recno()) * 10)));
  };
  s.insert = InsertRule::AfterNumbered;
  s.insert_question = std::string("Insere uma linha após esse Item?"_cp);
  s.clip_field = "I7_2";
  s.clip_append = true;
  s.totals = [](screen::Ui& ui, storage::Database& db, EditContext& ctx) {
    if (!ctx.vars) return;
    FI7_T(db, *ctx.vars);
    if (ctx.declaration) draw_asset_totals(ui, *ctx.vars, 12);
  };
  s.keys = keys_for(5);

  const auto [a1, a2] = asset_headings(context.vars);
  Column item = Column::of("Item", "I7_1", "@Ez 999");
  item.numbering = Numbering::Item;
  item.order = "I7_1";
  Column description = Column::of(std::string("Discriminação, data aquisição ou venda "_cp), "I7_2", "@S73", 39);
  description.description_box = true;
  Column code = Column::of("Cod", "I7_5", "@EZ 99");
  code.order = "I7_5";
  code.check = code_check(46, "DESCBENS", "I7_5");
  Column abroad = Column::of("Ext.", "I7_7", "@!");
  abroad.check = abroad_check;
  Column country = Column::of(std::string("País"_cp), "I7_8", "@s3");
  country.check = country_check("I7_8");
  Column line = Column::of("Linha", "I7_0", "@Z 9999");
  line.numbering = Numbering::Line;
  line.order = "I7_0";
  s.columns = {item,
               description,
               Column::of(a1, "I7_3", kValue),
               Column::of(a2, "I7_4", kValue),
               code,
               abroad,
               country,
               line,
               Column::of("2014 Original", "I7_9", "@Ez 999,999,999.99")};
  return s;
}

}  // namespace vormel::entry
