// Fixed-point values of one scale, as the tables store them: Money holds integer cents.
#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <string>

#include "core/decimal.h"

namespace vormel::core {

template <int Scale>
class Fixed {
 public:
  static constexpr int kScale = Scale;
  constexpr Fixed() = default;
  static constexpr Fixed from_units(int64_t units) { Fixed f; f.units_ = units; return f; }
  static Fixed from(const Decimal& d, Rounding rounding = Rounding::Truncate) {
    return from_units(static_cast<int64_t>(d.rescaled(Scale, rounding).units()));
  }
  static std::optional<Fixed> parse(std::string_view text) {
    auto d = Decimal::parse(text);
    if (!d) return std::nullopt;
    return from(*d, Rounding::HalfUp);
  }

  constexpr int64_t units() const { return units_; }
  Decimal to_decimal() const { return Decimal::from_units(units_, Scale); }
  std::string to_string() const { return to_decimal().to_string(); }
  constexpr bool is_zero() const { return units_ == 0; }

  friend constexpr Fixed operator+(Fixed a, Fixed b) { return from_units(a.units_ + b.units_); }
  friend constexpr Fixed operator-(Fixed a, Fixed b) { return from_units(a.units_ - b.units_); }
  constexpr Fixed operator-() const { return from_units(-units_); }
  constexpr Fixed& operator+=(Fixed b) { units_ += b.units_; return *this; }
  constexpr Fixed& operator-=(Fixed b) { units_ -= b.units_; return *this; }
  friend Decimal operator*(Fixed a, const Decimal& b) { return a.to_decimal() * b; }
  friend constexpr bool operator==(Fixed a, Fixed b) = default;
  friend constexpr auto operator<=>(Fixed a, Fixed b) = default;

 private:
  int64_t units_ = 0;
};

using Money = Fixed<2>;

}  // namespace vormel::core
