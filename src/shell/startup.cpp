// The start of a run, step by step in its order: the terminal, the folders, the
// settings records, the terminal's exclusivity, the checks and reminders, the menu.
#include <cstdio>
#include <stdexcept>

#include "core/cp850.h"
#include "core/picture.h"
#include "core/text.h"
#include "screen/colour.h"
#include "screen/colour_store.h"
#include "shell/application.h"
#include "shell/network_drive.h"
#include "shell/settings.h"
#include "shell/work_folders.h"
#include "storage/paths.h"
#include "storage/version_update.h"

namespace vormel::shell {

using core::Key;
using namespace core::literals;

namespace {
std::string s(std::string_view v) { return std::string(v); }
}  // namespace

std::string Application::QUAL_USUR(const StartOptions& o) {
  // Only a program folder on a network drive has several terminals to choose from.
  if (!on_network_drive(g_.ROTADEF)) return "00";
  screen::REDFATR(ui_, 1, 1, 30);
  screen::REDFATR(ui_, 1, 2, 30);
  screen::REDFATR(ui_, 1, 3, 30);
  con_.show_dialog(screen::Rect{1, 3, 8, 40}, "Terminal");
  const bool proposed = !core::trim(o.equip).empty() && core::trim(o.equip) != "0";
  std::string prompt = core::cp850::from_utf8(o.usuar) + (proposed ? " Confirme" : " Informe") + " o nro. do terminal.";
  con_.grid().write(4, 6, prompt, screen::attr_of(con_.colour));
  core::Value number = core::Decimal::parse(o.equip).value_or(core::Decimal(0));
  auto f = screen::FieldSpec::at(4, 6 + int(prompt.size()) + 1, &number, "@z 99", 2);
  screen::edit_field(ui_, f);
  con_.close_dialog();
  int n = int(std::get<core::Decimal>(number).to_int());
  if (n < 0 || n > 99) n = 0;
  return core::pad_left(std::to_string(n), 2, '0');
}

bool Application::check_work_folder() {
  if (storage::folder_exists(g_.ROTADOANO)) return true;
  auto answer = screen::AVISOSN(ui_,
                                std::vector<std::string>{"A Pasta " + g_.ROTADOANO + s(" não foi encontrada!"_cp),
                                                         "Sim - Assume: " + g_.ROTADEF, s("Não - Sai do programa!"_cp)},
                                1);
  if (!answer.yes) return false;
  g_.ROTADOANO = g_.ROTADEF;
  write_config(db_, g_, {"ROTADOANO"});
  return true;
}

void Application::select_current_folder() {
  // The work folder is the selected one of the terminal's folder list.
  storage::WorkArea& list = db_.area(50);
  if (!list.used()) return;
  const std::string folder = core::BAR_FORA(g_.ROTADOANO);
  bool found = false;
  db_.select(50);
  for (list.go_top(); !list.eof(); list.skip()) {
    const bool mine = same_folder(core::trim(list.text("DIRETOR")), folder);
    found = found || mine;
    const std::string mark = mine ? "S" : "N";
    if (list.text("SELEC") != mark && db_.REC_LOCK(5)) {
      list.set("SELEC", mark);
      list.unlock();
    }
  }
  if (!found && db_.ADD_REC(5)) {
    list.set("SELEC", std::string("S"));
    list.set("DIRETOR", core::pad_right(folder, 80));
    list.unlock();
  }
}

void Application::load_alarms() {
  g_.AAGEN.clear();
  if (!db_.ABERTURA(72)) return;
  storage::WorkArea& agenda = db_.area(72);
  const std::string now = con_.clock().time_text().substr(0, 2) + con_.clock().time_text().substr(3, 2);
  for (bool found = agenda.seek(g_.NOMEAG); found && !agenda.eof() && agenda.text("NOMEAG") == core::pad_right(g_.NOMEAG, 22);
       agenda.skip()) {
    const std::string when = core::TIRA_PONTO(agenda.text("HORAG"));
    if (!std::get<bool>(agenda.get("AVISAG")) || std::get<core::Date>(agenda.get("DATAG")) != g_.HOJE) continue;
    if (std::atoi(when.c_str()) > std::atoi(now.c_str())) g_.AAGEN.emplace_back(when, core::trim(agenda.text("ANOTAG")));
  }
  db_.close_area(72);
}

void Application::check_alarms() {
  // Each alarm of the day is shown once, as soon as its time has come (the timer looks
  // every second, not only when a key is pressed in that very minute).
  if (alarm_showing_ || g_.AAGEN.empty() || con_.dialog_open() || g_.LESTOUNADECL) return;
  const std::string text = con_.clock().time_text();
  const int now = std::atoi((text.substr(0, 2) + text.substr(3, 2)).c_str());
  for (size_t i = 0; i < g_.AAGEN.size(); ++i) {
    if (std::atoi(g_.AAGEN[i].first.c_str()) > now) continue;
    auto alarm = g_.AAGEN[i];
    g_.AAGEN.erase(g_.AAGEN.begin() + long(i));
    alarm_showing_ = true;
    screen::AVISOSN(ui_, s("ATENÇÃO - "_cp) + text.substr(0, 5) + " " + alarm.second, 0);
    alarm_showing_ = false;
    return;
  }
}

void Application::backup_reminder() {
  const core::Date today = g_.HOJE;
  if (today.year() != 2016 || today.month() >= 5 || g_.NDIASEM < 2) return;
  const std::string days = core::STR(g_.NDIASEM, 3);
  const std::string plural = g_.NDIASEM > 1 ? "s" : " ";
  auto answer = screen::AVISOSN(
      ui_,
      std::vector<std::string>{s(" Atenção "_cp) + days + " dia" + plural + " sem fazer o backup compactado.",
                               s(" Sim - Faça o Backup agora. "_cp), s(" Não - Não faça agora. "_cp)},
      1);
  if (answer.yes) MENUSELECT(72, 1);
}

bool Application::start_up(const StartOptions& options) {
  con_.main_window().status->parts.clear();
  con_.main_window().status->add(std::string(250, ' '));  // the message line
  g_.HOJE = con_.clock().today();
  g_.NUSU = INICIOSIS(options);
  if (options.terminal.empty() && options.terminal_env.empty()) g_.NUSU = QUAL_USUR(options);
  db_.folders = {g_.ARQDEF, g_.ARQDEF, g_.NUSU};
  screen::CRIACOR(ui_, db_);
  ui_.colours.rebuild_sets();

  // The terminal's settings.
  if (!CONFIGURA(db_, g_, g_.HOJE)) {
    screen::AVISOSN(ui_, s("Arquivo de configuração sendo usado no momento"_cp), 0);
    exit_status_ = 1;
    return false;
  }
  TELA_INICIAL();
  g_.NDIASEM = g_.ULTBACK.is_empty() ? 0 : g_.HOJE - g_.ULTBACK;
  load_define(db_, g_);
  if (update_check_at_start && g_.DEFINE.text("VER_ATUAL") != "N" && !update_check_at_start()) {
    exit_status_ = 0;
    return false;
  }

  // The folders of the run.
  if (!check_work_folder()) return false;
  if (!storage::folder_exists(g_.DIRTRAB)) g_.DIRTRAB = g_.ROTADOANO;
  g_.ROTA = core::trim(g_.ROTADOANO);
  g_.LOCARQ = core::BAR_DIR(g_.ROTADOANO);
  g_.LOCTRAB = core::BAR_DIR(g_.DIRTRAB);
  g_.DIRORIG = g_.LOCARQ;
  db_.folders.LOCARQ = g_.LOCARQ;

  screen::REDFATR(ui_, 10, 1, ui_.colours.COR_TEL2);
  screen::REDFATR(ui_, 10, 2, ui_.colours.COR_TEL1);
  screen::REDFATR(ui_, 10, 3, ui_.colours.COR_TEL2);
  con_.colour = ui_.colours.CORNORM;
  g_.print.NRO_VIAS = g_.NRO_VIAS;
  g_.print.MONTA_ITENS(g_.ITEM);

  if (g_.QUERSEN && password_at_start && !password_at_start()) {
    exit_status_ = 1;
    return false;
  }

  // One program per terminal: the second copy is told and ends.
  db_.close_all();
  if (!db_.hold_terminal()) {
    screen::AVISOSN(ui_, "O programa VORMEL no terminal " + g_.NUSU + s(" está em uso"_cp), 0);
    screen::ENCHETELA(ui_, ' ', "W/N");
    con_.present();
    exit_status_ = 1;
    return false;
  }
  // The folder list, without the folders that vanished, and the reference tables (their
  // own messages tell what failed).
  db_.ABERTURA(0);
  select_current_folder();
  load_alarms();

  con_.set_key(Key::alt('I'), [this] { MENUSELECT(11); });
  con_.set_key(Key::alt('T'), [this] { MENUSELECT(91); });
  con_.on_tick([this] { check_alarms(); });

  // The tables of the folder must be up to date before any work.
  if (storage::first_outdated_table(db_) != 0) {
    std::vector<std::string> lines;
    for (auto line : storage::kOutdatedWarning) lines.emplace_back(line);
    screen::AVISOSN(ui_, lines, 0);
  }
  // The client list of the work folder stays open for the run (the check above leaves
  // its tables closed when they are current).
  db_.ABERTURA(9);
  db_.reporter().close_progress();
  backup_reminder();
  db_.MOS_MENS = true;  // quiet while starting, then the opens show their progress
  return true;
}

int Application::MAIN(const StartOptions& options) {
  try {
    if (!start_up(options)) return exit_status_;
    MENUCOMMAND();
    main_loop();
  } catch (const screen::ProgramExit& e) {
    return e.status;
  } catch (const std::exception& e) {
    // An internal error: the user sees what happened and the report goes to error.log.
    std::string what = core::cp850::from_utf8(e.what());
    if (std::FILE* log = std::fopen("error.log", "a")) {
      std::fprintf(log, "%s %s erro interno: %s (comando %d)\n", core::DTOC(con_.clock().today()).c_str(),
                   con_.clock().time_text().c_str(), e.what(), g_.OPCAO_1);
      std::fclose(log);
    }
    screen::AVISOSN(ui_,
                    std::vector<std::string>{"Erro interno: " + what,
                                             s("Detalhes em error.log. O programa será encerrado."_cp)},
                    0, {}, "Erro");
    return 1;
  }
  return 0;
}

}  // namespace vormel::shell
