#include "entry/validation.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/cp850.h"

namespace vormel::entry {
namespace {

using Lines = std::vector<std::string>;

Lines utf8(const Lines& cp850_lines) {
  Lines out;
  for (const auto& line : cp850_lines) out.push_back(core::cp850::to_utf8(line));
  return out;
}

const Lines kWrongLayout = {" Digite o CPF/CNPJ com número correto ",
                            "de dígitos, 11 para CPF e 14 para CNPJ,",
                            "ou coloque os separadores no lugar correto.",
                            "CPF=nnn.nnn.nnn-nn CNPJ=nn.nnn.nnn/nnnn-nn "};

TEST(Validation, Cpf) {
  const Lines wrong36 = {"ATENÇÃO! CPF 111.444.777-36 está incorreto. ",
                         "O dígito para esse número é:35"};
  const Lines incomplete = {"ATENÇÃO! CPF está incompleto."};
  struct Case {
    std::string_view cpf;
    bool required;
    int mode;
    bool ok;
    Lines notice;
  };
  const Case cases[] = {
      {"11144477735", true, 0, true, {}},
      {"00000000000", true, 0, true, {}},
      {"", true, 0, false, {}},
      {"           ", false, 0, true, {}},
      {"", true, 1, true, {}},  // the client chooser: an empty CPF clears the name
      {"", true, 2, false, {}},
      {"11144477736", false, 0, false, wrong36},
      {"11144477736", false, 1, false, wrong36},
      {"11144477736", false, 2, false, {}},
      {"111444777", false, 0, false,
       {"ATENÇÃO! CPF 111.444.777-   está incorreto. ", "O dígito para esse número é:35"}},
      {"1114447", false, 0, false, incomplete},
      {"1114447", false, 1, false, {}},
      {"11144 77735", false, 0, false, incomplete},  // a blank is no digit
      {" 11144477735", false, 0, false, incomplete},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.cpf) + " mode " + std::to_string(c.mode));
    Verdict v = VAL_CPF(c.cpf, c.required, c.mode);
    EXPECT_EQ(v.ok, c.ok);
    EXPECT_EQ(utf8(v.notice), c.notice);
  }
}

TEST(Validation, Cnpj) {
  struct Case {
    std::string_view cnpj;
    bool required;
    bool ok;
    Lines notice;
  };
  const Case cases[] = {
      {"11222333000181", true, true, {}},
      {"", true, false, {}},
      {"", false, true, {}},
      {"11222333000182", true, false,
       {"ATENÇÃO! CNPJ 11.222.333/0001-82 está incorreto. ", "O dígito para esse número é:81"}},
      {"11222333", true, false, {"ATENÇÃO! CNPJ está incompleto."}},
      {"1122233300 181", true, false, {"ATENÇÃO! CNPJ está incompleto."}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.cnpj);
    Verdict v = VAL_CGC(c.cnpj, c.required);
    EXPECT_EQ(v.ok, c.ok);
    EXPECT_EQ(utf8(v.notice), c.notice);
  }
}

TEST(Validation, CpfOrCnpj) {
  struct Case {
    std::string_view doc;
    bool required;
    bool ok;
    std::string_view text;
    Lines notice;
  };
  const Case cases[] = {
      {"11144477735", false, true, "111.444.777-35    ", {}},
      {"11222333000181", false, true, "11.222.333/0001-81", {}},
      {"111444777351", false, false, "111444777351", kWrongLayout},
      {"111.444.777-36    ", false, false, "111.444.777-36    ",
       {"ATENÇÃO! CPF 111.444.777-36 está incorreto. ", "O dígito para esse número é:35"}},
      {"11.222.333/0001-82", false, false, "11.222.333/0001-82",
       {"ATENÇÃO! CNPJ 11.222.333/0001-82 está incorreto. ", "O dígito para esse número é:81"}},
      {"111 444 777 35", false, true, "111 444 777 35", {}},
      {"12", false, false, "12", {"ATENÇÃO! CPF está incompleto."}},
      {"123.456.789-0123  ", false, false, "123.456.789-0123  ", kWrongLayout},
      {"123.45678.90-0    ", false, true, "123.45678.90-0    ", {}},
      {"123.45678.90-1    ", false, false, "123.45678.90-1    ",
       {"ATENÇÃO! NIT está incorreto. "}},
      {"", true, false, "", {}},
      {"                  ", false, true, "                  ", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.doc);
    DocumentVerdict v = CPFCGC(c.doc, c.required);
    EXPECT_EQ(v.ok, c.ok);
    EXPECT_EQ(v.text, c.text);
    EXPECT_EQ(utf8(v.notice), c.notice);
  }
}

TEST(Validation, Nit) {
  const Lines wrong = {"ATENÇÃO! NIT está incorreto. "};
  const Lines wrong_employee = {"ATENÇÃO! NIT está incorreto. ",
                                "Se estiver digitado CPF use seta direita",
                                "até a última coluna e digite lá. "};
  struct Case {
    std::string_view nit;
    int mode;
    bool ok;
    Lines notice;
  };
  const Case cases[] = {
      {"", 1, true, {}},
      {"123.45678.90-0", 1, true, {}},
      {"12345678900", 2, true, {}},
      {"1234567890", 1, false, {"ATENÇÃO! O NIT do empregado está errado."}},
      {"1234567890", 2, false, {"ATENÇÃO! O NIT está incompleto... "}},
      {"11144477735", 1, false, wrong_employee},  // a CPF typed in the NIT column
      {"11144477735", 2, false, wrong},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.nit) + " mode " + std::to_string(c.mode));
    Verdict v = VAL_NIT(c.nit, c.mode);
    EXPECT_EQ(v.ok, c.ok);
    EXPECT_EQ(utf8(v.notice), c.notice);
  }
}

TEST(Validation, ReceiptNumber) {
  const Lines invalid = {"Número do recibo inválido"};
  struct Case {
    std::string in;
    bool ok, completed;
    std::string out;
    Lines notice;
  };
  const Case cases[] = {
      {"1234567890", true, true, "123456789091", {}},
      {"1234567890  ", true, true, "123456789091", {}},
      {"123456789091", true, false, "123456789091", {}},
      {"            ", true, false, "            ", {}},
      {"123456789092", false, false, "123456789092", invalid},
      {"1234567890 9", false, false, "1234567890 9", invalid},
      {"12345       ", false, false, "12345       ", invalid},  // never completed when short
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    std::string receipt = c.in;
    ReceiptVerdict v = VENROREC(receipt);
    EXPECT_EQ(v.ok, c.ok);
    EXPECT_EQ(v.completed, c.completed);
    EXPECT_EQ(receipt, c.out);
    EXPECT_EQ(utf8(v.notice), c.notice);
  }
}

TEST(Validation, YesNoAnswers) {
  using Check = std::function<Verdict(std::string_view)>;
  const Check vetitut1 = [](std::string_view v) { return VETITUT(v, 1); };
  const Check vetitut2 = [](std::string_view v) { return VETITUT(v, 2); };
  const Lines titular = {"Informe com 'S'(Sim) se do titular ou 'N'(Não) se dos dependentes."};
  struct Case {
    const char* name;
    Check check;
    std::string_view value;
    bool ok;
    Lines notice;
  };
  const Case cases[] = {
      {"VE_LETRSN", VE_LETRSN, " ", true, {}},
      {"VE_LETRSN", VE_LETRSN, "N", true, {}},
      {"VE_LETRSN", VE_LETRSN, "X", false, {"Digite S de sim ou N de não"}},
      {"SNAO", SNAO, "S", true, {}},
      {"SNAO", SNAO, " ", false, {"Digite S de sim ou N de Não"}},
      {"ESIMOUNAO", ESIMOUNAO, "N", true, {}},
      {"ESIMOUNAO", ESIMOUNAO, "s", false, {"Informe com 'S'(Sim) ou 'N'(Não) "}},
      {"VETITUT 1", vetitut1, "S", true, {}},
      {"VETITUT 1", vetitut1, "X", false, titular},
      {"VETITUT 2", vetitut2, "N", true, {}},
      {"VETITUT 2", vetitut2, "S", false, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " '" + std::string(c.value) + "'");
    Verdict v = c.check(c.value);
    EXPECT_EQ(v.ok, c.ok);
    EXPECT_EQ(utf8(v.notice), c.notice);
  }

  Verdict final_decl = MENSSIMNAO(core::cp850::from_utf8("se é uma declaração final."));
  EXPECT_FALSE(final_decl.ok);
  EXPECT_EQ(utf8(final_decl.notice),
            Lines{"Informe com 'S'(Sim) ou 'N'(Não) se é uma declaração final."});
}

TEST(Validation, ChoiceOfOneToThree) {
  for (int n : {1, 2, 3}) EXPECT_TRUE(XOUNAO(n).ok) << n;
  for (const char* n : {"0", "4", "1.5", "-1"}) {
    SCOPED_TRACE(n);
    Verdict v = XOUNAO(*core::Decimal::parse(n));
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(utf8(v.notice), Lines{"Informe o número correto"});
  }
}

}  // namespace
}  // namespace vormel::entry
