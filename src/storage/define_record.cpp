#include "storage/define_record.h"

#include <utility>
#include <vector>

#include "storage/dbf_table.h"

namespace vormel::storage {

std::string define_first_record(const Layout& layout, const std::string& file) {
  using core::Date;
  using core::Decimal;
  auto date = [](int y, int m, int d) { return core::Value(*Date::from_ymd(y, m, d)); };
  auto number = [](const char* text) { return core::Value(*Decimal::parse(text)); };
  const std::vector<std::pair<std::string, core::Value>> values = {
      {"VCTO1", date(2016, 4, 29)},  {"VCTO2", date(2016, 5, 31)},  {"VCTO3", date(2016, 6, 30)},
      {"VCTO4", date(2016, 7, 29)},  {"VCTO5", date(2016, 8, 31)},  {"VCTO6", date(2016, 9, 30)},
      {"VCTO7", date(2016, 10, 31)}, {"VCTO8", date(2016, 11, 30)}, {"VAL_SEG", number("4.0")},
      {"VAL_BYTE", number("3.0")},   {"VAL_MIN", number("120")},    {"COMO_SAL", number("2")},
      {"TEMP_SAL", number("15")},    {"TEMP_DES", number("4")},     {"VAL_CPMF", number("0")},
      {"VAL_DOLAR", number("2.6556")}, {"PROCESSA", std::string("N")}, {"PROGCOMP", std::string("N")},
  };
  std::string record = " ";
  for (const auto& f : layout) {
    core::Value value = std::string();
    for (const auto& [name, v] : values)
      if (name == f.name) value = v;
    // Empty numbers stay blank, as a fresh dBASE record has them.
    if (f.type == 'N' && std::holds_alternative<std::string>(value)) record += std::string(size_t(f.width), ' ');
    else record += encode_field(f, value, file);
  }
  return record;
}

}  // namespace vormel::storage
