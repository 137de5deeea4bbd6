// Runs the storage probe as a separate process with pipes on its stdin and stdout.
#pragma once
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace vormel::storage::testing {

class ProbeProcess {
 public:
  explicit ProbeProcess(std::vector<std::string> args) {
    int in[2], out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, in[1]);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    args.insert(args.begin(), STORAGE_PROBE);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::posix_spawn(&pid_, STORAGE_PROBE, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(in[0]);
    ::close(out[1]);
    to_ = in[1];
    from_ = out[0];
  }
  ~ProbeProcess() {
    if (pid_ > 0 && !waited_) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    ::close(to_);
    ::close(from_);
  }

  // The next line the probe prints ("" at its end).
  std::string line() {
    std::string text;
    char c;
    while (::read(from_, &c, 1) == 1 && c != '\n') text += c;
    return text;
  }
  void send(const std::string& bytes) { (void)!::write(to_, bytes.data(), bytes.size()); }
  int wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    waited_ = true;
    return status;
  }
  // Waits until the probe stopped itself, then kills it as a crash would.
  bool kill_when_stopped() {
    int status = 0;
    ::waitpid(pid_, &status, WUNTRACED);
    bool stopped = WIFSTOPPED(status);
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    waited_ = true;
    return stopped;
  }

 private:
  pid_t pid_ = -1;
  int to_ = -1, from_ = -1;
  bool waited_ = false;
};

}  // namespace vormel::storage::testing
