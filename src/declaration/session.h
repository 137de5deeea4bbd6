// One run of the declaration chooser and of the declaration opened from it (Alt+I):
// the CPF asked and checked, the client found or created, the in-use mark and the
// recovery offer, the declaration's own menu bar and the walk through its screens,
// the saves, and leaving with "Termina a Declaração?".
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "declaration/screen_walk.h"
#include "declaration/time_count.h"
#include "declaration/workspace.h"
#include "entry/frame.h"
#include "entry/item_editor.h"
#include "screen/ui.h"
#include "storage/database.h"

namespace vormel::declaration {

// What the session needs of the terminal's settings.
struct SessionSettings {
  std::string NUSU = "00";
  std::string LOCTRAB;     // work-file folder, with "/"
  std::string ULT_CPF;     // the CPF proposed, and where the last one is kept
  int TEMP_SAL = 15;       // minutes between automatic saves (0: Alt+W only, 99: at the end)
  int TEMP_DES = 4;        // minutes without a key after which the time spent stops counting
  int STATRAVA = 0;        // status that protects a declaration against saving
  int OPCFIM = 1;          // 2: back to the chooser after a declaration
  std::string NOMEAG;      // the operator, for the usage log
  core::Decimal VAL_DOLAR; // the office's dollar rate
  // F7 in the chooser: the folder list ("Pastas"), where the current folder may change.
  std::function<void()> folders_dialog;
  // Another folder of the list became the current one (with "/").
  std::function<void(const std::string&)> folder_changed;
};

class Session {
 public:
  Session(screen::Ui& ui, storage::Database& db, SessionSettings& settings);
  // DECLARA for command 11: runs until the operator leaves the chooser.
  void DECLARA();

  // Exposed for the tests of the menu.
  void MENU2SELECT(int item);
  bool open() const { return workspace_ != nullptr; }

 private:
  bool GET_CODIGO();
  // The chooser window (MTELA3 3), the client shown in it, the CPF or name asked there.
  void open_chooser();
  void close_chooser();
  void MOSTR_PAG();
  std::optional<std::string> ask_client();
  // The name typed, sought in name order; the list when it is not found exactly.
  std::optional<std::string> BNOME2(const std::string& name);
  // F6 and F11: the client's details and pending items.
  void MOS_DETAL(storage::WorkArea& row);
  void MOS_PEND(const std::string& cpf);
  // BUSCA_OUTRO: the first other folder of the list that holds the CPF; "" when none.
  std::string BUSCA_OUTRO();
  // The question when another terminal has the declaration open; true: open it anyway.
  bool open_anyway(const std::string& user);
  void run_declaration();
  void build_menu();
  void GIRO();
  void show_screen();
  // The screen's contents: its form or its list; gives the key that ended it.
  core::Key GTELA(const entry::Frame& frame);
  // The first other folder of the list that has the CPF ("" when none), without making it current.
  std::string other_folder_with(const std::string& cpf);
  void SAI_DA_DEC(int item);
  bool SAL_DEC();
  // A status that protects the declaration: said, and true.
  bool protected_status();
  bool save(bool final);
  void notice(const std::vector<std::string>& lines);
  int dependants() const;

  screen::Ui& ui_;
  storage::Database& db_;
  SessionSettings& settings_;
  std::unique_ptr<Workspace> workspace_;
  static constexpr int kChooserWindow = 2;
  // Where the chooser's fields go inside its window (rows and columns from its first text cell).
  static constexpr int kFieldRow = 3, kCpfCol = 2, kNameCol = 18, kFolderRow = 5, kFolderCol = 17;
  static constexpr std::string_view kCpfPicture = "@R 999.999.999-99";
  int chooser_top_ = 17, chooser_left_ = 2;
  bool chosen_directly_ = false;  // F4: the CPF of the working copies
  bool only_rural_ = false;       // F8: the lists show only declarations with the rural annex
  Walk walk_;
  entry::EditContext edit_context_;  // the lists' state while the declaration is open (CLIPTEX)
  int TELANT_ = 0;
  bool in_screen_ = false;       // a screen's form or list is running
  bool chosen_by_menu_ = false;  // the bar chose the next screen meanwhile           // the last screen shown other than the balance
  std::string cpf_;
  bool leave_ = false;       // LSAI
  std::string INI = "N";     // "I": leave without saving
  bool created_ = false;
  bool recovery_ = false;    // LRECUPERA
  long long last_save_ = 0;  // when the last save ran, in seconds
  core::DateTime opened_{};  // when the declaration was opened (the usage log)
  void VETEMPO(bool final);
  std::optional<TimeCount> time_;  // the time spent while the declaration is open
  void DESLIG_RELG();
};

}  // namespace vormel::declaration
