// The SELIC interest of a late payment, in percent: 1 for the month of payment plus the
// monthly rates of the months in between.
#pragma once
#include <vector>

#include "core/decimal.h"

namespace vormel::tax {

struct SelicMonth {
  int year_month = 0;  // 201605
  core::Decimal rate;  // TJM, percent in the month
};

// From the month after `start` to the month before `end` (both YYYYMM), the rates of the
// months the list has, plus 1; 0 when `start` is after `end`.
core::Decimal selic_interest(int start, int end, const std::vector<SelicMonth>& rates);

}  // namespace vormel::tax
