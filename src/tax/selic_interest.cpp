#include "tax/selic_interest.h"

namespace vormel::tax {

core::Decimal selic_interest(int start, int end, const std::vector<SelicMonth>& rates) {
  if (start > end) return core::Decimal(0);
  core::Decimal total(1);
  for (const SelicMonth& m : rates)
    if (m.year_month > start && m.year_month < end) total += m.rate;
  return total;
}

}  // namespace vormel::tax
