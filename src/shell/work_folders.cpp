// The folder list of the terminal and the current work folder: creating folders,
// opening a folder's client list, switching the current folder, and looking for a
// client in the other listed folders.
#include "shell/work_folders.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <variant>

#include "core/cp850.h"
#include "core/text.h"
#include "entry/validation.h"
#include "shell/settings.h"
#include "storage/paths.h"

namespace vormel::shell {

using namespace core::literals;

namespace {

constexpr int kList = 50;     // the terminal's folder list
constexpr int kClients = 9;   // IMP0916 of the current folder
constexpr int kLockSeconds = 5;
const char* const kWord = " VORMEL";

std::string text_of(const core::Value& v) {
  const auto* s = std::get_if<std::string>(&v);
  return s ? *s : std::string();
}

bool list_open(storage::Database& db) { return db.area(kList).used() || db.ABERTURA(kList); }

// The list goes back to the row it was on (or past the end) when the scope ends.
struct KeepRow {
  storage::WorkArea& list;
  uint32_t recno;
  bool at_row;
  explicit KeepRow(storage::WorkArea& l) : list(l), recno(l.recno()), at_row(!l.eof()) {}
  ~KeepRow() {
    if (at_row) {
      list.go_to(recno);
    } else {
      list.go_bottom();
      list.skip();
    }
  }
};

}  // namespace

bool CRI_NDIR(screen::Ui& ui, const std::string& path, const std::string& word) {
  const std::string folder = core::BAR_FORA(path);
  if (folder.empty()) return false;
  if (core::VERDIR(folder)) return true;
  auto answer = screen::AVISOSN(ui, std::vector<std::string>{"Pasta nova para " + word + "?", "Cria a nova pasta?"}, 1);
  if (!answer.yes) return false;
  // Every missing level of the path is made, from the first one down.
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (core::VERDIR(folder)) return true;
  screen::AVISOSN(ui, "Problemas ao criar a pasta " + folder, 0);
  return false;
}

bool MUDADIR(FolderContext& c, const std::string& folder) {
  storage::Database& db = c.db;
  if (!CRI_NDIR(c.ui, folder, kWord)) return false;
  // The client list of that folder, whatever the current folder is.
  const std::string current = db.folders.LOCARQ;
  db.folders.LOCARQ = core::BAR_DIR(folder);
  const bool opened = db.ABERTURA(kClients);
  db.folders.LOCARQ = current;
  if (!opened) {
    db.reporter().close_progress();
    return false;
  }
  storage::WorkArea& clients = db.area(kClients);
  clients.set_order(1);
  const std::string cpf = core::trim(c.g.CPF);
  if (!cpf.empty() && clients.seek(cpf, storage::Seek::Exact)) {
    if (c.NOMECONTR) *c.NOMECONTR = clients.text("NOMECONTR");
  } else {
    clients.go_top();
  }
  clients.set_order(2);
  db.select(kClients);
  db.reporter().close_progress();
  return true;
}

bool TROCASIM(FolderContext& c, int mode) {
  storage::Database& db = c.db;
  Globals& g = c.g;
  if (!list_open(db)) return false;
  storage::WorkArea& list = db.area(kList);
  db.select(kList);
  std::string folder;
  uint32_t chosen = 0;
  {
    KeepRow keep(list);
    // One lock of the list covers every mark; it is taken, and the folder checked,
    // before anything changes, so a failure leaves the list as it was.
    if (!db.FIL_LOCK(kLockSeconds)) return false;
    struct Unlock {
      storage::WorkArea& a;
      ~Unlock() { a.unlock(); }
    } unlock{list};
    if (mode == 1) {
      const std::string typed = keep.at_row ? core::trim(list.text("DIRETOR")) : std::string();
      if (typed.empty()) {
        folder = g.ROTADEF;
      } else {
        auto local = typed_folder(c.ui, typed);
        if (!local) return false;
        folder = core::BAR_FORA(*local);
        if (!CRI_NDIR(c.ui, folder, kWord)) return false;
      }
      if (!keep.at_row) {
        // An empty list (or the new row after its end) gets the row now.
        if (!db.ADD_REC(kLockSeconds)) return false;
        keep.recno = list.recno();
        keep.at_row = true;
      }
      list.set("SELEC", std::string("S"));
      if (core::trim(list.text("DIRETOR")) != folder) list.set("DIRETOR", core::pad_right(folder, 80));
    }
    chosen = keep.at_row ? keep.recno : 0;
    for (list.go_top(); !list.eof(); list.skip())
      if (list.recno() != chosen && list.text("SELEC") == "S") list.set("SELEC", std::string("N"));
  }
  if (mode != 1) return true;

  g.ROTADOANO = folder;
  g.ROTA = folder;
  g.LOCARQ = core::BAR_DIR(folder);
  db.folders.LOCARQ = g.LOCARQ;  // every table of the work folder opens from here on
  const bool opened = MUDADIR(c, g.LOCARQ);
  write_config(db, g, {"ROTADOANO"});
  db.select(kClients);
  return opened;
}

bool make_current(FolderContext& c, const std::string& folder) {
  storage::Database& db = c.db;
  if (!list_open(db)) return false;
  storage::WorkArea& list = db.area(kList);
  db.select(kList);
  for (list.go_top(); !list.eof(); list.skip())
    if (same_folder(core::trim(list.text("DIRETOR")), folder)) return TROCASIM(c, 1);
  if (!db.ADD_REC(kLockSeconds)) return false;
  list.set("SELEC", std::string("N"));
  list.set("DIRETOR", core::pad_right(core::BAR_FORA(folder), 80));
  list.unlock();
  return TROCASIM(c, 1);
}

bool BUSCA_OUTRO(FolderContext& c, std::string& value, int order, int mode, bool spouse_cpf) {
  storage::Database& db = c.db;
  if (!list_open(db)) return false;
  storage::WorkArea& list = db.area(kList);
  const std::string start = db.folders.LOCARQ;
  const int key_order = order == 2 ? 2 : 1;
  const std::string key = order == 2 ? core::cp850::upper(core::trim(value)) : core::trim(value);
  auto find = [&](storage::WorkArea& clients) {
    clients.set_order(size_t(key_order));
    // A name is found by its beginning; a CPF only whole.
    return clients.seek(key, key_order == 2 ? storage::Seek::Prefix : storage::Seek::Exact);
  };
  // The folders are opened without their progress boxes and without touching the
  // caller's name variable.
  FolderContext quiet{c.ui, db, c.g};
  storage::QuietOpens quiet_opens(db);

  if (!key.empty()) {
    for (list.go_top(); !list.eof(); list.skip()) {
      const std::string folder = core::trim(list.text("DIRETOR"));
      if (folder.empty() || same_folder(folder, start) || !storage::file_exists(core::BAR_DIR(folder), "IMP0916.DBF"))
        continue;
      if (!MUDADIR(quiet, core::BAR_DIR(folder)) || !find(db.area(kClients))) continue;
      const std::string cpf = db.area(kClients).text("CPF"), name = db.area(kClients).text("NOMECONTR");
      // The list is on the folder's row: that folder is the current one from now on.
      if (!spouse_cpf && !TROCASIM(quiet, 1)) break;
      if (mode == 1) {
        if (c.NOMECONTR) *c.NOMECONTR = name;
        value = key_order == 2 ? name : cpf;
      }
      db.select(kClients);
      find(db.area(kClients));
      return true;
    }
  }
  MUDADIR(quiet, start);
  if (mode == 1 && c.NOMECONTR) *c.NOMECONTR = std::string(53, ' ');
  if (db.area(kClients).used()) db.area(kClients).set_order(1);
  return false;
}

bool check_selection(FolderContext& c, core::Value& value, bool new_row) {
  const std::string mark = core::cp850::upper(core::trim(text_of(value)));
  value = core::Value(mark.empty() ? std::string(" ") : mark);
  if (mark.empty() || mark == "N") return true;
  if (mark == "S") return new_row || TROCASIM(c, 1);
  screen::AVISOSN(c.ui, entry::ESIMOUNAO(mark).notice, 0);
  return false;
}

bool check_folder(FolderContext& c, core::Value& value) {
  const std::string typed = text_of(value);
  if (core::trim(typed).empty()) {
    screen::AVISOSN(c.ui, std::string("É necessário preencher o nome da Pasta"_cp), 0);
    return false;
  }
  auto local = typed_folder(c.ui, typed);
  if (!local) return false;
  const std::string folder = core::BAR_FORA(*local);
  if (!CRI_NDIR(c.ui, folder, kWord)) return false;
  value = core::Value(core::pad_right(folder, std::max(typed.size(), folder.size())));
  return true;
}

}  // namespace vormel::shell
