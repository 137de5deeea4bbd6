// The work folders of a terminal: its folder list (DIRET + terminal, area 50, open only
// by this terminal), the current work folder whose client list stays open in area 9,
// the search for a client in the other listed folders, the creation of new folders and
// the dialog that asks for the work-file folder or the tax program's folder.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/value.h"
#include "screen/ui.h"
#include "shell/globals.h"
#include "storage/database.h"

namespace vormel::shell {

// What the folder routines work on. NOMECONTR, when given, is the client-name variable
// the routines fill in (the chooser's name line).
struct FolderContext {
  screen::Ui& ui;
  storage::Database& db;
  Globals& g;
  std::string* NOMECONTR = nullptr;
};

// --- paths as typed ---

// Two paths name the same folder when they are equal once a trailing "/" is removed
// (names are case-sensitive here).
bool same_folder(std::string_view a, std::string_view b);
// "D:", "D:\" or "D:\X\Y": a folder typed with a drive letter of the old system.
bool is_drive_path(std::string_view typed);
// The folder a drive-letter path stands for: $VORMEL_DRIVE_D (for D) followed by the
// rest with "\" turned into "/" ("D:" gives the folder itself, "D:\" with "/"). Other
// paths come back as typed; nullopt when the letter names no folder.
std::optional<std::string> drive_folder(std::string_view typed);
// The same for what a user typed: a letter without a folder is said and refused.
std::optional<std::string> typed_folder(screen::Ui& ui, const std::string& typed);
// DIRPADRAO: the standard folder of the tax authority's program on this system.
std::string DIRPADRAO();

// --- folders ---

// CRI_NDIR: true when the folder exists or was created, with its missing parents, after
// the user agreed ("Pasta nova para " + word + "?"). Creation problems are said.
bool CRI_NDIR(screen::Ui& ui, const std::string& path, const std::string& word);
// MUDADIR: makes sure the folder exists (asking to create it) and opens its client list
// IMP0916 in area 9, on the client of g.CPF (else the first), in name order. The work
// folder does not change.
bool MUDADIR(FolderContext& c, const std::string& folder);
// TROCASIM: mode 1 makes the folder of the list's current row the current work folder
// (checked, and created after asking, before any mark changes; a lock or a refusal
// changes nothing), reopens its client list and stores ROTADOANO in CONFIG. Other modes
// only clear the marks of the other rows. The list stays on the row it was on.
bool TROCASIM(FolderContext& c, int mode);
// BUSCA_OUTRO: looks for `value` (a CPF with order 1, the start of a name with order 2)
// in the other listed folders that have a client list, in list order. The folder where
// it is found becomes the current one (for the spouse's CPF only its client list is
// opened in area 9); with mode 1 the value becomes the client's CPF or full name and
// NOMECONTR its name. Not found: the client list of the current folder is opened again
// (mode 1 blanks NOMECONTR) and the result is false.
bool BUSCA_OUTRO(FolderContext& c, std::string& value, int order, int mode, bool spouse_cpf = false);
// Makes `folder` the current work folder through its row of the list (added when it is
// not listed), as TROCASIM(1) does.
bool make_current(FolderContext& c, const std::string& folder);

// --- the dialog ---

// NOVA_ROTA: asks for a new folder for a setting whose value is `current`. `word` " VORMEL"
// is the work-file folder, " IRPF" the tax authority program's folder (Alt+P proposes
// DIRPADRAO; an empty answer means no folder). Esc or an empty answer keep `current`. A
// drive alone gets a trailing "/"; any other folder must exist or be created. The
// result is padded to `width`.
std::string NOVA_ROTA(FolderContext& c, const std::string& current, const std::string& word, int width);

// --- the checks of the folder list's columns ("Pastas") ---

// "Sel": "S" makes the row's folder the current one (TROCASIM(1)); "N" or blank pass;
// anything else is refused with the yes/no notice. False keeps the cursor in the cell.
// On the editor's blank line (`new_row`) the row does not exist yet: "S" is taken as
// typed and the switch waits for the row (TROCASIM would add a row of its own).
bool check_selection(FolderContext& c, core::Value& value, bool new_row = false);
// "Drive e Pasta": not empty, drive letters mapped, a missing folder created after
// asking. The value becomes the folder as it is kept (no trailing "/").
bool check_folder(FolderContext& c, core::Value& value);

// MOS_DIR: the "Pastas" dialog over the folder list (command 15, F7 in the client
// chooser); true when the current folder changed.
bool MOS_DIR(FolderContext& c);

}  // namespace vormel::shell
