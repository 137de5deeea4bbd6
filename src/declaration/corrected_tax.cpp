#include "declaration/corrected_tax.h"

#include <string>
#include <vector>

#include "core/cp850_literal.h"
#include "core/text.h"
#include "screen/browse_list.h"
#include "tax/selic_interest.h"

namespace vormel::declaration {

using core::Decimal;
using namespace core::literals;

namespace {

int year_month(const core::Date& d) { return d.year() * 100 + d.month(); }

// The month before today's, as YYYYMM.
int previous_month(const core::Date& today) {
  return today.month() == 1 ? (today.year() - 1) * 100 + 12 : today.year() * 100 + today.month() - 1;
}

std::vector<tax::SelicMonth> selic_rates(storage::WorkArea& rates) {
  std::vector<tax::SelicMonth> out;
  for (rates.go_top(); !rates.eof(); rates.skip()) {
    const std::string key = core::trim(rates.text("ANOMES"));
    if (key.size() == 6) out.push_back({std::stoi(key), rates.number("TJM")});
  }
  return out;
}

Decimal corrected(const Decimal& value, const Decimal& percent) {
  return (value + value * percent * Decimal::parse("0.01").value()).rescaled(2, core::Rounding::HalfUp);
}

void show_list(screen::Ui& ui, storage::WorkArea& list) {
  screen::BrowseSpec spec;
  spec.rect = {2, 1, 20, 79};
  spec.columns = {{" CPF ", "CPF", "", 0, {}, {}},
                  {" Nome do Contribuinte ", "NOMECONTR", "@S23", 23, {}, {}},
                  {"Quota", "QTD_QUOTA", "@ez 9", 0, {}, {}},
                  {"Imposto", "IMPOSTO", "@EZ 999,999.99", 0, {}, {}},
                  {"Restitucao", "RESTITU", "@EZ 999,999.99", 0, {}, {}},
                  {"Corrigido", "CORRIGI", "@EZ 999,999.99", 0, {}, {}}};
  ui.con.show_dialog(screen::Rect{1, 0, 21, 79}, "Imposto Corrigido");
  list.go_top();
  screen::HBROWSE(ui, list, spec);
  ui.con.close_dialog();
}

}  // namespace

void IMPCORRIG(screen::Ui& ui, storage::Database& db) {
  auto notice = [&](std::vector<std::string> lines) { screen::AVISOSN(ui, lines, 0); };
  const core::Date today = ui.con.clock().today();
  if (year_month(today) < 201605) {
    notice({std::string("Função só utilizavel após mês de Maio de 2016"_cp)});
    return;
  }
  // The rates must reach the previous month (a rule by year and month apart would call a
  // table ending in December outdated all through January).
  const bool rates_open = db.area(51).used();
  if (!rates_open && !db.ABERTURA(51)) return;
  storage::WorkArea& rates = db.area(51);
  rates.set_order(1);
  rates.go_bottom();
  const std::string last = rates.eof() ? "" : core::trim(rates.text("ANOMES"));
  const int wanted = previous_month(today);
  if (last.size() != 6 || std::stoi(last) < wanted) {
    if (!rates_open) db.close_area(51);
    notice({std::string("Atenção! A tabela da Selic não está atualizada."_cp), "Atualize-a para o cálculo ficar correto!"});
    return;
  }
  // Due on 30/04/2016, paid today: the interest of a quota (from April) to the previous month.
  const Decimal DF_JURO = tax::selic_interest(201604, wanted, selic_rates(rates));
  if (!rates_open) db.close_area(51);

  bool opened;
  {
    storage::QuietOpens quiet(db);
    opened = db.ABERTURA(44, true);
  }
  if (!opened || !db.area(44).used()) {
    notice({std::string("Opção sendo usada em outro terminal"_cp)});
    return;
  }
  storage::WorkArea& list = db.area(44);
  for (list.go_top(); !list.eof(); list.skip()) list.erase();
  list.table().pack();

  const bool clients_open = db.area(9).used();
  if (clients_open || db.ABERTURA(9)) {
    storage::WorkArea& clients = db.area(9);
    const uint32_t here = clients.recno();
    for (clients.go_top(); !clients.eof(); clients.skip()) {
      const Decimal due = clients.number("IMPPGRE");
      if (due == Decimal(0) || !list.try_append_blank()) continue;
      const int quotas = static_cast<int>(clients.number("QTD_QUOTA").to_int());
      list.set("CPF", clients.get("CPF"));
      list.set("NOMECONTR", clients.get("NOMECONTR"));
      list.set("IMPPGRE", due);
      list.set("QTD_QUOTA", Decimal(quotas));
      if (due < Decimal(0)) {
        list.set("RESTITU", -due);
        list.set("CORRIGI", corrected(-due, DF_JURO));
      } else {
        const Decimal quota = quotas == 0 ? Decimal(0) : *Decimal::divide(due, Decimal(quotas), 2, core::Rounding::HalfUp);
        list.set("IMPOSTO", quota);
        list.set("CORRIGI", corrected(quota, DF_JURO));
      }
      list.unlock();
    }
    if (clients_open) clients.go_to(here);
    else db.close_area(9);
  }
  show_list(ui, list);
  db.close_area(44);
}

}  // namespace vormel::declaration
