#include "entry/sections_checks.h"

#include "core/cp850_literal.h"
#include "core/text.h"
#include "screen/lookups.h"

namespace vormel::entry {

using core::Decimal;
using core::Value;
using namespace core::literals;

namespace {

constexpr int kCountries = 60;  // TABPAIS

// A reference table looked into: opened for the look when it was not, and left as it
// was found (order, row, selected area) afterwards.
class Reference {
 public:
  Reference(storage::Database& db, int table) : db_(db), table_(table), caller_(db.selected()) {
    storage::WorkArea& a = db.area(table);
    if (!a.used()) opened_ = db.ABERTURA(table) && a.used();
    if (a.used()) {
      order_ = a.active_order();
      recno_ = a.eof() ? 0 : a.recno();
      if (a.order_count() >= 1) a.set_order(1);
    }
  }
  ~Reference() {
    storage::WorkArea& a = db_.area(table_);
    if (opened_) db_.close_area(table_);
    else if (a.used()) {
      a.set_order(order_);
      if (recno_) a.go_to(recno_);
    }
    db_.select(caller_);
  }
  Reference(const Reference&) = delete;
  Reference& operator=(const Reference&) = delete;

  // The text field of the row whose key is `key`; nullopt when there is none.
  std::optional<std::string> find(const Value& key, const std::string& text_field) {
    storage::WorkArea& a = db_.area(table_);
    if (!a.used() || !a.seek(key, storage::Seek::Exact)) return std::nullopt;
    return core::trim(a.text(text_field));
  }

 private:
  storage::Database& db_;
  int table_, caller_;
  bool opened_ = false;
  size_t order_ = 0;
  uint32_t recno_ = 0;
};

std::optional<Value> choose(CellEdit& e, const std::string& lookup) {
  if (e.context.lookups) return e.context.lookups->GERAL2(screen::LookupRequest(lookup));
  screen::Lookups own(e.ui, e.db);
  return own.GERAL2(screen::LookupRequest(lookup));
}

}  // namespace

Check code_check(int table, std::string text_field, std::string lookup) {
  return [=](CellEdit& e) {
    if (!core::is_number(e.value) || std::get<Decimal>(e.value).is_zero()) return true;
    std::optional<std::string> text;
    {
      Reference ref(e.db, table);
      text = ref.find(e.value, text_field);
    }
    if (text) {
      screen::AVISOSN(e.ui, *text, 0);
      return true;
    }
    const std::optional<Value> chosen = choose(e, lookup);
    e.value = chosen && core::is_number(*chosen) ? *chosen : Value(Decimal(0));
    return true;
  };
}

bool abroad_check(CellEdit& e) {
  const std::string v = core::is_text(e.value) ? core::trim(std::get<std::string>(e.value)) : std::string();
  if (v.empty()) return true;
  if (v == "S") {
    screen::AVISOSN(e.ui, std::string("Informe no Campo ao lado o Código do País"_cp), 0);
    return true;
  }
  screen::AVISOSN(e.ui,
                  std::vector<std::string>{std::string("Marque com a letra S(sim) se o bem está\u00a0no exterior"_cp),
                                           std::string("ou deixe em branco se está\u00a0no Brasil.             "_cp)},
                  0);
  e.value = Value(std::string());
  return true;
}

Check country_check(std::string lookup) {
  return [=](CellEdit& e) {
    const std::string code = core::is_text(e.value) ? core::trim(std::get<std::string>(e.value)) : std::string();
    if (code.empty()) return true;
    std::optional<std::string> name;
    {
      Reference ref(e.db, kCountries);
      name = ref.find(Value(code), "NOMPAIS");
    }
    if (name) {
      screen::AVISOSN(e.ui, *name, 0);
      return true;
    }
    const std::optional<Value> chosen = choose(e, lookup);
    e.value = chosen && core::is_text(*chosen) ? *chosen : Value(std::string());
    return true;
  };
}

}  // namespace vormel::entry
