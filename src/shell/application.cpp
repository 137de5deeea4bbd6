#include "shell/application.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <stdexcept>
#include <filesystem>

#include "core/cp850.h"
#include "core/text.h"
#include "screen/colour.h"
#include "screen/colour_store.h"
#include "screen/help_screens.h"
#include "shell/password.h"
#include "shell/settings.h"
#include "shell/update_check.h"

namespace vormel::shell {

using core::Key;
using namespace core::literals;

std::optional<std::string> terminal_number(const std::string& text) {
  std::string t = core::trim(text);
  if (t.empty() || t.size() > 2) return std::nullopt;
  for (char c : t)
    if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
  return t.size() == 1 ? "0" + t : t;
}

Application::Application(screen::Backend& backend, const core::Clock& clock)
    : con_(backend, clock), ui_(con_), reporter_(ui_), db_(reporter_, {}) {
  ui_.calculator = [this] { return calculator(); };
  update_check_at_start = [this] { return INTER(ui_, g_, db_, 0) == UpdateOutcome::Continue; };
  password_at_start = [this] { return ask_password_at_start(ui_, g_, db_); };
  password_menu = [this](int option) { POE_TIRA_SEN(ui_, g_, db_, option); };
  update_check_from_menu = [this] {
    // Leaving for the update still writes the settings of the run.
    if (INTER(ui_, g_, db_, 1) == UpdateOutcome::EndProgram) ROTSAIDA(18);
  };
}

std::optional<core::Decimal> Application::calculator() { return office::CALCULADORA(ui_, calc_pos_); }

std::string Application::INICIOSIS(const StartOptions& o) {
  std::string arg = o.terminal_env.empty() ? o.terminal : o.terminal_env;
  // Program folder: DVORMEL when it names a folder, else the current folder.
  g_.DIRDEF = o.dvormel;
  std::string cwd = std::filesystem::current_path().string();
  if (o.dvormel.empty()) {
    g_.ROTADEF = cwd;
  } else if (core::VERDIR(o.dvormel)) {
    g_.ROTADEF = core::BAR_FORA(o.dvormel);
  } else {
    g_.ROTADEF = cwd;
    con_.status_text("<Dir> " + core::cp850::from_utf8(o.dvormel) + std::string("não encontrado. Assumindo o padrão!"_cp));
  }
  g_.ARQDEF = core::BAR_DIR(g_.ROTADEF);
  // The caller has checked the number; an empty one is terminal 00.
  auto n = terminal_number(arg);
  return n ? *n : "00";
}

void Application::TELA_INICIAL() {
  screen::ENCHETELA(ui_, ' ', ui_.colours.COR_ENCH_C);
  // The logo: the name in block letters over the program's identification.
  static const char* kBig[5] = {
      "\xDB   \xDB  \xDB\xDB\xDB  \xDB\xDB\xDB\xDB  \xDB   \xDB \xDB\xDB\xDB\xDB\xDB \xDB",
      "\xDB   \xDB \xDB   \xDB \xDB   \xDB \xDB\xDB \xDB\xDB \xDB     \xDB",
      "\xDB   \xDB \xDB   \xDB \xDB\xDB\xDB\xDB  \xDB \xDB \xDB \xDB\xDB\xDB\xDB  \xDB",
      " \xDB \xDB  \xDB   \xDB \xDB  \xDB  \xDB   \xDB \xDB     \xDB",
      "  \xDB    \xDB\xDB\xDB  \xDB   \xDB \xDB   \xDB \xDB\xDB\xDB\xDB\xDB \xDB\xDB\xDB\xDB\xDB",
  };
  const int top = 5, left = 17, width = 46;
  screen::Grid& grid = con_.grid();
  const screen::Attr frame = screen::attr_of(screen::ACHACOR(ui_.colours.COR_TEL2));
  const screen::Attr text = screen::attr_of(screen::ACHACOR(ui_.colours.COR_TEL1));
  grid.fill(screen::Rect{top, left, top + 14, left + width - 1}, ' ', text);
  grid.box(screen::Rect{top, left, top + 14, left + width - 1}, frame, true);
  for (int i = 0; i < 5; ++i) grid.write(top + 2 + i, left + 5, kBig[i], frame);
  auto centred = [&](int row, const std::string& s, screen::Attr a) {
    grid.write(row, left + 1, core::pad_center(s, static_cast<size_t>(width - 2)), a);
  };
  centred(top + 8, std::string("Imposto de Renda Pessoa Física"_cp), text);
  centred(top + 9, std::string("Exercício 2016 - Ano-calendário 2015"_cp), text);
  centred(top + 11, "Terminal " + g_.NUSU + std::string("    Versão "_cp) + g_.VERSAO, frame);
  centred(top + 12, core::trim(g_.NOMEAG) + "  " + g_.CULTIMAVER, text);
}

void Application::ROTSAIDA(int option) {
  if (option == 91 && !screen::AVISOSN(ui_, std::string("Confirma saída do programa?"_cp), 1).yes) return;
  // Every setting the menu can change goes back into the terminal's record.
  write_all_config(db_, g_);
  db_.close_all();
  screen::ENCHETELA(ui_, ' ', "W/N");
  throw screen::ProgramExit{0};
}

void Application::main_loop() {
  for (;;) {
    Key k = con_.read_key();
    if (k == Key(Key::Esc)) ROTSAIDA(91);
    else if (k == Key::alt('A')) calculator();
    else if (k == Key(Key::F1)) screen::HELPGER(ui_);  // the general keys
    check_alarms();
  }
}

}  // namespace vormel::shell
