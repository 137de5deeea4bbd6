// A table of the work folder as a delimited text file in the work-file folder: text
// fields between double quotes, fields separated by commas, one record per line.
#include <fstream>

#include "core/cp850.h"
#include "core/text.h"
#include "shell/application.h"
#include "storage/file.h"
#include "storage/paths.h"

namespace vormel::shell {

using namespace core::literals;

namespace {

struct Export {
  int table;
  const char* file;
};
constexpr Export kExports[] = {{4, "Bens.txt"},      {5, "Divida.txt"},   {6, "Pagos.txt"},  {9, "Cadastro.txt"},
                               {17, "Bensru.txt"},   {18, "Dividaru.txt"}, {16, "Imoveis.txt"}};

// One field as text: quoted text (a quote inside doubled), numbers as stored, dates
// as YYYYMMDD, logicals T or F. The file is UTF-8, as text files are here.
std::string exported(const storage::Field& f, const core::Value& v) {
  if (auto* t = std::get_if<std::string>(&v)) {
    std::string out = "\"";
    for (char c : core::cp850::to_utf8(core::rtrim(*t))) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
  }
  if (auto* n = std::get_if<core::Decimal>(&v)) return n->to_string(f.decimals);
  if (auto* d = std::get_if<core::Date>(&v)) return core::trim(core::DTOS(*d));
  return std::get<bool>(v) ? "T" : "F";
}

}  // namespace

void Application::export_table(int option) {
  if (option < 1 || option > 7) return;
  const Export& e = kExports[option - 1];
  if (!db_.area(e.table).used() && !db_.ABERTURA(e.table)) return;
  storage::WorkArea& a = db_.area(e.table);
  const std::string path = g_.LOCTRAB + e.file;
  storage::TemporaryName temporary(storage::temporary_name(path));
  {
    std::ofstream out(temporary.path(), std::ios::binary);
    const size_t order = a.active_order();
    a.set_order(0);
    for (a.go_top(); !a.eof(); a.skip()) {
      std::string line;
      for (const auto& f : a.table().fields()) line += (line.empty() ? "" : ",") + exported(f, a.get(f));
      out << line << "\r\n";
    }
    a.set_order(order);
    if (!out) {
      screen::AVISOSN(ui_, std::string("Não foi possível gravar "_cp) + path, 0);
      return;
    }
  }
  storage::replace_file(temporary.path(), path);
  temporary.renamed();
  screen::AVISOSN(ui_, std::vector<std::string>{std::string("Criado arquivo ") + e.file + " na pasta", g_.LOCTRAB}, 0);
  if (e.table != 9) db_.close_area(e.table);
}

}  // namespace vormel::shell
