#include "core/date.h"

#include <cstdio>

namespace vormel::core {

namespace {

// Days since 01/01/1970 of a proleptic Gregorian date (the usual era-based algorithm).
int32_t days_from_civil(int y, int m, int d) {
  y -= m <= 2;
  const int era = (y >= 0 ? y : y - 399) / 400;
  const int yoe = y - era * 400;
  const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Ymd {
  int y, m, d;
};

Ymd civil_from_days(int32_t z) {
  z += 719468;
  const int era = (z >= 0 ? z : z - 146096) / 146097;
  const int doe = z - era * 146097;
  const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int mp = (5 * doy + 2) / 153;
  const int d = doy - (153 * mp + 2) / 5 + 1;
  const int m = mp < 10 ? mp + 3 : mp - 9;
  return {yoe + era * 400 + (m <= 2), m, d};
}

// Serial 1 is 01/01/0001.
const int32_t kSerialOf1970 = 1 - days_from_civil(1, 1, 1);

bool is_leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int days_in_month(int y, int m) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && is_leap(y) ? 29 : kDays[m - 1];
}

Ymd ymd_of(int32_t serial) { return civil_from_days(serial - kSerialOf1970); }

bool all_digits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int number_of(std::string_view digits) {
  int n = 0;
  for (char c : digits) n = n * 10 + (c - '0');
  return n;
}

std::string_view strip_blanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

std::optional<Date> Date::from_ymd(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return std::nullopt;
  if (day < 1 || day > days_in_month(year, month)) return std::nullopt;
  Date d;
  d.serial_ = days_from_civil(year, month, day) + kSerialOf1970;
  return d;
}

int Date::year() const { return is_empty() ? 0 : ymd_of(serial_).y; }
int Date::month() const { return is_empty() ? 0 : ymd_of(serial_).m; }
int Date::day() const { return is_empty() ? 0 : ymd_of(serial_).d; }

int Date::weekday() const {
  if (is_empty()) return 0;
  // Serial 1 (01/01/0001) was a Monday.
  return serial_ % 7 + 1;
}

Date Date::operator+(int days) const {
  if (is_empty()) return *this;  // the empty date stays empty
  Date d;
  d.serial_ = serial_ + days;
  if (d.serial_ < 1) d.serial_ = 0;
  return d;
}

std::string DTOC(const Date& d) {
  if (d.is_empty()) return "  /  /    ";
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day(), d.month(), d.year());
  return buf;
}

std::string DTOS(const Date& d) {
  if (d.is_empty()) return std::string(8, ' ');
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year(), d.month(), d.day());
  return buf;
}

Date STOD(std::string_view yyyymmdd) {
  if (yyyymmdd.size() != 8 || !all_digits(yyyymmdd)) return Date{};
  auto d = Date::from_ymd(number_of(yyyymmdd.substr(0, 4)), number_of(yyyymmdd.substr(4, 2)),
                          number_of(yyyymmdd.substr(6, 2)));
  return d.value_or(Date{});
}

std::optional<Date> CTOD(std::string_view text) {
  text = strip_blanks(text);
  if (text.find_first_not_of(" /") == std::string_view::npos) return Date{};
  std::string_view parts[3];
  for (int i = 0; i < 3; ++i) {
    size_t slash = text.find('/');
    if ((i < 2) == (slash == std::string_view::npos)) return std::nullopt;
    parts[i] = strip_blanks(text.substr(0, slash));
    text = i < 2 ? text.substr(slash + 1) : std::string_view{};
  }
  for (auto p : parts)
    if (!all_digits(p)) return std::nullopt;
  if (parts[0].size() > 2 || parts[1].size() > 2) return std::nullopt;
  int year = number_of(parts[2]);
  if (parts[2].size() == 2)
    year += 1900;
  else if (parts[2].size() != 4)
    return std::nullopt;
  return Date::from_ymd(year, number_of(parts[1]), number_of(parts[0]));
}

}  // namespace vormel::core
