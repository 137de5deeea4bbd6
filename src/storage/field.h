// A field of a table: name, type (C N D L M), width and decimals, and where its bytes
// sit inside the record (after the one-byte deleted mark).
#pragma once
#include <string>
#include <vector>

namespace vormel::storage {

struct FieldSpec {
  std::string name;
  char type = 'C';
  int width = 1;
  int decimals = 0;
  friend bool operator==(const FieldSpec&, const FieldSpec&) = default;
};

struct Field : FieldSpec {
  int offset = 0;  // from the start of the record, the deleted mark being byte 0
};

using Layout = std::vector<FieldSpec>;

}  // namespace vormel::storage
