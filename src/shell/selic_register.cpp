// The register of monthly SELIC rates (table UFIRM, key "YYYYMM"), typed month by month.
#include "core/cp850.h"
#include "core/picture.h"
#include "core/text.h"
#include "screen/colour.h"
#include "shell/application.h"
#include "shell/settings.h"

namespace vormel::shell {

using core::Decimal;
using core::Value;
using namespace core::literals;

namespace {

constexpr int kSelic = 51;

std::string key_of(int year, int month) {
  return core::pad_left(std::to_string(year), 4, '0') + core::pad_left(std::to_string(month), 2, '0');
}

}  // namespace

void Application::selic_register() {
  if (!db_.ABERTURA(kSelic)) return;
  storage::WorkArea& rates = db_.area(kSelic);
  // Propose the month after the last one with a rate.
  rates.go_bottom();
  while (!rates.bof() && !rates.eof() && rates.number("TJM").is_zero()) rates.skip(-1);
  if (!rates.eof()) rates.skip();
  if (rates.eof()) rates.go_bottom();
  std::string proposed = core::trim(rates.text("ANOMES"));
  int year = proposed.size() == 6 ? std::stoi(proposed.substr(0, 4)) : g_.HOJE.year();
  int month = proposed.size() == 6 ? std::stoi(proposed.substr(4, 2)) : g_.HOJE.month();

  auto stored_rate = [&](int y, int m) {
    return rates.seek(key_of(y, m), storage::Seek::Exact) ? rates.number("TJM") : *Decimal::parse("1.00");
  };
  con_.show_dialog(screen::Rect{0, 0, 3, 24}, "Cadastro da Selic Mensal");
  screen::Grid& grid = con_.grid();
  const screen::Attr text = screen::attr_of(screen::colour_part(ui_.colours.CORNORM, 0));
  grid.write(1, 1, std::string("Mês"_cp), text);
  grid.write(2, 1, "Ano", text);
  grid.write(3, 1, "Taxa", text);
  for (;;) {
    Value m = Decimal(month), y = Decimal(year), rate = stored_rate(year, month);
    auto show = [&] {
      grid.write(1, 10, core::pad_right(core::TRAZ_MES(int(std::get<Decimal>(m).to_int())), 12), text);
      grid.write(3, 6, core::TRANSFORM(rate, "@Ez 999.99"), text);
    };
    show();
    auto fm = screen::FieldSpec::at(1, 6, &m, "@ 99", 2);
    fm.valid = [](const Value& v) {
      auto n = std::get<Decimal>(v);
      return n >= Decimal(1) && n <= Decimal(12);
    };
    if (screen::edit_field(ui_, fm) == core::Key(core::Key::Esc)) break;
    rate = stored_rate(int(std::get<Decimal>(y).to_int()), int(std::get<Decimal>(m).to_int()));
    show();
    screen::FieldSpec fy = fm;
    fy.row = 2;
    fy.var = &y;
    fy.picture = "@ 9999";
    fy.width = 4;
    fy.valid = [](const Value& v) { return std::get<Decimal>(v) >= Decimal(1990); };
    if (screen::edit_field(ui_, fy) == core::Key(core::Key::Esc)) break;
    rate = stored_rate(int(std::get<Decimal>(y).to_int()), int(std::get<Decimal>(m).to_int()));
    show();
    auto fr = screen::FieldSpec::at(3, 6, &rate, "@Ez 999.99", 6, 2);
    if (screen::edit_field(ui_, fr) == core::Key(core::Key::Esc)) break;
    month = int(std::get<Decimal>(m).to_int());
    year = int(std::get<Decimal>(y).to_int());
    auto answer = screen::AVISOSN(ui_, std::string("Confirma a alteração ?"_cp), 3);
    if (answer.letter == "N") continue;
    if (answer.letter != "S") break;
    db_.select(kSelic);
    const std::string key = key_of(year, month);
    bool ready = rates.seek(key, storage::Seek::Exact) ? db_.REC_LOCK(5) : db_.ADD_REC(5);
    if (ready) {
      rates.set("ANOMES", key);
      rates.set("SIMB_MOED", std::string("R$  "));
      rates.set("TJM", rate);
      rates.unlock();
      write_define(db_, g_, {"VAL_CPMF"});
    }
    break;
  }
  con_.close_dialog();
  db_.close_area(kSelic);
}

}  // namespace vormel::shell
