#include "entry/dollar_converter.h"

#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"
#include "core/value.h"
#include "entry/screen_frames.h"

namespace vormel::entry {

using core::Decimal;
using core::Key;
using namespace core::literals;

namespace {

constexpr const char* kMoney = "@Ez 999,999,999.99";
constexpr int kValueCol = 6;  // the fields' column inside the frame
constexpr int kReaisRow = 2, kDollarsRow = 3, kMonthRow = 4;

std::string month_name(int month) {
  static constexpr std::string_view names[12] = {
      "Janeiro"_cp, "Fevereiro"_cp, "Março"_cp, "Abril"_cp,    "Maio"_cp,     "Junho"_cp,
      "Julho"_cp,   "Agosto"_cp,    "Setembro"_cp, "Outubro"_cp, "Novembro"_cp, "Dezembro"_cp};
  return month >= 1 && month <= 12 ? std::string(names[month - 1]) : std::string();
}

Decimal number_of(const core::Value& v) { return std::holds_alternative<Decimal>(v) ? std::get<Decimal>(v) : Decimal(0); }

}  // namespace

Decimal MUDATEL13(screen::Ui& ui, const Decimal& reais, int month, const std::array<Decimal, 12>& TAB_DOLAR,
                  int cursor_row, int cursor_col) {
  if (month == 0) month = 1;
  if (month < 1 || month > 12) return reais;
  const Frame frame = dollar_converter_frame(cursor_row, cursor_col);
  draw_frame(ui, frame);
  // The text of a shadowed window starts at its corner.
  const int top = frame.top(), left = frame.left() + kValueCol;
  screen::Grid& g = ui.con.grid();
  const screen::Attr shown = screen::attr_of(screen::ACHACOR(ui.colours.COR_TEL1));

  core::Value r{reais.rescaled(2)}, d{Decimal(0)}, m{Decimal(month)};
  auto rate = [&] { return TAB_DOLAR[static_cast<size_t>(number_of(m).to_int()) - 1]; };
  auto dollars_from_reais = [&] { d = *Decimal::divide(number_of(r), rate(), 2); };
  auto reais_from_dollars = [&] { r = (number_of(d) * rate()).rescaled(2); };
  auto show = [&] {
    g.write(top + kReaisRow, left, core::TRANSFORM(r, kMoney), shown);
    g.write(top + kDollarsRow, left, core::TRANSFORM(d, kMoney), shown);
    g.write(top + kMonthRow, left, core::TRANSFORM(m, "@ 99"), shown);
    g.write(top + kMonthRow, left + 3, core::pad_right(month_name(number_of(m).to_int()), 10), shown);
  };
  dollars_from_reais();
  show();

  int field = 0;
  for (;;) {
    screen::FieldSpec spec;
    if (field == 0) spec = screen::FieldSpec::at(top + kReaisRow, left, &r, kMoney, 18, 2);
    else if (field == 1) spec = screen::FieldSpec::at(top + kDollarsRow, left, &d, kMoney, 18, 2);
    else {
      spec = screen::FieldSpec::at(top + kMonthRow, left, &m, "@ 99", 2);
      spec.valid = [](const core::Value& v) {
        const auto n = number_of(v).to_int();
        return n >= 1 && n <= 12;
      };
    }
    const core::Value before = *spec.var;
    const Key k = screen::edit_field(ui, spec);
    if (k == Key(Key::Esc)) break;
    // Only a changed amount moves the other one: passing through a field must not turn
    // the reais into dollars and back, losing cents on the way.
    if (*spec.var != before) {
      if (field == 1) reais_from_dollars();
      else dollars_from_reais();
      show();
    }
    const bool back = k == Key(Key::Up) || k == Key(Key::Tab | Key::Shift) || k == Key(Key::PgUp);
    field = (field + (back ? 2 : 1)) % 3;
  }
  screen::FECHAJAN(ui, frame.window());
  return number_of(r);
}

}  // namespace vormel::entry
