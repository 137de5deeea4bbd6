// A small program that does one storage operation, for the tests that need real,
// separate processes on one folder (locks are per process). It prints what happened
// on stdout; an Esc byte on stdin ends a wait, as the key would.
//
//   storage_probe hold-record  WORK PROGRAM RECNO SECONDS
//   storage_probe rec-lock     WORK PROGRAM RECNO SECONDS
//   storage_probe hold-exclusive WORK PROGRAM SECONDS
//   storage_probe open-shared  WORK PROGRAM
//   storage_probe append       WORK PROGRAM COUNT PREFIX
//   storage_probe terminal     WORK PROGRAM NUSU SECONDS
//   storage_probe pack-stop    WORK PROGRAM NTH      (stops itself before the Nth write)
//   storage_probe rebuild-stop WORK PROGRAM NTH
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "core/cp850.h"
#include "core/text.h"
#include "storage/database.h"
#include "storage/error.h"
#include "storage/file.h"

using namespace vormel;
using namespace vormel::storage;

namespace {

class StdinReporter : public Reporter {
 public:
  void progress(const std::string&) override {}
  void close_progress() override {}
  void message(const std::string& text) override { messages += core::cp850::to_utf8(text) + "|"; }
  void status(const std::string& text, bool) override { statuses += core::cp850::to_utf8(text) + "|"; }
  void clear_status() override {}
  bool wait(int ms) override {
    pollfd p{0, POLLIN, 0};
    if (::poll(&p, 1, ms) > 0) {
      char c = 0;
      if (::read(0, &c, 1) == 1 && c == 27) return true;
    }
    return false;
  }
  void reset_message_size() override {}
  std::string messages, statuses;
};

void say(const std::string& text) {
  std::printf("%s\n", text.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  std::string command = argv[1];
  StdinReporter reporter;
  std::string work = std::string(argv[2]) + "/", program = std::string(argv[3]) + "/";
  Database db(reporter, {program, work, "00"});
  auto arg = [&](int i) { return i < argc ? std::stoi(argv[i]) : 0; };
  auto started = std::chrono::steady_clock::now();
  auto elapsed = [&] {
    return std::to_string(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count());
  };
  try {
    if (command == "hold-record" || command == "rec-lock") {
      if (!db.ABERTURA(9)) return 1;
      db.area(9).set_order(0);
      db.area(9).go_to(uint32_t(arg(4)));
      if (command == "hold-record") {
        if (!db.REC_LOCK(1)) return 1;
        say("ready");
        std::this_thread::sleep_for(std::chrono::seconds(arg(5)));
        return 0;
      }
      started = std::chrono::steady_clock::now();
      bool ok = db.REC_LOCK(arg(5));
      say("result=" + std::to_string(ok) + " elapsed=" + elapsed() + " status=" + reporter.statuses +
          " message=" + reporter.messages);
      return 0;
    }
    if (command == "hold-exclusive") {
      if (!db.ABERTURA(9, true)) return 1;
      say("ready");
      std::this_thread::sleep_for(std::chrono::seconds(arg(4)));
      return 0;
    }
    if (command == "open-shared") {
      bool ok = db.ABERTURA(9);
      say("result=" + std::to_string(ok) + " elapsed=" + elapsed() + " message=" + reporter.messages);
      return 0;
    }
    if (command == "append") {
      if (!db.ABERTURA(9)) return 1;
      WorkArea& a = db.area(9);
      for (int i = 0; i < arg(4); ++i) {
        if (!db.ADD_REC(0)) return 1;
        std::string cpf = argv[5] + core::pad_left(std::to_string(i), 10, '0');
        a.set("CPF", cpf);
        a.set("NOMECONTR", "CLIENTE " + cpf);
        a.set("ESTATUS", core::Decimal(i % 7));
        a.unlock();
      }
      say("done");
      return 0;
    }
    if (command == "terminal") {
      db.folders.NUSU = argv[4];
      say(db.hold_terminal() ? "held" : "refused");
      std::this_thread::sleep_for(std::chrono::seconds(arg(5)));
      return 0;
    }
    if (command == "pack-stop" || command == "rebuild-stop") {
      if (command == "rebuild-stop") db.REFAZ_IND = true;
      else if (!db.ABERTURA(4, true)) return 1;
      WriteFaults::stop_before_write(arg(4));
      if (command == "pack-stop") db.area(4).table().pack();
      else db.ABERTURA(4);
      say("finished");
      return 0;
    }
  } catch (const StorageError& e) {
    say(std::string("error=") + e.what());
    return 1;
  }
  return 2;
}
