#include "core/check_digits.h"

#include <algorithm>
#include <array>

namespace vormel::core {

namespace {

int digit(char c) { return c - '0'; }
char to_char(int d) { return static_cast<char>('0' + d); }

// The weighted sum of the digits of `text`, weights in the same order.
template <size_t N>
int weighted_sum(std::string_view text, const std::array<int, N>& weights) {
  int sum = 0;
  for (size_t i = 0; i < N; ++i) sum += digit(text[i]) * weights[i];
  return sum;
}

// The rule shared by CNPJ and NIT: remainders 0 and 1 give 0, others 11 − r.
int eleven_minus_remainder(int sum) {
  int r = sum % 11;
  return r < 2 ? 0 : 11 - r;
}

bool is_base(std::string_view text, size_t length) {
  return text.size() == length && all_digits(text);
}

// A full number is valid when its base gives back its own trailing check digits.
bool ends_with_digits(std::string_view number, size_t base_length, const std::string& digits) {
  return !digits.empty() && number.substr(base_length) == digits;
}

}  // namespace

bool all_digits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return c >= '0' && c <= '9';
  });
}

// S1 weighs the base 1 to 9 from the left and S2 9 to 1; S1 mod 11 is the first digit
// and S2 mod 11 the second, a 10 becoming 0 (and adding 9 to S2 when it is the first).
// This gives the same digits as the tax authority's 10..2 / 11..2 weighting.
std::string cpf_check_digits(std::string_view base) {
  if (!is_base(base, 9)) return "";
  int s1 = 0, s2 = 0;
  for (int i = 1; i <= 9; ++i) {
    int d = digit(base[static_cast<size_t>(i - 1)]);
    s1 += d * i;
    s2 += d * (10 - i);
  }
  int first = s1 % 11;
  if (first == 10) {
    first = 0;
    s2 += 9;
  }
  int second = s2 % 11;
  if (second == 10) second = 0;
  return {to_char(first), to_char(second)};
}

bool is_valid_cpf(std::string_view cpf) {
  return is_base(cpf, 11) && ends_with_digits(cpf, 9, cpf_check_digits(cpf.substr(0, 9)));
}

std::string cnpj_check_digits(std::string_view base) {
  if (!is_base(base, 12)) return "";
  static constexpr std::array<int, 12> kFirst = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  static constexpr std::array<int, 12> kSecond = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3};
  int first = eleven_minus_remainder(weighted_sum(base, kFirst));
  int second = eleven_minus_remainder(weighted_sum(base, kSecond) + 2 * first);
  return {to_char(first), to_char(second)};
}

bool is_valid_cnpj(std::string_view cnpj) {
  return is_base(cnpj, 14) && ends_with_digits(cnpj, 12, cnpj_check_digits(cnpj.substr(0, 12)));
}

std::string nit_check_digit(std::string_view base) {
  if (!is_base(base, 10)) return "";
  static constexpr std::array<int, 10> kWeights = {3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  return std::string(1, to_char(eleven_minus_remainder(weighted_sum(base, kWeights))));
}

bool is_valid_nit(std::string_view nit) {
  return is_base(nit, 11) && ends_with_digits(nit, 10, nit_check_digit(nit.substr(0, 10)));
}

std::string MODULO_11(std::string_view digits) {
  if (!all_digits(digits)) return "";
  int sum = 0;
  int weight = static_cast<int>(digits.size()) + 1;
  for (char c : digits) sum += digit(c) * weight--;
  int d = 11 - sum % 11;
  return std::string(1, to_char(d >= 10 ? 0 : d));
}

std::string receipt_check_digits(std::string_view base) {
  if (!is_base(base, 10)) return "";
  std::string first = MODULO_11(base);
  return first + MODULO_11(std::string(base) + first);
}

bool is_valid_receipt(std::string_view receipt) {
  return is_base(receipt, 12) &&
         ends_with_digits(receipt, 10, receipt_check_digits(receipt.substr(0, 10)));
}

}  // namespace vormel::core
