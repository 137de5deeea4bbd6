// The smaller frames drawn inside screens and lists: the client chooser and the
// client's details, the header of the maintenance expenses and the partition data of an
// espólio's asset.
#include "entry/screen_frames.h"

namespace vormel::entry {

// The CPF goes in row 3 from column 2, the name from column 18, the current folder after
// " Pasta atual....".
Frame client_chooser_frame() {
  return Frame(16, 1, 72, {
      "┌────────────────┬─────────────────────────────────────────────────────┐",
      "│     C P F      │                        Nome                         │",
      "├────────────────┼─────────────────────────────────────────────────────┤",
      "│                │                                                     │",
      "├────────────────┴─────────────────────────────────────────────────────┤",
      "│ Pasta atual....                                                      │",
      "└──────────────────────────────────────────────────────────────────────┘",
  });
}

// Values from the columns after the labels (CPF at 5, name at 6, age at 26 and 34, ...).
Frame client_details_frame() {
  Frame f(0, 0, 79, {
      "┌─────────────────────────────────────────────────────────────────────────────┐",
      "│CPF                DIRPF Senha                 Código             Tem Rural  │",
      "│Nome                                                                         │",
      "│Nascimento          Idade   anos   meses Tit.Eleitor                         │",
      "│CPF do conjuge                 Brasil   Exterior    Retificadora?            │",
      "│Número do Recibo Anterior                                                    │",
      "├─────────────────────────────────────────────────────────────────────────────┤",
      "│Tipo             Logradouro                                       Novo End.  │",
      "│Número        Complemento                       Bairro                       │",
      "│CEP           UF    Município                                                │",
      "│País     Embaixada     DDD      Telefone                                     │",
      "│Correio Eletrônico (Email)                                                   │",
      "├─────────────────────────────────────────────────────────────────────────────┤",
      "│Banco     Agência         Conta                                              │",
      "└─────────────────────────────────────────────────────────────────────────────┘",
  });
  return f.in_window(8, 0);
}

// The text over the list of expenses (rows 7-18).
Frame maintenance_expenses_frame() {
  Frame f(2, 10, 64, {
      "┌──────────────────────────────────────────────────────────────┐",
      "│Anote o valor MENSAL das despesas que existem normalmente nos │",
      "│bens declarados, mas não são obrigatórias serem relacionadas. │",
      "│O programa irá anualizar e verificar se a receita declarada é │",
      "│suficiente para manter esses bens. Tecle ALT B.O VORMEL busca │",
      "│as depesas usando 10% do valor do bem. Ajuste-o se errado.    │",
      "├──────────────────────────────────────────────────────────────┤",
  });
  for (int i = 0; i < 12; ++i) f.add("│                                                              │");
  f.add("└──────────────────────────────────────────────────────────────┘");
  return f.in_window(4, 0);
}

// Layout 2 asks only whether the heirs' shares are entered; layout 1 adds the property's
// address and, when it is registered, the registry data.
Frame estate_partition_frame(int layout, bool registered, bool had_partition) {
  Frame f(9, 40, 39, {
      "┌─────────────────────────────────────┐",
      "│Será           nesse bem o percentual│",
      "│     de participação herdeiros?      │",
      "│                                     │",
  });
  f.put(1, 6, had_partition ? "alterado " : "informado");
  if (layout == 1) {
    f.add({
        "├─────────────────────────────────────┤",
        "│  Dados obrigatórios sobre o imóvel  │",
        "│Ender.                               │",
        "│Nro.       Compl.                    │",
        "│Bairro                  CEP          │",
        "│UF   Município:                      │",
        "│Registrado no cartório de imóveis?   │",
    });
    // With the registry rows the box ends on the last screen row.
    if (registered)
      f.add({
          "│Area do imóvel           M2   ou Ha  │",
          "│Nome cartório                        │",
          "│Matricula                            │",
          "│Registro                             │",
      });
    else
      f.add("│                                     │");
  }
  f.add("└─────────────────────────────────────┘");
  return f.in_window(6, 0);
}

}  // namespace vormel::entry
