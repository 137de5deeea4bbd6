// Saves a declaration in a separate process that stops itself before the Nth write of
// the save, for the test that kills it there (as a crash would).
//   declaration_probe FOLDER CPF NTH
#include <cstdio>
#include <filesystem>
#include <string>

#include "declaration/workspace.h"
#include "storage/file.h"

using namespace vormel;

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::string folder = std::string(argv[1]) + "/";
  storage::QuietReporter reporter;
  storage::Database db(reporter, {folder, folder, "07"});
  std::filesystem::create_directories(folder + "work");
  declaration::Workspace w(db, folder + "work/");
  if (!w.load(argv[2], false)) return 1;
  w.vars.set_text("NOMECONTR", "NOME GRAVADO");
  storage::WorkArea& assets = db.area(24);
  for (int i = 0; i < 3; ++i) {
    if (!assets.try_append_blank()) return 1;
    assets.set("CPF", std::string(argv[2]));
    assets.set("I7_0", core::Decimal(100 + i));
  }
  if (!w.save(false).ok) return 1;  // marked in use, as an open declaration is
  w.vars.set_text("NOMECONTR", "NOME NOVO");
  assets.go_top();
  assets.erase();  // one asset fewer
  w.keep_variables();
  std::printf("ready\n");
  std::fflush(stdout);
  storage::WriteFaults::stop_before_write(std::stol(argv[3]));
  return w.save(true).ok ? 0 : 1;
}
