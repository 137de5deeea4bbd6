#include "harness.h"

#include "storage/database.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace scenario {

namespace fs = std::filesystem;

std::string Run::screen(const std::string& name) const {
  std::ifstream in(dir / (name + ".txt"), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string Run::line(const std::string& name, int row) const {
  std::istringstream in(screen(name));
  std::string l;
  for (int i = 0; i <= row && std::getline(in, l); ++i) {
  }
  return l;
}

fs::path fresh_dir(const std::string& name) {
  // Short paths: the program stores folders in fields of 80 characters.
  static std::atomic<int> counter{0};
  fs::path d = fs::temp_directory_path() / ("vm-" + std::to_string(getpid())) /
               (std::to_string(counter++) + "-" + name);
  fs::remove_all(d);
  fs::create_directories(d);
  return d;
}

int run_command(const std::vector<std::string>& argv, std::string* out) {
  int pipefd[2];
  if (pipe(pipefd) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(pipefd[1], STDOUT_FILENO);
    close(pipefd[0]);
    close(pipefd[1]);
    std::vector<char*> a;
    for (const auto& s : argv) a.push_back(const_cast<char*>(s.c_str()));
    a.push_back(nullptr);
    execvp(a[0], a.data());
    _exit(127);
  }
  close(pipefd[1]);
  std::string text;
  char buf[4096];
  ssize_t n;
  while ((n = read(pipefd[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<size_t>(n));
  close(pipefd[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (out) *out = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Run run(const Program& p, const std::string& keys) {
  Run r;
  fs::path base = fresh_dir("run");
  r.dir = base / "dump";
  fs::path keyfile = base / "keys.txt";
  std::ofstream(keyfile, std::ios::binary) << keys;
  fs::path cwd = p.cwd.empty() ? base / "cwd" : p.cwd;
  fs::create_directories(cwd);

  std::vector<std::string> argv{p.binary};
  argv.insert(argv.end(), p.args.begin(), p.args.end());
  for (const char* s : {"--headless", "--keys"}) argv.push_back(s);
  argv.push_back(keyfile.string());
  argv.push_back("--dump");
  argv.push_back(r.dir.string());
  if (!p.hoje.empty()) {
    argv.push_back("--hoje");
    argv.push_back(p.hoje);
  }
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(cwd.c_str()) != 0) _exit(126);
    clearenv();
    setenv("PATH", "/usr/bin:/bin", 1);
    setenv("LANG", "C.UTF-8", 1);
    for (const auto& [k, v] : p.env) setenv(k.c_str(), v.c_str(), 1);
    std::vector<char*> a;
    for (const auto& s : argv) a.push_back(const_cast<char*>(s.c_str()));
    a.push_back(nullptr);
    execv(a[0], a.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return r;
}

}  // namespace scenario

namespace scenario {

ProbeRun probe(const std::string& routine, const std::string& keys) {
  Program p;
  p.binary = PROBE_BIN;
  p.args = {routine};
  ProbeRun r{run(p, keys), ""};
  std::ifstream in(r.run.dir / "result.txt");
  std::getline(in, r.result);
  return r;
}

bool contains(const std::string& hay, const std::string& needle) { return hay.find(needle) != std::string::npos; }

Program vormel_in(const std::string& name) {
  Program p;
  p.binary = VORMEL_BIN;
  p.args = {"07"};
  p.cwd = fresh_dir(name);
  return p;
}

Program with_client(const std::string& name) {
  Program p = vormel_in(name);
  vormel::storage::QuietReporter reporter;
  const std::string folder = p.cwd.string() + "/";
  vormel::storage::Database db(reporter, {folder, folder, "99"});
  db.ABERTURA(9);
  db.select(9);
  db.ADD_REC(1);
  vormel::storage::WorkArea& a = db.area(9);
  a.set("CPF", std::string("11144477735"));
  a.set("NOMECONTR", std::string("ANA"));
  a.set("ESTATUS", vormel::core::Decimal(2));
  a.set("USAPADRAO", std::string("N"));
  a.set("EBRASIL", std::string("S"));
  a.set("EXTERIOR", std::string("N"));
  a.unlock();
  return p;
}

}  // namespace scenario
