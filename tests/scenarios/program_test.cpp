// The real program, headless: start screen, menus, leaving.
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "harness.h"

namespace {

using scenario::Program;
using scenario::run;

Program vormel_program(std::vector<std::string> args = {}) {
  Program p;
  p.binary = VORMEL_BIN;
  p.args = std::move(args);
  return p;
}

using scenario::contains;

TEST(Program, StartScreenShowsTerminalVersionAndUser) {
  auto r = run(vormel_program({"7"}), "<Dump start>");
  EXPECT_EQ(r.status, 3);  // the script ended while the program waited for a key
  const std::string s = r.screen("start");
  EXPECT_TRUE(contains(s, "Terminal 07    Versão Lib")) << s;
  EXPECT_TRUE(contains(s, "USUARIO DO TERMINAL 07  03/05/16")) << s;
  EXPECT_TRUE(contains(r.line("start", 0), "Declaração  Opções  Selecão  Impressão  Envia p/ Receita  Backup  Fim"))
      << r.line("start", 0);
  EXPECT_EQ(r.final_screen(), s);
}

TEST(Program, TerminalNumberFromArgumentEnvironmentAndDefault) {
  struct Case {
    std::vector<std::string> args;
    std::string env;
    std::string shown;
  };
  for (const Case& c : {Case{{}, "", "Terminal 00"}, Case{{"7"}, "", "Terminal 07"}, Case{{"7"}, "12", "Terminal 12"},
                        Case{{"42"}, "", "Terminal 42"}}) {
    SCOPED_TRACE(c.shown);
    Program p = vormel_program(c.args);
    if (!c.env.empty()) p.env["TERMINAL"] = c.env;
    auto r = run(p, "<Dump s>");
    EXPECT_TRUE(contains(r.screen("s"), c.shown)) << r.screen("s");
  }
}

TEST(Program, ABadTerminalNumberIsRefusedBeforeAnythingStarts) {
  for (const char* bad : {"100", "abc", "-1"}) {
    SCOPED_TRACE(bad);
    auto r = run(vormel_program({bad}), "");
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(std::filesystem::exists(r.dir / "final.txt"));
  }
}

TEST(Program, EscAsksBeforeLeaving) {
  // No keeps the program running; Yes (Enter on the first button) ends it normally.
  auto r = run(vormel_program(), "<Esc><Dump ask><Right><Enter><Dump back><Esc><Enter>");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(contains(r.screen("ask"), "Confirma saída do programa?")) << r.screen("ask");
  EXPECT_TRUE(contains(r.screen("ask"), "[   Sim    ] [   Não    ]")) << r.screen("ask");
  EXPECT_FALSE(contains(r.screen("back"), "Confirma")) << r.screen("back");
  EXPECT_TRUE(contains(r.screen("back"), "Terminal 00"));
}

TEST(Program, LeavingByAltTAndByTheFimPad) {
  for (const char* keys : {"<Alt+T><Dump ask>s", "<Alt+F><Dump ask>S", "<F10><Left><Enter><Dump ask><Enter>"}) {
    SCOPED_TRACE(keys);
    auto r = run(vormel_program(), keys);
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.screen("ask"), "Confirma saída do programa?")) << r.screen("ask");
  }
}

TEST(Program, MenuOpensByAltHotLetterAndByF10AndPicksByHotLetter) {
  auto r = run(vormel_program(), "<Alt+O><Dump pad><Esc><F10><Dump f10><Right><Dump right><Esc><Alt+O>t<Dump picked><Enter><Dump closed>");
  EXPECT_TRUE(contains(r.screen("pad"), "Local de trabalho")) << r.screen("pad");
  EXPECT_TRUE(contains(r.screen("pad"), "Ver Atualização"));
  EXPECT_TRUE(contains(r.screen("f10"), "Declaração (Alt I)")) << r.screen("f10");
  EXPECT_TRUE(contains(r.screen("right"), "Transfere declaração")) << r.screen("right");
  EXPECT_TRUE(contains(r.screen("picked"), "Esta função ainda não está disponível nesta versão do programa."))
      << r.screen("picked");
  EXPECT_FALSE(contains(r.screen("picked"), "Local de trabalho"));  // the menu closed before the command ran
  EXPECT_FALSE(contains(r.screen("closed"), "disponível"));
}

TEST(Program, SubmenusOpenWithRightAndTheirItemsRun) {
  // Declaração > Exclusão > Exclui Declaração > Individual.
  auto r = run(vormel_program(), "<Alt+D>e<Dump sub>d<Dump sub2>i<Dump picked><Enter>");
  EXPECT_TRUE(contains(r.screen("sub"), "Exclui somente o AAR")) << r.screen("sub");
  EXPECT_TRUE(contains(r.screen("sub2"), "Individual")) << r.screen("sub2");
  EXPECT_TRUE(contains(r.screen("picked"), "ainda não está disponível")) << r.screen("picked");
}

TEST(Program, ClickOnTheMenuBarOpensThePad) {
  // The script cannot click; the terminal test covers the mouse. Here: Alt+I is the
  // declaration hot key, not the "Impressão" pad.
  auto r = run(vormel_program(), "<Alt+I><Dump cmd><Esc><Dump after>");
  EXPECT_TRUE(contains(r.screen("cmd"), "C P F")) << r.screen("cmd");  // the declaration chooser
  EXPECT_FALSE(contains(r.screen("cmd"), "Imprime os itens selecionados"));
}

TEST(Program, CalculatorFromTheMainScreen) {
  auto r = run(vormel_program(), "<Alt+A>7+5=<Dump calc><Esc><Dump after>");
  EXPECT_TRUE(contains(r.screen("calc"), "12")) << r.screen("calc");
  EXPECT_TRUE(contains(r.screen("calc"), "(C)lear")) << r.screen("calc");
  EXPECT_FALSE(contains(r.screen("after"), "(C)lear"));
}

TEST(Program, HojeMustBeADate) {
  Program p = vormel_program();
  p.hoje = "31/02/2016";
  auto r = run(p, "");
  EXPECT_EQ(r.status, 2);
}

}  // namespace

TEST(Program, ASecondCopyAsTheSameTerminalIsToldAndEnds) {
  Program first = vormel_program({"4"});
  first.cwd = scenario::fresh_dir("terminal-in-use");
  auto running = std::async(std::launch::async, [&] { return run(first, "<Wait 3000><Dump first>"); });
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  Program second = first;
  auto r = run(second, "<Dump refused><Enter>");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(contains(r.screen("refused"), "O programa VORMEL no terminal 04 está em uso")) << r.screen("refused");
  Program other = vormel_program({"5"});
  other.cwd = first.cwd;
  EXPECT_TRUE(contains(run(other, "<Dump s>").screen("s"), "Terminal 05"));
  auto f = running.get();
  EXPECT_TRUE(contains(f.screen("first"), "Terminal 04")) << f.screen("first");
}

TEST(Program, F1OnTheMainScreenListsTheGeneralKeys) {
  auto r = run(vormel_program(), "<F1><Dump help><Enter><Dump after>");
  EXPECT_TRUE(contains(r.screen("help"), "Teclas de movimentação rápida nas telas tipo 'browse'")) << r.screen("help");
  EXPECT_FALSE(contains(r.screen("after"), "browse"));
}
