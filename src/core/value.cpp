#include "core/value.h"

namespace vormel::core {

Value empty_like(const Value& v) {
  struct Empty {
    Value operator()(const std::string& s) const { return std::string(s.size(), ' '); }
    Value operator()(const Decimal& d) const { return Decimal::from_units(0, d.scale()); }
    Value operator()(const Date&) const { return Date{}; }
    Value operator()(bool) const { return false; }
  };
  return std::visit(Empty{}, v);
}

}  // namespace vormel::core
