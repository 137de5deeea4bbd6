// The checks of the identification-type forms: each refusal shows its notice and keeps
// the value out of the memory variables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../storage/temp_folder.h"
#include "../support/scripted_backend.h"
#include "core/cp850.h"
#include "entry/identification_form.h"
#include "entry/screen_frames.h"
#include "entry/validation.h"
#include "storage/database.h"

namespace {

using namespace vormel;
using core::Key;

struct Case {
  const char* what;
  int screen, item;                                   // the form
  std::vector<std::pair<const char*, const char*>> vars;  // what the declaration has
  int enters;                                         // fields passed before the one checked
  const char* typed;
  std::string notice;                                 // a line of the notice, UTF-8
  const char* var;                                    // the variable that must not take it
};

struct FormChecks : ::testing::Test {
  test_support::ScriptedBackend backend;
  core::Clock clock = core::Clock::starting_at(core::DateTime{*core::Date::from_ymd(2016, 4, 15), 36000});
  screen::Console con{backend, clock};
  screen::Ui ui{con};
  storage::testing::TempFolder dir;
  storage::QuietReporter reporter;
  storage::Database db{reporter, {dir.path(), dir.path(), "00"}};

  void run(const Case& c, core::Record& vars) {
    for (auto [name, value] : c.vars) vars.set_text(name, value);
    entry::FormEnv env(ui, db, vars);
    env.today = clock.today();
    for (int i = 0; i < c.enters; ++i) backend.keys.emplace_back(Key::Enter);
    backend.type(c.typed);
    backend.keys.emplace_back(Key::Enter);  // the check refuses: its notice
    backend.keys.emplace_back(Key::Enter);  // closes it
    backend.keys.emplace_back(Key::Esc);    // the form ends without the value
    try {
      if (c.screen == 6) entry::identification_form(env, entry::identification_frame(vars));
      else entry::estate_forms(env, c.item);
    } catch (const screen::ScriptExhausted&) {
      // a form that repeats itself asks for more keys
    }
  }
};

std::string utf8(std::string_view cp850) { return core::cp850::to_utf8(cp850); }

TEST_F(FormChecks, EachRefusalShowsItsNotice) {
  const std::vector<Case> cases = {
      {"rural mark", 6, 61, {}, 0, "X", utf8(entry::VE_LETRSN("X").notice.front()), "TEMRURAL"},
      {"spouse's CPF", 6, 61, {}, 4, "52998224726", "ATENÇÃO! CPF 529.982.247-26 está incorreto.", "CPFCONJU"},
      {"Brazil or abroad", 6, 61, {}, 12, "X", "Informe com 'S'(Sim) ou 'N'(Não)", "EBRASIL"},
      {"procurator's CPF abroad", 6, 61, {{"EBRASIL", "N"}, {"EXTERIOR", "S"}}, 14, "52998224726",
       "ATENÇÃO! CPF 529.982.247-26 está incorreto.", "PROCBRASIL"},
      {"NIT", 6, 61, {{"UF", "SP"}}, 30, "12345678901", utf8(entry::VAL_NIT("12345678901", 2).notice.front()), "NIT_TIT"},
      {"fetch the spouse's figures", 5, 56, {{"CPFCONJU", "52998224725"}}, 1, "X",
       "Digite (S)im ou N)ão caso deseje transportar", "I9_4"},
      {"final espólio", 5, 57, {{"CPFINVENT", "52998224725"}}, 3, "X", "se é uma declaração final.", "DECFINAL"},
      {"partition decided before the partition", 5, 57,
       {{"CPFINVENT", "52998224725"}, {"DECFINAL", "S"}, {"DECJUDI", "S"}, {"MORTE2", "N"}, {"UFPROCES", "SP"}}, 11,
       "10102015\n01012015", "A data da decisão em julgado deve", "DATADECIS"},
      {"notary's CNPJ", 5, 57,
       {{"CPFINVENT", "52998224725"}, {"DECFINAL", "S"}, {"DECJUDI", "N"}, {"MORTE2", "N"}, {"UFPROCES", "SP"}}, 12,
       "11222333000182", utf8(entry::VAL_CGC("11222333000182", true).notice.front()), "CNPJCARTO"},
      {"resident again after leaving", 5, 58, {{"DECSAIDA", "S"}}, 4, "01062015\n01072015",
       "A data de residente deve ser anterior a de saída", "DATADECIS"},
      {"saída date", 5, 58, {{"DECSAIDA", "S"}}, 4, "10102014", "O programa destina-se apenas a saída Definitiva ocorrida em 2015",
       "DATASAIDA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    backend.keys.clear();
    backend.screens.clear();
    core::Record vars;
    run(c, vars);
    EXPECT_TRUE(backend.showed(c.notice)) << (backend.screens.empty() ? "" : backend.screens.back());
    EXPECT_NE(vars.text(c.var), c.typed);
  }
}

}  // namespace
