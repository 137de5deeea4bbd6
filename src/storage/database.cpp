#include "storage/database.h"

#include <chrono>

#include "core/cp850.h"
#include "core/cp850_literal.h"
#include "core/text.h"
#include "storage/define_record.h"
#include "storage/error.h"
#include "storage/lock_layout.h"
#include "storage/paths.h"
#include "storage/reference_data.h"

namespace vormel::storage {

using namespace core::literals;

namespace {

using Clock = std::chrono::steady_clock;

bool has_extension(const std::string& name) { return name.find('.') != std::string::npos; }

// Counts a wait down; 0 seconds means without limit.
struct Countdown {
  explicit Countdown(int seconds) : limited(seconds > 0), end(Clock::now() + std::chrono::seconds(seconds)) {}
  bool left() const { return !limited || Clock::now() < end; }
  bool limited;
  Clock::time_point end;
};

}  // namespace

std::string StorageFolders::ROTADEF() const {
  std::string folder = ARQDEF;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

Database::Database(Reporter& reporter, StorageFolders f) : folders(std::move(f)), reporter_(reporter) {}

Database::~Database() { close_all(); }

WorkArea& Database::area(int n) {
  if (n < 1 || n > kAreas) throw StorageError("Área de trabalho " + std::to_string(n) + " inexistente.");
  return areas_[size_t(n)];
}

int Database::area_of(const std::string& alias) const {
  std::string wanted = core::cp850::upper(alias);
  for (int n = 1; n <= kAreas; ++n)
    if (areas_[size_t(n)].used() && areas_[size_t(n)].alias() == wanted) return n;
  return 0;
}

std::string Database::table_path(int number) const {
  const TableDef* def = table_def(number);
  if (!def) return {};
  const std::string& folder = def->folder == Folder::Work ? folders.LOCARQ : folders.ARQDEF;
  return folder + file_base_name(*def, folders.NUSU);
}

void Database::not_available(const std::string& name) {
  reporter_.message(name + std::string(".DBF não está disponível "_cp));
}

bool Database::NETUSE(const std::string& file, bool exclusive, int seconds) {
  WorkArea& a = current();
  auto [folder, name] = split_path(file);
  std::string base = has_extension(name) ? name.substr(0, name.rfind('.')) : name;
  std::string alias = APELIDO.empty() ? core::cp850::upper(base) : core::cp850::upper(APELIDO);
  // Already open here under that alias and in the mode asked for: nothing to do.
  if (a.used() && a.alias() == alias && a.exclusive() == exclusive) return true;
  a.close();
  std::string path = file_path(folder, has_extension(name) ? name : name + ".dbf");
  Countdown countdown(seconds);
  for (;;) {
    auto table = Table::open(path);
    if (table->lock_open_mode(exclusive)) {
      a.attach(std::move(table), alias, exclusive);
      return true;
    }
    table.reset();
    if (!countdown.left()) return false;
    reporter_.wait(1000);
    if (!countdown.left()) {
      // One last try at the end of the time.
      auto last = Table::open(path);
      if (last->lock_open_mode(exclusive)) {
        a.attach(std::move(last), alias, exclusive);
        return true;
      }
      return false;
    }
  }
}

bool Database::REC_LOCK(int seconds) {
  WorkArea& a = current();
  if (a.try_lock_record()) return true;
  reporter_.status("Aguardando registro ficar disponivel no arquivo " + a.alias(), false);
  Countdown countdown(seconds > 0 ? seconds : 2);
  while (countdown.left()) {
    if (reporter_.wait(500)) break;
    if (a.try_lock_record()) {
      reporter_.clear_status();
      return true;
    }
  }
  reporter_.clear_status();
  reporter_.message(std::string("ATENÇÃO! Registro não ficou disponível. Dado nÃo será gravado."_cp));
  return false;
}

bool Database::FIL_LOCK(int seconds) {
  WorkArea& a = current();
  if (a.try_lock_table()) return true;
  reporter_.status("Aguardando arquivo ficar disponivel", true);
  Countdown countdown(seconds);
  while (countdown.left()) {
    if (reporter_.wait(500)) break;
    if (a.try_lock_table()) {
      reporter_.clear_status();
      return true;
    }
  }
  reporter_.clear_status();
  reporter_.message(std::string("ATENÇÃO! Registro não ficou disponÍvel. Dado não será gravado."_cp));
  return false;
}

bool Database::ADD_REC(int seconds) {
  WorkArea& a = current();
  if (a.try_append_blank()) return true;
  reporter_.status(std::string("Aguardando registro ficar disponível"_cp), false);
  Countdown countdown(seconds);
  while (countdown.left()) {
    if (reporter_.wait(500)) break;
    if (a.try_append_blank()) {
      reporter_.clear_status();
      return true;
    }
  }
  reporter_.clear_status();
  reporter_.message(std::string("ATENÇÃO! Registro não ficou disponível. Dado não será gravado."_cp));
  return false;
}

bool Database::CRIA(const std::string& number_text, const std::string& file) {
  int number = 0;
  try {
    number = std::stoi(number_text);
  } catch (...) {
  }
  Layout layout = layout_of(number);
  const TableDef* def = table_def(number);
  if (layout.empty() || !def) {
    reporter_.message("Arquivo " + file + std::string(" não foi criado! Reveja a instalação!"_cp));
    reporter_.close_progress();
    return false;
  }
  int table_number = number > 20 && number <= 40 ? number - 20 : number;
  if (def->folder == Folder::Work) reporter_.progress("Criando IMP" + core::pad_left(std::to_string(table_number), 2, '0') + ".DBF");
  else if (def->number == 50) reporter_.progress("Criando DIRETOR.DBF");
  std::vector<std::string> records;
  if (def->number == 43) records.push_back(define_first_record(layout, file));
  try {
    // false: another terminal created it a moment ago, which is as good.
    Table::create(file, layout, records);
  } catch (const StorageError& e) {
    reporter_.close_progress();
    reporter_.message(e.text_cp850());
    return false;
  }
  reporter_.close_progress();
  return true;
}

bool Database::create_missing(const std::string& area, const std::string& path, const std::string& display) {
  int number = 0;
  try {
    number = std::stoi(area);
  } catch (...) {
  }
  const TableDef* def = table_def(number);
  if (def) {
    // A table supplied with the program (the code lists, the check's messages) is made
    // from its text source.
    try {
      if (build_reference_table(def->name, path)) return true;
    } catch (const StorageError& e) {
      reporter_.message(e.text_cp850());
      return false;
    }
  }
  if (!table_def(number) || layout_of(number).empty()) return CRIA(area, display);  // says it cannot
  return CRIA(area, path);
}

bool Database::ABREARQ(const std::string& area_text, bool exclusive, const std::string& file, const std::string& key1,
                       const std::string& key2, const std::string& file2, const std::string& key3,
                       const std::string& file3) {
  int n = std::stoi(area_text);
  select(n);
  WorkArea& a = area(n);
  a.close();
  auto [folder, base] = split_path(core::trim(file));
  const std::string name = core::cp850::upper(base);
  if (MOS_MENS) reporter_.progress("Verificando o Arquivo " + name);

  std::string table_name = has_extension(base) ? base : base + ".dbf";
  if (!file_exists(folder, table_name)) {
    // A code list the program supplies is made from its source without a word: it is the
    // program's, not the office's data, and nothing was lost.
    const TableDef* def = table_def(n);
    const bool supplied = def && has_reference_source(def->name);
    if (MOS_MENS && !supplied) reporter_.message(folder + table_name + std::string(" não localizado está sendo criado"_cp));
    // Unlike the old program, a table that could not be created fails the open: the
    // callers would otherwise work on nothing.
    std::string created = folder + (has_extension(base) ? base : base + ".DBF");
    if (!create_missing(area_text, created, folder + table_name) || !file_exists(folder, table_name)) {
      if (MOS_MENS) reporter_.close_progress();
      return false;
    }
  }
  std::string path = file_path(folder, table_name);
  try {
    if (!NETUSE(path, exclusive, 10)) {
      if (MOS_MENS) reporter_.close_progress();
      not_available(name);
      return false;
    }
    if (!key1.empty() && !open_orders(a, name, key1, file2.empty() && !key2.empty() ? folder + base + "B" : file2,
                                      key2, file3, key3, exclusive, path)) {
      if (MOS_MENS) reporter_.close_progress();
      return false;
    }
  } catch (const StorageError& e) {
    a.close();
    if (MOS_MENS) reporter_.close_progress();
    reporter_.message(e.text_cp850());
    return false;
  }
  reporter_.reset_message_size();
  if (MOS_MENS) reporter_.close_progress();
  return true;
}

bool Database::open_orders(WorkArea& a, const std::string& name, const std::string& key1, const std::string& file2,
                           const std::string& key2, const std::string& file3, const std::string& key3,
                           bool exclusive, const std::string& path) {
  auto [folder, table_file] = split_path(path);
  std::string base = table_file.substr(0, table_file.rfind('.'));
  struct Wanted {
    std::string key, file;  // file without extension
    bool missing = false, build = false;
  };
  std::vector<Wanted> wanted{{key1, folder + base}};
  if (!key2.empty()) wanted.push_back({key2, file2});
  if (!key3.empty()) wanted.push_back({key3, file3.empty() ? folder + base + "C" : file3});

  for (auto& w : wanted) {
    auto [f, b] = split_path(w.file);
    w.file = file_path(f, b + ".CDX");
    w.missing = !file_exists(f, b + ".CDX");
    w.build = w.missing || REFAZ_IND;
    if (!w.build) {
      std::string why;
      // An order that is foreign, damaged or for another key is rebuilt, never trusted.
      w.build = IndexOrder::open(w.file, w.key, a.table(), &why) == nullptr;
    }
  }
  bool any_build = false;
  for (const auto& w : wanted) any_build = any_build || w.build;
  if (any_build) {
    // Orders are built only while the table is ours alone, so two terminals never
    // build the same file at once.
    if (!a.exclusive()) {
      a.close();
      if (!NETUSE(path, true, 10)) {
        not_available(name);
        return false;
      }
    }
    // Only a missing first order packs the table; every order is then built anew,
    // since the record numbers changed.
    if (wanted[0].missing && a.table().pack() > 0)
      for (auto& w : wanted) w.build = true;
    for (const auto& w : wanted) {
      if (!w.build) continue;
      std::string index_name = core::cp850::upper(split_path(w.file).second);
      if (MOS_MENS) reporter_.progress(("Criando o indice " + index_name).substr(0, 79));
      IndexOrder::build(w.file, w.key, a.table());
    }
    if (!exclusive) {
      a.close();
      if (!NETUSE(path, false, 10)) {
        reporter_.message(name + std::string(".DBF não está disponível"_cp));
        return false;
      }
    }
  }
  for (const auto& w : wanted) {
    std::string why;
    auto order = IndexOrder::open(w.file, w.key, a.table(), &why);
    if (!order) throw StorageError(why);
    order->refresh();  // rows appended without this order are added now
    a.add_order(std::move(order));
  }
  a.set_order(1);
  a.go_top();
  return true;
}

bool Database::SAI_ABRE(int number) {
  if (MOS_MENS) reporter_.close_progress();
  reporter_.reset_message_size();
  if (number == 0) close_all();
  if (number == 0 || number == 50) {
    const TableDef* def = table_def(50);
    if (!ABREARQ("50", true, folders.ARQDEF + file_base_name(*def, folders.NUSU), "upper(DIRETOR)")) return false;
    WorkArea& list = area(50);
    list.go_top();
    if (list.eof()) {
      if (!ADD_REC(0)) return false;
      list.set("SELEC", std::string("S"));
      list.set("DIRETOR", folders.ROTADEF());
      list.unlock();
    }
  }
  return true;
}

bool Database::prune_folder_list() {
  WorkArea& list = area(50);
  select(50);
  for (list.go_top(); !list.eof(); list.skip()) {
    std::string folder = core::trim(list.text("DIRETOR"));
    if (folder.empty() || folder_exists(folder)) continue;
    if (!REC_LOCK(5)) continue;
    list.erase();
    list.unlock();
  }
  return true;
}

bool Database::ABERTURA(int number, bool exclusive) {
  if (number == 0) {
    if (!ABERTURA(50)) return false;
    prune_folder_list();
    if (file_exists(folders.ARQDEF, "HELPTXT.DBF") && file_exists(folders.ARQDEF, "HELPTXT.DBT")) ABERTURA(45);
    for (int n : {46, 47, 48, 49, 51, 52, 53, 54, 58})
      if (!ABERTURA(n)) return false;
    ABERTURA(66);
    return SAI_ABRE(0);
  }
  const TableDef* def = number >= 1 && number <= 20 ? table_def(number) : number > 40 ? table_def(number) : nullptr;
  if (!def) return true;
  if (number == 45) {
    // The help table opens only with its memo file; it is made from its source when
    // both are missing.
    if (!file_exists(folders.ARQDEF, "HELPTXT.DBF") && !file_exists(folders.ARQDEF, "HELPTXT.DBT")) {
      try {
        build_reference_table("HELPTXT", folders.ARQDEF + "HELPTXT.DBF");
      } catch (const StorageError& e) {
        reporter_.message(e.text_cp850());
      }
    }
    if (!file_exists(folders.ARQDEF, "HELPTXT.DBF") || !file_exists(folders.ARQDEF, "HELPTXT.DBT")) return true;
  }
  bool exclusive_open = def->mode == OpenMode::Exclusive || (def->mode == OpenMode::AsAsked && exclusive);
  std::string file = table_path(number);
  std::string folder = split_path(file).first;
  std::vector<std::string> keys(3), files(3);
  for (size_t i = 0; i < def->orders.size() && i < 3; ++i) {
    keys[i] = def->orders[i].expression;
    const std::string& f = def->orders[i].file;
    files[i] = f.empty() ? "" : (f.size() == 1 ? file + f : folder + f);
  }
  bool ok = ABREARQ(std::to_string(number), exclusive_open, file, keys[0], keys[1], files[1], keys[2], files[2]);
  if (!ok) return false;
  switch (number) {
    case 42: case 43: case 50: case 55: case 56: case 57: case 59: case 60: case 61: case 62:
    case 63: case 64: case 65: case 66: case 67:
      return SAI_ABRE(number);
    default:
      return RET_FECHAJAN(true);
  }
}

void Database::FECHA_PROV() {
  for (int n = 21; n <= 40; ++n) area(n).close();
}

void Database::FECHA_TODO() {
  for (int n = 1; n <= 20; ++n)
    if (n != 9) area(n).close();
  FECHA_PROV();
}

void Database::close_all() {
  for (int n = 1; n <= kAreas; ++n) areas_[size_t(n)].close();
}

bool Database::hold_terminal() {
  if (terminal_file_) return true;
  const std::string name = "DIRET" + folders.NUSU + ".LCK";
  std::string path = file_path(folders.ARQDEF, name);
  SharedFile file = open_shared(path);
  if (!file) {
    try {
      File::create_new(path);
    } catch (const StorageError&) {
      // Another program made it a moment ago.
    }
    file = open_shared(path);
  }
  if (!file || !file->try_lock(kTerminalByte, 1, LockKind::Write)) return false;
  terminal_file_ = file;
  return true;
}

}  // namespace vormel::storage
