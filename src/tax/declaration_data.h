// What the annual computation works on: the declaration's memory variables (the fields
// of its identification, summary, monthly and rural rows) and its multi-row sections,
// as plain data. The computation reads and writes these and nothing else.
#pragma once
#include <string>
#include <vector>

#include "core/date.h"
#include "tax/record.h"

namespace vormel::tax {

struct DeclarationData {
  Record vars;                      // IMP09, IMP01, first IMP12 row, IMP15 fields by name
  std::vector<Record> income;       // IMP02 rows
  std::vector<Record> dependants;   // IMP03
  std::vector<Record> assets;       // IMP04
  std::vector<Record> debts;        // IMP05
  std::vector<Record> payments;     // IMP06 (the incentive pass writes I6_5 into them)
  std::vector<Record> upkeep;       // IMP10
  std::vector<Record> losses;       // IMP14
  std::vector<Record> monthly;      // IMP12, one row per person
  core::Date today;                 // the computation's "today" (the quota flag depends on it)
};

}  // namespace vormel::tax
