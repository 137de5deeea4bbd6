// A process killed in the middle of a save: the declaration stays marked in use, its
// working copies whole, and a recovery saves it complete.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "core/text.h"
#include "declaration/workspace.h"

extern char** environ;

namespace vormel::declaration {
namespace {

pid_t start_probe(const std::string& folder, const std::string& nth, int* out_fd) {
  int out[2];
  EXPECT_EQ(::pipe(out), 0);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::string cpf = "11111111111";
  std::vector<char*> argv{const_cast<char*>(DECLARATION_PROBE), const_cast<char*>(folder.c_str()), cpf.data(),
                          const_cast<char*>(nth.c_str()), nullptr};
  pid_t pid = -1;
  ::posix_spawn(&pid, DECLARATION_PROBE, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  *out_fd = out[0];
  return pid;
}

TEST(Crash, AKilledSaveIsCompletedByTheRecovery) {
  int killed = 0;
  for (const char* nth : {"2", "8", "16"}) {
    SCOPED_TRACE(nth);
    char name[] = "/tmp/vm-crash-XXXXXX";
    const std::string folder = ::mkdtemp(name);
    {
      storage::QuietReporter r;
      storage::Database db(r, {folder + "/", folder + "/", "00"});
      for (int n : {9, 4}) ASSERT_TRUE(db.ABERTURA(n, true));
      db.select(9);
      ASSERT_TRUE(db.ADD_REC(1));
      db.area(9).set("CPF", std::string("11111111111"));
      db.area(9).set("NOMECONTR", std::string("NOME ANTIGO"));
      db.select(4);
      ASSERT_TRUE(db.ADD_REC(1));
      db.area(4).set("CPF", std::string("11111111111"));
    }
    int out = -1;
    pid_t pid = start_probe(folder, nth, &out);
    char c;
    std::string line;
    while (::read(out, &c, 1) == 1 && c != '\n') line += c;
    ASSERT_EQ(line, "ready");
    int status = 0;
    ::waitpid(pid, &status, WUNTRACED);
    const bool stopped = WIFSTOPPED(status);
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    ::close(out);
    if (!stopped) continue;  // the save had fewer writes than that: nothing to test
    ++killed;

    storage::QuietReporter r;
    storage::Database db(r, {folder + "/", folder + "/", "07"});
    ASSERT_TRUE(db.ABERTURA(9));
    ASSERT_TRUE(db.area(9).seek(std::string("11111111111")));
    EXPECT_EQ(db.area(9).text("NUSUAT"), "07");  // still in use: the recovery is offered
    db.close_all();
    Workspace again(db, folder + "/work/");
    ASSERT_TRUE(again.load("11111111111", false, true));
    EXPECT_EQ(core::trim(again.vars.text("NOMECONTR")), "NOME NOVO");
    ASSERT_TRUE(again.save(true).ok);

    db.close_all();
    ASSERT_TRUE(db.ABERTURA(9));
    ASSERT_TRUE(db.area(9).seek(std::string("11111111111")));
    EXPECT_EQ(core::trim(db.area(9).text("NOMECONTR")), "NOME NOVO");
    ASSERT_TRUE(db.ABERTURA(4));
    int assets = 0;
    for (bool f = db.area(4).seek(std::string("11111111111")); f && !db.area(4).eof() &&
                                                               db.area(4).text("CPF") == "11111111111";
         db.area(4).skip())
      ++assets;
    EXPECT_EQ(assets, 3);  // 1 + 3 added − 1 deleted
    std::filesystem::remove_all(folder);
  }
  EXPECT_EQ(killed, 3);
}

}  // namespace
}  // namespace vormel::declaration
