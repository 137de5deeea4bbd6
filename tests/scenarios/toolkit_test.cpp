// The screen toolkit's routines, each run headless by the probe program.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "harness.h"
#include "storage/database.h"

namespace {

using scenario::Program;

using scenario::probe;

using scenario::contains;

TEST(Toolkit, MensInputBoxAcceptsAndEscGivesTheEmptyValue) {
  auto ok = probe("mens-input", "<Dump box>1234,5<Dump typed><Enter>");
  EXPECT_EQ(ok.result, "number:1234.50");
  EXPECT_TRUE(contains(ok.run.screen("box"), "VORMEL - Zorn Informatica")) << ok.run.screen("box");
  EXPECT_TRUE(contains(ok.run.screen("typed"), "Valor a cobrar   1.234,50")) << ok.run.screen("typed");
  EXPECT_FALSE(contains(ok.run.screen("after"), "Valor a cobrar"));  // the box closed and the screen came back
  EXPECT_TRUE(contains(ok.run.screen("after"), "FUNDO DA TELA"));

  auto esc = probe("mens-input", "99<Esc>");
  EXPECT_EQ(esc.result, "number:0");

  auto text = probe("mens-text", "joão<Enter>");
  EXPECT_EQ(text.result, "text:JOÃO      ");
}

TEST(Toolkit, CopyAndPasteOnTheFieldBeingTyped) {
  // Ctrl+C copies the field as typed so far; Alt+V puts the text into a text field and
  // reads "1.234,56" the Brazilian way into a number field.
  auto r = probe("clipboard", "1.234,56<Ctrl+C><Enter><Alt+V><Dump pasted><Enter><Alt+V><Enter>");
  EXPECT_EQ(r.result, "text:1.234,56    |text:1.234,56    |number:1234.56");
  EXPECT_TRUE(contains(r.run.screen("pasted"), "Cole 1.234,56")) << r.run.screen("pasted");
}

TEST(Toolkit, MensKeyQuestionTakesOnlyItsLetters) {
  auto r = probe("mens-key", "xq1<Dump still>a");
  EXPECT_EQ(r.result, "text:A");
  EXPECT_TRUE(contains(r.run.screen("still"), "(T)roque ou (A)bandona"));
}

TEST(Toolkit, MensBoxStaysUntilItsWindowCloses) {
  auto r = probe("mens-box", "<Dump open>x<Dump closed>x");
  EXPECT_EQ(r.result, "closed");
  // Row 20 of the grid is line 21 of the dump; the box ends at column 70.
  const std::string row = r.run.line("open", 21);
  EXPECT_TRUE(contains(row, "Criando IMP01.DBF")) << r.run.screen("open");
  EXPECT_FALSE(contains(r.run.screen("closed"), "Criando"));
}

TEST(Toolkit, AvisosnEveryTypeAnsweredByKeys) {
  struct Case {
    int type;
    std::string keys, result, shown;
  };
  const Case cases[] = {
      {0, "<Enter>", "letter: yes:F button:0", "[    OK    ]"},
      {1, "<Enter>", "letter:S yes:T button:0", "[   Sim    ]"},
      {1, "n", "letter:N yes:F button:0", "Segunda linha"},
      {2, "<Esc>", "letter:N yes:F button:0", "Primeira linha"},
      {3, "i", "letter:I yes:F button:3", "[  Ignore  ]"},
      {3, "<Esc><Tab><Enter>", "letter:N yes:F button:2", "[   Não    ]"},
      {4, "f", "letter:F yes:F button:3", "[   Fim    ]"},
      {5, "2", "letter:2 yes:F button:2", "[    3     ]"},
      {6, "<Right><Right><Enter>", "letter: yes:F button:3", "[  Quatro  ]"},
      {6, "q", "letter: yes:F button:4", "[   Tres   ]"},
      {7, "6", "letter: yes:F button:6", "[    6     ]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("type " + std::to_string(c.type) + " keys " + c.keys);
    auto r = probe("avisosn-" + std::to_string(c.type), "<Dump box>" + c.keys);
    EXPECT_EQ(r.result, c.result);
    EXPECT_TRUE(contains(r.run.screen("box"), c.shown)) << r.run.screen("box");
  }
}

TEST(Toolkit, EscOpcaoByArrowsHotLettersHomeEndAndEsc) {
  struct Case {
    std::string keys, result;
  };
  const Case cases[] = {
      {"<Enter>", "item:4 posver:4"},             // a stale position is clamped to the last item
      {"<Home><Down><Enter>", "item:2 posver:2"},
      {"<Home><Up><Enter>", "item:1 posver:1"},
      {"<End><Down><Enter>", "item:4 posver:4"},
      {"i", "item:3 posver:3"},
      {"<Home><Esc>", "item:0 posver:1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    EXPECT_EQ(probe("esc-opcao", c.keys).result, c.result);
  }
  auto help = probe("esc-opcao-help", "<Home><Down><Dump help><Enter>");
  EXPECT_TRUE(contains(help.run.line("help", 2), "Confere a declaracao")) << help.run.screen("help");
  EXPECT_FALSE(contains(help.run.screen("after"), "Abrir"));  // close = 1 closes the chooser's window
}

TEST(Toolkit, CalculatorHandsBackItsResult) {
  struct Case {
    std::string keys, result, display;
  };
  const Case cases[] = {
      {"7+5=<Dump d><Ctrl+Enter>", "result:12", "12"},
      {"10/0<Dump d><Ctrl+Enter>", "result:none", ""},
      {"1/3=<Dump d><Esc>", "result:none", "0,3333"},
      {"9*9<Dump d>X", "result:none", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    auto r = probe("calculator", c.keys);
    EXPECT_TRUE(r.result.rfind(c.result, 0) == 0) << r.result;
    EXPECT_TRUE(contains(r.run.screen("d"), c.display)) << r.run.screen("d");
    EXPECT_FALSE(contains(r.run.screen("after"), "(C)lear"));
  }
}

TEST(Toolkit, WindowsSaveAndRestoreTheScreenAndShadeType7) {
  auto r = probe("windows", "<Dump open>x<Dump closed>x");
  const std::string open = r.run.screen("open");
  EXPECT_TRUE(contains(open, "-----texto da jane\n")) << open;  // wrapped at the inner width
  EXPECT_TRUE(contains(open, "░░")) << open;
  EXPECT_FALSE(contains(r.run.screen("closed"), "texto da janela"));
}

}  // namespace

// The storage layer's messages on the screen: the progress and creation boxes while
// opening, and the wait for a record another terminal holds.
TEST(Toolkit, OpeningWithMessagesShowsTheCreationBox) {
  auto r = probe("open-with-messages", "<Dump created><Enter>");
  EXPECT_EQ(r.result, "opened");
  EXPECT_TRUE(contains(r.run.screen("created"), "não localizado está sendo criado")) << r.run.screen("created");
}

TEST(Toolkit, ARecordAnotherTerminalHoldsIsWaitedForOnTheStatusLineUntilEsc) {
  Program p;
  p.binary = PROBE_BIN;
  p.args = {"rec-lock"};
  p.cwd = scenario::fresh_dir("rec-lock");
  const std::string folder = p.cwd.string();
  {
    vormel::storage::QuietReporter quiet;
    vormel::storage::Database db(quiet, {folder + "/", folder + "/", "00"});
    ASSERT_TRUE(db.ABERTURA(9));
    ASSERT_TRUE(db.ADD_REC(1));
    db.area(9).set("CPF", std::string("11111111111"));
  }
  // Another terminal holds record 1 for a while.
  pid_t holder = fork();
  if (holder == 0) {
    execl(STORAGE_PROBE_BIN, STORAGE_PROBE_BIN, "hold-record", folder.c_str(), folder.c_str(), "1", "30", nullptr);
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  auto r = scenario::run(p, "<Wait 1200><Dump waiting><Esc><Dump refused><Enter>");
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  std::ifstream in(r.dir / "result.txt");
  std::string result;
  std::getline(in, result);
  EXPECT_EQ(result, "refused");
  EXPECT_TRUE(contains(r.line("waiting", 26), "Aguardando registro ficar disponivel no arquivo IMP0916"))
      << r.line("waiting", 26);
  EXPECT_TRUE(contains(r.screen("refused"), "ATENÇÃO! Registro não ficou disponível. Dado nÃo será gravado."))
      << r.screen("refused");
}
