// The values of one row by field name: a declaration row, the memory variables of a
// declaration, the settings of a terminal. A name never set reads as empty (blank,
// zero, empty date, false), so missing data count as zeros.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/date.h"
#include "core/decimal.h"
#include "core/fixed.h"
#include "core/value.h"

namespace vormel::core {

class Record {
 public:
  Record() = default;
  explicit Record(size_t expected) { values_.reserve(expected); }
  const Value* find(std::string_view name) const;
  void set(std::string_view name, Value value);
  bool has(std::string_view name) const { return find(name) != nullptr; }

  Decimal number(std::string_view name) const;
  Money money(std::string_view name) const;  // a number as cents (rounded half up)
  int integer(std::string_view name) const;
  std::string text(std::string_view name) const;  // trailing blanks removed
  Date date(std::string_view name) const;
  bool logical(std::string_view name) const;

  void set_money(std::string_view name, Money m) { set(name, m.to_decimal()); }
  void set_number(std::string_view name, const Decimal& d) { set(name, d); }
  void set_text(std::string_view name, std::string t) { set(name, std::move(t)); }

  // Names are looked up without making a string of them.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  using Values = std::unordered_map<std::string, Value, NameHash, std::equal_to<>>;
  const Values& values() const { return values_; }

 private:
  Values values_;
};

}  // namespace vormel::core
