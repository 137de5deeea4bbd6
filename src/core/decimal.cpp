#include "core/decimal.h"

#include <algorithm>

namespace vormel::core {

namespace {

using Rep = Decimal::Rep;

Rep power_of_ten(int n) {
  Rep p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

Rep magnitude(Rep v) { return v < 0 ? -v : v; }

// q = n / d rounded by `rounding`, for n >= 0 and d > 0, given the remainder r = n % d.
Rep round_quotient(Rep q, Rep r, Rep d, Rounding rounding) {
  if (rounding == Rounding::HalfUp && r != 0 && r >= d - r) ++q;
  return q;
}

// The two values' units brought to the larger of their scales.
struct Aligned {
  Rep a, b;
  int scale;
};

Aligned align(const Decimal& a, const Decimal& b) {
  int scale = std::max(a.scale(), b.scale());
  return {a.units() * power_of_ten(scale - a.scale()), b.units() * power_of_ten(scale - b.scale()),
          scale};
}

std::string digits_of(Rep v) {
  if (v == 0) return "0";
  std::string s;
  for (; v > 0; v /= 10) s.push_back(static_cast<char>('0' + static_cast<int>(v % 10)));
  std::reverse(s.begin(), s.end());
  return s;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Reads "[+-]digits[.digits]" at the start of `text`; returns the value and how many
// characters formed it, or nullopt when there is no digit at all.
struct Leading {
  Decimal value;
  size_t length;
};

std::optional<Leading> read_leading_number(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  Rep units = 0;
  int scale = 0;
  int significant = 0;
  bool any_digit = false;
  constexpr int kMaxDigits = 36;  // stays well inside __int128
  for (; i < text.size() && is_digit(text[i]); ++i) {
    any_digit = true;
    if (units != 0 || text[i] != '0') ++significant;
    if (significant > kMaxDigits) return std::nullopt;
    units = units * 10 + (text[i] - '0');
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    for (; i < text.size() && is_digit(text[i]); ++i) {
      any_digit = true;
      if (scale == Decimal::kMaxScale) continue;  // further decimals are dropped
      if (units != 0 || text[i] != '0') ++significant;
      if (significant > kMaxDigits) return std::nullopt;
      units = units * 10 + (text[i] - '0');
      ++scale;
    }
  }
  if (!any_digit) return std::nullopt;
  return Leading{Decimal::from_units(negative ? -units : units, scale), i};
}

std::string_view strip_blanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

Decimal Decimal::from_units(Rep units, int scale) {
  Decimal d;
  if (scale < 0) {
    units *= power_of_ten(-scale);
    scale = 0;
  } else if (scale > kMaxScale) {
    units /= power_of_ten(scale - kMaxScale);
    scale = kMaxScale;
  }
  d.units_ = units;
  d.scale_ = scale;
  return d;
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
  text = strip_blanks(text);
  auto leading = read_leading_number(text);
  if (!leading || leading->length != text.size()) return std::nullopt;
  return leading->value;
}

Decimal Decimal::rescaled(int scale, Rounding rounding) const {
  scale = std::clamp(scale, 0, kMaxScale);
  if (scale >= scale_) return from_units(units_ * power_of_ten(scale - scale_), scale);
  Rep divisor = power_of_ten(scale_ - scale);
  Rep m = magnitude(units_);
  Rep q = round_quotient(m / divisor, m % divisor, divisor, rounding);
  return from_units(units_ < 0 ? -q : q, scale);
}

int64_t Decimal::to_int() const { return static_cast<int64_t>(units_ / power_of_ten(scale_)); }

std::string Decimal::to_string() const {
  std::string digits = digits_of(magnitude(units_));
  if (scale_ > 0) {
    if (digits.size() <= static_cast<size_t>(scale_))
      digits.insert(0, static_cast<size_t>(scale_) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<size_t>(scale_), 1, '.');
  }
  return units_ < 0 ? "-" + digits : digits;
}

std::string Decimal::to_string(int decimals) const {
  return rescaled(decimals, Rounding::HalfUp).to_string();
}

Decimal operator+(const Decimal& a, const Decimal& b) {
  auto v = align(a, b);
  return Decimal::from_units(v.a + v.b, v.scale);
}

Decimal operator-(const Decimal& a, const Decimal& b) {
  auto v = align(a, b);
  return Decimal::from_units(v.a - v.b, v.scale);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
  Rep units = a.units() * b.units();
  int scale = a.scale() + b.scale();
  // Over the maximum scale, trailing zeros go first so no digit is lost needlessly.
  while (scale > Decimal::kMaxScale && units % 10 == 0) {
    units /= 10;
    --scale;
  }
  return Decimal::from_units(units, scale);  // truncates what is still beyond
}

std::optional<Decimal> Decimal::divide(const Decimal& a, const Decimal& b, int scale,
                                       Rounding rounding) {
  if (b.is_zero()) return std::nullopt;
  scale = std::clamp(scale, 0, kMaxScale);
  // result units = a.units * 10^(b.scale + scale) / (b.units * 10^a.scale)
  int shift = b.scale() + scale - a.scale();
  Rep n = magnitude(a.units());
  Rep d = magnitude(b.units());
  if (shift < 0) d *= power_of_ten(-shift);
  Rep q = n / d;
  Rep r = n % d;
  // Long division, one decimal digit at a time, so the numerator never grows past d * 10.
  for (int i = 0; i < shift; ++i) {
    r *= 10;
    q = q * 10 + r / d;
    r %= d;
  }
  q = round_quotient(q, r, d, rounding);
  bool negative = (a.sign() < 0) != (b.sign() < 0);
  return from_units(negative ? -q : q, scale);
}

bool operator==(const Decimal& a, const Decimal& b) {
  auto v = align(a, b);
  return v.a == v.b;
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
  auto v = align(a, b);
  return v.a <=> v.b;
}

Decimal DESPREZA(const Decimal& value, int /*width*/, int decimals, int mode) {
  decimals = std::clamp(decimals, 0, Decimal::kMaxScale - 2);
  Decimal with_guard = value.rescaled(decimals + 2, Rounding::HalfUp);
  if (mode != 0) return with_guard;
  return with_guard.rescaled(decimals, Rounding::Truncate);
}

Decimal CAR_TO_VAL(std::string_view text) {
  std::string plain;
  bool comma_seen = false;
  for (char c : strip_blanks(text)) {
    if (c == '.') continue;
    if (c == ',' && !comma_seen) {
      comma_seen = true;
      c = '.';
    }
    plain.push_back(c);
  }
  auto leading = read_leading_number(plain);
  return leading ? leading->value : Decimal{};
}

}  // namespace vormel::core
