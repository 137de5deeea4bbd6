// Checks run when the cursor leaves a field: CPF, CNPJ, CPF-or-CNPJ, NIT, receipt
// numbers and the yes/no answers. Each gives its verdict and the lines of the one-button
// notice the screen shows when the field is refused (CP850 text); the screen keeps the
// cursor in the field when `ok` is false.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/decimal.h"

namespace vormel::entry {

struct Verdict {
  bool ok = false;
  std::vector<std::string> notice;  // lines of the notice; empty: nothing to show
};

// CPFCGC also gives back the text with its separators put in.
struct DocumentVerdict : Verdict {
  std::string text;
};

// VENROREC tells whether it wrote the missing check digits into the number.
struct ReceiptVerdict : Verdict {
  bool completed = false;
};

// VAL_CPF: 11 digits without separators. Mode 0 shows every notice; mode 1 (the client
// chooser) accepts an empty CPF whether required or not, and says nothing when the CPF
// is short; mode 2 refuses without a notice.
Verdict VAL_CPF(std::string_view cpf, bool required, int mode = 0);

// VAL_CGC: a CNPJ of 14 digits without separators.
Verdict VAL_CGC(std::string_view cnpj, bool required);

// CPFCGC: a CPF, a CNPJ or a NIT with or without separators (the 18-character fields of
// payers and payees). The separators decide which rule applies.
DocumentVerdict CPFCGC(std::string_view doc, bool required);

// VAL_NIT: a NIT/PIS with or without separators; mode 1 is the NIT of a domestic
// employee (its notice hints at the CPF column), mode 2 any other.
Verdict VAL_NIT(std::string_view nit, int mode);

// VENROREC: the receipt number of a filed declaration, 10 digits and 2 check digits.
// Typed without its check digits, it receives them and is accepted.
ReceiptVerdict VENROREC(std::string& receipt);

// Yes/no answers and small choices.
Verdict VE_LETRSN(std::string_view value);   // blank, "S" or "N"
Verdict SNAO(std::string_view value);        // "S" or "N"
Verdict ESIMOUNAO(std::string_view value);   // "S" or "N"
Verdict MENSSIMNAO(std::string_view suffix);  // always refuses; the notice ends in `suffix`
Verdict XOUNAO(const core::Decimal& value);  // 1, 2 or 3
// "S" (the holder's) or "N" (the dependants'); mode 2 takes only "N", silently.
Verdict VETITUT(std::string_view value, int mode);

}  // namespace vormel::entry
