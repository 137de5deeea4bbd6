// One run of the program: start-up, the main menu and its loop, the orderly exit.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "core/clock.h"
#include "office/calculator.h"
#include "screen/console.h"
#include "screen/screen_reporter.h"
#include "screen/ui.h"
#include "shell/globals.h"
#include "storage/database.h"

namespace vormel::shell {

struct StartOptions {
  std::string terminal;  // first command-line argument
  std::string terminal_env;  // TERMINAL
  std::string dvormel;       // DVORMEL
  std::string usuar, equip;  // USUAR, EQUIP: the terminal prompt on network drives
};

class Application {
 public:
  Application(screen::Backend& backend, const core::Clock& clock);

  // MAIN: runs until the program ends; gives the exit status.
  int MAIN(const StartOptions& options);

  // INICIOSIS: the screen, the program folder and the terminal number.
  std::string INICIOSIS(const StartOptions& options);
  // ROTSAIDA: option 91 asks first; ends the program (throws screen::ProgramExit).
  void ROTSAIDA(int option);
  void MENUCOMMAND(int mode = 0);
  bool MENUSELECT(int command, int option = 0, int option2 = 0);
  void TELA_INICIAL();  // the start screen
  // FIMSISTEMA: an Esc for the next key read (menus of their own leave with it).
  void FIMSISTEMA() { con_.push_key(core::Key(core::Key::Esc)); }
  std::optional<core::Decimal> calculator();

  Globals& globals() { return g_; }
  screen::Ui& ui() { return ui_; }
  screen::Console& console() { return con_; }
  storage::Database& database() { return db_; }

  // Hooks for the start: the update check (false: end the program for the update) and
  // the password (false: three wrong answers).
  std::function<bool()> update_check_at_start;
  std::function<bool()> password_at_start;

 private:
  void main_loop();
  // The steps of the start-up; false ends the program (with the status in exit_status_).
  bool start_up(const StartOptions& options);
  std::string QUAL_USUR(const StartOptions& options);
  bool check_work_folder();
  void select_current_folder();
  void load_alarms();
  void check_alarms();
  void backup_reminder();
  void not_available();
  void open_declaration();
  // The commands of the menu that belong to the shell.
  void update_every_folder();
  // Commands 21 and 67: the work-file folder and the tax authority program's folder.
  void folders_dialog();
  void work_file_folder();
  void irpf_folder();
  void fee_rates();
  void saving_mode(int option);
  void selic_register();
  void export_table(int option);
  void update_check_command();
  void adjustments(int option);
  void print_selection(int kind, int option);
  void show_selection();
  void reprint_nao_dos();
  void sending_options(int command, int option);
  void archiver_settings(int command);
  bool ask_status_code(const std::string& prompt, const char* field);
  void password_command(int option);
 public:
  // The password commands of the menu (on/off with 1, change with 2).
  std::function<void(int)> password_menu;
  // The update check asked from the menu.
  std::function<void()> update_check_from_menu;
 private:
  int exit_status_ = 0;
  bool alarm_showing_ = false;

  screen::Console con_;
  screen::Ui ui_;
  screen::ScreenReporter reporter_;
  storage::Database db_;
  Globals g_;
  office::CalcPosition calc_pos_;
};

// The terminal number from the argument (digits, 0–99) as two digits; nullopt when the
// text is not such a number.
std::optional<std::string> terminal_number(const std::string& text);

}  // namespace vormel::shell
