// Screen 11: the status of the declaration, the client's other telephones, the last
// sales of property, the tax authority's access code and the social security numbers.
#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"
#include "entry/form.h"
#include "entry/form_checks.h"
#include "entry/identification_form.h"
#include "screen/colour.h"

namespace vormel::entry {

using core::Key;
using core::Value;
using namespace core::literals;

namespace {

// The status's description, at its absolute place on the screen.
void show_status(FormEnv& env) {
  std::string description;
  storage::Database& db = env.db;
  const bool open = db.area(66).used();
  if (open || db.ABERTURA(66)) {
    storage::WorkArea& st = db.area(66);
    st.set_order(1);
    if (st.seek(core::Value(core::Decimal(env.vars.integer("ESTATUS"))), storage::Seek::Exact))
      description = core::trim(st.text("DESCRICAO"));
    if (!open) db.close_area(66);
  }
  env.ui.con.grid().write(2, 37, core::pad_right(description, 13).substr(0, 13),
                          screen::attr_of(screen::colour_part(env.ui.con.colour, 1)));
}

}  // namespace

Key status_form(FormEnv& env, const Frame& frame) {
  core::Record& v = env.vars;
  env.ui.con.status_text(std::string("Marque de 1 a 99 a situação dessa declaração - Tab ou ESC - muda"_cp));
  Form form(env.ui, v, frame.top(), frame.left());
  form.ending_keys = env.ending_keys;
  form.accepted = env.accepted;
  form.add({1, 24, "ESTATUS", "99", 2, 0, [&](Value& x) {
              const core::Decimal code = std::holds_alternative<core::Decimal>(x) ? std::get<core::Decimal>(x) : core::Decimal(0);
              storage::Database& db = env.db;
              const bool open = db.area(66).used();
              if (!open && !db.ABERTURA(66)) return true;
              storage::WorkArea& st = db.area(66);
              st.set_order(1);
              bool ok = st.seek(core::Value(code), storage::Seek::Exact);
              if (!ok) {
                screen::Lookups lists(env.ui, db);
                screen::LookupResult r = lists.GERAL(screen::LookupRequest("M->ESTATUS"));
                if (r.chosen)
                  if (auto it = r.values.find("ESTATUS"); it != r.values.end()) {
                    x = it->second;
                    ok = true;
                  }
              }
              if (!open) db.close_area(66);
              v.set("ESTATUS", x);
              show_status(env);
              return ok;
            }});
  form.add({1, 49, "DDDFAX", "@R ##99"});
  form.add({2, 9, "TELCELU", "@R #9999-9999"});
  form.add({2, 30, "TELESCR", "@R #9999-9999"});
  form.add({2, 51, "TELSECR", "@R #9999-9999"});
  form.add({3, 50, "ULTRESI", "@D"});
  form.add({4, 50, "ULTIMOV", "@D"});
  form.add({5, 20, "SENACESSO", ""});
  form.add({5, 43, "CODACESSO", "@ 999999999999"});
  form.add({5, 65, "VALIDSENA", "@D"});
  form.add({6, 25, "NROBEN1", "@ 99999999999"});
  form.add({6, 54, "NROBEN2", "@ 99999999999"});
  for (;;) {
    form.show();
    show_status(env);
    const Key k = form.read();
    // Enter past the last field goes on to the notes (the caller's list); the others end.
    if (k == Key(Key::Enter) || k == Key(Key::Esc) || env.leaving() || (env.ending_keys && env.ending_keys(k))) {
      env.ui.con.status_text("");
      return k;
    }
  }
}

}  // namespace vormel::entry
