// The password's number, its store and its dialogs.
#include "shell/password.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "console_fixture.h"
#include "core/cp850.h"

namespace vormel::shell {
namespace {

using namespace core::literals;
using testing::ConsoleFixture;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(Analisen, NumberOfTheTrimmedUpperCasedText) {
  struct Case {
    std::string text;
    int hash;
  };
  // ç → Ç (128), ã → Ã (199): 1 + 128*12 + 199*19 + 79*7.
  for (const Case& c : {Case{"abc", 1189}, Case{" ABC ", 1189}, Case{"", 1}, Case{"AE", 805}, Case{"BD", 805},
                        Case{std::string("ção"_cp), 5871}}) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ANALISEN(c.text), c.hash);
  }
  EXPECT_EQ(normalise_password(std::string("  ação "_cp)), std::string("AÇÃO"_cp));
}

struct Store : ConsoleFixture {
  PasswordStore store{folder(), 1000};
};

TEST_F(Store, WithoutAFileTheInitialPasswordOpens) {
  EXPECT_TRUE(store.verify("vormel"));
  EXPECT_TRUE(store.verify(" VORMEL "));
  EXPECT_FALSE(store.verify("VORME"));
  EXPECT_FALSE(store.verify(""));
  EXPECT_FALSE(std::filesystem::exists(store.path()));
}

TEST_F(Store, ChangeKeepsOnlyASaltedKey) {
  ASSERT_TRUE(store.change(" abc"));
  EXPECT_EQ(store.path(), folder() + "SENHA.DAT");
  const std::string first = read_file(store.path());
  EXPECT_TRUE(std::regex_match(first, std::regex("VORMEL-SENHA 1 pbkdf2-sha256 1000 [0-9a-f]{32} [0-9a-f]{64}\n")))
      << first;
  // Read by another terminal, whatever iterations it would give new passwords.
  PasswordStore other(folder());
  EXPECT_TRUE(other.verify("ABC "));
  EXPECT_FALSE(other.verify("vormel"));
  // The same password again gets another salt.
  ASSERT_TRUE(store.change("abc"));
  EXPECT_NE(read_file(store.path()), first);
  EXPECT_TRUE(store.verify("abc"));
  // No temporary file stays behind.
  for (const auto& f : std::filesystem::directory_iterator(folder()))
    EXPECT_EQ(f.path().filename().string().find(".tmp"), std::string::npos) << f.path();
}

TEST_F(Store, TheShortNumberIsNotEnough) {
  ASSERT_EQ(ANALISEN("AE"), ANALISEN("BD"));
  ASSERT_TRUE(store.change("AE"));
  EXPECT_TRUE(store.verify("ae"));
  EXPECT_FALSE(store.verify("BD"));
}

TEST_F(Store, EmptyAndDamagedAreRefused) {
  EXPECT_FALSE(store.change("   "));
  EXPECT_FALSE(std::filesystem::exists(store.path()));
  ASSERT_TRUE(store.change("abc"));
  std::string text = read_file(store.path());
  text[text.size() - 2] = text[text.size() - 2] == '0' ? '1' : '0';  // a digit of the key
  std::ofstream(store.path(), std::ios::trunc) << text;
  EXPECT_FALSE(store.verify("abc"));
  std::ofstream(store.path(), std::ios::trunc) << "VORMEL-SENHA 9 pbkdf2-sha256 1000\n";
  EXPECT_FALSE(store.verify("abc"));
  EXPECT_FALSE(store.verify("vormel"));  // a damaged store is not the initial one
  std::filesystem::remove(store.path());
  std::filesystem::create_directory(store.path());  // there, but not readable as a file
  EXPECT_FALSE(store.verify("vormel"));
}

// --- dialogs ---

using PasswordDialog = ConsoleFixture;

TEST_F(PasswordDialog, StartGivesThreeTriesAndTypedTextStaysHidden) {
  backend.type("xyz\n ");        // wrong; a key closes the message
  backend.type("\x1b ");         // Esc is a wrong answer too
  backend.type("vormel\n");
  EXPECT_TRUE(ask_password_at_start(ui, g, db));
  EXPECT_EQ(g.CONFIG.integer("ULT_SENIR"), ANALISEN("VORMEL"));
  EXPECT_EQ(stored_ult_senir(), ANALISEN("VORMEL"));
  EXPECT_EQ(backend.bells, 2);
  EXPECT_TRUE(backend.showed("Senha inválida!"));
  EXPECT_TRUE(backend.showed("VORMEL  Versão Lib"));
  for (const auto& s : backend.screens) {
    EXPECT_EQ(s.find("xyz"), std::string::npos);
    EXPECT_EQ(s.find("vormel"), std::string::npos);
  }
}

TEST_F(PasswordDialog, ThreeWrongAnswersWriteNothing) {
  backend.type("a\n b\n c\n ");
  EXPECT_FALSE(ask_password_at_start(ui, g, db));
  EXPECT_EQ(backend.bells, 3);
  EXPECT_EQ(g.CONFIG.integer("ULT_SENIR"), 0);
  EXPECT_EQ(stored_ult_senir(), 0);
  EXPECT_EQ(con.grid().row_text(21).find("SENHA"), std::string::npos);  // the box is closed
}

TEST_F(PasswordDialog, SwitchingOffNeedsTheCurrentPassword) {
  g.QUERSEN = true;
  backend.type("errada\n ");
  POE_TIRA_SEN(ui, g, db, 1);
  EXPECT_TRUE(g.QUERSEN);
  EXPECT_TRUE(backend.showed("Informe a Senha Atual"));
  backend.type("Vormel\n");
  POE_TIRA_SEN(ui, g, db, 1);
  EXPECT_FALSE(g.QUERSEN);
  backend.type("\n");
  POE_TIRA_SEN(ui, g, db, 1);
  EXPECT_TRUE(g.QUERSEN);
  EXPECT_TRUE(backend.showed("Na próxima entrada será pedida a senha"));
}

TEST_F(PasswordDialog, ChangeStoresTheNewPasswordEverywhere) {
  backend.type("vormel\n");
  backend.type("VORMEL\n");  // the current one again: refused
  backend.type("abc\n");
  backend.type("abd\n");     // not the same
  backend.type("abc\n");
  EXPECT_TRUE(CONSENH(ui, g, db, 5, 58));
  EXPECT_TRUE(backend.showed("A senha anterior não serve mais - Digite outra"));
  EXPECT_TRUE(backend.showed("Senha não consistente. Digite-a novamente"));
  EXPECT_EQ(g.CONFIG.integer("ULT_SENIR"), 1189);
  EXPECT_EQ(stored_ult_senir(), 1189);
  PasswordStore store(folder());
  EXPECT_TRUE(store.verify("abc"));
  EXPECT_FALSE(store.verify("vormel"));
}

TEST_F(PasswordDialog, FailedChangesKeepTheOldPassword) {
  struct Case {
    const char* keys;
    const char* message;  // the last word of the dialog, "" for none
  };
  for (const Case& c : {Case{"x\n y\n ", "Senha inválida!"},                                // current wrong twice
                        Case{"vormel\nvormel\n\n", "A senha não pode ficar em branco"},  // refused twice
                        Case{"vormel\nabc\nab\nabd\n ", "ATENÇÃO! A senha anterior foi mantida"}}) {
    SCOPED_TRACE(c.keys);
    g.CONFIG.set_number("ULT_SENIR", 7);
    backend.screens.clear();
    backend.type(c.keys);
    EXPECT_FALSE(CONSENH(ui, g, db, 5, 58));
    con.present();  // the last message line
    EXPECT_TRUE(backend.keys.empty());
    EXPECT_TRUE(backend.showed(c.message));
    EXPECT_EQ(g.CONFIG.integer("ULT_SENIR"), 7);
    EXPECT_EQ(stored_ult_senir(), 0);
    EXPECT_FALSE(std::filesystem::exists(PasswordStore(folder()).path()));
  }
}

}  // namespace
}  // namespace vormel::shell
