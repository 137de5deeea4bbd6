// The help boxes and the lookup lists, run headless by the probe program in a fresh
// program folder whose reference tables are made from data/.
#include <gtest/gtest.h>

#include <fstream>

#include "harness.h"

namespace {

using scenario::probe;

using scenario::contains;

TEST(HelpLookup, AssetCodesChosenByKeys) {
  auto r = probe("lookup=I7_5", "<Dump list><Down><Down><Enter>");
  EXPECT_TRUE(contains(r.result, "shown:1 chosen:1 I7_5=number:3 COD=number:3")) << r.result;
  EXPECT_TRUE(contains(r.result, "area:1 open:0")) << r.result;  // the caller's area again, the table closed
  const std::string list = r.run.screen("list");
  EXPECT_TRUE(contains(r.run.line("list", 9), "      Cod. Bens e Direitos")) << list;
  EXPECT_TRUE(contains(r.run.line("list", 10), "═══════")) << list;
  EXPECT_TRUE(contains(r.run.line("list", 11), "   1│Prédio residencial")) << list;
  EXPECT_FALSE(contains(r.run.screen("after"), "Bens e Direitos"));  // the screen under it is back

  auto esc = probe("lookup=I7_5", "<Down><Esc>");
  EXPECT_TRUE(contains(esc.result, "shown:1 chosen:0 COD=")) << esc.result;
}

TEST(HelpLookup, BankListGivesCnpjAndNameForTheIncomeRow) {
  // Banks in name order, from the first.
  auto r = probe("lookup=I1_3", "<Dump list><Down><Enter>");
  EXPECT_TRUE(contains(r.result, "I1_2=text:Banco Agiplan S.A. I1_3=text:10.664.513/0001-50")) << r.result;
  EXPECT_TRUE(contains(r.result, "row:1")) << r.result;
  EXPECT_TRUE(contains(r.run.line("list", 9), "Nro.  Nome do Banco ")) << r.run.screen("list");
  EXPECT_TRUE(contains(r.run.line("list", 11), "246 │Banco ABC Brasil S.A.")) << r.run.screen("list");
}

TEST(HelpLookup, SecondRequestWhileOneIsOpenDoesNothing) {
  // Alt+F1 asks for the bank list while the asset list is open.
  auto r = probe("lookup=I7_5", "<Alt+F1><Dump still><Enter>");
  EXPECT_TRUE(contains(r.result, "I7_5=number:1")) << r.result;
  EXPECT_TRUE(contains(r.result, "nested:ignored")) << r.result;
  EXPECT_TRUE(contains(r.run.screen("still"), "Bens e Direitos"));
  EXPECT_FALSE(contains(r.run.screen("still"), "Nome do Banco"));
}

TEST(HelpLookup, LetterJumpInTheOccupationList) {
  struct Case {
    std::string keys, code;
  };
  const Case cases[] = {
      {"m", "225"},   // letters seek the names
      {"o", "226"},
      {"z", "226"},   // past the end: the last row
      {"2", "225"},   // digits seek the codes
      {"24", "241"},  // each key is a new jump; "4" is past the end of the codes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    auto r = probe("lookup=M->OCUPACAO", c.keys + "<Enter>");
    EXPECT_TRUE(contains(r.result, "CDPRO=text:" + c.code)) << r.result;
    EXPECT_TRUE(contains(r.result, "refresh:1")) << r.result;
  }
}

TEST(HelpLookup, ClientListWithCountsOrdersAndJumps) {
  struct Case {
    std::string keys, cpf;
  };
  const Case cases[] = {
      {"", "11111111111"},                      // CPF order, from the top
      {"<F1><Ctrl+PgUp>", "33333333333"},       // name order
      {"<F3><Ctrl+PgUp>", "22222222222"},       // status order
      {"<F3><F2><Ctrl+PgDn>", "33333333333"},   // CPF order again, last row
      {"z", "22222222222"},                     // a letter jumps by name
      {"9", "33333333333"},                     // a digit by CPF; past the end, the last
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    auto r = probe("lookup=M->CPF", c.keys + "<Dump list><Enter>");
    EXPECT_TRUE(contains(r.result, "CPF=text:" + c.cpf + " ")) << r.result;
  }
  auto r = probe("lookup=M->CPF", "<Dump list><Enter>");
  const std::string list = r.run.screen("list");
  EXPECT_TRUE(contains(r.run.line("list", 4), " Nome do Contribuinte  CPF             Descrição     AAR Sim Impo/Rest.")) << list;
  EXPECT_TRUE(contains(list, "MARCOS LIMA          │111.111.111-11 │Falta docum. │S  │N  │")) << list;
  EXPECT_TRUE(contains(r.run.line("list", 17), "3 Declarações       66.67% Simples  33.33% Compl   1   2 simp.   1 comp."))
      << list;

  auto email = probe("lookup=M->CPFEMAIL", "a<Enter>");
  EXPECT_TRUE(contains(email.result, "CEMAIL_ENV=text:ANA@exemplo.com.br CPFEMAIL=text:33333333333")) << email.result;

  auto names = probe("lookup1=M->NOMECONTR", "<Dump list>z<Enter>");
  EXPECT_TRUE(contains(names.result, "CPF=text:22222222222")) << names.result;
  EXPECT_TRUE(contains(names.run.line("list", 4), " Nome do Contribuinte")) << names.run.screen("list");
  EXPECT_FALSE(contains(names.run.screen("list"), "Declarações"));
}

TEST(HelpLookup, LeavesTheCallersTableOnItsOrderAndRow) {
  auto r = probe("lookup-open=I1_3", "<Down><Down><Enter>");
  EXPECT_TRUE(contains(r.result, "chosen:1")) << r.result;
  EXPECT_TRUE(contains(r.result, "open:1 kept:1")) << r.result;
  auto none = probe("lookup=M->I3_05", "");
  EXPECT_EQ(none.result, "no list");
}

TEST(HelpBoxes, GeneralAndSpecialKeys) {
  auto ger = probe("helpger", "<Dump box><PgDn><Dump end><Enter>");
  EXPECT_EQ(ger.result, "closed");
  const std::string box = ger.run.screen("box");
  EXPECT_TRUE(contains(box, "Alt   No menu inicial (fora da declaração) marca ou desmarca a letra")) << box;
  EXPECT_TRUE(contains(box, "\n        sublinhada no menu.")) << box;
  EXPECT_TRUE(contains(box, "[    OK    ]")) << box;
  EXPECT_TRUE(contains(ger.run.screen("end"), "Ctrl setas direita ou esquerda - pula palavras conforme a direção da seta."));

  auto fun = probe("helpfun", "<Dump box><PgDn><PgDn><PgDn><Dump end><Enter>");
  EXPECT_TRUE(contains(fun.run.screen("box"), "Alt +  Marca com S todas pessoas quando uma tela de seleção for aberta."));
  EXPECT_TRUE(contains(fun.run.screen("end"), "Alt End. Fim da cópia feita pelo Alt Up e envia para a área do Windows"));
}

TEST(HelpBoxes, FieldHelpTextFromTheHelpTable) {
  auto r = probe("helptext=M->CPF", "<Dump box><Enter>");
  EXPECT_EQ(r.result, "shown");
  EXPECT_TRUE(contains(r.run.screen("box"), "CPF do contribuinte, com 11 algarismos.")) << r.run.screen("box");
  EXPECT_TRUE(contains(r.run.screen("box"), "contribuintes da pasta;\n")) << r.run.screen("box");
  EXPECT_EQ(probe("helptext=NADA", "").result, "none");
}

}  // namespace
