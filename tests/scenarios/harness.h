// Runs the real program (or the toolkit probe) headless with a key script and reads back
// its screen dumps and exit status.
#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "storage/database.h"

namespace scenario {

struct Run {
  int status = -1;
  std::filesystem::path dir;  // the dump folder
  std::string screen(const std::string& name) const;  // DIR/NAME.txt ("" when missing)
  std::string line(const std::string& name, int row) const;  // one row of a dump (0 = menu bar)
  std::string final_screen() const { return screen("final"); }
};

struct Program {
  std::string binary;
  std::vector<std::string> args;           // before the headless options
  std::map<std::string, std::string> env;  // added to a clean environment
  std::string hoje = "15/04/2016-10:00:00";
  std::filesystem::path cwd;               // "" = a fresh folder
};

// The toolkit probe running one routine: the run and the first line of its result.
struct ProbeRun {
  Run run;
  std::string result;
};
ProbeRun probe(const std::string& routine, const std::string& keys);

// A fresh empty folder under the test's temporary directory.
std::filesystem::path fresh_dir(const std::string& name);
Run run(const Program& p, const std::string& keys);
// Whether a screen (or any text) has the needle.
bool contains(const std::string& hay, const std::string& needle);
// The real program as terminal 07, in a fresh folder of its own.
Program vormel_in(const std::string& name);
// The same, with one client saved before: ANA, CPF 111.444.777-35, status 2, complete
// model, living in Brazil.
Program with_client(const std::string& name);
// The tables of a program's folder, as a test reads them afterwards.
struct FolderTables {
  explicit FolderTables(const Program& p, const std::string& terminal = "99")
      : folder(p.cwd.string() + "/"), db(reporter, {folder, folder, terminal}) {}
  // The client's identification row, current in area 9; nullptr when there is none.
  vormel::storage::WorkArea* client(const std::string& cpf) {
    if (!db.ABERTURA(9) || !db.area(9).seek(cpf)) return nullptr;
    return &db.area(9);
  }
  std::string folder;
  vormel::storage::QuietReporter reporter;
  vormel::storage::Database db;
};
// Runs a command with an argument vector; gives its exit status and standard output.
int run_command(const std::vector<std::string>& argv, std::string* out = nullptr);

}  // namespace scenario
