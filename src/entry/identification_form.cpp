#include "entry/identification_form.h"

#include <array>

#include "core/cp850.h"
#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"
#include "entry/form.h"
#include "entry/form_checks.h"
#include "entry/validation.h"
#include "screen/age_notice.h"
#include "screen/colour.h"

namespace vormel::entry {

using core::Key;
using core::Value;
using namespace core::literals;

namespace {

std::string s(std::string_view v) { return std::string(v); }

// A yes/no letter: blank, "S" or "N" (the blank only when allowed).
std::function<bool(Value&)> yes_no(FormEnv& env, bool blank_allowed) {
  return [&env, blank_allowed](Value& v) {
    return accepted_by(env, blank_allowed ? VE_LETRSN(text_of(v)) : SNAO(text_of(v)));
  };
}

std::function<bool(Value&)> cpf_check(FormEnv& env, bool required) {
  return [&env, required](Value& v) { return accepted_by(env, VAL_CPF(text_of(v), required, 0)); };
}

std::function<bool(Value&)> receipt_check(FormEnv& env) {
  return [&env](Value& v) {
    std::string r = text_of(v);
    if (core::trim(r).empty()) return true;
    ReceiptVerdict verdict = VENROREC(r);
    if (verdict.ok) v = same_width(v, r);
    return accepted_by(env, verdict);
  };
}

void write_at(FormEnv& env, const Frame& frame, int row, int col, const std::string& text) {
  env.ui.con.grid().write(frame.top() + row, frame.left() + col, text,
                          screen::attr_of(screen::colour_part(env.ui.con.colour, 1)));
}

// The country's name and the embassy's place, beside their codes.
void show_abroad(FormEnv& env, const Frame& frame) {
  core::Record& v = env.vars;
  std::string country, embassy;
  storage::Database& db = env.db;
  for (auto [table, field, key] : {std::tuple{60, "NOMPAIS", "CODPAIS"}, std::tuple{61, "", "CODEMB"}}) {
    const bool open = db.area(table).used();
    if (!open && !db.ABERTURA(table)) continue;
    storage::WorkArea& a = db.area(table);
    a.set_order(1);
    if (!core::trim(v.text(key)).empty() && a.seek(v.text(key), storage::Seek::Exact)) {
      if (table == 60) country = core::trim(a.text(field));
      else
        embassy = core::trim(a.text("NM_CIDADE")) + ", " + core::trim(a.text("NM_PAIS")) + ", " +
                  core::trim(a.text("NM_REP"));
    }
    if (!open) db.close_area(table);
  }
  write_at(env, frame, 15, 10, core::pad_right(country, 40));
  write_at(env, frame, 16, 15, core::pad_right(embassy, 62));
}

bool is_occupation_with_register(const std::string& code) {
  for (const char* c : {"225", "226", "229", "241", "254", "255"})
    if (code == c) return true;
  return false;
}

}  // namespace

bool is_state(const std::string& uf) {
  static constexpr std::array<const char*, 27> states = {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO",
                                                         "MA", "MT", "MS", "MG", "PA", "PB", "PR", "PE", "PI",
                                                         "RN", "RS", "RJ", "RO", "RR", "SC", "SP", "SE", "TO"};
  for (const char* s : states)
    if (uf == s) return true;
  return false;
}

Key identification_form(FormEnv& env, const Frame& frame) {
  core::Record& v = env.vars;
  screen::Console& con = env.ui.con;
  con.status_text(s("TAB=Cálculo do Imposto"_cp));
  if (core::trim(v.text("EXTERIOR")).empty() || core::trim(v.text("EBRASIL")).empty()) {
    v.set_text("EBRASIL", "S");
    v.set_text("EXTERIOR", "N");
  }
  const bool final_estate = v.text("DECFINAL") == "S";
  auto brazil = [&v] { return v.text("EBRASIL") == "S"; };

  Form form(env.ui, v, frame.top(), frame.left());
  form.ending_keys = env.ending_keys;
  form.accepted = env.accepted;
  // The birthday notice takes the operator's place while there is one.
  auto age = [&] {
    const screen::AgeNotice a = screen::DIZANOS(v.date("NASCIMENTO"), env.today);
    screen::show_age(env.ui, a, frame.top(), frame.left());
    if (a.notice.empty()) write_at(env, frame, 1, 55, core::pad_right(env.NOMEAG, 22).substr(0, 22));
  };

  // 1, 2: the rural annex and where its activity is.
  form.add({1, 40, "TEMRURAL", "!", 1, 0, [&](Value& x) {
              if (!accepted_by(env, VE_LETRSN(text_of(x)))) return false;
              if (text_of(x) == "N") v.set_text("ATV_BRASIL", " ");
              return true;
            }});
  form.add({1, 52, "ATV_BRASIL", "!", 1, 0,
            [&](Value& x) {
              if (!accepted_by(env, SNAO(text_of(x)))) return false;
              const std::string before = v.text("ATV_BRASIL");
              if (text_of(x) != before && env.swap_rural) env.swap_rural(before, text_of(x));
              return true;
            },
            [&] { return v.text("TEMRURAL") == "S"; }});
  form.add({2, 5, "NOMECONTR", "@!"});
  form.add({3, 12, "NASCIMENTO", "@d", 0, 0, [&](Value& x) {
              v.set("NASCIMENTO", x);
              age();
              return true;
            }});
  form.add({3, 35, "TITULO", "@r 99999999999-99", 0, 0, nullptr, [final_estate] { return !final_estate; }});
  form.add({3, 64, "CPFCONJU", "@r 999.999.999-99", 0, 0, cpf_check(env, false)});
  // 7 to 10: the receipts of the declaration rectified and of the last ones.
  form.add({5, 15, "RETIFICA", "!", 1, 0, [&](Value& x) {
              if (!accepted_by(env, VE_LETRSN(text_of(x)))) return false;
              if (text_of(x) == "S" && !core::trim(v.text("RECIBOATU")).empty()) {
                v.set("NRORECIBO", *v.find("RECIBOATU"));
                v.set_text("RECIBOATU", std::string(12, ' '));
                form.show("NRORECIBO");
                form.show("RECIBOATU");
              }
              return true;
            }});
  form.add({5, 65, "NRORECIBO", "@r 9999999999-99", 0, 0, receipt_check(env), [&] { return v.text("RETIFICA") == "S"; }});
  form.add({6, 24, "RECIBOATU", "@r 9999999999-99", 0, 0, receipt_check(env)});
  form.add({6, 65, "RECIBOANT", "@r 9999999999-99", 0, 0, receipt_check(env)});
  // 11 to 15: the automatic debit of the quotas and the bank.
  auto debit_allowed = [&] {
    const int quotas = v.integer("QTD_QUOTA");
    const bool ok = quotas != 0 && (env.today < *core::Date::from_ymd(2016, 4, 1) || quotas > 1);
    if (!ok && !core::trim(v.text("DEBITAUT")).empty()) v.set_text("DEBITAUT", " ");
    return ok;
  };
  form.add({8, 27, "DEBITAUT", "!", 1, 0, yes_no(env, true), debit_allowed});
  form.add({8, 35, "BANCO", "@r ###", 3, 0, [&](Value& x) {
              const std::string code = core::trim(text_of(x));
              if (code.empty()) return true;
              const bool only_debit = v.number("I13_36") > core::Decimal(0) && v.text("DEBITAUT") == "S";
              screen::LookupRequest r("M->BANCO");
              if (only_debit) r.rows = [](storage::WorkArea& row) { return row.text("OK") == "S"; };
              auto found = seek_or_list(env, 55, 1, "NUMBAN", code, false, r, [](storage::WorkArea& a) {
                return screen::Assignments{{"BANCO", a.get("NUMBAN")}};
              });
              if (!found) {
                env.notice({"A maioria dos bancos estão autorizados a receber os depósitos "_cp.data(),
                            "da restituição, porém para o débito automático são poucos. "_cp.data(),
                            "A lista mostrada a seguir é a mesma do programa Receita Federal. "_cp.data(),
                            "Se o código do banco não estiver nessa relação não será aceito "_cp.data(),
                            "quando for enviado para o programa da receita.          "_cp.data()});
              } else if (auto it = found->find("BANCO"); it != found->end()) {
                x = same_width(x, text_of(it->second));
              }
              return true;  // the bank is always accepted
            }});
  form.add({8, 48, "AGENCIA", "@r !!!!!-!"});
  form.add({8, 62, "CONTACO", "@r !!!!!!!!!!!!!-!!"});
  form.add({9, 62, "E_INVALIDO", "!", 1, 0, yes_no(env, true)});
  // 16, 17: Brazil or abroad, each the opposite of the other.
  auto place = [&](const char* other) {
    return [&env, &v, &form, other](Value& x) {
      if (text_of(x) != "S" && text_of(x) != "N") {
        env.notice({s("Informe com 'S'(Sim) ou 'N'(Não) "_cp)});
        return false;
      }
      v.set_text(other, text_of(x) == "S" ? "N" : "S");
      form.show(other);
      return true;
    };
  };
  form.add({11, 2, "EBRASIL", "!", 1, 0, place("EXTERIOR")});
  form.add({11, 11, "EXTERIOR", "!", 1, 0, place("EBRASIL")});
  form.add({11, 51, "PROCBRASIL", "@r 999.999.999-99", 0, 0, cpf_check(env, true), [&] { return !brazil(); }});
  // 19 to 24: the address; the street type from its table.
  auto street_type = [&](Value& x) {
    const std::string typed = core::trim(text_of(x));
    // Nothing typed is nothing sought (a search for it would take the table's first row).
    if (v.text("EXTERIOR") == "S" || typed.empty()) return true;
    auto found = seek_or_list(env, 65, 1, "NOMELOGRA", typed, true, screen::LookupRequest("M->TIPOEND"),
                              [](storage::WorkArea& a) { return screen::Assignments{{"TIPOEND", a.get("NOMELOGRA")}}; });
    if (found)
      if (auto it = found->find("TIPOEND"); it != found->end()) x = same_width(x, text_of(it->second).substr(0, 11));
    return true;
  };
  form.add({12, 6, "TIPOEND", "", 11, 0, street_type, [&] { return v.text("EXTERIOR") != "S"; }});
  form.add({12, 28, "ENDERECO", ""});
  form.add({12, 76, "NOVOEND", "!", 1, 0, yes_no(env, true)});
  form.add({13, 8, "NUMERO", ""});
  form.add({13, 28, "COMPLEM", ""});
  form.add({13, 57, "BAIRRO", ""});
  // 25 to 31: CEP, state and municipality in Brazil; CEP, municipality, country and embassy abroad.
  form.add({14, 5, "CEP", "@r 99999-999", 0, 0, nullptr, brazil});
  auto state_and_city = [&](Value& x, bool is_state_field) {
    const std::string uf = core::cp850::upper(core::trim(is_state_field ? text_of(x) : v.text("UF")));
    if (is_state(uf)) {
      v.set_text("CODPAIS", "   ");
      v.set_text("CODEMB", "   ");
      const std::string city = core::cp850::upper(core::trim(is_state_field ? v.text("MUNICIPIO") : text_of(x)));
      if (!city.empty()) {  // nothing typed is nothing sought
        // The municipalities of the state, the typed one or the list of them.
        storage::Database& db = env.db;
        const bool open = db.area(64).used();
        if (open || db.ABERTURA(64)) {
          storage::WorkArea& m = db.area(64);
          bool found = false;
          for (m.go_top(); !m.eof(); m.skip())
            if (m.text("UNIFED") == uf && core::cp850::upper(core::trim(m.text("NOMEMUNI"))) == city && !city.empty()) {
              found = true;
              break;
            }
          std::string name, code;
          if (found) {
            name = core::trim(m.text("NOMEMUNI"));
            code = m.text("NROMUNI");
          } else {
            screen::LookupRequest r("M->MUNICIPIO");
            r.rows = [uf](storage::WorkArea& row) { return row.text("UNIFED") == uf; };
            screen::Lookups lists(env.ui, db);
            screen::LookupResult chosen = lists.GERAL(r);
            if (chosen.chosen) {
              name = text_of(chosen.values["MUNICIPIO"]);
              code = text_of(chosen.values["CODMUNI"]);
            }
          }
          if (!open) db.close_area(64);
          if (!name.empty()) {
            if (is_state_field) put_text(v, "MUNICIPIO", name);
            else x = same_width(x, name);
            v.set_text("CODMUNI", code);
            write_at(env, frame, 14, 33, core::pad_right(name, 30));
            write_at(env, frame, 14, 73, core::pad_right(code, 4));
          }
        }
      }
    } else if (is_state_field) {
      // Not a state: the list of the states.
      screen::LookupRequest r("M->MUNICIPIO");
      r.state_field = "M->UF";
      r.rows = [](storage::WorkArea& row) { return core::trim(row.text("UNIFED")).empty(); };
      screen::Lookups lists(env.ui, env.db);
      screen::LookupResult chosen = lists.GERAL(r);
      if (chosen.chosen)
        if (auto it = chosen.values.find("UF"); it != chosen.values.end()) x = same_width(x, text_of(it->second));
    }
    return true;  // the check always succeeds
  };
  form.add({14, 18, "UF", "@!", 2, 0, [&](Value& x) { return state_and_city(x, true); }, brazil});
  form.add({14, 33, "MUNICIPIO", "", 0, 0, [&](Value& x) { return state_and_city(x, false); }, brazil});
  form.add({14, 5, "CEP", "@r 99999-999", 0, 0, nullptr, [&] { return !brazil(); }});
  form.add({14, 33, "MUNICIPIO", "", 0, 0, nullptr, [&] { return !brazil(); }});
  auto abroad_code = [&](const char* var, int table, const char* key, const char* lookup) {
    return [&env, &v, &frame, var, table, key, lookup](Value& x) {
      auto found = seek_or_list(env, table, 1, key, core::trim(text_of(x)), false, screen::LookupRequest(lookup),
                                [var, key](storage::WorkArea& a) { return screen::Assignments{{var, a.get(key)}}; });
      if (found)
        if (auto it = found->find(var); it != found->end()) x = same_width(x, text_of(it->second));
      v.set(var, x);
      show_abroad(env, frame);
      return true;
    };
  };
  form.add({15, 6, "CODPAIS", "", 3, 0, abroad_code("CODPAIS", 60, "CODPAIS", "CODPAIS"), [&] { return !brazil(); }});
  form.add({16, 11, "CODEMB", "", 3, 0, abroad_code("CODEMB", 61, "CD_EX", "M->CODEMB"), [&] { return !brazil(); }});
  form.add({15, 54, "DDDTEL", "@R ##99"});
  form.add({15, 67, "TELEFO", "@R #9999-9999"});
  form.add({17, 29, "EMAIL", "", 0, 0, nullptr, [final_estate] { return !final_estate; }});
  // 35 to 38: nature of the occupation and the occupation.
  auto coded = [&](int table, size_t order, const char* code_var, const char* text_var, const char* lookup,
                   bool by_code) {
    return [&env, &v, &form, table, order, code_var, text_var, lookup, by_code](Value& x) {
      const std::string typed = core::trim(text_of(x));
      if (typed.empty()) {
        if (by_code) put_text(v, text_var, "");
        form.show(text_var);
        return true;
      }
      auto found = seek_or_list(env, table, order, by_code ? code_var : text_var, typed, !by_code,
                                screen::LookupRequest(lookup), [code_var, text_var](storage::WorkArea& a) {
                                  return screen::Assignments{{code_var, a.get(code_var)}, {text_var, a.get(text_var)}};
                                });
      if (found) put_values(v, *found);
      if (const Value* now = v.find(by_code ? code_var : text_var)) x = *now;
      if (core::trim(v.text(code_var)).empty()) put_text(v, text_var, "");
      form.show(code_var);
      form.show(text_var);
      return true;
    };
  };
  auto nature = coded(59, 1, "CODAT", "DESCRAT", "M->CODAT", true);
  auto nature_81 = [&env, &v, &form, nature](Value& x) {
    nature(x);
    if (core::trim(v.text("CODAT")) == "81") {
      env.notice({s("O código "_cp) + v.text("CODAT") + s(" não tem a ocupação principal"_cp)});
      v.set_text("CDPRO", "   ");
      put_text(v, "OCUPACAO", "");
      form.show("CDPRO");
      form.show("OCUPACAO");
    }
    return true;
  };
  form.add({19, 6, "CODAT", "99", 2, 0, nature_81});
  form.add({19, 9, "DESCRAT", "@k ", 0, 0, coded(59, 2, "CODAT", "DESCRAT", "M->DESCRAT", false),
            [&] { return core::trim(v.text("CODAT")).empty(); }});
  form.add({20, 5, "CDPRO", "999", 3, 0, coded(58, 1, "CDPRO", "OCUPACAO", "M->CDPRO", true),
            [&, final_estate] { return !final_estate && core::trim(v.text("CODAT")) != "81"; }});
  form.add({20, 9, "OCUPACAO", "@K ", 0, 0, coded(58, 2, "CDPRO", "OCUPACAO", "M->OCUPACAO", false),
            [&] { return core::trim(v.text("CODAT")) != "81" && core::trim(v.text("CDPRO")).empty(); }});
  form.add({21, 24, "REGPROF", "@!", 0, 0, nullptr,
            [&] { return is_occupation_with_register(core::trim(v.text("CDPRO"))); }});
  form.add({21, 64, "NIT_TIT", "@r 999.99999.99-9", 0, 0,
            [&](Value& x) { return core::trim(text_of(x)).empty() || accepted_by(env, VAL_NIT(text_of(x), 2)); }});

  // What is shown before the fields.
  write_at(env, frame, 1, 5, core::TRANSFORM(Value(core::pad_right(v.text("CPF"), 11)), "@r 999.999.999-99"));
  age();
  form.show();
  write_at(env, frame, 14, 33, core::pad_right(v.text("MUNICIPIO"), 30));
  if (v.text("EXTERIOR") == "S") show_abroad(env, frame);
  else write_at(env, frame, 14, 73, core::pad_right(v.text("CODMUNI"), 4));
  write_at(env, frame, 19, 9, core::pad_right(v.text("DESCRAT"), 58).substr(0, 58));
  write_at(env, frame, 20, 9, core::pad_right(v.text("OCUPACAO"), 69).substr(0, 69));

  const Key k = form.read();
  if (k == Key(Key::Esc) && v.text("TEMRURAL") == "S" && core::trim(v.text("ATV_BRASIL")).empty()) {
    v.set_text("ATV_BRASIL", "S");
    if (env.accepted) env.accepted("ATV_BRASIL");
  }
  con.status_text("");
  return k;
}

}  // namespace vormel::entry
