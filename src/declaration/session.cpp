#include "declaration/session.h"

#include "core/cp850.h"
#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"
#include "entry/identification_form.h"
#include "entry/item_editor.h"
#include "entry/screen_frames.h"
#include "entry/validation.h"
#include "screen/help_screens.h"
#include "screen/lookups.h"
#include "storage/error.h"
#include "storage/paths.h"
#include "tax/computation.h"

namespace vormel::declaration {

using core::Key;
using namespace core::literals;

namespace {

constexpr std::string_view kIndexLine =
    "1=PJ 2=PF 3=Ise 4=Pgto 5=Bem 6=Iden 7=Cal 8=GCap 9=RVar 10=Balan 11=notas 12=AAR";

std::string s(std::string_view v) { return std::string(v); }

// Seconds since the start of the calendar, for the minutes between saves.
long long seconds_of(const core::DateTime& t) { return (long long)t.date.serial() * 86400 + t.seconds; }

struct ItemDef {
  const char* caption;
  const char* key;
  const char* message;
  int number;
};

// The pads of the declaration's bar and their items; a caption "-" is a separator.
struct PadDef {
  const char* caption;
  std::vector<ItemDef> items;
};

std::vector<PadDef> bar(bool with_dependants) {
  std::vector<ItemDef> gains;
  if (with_dependants) {
    gains = {{"G.Cap.Bens &Imoveis Titular ", "", "Ganho de capital na venda de bens imóveis ", 81},
             {"G.Cap.Bens &Moveis Titular  ", "", "Ganho de capital na venda de bens móveis ", 82},
             {"G.Cap.Part.&Societaria Titular", "", "Ganho de capital na venda de Participação Societária ", 83},
             {"-", "", "", 0},
             {"G.Cap.Bens Imoveis &Dependente", "", "Ganho de capital na venda de bens imóveis ", 84},
             {"G.Cap.&Bens Moveis Dependente ", "", "Ganho de capital na venda de bens móveis ", 85},
             {"G.Cap.&Part.Societaria Dependente", "", "Ganho de capital na venda de Participação Societária ", 86},
             {"-", "", "", 0},
             {"RVar. &Op.Comum  Titular", "", "Ganhos ou perdas na renda variável em Operação comum", 91},
             {"RVar. &Day-Trade Titular", "", "Ganhos ou perdas na renda variável em operação Day Trade", 92},
             {"&F.Investimento  Titular", "", "Ganhos ou perdas em fundo de investimento imobiliário", 93},
             {"-", "", "", 0},
             {"RVar. Op.&Comum  Dependente", "", "Ganhos ou perdas na renda variável em Operação comum", 94},
             {"RVar. Day-&Trade Dependente", "", "Ganhos ou perdas na renda variável em operação Day Trade", 95},
             {"F.&Investimento  Dependente", "", "Ganhos ou perdas em fundo de investimento imobiliário", 96}};
  } else {
    gains = {{"G.Cap.Bens &Imóveis  ", "", "Ganho de capital na venda de bens imóveis ", 81},
             {"G.Cap.Bens &Móveis   ", "", "Ganho de capital na venda de bens móveis ", 82},
             {"G.Cap.Part.&Societária ", "", "Ganho de capital na venda de Participação Societária ", 83},
             {"-", "", "", 0},
             {"RVar. &Op.Comum  ", "", "Ganhos ou perdas na renda variável em Operação comum", 91},
             {"RVar. &Day-Trade ", "", "Ganhos ou perdas na renda variável em operação Day Trade", 92},
             {"&F.Investimento  ", "", "Ganhos ou perdas em fundo de investimento imobiliário", 93}};
  }
  return {
      {"p.&Jur",
       {{"rendimento do &Titular   ", "F1", "Rendimentos tributados ou isentos do titular recebidos de Pessoa Jurídica", 11},
        {"&Acumulado  do titular    ", "", "(RRA) Rendimentos Tributáveis recebidos acumuladamente pelo titular", 12},
        {"rendimento do &Dependente", "", "Rendimentos tributados ou isentos dos dependentes recebidos de Pessoa Jurídica", 13},
        {"a&Cumulado  do dependente ", "", "(RRA) Rendimentos Tributáveis recebidos acumuladamente pelo Dependente", 14},
        {"-", "", "", 0},
        {"&Fim da declaração", "Alt+F", "Termina a declaração podendo ou não salvar os dados", 17}}},
      {"p.&Fis",
       {{"rendimento do &Titular   ", "F2", "Rendimentos do titular recebidos de Pessoa Física", 21},
        {"rendimento do &Dependente", "", "Rendimentos dos dependentes recebidos de Pessoa Física", 22}}},
      {"is&Ento",
       {{"rendimentos &Isentos e não tributáveis", "F3", "Rendimentos Isentos e não tributáveis", 31},
        {"rendimentos de &Tributação exclusiva", "", "Rendimentos Sujeitos a tributação exclusiva na fonte", 32}}},
      {"de&Pendente",
       {{"De&pendentes     ", "F4", "Relação dos dependentes", 41},
        {"&Alimentandos    ", "", "Relação dos alimentandos que recebem pensão alimentícia", 42},
        {"&Pagamentos e doações", "", "Relação dos Pagamentos e doaçoes efetuadas", 43},
        {"&Doações diretas", "", "Doações para Estatuto da Criança diretas na declaração", 44},
        {"&Herdeiros/Meeiro", "", "Relação dos herdeiros em uma declaração final", 45}}},
      {"&Bem",
       {{"&Decl. Bens e dívidas   ", "F5", "Declaração dos Bens e das dívidas", 51},
        {"Só a Declar. de &Bens   ", "", "Somente a Declaração dos Bens", 52},
        {"Só a Declar. de Dí&vidas", "", "Somente a Declaração das dívidas e ônus", 53},
        {"&Zoom Declar. de Bens   ", "", "Somente a Declaração dos Bens", 54},
        {"Z&oom Declar. de Dívidas", "", "Somente a Declaração das dívidas e ônus", 55},
        {"-", "", "", 0},
        {"&Informação do Cônjugue", "", "Informações do conjuge", 56},
        {"&Espólio", "", "Informações do espólio", 57},
        {"&Saída definitiva", "", "Informações para saída definitiva", 58}}},
      {"&Iden.", {{"&Identificação", "F6", "Identificação", 61}, {"&Notas e Obsv.", "F11", "Anotações e observações", 62}}},
      {"&Cálculo", {{"&Cálculo", "F7", "Cálculo do Imposto", 71}, {"&Balanco", "F10", "Balanço da declaração", 72}}},
      {"&Ganho", gains},
      {"&Rural",
       {{"&Identificação", "F12", "Identificação da Atividade e do imóvel", 101},
        {"&Receita e Despesas", "", "Lançamento das Receitas e Despesas ", 102},
        {"&Apuração", "", "Apuração do Resultado Tributável", 103},
        {"&Mov. Rebanho", "", "Movimentação do Rebanho", 104},
        {"&Bens Rural", "", "Bens da Atividade Rural", 105},
        {"&Dívidas Rural", "", "Dívidas vinculadas a Atividade rural", 106}}},
      {"he&Lp", {{"&Geral", "", "Ajudas gerais", 121}, {"&Funcoes", "", "Teclas especiais", 122}}},
      {"s&Ai", {{"Sai", "Alt+T", "Sai da declaração", 111}}},
  };
}

}  // namespace

Session::Session(screen::Ui& ui, storage::Database& db, SessionSettings& settings)
    : ui_(ui), db_(db), settings_(settings) {}

void Session::notice(const std::vector<std::string>& lines) { screen::AVISOSN(ui_, lines, 0); }

int Session::dependants() const {
  storage::WorkArea& a = db_.area(23);
  int n = 0;
  if (a.used())
    for (a.go_top(); !a.eof(); a.skip())
      if (a.number("CODIDEPEN") < core::Decimal(98)) ++n;
  return n;
}

void Session::build_menu() {
  screen::Menu& m = ui_.con.menu();
  m = screen::Menu();
  for (const auto& pad : bar(dependants() > 0)) {
    m.sub_menu(core::cp850::from_utf8(pad.caption));
    for (const auto& item : pad.items) {
      if (std::string(item.caption) == "-") {
        m.separator();
        continue;
      }
      const int number = item.number;
      auto& it = m.item(core::cp850::from_utf8(item.caption), [this, number] { MENU2SELECT(number); });
      it.shortcut = item.key;
      it.message = core::cp850::from_utf8(item.message);
    }
    m.end_menu();
  }
}

void Session::MENU2SELECT(int item) {
  walk_.OPCIR_1 = item;
  walk_.TECLAMUDA = true;
  core::Record& v = workspace_->vars;
  const bool deps = dependants() > 0;
  auto need_dependants = [&] {
    if (!deps) notice({"Sem dependentes para usar essa opção"_cp.data()});
    return deps;
  };
  auto show = [&](int tela) {
    walk_.TELA = tela;
    if (in_screen_) {
      // Chosen from the bar while a screen is open: that screen ends and the walk goes on
      // with this one, instead of opening a screen inside the other.
      chosen_by_menu_ = true;
      ui_.con.push_key(Key(Key::Esc));
      return;
    }
    GIRO();
  };
  switch (item) {
    case 11: case 12: v.set_text("I1_1", item == 11 ? "J" : "A"); v.set_text("I1_11", "S"); show(1); break;
    case 13: case 14:
      if (need_dependants()) {
        v.set_text("I1_1", item == 13 ? "J" : "A");
        v.set_text("I1_11", "N");
        show(1);
      }
      break;
    case 17: case 111: SAI_DA_DEC(item); break;
    case 21: show(2); break;
    case 22: if (need_dependants()) show(2); break;
    case 31: case 32: show(3); break;
    case 41: case 42: case 43: show(4); break;
    case 44:
      if (v.text("USAPADRAO") != "S") show(4);
      else notice({s("Para fazer doação direta na declaração só na Completa."_cp)});
      break;
    case 45:
      if (v.text("DECFINAL") == "S") show(4);
      else notice({s("Herdeiros só em declaração final de espólio"_cp)});
      break;
    case 51: show(5); break;
    case 52: case 53: show(23); break;
    case 54: case 55: show(22); break;
    case 56:
      if (v.text("DECFINAL") != "S") {
        show(5);
      } else {
        notice({s("Essa declaração está marcada como uma  "_cp), s("Declaração final de espólio e não pode"_cp),
                "ter mais os rendimentos do conjugue"});
        v.set_text("I9_4", "N");
        v.set_text("I9_5", "N");
        for (int n = 1; n <= 5; ++n) v.set_number("I13_" + std::to_string(n) + "C", 0);
      }
      break;
    case 57:
      if (v.text("DECSAIDA") != "S") show(5);
      else notice({s("Essa declaração está marcada como uma  "_cp), s("Declaração de saída definitiva do país "_cp),
                   s(" e não pode, portanto, ser uma de Espólio"_cp)});
      break;
    case 58:
      if (v.text("DECFINAL") != "S") show(5);
      else notice({s("Essa declaração está marcada como uma  "_cp), s("Declaração final de espólio "_cp),
                   s(" e não pode, portanto, ser uma de Saída definitiva"_cp)});
      break;
    case 61: show(6); break;
    case 62: show(11); break;
    case 71: show(7); break;
    case 72: show(10); break;
    case 81: case 82: case 83: v.set_number("TIPO_BEM", item - 80); show(8); break;
    case 84: case 85: case 86: if (need_dependants()) { v.set_number("TIPO_BEM", item - 83); show(8); } break;
    case 91: case 92: case 93:
      v.set_text("DAY_TRADE", std::to_string(item - 90));
      v.set_number("TIPO_BEM", 4);
      show(9);
      break;
    case 94: case 95: case 96:
      if (need_dependants()) {
        v.set_text("DAY_TRADE", std::to_string(item - 93));
        v.set_number("TIPO_BEM", 4);
        show(9);
      }
      break;
    case 121: screen::HELPGER(ui_); break;
    case 122: screen::HELPFUN(ui_); break;
    default:
      if (item >= 101 && item <= 106) {
        if (v.text("TEMRURAL") != "S") {
          notice({s("Esse contribuinte não esta selecionado que tenha necessidade da Atividade Rural. Se for o caso vá na tela de identificação e marque essa condição."_cp)});
        } else if (item == 102 && v.text("ATV_BRASIL") == "N") {
          notice({"As receitas e despesas da atividade no exterior", s("são lançadas junto ao imóvel pelo total."_cp)});
        } else {
          show(item - 89);
        }
      }
      break;
  }
}

void Session::show_screen() {
  // The background, the index line and the screen's frame; its fields come with the forms.
  screen::Console& con = ui_.con;
  const screen::Snapshot under = con.grid().save(screen::Rect{0, 0, screen::Grid::kRows - 1, screen::Grid::kCols - 1});
  screen::ENCHETELA(ui_, ' ', screen::ACHACOR(ui_.colours.COR_ENCHE));
  con.grid().write(0, 0, kIndexLine, screen::attr_of(screen::ACHACOR(ui_.colours.COR_TEL1)));
  const entry::Frame frame = entry::screen_frame(walk_.TELA, walk_.OPCIR_1, workspace_->vars);
  entry::draw_frame(ui_, frame);
  VETEMPO(false);
  if (walk_.TELA != 10) TELANT_ = walk_.TELA;
  walk_.TECLAMUDA = false;
  chosen_by_menu_ = false;
  in_screen_ = true;
  const Key k = GTELA(frame);
  in_screen_ = false;
  screen::FECHAJAN(ui_, 3);
  con.grid().restore(under);
  con.status_text("");
  workspace_->keep_variables();
  // The automatic save, every TEMP_SAL minutes.
  const int minutes = settings_.TEMP_SAL;
  if (minutes >= 1 && minutes <= 97) {
    const long long now = seconds_of(con.clock().now());
    if (now - last_save_ >= minutes * 60LL) SAL_DEC();
  }
  if (!chosen_by_menu_) next_screen(walk_, k);
}

Key Session::GTELA(const entry::Frame& frame) {
  entry::FormEnv env(ui_, db_, workspace_->vars);
  env.today = ui_.con.clock().today();
  env.NOMEAG = settings_.NOMEAG;
  env.NUSU = settings_.NUSU;
  env.STATRAVA = settings_.STATRAVA;
  // Tab and the function keys end a form; the walk then chooses the next screen by them.
  env.ending_keys = [](Key k) {
    if (k == Key(Key::Tab) || k == Key(Key::Tab | Key::Shift)) return true;
    if (k.base() >= Key::F1 && k.base() <= Key::F12 && k.mods() == 0) return true;
    return k == Key(Key::F1 | Key::Alt) || k == Key(Key::F2 | Key::Alt);
  };
  env.accepted = [this](const std::string&) { workspace_->keep_variables(); };
  env.swap_rural = [this](const std::string& before, const std::string& after) {
    if (!workspace_->swap_activity(before, after)) notice({s("Aguardando outro terminal carregar dados..."_cp)});
    walk_.abroad = after == "N";
  };
  env.other_folder_of = [this](const std::string& cpf) { return other_folder_with(cpf); };
  env.leaving_flag = &leave_;
  edit_context_.vars = &workspace_->vars;
  edit_context_.cpf = cpf_;
  edit_context_.activity = workspace_->vars.text("ATV_BRASIL");
  edit_context_.declaration = true;
  edit_context_.rural = walk_.rural;
  switch (walk_.TELA) {
    case 5:
      if (walk_.OPCIR_1 >= 56 && walk_.OPCIR_1 <= 58) return entry::estate_forms(env, walk_.OPCIR_1);
      if (walk_.OPCIR_1 == 51) {
        // The assets, with their totals on the frame's row; the debts come with their list.
        const Key k = entry::EDITA(ui_, db_, 5, edit_context_);
        entry::FI7_T(db_, workspace_->vars);
        ui_.con.status_text(s("Alt F1=Tela Aux. Alt +=Todos campos "_cp));
        return k;
      }
      break;
    case 6: {
      const Key k = entry::identification_form(env, frame);
      // The rural screens follow the annex as it was just marked.
      walk_.rural = workspace_->vars.text("TEMRURAL") == "S";
      return k;
    }
    case 11: {
      // The status, then Enter after its last field goes on to the notes.
      Key k = entry::status_form(env, frame);
      if (k == Key(Key::Enter)) {
        ui_.con.status_text(s("Anote informações. INS=Inclui ALT L inclui n linhas. Ctrl Enter vai p/ erro."_cp));
        k = entry::EDITA(ui_, db_, 11, edit_context_, 0);
      }
      return k;
    }
    default: break;
  }
  return ui_.con.read_key();
}

void Session::GIRO() {
  while (walk_.TELA != 0 && !leave_) {
    if (walk_.TELA > walk_.TELAMAX() && walk_.TELA != 22 && walk_.TELA != 23) {
      if (walk_.TELA == 18) walk_.TELA = 12;
      else break;
    }
    show_screen();
  }
  walk_.TELA = 0;
  // Left from inside a screen chosen on the bar: the wait for the bar's next key ends.
  if (leave_) ui_.con.push_key(Key(Key::Wake));
}

void Session::DESLIG_RELG() {
  // Pausing adds what was counted so far; resuming counts from now.
  if (!time_->paused_by_user()) VETEMPO(false);
  time_->toggle_pause(seconds_of(ui_.con.clock().now()));
}

void Session::VETEMPO(bool final) {
  // The time spent is added to what the declaration had, counted from the last save.
  const core::DateTime now = ui_.con.clock().now();
  time_->key_pressed(seconds_of(ui_.con.last_typed()));
  const long long elapsed = time_->take(seconds_of(now));
  core::Record& v = workspace_->vars;
  v.set_number("TEM_USO", std::min<long long>(999999, v.integer("TEM_USO") + elapsed));
  // Its size: the rows of its working copies 01 to 14.
  long long bytes = 0;
  for (int n = 1; n <= 14; ++n) {
    storage::WorkArea& a = db_.area(n + 20);
    if (!a.used()) continue;
    const long long fields = (long long)a.table().fields().size();
    bytes += (long long)a.table().record_length() * a.record_count() + 32 * fields + 33 + 1;
  }
  v.set_number("TAM_USO", std::min<long long>(999999, bytes));
  if (!final) return;
  // The usage log: who worked on which declaration, when and how long.
  bool opened;
  {
    storage::QuietOpens quiet(db_);
    opened = db_.ABERTURA(73);
  }
  if (!opened) return;
  db_.select(73);
  if (db_.ADD_REC(5)) {
    storage::WorkArea& log = db_.area(73);
    const long long span = std::max(0LL, seconds_of(now) - seconds_of(opened_));
    log.set("NOMEAG", settings_.NOMEAG);
    log.set("CPF", cpf_);
    log.set("NOMECONTR", v.text("NOMECONTR"));
    log.set("DATAUSO", now.date);
    log.set("INIUSO", core::SEG_HORA(opened_.seconds));
    log.set("FIMUSO", core::SEG_HORA(now.seconds));
    log.set("TEMUSO", core::SEG_HORA(long(span % 86400)));
    log.unlock();
  }
  db_.close_area(73);
}

bool Session::save(bool final) {
  VETEMPO(final);
  tax::DeclarationData data = workspace_->data();
  tax::Computation computation(data);
  computation.BALANCO();
  workspace_->take_results(data);
  SaveResult result = workspace_->save(final);
  last_save_ = seconds_of(ui_.con.clock().now());
  if (!result.ok) {
    std::vector<std::string> lines{s("ATENÇÃO! A declaração não foi gravada por inteiro."_cp)};
    std::string tables;
    for (const auto& t : result.failed) tables += (tables.empty() ? "" : ", ") + t;
    lines.push_back("Tabelas: " + tables);
    lines.push_back("Tente gravar de novo.");
    notice(lines);
  }
  return result.ok;
}

bool Session::protected_status() {
  const int status = workspace_->vars.integer("ESTATUS");
  if (settings_.STATRAVA == 0 || status != settings_.STATRAVA) return false;
  notice({s("Declaração com Status de proteção contra alteração."_cp), s("Logo não é permitido salvar qualquer modificação!"_cp)});
  return true;
}

bool Session::SAL_DEC() { return !protected_status() && save(false); }

void Session::SAI_DA_DEC(int item) {
  if (protected_status()) {
    INI = "I";
    leave_ = true;
    ui_.con.push_key(Key(Key::Esc));
    return;
  }
  if (item == 17) {
    auto a = screen::AVISOSN(ui_,
                             std::vector<std::string>{s("Termina a Declaração?"_cp), "Sim...  Salva tudo e sai.       ",
                                                      s("Não...  Volte para a declaração."_cp),
                                                      s("Ignore. Sai sem salvar as alterações."_cp)},
                             3);
    if (a.letter == "N" || a.letter.empty()) return;
    INI = a.letter == "I" ? "I" : "N";
  } else {
    ui_.con.clear_typeahead();
    INI = "N";
  }
  leave_ = true;
  // A hot key runs inside the wait for a key: a key of our own ends that wait.
  ui_.con.push_key(Key(Key::Esc));
}

void Session::run_declaration() {
  screen::Console& con = ui_.con;
  screen::Menu main_menu = con.menu();
  leave_ = false;
  INI = "N";
  last_save_ = seconds_of(con.clock().now());
  // The time spent: paused by Alt+H, and after TEMP_DES minutes without a key until the next.
  time_.emplace(last_save_, settings_.TEMP_DES);
  const size_t idle_watch = con.on_tick([this] {
    const long long now = seconds_of(ui_.con.clock().now());
    time_->key_pressed(seconds_of(ui_.con.last_typed()));
    time_->tick(now);
  });
  opened_ = con.clock().now();
  build_menu();
  con.set_key(Key::alt('T'), [this] { SAI_DA_DEC(111); });
  con.set_key(Key::alt('F'), [this] { SAI_DA_DEC(17); });
  if (settings_.TEMP_SAL < 99) con.set_key(Key::alt('W'), [this] { SAL_DEC(); });
  con.set_key(Key::alt('S'), [this] {
    // In a field the calculator's result goes into it, as with Alt+A.
    if (ui_.editing_field) ui_.con.push_key(Key(Key::Calculator));
    else if (ui_.calculator) ui_.calculator();
  });
  con.set_key(Key::alt('H'), [this] { DESLIG_RELG(); });
  // The bar opens on the identification pad for a new declaration, else on the first;
  // after that the keys work as on the main screen (F10 or Alt + letter open the bar,
  // the declaration's hot keys act at once).
  con.run_menu(created_ ? 5 : 0);
  for (;;) {
    while (!leave_) {
      const Key k = con.read_key();
      if (leave_) break;
      if (k == Key(Key::F10) || k.base() < Key::F1 || k.base() > Key::F12) continue;
      // F1..F9, F11, F12 go straight to their screens.
      walk_.TELA = 0;
      next_screen(walk_, k);
      if (walk_.TELA != 0) GIRO();
    }
    if (INI == "I") {
      if (!db_.area(9).used()) db_.ABERTURA(9);
      storage::WorkArea& clients = db_.area(9);
      db_.select(9);
      if (clients.seek(cpf_, storage::Seek::Exact) && db_.REC_LOCK(5)) {
        clients.set("NUSUAT", std::string("  "));
        clients.unlock();
      }
      break;
    }
    if (save(true)) break;
    leave_ = false;  // not saved: the operator stays and can try again
  }
  con.remove_tick(idle_watch);
  for (int n = 21; n <= 40; ++n) db_.close_area(n);
  workspace_.reset();
  for (Key k : {Key::alt('T'), Key::alt('F'), Key::alt('W'), Key::alt('S'), Key::alt('H')}) con.clear_key(k);
  con.menu() = main_menu;
}

void Session::DECLARA() {
  open_chooser();
  for (;;) {
    if (!GET_CODIGO()) break;
    close_chooser();
    run_declaration();
    // The chooser again, showing the client just left.
    open_chooser();
    if (db_.area(9).used()) db_.area(9).seek(cpf_, storage::Seek::Exact);
    MOSTR_PAG();
    if (settings_.OPCFIM != 2) break;
  }
  close_chooser();
}

}  // namespace vormel::declaration
