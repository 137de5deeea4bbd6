#include "core/clock.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>

namespace vormel::core {

namespace {

constexpr int kDay = 24 * 60 * 60;

DateTime local_now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {Date::from_ymd(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday).value_or(Date{}),
          tm.tm_hour * 3600 + tm.tm_min * 60 + std::min(tm.tm_sec, 59)};
}

// Reads exactly `width` digits at `pos`; -1 when they are not all digits.
int fixed_number(std::string_view s, size_t pos, size_t width) {
  int n = 0;
  for (size_t i = pos; i < pos + width; ++i) {
    if (s[i] < '0' || s[i] > '9') return -1;
    n = n * 10 + (s[i] - '0');
  }
  return n;
}

}  // namespace

Clock::Clock() = default;

Clock Clock::starting_at(DateTime start) {
  Clock c;
  c.start_ = start;
  c.started_ = std::chrono::steady_clock::now();
  return c;
}

DateTime Clock::now() const {
  if (!start_) return local_now();
  auto elapsed = std::chrono::duration_cast<std::chrono::seconds>(
                     std::chrono::steady_clock::now() - started_)
                     .count();
  long long total = start_->seconds + elapsed;
  return {start_->date + static_cast<int>(total / kDay), static_cast<int>(total % kDay)};
}

std::string Clock::time_text() const {
  int s = now().seconds;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

std::optional<DateTime> parse_hoje(std::string_view text) {
  if (text.size() != 10 && text.size() != 19) return std::nullopt;
  if (text[2] != '/' || text[5] != '/') return std::nullopt;
  int day = fixed_number(text, 0, 2), month = fixed_number(text, 3, 2);
  int year = fixed_number(text, 6, 4);
  if (day < 0 || month < 0 || year < 0) return std::nullopt;
  auto date = Date::from_ymd(year, month, day);
  if (!date) return std::nullopt;
  if (text.size() == 10) return DateTime{*date, 8 * 3600};
  if (text[10] != '-' || text[13] != ':' || text[16] != ':') return std::nullopt;
  int h = fixed_number(text, 11, 2), m = fixed_number(text, 14, 2), s = fixed_number(text, 17, 2);
  if (h < 0 || h > 23 || m < 0 || m > 59 || s < 0 || s > 59) return std::nullopt;
  return DateTime{*date, h * 3600 + m * 60 + s};
}

}  // namespace vormel::core
