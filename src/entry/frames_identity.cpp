// The frames of the identification-type screens: assets and debts with the spouse,
// espólio and saída forms (screen 5), identification (6), status and notes (11) and the
// zoomed asset and debt lists (22, 23). Labels sit left of the columns where the forms
// put their fields; the lists are drawn by the item editor inside the empty boxes.
#include <string>
#include <string_view>

#include "entry/screen_frames.h"

namespace vormel::entry {

namespace {

constexpr std::string_view kSide80 = "│                                                                              │";
constexpr std::string_view kBottom80 = "└──────────────────────────────────────────────────────────────────────────────┘";

// The totals under the asset and debt lists: values at columns 20, 48 and 65.
constexpr std::string_view kTotalsTop = "├─────────────────────────────────┬───────────────────────────┬────────────────┤";
constexpr std::string_view kAssetTotals = "│Declarado em 2014                │ Totais     A              │ B              │";
constexpr std::string_view kDebtTotals = "│Declarado em 2014                │ Totais     C              │ D              │";
constexpr std::string_view kPaidTotals = "│E=(C-D) DIFER.(F-E)              │ Pagos      E              │ F              │";
constexpr std::string_view kTotalsBottom = "└─────────────────────────────────┴───────────────────────────┴────────────────┘";

void add_rows(Frame& f, std::string_view row, int count) {
  for (int i = 0; i < count; ++i) f.add(row);
}

// Item 51: the asset list (rows 1-9) over the debt list (rows 13-18), each with its totals.
Frame assets_and_debts_frame() {
  Frame f(1, 0, 80, {"┌──────────────────────────────DECLARAÇÃO DE BENS──────────────────────────────┐"});
  add_rows(f, kSide80, 9);
  f.add({kTotalsTop, kAssetTotals, "├─────────────────────────────────┴───DÍVIDAS E ONUS REAIS────┴────────────────┤"});
  add_rows(f, kSide80, 6);
  f.add({kTotalsTop, kDebtTotals, kPaidTotals, kTotalsBottom});
  return f;
}

// Item 56: the spouse's figures, values at column 25.
Frame spouse_frame() {
  return Frame(3, 19, 40, {
      "┌─────   INFORMAÇÕES DO CONJUGE   ─────┐",
      "│CPF                Busca    Manual    │",
      "│O conjuge entregou declaração 2016    │",
      "├──────────────────────────────────────┤",
      "│+Base de cálculo                      │",
      "│-Total de imposto pago                │",
      "│Rend.Isent e N.Trib.                  │",
      "│Rend.Trib Exclusiva                   │",
      "│Rend.PJ (Exig.Suspensa)               │",
      "├──────────────────────────────────────┤",
      "│ Resultado                            │",
      "│                                      │",
      "└──────────────────────────────────────┘",
  });
}

// Item 57: the inventariante and, in a final espólio whose kind of partition is known,
// the closing data of a judicial partition or of a public deed.
Frame estate_frame(const core::Record& v) {
  Frame f(3, 10, 58, {
      "┌────────────────  Declaração de Espólio ────────────────┐",
      "│ Indentificação do inventariante                        │",
      "│ CPF                                                    │",
      "│ Nome                                                   │",
      "│ Endereço                                               │",
      "│ Declaração de encerramento ?                           │",
      "│ Informação do conjugue ou companheiro falecido.        │",
      "│ Morte de ambos?     Inventario em conjunto?            │",
      "│ CPF                Nome                                │",
      "│ Judicial     Escritura pública                         │",
  });
  constexpr std::string_view side = "│                                                        │";
  constexpr std::string_view bottom = "└────────────────────────────────────────────────────────┘";
  const std::string kind = v.text("DECJUDI");
  if (v.text("DECFINAL") != "S" || (kind != "S" && kind != "N")) {
    f.add({side, side, bottom});
    return f;
  }
  f.add({
      "├────────────────────────────────────────────────────────┤",
      "│ Informações sobre o Encerramento do Espólio            │",
      "│Ano do óbito                                            │",
  });
  if (kind == "S")
    f.add({
        "│Nro. do processo judicial                               │",
        "│Vara Cível      Comarca                           UF    │",
        "│Data da decisão judicial da partilha                    │",
        "│Data do trânsito em julgado da decisão                  │",
    });
  else
    f.add({
        "│Nome Cartório                                           │",
        "│Município                                         UF    │",
        "│Livro        Folhas           CNPJ                      │",
        "│Data da Lavratura                                       │",
    });
  f.add({side, side, bottom});
  return f;
}

// Item 58: the saída definitiva and the procurator.
Frame departure_frame() {
  return Frame(3, 10, 58, {
      "┌────────────────  Declaração de Saída   ────────────────┐",
      "│ Declaração de Saída definitiva do país?                │",
      "│ Indentificação do Procurador  (se houver)              │",
      "│ CPF                                                    │",
      "│ Nome                                                   │",
      "│ Endereco                                               │",
      "│ Data da caracterização de não residente                │",
      "│ Data da caracterização de residente                    │",
      "│                                                        │",
      "│                                                        │",
      "└────────────────────────────────────────────────────────┘",
  });
}

}  // namespace

Frame assets_frame(int item, const core::Record& v) {
  switch (item) {
    case 56: return spouse_frame();
    case 57: return estate_frame(v);
    case 58: return departure_frame();
    default: return assets_and_debts_frame();
  }
}

Frame identification_frame(const core::Record& v) {
  Frame f(2, 0, 79, {
      "┌─────────────────────────────────────────────────────────────────────────────┐",
      "│CPF                Tem Atividade Rural   no Brasil                           │",
      "│Nome                                                     Idade   anos   meses│",
      "│Nascimento            Tit.Eleitor               CPF do                       │",
      "├─────────────────────────────────────────────────────────────────────────────┤",
      "│Retificadora?     Nro. do recibo da declaração Anterior de 2016              │",
      "│Último recibo de 2016                     Último recibo de 2015              │",
      "├─────────────────────────────────────────────────────────────────────────────┤",
      "│                            Banco      Agência         Conta                 │",
      "│ Um dos declarantes é pessoa com doença grave ou deficiente?                 │",
      "├─────────────────────────────────────────────────────────────────────────────┤",
      "│   Brasil   Exterior  CPF do procurador no Brasil                            │",
      "│Tipo            Logradouro                                       Novo End.   │",
      "│Número         Complemento                       Bairro                      │",
      "│CEP           UF      Município                                  Código      │",
      "│País                                             DDD     Telefone            │",
      "│Embaixada                                                                    │",
      "│ Correio Eletrônico (Email)                                                  │",
      "├─────────────────────────────────────────────────────────────────────────────┤",
      "│Nat                                                                          │",
      "│Cód                                                                          │",
      "│Registro Profissional:                           NIT/PIS/PASEP               │",
      "└─────────────────────────────────────────────────────────────────────────────┘",
  });
  // In a final espólio the CPF beside the deceased's is the surviving partner's.
  f.put(3, 56, v.text("DECFINAL") == "S" ? "Meeiro  " : "Cônjuge ");
  // With quotas to pay the account may pay them; otherwise it receives the refund.
  if (v.integer("QTD_QUOTA") == 0)
    f.put(8, 17, "Devolução");
  else
    f.put(8, 8, "Débito automatico?");
  return f;
}

Frame status_frame() {
  Frame f(1, 2, 77, {
      "┌───────────────────────────────────────────────────────────────────────────┐",
      "│Situação da Declaração                      DDD                            │",
      "│Celular           Escritório           Secretária                          │",
      "│última alienação Residencial usando Lei 11.196                             │",
      "│última alienação de imóvel a qualquer título                               │",
      "│Site Receita:Senha                Código:             Validade:            │",
      "│Nro. Beneficio INSS(1):            Benefico INSS(2):                       │",
      "├───────────────────────────────────────────────────────────────────────────┤",
  });
  add_rows(f, "│                                                                           │", 14);  // the notes, rows 8-21
  f.add("└───────────────────────────────────────────────────────────────────────────┘");
  return f.third_colour_tel3();
}

// Screen 22 zooms one list over the whole screen; screen 23 shows it with its totals.
// Items 51, 52 and 54 lead to the assets, 53 and 55 to the debts.
Frame zoom_frame(int screen, int item) {
  const bool debts = item == 53 || item == 55;
  Frame f(1, 0, 80, {debts ? "┌───────────────────────────(9)DÍVIDAS E ÔNUS REAIS ───────────────────────────┐"
                           : "┌─────────────────────────── (8)DECLARAÇÃO DE BENS ────────────────────────────┐"});
  if (screen == 22) {
    add_rows(f, kSide80, 22);
    f.add(kBottom80);
    f.highlight(0, 28, debts ? 24 : 23);  // the title
    return f.third_colour_tel3();
  }
  add_rows(f, kSide80, 18);
  f.add({kTotalsTop, debts ? kDebtTotals : kAssetTotals});
  if (debts) f.add(kPaidTotals);
  f.add(kTotalsBottom);
  return f;
}

}  // namespace vormel::entry
