#include "declaration/workspace.h"

#include <algorithm>

#include "core/text.h"
#include "declaration/saved_declaration.h"
#include "storage/catalogue.h"
#include "storage/error.h"
#include "storage/index_order.h"
#include "storage/paths.h"

namespace vormel::declaration {

namespace {

std::string two(int n) { return core::pad_left(std::to_string(n), 2, '0'); }

// A record of layout `to` from a record of `from`: fields matched by name.
std::string converted(const storage::Table& from, const std::string& record, const storage::Layout& to) {
  std::string out = " ";
  for (const auto& f : to) {
    const storage::Field* g = from.field(f.name);
    if (!g) out.append(size_t(f.width), ' ');
    else if (storage::FieldSpec(*g) == f) out.append(record, size_t(g->offset), size_t(g->width));
    else out += storage::encode_field(f, from.get(*g, record), from.path());
  }
  return out;
}

storage::Layout layout_of_table(const storage::Table& t) {
  storage::Layout layout;
  for (const auto& f : t.fields()) layout.push_back(f);
  return layout;
}


}  // namespace

bool Workspace::copy_rows_in(int table) {
  // Reading needs only the first order of the folder table.
  const storage::TableDef* def = storage::table_def(table);
  if (!db_.ABREARQ(std::to_string(table), false, db_.table_path(table), def->orders.front().expression)) return false;
  storage::WorkArea& folder = db_.area(table);
  const std::string base = working_copy_path(work_files_, table, db_.folders.NUSU);
  auto [copy_folder, copy_name] = storage::split_path(base);
  db_.close_area(table + 20);
  storage::remove_file(copy_folder, copy_name + ".DBF");
  storage::remove_file(copy_folder, copy_name + ".CDX");
  // The copy is made with its rows in one step, then its order from them; a folder of
  // an older release has its fields matched by name.
  const storage::Layout layout = storage::layout_of(table);
  const bool same = layout_of_table(folder.table()) == layout;
  std::vector<std::string> rows;
  for (bool found = folder.seek(owner.cpf); found && !folder.eof() && folder.text("CPF") == owner.cpf; folder.skip())
    if (owner.owns(table, folder))
      rows.push_back(same ? folder.record_bytes() : converted(folder.table(), folder.record_bytes(), layout));
  db_.close_area(table);
  storage::Table::create(base + ".DBF", layout, rows, false);
  auto made = storage::Table::open(base + ".DBF");
  storage::IndexOrder::build(base + ".CDX", "CPF", *made, false);
  return true;
}

bool Workspace::load(const std::string& cpf, bool new_declaration, bool recovery) {
  // The load shows its own progress; the tables open quietly.
  storage::QuietOpens quiet(db_);
  owner.cpf = core::pad_right(cpf, 11);
  vars = core::Record(512);
  for (int table : copied_tables()) {
    if (!recovery && !copy_rows_in(table)) return false;
    if (!open_working_copy(db_, work_files_, table)) return false;
  }
  // The single-row values: identification, summary, the first monthly row, the rural
  // summary of the activity, in that order.
  storage::WorkArea& id = db_.area(29);
  id.go_top();
  if (!id.eof()) vars = record_of(id);
  vars.set_text("CPF", owner.cpf);
  if (vars.text("ATV_BRASIL").empty()) vars.set_text("ATV_BRASIL", owner.activity);
  owner.activity = vars.text("ATV_BRASIL");
  if (new_declaration) fill_defaults();
  for (int table : {21, 32}) {
    storage::WorkArea& a = db_.area(table);
    a.go_top();
    if (!a.eof()) take_fields(vars, record_of(a));
  }
  storage::WorkArea& rural = db_.area(35);
  for (rural.go_top(); !rural.eof(); rural.skip())
    if (rural.text("ATV_BRASIL") == owner.activity) {
      take_fields(vars, record_of(rural));
      break;
    }
  // The copies hold the declaration from the start, a new one included, so that an
  // interruption at any moment leaves it recoverable.
  keep_variables();
  return true;
}

bool Workspace::swap_activity(const std::string& before, const std::string& after) {
  storage::QuietOpens quiet(db_);
  bool ok = true;
  if (!core::trim(before).empty()) {
    owner.activity = before;
    for (int table = 15; table <= 19; ++table) ok = replace_rows(table) && ok;
    if (!ok) return false;  // the rows in hand stay where they are
  }
  owner.activity = after;
  for (int table = 15; table <= 19; ++table)
    if (!copy_rows_in(table) || !open_working_copy(db_, work_files_, table)) return false;
  // The rural summary of the new activity, or an empty one.
  core::Record summary;
  for (const storage::FieldSpec& f : storage::layout_of(15)) {
    if (f.type == 'N') summary.set_number(f.name, core::Decimal(0));
    else if (f.type == 'D') summary.set(f.name, core::Date());
    else if (f.type == 'L') summary.set(f.name, false);
    else summary.set_text(f.name, std::string(size_t(f.width), ' '));
  }
  storage::WorkArea& rural = db_.area(35);
  for (rural.go_top(); !rural.eof(); rural.skip())
    if (rural.text("ATV_BRASIL") == after) {
      summary = record_of(rural);
      break;
    }
  summary.set_text("CPF", owner.cpf);
  summary.set_text("ATV_BRASIL", after);
  take_fields(vars, summary);
  return true;
}

void Workspace::fill_defaults() {
  const std::string cpf = owner.cpf;
  vars = core::Record(512);
  vars.set_text("CPF", cpf);
  vars.set_number("ESTATUS", 2);
  for (auto [name, value] : std::initializer_list<std::pair<const char*, const char*>>{
           {"EBRASIL", "S"}, {"EXTERIOR", "N"}, {"TEMRURAL", "N"}, {"E_INVALIDO", "N"}, {"I9_4", "N"},
           {"I9_5", "N"}, {"I9_6", "S"}, {"USAPADRAO", "S"}, {"SO_SIMPLES", "S"}, {"ATV_BRASIL", "S"}})
    vars.set_text(name, value);
  vars.set_number("CAL_AUTO", 1);
  vars.set("SO_REC", true);
  vars.set_number("INDALERTA", 10);
  vars.set_text("NUSUAT", "  ");
}

void Workspace::write_single_row(int table, const core::Record& values) {
  storage::WorkArea& a = db_.area(table + 20);
  a.go_top();
  if (a.eof()) {
    if (!a.try_append_blank()) return;
    a.set("CPF", owner.cpf);
  }
  write_fields(a, values);
}

void Workspace::keep_variables() {
  // IMP01 keeps the lines as computed; the identification row shows them its own way.
  write_single_row(1, vars);
  write_single_row(9, identification_values(vars));
}

void Workspace::prepare_copies() {
  // Assets and debts are numbered 10, 20, 30... in their order.
  for (auto [table, field] : {std::pair{4, "I7_0"}, std::pair{5, "I8_0"}}) {
    storage::WorkArea& a = db_.area(table + 20);
    std::vector<std::pair<core::Decimal, uint32_t>> order;
    a.set_order(0);
    for (a.go_top(); !a.eof(); a.skip()) order.emplace_back(a.number(field), a.recno());
    std::stable_sort(order.begin(), order.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    for (size_t i = 0; i < order.size(); ++i) {
      a.go_to(order[i].second);
      const long number = long(i + 1) * 10;
      a.set(field, core::Decimal(number < 9999 ? number : long(i + 1)));
    }
    a.set_order(1);
  }
  // Capital gains of the holder's own goods name the holder as the one who sold.
  storage::WorkArea& gains = db_.area(27);
  for (gains.go_top(); !gains.eof(); gains.skip())
    if (core::trim(gains.text("CPFALIEN")).empty() && gains.number("TIPO_BEM") != core::Decimal(4)) gains.set("CPFALIEN", owner.cpf);
}

bool Workspace::replace_rows(int table) {
  if (!db_.ABERTURA(table)) return false;
  storage::WorkArea& folder = db_.area(table);
  storage::WorkArea& copy = db_.area(table + 20);
  db_.select(table);
  if (!db_.FIL_LOCK(30)) {
    db_.close_area(table);
    return false;
  }
  try {
    // The client's rows now: their slots are reused in order.
    std::vector<uint32_t> slots;
    folder.set_order(1);
    for (bool found = folder.seek(owner.cpf); found && !folder.eof() && folder.text("CPF") == owner.cpf; folder.skip())
      if (owner.owns(table, folder)) slots.push_back(folder.recno());
    const storage::Layout layout = layout_of_table(folder.table());
    const bool same = layout == layout_of_table(copy.table());
    size_t used = 0;
    copy.set_order(0);
    for (copy.go_top(); !copy.eof(); copy.skip()) {
      std::string row = same ? copy.record_bytes() : converted(copy.table(), copy.record_bytes(), layout);
      row[0] = ' ';
      if (used < slots.size()) {
        folder.go_to(slots[used++]);
        folder.replace_record(row);
      } else {
        // Appended under the table lock; the new record is ours.
        if (!folder.try_append_blank()) throw storage::StorageError("append");
        folder.replace_record(row);
      }
    }
    // Rows the declaration no longer has: never again the client's.
    for (; used < slots.size(); ++used) {
      folder.go_to(slots[used]);
      folder.set("CPF", std::string(11, ' '));
      folder.erase();
    }
    copy.set_order(1);
  } catch (const storage::StorageError& e) {
    folder.unlock();
    db_.close_area(table);
    db_.reporter().message(e.text_cp850());
    return false;
  }
  folder.unlock();
  if (table != 9) db_.close_area(table);
  return true;
}

SaveResult Workspace::save(bool final) {
  storage::QuietOpens quiet(db_);
  SaveResult result;
  // The identification row keeps the in-use mark until everything else is written.
  vars.set_text("NUSUAT", db_.folders.NUSU);
  try {
    tax::DeclarationData rows = data();
    add_save_summary(rows, vars);
    prepare_copies();
    keep_variables();
  } catch (const storage::StorageError& e) {
    // Not even the working copies took the values: nothing goes to the folder.
    db_.reporter().message(e.text_cp850());
    return {false, {"TMP_09", "TMP_01"}};
  }
  for (int table : copied_tables()) {
    if (table >= 15 && table <= 19 && vars.text("TEMRURAL") != "S") continue;
    if (!replace_rows(table)) {
      result.ok = false;
      result.failed.push_back("IMP" + two(table) + "16");
    }
  }
  if (result.ok && final) {
    // Saved: the declaration is free again.
    db_.ABERTURA(9);
    storage::WorkArea& clients = db_.area(9);
    db_.select(9);
    if (clients.seek(owner.cpf, storage::Seek::Exact) && db_.REC_LOCK(5)) {
      clients.set("NUSUAT", std::string("  "));
      clients.unlock();
      vars.set_text("NUSUAT", "  ");
    } else {
      result.ok = false;
      result.failed.push_back("IMP0916");
    }
    for (int table : copied_tables()) db_.close_area(table + 20);
  }
  return result;
}

tax::DeclarationData Workspace::data() {
  tax::DeclarationData d;
  d.vars = vars;
  auto rows = [&](int table) {
    std::vector<core::Record> out;
    storage::WorkArea& a = db_.area(table + 20);
    for (a.go_top(); !a.eof(); a.skip()) out.push_back(record_of(a));
    return out;
  };
  d.income = rows(2);
  d.dependants = rows(3);
  d.assets = rows(4);
  d.debts = rows(5);
  d.payments = rows(6);
  d.upkeep = rows(10);
  d.monthly = rows(12);
  d.losses = rows(14);
  return d;
}

void Workspace::take_results(const tax::DeclarationData& computed) { vars = computed.vars; }

}  // namespace vormel::declaration
