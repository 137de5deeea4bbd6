// The annual adjustment of one declaration (base year 2015), as plain code over the
// declaration's data: the income, payment and monthly aggregations, the deductions with
// their limits, the table, the incentives, the two models, the quotas and the balance.
// Each routine keeps the name of the line or step it computes. Nothing here draws: the
// notices a screen would show are collected in notices().
//
// The result never depends on whether a screen shows it, nor on flags left from an
// earlier computation: every aggregation is done afresh.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "tax/declaration_data.h"
#include "tax/year_constants.h"

namespace vormel::tax {

// The main figures of one model: the tax base, the tax due, to pay (+) or refund (−).
struct ModelFigures {
  Money I13_20, I13_26, IMPPGRE;
};

class Computation {
 public:
  explicit Computation(DeclarationData& data, const YearConstants& constants = base_year_2015());

  // CALC: 1 and 2 income and monthly aggregation, 3 exempt and exclusive totals,
  // 4 payments, 5 capital-gain exemption totals, 6 line 09, 7 the annual computation.
  bool CALC(int kind);
  // Steps A to C of the annual computation for the declaration's model: the lines
  // 08 to 38 without the quotas, the balance and the hints.
  void annual_lines();
  // The full silent recomputation of a loaded or saved declaration, ending with the
  // annual computation of its model, the quotas and the balance.
  void BALANCO();

  int NRODP();
  void FI1_T();
  void FDE_TUDO();
  void SOMA_TRIBENAO();
  void monthly_totals();
  void CALC_LEAOTOTAL();
  Money FI13_08();
  Money FI13_11();
  Money FI13_12();
  Money FI13_13();
  Money FI13_19();
  Money FI13_20();
  Money FI13_22();
  Money FI13_23();
  Money FI13_24();
  Money FI13_26();
  Money FI13_32();
  Money FI13_35();
  Money FI13_3526();
  void FQTD_QUOTA();
  void FI10_1();
  // The yearly cost of keeping the assets from the monthly list (DESPNAO), and the
  // losses on sales of small-value goods from their list (PREJVEN1).
  Money TOTALDESP();
  Money FCALPOUPA();
  Money VE_SALDO();
  // The tax of a base by the table the declaration uses: the annual one, or the
  // partial-year one of a final or exit declaration.
  Money table_tax(Money base);
  // The tax due of an RRA row taxed exclusively (I1_20), written into the row; false
  // with a notice when its months or month of receipt are missing.
  bool CALC_RAA(Record& row, int mode);

  bool simplified() const;
  // The hints: the other model would pay strictly less.
  bool simplified_is_better() const { return hint_simplified_; }
  bool complete_is_better() const { return hint_complete_; }
  // The figures of each model, as the last annual computation compared them.
  const ModelFigures& complete_figures() const;
  const ModelFigures& simplified_figures() const;
  const std::vector<std::vector<std::string>>& notices() const { return notices_; }

 private:
  void compare_models();
  void notice(std::vector<std::string> lines) { notices_.push_back(std::move(lines)); }
  Money deductions_without_foreign(Money income) const;
  struct Months {
    int first = 1, last = 12;
  };
  Months taxed_months();

  DeclarationData& d_;
  Record& v_;
  const YearConstants& k_;
  bool hint_simplified_ = false, hint_complete_ = false;
  struct Both;
  std::shared_ptr<Both> models_;
  std::vector<std::vector<std::string>> notices_;
};

// A percentage of an amount, truncated to cents (the limits of the year: 12%, 6%, 3%, 1%,
// 20%).
Money percent_of(Money amount, int percent);


}  // namespace vormel::tax
