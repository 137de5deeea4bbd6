#include "storage/layout_text.h"

#include <string>

#include "storage/error.h"

namespace vormel::storage {

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\n')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\n')) s.remove_suffix(1);
  return s;
}

[[noreturn]] void malformed(std::string_view where) {
  throw StorageError("Leiaute de tabela mal escrito: \"" + std::string(where) + "\"");
}

FieldSpec parse_field(std::string_view item) {
  item = trimmed(item);
  auto blank = item.find(' ');
  if (blank == std::string_view::npos || blank + 2 > item.size()) malformed(item);
  FieldSpec f;
  f.name = std::string(item.substr(0, blank));
  std::string_view type = trimmed(item.substr(blank + 1));
  f.type = type[0];
  std::string size(type.substr(1));
  auto point = size.find('.');
  try {
    f.width = std::stoi(size.substr(0, point));
    f.decimals = point == std::string::npos ? 0 : std::stoi(size.substr(point + 1));
  } catch (...) {
    malformed(item);
  }
  bool templated = f.name.find('{') != std::string::npos;
  if (f.name.empty() || (!templated && f.name.size() > 10) || std::string("CNDLM").find(f.type) == std::string::npos) malformed(item);
  return f;
}

std::string replaced(std::string name, const std::string& var, const std::string& value) {
  const std::string mark = "{" + var + "}";
  for (size_t at; (at = name.find(mark)) != std::string::npos;) name.replace(at, mark.size(), value);
  return name;
}

}  // namespace

Layout parse_layout(std::string_view text) {
  Layout out;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && (text[at] == ' ' || text[at] == ',' || text[at] == '\n')) ++at;
    if (at >= text.size()) break;
    if (text[at] == '(') {
      size_t close = text.find(')', at);
      size_t colon = text.find(':', at);
      if (close == std::string_view::npos || colon > close) malformed(text.substr(at));
      std::string_view head = text.substr(at + 1, colon - at - 1);  // mm=01..12
      auto eq = head.find('='), dots = head.find("..");
      if (eq == std::string_view::npos || dots == std::string_view::npos) malformed(head);
      std::string var(trimmed(head.substr(0, eq)));
      std::string first(trimmed(head.substr(eq + 1, dots - eq - 1)));
      int from = std::stoi(first), to = std::stoi(std::string(trimmed(head.substr(dots + 2))));
      Layout group;
      std::string_view body = text.substr(colon + 1, close - colon - 1);
      for (size_t b = 0; b < body.size();) {
        size_t comma = body.find(',', b);
        if (comma == std::string_view::npos) comma = body.size();
        if (!trimmed(body.substr(b, comma - b)).empty()) group.push_back(parse_field(body.substr(b, comma - b)));
        b = comma + 1;
      }
      for (int v = from; v <= to; ++v) {
        std::string value = std::to_string(v);
        if (value.size() < first.size()) value.insert(0, first.size() - value.size(), '0');
        for (FieldSpec f : group) {
          f.name = replaced(f.name, var, value);
          if (f.name.size() > 10) malformed(f.name);
          out.push_back(f);
        }
      }
      at = close + 1;
    } else {
      size_t comma = text.find(',', at);
      if (comma == std::string_view::npos) comma = text.size();
      out.push_back(parse_field(text.substr(at, comma - at)));
      at = comma + 1;
    }
  }
  return out;
}

}  // namespace vormel::storage
