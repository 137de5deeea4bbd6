// Every screen of a declaration as the program draws it, compared with its reviewed copy
// in tests/scenarios/screens/NAME.txt. With VORMEL_WRITE_GOLDEN=1 a missing or different
// copy is written instead, to be looked at before it is committed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "harness.h"
#include "storage/database.h"

namespace {

using scenario::Program;

struct Client {
  const char* cpf;
  const char* name;
  const char* model;   // USAPADRAO
  const char* abroad;  // ATV_BRASIL
};

// A folder with clients that have the rural annex, and the first with a dependant.
Program folder_with(const std::string& name, const std::vector<Client>& clients) {
  Program p;
  p.binary = VORMEL_BIN;
  p.args = {"07"};
  p.cwd = scenario::fresh_dir(name);
  vormel::storage::QuietReporter reporter;
  const std::string folder = p.cwd.string() + "/";
  vormel::storage::Database db(reporter, {folder, folder, "99"});
  db.ABERTURA(9);
  db.select(9);
  for (const Client& c : clients) {
    db.ADD_REC(1);
    db.area(9).set("CPF", std::string(c.cpf));
    db.area(9).set("NOMECONTR", std::string(c.name));
    db.area(9).set("USAPADRAO", std::string(c.model));
    db.area(9).set("TEMRURAL", std::string("S"));
    db.area(9).set("ATV_BRASIL", std::string(c.abroad));
    db.area(9).set("ESTATUS", vormel::core::Decimal(2));
    db.area(9).unlock();
  }
  db.ABERTURA(3);
  db.select(3);
  db.ADD_REC(1);
  db.area(3).set("CPF", std::string(clients.front().cpf));
  return p;
}

void expect_reviewed(const scenario::Run& r, const std::string& name) {
  const std::string path = std::string(SCREENS_DIR) + "/" + name + ".txt";
  const std::string got = r.screen(name);
  std::ifstream in(path, std::ios::binary);
  std::stringstream want;
  if (in) want << in.rdbuf();
  if (!got.empty() && want.str() == got) return;
  const char* write = std::getenv("VORMEL_WRITE_GOLDEN");
  if (write && std::string(write) == "1" && !got.empty()) {
    std::ofstream(path, std::ios::binary) << got;
    return;
  }
  ADD_FAILURE() << "screen " << name << " differs from " << path << "\n--- reviewed\n" << want.str() << "--- drawn\n" << got;
}

TEST(Screens, EveryScreenOfTheWalkAndOfTheMenu) {
  Program p = folder_with("screens", {{"11144477735", "ANA", "N", "S"}});
  // The walk by Tab from the first screen to the notes, the rural loop, then the screens
  // only the menu reaches.
  const std::vector<std::string> walk = {"tela01_11", "tela02_21", "tela03_31", "tela03_32", "tela04_41", "tela04_42",
                                         "tela04_43", "tela05_51", "tela06",    "tela07",    "tela10",    "tela11"};
  const std::vector<std::string> rural = {"tela12", "tela13", "tela14", "tela15", "tela16", "tela17"};
  std::string keys = "<Alt+I>11144477735<Enter><Esc><F1>";
  for (const std::string& name : walk) keys += "<Dump " + name + "><Tab>";
  keys += "<F12>";
  for (const std::string& name : rural) keys += "<Dump " + name + "><Tab>";
  keys += "<Esc>";
  struct FromMenu {
    const char* keys;
    const char* name;
  };
  const std::vector<FromMenu> menu = {
      {"<Alt+J>a", "tela01_12"}, {"<Alt+J>d", "tela01_13"}, {"<Alt+J>c", "tela01_14"}, {"<Alt+J><Right>d", "tela02_22"},
      {"<Alt+P>d", "tela04_44"}, {"<Alt+B>b", "tela23_52"}, {"<Alt+B>v", "tela23_53"}, {"<Alt+B>z", "tela22_54"},
      {"<Alt+B>o", "tela22_55"}, {"<Alt+B>i", "tela05_56"}, {"<Alt+B>e", "tela05_57"}, {"<Alt+B>s", "tela05_58"},
      {"<Alt+G>i", "tela08_81"}, {"<Alt+G>m", "tela08_82"}, {"<Alt+G>s", "tela08_83"}, {"<Alt+G>d", "tela08_84"},
  };
  for (const FromMenu& m : menu) keys += std::string(m.keys) + "<Dump " + m.name + "><Esc><Esc>";
  keys += "<Alt+T>";
  scenario::Run r = scenario::run(p, keys);
  for (const std::string& name : walk) expect_reviewed(r, name);
  for (const std::string& name : rural) expect_reviewed(r, name);
  for (const FromMenu& m : menu) expect_reviewed(r, m.name);
}

TEST(Screens, TheSimplifiedModelAndTheRuralActivityAbroad) {
  Program p = folder_with("screens-abroad", {{"52998224725", "BIA", "S", "N"}});
  auto r = scenario::run(p, "<Alt+I>52998224725<Enter><Esc><F7><Dump tela07_simplificado><Esc><F12><Dump tela12_exterior>"
                            "<Tab><Dump tela14_exterior><Tab><Tab><Dump tela16_exterior><Esc><Alt+T>");
  for (const char* name : {"tela07_simplificado", "tela12_exterior", "tela14_exterior", "tela16_exterior"})
    expect_reviewed(r, name);
}

}  // namespace
