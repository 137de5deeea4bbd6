// The one record the office settings table is created with: the 2016 quota due dates
// and the office defaults.
#pragma once
#include <string>

#include "storage/field.h"

namespace vormel::storage {

// The record, encoded for a table of that layout (`file` names the table in errors).
std::string define_first_record(const Layout& layout, const std::string& file);

}  // namespace vormel::storage
