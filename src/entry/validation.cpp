#include "entry/validation.h"

#include <algorithm>

#include "core/check_digits.h"
#include "core/cp850_literal.h"
#include "core/picture.h"
#include "core/text.h"

namespace vormel::entry {

using namespace core::literals;

namespace {

using Lines = std::vector<std::string>;

Verdict accept() { return {true, {}}; }
Verdict refuse(Lines notice = {}) { return {false, std::move(notice)}; }

bool is_blank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// The digits of a text, "" when there are none.
std::string digits_of(std::string_view s) {
  std::string digits;
  for (char c : s)
    if (c >= '0' && c <= '9') digits.push_back(c);
  return digits;
}

// Characters [pos, pos + n) of a fixed-width text; missing ones are blanks.
std::string slice(std::string_view s, size_t pos, size_t n) {
  std::string out(s.substr(std::min(pos, s.size()), n));
  out.resize(n, ' ');
  return out;
}

std::string shown(std::string_view number, std::string_view picture) {
  return core::TRANSFORM(core::Value(std::string(number)), picture);
}

Lines wrong_digits(std::string_view kind, std::string_view number, std::string_view picture,
                   const std::string& right) {
  return {std::string("ATENÇÃO! "_cp) + std::string(kind) + " " + shown(number, picture) +
              std::string(" está incorreto. "_cp),
          std::string("O dígito para esse número é:"_cp) + right};
}

// A CPF that is not empty. A base holding anything but digits (a blank inside, text
// pasted in) is as incomplete as a short one: there is no check digit to compare.
Verdict check_cpf(std::string_view cpf, int mode) {
  std::string base = core::trim(slice(cpf, 0, 9));
  if (!core::all_digits(base) || base.size() < 9)
    return mode == 0 ? refuse({std::string("ATENÇÃO! CPF está incompleto."_cp)}) : refuse();
  std::string right = core::cpf_check_digits(base);
  if (slice(cpf, 9, 2) == right) return accept();
  if (mode == 2) return refuse();
  return refuse(wrong_digits("CPF", slice(cpf, 0, 11), "@R 999.999.999-99", right));
}

// A CNPJ that is not empty; the same holds for a base with other characters than digits.
Verdict check_cnpj(std::string_view cnpj) {
  std::string base = core::rtrim(slice(cnpj, 0, 12));
  if (!core::all_digits(base) || base.size() < 12)
    return refuse({std::string("ATENÇÃO! CNPJ está incompleto."_cp)});
  std::string right = core::cnpj_check_digits(base);
  if (slice(cnpj, 12, 2) == right) return accept();
  return refuse(wrong_digits("CNPJ", slice(cnpj, 0, 14), "@R 99.999.999/9999-99", right));
}

Verdict wrong_layout() {
  return refuse({std::string(" Digite o CPF/CNPJ com número correto "_cp),
                 std::string("de dígitos, 11 para CPF e 14 para CNPJ,"_cp),
                 std::string("ou coloque os separadores no lugar correto."_cp),
                 std::string("CPF=nnn.nnn.nnn-nn CNPJ=nn.nnn.nnn/nnnn-nn "_cp)});
}

// Yes/no answers: `accepted` lists the values that pass, `notice` is shown otherwise.
Verdict one_of(std::string_view value, std::initializer_list<std::string_view> accepted,
               Lines notice) {
  std::string v = core::trim(value);
  if (std::find(accepted.begin(), accepted.end(), v) != accepted.end()) return accept();
  return refuse(std::move(notice));
}

}  // namespace

Verdict VAL_CPF(std::string_view cpf, bool required, int mode) {
  if (is_blank(cpf)) return mode == 1 || !required ? accept() : refuse();
  return check_cpf(cpf, mode);
}

Verdict VAL_CGC(std::string_view cnpj, bool required) {
  if (is_blank(cnpj)) return required ? refuse() : accept();
  return check_cnpj(cnpj);
}

// The separators (1-based positions 3, 4 and 10) tell a CNPJ, a CPF and a NIT apart.
// The layout's rule then checks the digits; more digits than the layout holds means
// the separators are in the wrong place, and a NIT is checked as a NIT rather than let
// through unchecked.
DocumentVerdict CPFCGC(std::string_view doc, bool required) {
  DocumentVerdict out;
  if (is_blank(doc)) {
    out.text = std::string(doc);
    static_cast<Verdict&>(out) = required ? refuse() : accept();
    return out;
  }
  out.text = core::POEPONTO(doc, 0, 0);
  auto at = [&](size_t pos) { return slice(out.text, pos - 1, 1)[0]; };
  std::string digits = digits_of(out.text);
  Verdict v;
  if (at(10) == '.')
    v = VAL_NIT(out.text, 2);
  else if (at(4) == '.' || at(4) == ' ')
    v = digits.size() > 11 ? wrong_layout() : check_cpf(digits, 0);
  else if (at(3) == '.')
    v = digits.size() > 14 ? wrong_layout() : check_cnpj(digits);
  else
    v = wrong_layout();
  static_cast<Verdict&>(out) = std::move(v);
  return out;
}

Verdict VAL_NIT(std::string_view nit, int mode) {
  if (is_blank(nit)) return accept();
  std::string digits = digits_of(nit);
  if (digits.size() != 11)
    return refuse({mode == 1 ? std::string("ATENÇÃO! O NIT do empregado está errado."_cp)
                             : std::string("ATENÇÃO! O NIT está incompleto... "_cp)});
  if (core::is_valid_nit(digits)) return accept();
  Lines notice = {std::string("ATENÇÃO! NIT está incorreto. "_cp)};
  if (mode == 1) {
    notice.push_back(std::string("Se estiver digitado CPF use seta direita"_cp));
    notice.push_back(std::string("até a última coluna e digite lá. "_cp));
  }
  return refuse(std::move(notice));
}

// Only a base of 10 digits receives check digits: a short number padded with blanks
// would otherwise be "completed" into a receipt that never existed.
ReceiptVerdict VENROREC(std::string& receipt) {
  ReceiptVerdict out;
  if (is_blank(receipt)) {
    out.ok = true;
    return out;
  }
  std::string right = core::receipt_check_digits(slice(receipt, 0, 10));
  std::string typed = slice(receipt, 10, 2);
  if (!right.empty() && typed == right) {
    out.ok = true;
  } else if (!right.empty() && is_blank(typed)) {
    receipt.resize(std::max<size_t>(receipt.size(), 12), ' ');
    receipt.replace(10, 2, right);
    out.ok = out.completed = true;
  } else {
    out.notice = {std::string("Número do recibo inválido"_cp)};
  }
  return out;
}

Verdict VE_LETRSN(std::string_view value) {
  return one_of(value, {"", "S", "N"}, {std::string("Digite S de sim ou N de não"_cp)});
}

Verdict SNAO(std::string_view value) {
  return one_of(value, {"S", "N"}, {std::string("Digite S de sim ou N de Não"_cp)});
}

Verdict ESIMOUNAO(std::string_view value) {
  return one_of(value, {"S", "N"}, {std::string("Informe com 'S'(Sim) ou 'N'(Não) "_cp)});
}

Verdict MENSSIMNAO(std::string_view suffix) {
  return refuse({std::string("Informe com 'S'(Sim) ou 'N'(Não) "_cp) + std::string(suffix)});
}

Verdict XOUNAO(const core::Decimal& value) {
  if (value == 1 || value == 2 || value == 3) return accept();
  return refuse({std::string("Informe o número correto"_cp)});
}

Verdict VETITUT(std::string_view value, int mode) {
  if (mode == 2) return one_of(value, {"N"}, {});
  return one_of(value, {"S", "N"},
                {std::string(
                    "Informe com 'S'(Sim) se do titular ou 'N'(Não) se dos dependentes."_cp)});
}

}  // namespace vormel::entry
