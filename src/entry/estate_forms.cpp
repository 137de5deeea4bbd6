// Screen 5's single forms: the spouse's values, the espólio and the saída definitiva.
#include "core/cp850.h"
#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"
#include "entry/form.h"
#include "entry/form_checks.h"
#include "entry/identification_form.h"
#include "entry/screen_frames.h"
#include "entry/validation.h"
#include "screen/colour.h"

namespace vormel::entry {

using core::Decimal;
using core::Key;
using core::Value;
using namespace core::literals;

namespace {

std::string s(std::string_view v) { return std::string(v); }

constexpr const char* kMoney = "@Ez 999,999,999.99";
constexpr const char* kSpouseValues[] = {"I13_1C", "I13_4C", "I13_2C", "I13_3C", "I13_5C"};  // rows 4 to 8

bool ends_repetition(const FormEnv& env, Key k) {
  return env.leaving() || k == Key(Key::Esc) || (env.ending_keys && env.ending_keys(k));
}

// --- the spouse ---

void clear_spouse_values(core::Record& v) {
  for (const char* name : kSpouseValues) v.set_number(name, Decimal(0));
  for (const char* name : {"I9_2", "I13_43", "I9_3"}) v.set_number(name, Decimal(0));
}

void sum_spouse_values(core::Record& v) {
  const Decimal total = v.number("I13_1C") + v.number("I13_2C") + v.number("I13_3C") + v.number("I13_5C") -
                        v.number("I13_4C");
  v.set_number("I9_2", total);
}

void MOSTRA_CONJUGE(FormEnv& env, const Frame& frame) {
  core::Record& v = env.vars;
  const screen::Attr attr = screen::attr_of(screen::colour_part(env.ui.con.colour, 1));
  for (int i = 0; i < 5; ++i)
    env.ui.con.grid().write(frame.top() + 4 + i, frame.left() + 25, core::TRANSFORM(Value(v.number(kSpouseValues[i])), kMoney), attr);
  env.ui.con.grid().write(frame.top() + 10, frame.left() + 25, core::TRANSFORM(Value(v.number("I9_2")), kMoney), attr);
  v.set_number("I13_43", v.number("I9_2"));
}

// Another declaration's row may be changed only when nobody else has it open and its
// status does not protect it.
bool may_change(const FormEnv& env, storage::WorkArea& row) {
  const std::string user = row.text("NUSUAT");
  if (!core::trim(user).empty() && user != env.NUSU) {
    env.notice({s("A declaração do cônjuge está aberta no terminal "_cp) + user + ".",
                s("Ela não foi alterada; faça a alteração nela mesma."_cp)});
    return false;
  }
  if (env.STATRAVA != 0 && row.number("ESTATUS") == Decimal(env.STATRAVA)) {
    env.notice({s("A declaração do cônjuge tem Status de proteção contra alteração."_cp),
                s("Ela não foi alterada."_cp)});
    return false;
  }
  return true;
}

// TRAZVALCONJ: the spouse's figures from the spouse's row; false when refused.
bool TRAZVALCONJ(FormEnv& env, storage::Database& db, int area) {
  core::Record& v = env.vars;
  storage::WorkArea& spouse = db.area(area);
  v.set_text("CONJPAD", spouse.text("USAPADRAO"));
  v.set_number("I9_3", spouse.number("SALDO"));
  if (spouse.text("I9_4") == "S") {
    const bool remove = screen::AVISOSN(env.ui,
                                        std::vector<std::string>{s("Na declaração do conjugue já está  marcada para buscar"_cp),
                                                                 s("essas informações. Somente na declaração daquele que "_cp),
                                                                 "estiver declarado os bens em comum pode estar marcado",
                                                                 s("Deseja que o programa retire a marca da outra declaração?"_cp)},
                                        1)
                            .yes;
    if (remove && may_change(env, spouse)) {
      db.select(area);
      if (db.REC_LOCK(5)) {
        spouse.set("I9_4", std::string("N"));
        for (const char* name : kSpouseValues) spouse.set(name, Decimal(0));
        spouse.set("I9_2", Decimal(0));
        spouse.set("I9_3", Decimal(0));
        spouse.unlock();
      }
    } else {
      v.set_text("I9_5", "N");
      clear_spouse_values(v);
      return false;
    }
  }
  if (core::trim(v.text("CONJPAD")).empty()) {
    env.notice({s("A declaração do conjuge não foi feita ou ainda "_cp), s("não foi definido o tipo do formulário. Verique!"_cp)});
    for (const char* name : kSpouseValues) v.set_number(name, Decimal(0));
    v.set_number("I9_2", Decimal(0));
    return true;
  }
  v.set_number("I13_4C", spouse.number("I13_35"));
  v.set_number("I13_1C", spouse.number("I13_20"));
  v.set_number("I13_2C", spouse.number("I13_44"));
  v.set_number("I13_3C", spouse.number("I13_45"));
  v.set_number("I13_5C", spouse.number("EXGSUSP"));
  sum_spouse_values(v);
  return true;
}


}  // namespace

// INFO_CONJU: the spouse's figures, from this folder or another one of the list.
bool INFO_CONJU(FormEnv& env) {
  core::Record& v = env.vars;
  const std::string cpf = v.text("CPFCONJU");
  if (core::trim(cpf).empty() || (v.text("I9_4") != "S" && v.text("I9_5") != "S")) {
    clear_spouse_values(v);
    v.set_text("I9_4", "N");
    return true;
  }
  if (v.text("I9_5") == "S") {
    if (v.text("I9_4") != "S") return true;  // typed by hand
    v.set_text("I9_5", "N");
    clear_spouse_values(v);
  }
  storage::Database& db = env.db;
  const std::string here = core::BAR_DIR(db.folders.LOCARQ);
  const std::string last = core::trim(v.text("DIRCONJU"));
  auto refuse = [&] {
    v.set_text("I9_4", "N");
    v.set_text("I9_6", "S");
  };
  // Where the spouse was found the last time, else this folder.
  if (!last.empty() && core::BAR_DIR(last) != here && open_other_clients(db, core::BAR_DIR(last)) &&
      db.area(kOtherFolderArea).seek(cpf, storage::Seek::Exact)) {
    if (!TRAZVALCONJ(env, db, kOtherFolderArea)) refuse();
    db.close_area(kOtherFolderArea);
    return true;
  }
  db.close_area(kOtherFolderArea);
  const bool clients_open = db.area(9).used();
  if (clients_open || db.ABERTURA(9)) {
    storage::WorkArea& clients = db.area(9);
    const uint32_t back = clients.eof() ? 0 : clients.recno();
    const size_t order = clients.active_order();
    clients.set_order(1);
    const bool found = clients.seek(cpf, storage::Seek::Exact);
    bool taken = true;
    if (found) taken = TRAZVALCONJ(env, db, 9);
    clients.set_order(order);
    if (back) clients.go_to(back);
    if (!clients_open) db.close_area(9);
    if (found) {
      if (!taken) refuse();
      return true;
    }
  }
  // The other folders of the list.
  const std::string other = env.other_folder_of ? env.other_folder_of(cpf) : std::string();
  if (other.empty() || !open_other_clients(db, other) || !db.area(kOtherFolderArea).seek(cpf, storage::Seek::Exact)) {
    db.close_area(kOtherFolderArea);
    env.notice({s("ATENÇÃO!CPF do conjuge não foi localizado nenhuma pasta."_cp)});
    return false;
  }
  if (!TRAZVALCONJ(env, db, kOtherFolderArea)) refuse();
  // Each declaration remembers where the other one is.
  storage::WorkArea& spouse = db.area(kOtherFolderArea);
  if (may_change(env, spouse)) {
    db.select(kOtherFolderArea);
    if (db.REC_LOCK(5)) {
      spouse.set("DIRCONJU", core::BAR_FORA(here));
      spouse.unlock();
    }
  }
  db.close_area(kOtherFolderArea);
  put_text(v, "DIRCONJU", core::BAR_FORA(other));
  return true;
}

namespace {

Key spouse_form(FormEnv& env, const Frame& frame) {
  core::Record& v = env.vars;
  MOSTRA_CONJUGE(env, frame);
  Form form(env.ui, v, frame.top(), frame.left());
  form.ending_keys = env.ending_keys;
  form.accepted = env.accepted;
  auto redraw = [&] {
    MOSTRA_CONJUGE(env, frame);
    form.show();
  };
  form.add({1, 5, "CPFCONJU", "@r 999.999.999-99", 0, 0, [&](Value& x) {
              if (!accepted_by(env, VAL_CPF(text_of(x), false, 0))) return false;
              if (core::trim(text_of(x)).empty()) {
                v.set_text("I9_4", "N");
                clear_spouse_values(v);
                redraw();
              }
              return true;
            }});
  form.add({1, 26, "I9_4", "@!", 1, 0,
            [&](Value& x) {
              if (text_of(x) != "S" && text_of(x) != "N") {
                env.notice({"Digite (S)im ou N)ão caso deseje transportar automáticamente os"_cp.data(),
                            "valores da declaração do conjuge. Lembre-se que só deve ser "_cp.data(),
                            "respondido com S(sim) na declaração do conjuge contiver bens em comum."_cp.data()});
                return false;
              }
              v.set("I9_4", x);
              const bool ok = INFO_CONJU(env);
              if (v.text("I9_4") == "S" || v.text("I9_5") == "S") v.set_text("I9_6", "S");
              x = Value(v.text("I9_4"));
              redraw();
              return ok;
            },
            [&] { return !core::trim(v.text("CPFCONJU")).empty(); }});
  form.add({1, 36, "I9_5", "@!", 1, 0,
            [&](Value& x) {
              if (text_of(x) == "S") {
                env.notice({"Atenção! Somente deve-se lançar valores aqui se essa    "_cp.data(),
                            "declaração for a que contiver os bens em comuns do casal."_cp.data(),
                            "Isso feito errado é motivo para glosar uma declaração!   "_cp.data()});
                v.set_text("CONJPAD", "S");
                v.set_text("I9_6", "S");
              } else if (text_of(x) == "N") {
                clear_spouse_values(v);
                redraw();
              } else {
                return accepted_by(env, SNAO(text_of(x)));
              }
              return true;
            },
            [&] { return !core::trim(v.text("CPFCONJU")).empty() && v.text("I9_4") != "S"; }});
  form.add({2, 36, "I9_6", "@!", 1, 0, [&](Value& x) { return accepted_by(env, SNAO(text_of(x))); },
            [&] {
              return !core::trim(v.text("CPFCONJU")).empty() && v.text("I9_4") == "N" && v.text("I9_5") == "N";
            }});
  for (int i = 0; i < 5; ++i)
    form.add({4 + i, 25, kSpouseValues[i], kMoney, 12, 2, nullptr, [&] { return v.text("I9_5") == "S"; }});
  form.accepted = [&](const std::string& var) {
    for (const char* name : kSpouseValues)
      if (var == name) {
        sum_spouse_values(v);
        v.set_number("I9_3", v.number("I9_2"));
        MOSTRA_CONJUGE(env, frame);
      }
    if (env.accepted) env.accepted(var);
  };
  for (;;) {
    form.show();
    const Key k = form.read();
    if (ends_repetition(env, k) || k == Key(Key::Tab | Key::Shift)) return k;
  }
}

Key espolio_form(FormEnv& env) {
  core::Record& v = env.vars;
  for (;;) {
    const Frame frame = assets_frame(57, v);
    draw_frame(env.ui, frame);
    const bool final = v.text("DECFINAL") == "S";
    const screen::Attr attr = screen::attr_of(screen::colour_part(env.ui.con.colour, 1));
    auto extrajudicial_mark = [&] {
      const std::string j = v.text("DECJUDI");
      const std::string mark = !final ? " " : j == "S" ? "N" : j == "N" ? "S" : " ";
      env.ui.con.grid().write(frame.top() + 9, frame.left() + 33, mark, attr);
    };
    if (final) {
      v.set_text("I9_4", "N");
      v.set_text("I9_5", "N");
      for (const char* name : kSpouseValues) v.set_number(name, Decimal(0));
    }
    Form form(env.ui, v, frame.top(), frame.left());
    form.ending_keys = env.ending_keys;
    form.accepted = env.accepted;
    auto filled = [&] { return !core::trim(v.text("CPFINVENT")).empty(); };
    auto when_final = [&] { return final; };
    form.add({2, 6, "CPFINVENT", "@r 999.999.999-99", 0, 0,
              [&](Value& x) { return accepted_by(env, VAL_CPF(text_of(x), true, 0)); }});
    form.add({3, 11, "NOMINVENT", "", 0, 0, nullptr, filled});
    form.add({4, 11, "ENDINVENT", "@S46", 0, 0, nullptr, filled});
    form.add({5, 31, "DECFINAL", "@!", 1, 0,
              [&](Value& x) {
                if (text_of(x) != "S" && text_of(x) != "N")
                  return accepted_by(env, MENSSIMNAO(s("se é uma declaração final."_cp)));
                if (core::trim(v.text("DECJUDI")).empty()) v.set_text("DECJUDI", "S");
                if (text_of(x) != v.text("DECFINAL")) form.stop();  // the form follows the new value
                return true;
              },
              filled});
    if (final) {
      form.add({7, 18, "MORTE2", "@!", 1, 0,
                [&](Value& x) {
                  if (!accepted_by(env, SNAO(text_of(x)))) return false;
                  if (text_of(x) == "N") {
                    put_text(v, "INVCONJ", "");
                    put_text(v, "CPFCOMPA", "");
                    put_text(v, "NOMCOMPA", "");
                    form.show("INVCONJ");
                    form.show("CPFCOMPA");
                    form.show("NOMCOMPA");
                  }
                  return true;
                },
                when_final});
      form.add({7, 46, "INVCONJ", "@!", 1, 0, [&](Value& x) { return accepted_by(env, SNAO(text_of(x))); },
                [&] { return v.text("MORTE2") == "S"; }});
      auto both = [&] { return v.text("MORTE2") == "S" && v.text("INVCONJ") == "S"; };
      form.add({8, 6, "CPFCOMPA", "@r 999.999.999-99", 0, 0,
                [&](Value& x) { return accepted_by(env, VAL_CPF(text_of(x), true, 0)); }, both});
      form.add({8, 26, "NOMCOMPA", "@S31", 0, 0, nullptr, both});
      form.add({9, 11, "DECJUDI", "@!", 1, 0,
                [&](Value& x) {
                  if (!accepted_by(env, SNAO(text_of(x)))) return false;
                  if (text_of(x) != v.text("DECJUDI")) {
                    // Another kind of partition: what it does not have goes.
                    for (const char* name : {"OCUPACAO", "EMAIL", "TITULO"}) put_text(v, name, "");
                    v.set("DATASAIDA", core::Date());
                    v.set_text("USAPADRAO", "N");
                    v.set_text("DECSAIDA", "N");
                    if (v.integer("QTD_QUOTA") > 1) v.set_number("QTD_QUOTA", Decimal(1));
                    form.stop();
                  }
                  v.set("DECJUDI", x);
                  extrajudicial_mark();
                  return true;
                },
                [&] { return final && !core::trim(v.text("DECFINAL")).empty(); }});
      form.add({12, 14, "ANOOBITO", "@z 9999", 4, 0, nullptr, when_final});
      auto state = [&](Value& x) {
        const std::string uf = core::trim(text_of(x));
        return is_state(uf) || uf == "EX";  // refused silently otherwise
      };
      if (v.text("DECJUDI") == "S") {
        form.add({13, 27, "NROPROCES", "", 0, 0, nullptr, when_final});
        form.add({14, 12, "VARACIVIL", "", 0, 0, nullptr, when_final});
        form.add({14, 25, "COMARCA", "", 0, 0, nullptr, when_final});
        form.add({14, 54, "UFPROCES", "@!", 2, 0, state, when_final});
        form.add({15, 40, "DATAPARTI", "@D", 0, 0, nullptr, when_final});
        form.add({16, 40, "DATADECIS", "@D", 0, 0,
                  [&](Value& x) {
                    const core::Date d = std::holds_alternative<core::Date>(x) ? std::get<core::Date>(x) : core::Date();
                    if (!d.is_empty() && d < v.date("DATAPARTI")) {
                      env.notice({s("A data da decisão em julgado deve"_cp), "ser superior a data da partilha."});
                      return false;
                    }
                    return true;
                  },
                  when_final});
      } else {
        form.add({13, 14, "NOMECARTO", "@S40", 0, 0, nullptr, when_final});
        form.add({14, 11, "MUNICARTO", "", 0, 0, nullptr, when_final});
        form.add({14, 54, "UFPROCES", "@!", 2, 0, state, when_final});
        form.add({15, 6, "LIVRCARTO", "@ 9999999", 7, 0, nullptr, when_final});
        form.add({15, 21, "FOLHCARTO", "@ 9999999", 7, 0, nullptr, when_final});
        form.add({15, 36, "CNPJCARTO", "@r 99.999.999/9999-99", 0, 0,
                  [&](Value& x) { return accepted_by(env, VAL_CGC(text_of(x), true)); }, when_final});
        form.add({16, 18, "DATALAVRA", "@D", 0, 0, nullptr, when_final});
      }
    }
    form.show();
    extrajudicial_mark();
    const bool was_final = final;
    const std::string judicial = v.text("DECJUDI");
    const Key k = form.read();
    if (env.leaving()) return k;
    if (v.text("DECFINAL") == "S" && (!was_final || judicial != v.text("DECJUDI"))) continue;  // redrawn
    if (!ends_repetition(env, k) && k != Key(Key::Tab | Key::Shift)) continue;
    if (v.text("DECFINAL") == "S") {
      if (v.text("DECJUDI") == "S" && v.date("DATAPARTI").is_empty()) {
        env.notice({s("Informe a data da partilha. Sem ela o cálculo estará errado"_cp)});
        continue;
      }
      if (v.text("DECJUDI") != "S" && v.date("DATALAVRA").is_empty()) {
        env.notice({s("Informe a data da lavratura. Sem ela o cálculo estará errado"_cp)});
        continue;
      }
    }
    return k;
  }
}

Key departure_form(FormEnv& env, const Frame& frame) {
  core::Record& v = env.vars;
  Form form(env.ui, v, frame.top(), frame.left());
  form.ending_keys = env.ending_keys;
  form.accepted = env.accepted;
  auto leaving_country = [&] { return v.text("DECSAIDA") == "S"; };
  auto in_2015 = [&](const core::Date& d) { return d.is_empty() || d.year() == 2015; };
  form.add({1, 42, "DECSAIDA", "@!", 1, 0, [&](Value& x) {
              if (text_of(x) == "S") {
                v.set_text("DECFINAL", "N");
                v.set_text("USAPADRAO", "N");
                v.set_number("QTD_QUOTA", Decimal(1));
              } else if (text_of(x) == "N") {
                v.set("DATASAIDA", core::Date());
                v.set("DATAPARTI", core::Date());
              } else {
                return accepted_by(env, MENSSIMNAO(s("se é uma declaração saída."_cp)));
              }
              return true;
            }});
  form.add({3, 6, "CPFINVENT", "@r 999.999.999-99", 0, 0,
            [&](Value& x) { return accepted_by(env, VAL_CPF(text_of(x), false, 0)); }, leaving_country});
  form.add({4, 11, "NOMINVENT", "", 0, 0, nullptr, leaving_country});
  form.add({5, 11, "ENDINVENT", "@S46", 0, 0, nullptr, leaving_country});
  auto date_of = [](const Value& x) { return std::holds_alternative<core::Date>(x) ? std::get<core::Date>(x) : core::Date(); };
  form.add({6, 43, "DATASAIDA", "@D", 0, 0,
            [&](Value& x) {
              if (in_2015(date_of(x))) return true;
              env.notice({s("O programa destina-se apenas a saída Definitiva ocorrida em 2015"_cp)});
              return false;
            },
            leaving_country});
  form.add({7, 43, "DATADECIS", "@D", 0, 0,
            [&](Value& x) {
              const core::Date d = date_of(x);
              if (!in_2015(d)) {
                env.notice({s("O programa destina-se apenas a saída Definitiva ocorrida em 2015"_cp)});
                return false;
              }
              if (!d.is_empty() && !v.date("DATASAIDA").is_empty() && v.date("DATASAIDA") < d) {
                env.notice({"A data de residente deve ser anterior a de saída"_cp.data()});
                return false;
              }
              return true;
            },
            leaving_country});
  for (;;) {
    form.show();
    const Key k = form.read();
    if (env.leaving()) return k;
    if (!ends_repetition(env, k) && k != Key(Key::Tab | Key::Shift)) continue;
    if (v.text("DECSAIDA") == "S" && v.date("DATASAIDA").is_empty()) {
      env.notice({s("Informe a data de saída. Sem ela o cálculo estará errado"_cp)});
      continue;
    }
    return k;
  }
}

}  // namespace

Key estate_forms(FormEnv& env, int item) {
  if (item == 57) return espolio_form(env);
  const Frame frame = assets_frame(item, env.vars);
  if (item == 56) return spouse_form(env, frame);
  return departure_form(env, frame);
}

}  // namespace vormel::entry
