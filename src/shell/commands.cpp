// MENUSELECT: the command of a menu item, carried out in full before the main loop
// goes on. Commands whose work belongs to parts of the program still to come say so.
#include <cstdio>
#include <fstream>

#include "core/cp850.h"
#include "core/picture.h"
#include "core/text.h"
#include "declaration/session.h"
#include "screen/colour_store.h"
#include "shell/application.h"
#include "shell/settings.h"
#include "shell/work_folders.h"
#include "storage/paths.h"
#include "storage/version_update.h"

namespace vormel::shell {

using core::Decimal;
using core::Value;
using namespace core::literals;

namespace {
std::string s(std::string_view v) { return std::string(v); }
}  // namespace

void Application::not_available() {
  screen::AVISOSN(ui_, s("Esta função ainda não está disponível nesta versão do programa."_cp), 0);
}

bool Application::MENUSELECT(int command, int option, int option2) {
  (void)option2;
  g_.OPCAO_1 = command;
  if (g_.LESTOUNADECL) return true;  // a declaration is open: the menu waits
  switch (command) {
    case 11: open_declaration(); break;
    case 15: folders_dialog(); break;
    case 18: ROTSAIDA(18); break;
    case 19: update_every_folder(); break;
    case 21: work_file_folder(); break;
    case 23: password_command(option); break;
    case 24: screen::MODCOR(ui_, db_, option, [this] { TELA_INICIAL(); }); break;
    case 25: fee_rates(); break;
    case 26: saving_mode(option); break;
    case 28: selic_register(); break;
    case 32: export_table(option); break;
    case 35: update_check_command(); break;
    case 36: adjustments(option); break;
    case 41: case 42: case 43: case 44: case 46: case 47: print_selection(command - 40, option); break;
    case 48: show_selection(); break;
    case 52: reprint_nao_dos(); break;
    case 64: case 65: case 66: sending_options(command, option); break;
    case 67: irpf_folder(); break;
    case 77: case 78: archiver_settings(command); break;
    case 91: ROTSAIDA(91); break;
    default: not_available(); break;
  }
  return true;
}

void Application::open_declaration() {
  declaration::SessionSettings settings;
  settings.NUSU = g_.NUSU;
  settings.LOCTRAB = g_.LOCTRAB;
  settings.ULT_CPF = g_.ULT_CPF;
  settings.TEMP_SAL = g_.TEMP_SAL;
  settings.TEMP_DES = g_.DEFINE.integer("TEMP_DES");
  settings.STATRAVA = g_.DEFINE.integer("STATRAVA");
  settings.OPCFIM = g_.CONFIG.integer("OPCFIM");
  settings.NOMEAG = g_.NOMEAG;
  settings.VAL_DOLAR = g_.DEFINE.number("VAL_DOLAR");
  settings.folder_changed = [this](const std::string& folder) {
    // The client was found in another folder of the list: it is the work folder now,
    // marked in the list and kept in the terminal's settings.
    FolderContext c{ui_, db_, g_};
    if (!make_current(c, folder)) {
      g_.ROTADOANO = core::BAR_FORA(folder);
      g_.ROTA = g_.ROTADOANO;
      g_.LOCARQ = folder;
      select_current_folder();
    }
  };
  settings.folders_dialog = [this] {
    FolderContext c{ui_, db_, g_};
    MOS_DIR(c);
  };
  g_.LESTOUNADECL = true;
  {
    declaration::Session session(ui_, db_, settings);
    session.DECLARA();
  }
  g_.LESTOUNADECL = false;
  g_.ULT_CPF = settings.ULT_CPF;
  // The declaration's keys are gone; the main screen's come back.
  con_.set_key(core::Key::alt('I'), [this] { MENUSELECT(11); });
  con_.set_key(core::Key::alt('T'), [this] { MENUSELECT(91); });
  TELA_INICIAL();
}

void Application::password_command(int option) {
  if (password_menu) {
    password_menu(option);
    MENUCOMMAND();  // the item's caption says whether the password is asked
  } else {
    not_available();
  }
}

void Application::update_every_folder() {
  storage::update_every_folder(db_, g_.LOCARQ);
  db_.SAI_ABRE(0);
  db_.ABERTURA(9);
}

void Application::fee_rates() {
  // The suggested fee: per minute of work, per thousand bytes of data, the least, and
  // the minutes without a key after which the clock stops.
  con_.show_dialog(screen::Rect{0, 0, 6, 25}, "Valor a cobrar");
  screen::Grid& grid = con_.grid();
  const screen::Attr text = screen::attr_of(screen::colour_part(ui_.colours.CORNORM, 0));
  grid.write(1, 1, "Por Minuto", text);
  grid.write(2, 1, "Por KByte ", text);
  grid.write(3, 1, s("Mínimo"_cp), text);
  grid.write(4, 1, core::pad_center("Contador do tempo", 24, '\xC4'), text);
  grid.write(5, 1, s("Desligar após      min."_cp), text);
  struct Field {
    const char* name;
    int row, col, width;
    const char* picture;
    std::string help;
  } fields[] = {{"VAL_SEG", 1, 12, 10, "@EZ 999,999.99", "Informe o valor a cobrar por minuto"},
                {"VAL_BYTE", 2, 12, 10, "@EZ 999,999.99", s("Informe o valor a cobrar por KByte de memória usada"_cp)},
                {"VAL_MIN", 3, 12, 10, "@EZ 999,999.99", s("Informe o valor mínimo a cobrar."_cp)},
                {"TEMP_DES", 5, 15, 2, "@ez 99", s("Informe o tempo sem teclar para desligar o relógio"_cp)}};
  std::vector<Value> values;
  for (const auto& f : fields) values.push_back(g_.DEFINE.number(f.name));
  for (size_t i = 0; i < 4;) {
    con_.status_text(fields[i].help);
    auto spec = screen::FieldSpec::at(fields[i].row, fields[i].col, &values[i], fields[i].picture, fields[i].width, i < 3 ? 2 : 0);
    core::Key k = screen::edit_field(ui_, spec);
    if (k == core::Key(core::Key::Esc)) break;
    if (k == core::Key(core::Key::Up) || k == core::Key(core::Key::Tab | core::Key::Shift)) i = i ? i - 1 : 0;
    else ++i;
  }
  con_.status_text("");
  con_.close_dialog();
  for (size_t i = 0; i < 4; ++i) g_.DEFINE.set(fields[i].name, values[i]);
  write_define(db_, g_, {"VAL_SEG", "VAL_BYTE", "VAL_MIN", "TEMP_DES"});
}

void Application::saving_mode(int option) {
  int minutes = g_.TEMP_SAL;
  if (option == 1) {
    con_.show_dialog(screen::Rect{0, 0, 5, 35}, s("Tempo de gravação "_cp));
    con_.grid().write(2, 2, "Tempo para gravar em minutos", screen::attr_of(screen::colour_part(ui_.colours.CORNORM, 0)));
    Value v = Decimal(minutes == 0 || minutes == 99 ? 15 : minutes);
    auto spec = screen::FieldSpec::at(2, 31, &v, "@z 99", 2);
    spec.valid = [](const Value& x) { return std::get<Decimal>(x) >= Decimal(1); };
    const bool typed = screen::edit_field(ui_, spec) != core::Key(core::Key::Esc);
    con_.close_dialog();
    if (!typed) return;
    minutes = int(std::get<Decimal>(v).to_int());
  } else {
    minutes = option == 2 ? 0 : 99;
  }
  g_.TEMP_SAL = minutes;
  g_.DEFINE.set_number("COMO_SAL", option);
  g_.DEFINE.set_number("TEMP_SAL", minutes);
  write_define(db_, g_, {"COMO_SAL", "TEMP_SAL", "TEMP_DES"});
  MENUCOMMAND();  // the item shows the minutes
}

void Application::update_check_command() {
  const bool always = screen::AVISOSN(ui_, s("Deseja fazer essa verificação sempre na entrada?"_cp), 1).yes;
  g_.DEFINE.set_text("VER_ATUAL", always ? "S" : "N");
  write_define(db_, g_, {"VER_ATUAL"});
  if (always) {
    if (update_check_from_menu) update_check_from_menu();
    else not_available();
  }
}

void Application::adjustments(int option) {
  if (option == 1) {
    auto a = screen::AVISOSN(ui_, std::vector<std::string>{"Sim - Tela da declaracao com janela",
                                                           "Nao - Tela inteira na Declaracao"},
                             1);
    g_.CONFIG.set_text("OPCIRPF", a.yes ? "J" : "N");
  } else {
    auto a = screen::AVISOSN(ui_,
                             std::vector<std::string>{"1 - Declaracao termina vai para o menu inicial",
                                                      "2 - Declaracao termina e fica na selecao"},
                             6, {"1", "2"}, "Escolha");
    if (a.button >= 1) g_.CONFIG.set_number("OPCFIM", a.button);
  }
}

void Application::print_selection(int kind, int option) {
  if (kind == 6) {
    const char* questions[] = {"Mostre antes de imprimir as Impressoras Existentes",
                               "Mostre antes de imprimir no video o texto a ser impresso",
                               "Crie uma copia do arquivo TXT com o CPF do arquivo impresso?"};
    const char* fields[] = {"MOSIMP", "MOSTEL", "MOSCPF"};
    for (int i = 0; i < 3; ++i) g_.CONFIG.set_text(fields[i], screen::AVISOSN(ui_, questions[i], 1).yes ? "S" : "N");
  } else if (kind == 7) {
    Value copies = Decimal(g_.NRO_VIAS);
    auto args = screen::MensArgs::input(17, 20, &copies, "@ 9", 1);
    screen::MENS(ui_, 4, "Informe o nro vias (vezes) a imprimir", args);
    int n = int(std::get<Decimal>(copies).to_int());
    g_.NRO_VIAS = n < 1 ? 1 : n;
    g_.print.NRO_VIAS = g_.NRO_VIAS;
  } else {
    g_.print.choose(kind, option);
  }
  g_.print.MONTA_ITENS(g_.ITEM);
  if (kind == 7) g_.ITEM[7] = "&7-Vias " + std::to_string(g_.NRO_VIAS);
  write_config(db_, g_,
               {"QUEIMP", "QUEMOD", "QUEPAG", "QUECON", "COMPAGA", "IMPBEM", "IMPBAL", "MOSIMP", "MOSTEL", "MOSCPF",
                "MARESQ", "INIFOL", "LINETI", "NRO_LIN"});
  MENUCOMMAND();
}

void Application::show_selection() {
  g_.print.MONTA_ITENS(g_.ITEM);
  screen::AVISOSN(ui_,
                  std::vector<std::string>{g_.ITEM[1], g_.ITEM[2], g_.ITEM[3], g_.ITEM[4], "Impressora " + g_.NOMEIMP,
                                           g_.ITEM[7]},
                  0, {}, "Selecao para impressao");
}

void Application::reprint_nao_dos() {
  if (storage::file_exists(g_.LOCTRAB, "NAO-DOS.TXT")) not_available();
  else screen::AVISOSN(ui_, "Gere antes o arquivo NAO DOS usando no item acima", 0);
}

bool Application::ask_status_code(const std::string& prompt, const char* field) {
  // The code must be one of the status table.
  for (;;) {
    Value code = Decimal(g_.CONFIG.integer(field));
    auto args = screen::MensArgs::input(15, 5, &code, "@z 99", 2);
    screen::MENS(ui_, 4, prompt, args);
    if (ui_.con.last_key() == core::Key(core::Key::Esc)) return false;
    const int n = int(std::get<Decimal>(code).to_int());
    if (db_.ABERTURA(66) && db_.area(66).seek(Decimal(n))) {
      g_.CONFIG.set_number(field, n);
      db_.close_area(66);
      return true;
    }
    db_.close_area(66);
    screen::BEEP_ERRO(ui_);
  }
}

void Application::sending_options(int command, int option) {
  auto status_message = [&] {
    screen::AVISOSN(ui_,
                    std::vector<std::string>{s("A partir de agora somente as declarações com o Status "_cp) +
                                                 core::pad_left(std::to_string(g_.CONFIG.integer("SOESTE")), 2, '0'),
                                             s("serão transferidas para o IRPF ao terminar a declaração"_cp)},
                    0);
  };
  auto none_message = [&] {
    screen::AVISOSN(ui_,
                    std::vector<std::string>{s("A partir de agora nenhuma declaração será transferida"_cp),
                                             s(" para o IRPF ao terminar a declaração"_cp)},
                    0);
  };
  if (command == 64 && option == 1) {
    if (!ask_status_code(s("Informe o código do Estatus para declaração transferida! "_cp), "SOESTE")) return;
    status_message();
    g_.CONFIG.set_number("OPTTRAN", 2);
  } else if (command == 64) {
    none_message();
    g_.CONFIG.set_number("OPTTRAN", 0);
  } else if (command == 65 && option == 1) {
    screen::AVISOSN(ui_,
                    std::vector<std::string>{s("A partir de agora todas as declarações independente do status"_cp),
                                             s("serão transferidas para o IRPF ao terminar a declaração"_cp)},
                    0);
    g_.CONFIG.set_number("OPTTRAN", 1);
  } else if (command == 65) {
    if (g_.CONFIG.integer("OPTTRAN") == 2) {
      status_message();
    } else {
      g_.CONFIG.set_number("OPTTRAN", 0);
      none_message();
    }
  } else {
    if (screen::AVISOSN(ui_, s("Após o envio deseja que o Estatus passe para transmitidas?"_cp), 1).yes) {
      g_.CONFIG.set_number("ENV_STAT", 1);
      ask_status_code(s("Informe o código do Estatus de declaração transmitidas? "_cp), "OPC_TRAN");
    } else {
      g_.CONFIG.set_number("ENV_STAT", 0);
    }
  }
}

void Application::archiver_settings(int command) {
  const bool seven = g_.DEFINE.text("PROGCOMP") == "S";
  if (command == 77) {
    const std::string current = seven ? "7zip" : "ICE", other = seven ? "ICE" : "7zip";
    auto a = screen::AVISOSN(ui_,
                             std::vector<std::string>{"Para compactar esta configurado para utilizar",
                                                      "o programa " + current + ". Troca para o " + other + " ?"},
                             1);
    if (!a.yes) return;
    g_.DEFINE.set_text("PROGCOMP", seven ? "N" : "S");
  } else {
    if (!seven) {
      screen::AVISOSN(ui_, s("O programa ICE não funciona em 64 bits. Troque para o 7Z"_cp), 0);
      return;
    }
    const bool bits32 = g_.DEFINE.text("PROCESSA") == "S";
    const std::string current = bits32 ? "32" : "64", other = bits32 ? "64" : "32";
    auto a = screen::AVISOSN(ui_,
                             std::vector<std::string>{"O programa para compactar esta configurado para ser ",
                                                      "usado em processador de " + current + " bits. Troca para " +
                                                          other + " bits?"},
                             1);
    if (!a.yes) return;
    g_.DEFINE.set_text("PROCESSA", bits32 ? "N" : "S");
  }
  write_define(db_, g_, {"PROCESSA", "PROGCOMP"});
}

}  // namespace vormel::shell
