// Several terminals on one folder, as real processes: record locks, exclusive opens,
// concurrent appends, the terminal's own exclusivity, and crashes in the middle of
// whole-file rewrites.
#include <gtest/gtest.h>

#include <set>

#include "core/text.h"
#include "probe_process.h"
#include "storage/database.h"
#include "temp_folder.h"

namespace vormel::storage {
namespace {

using testing::ProbeProcess;

long field_of(const std::string& line, const std::string& name) {
  auto at = line.find(name + "=");
  return at == std::string::npos ? -1 : std::stol(line.substr(at + name.size() + 1));
}

class Terminals : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("VORMEL_DATA", SOURCE_DATA, 1);
    // A client table with three rows.
    Database db(reporter, folders());
    ASSERT_TRUE(db.ABERTURA(9));
    for (const char* cpf : {"33333333333", "11111111111", "22222222222"}) {
      ASSERT_TRUE(db.ADD_REC(1));
      db.area(9).set("CPF", std::string(cpf));
    }
  }
  StorageFolders folders() const { return {program.path(), work.path(), "00"}; }
  std::vector<std::string> args(std::initializer_list<std::string> rest) const {
    std::vector<std::string> out{"", work.path(), program.path()};
    out.insert(out.end(), rest);
    return out;
  }
  ProbeProcess probe(const std::string& command, std::initializer_list<std::string> rest) {
    auto a = args(rest);
    a[0] = command;
    return ProbeProcess(a);
  }

  testing::TempFolder work, program;
  QuietReporter reporter;
};

TEST_F(Terminals, ALockedRecordMakesRecLockWaitAndFail) {
  ProbeProcess holder = probe("hold-record", {"2", "30"});
  ASSERT_EQ(holder.line(), "ready");

  ProbeProcess waiter = probe("rec-lock", {"2", "5"});
  std::string result = waiter.line();
  EXPECT_EQ(field_of(result, "result"), 0) << result;
  EXPECT_GE(field_of(result, "elapsed"), 4500) << result;
  EXPECT_LE(field_of(result, "elapsed"), 7000) << result;
  EXPECT_NE(result.find("status=Aguardando registro ficar disponivel no arquivo IMP0916|"), std::string::npos);
  EXPECT_NE(result.find("message=ATENÇÃO! Registro não ficou disponível. Dado nÃo será gravado.|"), std::string::npos);

  // Esc ends the wait at once.
  ProbeProcess impatient = probe("rec-lock", {"2", "5"});
  usleep(800 * 1000);
  impatient.send("\x1b");
  result = impatient.line();
  EXPECT_EQ(field_of(result, "result"), 0) << result;
  EXPECT_LT(field_of(result, "elapsed"), 2500) << result;

  // Other records stay free.
  ProbeProcess other = probe("rec-lock", {"3", "5"});
  result = other.line();
  EXPECT_EQ(field_of(result, "result"), 1) << result;
  EXPECT_LT(field_of(result, "elapsed"), 1000) << result;
}

TEST_F(Terminals, AnExclusiveOpenKeepsSharedOpensOutForTenSeconds) {
  ProbeProcess owner = probe("hold-exclusive", {"30"});
  ASSERT_EQ(owner.line(), "ready");
  ProbeProcess visitor = probe("open-shared", {});
  std::string result = visitor.line();
  EXPECT_EQ(field_of(result, "result"), 0) << result;
  EXPECT_GE(field_of(result, "elapsed"), 9500) << result;
  EXPECT_LE(field_of(result, "elapsed"), 13000) << result;
  EXPECT_NE(result.find("message=IMP0916.DBF não está disponível |"), std::string::npos) << result;
}

TEST_F(Terminals, SharedOpensLiveTogether) {
  Database db(reporter, folders());
  ASSERT_TRUE(db.ABERTURA(9));
  ProbeProcess visitor = probe("open-shared", {});
  std::string result = visitor.line();
  EXPECT_EQ(field_of(result, "result"), 1) << result;
  EXPECT_LT(field_of(result, "elapsed"), 2000) << result;
}

TEST_F(Terminals, TwoTerminalsAppendingAtOnceLoseNothing) {
  ProbeProcess a = probe("append", {"1000", "1"});
  ProbeProcess b = probe("append", {"1000", "2"});
  EXPECT_EQ(a.line(), "done");
  EXPECT_EQ(b.line(), "done");

  Database db(reporter, folders());
  ASSERT_TRUE(db.ABERTURA(9));
  WorkArea& clients = db.area(9);
  EXPECT_EQ(clients.record_count(), 2003u);
  for (size_t order = 1; order <= 3; ++order) {
    clients.set_order(order);
    std::set<uint32_t> seen;
    for (clients.go_top(); !clients.eof(); clients.skip()) seen.insert(clients.recno());
    EXPECT_EQ(seen.size(), 2003u) << "order " << order;
  }
  clients.set_order(1);
  std::string previous;
  size_t rows = 0;
  for (clients.go_top(); !clients.eof(); clients.skip(), ++rows) {
    std::string cpf = clients.text("CPF");
    EXPECT_LT(previous, cpf);
    previous = cpf;
  }
  EXPECT_EQ(rows, 2003u);
  for (const char* prefix : {"1", "2"})
    for (int i : {0, 499, 999}) {
      std::string cpf = prefix + core::pad_left(std::to_string(i), 10, '0');
      EXPECT_TRUE(clients.seek(cpf)) << cpf;
      EXPECT_EQ(core::trim(clients.text("NOMECONTR")), "CLIENTE " + cpf);
    }
}

TEST_F(Terminals, ASecondProgramAsTheSameTerminalIsRefused) {
  ProbeProcess first = probe("terminal", {"07", "30"});
  ASSERT_EQ(first.line(), "held");
  ProbeProcess second = probe("terminal", {"07", "0"});
  EXPECT_EQ(second.line(), "refused");
  ProbeProcess other = probe("terminal", {"08", "0"});
  EXPECT_EQ(other.line(), "held");
}

// A process killed in the middle of a pack or an index build leaves the table whole.
TEST_F(Terminals, ACrashInTheMiddleOfARewriteLeavesTheTableWhole) {
  {
    Database db(reporter, folders());
    ASSERT_TRUE(db.ABERTURA(4, true));
    for (int i = 0; i < 3000; ++i) {
      ASSERT_TRUE(db.ADD_REC(1));
      db.area(4).set("CPF", core::pad_left(std::to_string(i % 300), 11, '0'));
      db.area(4).set("I7_0", core::Decimal(i));
      db.area(4).set("I7_2", std::string(400, 'd'));
      if (i % 3 == 0) db.area(4).erase();
    }
  }
  const std::string table = testing::read_file(work / "IMP0416.DBF");
  for (const char* command : {"pack-stop", "rebuild-stop"}) {
    for (const char* nth : {"1", "2"}) {
      ProbeProcess crash = probe(command, {nth});
      ASSERT_TRUE(crash.kill_when_stopped()) << command << " " << nth;
      EXPECT_EQ(testing::read_file(work / "IMP0416.DBF"), table) << command << " " << nth;
      Database db(reporter, folders());
      ASSERT_TRUE(db.ABERTURA(4)) << command << " " << nth;
      EXPECT_EQ(db.area(4).record_count(), 3000u);
      EXPECT_TRUE(db.area(4).seek(std::string("00000000299 299")));
    }
  }
}

}  // namespace
}  // namespace vormel::storage
