// Runs the real program (or the toolkit probe) headless with a key script and reads back
// its screen dumps and exit status.
#pragma once
#include <filesystem>
#include <map>
#include <string>
#include <vector>

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
// Runs a command with an argument vector; gives its exit status and standard output.
int run_command(const std::vector<std::string>& argv, std::string* out = nullptr);

}  // namespace scenario
