// The frames of the income and payment screens (1 to 4) and of the windows opened over them: the
// full-row form of an income row and the header of the dated cash-book entries.
#include <string>
#include <string_view>

#include "entry/screen_frames.h"

namespace vormel::entry {

namespace {

// Columns a UTF-8 text takes on the screen (one a character).
int columns(std::string_view s) {
  int n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// A title over the middle of the frame's top line.
void centre_title(Frame& f, std::string_view title) { f.put(0, (f.width() - columns(title)) / 2, title); }

// Appends the same row several times (the inside of a box).
void repeat(Frame& f, std::string_view row, int times) {
  for (int i = 0; i < times; ++i) f.add(row);
}

// The inside of a box as wide as the screen, and of the narrower boxes of screen 4.
constexpr std::string_view kSide80 = "│                                                                              │";
constexpr std::string_view kSide62 = "│                                                            │";

}  // namespace

Frame legal_entity_income_frame(int item) {
  // Rows 1 to 13 are the item editor's list (heads, their separator, the rows and the
  // footing); the income totals write their amounts into the cells of the summary.
  Frame f(1, 0, 79, {
      "┌─────────────────────────────────────────────────────────────────────────────┐",
      "│                                                                             │",
      "├─────────────────────────────────────────────────────────────────────────────┤",
  });
  repeat(f, "│                                                                             │", 11);
  f.add({
      "├────────────────┬────────────┬────────────┬──────────┬───────────┬───────────┤",
      "│RENDIMENTOS     │Titular     │Dependente  │IMPOSTOS  │ Titular   │Dependente │",
      "│Pessoa Jurídica │            │            │Rec. Fonte│           │           │",
      "│13ro Salário    │            │            │Prev./INSS│           │           │",
      "│P.Físi/Exterior │            │            │Carnê Leão│           │           │",
      "│Recebido Acumul.│            │            │Retido RRA│           │           │",
      "│Isentos         │            │            │Devido RRA│           │           │",
      "│Tributado Fonte │            │            │Exterior  │           │           │",
      "└────────────────┴────────────┴────────────┴──────────┴───────────┴───────────┘",
  });
  switch (item) {
    case 12: centre_title(f, "(RRA) RENDIMENTOS TRIBUTÁVEIS DE PESSOA JURÍDICA RECEBIDOS ACUMULADAMENTE "); break;
    case 13: centre_title(f, "TODOS OS RENDIMENTOS RECEBIDOS E IMPOSTOS PAGOS PELOS DEPENDENTES"); break;
    case 14: centre_title(f, "(RRA) REND.TRIBUTÁVEIS DE P.JURÍDICA RECEBIDO ACUMULADAMENTE P/DEPENDENTES"); break;
    default: centre_title(f, "RENDIMENTOS TRIBUTÁVEIS E ISENTOS RECEBIDOS DE PESSOAS JURÍDICAS"); break;
  }
  return f;
}

Frame individual_income_frame(int item, const core::Record& v) {
  // The monthly grid takes rows 5 to 19 (heads, separator, twelve months and the totals),
  // the month and six amount columns in view; the carnê-leão totals of row 21 are
  // written at columns 13, 32 and 56, the kinds of income of row 22 under them.
  Frame f(1, 0, 80, {
      "┌──────────────────────────────────────────────────────────────────────────────┐",
      kSide80,
      "│ALT A Troca (1)Fonte INDIVIDUAL (2)Só TOTAIS (3)Livro Caixa (4)Cálculo Inverso│",
      kSide80,
      "├──────┬───────────┬───────────┬───────────┬───────────┬───────────┬───────────┤",
      "│      │           │           │           │           │           │           │",
      "├──────┼───────────┼───────────┼───────────┼───────────┼───────────┼───────────┤",
  });
  repeat(f, "│      │           │           │           │           │           │           │", 13);
  f.add({
      "├──────┴───────────┴───────────┴───────────┴───────────┴───────────┴───────────┤",
      kSide80,
      kSide80,
      "└──────────────────────────────────────────────────────────────────────────────┘",
  });
  centre_title(f, "(3)Rend. Tribut.Recebido de P.Físicas e apuração do recolhimento mensal");
  f.put(1, 1, item == 22 ? "Dependente CPF" : "Rendimento do Titular");
  static constexpr std::string_view kModes[] = {"1)INDIVIDUAL  ", "2)SÓ OS TOTAIS", "3)LIVRO CAIXA ",
                                                "4)CALC.INVERSO"};
  const int mode = v.integer("CAL_AUTO");
  f.put(3, 1, "Tipo Rendimento:").put(3, 44, "PREENCHIMENTO ATUAL:");
  f.put(3, 65, kModes[mode >= 1 && mode <= 4 ? mode - 1 : 0]);
  f.put(21, 1, "Totais: INSS").put(21, 25, "Pensão").put(21, 44, "Dependentes");
  f.put(22, 3, "Trabalho:").put(22, 23, "Aluguel:").put(22, 48, "Outros:");
  return f;
}

namespace {

// A numbered line of screen 3; the marked ones are filled from the income rows of screen 1.
struct IncomeLine {
  std::string_view text;
  bool from_screen_1;
};

constexpr IncomeLine kExclusive[] = {
    {"Décimo terceiro salário", true},
    {"Ganhos de capital na alienação de bens e ou direitos", false},
    {"Ganhos líquidos em renda variável(bolsa,mercadorias,futuros)", false},
    {"Rendimentos de aplicações financeiras", true},
    {"Rendimentos recebidos acumuladamente pelo titular", true},
    {"Décimo terceiro salário recebido pelos dependentes", true},
    {"Rendimentos recebidos acumuladamente pelos dependentes", true},
    {"Juros Sobre Capital Próprio", true},
    {"Participação nos Lucros e Resultados", true},
    {"Outros", true},
};

constexpr IncomeLine kExempt[] = {
    {"Bolsa de Estudo que não representa vantagem ou serviço", true},
    {"Capital ou prêmio de seguro pago por morte ou invalidez", false},
    {"Indenizações p/rescisão ou acidentes de trabalho,PDV, FGTS", true},
    {"Lucro venda bens peq.valor, único imóvel, redução ganho", false},
    {"Lucros e dividendos recebidos pelo titular e dependentes", true},
    {"Parcela isenta da reserva remunerada/aposent.Maior 65 anos", true},
    {"Pensão,aposentadoria ou reforma  moléstia grave/invalidez", true},
    {"Rendimentos de caderneta de poupança e letras hipotecárias", true},
    {"Rendimentos de Sócio ou Titular de ME/EPP exceto ProLabor", true},
    {"Transferência patrimonial  - doações e heranças", true},
    {"Parcela isenta correspondente à atividade rural", false},
    {"IR de anos anteriores compensado judicialmente nesse ano", true},
    {"75% rend. recebido por servidor no exterior convertido R$", true},
    {"Incorporação de reservas ao capital/Bonificação em ações", true},
    {"Bolsa de estudo recebida como doação por Medico residente", true},
    {"Benefícios indiretos voluntario FIFA na org. copa 2015", true},
    {"Transferência patrimonial- meações,dissolução soc.conjugal", true},
    {"Ganhos liquido em mercado a vista na bolsa até 20mil ao mes", true},
    {"Ganhos liquido em ouro, ativo financeiro até 20mil ao mes", true},
    {"Recuperação de prejuízos em Renda Variável", false},
    {"Rendimentos bruto até 90% transp. carga,trator,terraplan.", false},
    {"Rendimentos bruto até 40% transporte de passageiros", false},
    {"Restituição do imposto de renda de anos anteriores", false},
    {"Outros", true},
};

// The values of screen 3 stand at column 65; the marks of the lines just before them.
constexpr int kValueColumn = 65;

// "01." + text from `first_row` on, one line a row.
template <size_t N>
void put_lines(Frame& f, int first_row, const IncomeLine (&lines)[N]) {
  for (size_t i = 0; i < N; ++i) {
    const int row = first_row + static_cast<int>(i);
    const int number = static_cast<int>(i) + 1;
    std::string label{static_cast<char>('0' + number / 10), static_cast<char>('0' + number % 10), '.'};
    label += lines[i].text;
    f.put(row, 1, label);
    if (lines[i].from_screen_1) f.put(row, kValueColumn - 1, "*");
  }
}

Frame exclusive_frame() {
  Frame f(3, 0, 80, {"┌──────────────────────────────────────────────────────────────────────────────┐"});
  repeat(f, kSide80, 11);
  f.add("└──────────────────────────────────────────────────────────────────────────────┘");
  f.add("");
  centre_title(f, "RENDIMENTOS SUJEITOS A TRIBUTAÇÃO EXCLUSIVA NA FONTE - Titular ");
  put_lines(f, 1, kExclusive);
  f.put(11, 1, "(itens com * lancar na tela 1)").put(11, kValueColumn - 9, "Total...");
  return f;
}

Frame exempt_frame() {
  // From the top of the screen: 24 lines and the total on row 24, with no room for a
  // top or bottom line.
  Frame f(0, 0, 80);
  repeat(f, kSide80, 25);
  put_lines(f, 0, kExempt);
  f.put(24, 1, "(itens com * lancar na tela F1)").put(24, kValueColumn - 9, "Total...");
  return f;
}

// Two labels of the full-row form, at columns 0 and `right_column`; their fields go at 17 and 48.
void pair(Frame& f, int row, std::string_view left, std::string_view right, int right_column = 32) {
  f.put(row, 0, left).put(row, right_column, right);
}

}  // namespace

Frame exempt_income_frame(int item) { return item == 32 ? exclusive_frame() : exempt_frame(); }

Frame payments_frame(int item) {
  switch (item) {
    case 43: {
      // Payments: name, code, person, CPF/CNPJ, paid, not deductible; the refund total
      // of doctors and hospitals is written at column 67 of the last row.
      Frame f(2, 0, 80, {
          "┌──────────────────────────────────────────────────────────────────────────────┐",
          kSide80,
          "├──────────────────────────┬───┬───┬──────────────────┬───────────┬────────────┤",
      });
      repeat(f, "│                          │   │   │                  │           │            │", 17);
      f.add("└──────────────────────────┴───┴───┴──────────────────┴───────────┴────────────┘");
      f.put(21, 1, "Total de devolução de médicos/hospital (Lançar em outros isentos)");
      centre_title(f, "RELAÇÃO DOS PAGAMENTOS E DOAÇÕES EFETUADAS");
      return f;
    }
    case 44: {
      // Direct donation: the state at (1, 7), the limit at (1, 44), the city at (2, 11),
      // the amount at (3, 11) and the fund's CNPJ at (3, 34).
      Frame f(4, 0, 62, {"┌────────────────────────────────────────────────────────────┐"});
      repeat(f, kSide62, 6);
      f.add("└────────────────────────────────────────────────────────────┘");
      centre_title(f, "DADOS DA DOAÇÃO - ESTATUTO DA CRIANÇA E ADOLESCENTE ");
      f.put(1, 2, "UF").put(1, 15, "Valor Disponivel para doação");
      f.put(2, 2, "Cidade");
      f.put(3, 2, "Valor").put(3, 29, "CNPJ");
      return f;
    }
    case 45: {
      // Heirs: name and CPF/CNPJ.
      Frame f(4, 9, 62, {
          "┌────────────────────────────────────────────────────────────┐",
          kSide62,
          "├─────────────────────────────────────────┬──────────────────┤",
      });
      repeat(f, "│                                         │                  │", 14);
      f.add("└─────────────────────────────────────────┴──────────────────┘");
      centre_title(f, " RELAÇÃO DOS HERDEIROS ");
      return f;
    }
    default: {
      // Dependants (41) or alimentandos (42): number, name, code, birth, CPF.
      Frame f(4, 0, 80, {
          "┌──────────────────────────────────────────────────────────────────────────────┐",
          kSide80,
          "├───┬──────────────────────────────────────────┬───┬──────────┬────────────────┤",
      });
      repeat(f, "│   │                                          │   │          │                │", 11);
      f.add({"└───┴──────────────────────────────────────────┴───┴──────────┴────────────────┘", ""});
      centre_title(f, item == 42 ? "RELAÇÃO DOS ALIMENTANDOS" : "RELAÇÃO DOS DEPENDENTES");
      return f;
    }
  }
}

Frame income_row_frame(int section) {
  Frame f(3, 2, 64);
  f.in_window(4, 2);
  pair(f, 0, "Rendimentos", "Previdência");
  if (section == 20) {
    // The payer's CNPJ/CPF is typed at column 44 here, so its label starts earlier;
    // the option letter goes in the blanks between the two words of row 3.
    pair(f, 1, "IR retido fonte", "CNPJ/CPF fonte", 30);
    pair(f, 2, "Pensao Judicial", "CPF Alimentando");
    pair(f, 3, "Mes recebimento", "Ajuste Anual   Exclus.Fonte");
    pair(f, 4, "Quant. de meses", "Imposto Devido");
    repeat(f, "", 2);
    return f;
  }
  pair(f, 1, "IR retido fonte", "CNPJ/CPF fonte");
  pair(f, 2, "13ro Salário", "IR do 13ro");
  f.put(3, 8, "---- RENDIMENTOS ISENTOS E NAO TRIBUTAVEIS ----");
  pair(f, 4, "Bolsa Escola", "Indenizacao");
  pair(f, 5, "Lucro Distr.", "Isento 65 anos");
  pair(f, 6, "Apos. Moléstia", "Sócio ME/EPP");
  pair(f, 7, "Doaçao/Herança", "Ir Compensado");
  pair(f, 8, "Bolsa medico", "75% Moeda Ext.");
  pair(f, 9, "Bonificaçao", "Fifa");
  pair(f, 10, "Divórcio", "Açao < 20 mil");
  pair(f, 11, "Ouro < 20 mil", "Outros Isento");
  f.put(12, 0, "Descricao Outros");
  pair(f, 13, "Exig. Supensa", "Depo. Judicial");
  f.put(14, 10, "---- TRIBUTADOS EXCLUSIVAMENTE NA FONTE ----");
  pair(f, 15, "Aplicacao Fin.", "Juros Capital");
  pair(f, 16, "Partic. Lucro", "Outros Tribut.");
  repeat(f, "", 2);
  return f;
}

Frame dated_entries_frame() {
  // Header of the dated entries of the monthly grid; their list opens over it.
  Frame f(5, 7, 70, {"┌────────────────────────────────────────────────────────────────────┐"});
  repeat(f, "│                                                                    │", 14);
  f.add("└────────────────────────────────────────────────────────────────────┘");
  f.put(0, 1, "─ Livro caixa da pessoa física  ");
  f.in_window(4, 0);
  return f;
}

}  // namespace vormel::entry
