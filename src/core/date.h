// Calendar dates: shown dd/mm/yyyy, two-digit years read in the 1900s.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vormel::core {

class Date {
 public:
  constexpr Date() = default;  // the empty date
  static std::optional<Date> from_ymd(int year, int month, int day);
  bool is_empty() const { return serial_ == 0; }
  int year() const;
  int month() const;
  int day() const;
  int weekday() const;  // 1 = Sunday … 7 = Saturday (DOW)
  int32_t serial() const { return serial_; }  // days, 1 = 01/01/0001

  Date operator+(int days) const;
  Date operator-(int days) const { return *this + (-days); }
  int operator-(const Date& other) const { return serial_ - other.serial_; }
  friend bool operator==(const Date&, const Date&) = default;
  friend auto operator<=>(const Date&, const Date&) = default;

 private:
  int32_t serial_ = 0;
};

std::string DTOC(const Date& d);   // "dd/mm/yyyy"; empty date "  /  /    "
std::string DTOS(const Date& d);   // "yyyymmdd"; empty date 8 blanks
Date STOD(std::string_view yyyymmdd);  // blanks or invalid give the empty date
// "dd/mm/yy" or "dd/mm/yyyy" (two-digit years in the 1900s). Blank date text gives the
// empty date; an impossible date gives nullopt.
std::optional<Date> CTOD(std::string_view text);

struct DateTime {
  Date date;
  int seconds = 0;  // seconds since midnight
};

}  // namespace vormel::core
