// DIZANOS: the client's age at the end of the base year and the notice of a birthday
// that is near, shown on the identification screens and in the client's details.
#pragma once
#include <string>

#include "core/date.h"
#include "screen/ui.h"

namespace vormel::screen {

struct AgeNotice {
  std::string years;   // 3 places; blanks when the birth date is empty or after the year
  std::string months;  // 2 places
  std::string notice;  // 22 characters, "" when no birthday is near
  bool attention = false;  // today or tomorrow: in the attention colour
};

// Age at 31/12/2015 (years = 2015 - birth year, months = 12 - birth month) and, when the
// birthday falls in today's month, the notice for today, tomorrow or 2 to 5 days ahead
// (compared by the day of the month). A 29/02 birthday counts on 28/02 in other years.
AgeNotice DIZANOS(const core::Date& birth, const core::Date& today);

// Draws it from the screen's origin: the age at row 2, columns 63 and 71, the notice at
// row 1, column 54 (blanks over an old one when there is none).
void show_age(Ui& ui, const AgeNotice& age, int top = 0, int left = 0);

}  // namespace vormel::screen
