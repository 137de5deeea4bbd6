#include "declaration/saved_declaration.h"

#include "core/text.h"

namespace vormel::declaration {

namespace {

// The rows of `cpf` in area n, in its order.
std::vector<tax::Record> rows_of(storage::Database& db, int n, const std::string& cpf) {
  std::vector<tax::Record> rows;
  storage::WorkArea& a = db.area(n);
  if (!a.used()) return rows;
  const storage::Field* key = a.table().field("CPF");
  for (bool found = a.seek(cpf); found && !a.eof() && std::get<std::string>(a.get(*key)) == cpf; a.skip())
    rows.push_back(record_of(a));
  return rows;
}

// The memory variables of a declaration: about 400 names.
constexpr size_t kVariables = 512;

}  // namespace

void take_fields(core::Record& vars, const core::Record& row) {
  for (const auto& [name, value] : row.values())
    if (name != "CPF" && name != "NOMEAG" && name != "ATV_BRASIL") vars.set(name, value);
}

void write_fields(storage::WorkArea& a, const core::Record& vars) {
  for (const auto& f : a.table().fields()) {
    if (f.name == "CPF") continue;
    if (const core::Value* v = vars.find(f.name))
      if (a.get(f) != *v) a.set(f.name, *v);
  }
}

tax::Record record_of(storage::WorkArea& area) {
  tax::Record r(area.table().fields().size());
  for (const auto& f : area.table().fields()) r.set(f.name, area.get(f));
  return r;
}

bool load_saved(storage::Database& db, const std::string& cpf, tax::DeclarationData& out) {
  out = tax::DeclarationData();
  storage::WorkArea& clients = db.area(9);
  if (!clients.used() || !clients.seek(cpf, storage::Seek::Exact)) return false;
  out.vars = tax::Record(kVariables);
  for (const auto& f : clients.table().fields()) out.vars.set(f.name, clients.get(f));
  if (out.vars.text("ATV_BRASIL").empty()) out.vars.set_text("ATV_BRASIL", "S");
  for (const auto& row : rows_of(db, 1, cpf)) {
    take_fields(out.vars, row);
    break;
  }
  out.monthly = rows_of(db, 12, cpf);
  if (!out.monthly.empty()) take_fields(out.vars, out.monthly.front());
  const std::string activity = out.vars.text("ATV_BRASIL");
  for (const auto& row : rows_of(db, 15, cpf))
    if (row.text("ATV_BRASIL") == activity) {
      take_fields(out.vars, row);
      break;
    }
  out.income = rows_of(db, 2, cpf);
  out.dependants = rows_of(db, 3, cpf);
  out.assets = rows_of(db, 4, cpf);
  out.debts = rows_of(db, 5, cpf);
  out.payments = rows_of(db, 6, cpf);
  out.upkeep = rows_of(db, 10, cpf);
  out.losses = rows_of(db, 14, cpf);
  return true;
}

void add_save_summary(const tax::DeclarationData& data, core::Record& vars) {
  int months = 0;
  tax::Money leao;
  for (const auto& row : data.monthly)
    for (int m = 1; m <= 12; ++m) {
      tax::Money v = row.money("I2_7" + core::pad_left(std::to_string(m), 2, '0'));
      if (v > tax::Money()) {
        ++months;
        leao += v;
      }
    }
  vars.set_number("NRCLEAO", months);
  vars.set_money("DFCLEAO", leao);
  vars.set_number("NRQUOTA", vars.integer("QTD_QUOTA"));
  vars.set_money("DFQUOTA", vars.money("I13_37"));
}

core::Record identification_values(const core::Record& vars) {
  core::Record id = vars;
  id.set_money("I13_27", vars.money("I13_27") + vars.money("I13_28"));
  id.set_money("I13_35", vars.money("I13_35") - vars.money("I13_34"));
  const core::Decimal index = vars.number("INDGAS");
  if (index < *core::Decimal::parse("-99.99")) id.set_number("INDGAS", *core::Decimal::parse("-99.99"));
  if (index > *core::Decimal::parse("999.99")) id.set_number("INDGAS", core::Decimal(999));
  const tax::Money floor = tax::Money::from_units(-9'999'999'999);
  if (vars.money("SALDO") < floor) id.set_money("SALDO", floor);
  return id;
}

bool store_results(storage::Database& db, const tax::DeclarationData& data) {
  const std::string cpf = data.vars.text("CPF");
  tax::Record vars = data.vars;
  add_save_summary(data, vars);

  // IMP01 keeps the lines as they are.
  storage::WorkArea& summary = db.area(1);
  db.select(1);
  if (summary.seek(cpf, storage::Seek::Exact)) {
    if (!db.REC_LOCK(5)) return false;
  } else {
    if (!db.ADD_REC(5)) return false;
    summary.set("CPF", cpf);
  }
  write_fields(summary, vars);
  summary.unlock();

  const tax::Record identification = identification_values(vars);
  storage::WorkArea& clients = db.area(9);
  db.select(9);
  if (!clients.seek(cpf, storage::Seek::Exact) || !db.REC_LOCK(5)) return false;
  write_fields(clients, identification);
  clients.unlock();

  // The incentive pass decided the non-deductible parts of the payments.
  storage::WorkArea& payments = db.area(6);
  db.select(6);
  size_t i = 0;
  for (bool found = payments.seek(cpf); found && !payments.eof() && payments.text("CPF") == cpf; payments.skip(), ++i) {
    if (i >= data.payments.size()) break;
    const core::Value* part = data.payments[i].find("I6_5");
    if (!part || payments.get("I6_5") == *part) continue;
    if (!db.REC_LOCK(5)) return false;
    payments.set("I6_5", *part);
    payments.unlock();
  }
  return true;
}

}  // namespace vormel::declaration
