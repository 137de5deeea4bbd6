// The value of a memory variable or a field: text (CP850), number, date or logical.
#pragma once
#include <string>
#include <variant>

#include "core/date.h"
#include "core/decimal.h"

namespace vormel::core {

using Value = std::variant<std::string, Decimal, Date, bool>;

inline bool is_text(const Value& v) { return std::holds_alternative<std::string>(v); }
inline bool is_number(const Value& v) { return std::holds_alternative<Decimal>(v); }
inline bool is_date(const Value& v) { return std::holds_alternative<Date>(v); }
inline bool is_logical(const Value& v) { return std::holds_alternative<bool>(v); }

// The empty value of the same type: "", 0, the empty date, false. Text keeps its width
// as blanks, since fields are fixed-width.
Value empty_like(const Value& v);

}  // namespace vormel::core
