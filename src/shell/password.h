// The user password: the question at start, switching it on and off, changing it.
//
// Two values are kept. The program-wide store (SENHA.DAT in the program folder) holds a
// salted PBKDF2-HMAC-SHA256 of the password, and only that store decides whether an
// answer is right. The short number of ANALISEN is what the terminal's CONFIG record
// keeps in ULT_SENIR (N5); many texts share it, so it never opens the program.
#pragma once
#include <string>
#include <string_view>

#include "screen/ui.h"
#include "shell/globals.h"
#include "storage/database.h"

namespace vormel::shell {

// ANALISEN: 1 + the sum of c * (c / 10) over the characters of the trimmed, upper-cased
// text (CP850 codes).
int ANALISEN(std::string_view text);
// What a typed password counts as: trimmed of blanks, upper-cased by the program's rule.
std::string normalise_password(std::string_view text);

// The password while no store file exists (the program as installed): "VORMEL".
inline constexpr std::string_view kInitialPassword = "VORMEL";

// The program-wide store. The file is read on every check, so a change made on another
// terminal counts at once. A file that cannot be read refuses every answer.
//
// File layout, one line of ASCII text:
//   VORMEL-SENHA 1 pbkdf2-sha256 <iterations> <salt, 32 hex digits> <key, 64 hex digits>
class PasswordStore {
 public:
  static constexpr int kIterations = 600000;
  static constexpr const char* kFileName = "SENHA.DAT";

  // `program_folder` with or without its trailing "/"; `iterations` for new passwords.
  explicit PasswordStore(const std::string& program_folder, int iterations = kIterations);

  // True when the typed text is the current password.
  bool verify(std::string_view typed) const;
  // Stores a new password (not empty once normalised). False when the file could not be
  // written; the old one then stays.
  bool change(std::string_view new_password);
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  int iterations_;
};

// One answer read by VESENHA.
struct TypedPassword {
  bool right = false;
  int SENHA1 = 0;    // ANALISEN of what was typed
  std::string text;  // normalised; kept only while a change needs it
};

// VESENHA: reads a hidden password of up to 6 characters at (row, col + 1), clears the
// message line and checks it against the store.
TypedPassword VESENHA(screen::Ui& ui, const PasswordStore& store, int row, int col);

// SENHA: one password question. Place 0: its own box at the bottom right; 1: inside the
// start box; 2: at (22, 43), in a box of the caller's. A wrong answer says so with the
// error beep; a right one sets ULT_SENIR (in g.CONFIG).
bool SENHA(screen::Ui& ui, Globals& g, const PasswordStore& store, int place);

// Start-up: the start box and up to three questions. False after three wrong answers
// (nothing written; the caller ends the program). True: ULT_SENIR holds the answer's
// number, in g.CONFIG and in the terminal's CONFIG record.
bool ask_password_at_start(screen::Ui& ui, Globals& g, storage::Database& db);

// POE_TIRA_SEN: mode 1 switches the question at start on or off (g.QUERSEN, stored with
// the other settings at exit); mode 2 changes the password.
void POE_TIRA_SEN(screen::Ui& ui, Globals& g, storage::Database& db, int mode);
// LIBSEN: switching off, which needs the current password.
void LIBSEN(screen::Ui& ui, Globals& g);
// CONSENH: the change, its boxes on `row`, the answers at `col` + 1. True when a new
// password was stored; ULT_SENIR then follows it (g.CONFIG and the CONFIG record).
bool CONSENH(screen::Ui& ui, Globals& g, storage::Database& db, int row, int col);

}  // namespace vormel::shell
