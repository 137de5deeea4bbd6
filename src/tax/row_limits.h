// The limits applied while income and payment rows are typed: each gives the value to
// store in the column, and may tell the user something or ask a yes/no question
// through the Dialogue the screen provides.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "tax/declaration_data.h"
#include "tax/year_constants.h"

namespace vormel::tax {

struct Dialogue {
  std::function<void(const std::vector<std::string>&)> tell;  // a one-button notice
  std::function<bool(const std::vector<std::string>&)> ask;   // a yes/no question
};

// A payment's amount typed (FDOAPAG): the non-deductible part of education and of the
// domestic employer's contribution over their limits; the notice on private pensions
// without official social security. Gives the amount.
Money FDOAPAG(Record& payment, const Record& vars, const Dialogue& dialogue, const YearConstants& k = base_year_2015());
// The non-deductible part typed (FCONFNDEDU): gives the part to keep.
Money FCONFNDEDU(const Record& payment, Money part, const Dialogue& dialogue);
// A payment built from its twelve monthly values (FI7_13).
void FI7_13(Record& payment, const YearConstants& k = base_year_2015());

// The exempt portion of retirement income from age 65 (LIMIT3) typed in income row
// `row` of the declaration.
Money LIMIT3(Money value, DeclarationData& d, size_t row, const Dialogue& dialogue,
             const YearConstants& k = base_year_2015());
// A serious-illness pension typed in a row (LIMIT2).
Money LIMIT2(Money value, const Record& row, const Record& vars, const Dialogue& dialogue);
// Taxable income typed in a row that holds a serious-illness pension.
Money taxable_beside_illness(Money value, const Record& row, const Dialogue& dialogue);
// FIFA benefits typed in income row `row` (LIMITFIFA).
Money LIMITFIFA(Money value, DeclarationData& d, size_t row, const Dialogue& dialogue,
                const YearConstants& k = base_year_2015());

}  // namespace vormel::tax
