// Loading a declaration into its working copies and saving it back into the folder.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "declaration/workspace.h"
#include "storage/file.h"

namespace vormel::declaration {
namespace {

using core::Decimal;

class Saving : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/vm-ws-XXXXXX";
    folder_ = std::string(::mkdtemp(name)) + "/";
    std::filesystem::create_directory(folder_ + "work");
    db_ = std::make_unique<storage::Database>(reporter_, storage::StorageFolders{folder_, folder_, "07"});
    add_client("11111111111", "ANA", 2, 3);
    add_client("22222222222", "BRUNO", 1, 1);
    add_client("33333333333", "CAIO", 1, 2);
    // CAIO's declaration was deleted (as the deletion command does): recoverable.
    for (int n : {9, 2, 4}) {
      storage::WorkArea& a = db_->area(n);
      for (bool f = a.seek(std::string("33333333333")); f && !a.eof() && a.text("CPF") == "33333333333";) {
        a.erase();
        a.skip();
      }
    }
    db_->close_all();
  }
  void TearDown() override {
    db_.reset();
    std::filesystem::remove_all(folder_);
  }

  void add_client(const std::string& cpf, const std::string& name, int incomes, int assets) {
    for (int n : {9, 2, 4}) ASSERT_TRUE(db_->ABERTURA(n, true));
    auto add = [&](int n) {
      db_->select(n);
      EXPECT_TRUE(db_->ADD_REC(1));
      db_->area(n).set("CPF", cpf);
      return &db_->area(n);
    };
    add(9)->set("NOMECONTR", name);
    for (int i = 0; i < incomes; ++i) add(2)->set("I1_4", Decimal(1000 * (i + 1)));
    for (int i = 0; i < assets; ++i) add(4)->set("I7_0", Decimal(10 * (i + 1)));
  }

  // The folder's rows of a CPF (not deleted) in table n.
  int rows_of(int n, const std::string& cpf) {
    storage::QuietReporter r;
    storage::Database db(r, {folder_, folder_, "99"});
    db.ABERTURA(n);
    int count = 0;
    for (bool f = db.area(n).seek(cpf); f && !db.area(n).eof() && db.area(n).text("CPF") == cpf; db.area(n).skip())
      ++count;
    return count;
  }

  std::string work() const { return folder_ + "work/"; }

  std::string folder_;
  storage::QuietReporter reporter_;
  std::unique_ptr<storage::Database> db_;
};

TEST_F(Saving, TheClientsRowsAreReplacedAndNothingElseMoves) {
  Workspace w(*db_, work());
  ASSERT_TRUE(w.load("11111111111", false));
  EXPECT_EQ(core::trim(w.vars.text("NOMECONTR")), "ANA");
  EXPECT_EQ(db_->area(22).record_count(), 2u);
  EXPECT_EQ(db_->area(24).record_count(), 3u);

  // Edits: a new name, one income row deleted, one asset added.
  w.vars.set_text("NOMECONTR", "ANA MARIA");
  storage::WorkArea& incomes = db_->area(22);
  incomes.go_top();
  incomes.erase();
  storage::WorkArea& assets = db_->area(24);
  ASSERT_TRUE(assets.try_append_blank());
  assets.set("CPF", std::string("11111111111"));
  assets.set("I7_0", Decimal(40));

  const uint32_t incomes_before = [&] {
    db_->ABERTURA(2);
    uint32_t n = db_->area(2).record_count();
    db_->close_area(2);
    return n;
  }();
  SaveResult saved = w.save(true);
  ASSERT_TRUE(saved.ok);
  EXPECT_EQ(rows_of(2, "11111111111"), 1);
  EXPECT_EQ(rows_of(4, "11111111111"), 4);
  EXPECT_EQ(rows_of(2, "22222222222"), 1);
  EXPECT_EQ(rows_of(4, "22222222222"), 1);

  storage::QuietReporter r;
  storage::Database check(r, {folder_, folder_, "99"});
  ASSERT_TRUE(check.ABERTURA(2));
  EXPECT_EQ(check.area(2).record_count(), incomes_before);  // nothing packed
  ASSERT_TRUE(check.ABERTURA(9));
  ASSERT_TRUE(check.area(9).seek(std::string("11111111111")));
  EXPECT_EQ(core::trim(check.area(9).text("NOMECONTR")), "ANA MARIA");
  EXPECT_EQ(check.area(9).text("NUSUAT"), "  ");

  // The deleted declaration is still there to be recovered, with all its rows.
  check.area(2).go_to(0);
  int deleted_caio = 0;
  for (uint32_t rec = 1; rec <= check.area(2).record_count(); ++rec) {
    check.area(2).go_to(rec);
    if (check.area(2).deleted() && check.area(2).text("CPF") == "33333333333") ++deleted_caio;
  }
  EXPECT_EQ(deleted_caio, 1);
}

TEST_F(Saving, AssetsAreNumberedAndTheIdentificationShowsItsFigures) {
  Workspace w(*db_, work());
  ASSERT_TRUE(w.load("11111111111", false));
  storage::WorkArea& assets = db_->area(24);
  const int numbers[] = {40, 5, 17};
  int i = 0;
  for (assets.go_top(); !assets.eof(); assets.skip()) assets.set("I7_0", Decimal(numbers[i++]));
  w.vars.set_number("I13_27", 100);
  w.vars.set_number("I13_28", 50);
  w.vars.set_number("I13_35", 400);
  w.vars.set_number("I13_34", 30);
  ASSERT_TRUE(w.save(true).ok);

  storage::QuietReporter r;
  storage::Database check(r, {folder_, folder_, "99"});
  ASSERT_TRUE(check.ABERTURA(4));
  std::vector<int> stored;
  for (bool f = check.area(4).seek(std::string("11111111111")); f && !check.area(4).eof() &&
                                                                 check.area(4).text("CPF") == "11111111111";
       check.area(4).skip())
    stored.push_back(int(check.area(4).number("I7_0").to_int()));
  EXPECT_EQ(stored, (std::vector<int>{10, 20, 30}));
  ASSERT_TRUE(check.ABERTURA(9));
  ASSERT_TRUE(check.area(9).seek(std::string("11111111111")));
  EXPECT_EQ(check.area(9).number("I13_27"), Decimal(150));  // holder's and dependants' together
  EXPECT_EQ(check.area(9).number("I13_35"), Decimal(370));  // without the RRA's
  ASSERT_TRUE(check.ABERTURA(1));
  ASSERT_TRUE(check.area(1).seek(std::string("11111111111")));
  EXPECT_EQ(check.area(1).number("I13_27"), Decimal(100));
  EXPECT_EQ(check.area(1).number("I13_35"), Decimal(400));
}

TEST_F(Saving, AFailedSaveLeavesTheDeclarationRecoverable) {
  {
    Workspace w(*db_, work());
    ASSERT_TRUE(w.load("11111111111", false));
    w.vars.set_text("NOMECONTR", "ANA NOVA");
    storage::WorkArea& assets = db_->area(24);
    ASSERT_TRUE(assets.try_append_blank());
    assets.set("CPF", std::string("11111111111"));
    ASSERT_TRUE(w.save(false).ok);  // an intermediate save: the declaration is marked in use
    w.vars.set_text("NOMECONTR", "ANA NOVA");
    w.keep_variables();  // the edits reach the copies as fields are accepted
    // The disk fails in the middle of the next save.
    storage::WriteFaults::fail_write(5);
    SaveResult saved = w.save(true);
    storage::WriteFaults::clear();
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.failed.empty());
  }
  db_->close_all();
  {
    storage::QuietReporter r;
    storage::Database check(r, {folder_, folder_, "99"});
    ASSERT_TRUE(check.ABERTURA(9));
    ASSERT_TRUE(check.area(9).seek(std::string("11111111111")));
    EXPECT_EQ(check.area(9).text("NUSUAT"), "07");  // still marked in use: recovery is offered
  }
  // The recovery takes the working copies as they were and saves them whole.
  Workspace again(*db_, work());
  ASSERT_TRUE(again.load("11111111111", false, true));
  EXPECT_EQ(core::trim(again.vars.text("NOMECONTR")), "ANA NOVA");
  ASSERT_TRUE(again.save(true).ok);
  EXPECT_EQ(rows_of(4, "11111111111"), 4);
  EXPECT_EQ(rows_of(2, "11111111111"), 2);
}

}  // namespace
}  // namespace vormel::declaration
