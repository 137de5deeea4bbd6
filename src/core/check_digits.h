// Check digits of the Brazilian identification numbers the declaration holds: CPF,
// CNPJ, NIT/PIS and the receipt number of a filed declaration. Pure digit rules; the
// texts given must be plain digits (no separators, no blanks).
#pragma once
#include <string>
#include <string_view>

namespace vormel::core {

// True when `text` is not empty and holds only the digits 0 to 9.
bool all_digits(std::string_view text);

// CPF: the two check digits of a 9-digit base ("" when the base is not 9 digits), and
// whether 11 digits carry the right ones. Repeated digits ("11111111111") are valid.
std::string cpf_check_digits(std::string_view base);
bool is_valid_cpf(std::string_view cpf);

// CNPJ: the two check digits of a 12-digit base, and the test of 14 digits.
std::string cnpj_check_digits(std::string_view base);
bool is_valid_cnpj(std::string_view cnpj);

// NIT/PIS: the check digit of a 10-digit base, and the test of 11 digits.
std::string nit_check_digit(std::string_view base);
bool is_valid_nit(std::string_view nit);

// MODULO_11: one check digit of a digit string, weights n+1 (first digit) down to 2
// (last); "" for an empty string or one that is not all digits.
std::string MODULO_11(std::string_view digits);

// Receipt number: the two check digits of a 10-digit base (MODULO_11 of the base, then
// of the base with the first digit), and the test of 12 digits.
std::string receipt_check_digits(std::string_view base);
bool is_valid_receipt(std::string_view receipt);

}  // namespace vormel::core
