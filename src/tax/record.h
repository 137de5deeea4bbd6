// The values of one declaration row, or of the declaration's memory variables, by field
// name. A name never set reads as empty (blank, zero, empty date, false): the
// computation treats missing data as zeros.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/date.h"
#include "core/decimal.h"
#include "core/fixed.h"
#include "core/value.h"

namespace vormel::tax {

using core::Money;

class Record {
 public:
  const core::Value* find(std::string_view name) const;
  void set(std::string_view name, core::Value value) { values_[std::string(name)] = std::move(value); }
  bool has(std::string_view name) const { return find(name) != nullptr; }

  core::Decimal number(std::string_view name) const;
  Money money(std::string_view name) const;  // a number as cents (rounded half up)
  int integer(std::string_view name) const;
  std::string text(std::string_view name) const;  // trailing blanks removed
  core::Date date(std::string_view name) const;
  bool logical(std::string_view name) const;

  void set_money(std::string_view name, Money m) { set(name, m.to_decimal()); }
  void set_number(std::string_view name, const core::Decimal& d) { set(name, d); }
  void set_text(std::string_view name, std::string t) { set(name, std::move(t)); }

  const std::unordered_map<std::string, core::Value>& values() const { return values_; }

 private:
  std::unordered_map<std::string, core::Value> values_;
};

}  // namespace vormel::tax
