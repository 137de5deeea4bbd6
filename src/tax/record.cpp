#include "tax/record.h"

namespace vormel::tax {

const core::Value* Record::find(std::string_view name) const {
  auto it = values_.find(name);
  return it == values_.end() ? nullptr : &it->second;
}

void Record::set(std::string_view name, core::Value value) {
  auto it = values_.find(name);
  if (it != values_.end()) it->second = std::move(value);
  else values_.emplace(std::string(name), std::move(value));
}

core::Decimal Record::number(std::string_view name) const {
  const core::Value* v = find(name);
  if (!v) return 0;
  if (auto* d = std::get_if<core::Decimal>(v)) return *d;
  if (auto* t = std::get_if<std::string>(v)) return core::Decimal::parse(*t).value_or(core::Decimal(0));
  return 0;
}

Money Record::money(std::string_view name) const { return Money::from(number(name), core::Rounding::HalfUp); }

int Record::integer(std::string_view name) const { return int(number(name).to_int()); }

std::string Record::text(std::string_view name) const {
  const core::Value* v = find(name);
  if (!v) return {};
  auto* t = std::get_if<std::string>(v);
  if (!t) return {};
  std::string s = *t;
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

core::Date Record::date(std::string_view name) const {
  const core::Value* v = find(name);
  if (!v) return {};
  auto* d = std::get_if<core::Date>(v);
  return d ? *d : core::Date();
}

bool Record::logical(std::string_view name) const {
  const core::Value* v = find(name);
  if (!v) return false;
  auto* b = std::get_if<bool>(v);
  return b && *b;
}

}  // namespace vormel::tax
