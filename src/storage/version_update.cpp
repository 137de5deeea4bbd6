#include "storage/version_update.h"

#include <unistd.h>

#include "core/cp850.h"
#include "core/text.h"
#include "storage/error.h"
#include "storage/paths.h"

namespace vormel::storage {

namespace {

struct Marker {
  int table;
  const char* field;
  char type;
};
constexpr Marker kMarkers[] = {{1, "I13_51", 'N'}, {2, "I1_41", 'C'},   {3, "NITDEPEN", 'C'}, {5, "I8_7", 'N'},
                               {7, "REFIRPF", 'C'}, {9, "NIT_TIT", 'C'}, {20, "VALORBEM", 'N'}};

const Marker* marker_of(int number) {
  for (const auto& m : kMarkers)
    if (m.table == number) return &m;
  return nullptr;
}

std::string two_digits(int n) { return core::pad_left(std::to_string(n), 2, '0'); }

// Opens the table shared, without its orders: only its fields are looked at.
bool open_plain(Database& db, int number) {
  return db.ABREARQ(two_digits(number), false, db.table_path(number));
}

bool current(Database& db, int number) {
  const Marker* m = marker_of(number);
  if (!m) return true;
  const Field* f = db.area(number).table().field(m->field);
  return f && f->type == m->type;
}

// The value of an old field as a value for a new field of perhaps another type.
core::Value converted(const core::Value& v, const FieldSpec& to) {
  auto as_text = [&]() -> std::string {
    if (auto* s = std::get_if<std::string>(&v)) return core::rtrim(*s);
    if (auto* n = std::get_if<core::Decimal>(&v)) return n->to_string();
    if (auto* d = std::get_if<core::Date>(&v)) return core::DTOS(*d);
    return std::get<bool>(v) ? "T" : "F";
  };
  switch (to.type) {
    case 'N':
      if (std::holds_alternative<core::Decimal>(v)) return v;
      return core::Decimal::parse(core::trim(as_text())).value_or(core::Decimal(0));
    case 'D':
      if (std::holds_alternative<core::Date>(v)) return v;
      return core::STOD(as_text());
    case 'L':
      if (std::holds_alternative<bool>(v)) return v;
      return as_text() == "T";
    default:
      return as_text();
  }
}

}  // namespace

bool VER_ATUAZ(Database& db, int number) {
  if (!marker_of(number)) return false;
  if (!open_plain(db, number)) return false;
  if (current(db, number)) {
    db.close_area(number);
    return false;
  }
  return true;
}

int first_outdated_table(Database& db) {
  for (int n = 1; n <= 20; ++n)
    if (VER_ATUAZ(db, n)) return n;
  return 0;
}

bool CORRIGE(Database& db, int number) {
  if (marker_of(number)) {
    if (!open_plain(db, number)) return true;
    if (current(db, number)) {
      db.close_area(number);
      return false;
    }
  }
  // The whole rebuild runs while the old table is ours alone.
  db.close_area(number);
  if (!db.ABREARQ(two_digits(number), true, db.table_path(number))) {
    db.close_area(number);
    return true;
  }
  WorkArea& old = db.area(number);
  const std::string old_path = old.path();
  auto [folder, old_name] = split_path(old_path);
  // One name per terminal, beside the table, so the final rename is atomic and two
  // terminals updating different folders never meet.
  const std::string scratch = folder + "ACERTO" + db.folders.NUSU + ".DBF";
  ::unlink(scratch.c_str());
  try {
    Table::create(scratch, layout_of(number));
    auto fresh = Table::open(scratch);
    fresh->lock_open_mode(true);
    fresh->lock_append();
    std::string record, copy;
    uint32_t count = old.table().record_count();
    for (uint32_t r = 1; r <= count; ++r) {
      old.table().read(r, record);
      if (Table::is_deleted(record)) continue;  // deleted records are not carried over
      copy = fresh->blank_record();
      for (const auto& f : fresh->fields())
        if (const Field* from = old.table().field(f.name)) fresh->put(f, copy, converted(old.table().get(*from, record), f));
      fresh->append(copy);
    }
    fresh->unlock_append();
    fresh->file()->sync();
    // The old orders point at the old record numbers: they go, and are built again
    // from the new table at its next opening.
    std::string base = old_name.substr(0, old_name.rfind('.'));
    for (const char* suffix : {"", "B", "C"}) remove_file(folder, base + suffix + ".CDX");
    replace_file(scratch, old_path);
    db.close_area(number);
    forget_shared(old_path);
  } catch (const StorageError& e) {
    ::unlink(scratch.c_str());
    db.close_area(number);
    db.reporter().message(e.text_cp850());
    return true;
  }
  db.reporter().clear_status();
  return true;
}

void CORRECAO(Database& db, int mode) {
  if (mode != 0) return;
  for (int number : {1, 2, 3, 5, 7, 9, 20}) {
    db.reporter().progress("Atualizando IMP" + two_digits(number) + "16.DBF");
    CORRIGE(db, number);
    db.reporter().close_progress();
  }
}

void update_every_folder(Database& db, const std::string& current_folder) {
  db.close_all();
  if (!db.ABERTURA(50)) return;
  WorkArea& list = db.area(50);
  std::vector<std::string> folders;
  for (list.go_top(); !list.eof(); list.skip()) {
    std::string folder = core::trim(list.text("DIRETOR"));
    if (folder_exists(folder)) {
      folders.push_back(folder.back() == '/' ? folder : folder + "/");
    } else if (list.try_lock_record()) {
      list.erase();
      list.unlock();
    }
  }
  for (const auto& folder : folders) {
    db.folders.LOCARQ = folder;
    CORRECAO(db, 0);
  }
  db.folders.LOCARQ = current_folder;
}

}  // namespace vormel::storage
