#include "core/record.h"

namespace vormel::core {

const Value* Record::find(std::string_view name) const {
  auto it = values_.find(name);
  return it == values_.end() ? nullptr : &it->second;
}

void Record::set(std::string_view name, Value value) {
  auto it = values_.find(name);
  if (it != values_.end()) it->second = std::move(value);
  else values_.emplace(std::string(name), std::move(value));
}

Decimal Record::number(std::string_view name) const {
  const Value* v = find(name);
  if (!v) return 0;
  if (auto* d = std::get_if<Decimal>(v)) return *d;
  if (auto* t = std::get_if<std::string>(v)) return Decimal::parse(*t).value_or(Decimal(0));
  return 0;
}

Money Record::money(std::string_view name) const { return Money::from(number(name), Rounding::HalfUp); }

int Record::integer(std::string_view name) const { return int(number(name).to_int()); }

std::string Record::text(std::string_view name) const {
  const Value* v = find(name);
  if (!v) return {};
  auto* t = std::get_if<std::string>(v);
  if (!t) return {};
  std::string s = *t;
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

Date Record::date(std::string_view name) const {
  const Value* v = find(name);
  if (!v) return {};
  auto* d = std::get_if<Date>(v);
  return d ? *d : Date();
}

bool Record::logical(std::string_view name) const {
  const Value* v = find(name);
  if (!v) return false;
  auto* b = std::get_if<bool>(v);
  return b && *b;
}

}  // namespace vormel::core
