#include "screen/lookups.h"

#include <algorithm>

#include "core/cp850.h"
#include "core/text.h"

namespace vormel::screen {

using namespace core::literals;
using core::Value;
using storage::WorkArea;

namespace {

// Where an area stood, to put it back.
struct Place {
  int area = 0;
  size_t order = 0;
  uint32_t recno = 0;
};

Place place_of(storage::Database& db, int n) {
  WorkArea& a = db.area(n);
  return Place{n, a.active_order(), a.eof() ? 0u : a.recno()};
}

void put_back(storage::Database& db, const Place& p) {
  WorkArea& a = db.area(p.area);
  if (!a.used()) return;
  a.set_order(p.order);
  a.go_to(p.recno);
}

struct Busy {
  bool& flag;
  explicit Busy(bool& f) : flag(f) { flag = true; }
  ~Busy() { flag = false; }
};

}  // namespace

LookupResult Lookups::GERAL(const LookupRequest& request) {
  if (PROG) return {};
  const LookupDef* def = find_lookup(request.field, request.mode);
  if (!def) return {};
  Busy busy(PROG);
  if (def->capital_gains) return capital_gains ? capital_gains(request) : LookupResult{};
  return show(*def, request);
}

std::optional<Value> Lookups::GERAL2(const LookupRequest& request) {
  LookupResult r = GERAL(request);
  if (!r.chosen) return std::nullopt;
  return r.COD;
}

LookupResult Lookups::show(const LookupDef& def, const LookupRequest& request) {
  const int caller = db_.selected();
  const int n = def.table ? def.table : request.area;
  if (n <= 0) return {};

  // Tables the list opens itself are closed again; the caller's stay open, on their row.
  std::vector<int> opened;
  auto ensure = [&](int t) {
    if (db_.area(t).used()) return true;
    if (!db_.ABERTURA(t) || !db_.area(t).used()) return false;
    opened.push_back(t);
    return true;
  };
  auto finish = [&] {
    for (int t : opened) db_.close_area(t);
    db_.select(caller);
  };
  const bool fresh = !db_.area(n).used();
  if (!ensure(n)) {
    finish();
    return {};
  }
  for (int t : def.also_open) ensure(t);  // a missing one only blanks its column
  std::vector<Place> places{place_of(db_, n)};
  for (int t : def.also_open)
    if (db_.area(t).used()) places.push_back(place_of(db_, t));

  WorkArea& area = db_.area(n);
  const size_t order = request.order ? size_t(request.order) : def.order;
  if (order && order <= area.order_count()) area.set_order(order);
  // A table the caller had open shows its current row first; one opened here, its top.
  if (def.from_top || fresh) area.go_top();

  BrowseSpec spec;
  spec.rect = def.rect;
  for (const LookupColumn& c : def.columns) {
    BrowseColumn b{c.header, c.field, c.picture, c.width, {}, {}};
    if (c.value) b.value = [this, value = c.value](WorkArea& row) { return value(row, db_); };
    spec.columns.push_back(std::move(b));
  }
  if (!def.state_header.empty() && !request.state_field.empty()) spec.columns.front().header = def.state_header;
  if (def.footers) {
    const uint32_t here = area.eof() ? 0 : area.recno();
    std::vector<std::string> feet = def.footers(area);
    area.go_to(here);
    for (size_t i = 0; i < feet.size() && i < spec.columns.size(); ++i) spec.columns[i].footer = feet[i];
  }
  if (def.filter || request.rows) {
    spec.filter = [&](WorkArea& row) { return (!def.filter || def.filter(row)) && (!request.rows || request.rows(row)); };
  }
  spec.letter_jump = def.letter_jump;
  if (def.client) {
    spec.on_f6 = MOS_DETAL;
    spec.on_f11 = MOS_PEND;
  }

  Console& con = ui_.con;
  con.colour = ui_.colours.CORSELE;
  Dialog& dialog = con.show_dialog(def.rect, "");
  dialog.colour = ui_.colours.COR_CLI_HE;
  const std::optional<uint32_t> chosen = HBROWSE(ui_, area, spec);
  con.close_dialog();
  con.clear_typeahead();
  con.colour = ui_.colours.CORNORM;

  LookupResult result;
  result.shown = true;
  if (chosen && def.enter) {
    area.go_to(*chosen);
    result.chosen = true;
    result.recno = *chosen;
    result.values = def.enter(area, request);
    result.into_row = def.into_row;
    result.refresh = def.refresh;
    auto it = result.values.find(variable_name(request.field));
    if (it == result.values.end()) it = result.values.begin();
    if (it != result.values.end()) result.COD = it->second;
  }
  for (auto p = places.rbegin(); p != places.rend(); ++p) put_back(db_, *p);
  finish();
  return result;
}

int apply_assignments(const Assignments& values, const std::map<std::string, Value*>& variables) {
  int put = 0;
  for (const auto& [name, target] : variables) {
    auto it = values.find(variable_name(name));
    if (it == values.end() || !target) continue;
    Value v = it->second;
    auto* now = std::get_if<std::string>(target);
    auto* text = std::get_if<std::string>(&v);
    if (now && text && !now->empty()) v = core::pad_right(*text, now->size());
    *target = v;
    ++put;
  }
  return put;
}

int write_assignments(const Assignments& values, WorkArea& row) {
  int written = 0;
  for (const auto& [name, value] : values) {
    if (!row.table().field(name)) continue;
    row.set(name, value);
    ++written;
  }
  return written;
}

}  // namespace vormel::screen
