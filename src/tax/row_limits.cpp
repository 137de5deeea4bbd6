#include "tax/row_limits.h"

#include <algorithm>

#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"

namespace vormel::tax {

using namespace core::literals;

namespace {

std::string cp(std::string_view s) { return std::string(s); }
std::string shown(Money m) { return core::trim(core::TRANSFORM(m.to_decimal(), "@E 999,999,999.99")); }
Money max0(Money m) { return m > Money() ? m : Money(); }

// The column over the person's other rows of the same kind.
Money others(const DeclarationData& d, size_t row, const char* column) {
  const Record& mine = d.income[row];
  Money sum;
  for (size_t i = 0; i < d.income.size(); ++i) {
    if (i == row) continue;
    const Record& r = d.income[i];
    if (r.text("I1_1") != mine.text("I1_1")) continue;
    if (mine.text("I1_1") == "D" && r.text("I1_8") != mine.text("I1_8")) continue;
    sum += r.money(column);
  }
  return sum;
}

// Moves the excess over `limit` to the row's taxable income when the user agrees; the
// column keeps what fits.
Money offer_excess(Money value, Money total, Money limit, Record& row, const Dialogue& dialogue,
                   std::vector<std::string> question) {
  const Money excess = total - limit;
  question.push_back("de R$ " + shown(excess) + " deve ser " +
                     (row.money("I1_4") > Money() ? "somado ao" : cp("lançado no"_cp)) + " rendimento tributável"_cp.data());
  question.push_back("Deseja que o programa faça isso?"_cp.data());
  if (dialogue.ask && dialogue.ask(question)) row.set_money("I1_4", row.money("I1_4") + excess);
  return max0(value - excess);
}

}  // namespace

Money FDOAPAG(Record& payment, const Record& vars, const Dialogue& dialogue, const YearConstants& k) {
  const int code = payment.integer("I6_3");
  const Money amount = payment.money("I6_4");
  if (code >= 1 && code <= 6) payment.set_money("I6_5", max0(amount - k.NVALESCOL));
  if (code == 50) payment.set_money("I6_5", max0(amount - k.NMAXINSS));
  if ((code == 36 || code == 38) && vars.money("I13_09").is_zero() && dialogue.tell)
    dialogue.tell({cp("Atenção! As contribuições de previdência complementar cujo o ônus "_cp),
                   "seja do próprio contribuinte fica condicionado a contribuição para"_cp.data(),
                   "a previdência oficial, exceto se já aposentado. Na previdência dos"_cp.data(),
                   "dependentes menores de 16 anos só podem ser deduzidas se o titular"_cp.data(),
                   "contribuir a P. Oficial e se maior de 16 o próprio dependente deve"_cp.data(),
                   "recolher a Previdência. Lei 10.887 de 18/06/04 artigo 13.   "_cp.data()});
  return amount;
}

Money FCONFNDEDU(const Record& payment, Money part, const Dialogue& dialogue) {
  const int code = payment.integer("I6_3");
  if (part.is_zero()) return part;
  if (code > 27) {
    if (dialogue.tell)
      dialogue.tell({cp("Valores não dedutíveis só deve ser preenchido para convênios"_cp),
                     cp("hospitalares ou médicos quando o contribuinte é reembolsado. "_cp),
                     cp("Esse campo será preenchido pelo programa nas situações onde"_cp),
                     cp("os valores ultrapassam o limite permitido")});
    return Money();
  }
  if (code >= 8 && part > payment.money("I6_4")) {
    if (dialogue.tell)
      dialogue.tell({cp("O valor não dedutível ou reembolsado"_cp), cp("não pode ser maior que o valor pago "_cp)});
    return Money();
  }
  return part;
}

void FI7_13(Record& payment, const YearConstants& k) {
  Money total;
  for (int m = 1; m <= 12; ++m) total += payment.money("I6_4" + core::pad_left(std::to_string(m), 2, '0'));
  payment.set_money("I6_4", total);
  const int code = payment.integer("I6_3");
  if (code == 1 || code == 2) payment.set_money("I6_5", max0(total - k.NVALESCOL));
}

Money LIMIT3(Money value, DeclarationData& d, size_t row, const Dialogue& dialogue, const YearConstants& k) {
  if (value.is_zero()) return value;
  Record& r = d.income[row];
  const bool dependant = r.text("I1_1") == "D";
  const std::string who = dependant ? "dependente" : "contribuinte";
  auto tell = [&](std::vector<std::string> lines) {
    if (dialogue.tell) dialogue.tell(lines);
  };
  core::Date born = d.vars.date("NASCIMENTO");
  int code = 0;
  if (dependant) {
    born = core::Date();
    for (const auto& dep : d.dependants)
      if (dep.text("CPFDEPEN") == r.text("I1_8")) {
        born = dep.date("DATADEPEN");
        code = dep.integer("CODIDEPEN");
      }
    if (born.is_empty()) {
      tell({"Falta data do nascimento do dependente."});
      return Money();
    }
  }
  // 65 by the end of the year: born on 31/12/1950 or before. (Counting years of 365.25
  // days would refuse somebody born on the last day of 1950.)
  if (born.is_empty() || born.year() > 1950) {
    tell({"O " + who + " tem menos de 65 anos", cp("e não pode usar desse benefício!"_cp)});
    return Money();
  }
  if (!dependant && d.vars.text("CODAT") != "61" && dialogue.ask &&
      !dialogue.ask({cp("ATENÇÃO! Esse campo só pode ser usado por"_cp), " aposentados, reformados ou pensionistas.",
                     cp("A situação é essa mesmo com o código errado? "_cp)}))
    return Money();
  Money limit = k.NVALAPOSA;
  std::string note;
  if (born.year() == 1950) {
    limit = Money();
    for (int m = born.month(); m <= 13; ++m) limit += k.NVALAPOSE[size_t(period_of(m))];
    note = cp("Obs. O limite é menor pois o "_cp) + who + cp(" fez 65 anos no mês "_cp) + std::to_string(born.month());
  }
  const Money total = value + others(d, row, "I1_17");
  if (total <= limit) return value;
  if (dependant && code == 31) {
    tell({"O dependente " + core::TRANSFORM(r.text("I1_8"), "@R 999.999.999-99") + " tem o rendimento maior que",
          "o limite R$ " + shown(limit) + cp(" permitido para ser dependente."_cp),
          cp("Ele não pode ser dependente e deve ser retirado dessa declaração"_cp)});
    return Money();
  }
  std::vector<std::string> question{cp("O limite para esse ano é de R$ "_cp) + shown(limit) + " e o excedente"};
  Dialogue with_note = dialogue;
  if (!note.empty() && dialogue.ask)
    with_note.ask = [&](const std::vector<std::string>& lines) {
      auto all = lines;
      all.push_back(note);
      return dialogue.ask(all);
    };
  return offer_excess(value, total, limit, r, with_note, question);
}

Money LIMIT2(Money value, const Record& row, const Record& vars, const Dialogue& dialogue) {
  if (value.is_zero()) return value;
  if (vars.text("CODAT") != "62" && dialogue.ask &&
      !dialogue.ask({cp("ATENÇÃO! Esse campo só pode ser usado  "_cp), "por aposentados ou reformados. Preencha",
                     cp("o código correto da natureza na tela 6."_cp), cp(" Você deseja usá-lo assim mesmo ?      "_cp)}))
    return Money();
  if (row.money("I1_4") > Money() && dialogue.tell)
    dialogue.tell({cp("ATENÇÃO! Já existe um lançamento nessa linha no rendimento tributavével."_cp),
                   cp("Lance o valor da moléstia grave em uma nova linha separada desse rendimento."_cp),
                   cp("Isso é necessario porque o 13ro recebido por moléstia grave será somado no"_cp),
                   cp(" rendimento isento, o que não é feito no rendimento tributado"_cp)});
  return value;
}

Money taxable_beside_illness(Money value, const Record& row, const Dialogue& dialogue) {
  if (!value.is_zero() && row.money("I1_18") > Money() && dialogue.tell)
    dialogue.tell({cp("ATENÇÃO! Já existe nessa linha valor na aposentadoria por moléstia grave"_cp),
                   cp("Lance o rendimento tributado em uma nova linha separada da moléstia grave."_cp),
                   cp("Isso é necessario porque o 13ro recebido por moléstia grave será somado no"_cp),
                   cp(" rendimento isento, o que não é feito no rendimento tributado"_cp)});
  return value;
}

Money LIMITFIFA(Money value, DeclarationData& d, size_t row, const Dialogue& dialogue, const YearConstants& k) {
  if (value.is_zero()) return value;
  const Money total = value + others(d, row, "I1_25");
  if (total <= k.fifa_exempt_limit) return value;
  std::vector<std::string> question{cp("O limite isento para esse Benefício é de R$ "_cp) + shown(k.fifa_exempt_limit) +
                                    " e o excedente"};
  return offer_excess(value, total, k.fifa_exempt_limit, d.income[row], dialogue, question);
}

}  // namespace vormel::tax
