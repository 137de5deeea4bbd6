// Runs one routine of the screen toolkit headless, for the scenario tests:
//   toolkit_probe ROUTINE --headless --keys FILE --dump DIR
// The routine's answer goes to DIR/result.txt (UTF-8); the screens to the dumps.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "core/cp850.h"
#include "core/picture.h"
#include "core/text.h"
#include "office/calculator.h"
#include "screen/help_screens.h"
#include "screen/lookups.h"
#include "screen/headless_backend.h"
#include "screen/screen_reporter.h"
#include "screen/ui.h"
#include "storage/database.h"

using namespace vormel;
using namespace vormel::core::literals;
using core::Value;

namespace {

std::string show(const Value& v) {
  if (auto* s = std::get_if<std::string>(&v)) return "text:" + core::cp850::to_utf8(*s);
  if (auto* d = std::get_if<core::Decimal>(&v)) return "number:" + d->to_string();
  if (auto* d = std::get_if<core::Date>(&v)) return "date:" + core::DTOC(*d);
  return std::string("logical:") + (std::get<bool>(v) ? "T" : "F");
}

// A window with the lines of a chooser.
void chooser_window(screen::Ui& ui) {
  screen::DEFINEJAN(ui, 5, 30, 31, 63, 5, 30, 9, 49, 0);
  screen::ABREJAN(ui, 5);
  screen::ESCRJAN(ui, 5, std::string(" Abrir declaração   "_cp) + " Conferir           " + " Imprimir           " +
                             " Sair               ");
  ui.OPCOES = "ACIS";
}

// Three clients in the folder's IMP09, for the client lists.
void seed_clients(storage::Database& db) {
  if (!db.ABERTURA(9)) return;
  storage::WorkArea& a = db.area(9);
  a.go_top();
  if (!a.eof()) return;
  struct Client {
    const char *cpf, *name, *model, *rural;
    int status;
  };
  // CPF, name and status orders all differ.
  const Client clients[] = {{"33333333333", "ANA PEREIRA", "S", "N", 2},
                            {"11111111111", "MARCOS LIMA", "N", "S", 3},
                            {"22222222222", "ZELIA COSTA", "S", "N", 1}};
  for (const Client& c : clients) {
    db.select(9);
    if (!db.ADD_REC(5)) return;
    a.set("CPF", std::string(c.cpf));
    a.set("NOMECONTR", std::string(c.name));
    a.set("USAPADRAO", std::string(c.model));
    a.set("TEMRURAL", std::string(c.rural));
    a.set("ESTATUS", core::Decimal(c.status));
    a.set("EMAIL", std::string(c.name).substr(0, 3) + "@exemplo.com.br");
    a.unlock();
  }
}

std::string show_trimmed(const Value& v) {
  if (auto* s = std::get_if<std::string>(&v)) return "text:" + core::cp850::to_utf8(core::rtrim(*s));
  return show(v);
}

// lookup=FIELD (mode 0), lookup1=FIELD (mode 1), lookup-open=FIELD (its table already
// open by the caller on its second record, in record order). Alt+F1 asks for the bank
// list meanwhile, which must be refused while a list is open.
std::string run_lookup(screen::Ui& ui, const std::string& routine) {
  const size_t eq = routine.find('=');
  const std::string kind = routine.substr(0, eq), field = routine.substr(eq + 1);
  screen::ScreenReporter reporter(ui);
  std::string here = std::filesystem::current_path().string() + "/";
  storage::Database db(reporter, {here, here, "00"});
  screen::LookupRequest request(field, kind == "lookup1" ? 1 : 0);
  const screen::LookupDef* def = screen::find_lookup(field, request.mode);
  if (!def) return "no list";
  if (def->table == 9) seed_clients(db);
  if (def->table == 9 && kind != "lookup-open") db.close_area(9);
  const int table = def->table;
  if (kind == "lookup-open") {
    db.ABERTURA(table);
    db.area(table).set_order(0);
    db.area(table).go_to(2);
  }
  db.select(1);
  screen::Lookups lookups(ui, db);
  std::string nested = "none";
  ui.con.set_key(core::Key::Alt | core::Key::F1, [&] {
    nested = lookups.GERAL({"I1_3"}).shown ? "shown" : "ignored";
  });
  screen::LookupResult r = lookups.GERAL(request);
  std::string out = std::string("shown:") + (r.shown ? "1" : "0") + " chosen:" + (r.chosen ? "1" : "0");
  for (const auto& [name, value] : r.values) out += " " + name + "=" + show_trimmed(value);
  out += " COD=" + show_trimmed(r.COD);
  out += std::string(" row:") + (r.into_row ? "1" : "0") + " refresh:" + (r.refresh ? "1" : "0");
  out += " nested:" + nested + " area:" + std::to_string(db.selected());
  storage::WorkArea& a = db.area(table);
  out += std::string(" open:") + (a.used() ? "1" : "0");
  if (kind == "lookup-open") out += std::string(" kept:") + (a.active_order() == 0 && a.recno() == 2 ? "1" : "0");
  return out;
}

std::string run(screen::Ui& ui, const std::string& routine) {
  screen::ENCHETELA(ui, ' ', "W+/B");
  ui.con.grid().write(0, 0, "FUNDO DA TELA", 0x1F);
  if (routine == "rec-lock" || routine == "open-with-messages") {
    // The tables of the current folder, with the storage messages on this screen.
    screen::ScreenReporter reporter(ui);
    std::string here = std::filesystem::current_path().string() + "/";
    storage::Database db(reporter, {here, here, "00"});
    if (routine == "open-with-messages") {
      db.MOS_MENS = true;
      return db.ABERTURA(4) ? "opened" : "failed";
    }
    if (!db.ABERTURA(9)) return "not opened";
    db.area(9).set_order(0);
    db.area(9).go_to(1);
    return db.REC_LOCK(5) ? "locked" : "refused";
  }
  if (routine == "mens-input") {
    Value v = core::Decimal(0);
    screen::MensArgs a;
    a.col = 'C';
    a.var = &v;
    a.picture = "@E 999,999.99";
    a.width = 10;
    a.decimals = 2;
    return show(screen::MENS(ui, 14, "Valor a cobrar", a));
  }
  if (routine == "mens-text") {
    Value v = std::string(10, ' ');
    screen::MensArgs a;
    a.var = &v;
    a.picture = "@!";
    return show(screen::MENS(ui, 14, "Nome", a));
  }
  if (routine == "clipboard") {
    // Copy from one input box, paste into a text box and into a number box.
    Value first = std::string(12, ' '), second = std::string(12, ' '), number = core::Decimal(0);
    screen::MensArgs a;
    a.var = &first;
    screen::MENS(ui, 14, "Copie", a);
    a.var = &second;
    screen::MENS(ui, 14, "Cole", a);
    a.var = &number;
    a.picture = "@E 999,999.99";
    a.width = 10;
    a.decimals = 2;
    screen::MENS(ui, 14, "Valor", a);
    return show(first) + "|" + show(second) + "|" + show(number);
  }
  if (routine == "mens-key") {
    screen::MensArgs a;
    a.col = 'C';
    a.letters = "TA";
    return show(screen::MENS(ui, 12, std::string("Espaço insuficente no Disco. (T)roque ou (A)bandona"_cp), a));
  }
  if (routine == "mens-box") {
    screen::MENS(ui, 13, "Criando IMP01.DBF");
    ui.con.wait_key();
    screen::FECHAJAN(ui, 10);
    ui.con.wait_key();
    return "closed";
  }
  if (routine.rfind("avisosn-", 0) == 0) {
    int type = std::stoi(routine.substr(8));
    auto a = screen::AVISOSN(ui, std::vector<std::string>{"Primeira linha", "Segunda linha"}, type,
                             {"Um", "Dois", "Tres", "Quatro"}, "Pergunta");
    return "letter:" + a.letter + " yes:" + (a.yes ? "T" : "F") + " button:" + std::to_string(a.button);
  }
  if (routine == "esc-opcao" || routine == "esc-opcao-help") {
    chooser_window(ui);
    ui.MENSMENU = {"", "Abre uma declaracao", "Confere a declaracao", "Imprime", "Sai"};
    ui.POSVER = 9;  // a position left by a longer chooser
    int n = screen::ESC_OPCAO(ui, 5, 4, 1, 20, 0, 1, routine == "esc-opcao-help");
    return "item:" + std::to_string(n) + " posver:" + std::to_string(ui.POSVER);
  }
  if (routine == "calculator") {
    office::CalcPosition pos;
    auto r = office::CALCULADORA(ui, pos);
    return r ? "result:" + r->to_string() : std::string("result:none");
  }
  if (routine == "windows") {
    screen::DEFINEJAN(ui, 3, 30, 31, 63, 3, 10, 6, 29, 7);
    screen::ABREJAN(ui, 3);
    screen::ESCRJAN(ui, 3, "\x02" + screen::REP(5) + "-\x01texto da janela 7   linha dois");
    ui.con.wait_key();
    screen::FECHAJAN(ui, 3);
    ui.con.wait_key();
    return "done";
  }
  if (routine.rfind("lookup", 0) == 0) return run_lookup(ui, routine);
  if (routine == "helpger") {
    screen::HELPGER(ui);
    return "closed";
  }
  if (routine == "helpfun") {
    screen::HELPFUN(ui);
    return "closed";
  }
  if (routine.rfind("helptext=", 0) == 0) {
    screen::ScreenReporter reporter(ui);
    std::string here = std::filesystem::current_path().string() + "/";
    storage::Database db(reporter, {here, here, "00"});
    return screen::show_help_text(ui, db, routine.substr(9)) ? "shown" : "none";
  }
  return "unknown routine " + routine;
}

}  // namespace

int main(int argc, char** argv) {
  std::string routine, keys, dump;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--keys" && i + 1 < argc) keys = argv[++i];
    else if (a == "--dump" && i + 1 < argc) dump = argv[++i];
    else if (a == "--headless" || a == "--hoje") { if (a == "--hoje") ++i; }
    else routine = a;
  }
  std::ifstream in(keys, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  auto steps = screen::parse_key_script(text.str(), &error);
  if (!error.empty()) {
    std::cerr << error << "\n";
    return 2;
  }
  std::filesystem::create_directories(dump);
  screen::HeadlessBackend backend(screen::KeyScript(std::move(steps)), dump);
  core::Clock clock;
  screen::Console con(backend, clock);
  screen::Ui ui(con);
  office::CalcPosition calc_pos;
  ui.calculator = [&] { return office::CALCULADORA(ui, calc_pos); };
  try {
    std::string result = run(ui, routine);
    con.present();
    backend.dump("after");
    std::ofstream(std::string(dump) + "/result.txt") << result << "\n";
    return 0;
  } catch (const screen::ScriptExhausted&) {
    backend.dump("final");
    return 3;
  }
}
