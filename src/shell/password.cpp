#include "shell/password.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "core/cp850.h"
#include "core/text.h"
#include "screen/colour.h"
#include "shell/settings.h"

namespace vormel::shell {

using core::Key;
using namespace core::literals;

namespace {

constexpr const char* kMagic = "VORMEL-SENHA";
constexpr int kFormatVersion = 1;
constexpr const char* kMethod = "pbkdf2-sha256";
constexpr size_t kSaltBytes = 16, kKeyBytes = 32;
constexpr size_t kMaxTyped = 6;

std::string to_hex(const unsigned char* p, size_t n) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    out += digits[p[i] >> 4];
    out += digits[p[i] & 15];
  }
  return out;
}

bool from_hex(const std::string& text, unsigned char* out, size_t n) {
  if (text.size() != 2 * n) return false;
  auto nibble = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  for (size_t i = 0; i < n; ++i) {
    int hi = nibble(text[2 * i]), lo = nibble(text[2 * i + 1]);
    if (hi < 0 || lo < 0) return false;
    out[i] = static_cast<unsigned char>(hi * 16 + lo);
  }
  return true;
}

struct Stored {
  int iterations = 0;
  std::array<unsigned char, kSaltBytes> salt{};
  std::array<unsigned char, kKeyBytes> key{};
};

bool derive(const std::string& normalised, const unsigned char* salt, int iterations, unsigned char* key) {
  return PKCS5_PBKDF2_HMAC(normalised.data(), static_cast<int>(normalised.size()), salt, kSaltBytes, iterations,
                           EVP_sha256(), kKeyBytes, key) == 1;
}

std::optional<Stored> parse_store(const std::string& text) {
  std::istringstream in(text);
  std::string magic, method, salt, key, extra;
  int version = 0;
  long iterations = 0;
  if (!(in >> magic >> version >> method >> iterations >> salt >> key) || in >> extra) return std::nullopt;
  if (magic != kMagic || version != kFormatVersion || method != kMethod) return std::nullopt;
  if (iterations < 1 || iterations > 100000000) return std::nullopt;
  Stored s;
  s.iterations = static_cast<int>(iterations);
  if (!from_hex(salt, s.salt.data(), kSaltBytes) || !from_hex(key, s.key.data(), kKeyBytes)) return std::nullopt;
  return s;
}

// The whole file through a temporary one in the same folder, so a reader never sees
// half of it.
bool write_atomically(const std::string& path, const std::string& bytes) {
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);  // the rename itself reaches the disk
    ::close(dir);
  }
  return true;
}

void wipe(std::string& s) {
  OPENSSL_cleanse(s.data(), s.size());
  s.clear();
}

// The hidden field: blanks in the invisible colour, the cursor moving along. Esc gives
// an empty answer. Nothing typed reaches the screen or the clipboard.
std::string read_hidden(screen::Ui& ui, int row, int col) {
  screen::Console& con = ui.con;
  const screen::Attr attr = screen::attr_of(screen::colour_part(ui.colours.INVISIVEL, 1));
  con.grid().write(row, col, std::string(kMaxTyped, ' '), attr);
  const bool cursor_was = con.cursor_is_on();
  con.cursor_on(true);
  std::string typed;
  for (;;) {
    con.set_cursor(row, col + static_cast<int>(typed.size() < kMaxTyped ? typed.size() : kMaxTyped - 1));
    Key k = con.wait_key();
    if (k == Key(Key::Enter)) break;
    if (k == Key(Key::Esc)) {
      wipe(typed);
      break;
    }
    if (k == Key(Key::Backspace)) {
      if (!typed.empty()) typed.pop_back();
    } else if (k.is_char()) {
      if (typed.size() < kMaxTyped) typed += static_cast<char>(k.byte());
      else con.bell();
    }
  }
  con.cursor_on(cursor_was);
  std::string answer = normalise_password(typed);
  wipe(typed);
  return answer;
}

// Reads an answer at (row, col + 1) and clears the message line, as every question does.
std::string read_answer(screen::Ui& ui, int row, int col) {
  std::string answer = read_hidden(ui, row, col + 1);
  screen::MENS(ui, 0);
  return answer;
}

// A box that stays while the answer is typed (window 10, as the message boxes).
void open_box(screen::Ui& ui, std::string_view text, int row, int col, int lines = 1) {
  screen::MensArgs a;
  a.row = row;
  a.col = col;
  a.lines = lines;
  screen::MENS(ui, 3, text, a);
}
void close_box(screen::Ui& ui) { screen::FECHAJAN(ui, 10); }

void say_invalid(screen::Ui& ui) { screen::MENS(ui, 1, "Senha inválida!"_cp); }

// A box with a question, one answer checked against the store.
TypedPassword ask_in_box(screen::Ui& ui, const PasswordStore& store, std::string_view text, int row, int col,
                         int answer_row, int answer_col) {
  open_box(ui, text, row, col);
  TypedPassword t = VESENHA(ui, store, answer_row, answer_col);
  close_box(ui);
  return t;
}

// The terminal's copy of the password's number, in memory and in its CONFIG record.
void set_ult_senir(Globals& g, storage::Database& db, int value) {
  g.CONFIG.set_number("ULT_SENIR", value);
  write_config(db, g, {"ULT_SENIR"});
}

}  // namespace

int ANALISEN(std::string_view text) {
  int hash = 1;
  for (char ch : normalise_password(text)) {
    const int c = static_cast<unsigned char>(ch);
    hash += c * (c / 10);
  }
  return hash;
}

std::string normalise_password(std::string_view text) { return core::cp850::upper(core::trim(text)); }

PasswordStore::PasswordStore(const std::string& program_folder, int iterations)
    : path_(core::BAR_DIR(program_folder) + kFileName), iterations_(iterations) {}

bool PasswordStore::verify(std::string_view typed) const {
  std::string answer = normalise_password(typed);
  struct stat info {};
  if (::stat(path_.c_str(), &info) != 0 && errno == ENOENT) {
    // No store yet: the program as installed.
    bool right = answer == kInitialPassword;
    wipe(answer);
    return right;
  }
  // A store that is there but cannot be read opens nothing.
  std::ifstream in(path_, std::ios::binary);
  std::string text(4096, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(in.gcount()));
  auto stored = parse_store(text);
  bool right = false;
  if (stored && !answer.empty()) {
    std::array<unsigned char, kKeyBytes> key{};
    right = derive(answer, stored->salt.data(), stored->iterations, key.data()) &&
            CRYPTO_memcmp(key.data(), stored->key.data(), kKeyBytes) == 0;
    OPENSSL_cleanse(key.data(), key.size());
  }
  wipe(answer);
  return right;
}

bool PasswordStore::change(std::string_view new_password) {
  std::string answer = normalise_password(new_password);
  if (answer.empty()) return false;
  Stored s;
  s.iterations = iterations_;
  bool ok = RAND_bytes(s.salt.data(), kSaltBytes) == 1 && derive(answer, s.salt.data(), s.iterations, s.key.data());
  wipe(answer);
  if (!ok) return false;
  std::string line = std::string(kMagic) + " " + std::to_string(kFormatVersion) + " " + kMethod + " " +
                     std::to_string(s.iterations) + " " + to_hex(s.salt.data(), kSaltBytes) + " " +
                     to_hex(s.key.data(), kKeyBytes) + "\n";
  return write_atomically(path_, line);
}

TypedPassword VESENHA(screen::Ui& ui, const PasswordStore& store, int row, int col) {
  TypedPassword t;
  t.text = read_answer(ui, row, col);
  t.SENHA1 = ANALISEN(t.text);
  t.right = store.verify(t.text);
  return t;
}

bool SENHA(screen::Ui& ui, Globals& g, const PasswordStore& store, int place) {
  TypedPassword t;
  switch (place) {
    case 0:
      // "Digite a senha" on the box's first line, the answer below it.
      open_box(ui, core::pad_right("Digite a senha", 26), 19, 61, 2);
      t = VESENHA(ui, store, 21, 65);
      close_box(ui);
      break;
    case 1: t = VESENHA(ui, store, 21, 29); break;
    default: t = VESENHA(ui, store, 22, 43); break;
  }
  wipe(t.text);
  if (!t.right) {
    say_invalid(ui);
    return false;
  }
  g.CONFIG.set_number("ULT_SENIR", t.SENHA1);
  return true;
}

bool ask_password_at_start(screen::Ui& ui, Globals& g, storage::Database& db) {
  // Window 2: a double-line box with the program and its version, and the label.
  const screen::Colours& c = ui.colours;
  screen::DEFINEJAN(ui, 2, c.COR_TEL1, c.COR_TEL2, c.COR_TEL2, 19, 2, 23, 51, 0);
  screen::ABREJAN(ui, 2);
  screen::Grid& grid = ui.con.grid();
  const screen::Rect box{19, 2, 23, 51};
  grid.fill(box, ' ', screen::attr_of(screen::ACHACOR(c.COR_TEL1)));
  grid.box(box, screen::attr_of(screen::ACHACOR(c.COR_TEL2)), true);
  grid.write(20, 3, core::pad_center("VORMEL " + std::string(" Versão "_cp) + g.VERSAO, 48),
             screen::attr_of(screen::ACHACOR(c.COR_TEL2)));
  grid.write(21, 23, "SENHA", screen::attr_of(screen::ACHACOR(c.COR_TEL1)));

  const PasswordStore store(g.ARQDEF);
  bool right = false;
  for (int attempt = 0; attempt < 3 && !right; ++attempt) right = SENHA(ui, g, store, 1);
  screen::FECHAJAN(ui, 2);
  if (!right) return false;
  write_config(db, g, {"ULT_SENIR"});
  return true;
}

void LIBSEN(screen::Ui& ui, Globals& g) {
  const PasswordStore store(g.ARQDEF);
  TypedPassword t = ask_in_box(ui, store, std::string("Informe a Senha Atual ") + std::string(8, ' '), 6, 38, 6, 61);
  wipe(t.text);
  if (t.right) g.QUERSEN = false;
  else say_invalid(ui);
}

bool CONSENH(screen::Ui& ui, Globals& g, storage::Database& db, int row, int col) {
  const PasswordStore store(g.ARQDEF);
  const std::string blanks(8, ' ');

  // 1. The current password, two attempts.
  bool right = false;
  for (int attempt = 0; attempt < 2 && !right; ++attempt) {
    TypedPassword t = ask_in_box(ui, store, "Digite a Senha Atual" + blanks, row, 38, row, col);
    wipe(t.text);
    right = t.right;
    if (!right) say_invalid(ui);
  }
  if (!right) return false;

  // 2. The new one: not the current one, not empty.
  std::string chosen;
  for (int attempt = 0; attempt < 2 && chosen.empty(); ++attempt) {
    TypedPassword t = ask_in_box(ui, store, "Digite a Nova Senha" + blanks, row, 38, row, col);
    if (t.text.empty()) {
      screen::BEEP_ERRO(ui);
      screen::MENS(ui, 0, "A senha não pode ficar em branco - Digite outra"_cp);
    } else if (t.right) {
      screen::BEEP_ERRO(ui);
      screen::MENS(ui, 0, "A senha anterior não serve mais - Digite outra"_cp);
    } else {
      chosen = t.text;
    }
    wipe(t.text);
  }
  if (chosen.empty()) return false;

  // 3. The same again.
  bool same = false;
  for (int attempt = 0; attempt < 2 && !same; ++attempt) {
    open_box(ui, "Repita a Nova Senha" + blanks, row, 38);
    std::string again = read_answer(ui, row, col);
    close_box(ui);
    same = again == chosen;
    wipe(again);
    if (!same) {
      screen::BEEP_ERRO(ui);
      screen::MENS(ui, 0, "Senha não consistente. Digite-a novamente"_cp);
    }
  }
  if (!same || !PasswordStore(g.ARQDEF).change(chosen)) {
    wipe(chosen);
    screen::MENS(ui, 1, "ATENÇÃO! A senha anterior foi mantida"_cp);
    return false;
  }

  // 4. Stored program-wide; the terminal's copy follows.
  set_ult_senir(g, db, ANALISEN(chosen));
  wipe(chosen);
  return true;
}

void POE_TIRA_SEN(screen::Ui& ui, Globals& g, storage::Database& db, int mode) {
  if (mode == 2) {
    CONSENH(ui, g, db, 5, 58);
    return;
  }
  if (g.QUERSEN) {
    LIBSEN(ui, g);
  } else {
    screen::AVISOSN(ui, std::string("Na próxima entrada será pedida a senha"_cp), 0);
    g.QUERSEN = true;
  }
}

}  // namespace vormel::shell
