// What the declaration's forms work with: the screen, the tables, the memory variables,
// and the few things only the declaration can do for them.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/keys.h"
#include "core/record.h"
#include "screen/ui.h"
#include "storage/database.h"

namespace vormel::entry {

// The work area where the client list of another folder is looked at (the areas of the
// folder's tables and of the working copies stay as they are).
constexpr int kOtherFolderArea = 79;
// Opens the client list (IMP0916, CPF order) of that folder (with "/") in that area,
// quietly; false when it cannot.
bool open_other_clients(storage::Database& db, const std::string& folder);

struct FormEnv {
  FormEnv(screen::Ui& u, storage::Database& d, core::Record& v) : ui(u), db(d), vars(v) {}
  screen::Ui& ui;
  storage::Database& db;
  core::Record& vars;
  core::Date today{};
  std::string NOMEAG;
  std::string NUSU;   // this terminal
  int STATRAVA = 0;   // the status that protects a declaration
  // The keys that end a form and move through the screens (Tab, function keys).
  std::function<bool(core::Key)> ending_keys;
  // A field was accepted: the working copies keep the variable at once.
  std::function<void(const std::string& var)> accepted;
  // ATV_BRASIL changed: the rural rows of the other activity replace those in hand.
  std::function<void(const std::string& before, const std::string& after)> swap_rural;
  // The first other folder of the list that has the client (with "/"), "" when none.
  std::function<std::string(const std::string& cpf)> other_folder_of;
  // LSAI: the declaration is being left (a hot key may say so in the middle of a form).
  const bool* leaving_flag = nullptr;
  bool leaving() const { return leaving_flag && *leaving_flag; }

  void notice(const std::vector<std::string>& lines) const { screen::AVISOSN(ui, lines, 0); }
};

}  // namespace vormel::entry
