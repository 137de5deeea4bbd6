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

namespace vormel::shell::testing {

class ScriptedBackend : public screen::Backend {
 public:
  std::deque<core::Key> keys;
  std::vector<std::string> screens;  // every screen shown, as UTF-8 text
  int bells = 0;

  void present(const screen::Frame& f) override { screens.push_back(f.dump_utf8()); }
  std::optional<core::Key> read_key(int, bool idle) override {
    if (keys.empty()) {
      if (idle) throw screen::ScriptExhausted{};
      return std::nullopt;
    }
    core::Key k = keys.front();
    keys.pop_front();
    return k;
  }
  void bell() override { ++bells; }
  void clear_typeahead() override {}
  void clipboard_set(const std::string&) override {}
  std::optional<std::string> clipboard_get() override { return std::nullopt; }

  // Text typed as it stands; "\n" is Enter, "\x1b" Esc.
  void type(const std::string& text) {
    for (char c : text) {
      if (c == '\n') keys.emplace_back(core::Key::Enter);
      else if (c == '\x1b') keys.emplace_back(core::Key::Esc);
      else keys.push_back(core::Key::ch(static_cast<unsigned char>(c)));
    }
  }
  bool showed(const std::string& utf8) const {
    for (const auto& s : screens)
      if (s.find(utf8) != std::string::npos) return true;
    return false;
  }
};

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
