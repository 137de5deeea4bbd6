// The frames of the rural annex (screens 12 to 17): the properties, the monthly receipts
// and expenses, the result, the herd, the rural assets and the rural debts. The activity
// in Brazil or abroad (`ATV_BRASIL` "N") changes titles and columns. The lists are drawn
// by the item editor over the boxes; the result and herd forms write their values into
// the blank columns right of the labels (amounts at 63, herd quantities at 31 to 63).
#include <string>

#include "entry/screen_frames.h"

namespace vormel::entry {

namespace {

void add_rows(Frame& f, std::string_view row, int count) {
  for (int i = 0; i < count; ++i) f.add(row);
}

bool abroad(const core::Record& v) { return v.text("ATV_BRASIL") == "N"; }

// Screen 12: the properties exploited (rows 2-20). Abroad the list is shorter and the
// totals of the properties follow it (values at columns 23 and 63).
Frame properties_frame(const core::Record& v) {
  const bool ext = abroad(v);
  Frame f(1, 0, 79);
  f.put(0, 0, ext ? "    Atividade Rural exercida no Exterior" : "    Atividade Rural exercida no Brasil");
  f.put(1, 0,
        ext ? "(1) IDENTIFICAÇÃO DA ATIVIDADE, DO IMÓVEL E LANÇAMENTO DAS RECEITAS E DEPESAS  "
            : "(1) IDENTIFICAÇÃO DA ATIVIDADE E DO IMÓVEL EXPLORADO");
  f.add({
      "┌───┬──────┬────┬──────────────────┬──────────────────┬─────────┬─────────────┐",
      ext ? "│Cod│% Part│Cond│Nome do Imóvel    │Local do Imóvel   │Area (ha)│País         │"
          : "│Cod│% Part│Cond│Nome do Imóvel    │Local do Imóvel   │Area (ha)│Nro.R.Fed    │",
      "├───┼──────┼────┼──────────────────┼──────────────────┼─────────┼─────────────┤",
  });
  constexpr std::string_view joints = "│   │      │    │                  │                  │         │             │";
  if (!ext) {
    add_rows(f, joints, 15);
    f.add("└───┴──────┴────┴──────────────────┴──────────────────┴─────────┴─────────────┘");
    return f;
  }
  add_rows(f, joints, 12);
  f.add({
      "├───┴──────┴────┴──────────────────┴──────────────────┴─────────┴─────────────┤",
      "│TOTAIS Resultado 1 U$                20% da Receita Bruta US$                │",
      "│                                     20% da Receita Bruta  R$                │",
      "└─────────────────────────────────────────────────────────────────────────────┘",
  });
  return f;
}

// Screen 13: the months beside the grid of receipts and expenses (columns 31-61 of the
// screen, that is 11-41 here), with the way the months are filled under the months.
Frame receipts_frame(const core::Record& v) {
  Frame f(2, 20, 42, {
      "┌(3) RECEITAS E DESPESAS─Valores em REAIS┐",
      "│  Meses   │Valor Receitas│Valor Despesas│",
      "├──────────┼──────────────┼──────────────┤",
  });
  for (std::string_view month : {"Janeiro", "Fevereiro", "Março", "Abril", "Maio", "Junho", "Julho", "Agosto",
                                 "Setembro", "Outubro", "Novembro", "Dezembro", " TOTAIS"}) {
    const int row = f.height();
    f.add("│          │              │              │");
    f.put(row, 1, month);
  }
  f.add({
      "│          │              │              │",
      "└──────────┴──────────────┴──────────────┘",
  });
  // Typed totals or totals summed from the cash book (Alt+A switches them).
  f.put(f.height() - 1, 1, v.logical("SO_TOTAL") ? "Só Totais " : " L. Caixa ");
  return f;
}

// The office's dollar rate as it is shown: four decimals in six columns.
std::string dollar_rate(const core::Record& v) {
  std::string rate = v.text("CVALDOLAR");
  if (!rate.empty()) return rate;
  rate = v.number("NVALDOLAR").to_string(4);
  return rate.size() < 6 ? std::string(6 - rate.size(), ' ') + rate : rate;
}

// Screen 14: four boxes of lines with their values in reais at column 63; the earlier
// losses (row 1), the 20% option (row 7, letter at column 56) and the advances (rows 15
// and 16) are typed. Abroad the first result is in dollars (column 48) and converted.
Frame result_frame(const core::Record& v) {
  constexpr std::string_view line = "│                                                             │              ";
  constexpr std::string_view bottom = "└─────────────────────────────────────────────────────────────┴──────────────";
  Frame f(4, 1, 77, {"┌─INFORMACAO DO EXERCICIO ANTERIOR────────────────────────────┬─Valor em R$──"});
  f.add({line, bottom, "┌─APURAÇÃO DO RESULTADO TRIBUTÁVEL────────────────────────────┬─Valor em R$──"});
  add_rows(f, line, 6);
  f.add({bottom, "┌─INFORMAÇÕES PARA O EXERCÍCIO SEGUINTE───────────────────────┬─Valor em R$──", line, bottom,
         "┌─APURAÇÃO DO RESULTADO NAO TRIBUTÁVEL────────────────────────┬─Valor em R$──"});
  add_rows(f, line, 3);
  f.add(bottom);

  // The simplified declaration cannot carry earlier losses.
  f.put(1, 1, v.text("USAPADRAO") == "S" ? " Prejuízo Anterior (não dispon. c/ dec. simplificada )"
                                         : " Saldo de prejuízo(s) de Exercício(s) Anterior(es)");
  if (abroad(v)) {
    f.put(4, 49, "Valor em US$");
    f.put(5, 2, "02");
    f.put(5, 5, "Resultado I em US$");
    f.put(6, 5, "Resultado I em R$ (item 02x" + dollar_rate(v) + ")");
  } else {
    f.put(4, 2, "Receita Bruta Total");
    f.put(5, 2, "Despesas de Custeio e Investimentos");
    f.put(6, 2, "Resultado I");
  }
  f.put(7, 2, "Opção pelo limite de 20% sobre a Receita Bruta");
  f.put(8, 2, "Compensação de prejuízo(s) anterior(es)");
  f.put(9, 2, "RESULTADO TRIBUTAVEL");
  f.put(12, 2, "Saldo de prejuízo(s) a compensar");
  f.put(15, 2, "Adiantamento rec.em 2015 de vendas p/entrega futura");
  f.put(16, 2, "Receita de produtos entregues em 2015 de adiantamento");
  f.put(17, 2, "RESULTADO NAO TRIBUTAVEL");
  return f;
}

// Screen 15: a species per row (5 to 13) and a column of seven per movement, the typed
// quantities at columns 31, 39, 47, 55, 63 and the final stock at 71.
Frame herd_frame() {
  constexpr std::string_view between = "├─────────────────────────────┼───────┼───────┼───────┼───────┼───────┼───────";
  return Frame(5, 1, 78, {
      "    (7) MOVIMENTAÇÃO DO REBANHO (Indicar somente a quantidade de animais)     ",
      "┌─────────────────────────────┬───────┬───────┬───────┬───────┬───────┬───────",
      "│          ESPÉCIE            │ESTOQUE│COMPRAS│NASCIDO│CONSUMO│VENDAS │ESTOQUE",
      "│                             │INICIAL│NO  ANO│ NO ANO│ PERDAS│NO ANO │ FINAL ",
      between,
      "│ Bovinos e Bufalinos         │       │       │       │       │       │       ",
      between,
      "│ Suínos                      │       │       │       │       │       │       ",
      between,
      "│ Caprinos e Ovinos           │       │       │       │       │       │       ",
      between,
      "│ Asininos, Equinos e Muares  │       │       │       │       │       │       ",
      between,
      "│ Outros                      │       │       │       │       │       │       ",
      "└─────────────────────────────┴───────┴───────┴───────┴───────┴───────┴───────",
      "",
  });
}

// Screen 16: the rural assets (rows 1-20); the last column is the status in Brazil and
// the country abroad.
Frame rural_assets_frame(const core::Record& v) {
  Frame f(1, 1, 79);
  if (abroad(v)) {
    f.put(0, 0, "(8) BENS DA ATIVIDADE RURAL NO EXTERIOR");
    f.add({
        "┌───┬───────────────────────────────────────────────────┬──┬─────────────┬────┐",
        "│It.│Discriminação, Data de Aquisição e Venda           │Cd│Valor R$     │Pais│",
        "├───┼───────────────────────────────────────────────────┼──┼─────────────┼────┤",
    });
    add_rows(f, "│   │                                                   │  │             │    │", 16);
    f.add("└───┴───────────────────────────────────────────────────┴──┴─────────────┴────┘");
    return f;
  }
  f.put(0, 0, "(8) BENS DA ATIVIDADE RURAL NO BRASIL");
  f.add({
      "┌───┬─────────────────────────────────────────────────────┬──┬─────────────┬──┐",
      "│It.│Discriminação, Data de Aquisição e Venda             │Cd│Valor R$     │St│",
      "├───┼─────────────────────────────────────────────────────┼──┼─────────────┼──┤",
  });
  add_rows(f, "│   │                                                     │  │             │  │", 16);
  f.add("└───┴─────────────────────────────────────────────────────┴──┴─────────────┴──┘");
  return f;
}

// Screen 17: the rural debts (rows 1-19) with the balances under "Saldo" and their totals
// (row 20). The balances are headed as the asset values of the declaration's kind.
Frame rural_debts_frame(const core::Record& v) {
  Frame f(1, 0, 79, {
      " (9) DÍVIDAS VINCULADAS A ATIVIDADE RURAL      ┌────────────Saldo─────────────┐",
      "┌───┬──────────────────────────────────────────┼──────────────┬───────────────┤",
      "│It.│DISCRIMINACAO                             │              │               │",
      "├───┼──────────────────────────────────────────┼──────────────┼───────────────┤",
  });
  add_rows(f, "│   │                                          │              │               │", 15);
  f.add({
      "└───┴──────────────────────────────────────────┼──────────────┼───────────────┤",
      "                                         Totais│              │               │",
      "                                               └──────────────┴───────────────┘",
  });
  const bool final_estate = v.text("DECFINAL") == "S";
  const bool departure = !final_estate && v.text("DECSAIDA") == "S";
  f.put(2, 48, final_estate ? " Data Partilha" : "Em 31/12/2014");
  f.put(2, 63, final_estate ? " Val. Transf. " : departure ? "Dt.Não Resid." : "Em 31/12/2015");
  return f;
}

}  // namespace

Frame rural_frame(int screen, const core::Record& v) {
  switch (screen) {
    case 12: return properties_frame(v);
    case 13: return receipts_frame(v);
    case 14: return result_frame(v);
    case 15: return herd_frame();
    case 16: return rural_assets_frame(v);
    case 17: return rural_debts_frame(v);
    default: return Frame{};
  }
}

}  // namespace vormel::entry
