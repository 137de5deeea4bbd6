// Exact decimal numbers. No binary floating point is ever used for amounts:
// a Decimal is an integer mantissa with a decimal scale (value = units / 10^scale).
#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vormel::core {

enum class Rounding {
  Truncate,  // toward zero
  HalfUp,    // half away from zero (what "format with n decimals" does)
};

class Decimal {
 public:
  using Rep = __int128;
  static constexpr int kMaxScale = 18;

  constexpr Decimal() = default;
  constexpr Decimal(int64_t whole) : units_(whole), scale_(0) {}  // NOLINT: implicit on purpose
  static Decimal from_units(Rep units, int scale);

  // "12", "-12.3456", "+0.5", ".5"; blanks around are allowed; anything else is nullopt.
  static std::optional<Decimal> parse(std::string_view text);

  Rep units() const { return units_; }
  int scale() const { return scale_; }
  bool is_zero() const { return units_ == 0; }
  int sign() const { return units_ < 0 ? -1 : (units_ > 0 ? 1 : 0); }

  // The same value with exactly `scale` decimals.
  Decimal rescaled(int scale, Rounding rounding = Rounding::Truncate) const;
  // Integer part (toward zero).
  int64_t to_int() const;

  // Plain text with a point and the value's own scale: "-12.30".
  std::string to_string() const;
  // Plain text with exactly `decimals` decimals, rounded half up.
  std::string to_string(int decimals) const;

  Decimal operator-() const { return from_units(-units_, scale_); }
  friend Decimal operator+(const Decimal& a, const Decimal& b);
  friend Decimal operator-(const Decimal& a, const Decimal& b);
  friend Decimal operator*(const Decimal& a, const Decimal& b);
  Decimal& operator+=(const Decimal& b) { return *this = *this + b; }
  Decimal& operator-=(const Decimal& b) { return *this = *this - b; }
  Decimal& operator*=(const Decimal& b) { return *this = *this * b; }

  // a / b with `scale` decimals; nullopt when b is zero.
  static std::optional<Decimal> divide(const Decimal& a, const Decimal& b, int scale,
                                       Rounding rounding = Rounding::Truncate);

  friend bool operator==(const Decimal& a, const Decimal& b);
  friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);

 private:
  Rep units_ = 0;
  int scale_ = 0;
};

// DESPREZA: the value truncated to `decimals` decimals the way the program always did it:
// formatted with decimals + 2 decimals (rounded there), then the last two digits dropped.
// So 12.3456 and 12.349 give 12.34, and 12.34996 gives 12.35. Mode other than 0 keeps
// the two extra digits. `width` is kept for the callers' sake; no value is ever lost to it.
Decimal DESPREZA(const Decimal& value, int width = 14, int decimals = 2, int mode = 0);

// CAR_TO_VAL: a Brazilian-formatted text ("1.234,56") as a number; empty gives 0.
Decimal CAR_TO_VAL(std::string_view text);

}  // namespace vormel::core
