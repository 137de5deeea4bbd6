// The real binary in a real terminal: tmux at 80×27, keys sent, the screen read back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "harness.h"

namespace {

using scenario::run_command;

class Tmux {
 public:
  Tmux() : socket_("vormel-test-" + std::to_string(getpid())) {}
  ~Tmux() { run_command({"tmux", "-L", socket_, "kill-server"}); }
  bool start(int cols, int rows, const std::string& command) {
    return run_command({"tmux", "-L", socket_, "-f", "/dev/null", "new-session", "-d", "-s", "t", "-x",
                        std::to_string(cols), "-y", std::to_string(rows), command}) == 0;
  }
  void keys(const std::vector<std::string>& k) {
    std::vector<std::string> argv{"tmux", "-L", socket_, "send-keys", "-t", "t"};
    argv.insert(argv.end(), k.begin(), k.end());
    run_command(argv);
  }
  std::string screen() {
    std::string out;
    run_command({"tmux", "-L", socket_, "capture-pane", "-p", "-t", "t"}, &out);
    return out;
  }
  bool alive() { return run_command({"tmux", "-L", socket_, "has-session", "-t", "t"}) == 0; }
  // Waits until the screen shows the text (or the time is up).
  bool wait_for(const std::string& text, int seconds = 15) {
    for (int i = 0; i < seconds * 10; ++i) {
      if (screen().find(text) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }
  bool wait_gone(int seconds = 15) {
    for (int i = 0; i < seconds * 10; ++i) {
      if (!alive()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
  }

 private:
  std::string socket_;
};

bool have_tmux() { return run_command({"sh", "-c", "command -v tmux >/dev/null"}) == 0; }

TEST(Terminal, RunsAt80x27ByKeysAndLeaves) {
  if (!have_tmux()) GTEST_SKIP() << "tmux is not installed";
  auto folder = scenario::fresh_dir("program");
  Tmux t;
  ASSERT_TRUE(t.start(80, 27, "env LANG=C.UTF-8 TERM=xterm-256color DVORMEL=" + folder.string() + " " + VORMEL_BIN + " 5"));
  ASSERT_TRUE(t.wait_for("Terminal 05")) << t.screen();
  EXPECT_NE(t.screen().find("Declaração  Opções"), std::string::npos) << t.screen();
  // Mouse clicks as the terminal reports them (SGR form): the pad, then an item.
  t.keys({"-l", "\x1b[<0;16;1M"});
  ASSERT_TRUE(t.wait_for("Local de trabalho")) << t.screen();
  t.keys({"-l", "\x1b[<0;20;4M"});
  ASSERT_TRUE(t.wait_for("ainda não está disponível")) << t.screen();
  t.keys({"Enter"});
  t.keys({"M-o"});
  ASSERT_TRUE(t.wait_for("Local de trabalho")) << t.screen();
  t.keys({"Escape"});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  t.keys({"Escape"});
  ASSERT_TRUE(t.wait_for("Confirma saída do programa?")) << t.screen();
  t.keys({"Enter"});
  EXPECT_TRUE(t.wait_gone()) << t.screen();
}

TEST(Terminal, TooSmallATerminalGetsAMessageAndNothingIsWritten) {
  if (!have_tmux()) GTEST_SKIP() << "tmux is not installed";
  auto folder = scenario::fresh_dir("program");
  Tmux t;
  ASSERT_TRUE(t.start(80, 24, "env LANG=C.UTF-8 DVORMEL=" + folder.string() + " sh -c '" + VORMEL_BIN +
                                  "; echo STATUS=$?; sleep 60'"));
  ASSERT_TRUE(t.wait_for("STATUS=")) << t.screen();
  const std::string s = t.screen();
  EXPECT_NE(s.find("80 colunas por 27 linhas"), std::string::npos) << s;
  EXPECT_NE(s.find("STATUS=2"), std::string::npos) << s;
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

}  // namespace
