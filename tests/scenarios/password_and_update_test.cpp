// The start password set from the menu and asked at the next start; the update check
// against a small web server on 127.0.0.1.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "harness.h"
#include "storage/database.h"

extern char** environ;

namespace {

using scenario::Program;
using scenario::run;

using scenario::contains;

Program program_in(const std::filesystem::path& folder) {
  Program p;
  p.binary = VORMEL_BIN;
  p.args = {"07"};
  p.cwd = folder;
  return p;
}

TEST(Password, SetFromTheMenuAskedAtTheNextStartThreeWrongAnswersEnd) {
  Program p = program_in(scenario::fresh_dir("password"));
  // Change it from the initial one, then switch the question on, then leave.
  auto set = run(p,
                 "<Alt+O>sa<Dump current>VORMEL<Enter><Dump new>abc123<Enter>ABC123<Enter>"
                 "<Alt+O>sc<Dump on><Enter><Alt+T><Enter>");
  EXPECT_EQ(set.status, 0) << set.final_screen();
  EXPECT_TRUE(contains(set.screen("current"), "Digite a Senha Atual")) << set.screen("current");
  EXPECT_TRUE(contains(set.screen("new"), "Digite a Nova Senha")) << set.screen("new");
  EXPECT_TRUE(contains(set.screen("on"), "Na próxima entrada será pedida a senha")) << set.screen("on");
  std::ifstream store(p.cwd / "SENHA.DAT");
  std::string line;
  std::getline(store, line);
  EXPECT_FALSE(contains(line, "ABC123"));

  auto wrong = run(p, "<Dump asked>x<Enter><Enter>y<Enter><Enter>z<Enter><Enter>");
  EXPECT_EQ(wrong.status, 1);
  EXPECT_TRUE(contains(wrong.screen("asked"), "SENHA")) << wrong.screen("asked");

  auto right = run(p, "abc123<Enter><Dump in>");
  EXPECT_TRUE(contains(right.screen("in"), "Terminal 07")) << right.screen("in");
  EXPECT_FALSE(contains(right.screen("in"), "SENHA"));
}

// A web server of Python's standard library serving one page.
class WebServer {
 public:
  explicit WebServer(const std::string& page) : folder_(scenario::fresh_dir("web")) {
    std::ofstream(folder_ / "index.html") << page;
    port_ = 20000 + int(getpid() % 20000);
    std::string port = std::to_string(port_), dir = folder_.string();
    std::vector<std::string> args{"/usr/bin/python3", "-m", "http.server", port, "--bind", "127.0.0.1", "--directory", dir};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    for (int i = 0; i < 100 && !listening(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ~WebServer() {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  bool listening() const {
    int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(port_));
    inet_pton(AF_INET, "127.0.0.1", &a.sin_addr);
    bool ok = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    close(s);
    return ok;
  }
  std::filesystem::path folder_;
  int port_ = 0;
  pid_t pid_ = -1;
};

TEST(UpdateCheck, WithAndWithoutTheMarkerAndWithTheServerAbsent) {
  {
    WebServer server("<html>VORMEL VM16 Lib 2 10/06/16 nova versão</html>");
    Program p = program_in(scenario::fresh_dir("update-new"));
    p.env["VORMEL_ATUALIZA"] = server.address();
    auto r = run(p, "<Dump asked><Right><Enter><Dump after>");
    EXPECT_TRUE(contains(r.screen("asked"), "Aviso! Existe a versão Lib 2 diferente da sua Lib")) << r.screen("asked");
    EXPECT_TRUE(contains(r.screen("asked"), "Atualização feita em 10/06/16. Deseja atualizar agora?"));
    EXPECT_TRUE(contains(r.screen("after"), "Terminal 07")) << r.screen("after");  // No: the program goes on
  }
  {
    WebServer server("<html>nothing to see</html>");
    Program p = program_in(scenario::fresh_dir("update-none"));
    p.env["VORMEL_ATUALIZA"] = server.address();
    auto r = run(p, "<Dump s>");
    EXPECT_FALSE(contains(r.screen("s"), "Aviso")) << r.screen("s");  // quiet at the start
  }
  {
    Program p = program_in(scenario::fresh_dir("update-absent"));
    p.env["VORMEL_ATUALIZA"] = "127.0.0.1:1";
    auto r = run(p, "<Dump s><Enter><Dump s2><Enter><Dump after>");
    const std::string seen = r.screen("s") + r.screen("s2");
    EXPECT_TRUE(contains(seen, "Erro no acesso a Internet") || contains(seen, "Nao foi possivel saber se ha atualizacao!"))
        << seen;
    EXPECT_TRUE(contains(r.final_screen() + r.screen("after"), "Terminal 07"));
  }
}

}  // namespace
