#include "shell/calcula_command.h"

#include <ostream>

#include "core/cp850.h"
#include "core/text.h"
#include "declaration/saved_declaration.h"
#include "storage/database.h"
#include "storage/error.h"
#include "storage/paths.h"
#include "tax/computation.h"

namespace vormel::shell {

namespace {

// Messages of the storage layer go to standard error.
class ErrorReporter : public storage::QuietReporter {
 public:
  explicit ErrorReporter(std::ostream& err) : err_(err) {}
  void message(const std::string& text) override { err_ << "vormel calcula: " << core::cp850::to_utf8(text) << "\n"; }

 private:
  std::ostream& err_;
};

std::string with_slash(std::string folder) {
  if (folder.empty()) folder = ".";
  return folder.back() == '/' ? folder : folder + "/";
}

std::string amount(const tax::Money& m) { return m.to_decimal().to_string(2); }

// The current folder of terminal 00 (its folder list), else the program folder.
std::string default_folder(storage::Database& db) {
  if (!storage::file_exists(db.folders.ARQDEF, "DIRET00.DBF")) return db.folders.ARQDEF;
  if (!db.ABREARQ("50", false, db.folders.ARQDEF + "DIRET00")) return db.folders.ARQDEF;
  std::string chosen;
  storage::WorkArea& list = db.area(50);
  for (list.go_top(); !list.eof(); list.skip())
    if (list.text("SELEC") == "S") chosen = core::trim(list.text("DIRETOR"));
  db.close_area(50);
  return chosen.empty() || !storage::folder_exists(chosen) ? db.folders.ARQDEF : with_slash(chosen);
}

std::string figures_line(const tax::DeclarationData& d, const tax::ModelFigures& complete,
                         const tax::ModelFigures& simple) {
  const tax::Record& v = d.vars;
  std::string line = "CPF=" + v.text("CPF") + " USAPADRAO=" + (v.text("USAPADRAO") == "N" ? "N" : "S");
  for (int n = 1; n <= 38; ++n) {
    std::string name = "I13_" + core::pad_left(std::to_string(n), 2, '0');
    line += " " + name + "=" + amount(v.money(name));
  }
  line += " IMPPGRE=" + amount(v.money("IMPPGRE")) + " DESPADRAO=" + amount(v.money("DESPADRAO")) +
          " QTD_QUOTA=" + std::to_string(v.integer("QTD_QUOTA"));
  line += " COMPLETO_I13_20=" + amount(complete.I13_20) + " COMPLETO_I13_26=" + amount(complete.I13_26) +
          " COMPLETO_IMPPGRE=" + amount(complete.IMPPGRE);
  line += " SIMPLES_I13_20=" + amount(simple.I13_20) + " SIMPLES_I13_26=" + amount(simple.I13_26) +
          " SIMPLES_IMPPGRE=" + amount(simple.IMPPGRE);
  return line;
}

}  // namespace

int calcula_command(const std::vector<std::string>& args, const std::string& program_folder, core::Date today,
                    std::ostream& out, std::ostream& err) {
  std::string folder;
  std::vector<std::string> cpfs;
  bool store = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--pasta" && i + 1 < args.size()) folder = args[++i];
    else if (args[i] == "--cpf" && i + 1 < args.size()) cpfs.push_back(core::TIRA_PONTO(args[++i]));
    else if (args[i] == "--grava") store = true;
    else {
      err << "vormel calcula: argumento inválido: " << args[i] << "\n"
          << "uso: vormel calcula [--pasta PASTA] [--cpf CPF ...] [--grava]\n";
      return 2;
    }
  }
  ErrorReporter reporter(err);
  storage::Database db(reporter, {with_slash(program_folder), "", "00"});
  db.folders.LOCARQ = folder.empty() ? default_folder(db) : with_slash(folder);
  if (!storage::folder_exists(db.folders.LOCARQ)) {
    err << "vormel calcula: a pasta " << db.folders.LOCARQ << " não existe\n";
    return 1;
  }
  if (!storage::file_exists(db.folders.LOCARQ, "IMP0916.DBF")) {
    err << "vormel calcula: não há declarações na pasta " << db.folders.LOCARQ << " (falta IMP0916.DBF)\n";
    return 1;
  }
  // Shared opens: other terminals may go on working meanwhile.
  for (int n : {9, 1, 2, 3, 4, 5, 6, 10, 12, 14, 15})
    if (!db.ABERTURA(n)) {
      err << "vormel calcula: não foi possível abrir as tabelas de " << db.folders.LOCARQ << "\n";
      return 1;
    }
  if (cpfs.empty()) {
    storage::WorkArea& clients = db.area(9);
    for (clients.go_top(); !clients.eof(); clients.skip()) cpfs.push_back(clients.text("CPF"));
  }

  int status = 0;
  tax::DeclarationData d;
  for (const auto& cpf : cpfs) {
    try {
      if (!declaration::load_saved(db, core::pad_right(cpf, 11), d)) {
        err << "vormel calcula: CPF " << cpf << " não encontrado em " << db.folders.LOCARQ << "\n";
        status = 1;
        continue;
      }
      d.today = today;
      tax::Computation computation(d);
      computation.BALANCO();
      out << figures_line(d, computation.complete_figures(), computation.simplified_figures()) << "\n";
      if (store && !declaration::store_results(db, d)) {
        err << "vormel calcula: CPF " << cpf << ": resultado não gravado\n";
        status = 1;
      }
    } catch (const storage::StorageError& e) {
      err << "vormel calcula: CPF " << cpf << ": " << e.what() << "\n";
      status = 1;
    }
  }
  return status;
}

}  // namespace vormel::shell
