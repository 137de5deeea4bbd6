// A console whose keys come from a list and whose screens are kept, over a database in
// a fresh program folder with the terminal's CONFIG record.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "core/keys.h"
#include "screen/backend.h"
#include "screen/ui.h"
#include "shell/globals.h"
#include "storage/database.h"
#include "../support/scripted_backend.h"

namespace vormel::shell::testing {

using test_support::ScriptedBackend;

struct ConsoleFixture : ::testing::Test {
  ConsoleFixture() : db(reporter, {folder(), folder(), "07"}) {
    g.NUSU = "07";
    g.ARQDEF = folder();
    g.ROTADEF = folder().substr(0, folder().size() - 1);
    // The terminal's record, as start-up leaves it.
    EXPECT_TRUE(db.ABERTURA(42));
    db.select(42);
    EXPECT_TRUE(db.ADD_REC(5));
    db.area(42).set("NRO_TERM", std::string("07"));
    db.area(42).unlock();
    db.close_area(42);
  }
  ~ConsoleFixture() override {
    db.close_all();
    std::filesystem::remove_all(folder());
  }
  static std::string make_folder() {
    char name[] = "/tmp/vormel-shell-XXXXXX";
    return std::string(::mkdtemp(name)) + "/";
  }
  const std::string& folder() {
    if (folder_.empty()) folder_ = make_folder();
    return folder_;
  }
  int stored_ult_senir() {
    EXPECT_TRUE(db.ABERTURA(42));
    storage::WorkArea& a = db.area(42);
    EXPECT_TRUE(a.seek(std::string("07"), storage::Seek::Exact));
    int v = static_cast<int>(a.number("ULT_SENIR").to_int());
    db.close_area(42);
    return v;
  }

  std::string folder_;
  ScriptedBackend backend;
  core::Clock clock;
  screen::Console con{backend, clock};
  screen::Ui ui{con};
  storage::QuietReporter reporter;
  storage::Database db;
  Globals g;
};

}  // namespace vormel::shell::testing
