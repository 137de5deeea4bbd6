// Frames of the result screens: the tax calculation (7) in either model, the capital-gain
// title (8), the balance of the year (10), and the small windows opened from them.
#include <string>

#include "entry/screen_frames.h"

namespace vormel::entry {

namespace {

// The simplified summary: label, line number and value (column 49), the simulation box
// at the right; the quota count goes between the bars of line 21 (column 24) and the
// model switch beside "completo" (column 76).
Frame simplified_calculation_frame() {
  return Frame(1, 0, 79, {
      "┌─────────── Declaração Simplificada ───────────┬──────────────┬─ Simulação ──┐",
      "│Rend.Tributável P.Jurídica do Titular        01│              │  Para pagar  │",
      "│Rend.Tributável P.Jurídica dependentes       02│              │um imposto de │",
      "│Rend.Tributável P.Física/Exterior do Titular 03│              │              │",
      "│Rend.Tributável P.Física/Exterior do Depend. 04│              │A renda devera│",
      "│Rend.Recebidos Acumuladamente do Titular     05│              │    ser de    │",
      "│Rend.Recebidos Acumuladamente do Dependente  06│              │              │",
      "│Rend.Tributável da Atividade Rural           07│              ├──────────────┤",
      "│TOTAL DOS RENDIMENTOS ................       08│              │              │",
      "│Desconto Simplificado                        09│              │              │",
      "│Base de Cálculo do Imposto                   10│              │              │",
      "│Imposto devido Recebido Acumuladamente       11│              │              │",
      "│TOTAL DO IMPOSTO DEVIDO ..............       12│              │              │",
      "│Imp.Renda Retido na fonte do titular         13│              │              │",
      "│Imp.Renda Retido na fonte dos dependentes    14│              │              │",
      "│Carnê Leão recolhido do titular+dependentes  15│              │              │",
      "│Imposto complementar                         16│              │              │",
      "│Imposto Lei 11.033/2004                      17│              │              │",
      "│Imposto retido RRA                           18│              │              │",
      "│TOTAL DO IMPOSTO PAGO ..............         19│              │              │",
      "│saldo do imposto  a  PAGAR                   20│              │              │",
      "│ quotas (até 8) ░░░░░░│ │░░░░░ no valor de   21│               Mudar para o  │",
      "│saldo do imposto  a  RECEBER                 22│                 completo    │",
      "└───────────────────────────────────────────────┴──────────────┴──────────────┘",
  });
}

// The complete model: income and deductions at the left (values at column 26), tax due
// and tax paid at the right (values at column 65); the quota count goes between "Em" and
// "Quotas" (column 44), the two questions after the words under the tables.
Frame complete_calculation_frame() {
  return Frame(1, 0, 80, {
      "┌── RENDIME.TRIBUTÁVEIS ─┬──────────────┬── IMPOSTO DEVIDO ─────┬──────────────┐",
      "│Rend. PJ Titular      01│              │Base de cálculo      20│              │",
      "│Rend. PJ Dependente   02│              │Imposto devido       21│              │",
      "│Rend. PF/Ext.Titular  03│              │Deduções  Incentivo  22│              │",
      "│Rend. PF/Ext.Depend.  04│              │Imposto devido I     23│              │",
      "│Acumulados do titular 05│              │INSS empr.Domestico  24│              │",
      "│Acumulados do Depend. 06│              │Imposto devido RRA   25│              │",
      "│Resul.Trib.Ativ.Rural 07│              │TOTAL IMPOSTO DEVIDO 26│              │",
      "│TOTAL...............  08│              ├── IMPOSTO PAGO ───────┼──────────────┤",
      "├── DEDUÇÕES ────────────┼──────────────┤Imp.Retido Titular   27│              │",
      "│Prev.Oficial/Funpresp 09│              │Imp.Retido Dependen. 28│              │",
      "│Prev.oficial no RRA   10│              │Carne Leão Titular   29│              │",
      "│Prev.Privada/FAPI     11│              │Carne Leão Dependen. 30│              │",
      "│Dependentes           12│              │Imposto Complementar 31│              │",
      "│Despesas c/ Instrução 13│              │Imposto pg. Exterior 32│              │",
      "│Despesas médicas      14│              │IR Retido Lei 11.003 33│              │",
      "│Pensão Judicial       15│              │Imposto Retido RRA   34│              │",
      "│Pensão Escritura Pub. 16│              │TOTAL IMPOSTO PAGO   35│              │",
      "│Pensão Judicial (RRA) 17│              │IMPOSTO A PAGAR..... 36│              │",
      "│Livro Caixa           18│              │Em   Quotas  de      37│              │",
      "│TOTAL................ 19│              │IMPOSTO A RECEBER... 38│              │",
      "└────────────────────────┴──────────────┴───────────────────────┴──────────────┘",
      " Simulador                                               Mudar para Simples",
      "",
  });
}

}  // namespace

Frame calculation_frame(const core::Record& v) {
  Frame f = v.text("USAPADRAO") == "S" ? simplified_calculation_frame() : complete_calculation_frame();
  f.third_colour_tel3();
  return f;
}

Frame capital_gain_frame(int item, const core::Record& v) {
  Frame f(2, 1, 79, {
      "┌─────────────────────────────────────────────────────────────────────────────┐",
      "│                                                                             │",
      "│                                                                             │",
      "└─────────────────────────────────────────────────────────────────────────────┘",
  });
  // Items 81 to 83 are the holder's, 84 to 86 the dependants', kinds 1, 2, 3 in turn.
  int kind = v.integer("TIPO_BEM");
  if (kind < 1 || kind > 3) kind = (item - 81) % 3 + 1;
  const bool dependant = item > 83;
  std::string title;
  if (kind == 1)
    // The non-resident wording is the holder's own: with " de dependente" after it the
    // title would not fit the box.
    title = v.text("DECSAIDA") == "S" && !dependant ? " Cálculo do Ganho de Capital de Bem Imóvel para não residente no país"
                                                    : " Cálculo do Ganho de Capital de Bem Imóvel";
  else if (kind == 2)
    title = " Cálculo do Ganho de Capital de Bem Móvel";
  else
    title = " Cálculo do Ganho de Capital de Participação Societária";
  if (dependant) title += " de dependente";
  f.put(1, 1, title);
  return f;
}

Frame balance_frame(const core::Record& v) {
  // Values at columns 25 and 64; the balance line (row 14) gets its words, index and
  // amount from the balance itself, around the "%".
  Frame f(1, 0, 79, {
      "┌────────── R E C E I T A S ───────────┬────────── D E S P E S A S ───────────┐",
      "│Rendimento tributável(1)              │Impostos pagos no ano(8)              │",
      "│Rendimentos isentos  (2)              │Imposto de anos anteri.               │",
      "│Rend.tributado fonte (3)              │Despesas declaradas  (9)              │",
      "│Ganho  Renda Variável(4)              │Perda Renda Variável (4)              │",
      "│Renda oficial Cônjuge(5)              │Custo p/manter os bens                │",
      "│Outras Rendas Cônjuge(5)              │Perdas na venda de Bens               │",
      "│Empréstimos          (7)              │Prejuízo na Ativ. Rural               │",
      "│Empréstimos Ativ.Rural                │Amortiz. Dívidas Rurais               │",
      "│Entradas no G.Capital(6)              │Custo Bens Baixados  (6)              │",
      "│Abat.Isento/Trib. GC (6)              │Custo Ano Bem Vendido(6)              │",
      "│Redução Patrimonial  (7)              │Aumento Patrimonial  (7)              │",
      "│Exigibilidade suspensa                │Despesas Pessoais                     │",
      "│Outras receitas                       │Total das DESPESAS.....               │",
      "│Ganho Cap. Diferido                   │                  %                   │",
      "│Total das RECEITAS.....               │ Renda média mensal                   │",
      "│Valor a receber futuro                │ Saldo mensal médio                   │",
      "├──────────────────────────────────────┴──────────────────────────────────────┤",
      "│Detalhes use ALT F n onde n é nro ()   Alertar quando o saldo atingir a    % │",
      "│Tempo gasto          Espaço         Kb Valor a calculado R$                  │",
      "│                                       Valor a cobrar    R$                  │",
      "│ Conferir a declaração (SNA)                                                 │",
      "└─────────────────────────────────────────────────────────────────────────────┘",
      "",
  });
  f.third_colour_tel3();
  if (v.text("DECFINAL") == "S") {
    // An espólio has no spouse income, and its expenses are the espólio's own.
    f.put(5, 1, std::string(24, ' '));
    f.put(6, 1, std::string(24, ' '));
    f.put(12, 40, "Despesas do Espólio    ");
  }
  return f;
}

Frame simulator_frame() {
  // The typed deduction goes at (3, 5), the wished tax at (8, 5); each result below its words.
  return Frame(1, 2, 21, {
                             "─── Simulador ─────",
                             "",
                             " Usando desconto de",
                             "",
                             " o imposto será",
                             "",
                             "──Cálculo inverso──",
                             "Para um imposto de",
                             "",
                             " A receita deve ser",
                             "",
                             "",
                             "Use Esc para sair",
                         })
      .in_window(5, 2);
}

Frame dollar_converter_frame(int cursor_row, int cursor_col) {
  // Below the field being edited, or above it when there is no room below; the three
  // fields (reais, dollars, month and its name) start at column 6.
  const int top = cursor_row >= 18 ? cursor_row - 6 : cursor_row + 1;
  const int left = cursor_col < 20 ? 0 : cursor_col - 20;
  return Frame(top, left, 24, {
                                  "┌───── R$ ◄──► $US ────┐",
                                  "│                      │",
                                  "│R$                    │",
                                  "│US$                   │",
                                  "│ Mês                  │",
                                  "│                      │",
                                  "└──────────────────────┘",
                              })
      .in_window(5, 7);
}

Frame capital_gain_summary_frame() {
  // Typed amounts at column 37, the amounts the operations gave at column 52.
  return Frame(5, 13, 67, {
                              "┌─ Ganhos de capital ───────────────┬─  Informado ─┬─  Calculado ─┐",
                              "│Bens de pequeno valor              │              │              │",
                              "│Único imóvel nos últimos 5 anos    │              │              │",
                              "│Outros bens imóveis(Valor redução) │              │              │",
                              "│Moeda extrangeira em espécie       │              │              │",
                              "├───────────────────────────────────┼──────────────┼──────────────┤",
                              "│Totais.....                        │              │              │",
                              "└───────────────────────────────────┴──────────────┴──────────────┘",
                          })
      .in_window(4, 0);
}

}  // namespace vormel::entry
