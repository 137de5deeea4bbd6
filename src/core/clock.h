// The program's clock. Tests and --hoje start it at a chosen instant; it then runs with
// real elapsed time, so timers and alarms behave as they would on that day.
#pragma once
#include <chrono>
#include <optional>
#include <string_view>

#include "core/date.h"

namespace vormel::core {

class Clock {
 public:
  Clock();  // the system's local time
  static Clock starting_at(DateTime start);
  DateTime now() const;
  Date today() const { return now().date; }
  // Time() as "HH:MM:SS".
  std::string time_text() const;

 private:
  std::optional<DateTime> start_;
  std::chrono::steady_clock::time_point started_{};
};

// "dd/mm/aaaa" or "dd/mm/aaaa-hh:mm:ss" (the --hoje option); without a time 08:00:00.
std::optional<DateTime> parse_hoje(std::string_view text);

}  // namespace vormel::core
