// One run of the program: start-up, the main menu and its loop, the orderly exit.
#pragma once
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
  std::optional<core::Decimal> calculator();

  Globals& globals() { return g_; }
  screen::Ui& ui() { return ui_; }
  screen::Console& console() { return con_; }
  storage::Database& database() { return db_; }

 private:
  void main_loop();

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
